#include "dialogs/jobs/save_tool_job_dialog.h"

#include "dialogs/jobs/save_job_dialog.h"
#include "dialogs/calculators/air_vacuum_calculator.h"
#include "dialogs/calculators/stock_water_calculator.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "platform/ui/help.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kStockWater = 5;
constexpr int kAirVacuum = 6;

// The calculator that asks, when it is open.
CalculatorJobForm* Asking()
{
    if (DMod->ToolKind == kStockWater) return StockCalcDlg;
    if (DMod->ToolKind == kAirVacuum) return AirVacDlg;
    return nullptr;
}

} // namespace

TSaveTJob::TSaveTJob(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("SaveTJob"));
    SetCaption(QStringLiteral("Save Job?"));
    SetPosition(ui::Position::OwnerCenter);

    auto* v = new QVBoxLayout(this);
    MakeSavePrompt(this, v, "JobNameLbl", QStringLiteral("Save This Job to Database ?"),
                   {&Label1, &Label2, &JobNameLbl, &GroupBox1, &OKBitBtn, &NoBitBtn, &ExportBtn, &HelpExport},
                   {[this] { OKBitBtnClick(); }, [this] { NoBitBtnClick(); }, [this] { ExportBtnClick(); },
                    [this] { HelpExportClick(); }});
    OKBitBtn->setToolTip(QStringLiteral("Save the current job"));
}

void TSaveTJob::FormShow()
{
    if (CalculatorJobForm* calculator = Asking())
        JobNameLbl->setText(calculator->CalcJobName);
}

void TSaveTJob::OKBitBtnClick()
{
    SaveCurrentToolJob();
    KeepPromptUnlessSaved(this);
}

void TSaveTJob::NoBitBtnClick()
{
    Tul->SaveState = 2;
}

void TSaveTJob::ExportBtnClick()
{
    bool moved = false;
    if (DMod->ToolKind == kStockWater)
        moved = JobTrans->ExportToolJob(DMod->WorkSWaterTable, DMod->TransSWaterTable);
    else if (DMod->ToolKind == kAirVacuum)
        moved = JobTrans->ExportToolJob(DMod->WorkAvacTable, DMod->TransAirvacTable);
    ReportExported(moved);
    Close();
}

void TSaveTJob::HelpExportClick()
{
    ui::HelpContext(18);
}

void TSaveTJob::SaveCurrentToolJob()
{
    if (Tul->SaveState != 0 && Tul->SaveState != 1)
        return;
    if (DMod->ToolKind == kAirVacuum) {
        // The store leaves SaveState at 2 only when it stored.
        if (JobTrans->StoreAirVacJob() && AirVacDlg)
            AirVacDlg->JobStored(Tul->JobName, Tul->JobNumber);
        return;
    }
    if (DMod->ToolKind != kStockWater)
        return;
    const bool stored = Tul->SaveState == 0 ? SaveNewStockJob() : OverwriteStockJob();
    if (!stored)
        return;
    Tul->SaveState = 2;
}

namespace {

bool StoreStockJob(bool overwrite)
{
    const int number = JobTrans->StoreStockWaterJob(overwrite);
    if (number == 0)
        return false;
    if (StockCalcDlg)
        StockCalcDlg->JobStored(DMod->WorkSWaterTableJobName->AsString(), number);
    return true;
}

} // namespace

bool TSaveTJob::SaveNewStockJob()
{
    return StoreStockJob(false);
}

bool TSaveTJob::OverwriteStockJob()
{
    return StoreStockJob(true);
}
