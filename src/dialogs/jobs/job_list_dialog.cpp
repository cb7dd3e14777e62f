#include "dialogs/jobs/job_list_dialog.h"

#include "dialogs/jobs/job_header_texts.h"
#include "dialogs/designer_window.h"
#include "model/job_transfer.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "reports/job_list_report.h"

#include <QAbstractButton>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TJobListForm::TJobListForm(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("JobListForm"));
    SetCaption(QStringLiteral("Select Existing Job to View or Edit"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(19024);
    resize(460, 420);

    auto* v = new QVBoxLayout(this);
    Panel1 = ui::Make<QFrame>(this, "Panel1");
    auto* top = new QHBoxLayout(Panel1);
    OKBitBtn1 = ui::Make<QPushButton>(Panel1, "OKBitBtn1", QStringLiteral("OK"));
    OKBitBtn1->setToolTip(QStringLiteral("Select job and continue"));
    CancelBitBtn2 = ui::Make<QPushButton>(Panel1, "CancelBitBtn2", QStringLiteral("Cancel"));
    ReportBitBtn3 = ui::Make<QPushButton>(Panel1, "ReportBitBtn3", QStringLiteral("Report"));
    ImportJobBtn = ui::Make<QPushButton>(Panel1, "ImportJobBtn", QStringLiteral("Import Job"));
    HelpImport = ui::Make<QToolButton>(Panel1, "HelpImport");
    HelpImport->setText(QStringLiteral("?"));
    HelpImport->setToolTip(QStringLiteral("Help on Importing"));
    for (QWidget* w : std::initializer_list<QWidget*>{OKBitBtn1, CancelBitBtn2, ReportBitBtn3, ImportJobBtn, HelpImport})
        top->addWidget(w);
    top->addStretch(1);
    v->addWidget(Panel1);

    Panel2 = ui::Make<QFrame>(this, "Panel2");
    auto* body = new QVBoxLayout(Panel2);
    body->addLayout(MakeJobHeaderTexts(Panel2, {{QStringLiteral("JobName"), "DBText1", QStringLiteral("JobName"), &DBText1},
                                                {QStringLiteral("Date"), "DBText4", QStringLiteral("Date"), &DBText4},
                                                {QStringLiteral("Job Location"), "DBText2", QStringLiteral("Location"), &DBText2},
                                                {QStringLiteral("Job Planner"), "DBText3", QStringLiteral("Designer"), &DBText3}}));
    body->addWidget(new QLabel(QStringLiteral("Select a Job"), Panel2));
    DBGrid1 = ui::Make<QTableView>(Panel2, "DBGrid1");
    new ui::DBGrid(DBGrid1, DMod->JobPipeData,
                   {{QStringLiteral("JobName"), QStringLiteral("Job Name"), 260, {}, true},
                    {QStringLiteral("SysType"), QStringLiteral("System Type"), 80, {}, true}});
    body->addWidget(DBGrid1, 1);
    v->addWidget(Panel2, 1);

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); }, ui::mrOk);
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); }, ui::mrCancel);
    OnClick(ReportBitBtn3, [this] { ReportBitBtn3Click(); });
    OnClick(ImportJobBtn, [this] { ImportJobBtnClick(); });
    OnClick(HelpImport, [this] { HelpImportClick(); });
    SetCancelButton(CancelBitBtn2);
    Handle(DBGrid1, &QTableView::doubleClicked, [this] { DBGrid1DblClick(); });
    // Enter on a job picks it, as a double click does.
    SetEnterKey(DBGrid1, ui::EnterKey::PressTarget, OKBitBtn1);
    SetControlHelpContext(DBGrid1, 19024);
    setTabOrder(DBGrid1, OKBitBtn1);
}

void TJobListForm::FormShow()
{
    Tul->Cancelled = false;
    db::Table* jobs = DMod->JobPipeTable;
    if (!jobs->Active())
        jobs->Open();
    jobs->SetFiltered(true);
    jobs->Refresh();   // the opener has just chosen the filter mode
    jobs->SetIndexName(QStringLiteral("JobNameIndex"));
    jobs->First();
    SetFocus(DBGrid1);
}

void TJobListForm::OKBitBtn1Click()
{
    Tul->Cancelled = false;
    Close();
}

void TJobListForm::DBGrid1DblClick()
{
    OKBitBtn1Click();
}

void TJobListForm::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    Close();
}

void TJobListForm::ReportBitBtn3Click()
{
    PreviewJobListReport(this);
}

void TJobListForm::ImportJobBtnClick()
{
    if (!JobTrans->ImportTransferJob())
        return;
    // The working tables hold a job of the window again: its close and the
    // save dialog must treat it as one.
    DMod->WorkTablesFree = false;
    imported_ = true;
    DMod->JobFilterMode = 2;
    if (DesignerWindow* designer = RunningDesigner()) designer->TakeImportedJob();
    Close();
}

bool LoadPickedJob(ui::Cursor before)
{
    // The list may have left another cursor (its report shows the arrow).
    ui::SetScreenCursor(before);
    ui::CursorScope wait(ui::Cursor::HourGlass);
    if (!JobTrans->LoadStoredJob())
        return false;
    DMod->WorkTablesFree = false;   // as after an import
    return true;
}

void TJobListForm::HelpImportClick()
{
    ui::HelpContext(18);
}

void TJobListForm::FormClose()
{
    db::Table* jobs = DMod->JobPipeTable;
    if (Tul->Cancelled) {
        Tul->JobListCancelled = true;
    } else if (imported_) {
        // The import has described its own job; the row the list stood on
        // has nothing to do with it.
        jobs->SetIndexName(QString());
    } else if (!jobs->Active() || jobs->IsEmpty()) {
        // No job to pick: the same as Cancel, so no empty job is loaded.
        Tul->JobListCancelled = true;
    } else {
        Tul->JobName = DMod->JobPipeTableJobName->AsString();
        Tul->JobNumber = DMod->JobPipeTableJobNumber->AsInteger();
        jobs->SetIndexName(QString());
    }
    if (jobs->Filtered())
        jobs->SetFiltered(false);
    if (jobs->Active())
        jobs->Close();
}

void ReportEmptyJobStore(QAbstractButton* prevJobBtn)
{
    db::Table* jobs = DMod->JobPipeTable;
    if (!jobs->Active()) jobs->Open();
    if (!jobs->IsEmpty()) return;
    ui::MessageDlg(QStringLiteral("There are no previous jobs available in database."), ui::MsgType::Information,
                   ui::mbOK);
    prevJobBtn->setEnabled(false);
    jobs->Close();
}
