#include "mainwindow/mersol_window.h"

#include "dialogs/system/system_dialog_rules.h"
#include "model/data_module.h"
#include "platform/chart/chartwidget.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>

// The system panel of the job page: what each system data dialog shows of
// the entrance there.

namespace {

// One control of the panel in the seven columns, in the order of
// SystemPanel: 'V' shown, 'h' hidden, '-' left alone; a caption written
// where one is given (nullptr leaves the caption as it is).
struct PanelRow {
    QWidget* control;
    const char* state;
    const char* captions[7];
};

void setCaption(QWidget* w, const char* text)
{
    if (!text) return;
    if (auto* l = qobject_cast<QLabel*>(w)) l->setText(QString::fromLatin1(text));
}

} // namespace

// The pressurised-main panel by its pressure status: the pressure at the
// main shows only when it is known.
static void showPressureStatus(TMersolForm* f, bool known)
{
    f->pctLbl1->setText(known ? QStringLiteral("Known Required Pressure") : QStringLiteral("Find Required Pressure"));
    f->WSElevDBTxt->hide();
    if (known) {
        f->WaterSElevLbl->setText(QStringLiteral("Lateral Entrance Pressure"));
        f->feetLbl1->setText(QStringLiteral("psi"));
    }
    for (QWidget* w : {static_cast<QWidget*>(f->WaterSElevLbl), static_cast<QWidget*>(f->PsiInDBTxt),
                       static_cast<QWidget*>(f->feetLbl1)})
        w->setVisible(known);
}

// The centrifugal pump shows its suction line and suction heads as well.
static void showCentrifugalPanel(TMersolForm* f)
{
    f->EntranceDataGroupBox->setTitle(QStringLiteral("Centrifugal Pump Data (Click on 'System' button to edit)"));
    const std::pair<QLabel*, const char*> captions[] = {
        {f->WaterSElevLbl, "Water Surface Elevation"}, {f->feetLbl1, "feet"},
        {f->PumpEyeLbl, "Elevation of Pump Eye"},      {f->AltitudeLbl, "Altitude (Elevation)"},
        {f->ColumnLossLbl, "Friction Loss in Suction Pipe"}, {f->PumpEffLbl, "Estimated Pump Efficiency"},
        {f->pctLbl1, "percent"},                      {f->WaterTempLbl, "Maximum Probable Water Temp"},
        {f->degLblx, "degrees"}};
    for (const auto& [label, text] : captions) label->setText(QString::fromLatin1(text));
    for (QWidget* w : f->EntranceDataGroupBox->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w != f->Qcfs && w != f->cfsLbl) w->show();
    for (QWidget* w : {static_cast<QWidget*>(f->PsiInDBTxt), static_cast<QWidget*>(f->ClearHeadDBTxt),
                       static_cast<QWidget*>(f->TankRangeDBTxt)})
        w->hide();
    QPalette pal = f->pctLbl1->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    f->pctLbl1->setPalette(pal);
    f->pctLbl1->move(208, f->pctLbl1->y());
}

