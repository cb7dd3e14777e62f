#include "dialogs/jobs/save_job_dialog.h"

#include "dialogs/calculators/gated_pipe_calculator.h"
#include "dialogs/calculators/manifold_calculator.h"
#include "dialogs/designer_window.h"
#include "model/job_transfer.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/program_kind.h"
#include "platform/db/db.h"
#include "platform/ui/application.h"
#include "platform/ui/help.h"

#include <QDir>
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

// A manifold or gated-pipe calculator job brought into the gravity designer
// by an import has become a gravity job there, lost to its calculator: it is
// neither stored (`done` "saved") nor exported ("exported") from there. Says
// so; true then.
bool CalculatorJobRefused(const QString& done)
{
    if (TSaveForm::StoresCalculatorJobs)
        return false;
    db::Table* header = DMod->WorkPipeTable;
    const int kind = header->Active() && !header->IsEmpty() ? DMod->WorkPipeTableSysHas->AsInteger() : 0;
    if (kind != 4 && kind != 8)
        return false;
    const QString calculator = kind == 4 ? QStringLiteral("manifold") : QStringLiteral("gated pipe");
    ui::MessageDlg(QStringLiteral("The job ") + DMod->WorkPipeTableJobName->AsString() + QStringLiteral(" is a ") +
                       calculator + QStringLiteral(" calculator job.  It can only be ") + done +
                       QStringLiteral(" by its calculator in Mersol, so it has not been ") + done + QStringLiteral("."),
                   ui::MsgType::Warning, ui::mbOK);
    return true;
}

// The gravity designer makes an imported job a gravity job. Exported, it
// takes the place of the transfer folder's copy of another kind that it
// came from: only on a Yes.
bool GravityExportAllowed()
{
    if (CalculatorJobRefused(QStringLiteral("exported")))
        return false;
    DMod->WorkPipeTable->CheckBrowseMode();
    const QString name = DMod->WorkPipeTableJobName->AsString();
    const QString working = DMod->WorkPipeTableSysType->AsString();
    const QString there = JobTrans->TransferSysTypeOf(name);
    if (there.isEmpty() || there == working)
        return true;
    return ui::MessageDlg(QStringLiteral("The transfer folder holds the job ") + name + QStringLiteral(" as a ") +
                              there + QStringLiteral(" job; this one is a ") + working +
                              QStringLiteral(" job.  Do you want to replace it with this one?"),
                          ui::MsgType::Confirmation, ui::mbYesNo) == ui::mrYes;
}

} // namespace

void MakeSavePrompt(ui::Form* form, QVBoxLayout* v, const char* nameComponent, const QString& groupCaption,
                    const SavePromptParts& p, const SavePromptHandlers& handlers)
{
    auto* question = *p.question =
        ui::Make<QLabel>(form, "Label1", QStringLiteral("Do you wish to save the current Job?"));
    question->setFont(ui::ArialFont(10, true));
    question->setStyleSheet(QStringLiteral("color: blue"));
    v->addWidget(question);
    auto* nameRow = new QHBoxLayout;
    *p.nameCaption = ui::Make<QLabel>(form, "Label2", QStringLiteral("Job name: "));
    auto* name = *p.name = ui::Make<QLabel>(form, nameComponent);
    name->setTextFormat(Qt::PlainText);
    name->setFont(ui::ArialFont(10, true));
    name->setStyleSheet(QStringLiteral("color: red"));
    nameRow->addWidget(*p.nameCaption);
    nameRow->addWidget(name, 1);
    v->addLayout(nameRow);

    auto* group = *p.group = ui::Make<QGroupBox>(form, "GroupBox1", groupCaption);
    auto* g = new QHBoxLayout(group);
    auto* yes = *p.yes = ui::Make<QPushButton>(group, "OKBitBtn", QStringLiteral("Yes"));
    auto* no = *p.no = ui::Make<QPushButton>(group, "NoBitBtn", QStringLiteral("No"));
    no->setToolTip(QStringLiteral("Dont save this job"));
    g->addWidget(yes);
    g->addWidget(no);
    v->addWidget(group);

    auto* exportRow = new QHBoxLayout;
    auto* exportJob = *p.exportJob = ui::Make<QPushButton>(form, "ExportBtn", QStringLiteral("Export Job"));
    auto* help = *p.helpExport = ui::Make<QToolButton>(form, "HelpExport");
    help->setText(QStringLiteral("?"));
    help->setToolTip(QStringLiteral("Help on Export"));
    exportRow->addWidget(exportJob);
    exportRow->addWidget(help);
    exportRow->addStretch(1);
    v->addLayout(exportRow);

    form->OnClick(yes, handlers.yes, ui::mrOk);
    form->OnClick(no, handlers.no, ui::mrNo);
    form->OnClick(exportJob, handlers.exportJob);
    form->OnClick(help, handlers.help);
    form->SetDefaultButton(yes);
    form->SetCancelButton(no);
}

void KeepPromptUnlessSaved(ui::Form* prompt)
{
    if (Tul->SaveState != 2)
        prompt->SetModalResult(ui::mrNone);
}

void ReportExported(bool moved)
{
    // The folder by its full path: the user has to find it to pass the job on.
    if (moved)
        ui::MessageDlg(QStringLiteral("The Job has been exported  to the 'Mersol Transfer' directory:\n") +
                           QDir::toNativeSeparators(db::Engine::instance().AliasPath(db::kTransferAlias)),
                       ui::MsgType::Information, ui::mbOK);
}

TSaveForm::TSaveForm(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("SaveForm"));
    SetCaption(QStringLiteral("Save Job?"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(19022);

    auto* v = new QVBoxLayout(this);
    MakeSavePrompt(this, v, "work", QStringLiteral("Save This Job to Database"),
                   {&Label1, &Label2, &work, &GroupBox1, &OKBitBtn, &NoBitBtn, &ExportBtn, &HelpExport},
                   {[this] { OKBitBtnClick(); }, [this] { NoBitBtnClick(); }, [this] { ExportBtnClick(); },
                    [this] { HelpExportClick(); }});

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
    KeepPromptUnlessSaved(this);
}

void TSaveForm::NoBitBtnClick()
{
    Tul->SaveState = 2;
}

void TSaveForm::ExportBtnClick()
{
    // Refused or declined: the prompt stays for Yes or No.
    if (GravityDesignerRunning() && !GravityExportAllowed())
        return;
    const bool moved = JobTrans->ExportWorkingJob();
    // The gravity designer's prompt just closes.
    if (!GravityDesignerRunning())
        ReportExported(moved);
    Close();
}

void TSaveForm::HelpExportClick()
{
    ui::HelpContext(18);
}

void TSaveForm::SaveCurrentJob()
{
    if (Tul->SaveState != 2 && CalculatorJobRefused(QStringLiteral("saved"))) {
        Tul->SaveState = 2;
        return;
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
