#include "dialogs/database/tool_job_save_dialog.h"

#include "dialogs/database/save_job_dialog.h"
#include "dialogs/system/air_vacuum_calculator.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "platform/ui/help.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kAirVacTool = 6;

} // namespace

TSaveTJob::TSaveTJob(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("SaveTJob"));
    SetCaption(QStringLiteral("Save Job?"));
    SetPosition(ui::Position::OwnerCenter);

    auto* v = new QVBoxLayout(this);
    Label1 = ui::Make<QLabel>(this, "Label1", QStringLiteral("Do you wish to save the current Job?"));
    v->addWidget(Label1);
    auto* nameRow = new QHBoxLayout;
    Label2 = ui::Make<QLabel>(this, "Label2", QStringLiteral("Job name: "));
    JobNameLbl = ui::Make<QLabel>(this, "JobNameLbl");
    JobNameLbl->setTextFormat(Qt::PlainText);
    nameRow->addWidget(Label2);
    nameRow->addWidget(JobNameLbl, 1);
    v->addLayout(nameRow);

    const SaveAnswerButtons answers =
        AddSaveAnswerButtons(this, v, QStringLiteral("Save This Job to Database ?"),
                             {[this] { OKBitBtnClick(); }, [this] { NoBitBtnClick(); },
                              [this] { ExportBtnClick(); }, [this] { HelpExportClick(); }});
    GroupBox1 = answers.group;
    OKBitBtn = answers.yes;
    OKBitBtn->setToolTip(QStringLiteral("Save the current job"));
    NoBitBtn = answers.no;
    ExportBtn = answers.exportJob;
    HelpExport = answers.help;
}

void TSaveTJob::FormShow()
{
    JobNameLbl->setText(DMod->ToolKind == kAirVacTool && AirVacDlg ? AirVacDlg->CalcJobName : QString());
}

void TSaveTJob::OKBitBtnClick()
{
    // A refused name keeps the prompt open, to be left by No or Export on purpose.
    if (!SaveCurrentToolJob())
        SetModalResult(ui::mrNone);
}

void TSaveTJob::NoBitBtnClick()
{
    Tul->SaveState = 2;
}

void TSaveTJob::ExportBtnClick()
{
    if (DMod->ToolKind == kAirVacTool && JobTrans->ExportAirVacJob())
        ShowJobExported();
    Close();
}

void TSaveTJob::HelpExportClick()
{
    ui::HelpContext(18);
}

bool TSaveTJob::SaveCurrentToolJob()
{
    if (DMod->ToolKind != kAirVacTool || (Tul->SaveState != 0 && Tul->SaveState != 1))
        return true;
    if (!JobTrans->StoreAirVacJob())
        return false;
    if (AirVacDlg)
        AirVacDlg->JobStored();
    return true;
}