void TMersolForm::RewriteSystemPanel(SystemPanel column)
{
    TMersolForm* f = this;
    if (column == SystemPanel::Centrifugal) return showCentrifugalPanel(f);
    if (column == SystemPanel::PressureFind || column == SystemPanel::PressureKnown)
        return showPressureStatus(f, column == SystemPanel::PressureKnown);
    const int c = int(column);
    static const char* const groupCaptions[7] = {
        "Known Flow Gravity System Data (Click on 'System' button to edit)",
        "Maximum Flow Gravity System Data (Click on 'System' button to edit)",
        "Pressurized From Mainline Data (Click on 'System' button to edit)",
        "Turbine Pump Data (Click on 'System' button to edit)",
        "Propeller Pump Data (Click on 'System' button to edit)",
        "Booster Pump Data (Click on 'System' button to edit)",
        "Automatic Pressure Tank System Data (Click on 'System' button to edit)",
    };
    f->EntranceDataGroupBox->setTitle(QString::fromLatin1(groupCaptions[c]));

    const char* wse = "Water Surface Elevation";
    const char* phd = "Pump Head Discharge Elevation";
    const char* eff = "Estimated Pump Efficiency";
    const PanelRow rows[] = {
        {f->WaterSElevLbl, "VVVVVVV", {wse, wse, "Lateral Entrance Pressure", wse, wse, "Pressure at Pump Inlet", wse}},
        {f->WSElevDBTxt, "VVhVVhV", {}},
        {f->PsiInDBTxt, "hhVhhVh", {}},
        {f->feetLbl1, "VVVVVVV", {"feet", "feet", "psi", "feet", "feet", "psi", "feet"}},
        {f->PumpEyeLbl, "hhhVVVV", {phd, "", "", phd, phd, "Elevation of Pump Eye", "Inlet Elev at Tank or Pipe"}},
        {f->PumpEyeElevDBTxt, "hhhVVVV", {}},
        {f->feetLbl2, "hhhVVVV", {}},
        {f->AltitudeLbl, "hhhhhhV", {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "Clearance Head"}},
        {f->ClearHeadDBTxt, "hhhhhhV", {}},
        {f->feetLblx, "hhhhhhV", {}},
        {f->ColumnLossLbl, "hhhhVhV", {nullptr, nullptr, nullptr, nullptr, "Friction Head in Additional Pump Column",
                                       nullptr, "Estimated Friction Loss Due to Pump Piping"}},
        {f->ColumnLossDBTxt, "hhhhVhV", {}},
        {f->feetLbl4, "hhhhVhV", {}},
        {f->PumpEffLbl, "hhVVVVV", {nullptr, nullptr, "Pressure Status", nullptr, eff, eff, eff}},
        {f->PumpEfficDBTxt, "hhhVVVV", {}},
        {f->pctLbl1, "hhVVVVV", {nullptr, nullptr, nullptr, nullptr, "percent", "percent", "percent"}},
        {f->WaterTempLbl, "hhhhhhV", {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "Pressure Tank Operating Range"}},
        {f->TankRangeDBTxt, "--h-hhV", {}},
        {f->degLblx, "hhhhhhV", {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "psi"}},
    };
    for (const PanelRow& r : rows) {
        if (r.state[c] == 'V') r.control->show();
        else if (r.state[c] == 'h') r.control->hide();
        setCaption(r.control, r.captions[c]);
    }
    for (QWidget* w : {static_cast<QWidget*>(f->DesignFlowLbl), static_cast<QWidget*>(f->DesignFlowDBTxt),
                       static_cast<QWidget*>(f->gpmLbl1), static_cast<QWidget*>(f->EntNotesLbl),
                       static_cast<QWidget*>(f->EntNotesMemo)})
        w->show();
    for (QWidget* w : {static_cast<QWidget*>(f->AltitudeDBTxt), static_cast<QWidget*>(f->WaterTempDBTxt),
                       static_cast<QWidget*>(f->SucPipeLbl), static_cast<QWidget*>(f->CentPumpGrid),
                       static_cast<QWidget*>(f->AvailSHLbl), static_cast<QWidget*>(f->feetASH),
                       static_cast<QWidget*>(f->AvailSHDBTxt), static_cast<QWidget*>(f->TDSHLbl),
                       static_cast<QWidget*>(f->feetTDSH), static_cast<QWidget*>(f->TDSHDBTxt)})
        w->hide();

    // Values that stand in for another take its place.
    if (column == SystemPanel::PressurisedMain || column == SystemPanel::Booster)
        f->PsiInDBTxt->move(f->WSElevDBTxt->pos());
    if (column == SystemPanel::Tank) {
        f->ClearHeadDBTxt->move(f->AltitudeDBTxt->pos());
        f->TankRangeDBTxt->move(f->WaterTempDBTxt->pos());
        f->degLblx->move(208, f->WaterTempDBTxt->y());
    }
    QPalette pal = f->pctLbl1->palette();
    if (column == SystemPanel::PressurisedMain) {
        pal.setColor(QPalette::WindowText, QColor(128, 0, 0));
        f->pctLbl1->move(168, f->PumpEfficDBTxt->y());
    } else if (column == SystemPanel::Propeller || column == SystemPanel::Booster || column == SystemPanel::Tank) {
        pal.setColor(QPalette::WindowText, Qt::black);
    }
    f->pctLbl1->setPalette(pal);
}

void TMersolForm::ShowDesignFlowCfs(double cfs)
{
    Qcfs->setText(CfsText(cfs));
    // The cfs stands beside the design flow the dialog left in the panel; the
    // pressurised main shows it without its unit, as its job page does.
    const bool flowShown = DesignFlowDBTxt->isVisibleTo(EntranceDataGroupBox);
    Qcfs->setVisible(flowShown);
    cfsLbl->setVisible(flowShown && DMod->WorkPipeTableSysType->AsString() != QLatin1String("PRESSURE"));
}

