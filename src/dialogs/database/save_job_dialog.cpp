#include "dialogs/database/save_job_dialog.h"

#include "dialogs/system/gated_pipe_calculator.h"
#include "dialogs/system/manifold_calculator.h"
#include "dialogs/designer_window.h"
#include "model/job_transfer.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/application.h"
#include "platform/ui/help.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QStringList kLeavingNote = {
    QStringLiteral("Note:"),
    QStringLiteral("The current pipeline job will "),
    QStringLiteral("be exited when you start this "),
    QStringLiteral("tool.  To save the current job, "),
    QStringLiteral("press the YES button.  To "),
    QStringLiteral("exit the current job, and "),
    QStringLiteral("leave it unsaved, press the "),
    QStringLiteral("NO burron."),
};

void EnableButton(QWidget* window, const char* name)
{
    if (auto* b = window->findChild<QAbstractButton*>(QString::fromLatin1(name)))
        b->setEnabled(true);
}

} // namespace

TSaveForm::TSaveForm(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("SaveForm"));
    SetCaption(QStringLiteral("Save Job?"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(19022);

    auto* v = new QVBoxLayout(this);
    Label1 = ui::Make<QLabel>(this, "Label1", QStringLiteral("Do you wish to save the current Job?"));
    Label1->setFont(ui::ArialFont(10, true));
    Label1->setStyleSheet(QStringLiteral("color: blue"));
    v->addWidget(Label1);
    auto* nameRow = new QHBoxLayout;
    Label2 = ui::Make<QLabel>(this, "Label2", QStringLiteral("Job name: "));
    work = ui::Make<QLabel>(this, "work");
    work->setTextFormat(Qt::PlainText);
    work->setFont(ui::ArialFont(10, true));
    work->setStyleSheet(QStringLiteral("color: red"));
    nameRow->addWidget(Label2);
    nameRow->addWidget(work, 1);
    v->addLayout(nameRow);

    GroupBox1 = ui::Make<QGroupBox>(this, "GroupBox1", QStringLiteral("Save This Job to Database"));
    auto* g = new QHBoxLayout(GroupBox1);
    OKBitBtn = ui::Make<QPushButton>(GroupBox1, "OKBitBtn", QStringLiteral("Yes"));
    NoBitBtn = ui::Make<QPushButton>(GroupBox1, "NoBitBtn", QStringLiteral("No"));
    NoBitBtn->setToolTip(QStringLiteral("Dont save this job"));
    g->addWidget(OKBitBtn);
    g->addWidget(NoBitBtn);
    v->addWidget(GroupBox1);

    auto* exportRow = new QHBoxLayout;
    ExportBtn = ui::Make<QPushButton>(this, "ExportBtn", QStringLiteral("Export Job"));
    HelpExport = ui::Make<QToolButton>(this, "HelpExport");
    HelpExport->setText(QStringLiteral("?"));
    HelpExport->setToolTip(QStringLiteral("Help on Export"));
    exportRow->addWidget(ExportBtn);
    exportRow->addWidget(HelpExport);
    exportRow->addStretch(1);
    v->addLayout(exportRow);

    Memo1 = ui::Make<QPlainTextEdit>(this, "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setPlainText(kLeavingNote.join(QLatin1Char('\n')));
    Memo1->setFixedHeight(120);
    v->addWidget(Memo1);

    OnClick(OKBitBtn, [this] { OKBitBtnClick(); }, ui::mrOk);
    OnClick(NoBitBtn, [this] { NoBitBtnClick(); }, ui::mrNo);
    OnClick(ExportBtn, [this] { ExportBtnClick(); });
    OnClick(HelpExport, [this] { HelpExportClick(); });
    SetDefaultButton(OKBitBtn);
    SetCancelButton(NoBitBtn);
}

void TSaveForm::FormShow()
{
    work->setText(Tul->JobName);
    if (!DMod->WorkTablesFree)
        Memo1->setPlainText(QStringLiteral("To save changes to current job, press the YES button."));

    db::Table* header = DMod->WorkPipeTable;
    if (!header->Active())
        header->Open();
    // The job object's date goes into the header. An empty one (a job that
    // never had its date entered) leaves the header's date as it is.
    if (!header->IsEmpty()) {
        if (header->State() != db::DataSetState::Edit && header->State() != db::DataSetState::Insert)
            header->Edit();
        if (!Tul->Date.isEmpty())
            DMod->WorkPipeTableDate->SetAsString(Tul->Date);
        header->Post();
    }
    if (!DMod->WorkGatedTable->Active())
        DMod->WorkGatedTable->Open();
}

void TSaveForm::OKBitBtnClick()
{
    SaveCurrentJob();
    // A job that could not be stored (its name was refused) keeps the dialog
    // open, so that it is left by No or Export on purpose.
    if (Tul->SaveState != 2)
        SetModalResult(ui::mrNone);
}

void TSaveForm::NoBitBtnClick()
{
    Tul->SaveState = 2;
}

void TSaveForm::ExportBtnClick()
{
    if (JobTrans->ExportWorkingJob())
        ui::MessageDlg(QStringLiteral("The Job has been exported  to the 'Mersol Transfer' directory"),
                       ui::MsgType::Information, ui::mbOK);
    Close();
}

void TSaveForm::HelpExportClick()
{
    ui::HelpContext(18);
}

void TSaveForm::SaveCurrentJob()
{
    if (!StoresCalculatorJobs && Tul->SaveState != 2) {
        db::Table* header = DMod->WorkPipeTable;
        const int kind = header->Active() && !header->IsEmpty() ? DMod->WorkPipeTableSysHas->AsInteger() : 0;
        if (kind == 4 || kind == 8) {
            Tul->SaveState = 2;
            return;
        }
    }
    if (!JobTrans->StoreWorkingJob())
        return;
    // The window of the job's kind can now review and start jobs.
    const int sysHas = DMod->WorkPipeTableSysHas->AsInteger();
    QWidget* window = nullptr;
    if (sysHas == 4)
        window = ManifoldDlg;
    else if (sysHas == 8)
        window = GatedToolDlg;
    else if (DesignerWindow* designer = RunningDesigner())
        window = designer->Window();
    else
        window = parentWidget();
    if (window) {
        EnableButton(window, "PrevJobBtn");
        EnableButton(window, "NewJobBtn");
    }
}
