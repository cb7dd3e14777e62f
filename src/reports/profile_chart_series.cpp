#include "reports/profile_chart_series.h"

#include "engine/pump_results.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/chart/colors.h"
#include "platform/db/db.h"

#include <initializer_list>

using chart::Series;
using chart::WindowsColor;
namespace wc = chart::wincolor;

namespace {

void OpenIfClosed(db::Table* t)
{
    if (!t->Active())
        t->Open();
}

constexpr double kFeetPerPsi = 2.307124400147656;

} // namespace

void FillProfileChartSeries(const ProfileChartSeries& s, const ProfileChartRules& rules)
{
    const QColor red = WindowsColor(wc::Red), green = WindowsColor(wc::Green), blue = WindowsColor(wc::Blue),
                 yellow = WindowsColor(wc::Yellow), aqua = WindowsColor(wc::Aqua), lime = WindowsColor(wc::Lime),
                 fuchsia = WindowsColor(wc::Fuchsia), maroon = WindowsColor(wc::Maroon),
                 black = WindowsColor(wc::Black), purple = WindowsColor(wc::Purple);
    TDMod& d = *DMod;

    for (Series* x : {s.Hgl, s.Invert, s.Ground, s.WaterSurface, s.GatedPipe, s.Manifold, s.Pump, s.OffElev,
                      s.OnElev, s.GatedStartHgl, s.GatedMidHgl, s.GatedEndHgl, s.AirValve, s.Outflow, s.Inflow})
        x->Clear();

    db::Table* prof = d.WorkProfTable;
    OpenIfClosed(d.WorkPipeTable);
    OpenIfClosed(prof);
    prof->First();
    const double firstStation = d.WorkProfTableStation->AsFloat();
    // A pump is marked 2 ft above its eye; an entrance pump given no eye
    // (a turbine's discharge elevation is optional) above the ground it
    // stands on, never at 2 ft off the line.
    const double pumpMark = (d.WorkPipeTablePumpEyeElev->IsNull() ? d.WorkProfTableGroundElev->AsFloat()
                                                                   : d.WorkPipeTablePumpEyeElev->AsFloat())
                            + 2.0;
    const QString pumpLabel = QStringLiteral("Pump");

    // -100 is the entry for a job without a water surface.
    const double wsElev = d.WorkPipeTableWSElev->AsFloat();
    if (wsElev != kNoWaterSurface)
        s.WaterSurface->Add(firstStation, wsElev, QString(), yellow);
    if (Tul->SysTypeCode == 2)
        s.Pump->Add(firstStation, pumpMark, pumpLabel, black);

    Tul->FirstPoint = true;
    const bool tank = Tul->PumpTypeCode == 7;
    double onLevelPastReducer = Tul->BoosterSgl;
    double lastStation = 0.0;
    for (; !prof->Eof(); prof->Next()) {
        const double station = d.WorkProfTableStation->AsFloat();
        const double ground = d.WorkProfTableGroundElev->AsFloat();
        const double invert = d.WorkProfTableInvertElev->AsFloat();
        const int nodeType = d.WorkProfTableNodeType->AsInteger();
        const double psiSet = d.WorkProfTablePsiSet->AsFloat();
        lastStation = station;
        s.Hgl->Add(station, d.WorkProfTableHgl->AsFloat(), QString(), red);
        // The grade line steps at a booster or reducer to the grade it
        // starts below it, each its own, as the Detailed report prints it.
        if (nodeType == 2 || nodeType == 3)
            s.Hgl->Add(station, StoredGradeBelowNode(), QString(), red);
        // Each booster at its own node: the job has one eye, the first's.
        if (nodeType == 2)
            s.Pump->Add(station, ground + 2.0, pumpLabel, black);
        if (d.WorkProfTableOutQ->AsFloat() > 0)
            s.Outflow->Add(station, ground + 8.0, d.WorkProfTableOutQ->AsString() + QStringLiteral(" gpm Outflow"),
                           black);
        if (d.WorkProfTableInQ->AsFloat() > 0)
            s.Inflow->Add(station, ground + 8.0, d.WorkProfTableInQ->AsString() + QStringLiteral(" gpm Inflow"),
                          black);
        if (nodeType == 3) {
            // Only a pressure tank has on and off levels: another job's are
            // no levels of it (0 after a set pressure).
            if (tank) {
                s.OffElev->Add(station, Tul->OffElev, QString(), aqua);
                s.OnElev->Add(station, Tul->OnElev, QString(), lime);
            }
            // The tank's on level goes on at the reducer's own set grade.
            if (psiSet > 0)
                onLevelPastReducer = kFeetPerPsi * psiSet + invert;
            Tul->FirstPoint = false;
        }
        s.Invert->Add(station, invert, QString(), blue);
        s.Ground->Add(station, ground, QString(), green);
        if (tank) {
            // A pressure tank's on and off levels run along the profile; past a
            // reducer only the on line goes on, at the reducer's set grade.
            if (Tul->FirstPoint) {
                s.OffElev->Add(station, Tul->OffElev, QString(), aqua);
                s.OnElev->Add(station, Tul->OnElev, QString(), lime);
            } else {
                s.OnElev->Add(station, onLevelPastReducer, QString(), lime);
            }
        }
        if (d.WorkProfTableAirVacSize->AsFloat() > 0)
            s.AirValve->Add(station, ground + rules.airValveRise, QString(), purple);
    }

    if (Tul->SysHas == 1) {
        db::Table* gated = d.WorkGatedTable;
        OpenIfClosed(gated);
        // A gated end whose gated pipe was never laid out has nothing to draw.
        if (!gated->IsEmpty()) {
            gated->First();
            auto v = [](db::Field* f) { return f->AsFloat(); };
            const double startSta = v(d.WorkGatedTableStartSta), startHgl = v(d.WorkGatedTableStartHGL);
            const bool mid = d.WorkGatedTableIsMidSeg->AsBoolean();
            s.Hgl->Add(lastStation, startHgl, QString(), red);
            s.Invert->Add(lastStation, v(d.WorkGatedTableStartElev), QString(), blue);
            s.GatedPipe->Add(startSta, v(d.WorkGatedTableStartElev), QString(), fuchsia);
            s.GatedPipe->Add(v(d.WorkGatedTableStaAsta), v(d.WorkGatedTableStaAElev), QString(), fuchsia);
            if (mid) {
                s.GatedPipe->Add(v(d.WorkGatedTableMidSta), v(d.WorkGatedTableMidElev), QString(), fuchsia);
                s.GatedPipe->Add(v(d.WorkGatedTableStaCsta), v(d.WorkGatedTableStaCElev), QString(), fuchsia);
            }
            s.GatedPipe->Add(v(d.WorkGatedTableStaDsta), v(d.WorkGatedTableStaDElev), QString(), fuchsia);
            s.GatedPipe->Add(v(d.WorkGatedTableEndSta), v(d.WorkGatedTableEndElev), QString(), fuchsia);
            if (mid) {
                s.GatedMidHgl->Add(startSta, startHgl, QString(), fuchsia);
                s.GatedMidHgl->Add(v(d.WorkGatedTableMidSta), v(d.WorkGatedTableMidHGL), QString(), fuchsia);
                s.GatedMidHgl->Add(v(d.WorkGatedTableStaCsta), v(d.WorkGatedTableCHGL), QString(), fuchsia);
            }
            s.GatedEndHgl->Add(startSta, startHgl, QString(), black);
            s.GatedEndHgl->Add(v(d.WorkGatedTableStaDsta), v(d.WorkGatedTableDHGL), QString(), black);
            s.GatedEndHgl->Add(v(d.WorkGatedTableEndSta), v(d.WorkGatedTableEndHGL), QString(), black);
            s.GatedStartHgl->Add(startSta, startHgl, QString(), blue);
            s.GatedStartHgl->Add(v(d.WorkGatedTableStaAsta), v(d.WorkGatedTableAHGL), QString(), blue);
        }
    }

    if (Tul->SysHas == 2) {
        db::Table* trickle = d.WorkTrickleTable;
        OpenIfClosed(trickle);
        trickle->First();
        if (!trickle->Eof())
            s.Invert->Add(lastStation, d.WorkTrickleTableInvertElev->AsFloat(), QString(), blue);
        for (; !trickle->Eof(); trickle->Next()) {
            const double station = d.WorkTrickleTableStation->AsFloat();
            s.Manifold->Add(station, d.WorkTrickleTableInvertElev->AsFloat(), QString(), maroon);
            s.Hgl->Add(station, d.WorkTrickleTableHgl->AsFloat(), QString(), red);
        }
    }
}

void LegendOfDrawnSeries(chart::Chart& c)
{
    for (int i = 0; i < c.SeriesCount(); ++i)
        c.SeriesAt(i)->ShowInLegend = c.SeriesAt(i)->Count() > 0;
}
