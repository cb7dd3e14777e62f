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

SaveAnswerButtons AddSaveAnswerButtons(ui::Form* form, QVBoxLayout* layout, const QString& groupCaption,
                                       SaveAnswerHandlers handlers)
{
    SaveAnswerButtons b{};
    b.group = ui::Make<QGroupBox>(form, "GroupBox1", groupCaption);
    auto* g = new QHBoxLayout(b.group);
    b.yes = ui::Make<QPushButton>(b.group, "OKBitBtn", QStringLiteral("Yes"));
    b.no = ui::Make<QPushButton>(b.group, "NoBitBtn", QStringLiteral("No"));
    b.no->setToolTip(QStringLiteral("Dont save this job"));
    g->addWidget(b.yes);
    g->addWidget(b.no);
    layout->addWidget(b.group);

    auto* exportRow = new QHBoxLayout;
    b.exportJob = ui::Make<QPushButton>(form, "ExportBtn", QStringLiteral("Export Job"));
    b.help = ui::Make<QToolButton>(form, "HelpExport");
    b.help->setText(QStringLiteral("?"));
    b.help->setToolTip(QStringLiteral("Help on Export"));
    exportRow->addWidget(b.exportJob);
    exportRow->addWidget(b.help);
    exportRow->addStretch(1);
    layout->addLayout(exportRow);

    form->OnClick(b.yes, std::move(handlers.yes), ui::mrOk);
    form->OnClick(b.no, std::move(handlers.no), ui::mrNo);
    form->OnClick(b.exportJob, std::move(handlers.exportJob));
    form->OnClick(b.help, std::move(handlers.help));
    form->SetDefaultButton(b.yes);
    form->SetCancelButton(b.no);
    return b;
}

void ShowJobExported()
{
    ui::MessageDlg(QStringLiteral("The Job has been exported  to the 'Mersol Transfer' directory"),
                   ui::MsgType::Information, ui::mbOK);
}

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

    const SaveAnswerButtons answers =
        AddSaveAnswerButtons(this, v, QStringLiteral("Save This Job to Database"),
                             {[this] { OKBitBtnClick(); }, [this] { NoBitBtnClick(); },
                              [this] { ExportBtnClick(); }, [this] { HelpExportClick(); }});
    GroupBox1 = answers.group;
    OKBitBtn = answers.yes;
    NoBitBtn = answers.no;
    ExportBtn = answers.exportJob;
    HelpExport = answers.help;

    Memo1 = ui::Make<QPlainTextEdit>(this, "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setPlainText(kLeavingNote.join(QLatin1Char('\n')));
    Memo1->setFixedHeight(120);
    v->addWidget(Memo1);

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
        ShowJobExported();
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
