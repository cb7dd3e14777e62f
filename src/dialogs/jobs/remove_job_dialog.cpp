#include "dialogs/jobs/remove_job_dialog.h"

#include "dialogs/jobs/job_header_texts.h"
#include "model/job_transfer.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/dbgrid.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

namespace {

std::array<db::Table*, 4> ChildTables()
{
    return {DMod->JobProfTable, DMod->JobGatedTable, DMod->JobSuctionTable, DMod->JobTrickleTable};
}

} // namespace

TRemoveJobsDlg::TRemoveJobsDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("RemoveJobsDlg"));
    SetCaption(QStringLiteral("Remove Jobs"));
    SetPosition(ui::Position::ScreenCenter);
    resize(480, 420);

    auto* v = new QVBoxLayout(this);
    Panel1 = ui::Make<QFrame>(this, "Panel1");
    auto* top = new QHBoxLayout(Panel1);
    ReturnBitBtn = ui::Make<QPushButton>(Panel1, "ReturnBitBtn", QStringLiteral("&Done"));
    ReturnBitBtn->setToolTip(QStringLiteral("Return to main"));
    CancelBitBtn = ui::Make<QPushButton>(Panel1, "CancelBitBtn", QStringLiteral("Cancel"));
    HelpBitBtn = ui::Make<QPushButton>(Panel1, "HelpBitBtn", QStringLiteral("&Help"));
    DeleteBitBtn = ui::Make<QPushButton>(Panel1, "DeleteBitBtn", QStringLiteral("Delete"));
    DeleteBitBtn->setToolTip(QStringLiteral("Delete selected job"));
    for (QPushButton* b : {ReturnBitBtn, CancelBitBtn, HelpBitBtn, DeleteBitBtn})
        top->addWidget(b);
    top->addStretch(1);
    v->addWidget(Panel1);

    Panel2 = ui::Make<QFrame>(this, "Panel2");
    auto* body = new QVBoxLayout(Panel2);
    Label1 = ui::Make<QLabel>(Panel2, "Label1", QStringLiteral("Select a  Job to Remove"));
    body->addWidget(Label1);
    body->addLayout(MakeJobHeaderTexts(Panel2, {{QStringLiteral("Job Name"), "DBText1", QStringLiteral("JobName"), &DBText1},
                                                {QStringLiteral("Date"), "DBText2", QStringLiteral("Date"), &DBText2},
                                                {QStringLiteral("Job Location"), "DBText3", QStringLiteral("Location"), &DBText3},
                                                {QStringLiteral("Job Designer"), "DBText4", QStringLiteral("Designer"), &DBText4}}));
    DBGrid1 = ui::Make<QTableView>(Panel2, "DBGrid1");
    DBGrid1->setToolTip(QStringLiteral("Select job to delete"));
    new ui::DBGrid(DBGrid1, DMod->JobPipeData,
                   {{QStringLiteral("JobNumber"), QStringLiteral("Job Number"), 80, {}, true},
                    {QStringLiteral("JobName"), QStringLiteral("Job Name"), 220, {}, true},
                    {QStringLiteral("SysType"), QStringLiteral("System Type"), 90, {}, true}});
    body->addWidget(DBGrid1, 1);
    v->addWidget(Panel2, 1);

    OnClick(ReturnBitBtn, [this] { ReturnBitBtnClick(); });
    OnClick(CancelBitBtn, [this] { CancelBitBtnClick(); }, ui::mrCancel);
    OnClick(HelpBitBtn, [this] { HelpBitBtnClick(); });
    OnClick(DeleteBitBtn, [this] { DeleteBitBtnClick(); });
    SetCancelButton(CancelBitBtn);
    Handle(DBGrid1, &QTableView::doubleClicked, [this] { DBGrid1DblClick(); });
    SetEnterKey(DBGrid1, ui::EnterKey::NextControl);
    SetControlHelpContext(DBGrid1, 19023);
}

void TRemoveJobsDlg::FormShow()
{
    Tul->Cancelled = false;
    db::Table* jobs = DMod->JobPipeTable;
    if (!jobs->Active())
        jobs->Open();
    // Jobs of every designer are listed, in name order, unless the opener
    // lists only its own kind.
    if (ListFiltered || jobs->Filtered())
        jobs->SetFiltered(ListFiltered);
    jobs->SetIndexName(QStringLiteral("JobNameIndex"));
    for (db::Table* t : ChildTables())
        if (!t->Active())
            t->Open();
    SetFocus(DBGrid1);
}

void TRemoveJobsDlg::DeleteBitBtnClick()
{
    db::Table* jobs = DMod->JobPipeTable;
    const bool none = jobs->IsEmpty();
    const QString name = none ? QString() : DMod->JobPipeTableJobName->AsString();
    if (ui::MessageDlg(QStringLiteral("DELETE: ") + name + QStringLiteral("??"), ui::MsgType::Confirmation,
                       ui::mbYesNo) != ui::mrYes)
        return;
    if (none)
        return;
    const int number = DMod->JobPipeTableJobNumber->AsInteger();
    JobTrans->RemoveStoredJob(number);
    // The job in the working tables no longer has a stored copy (told by its
    // number: another job of the same name is not that job). The user chose
    // to delete it: it is not offered for saving, which would bring it back.
    if (number != 0 && number == Tul->JobNumber) {
        ForgetStoredCopy();
        OpenJobRemoved = true;
    }
}

void TRemoveJobsDlg::ForgetStoredCopy()
{
    Tul->JobNumber = 0;
    Tul->SaveState = 2;
    db::Table* header = DMod->WorkPipeTable;
    if (!header->Active() || header->IsEmpty())
        return;
    const bool editing = header->State() == db::DataSetState::Edit || header->State() == db::DataSetState::Insert;
    if (!editing)
        header->Edit();
    DMod->WorkPipeTableJobNumber->SetAsInteger(0);
    header->Post();
    if (editing)
        header->Edit();
}

void TRemoveJobsDlg::ReturnBitBtnClick()
{
    Tul->Cancelled = false;
    Close();
}

void TRemoveJobsDlg::CancelBitBtnClick()
{
    Tul->Cancelled = true;
    Close();
}

void TRemoveJobsDlg::FormClose()
{
    if (Tul->Cancelled)
        return;
    DMod->JobPipeTable->SetIndexName(QString());
    if (DMod->JobPipeTable->Active())
        DMod->JobPipeTable->Close();
    for (db::Table* t : ChildTables())
        if (t->Active())
            t->Close();
}
