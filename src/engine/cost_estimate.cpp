#include "engine/cost_estimate.h"

#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/station.h"
#include "model/job.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

TCost* Cost = nullptr;

void CreateCostObject() { CreateSingleObject(Cost); }

void DeleteCostObject() { DeleteSingleObject(Cost); }

namespace {

constexpr double kKwPerHp = 0.7457121551081283;        // 1/1.341
constexpr double kAcInPerGpmHour = 0.002209605;
constexpr double kDieselGalPerBhpHour = 0.060024009603841535;  // 1/16.66
constexpr double kGasBhpHoursPerMcf = 82.20;

// A zero divisor (no pumping hours, no flow, no power) stores 0.
double Ratio(double num, double den)
{
    return den != 0.0 ? Finite(num / den) : 0.0;
}

// Materials without a price row met by the running estimate, named in one
// warning at its end.
QStringList UnpricedMaterials;

// Cost per pound of a pipe material. A material without a price row is
// priced at 0 with a warning rather than at whatever row is current.
double CostPerPoundOf(const QString& material)
{
    TDMod* d = DMod;
    OpenIfClosed(d->TypeTable);
    if (d->TypeTable->Locate(QStringLiteral("PipeType"), material))
        return d->TypeTableCostPerPound->AsFloat();
    if (!UnpricedMaterials.contains(material))
        UnpricedMaterials.append(material);
    return 0.0;
}

double UnitCost(db::Field* f)
{
    return f->AsFloat();
}

} // namespace

double MotorEfficiency(double bhp)
{
    if (bhp <= 1.5) return 0.80;
    if (bhp <= 2) return 0.85;
    if (bhp <= 5) return 0.89;
    if (bhp <= 20) return 0.92;
    if (bhp <= 50) return 0.94;
    if (bhp <= 75) return 0.95;
    return 0.96;
}

double TrenchRate(double width, double to8, double to12, double to24, double over24)
{
    if (width <= 8) return to8;
    if (width <= 12) return to12;
    if (width <= 24) return to24;
    return over24;
}

void TCost::EstimateJobCost()
{
    TDMod* d = DMod;
    UnpricedMaterials.clear();
    // Every row the estimate writes is one transaction.
    db::Transaction tx(db::kMersolAlias);
    OpenIfClosed(d->WorkPipeTable);
    OpenIfClosed(d->UnitCostTable);
    OpenIfClosed(d->TypeTable);
    Tul->NumNodes = d->WorkPipeTableNumNodes->AsInteger();
    if (Tul->SysTypeCode == 4) {
        EstimateManifoldPipeCost();
    } else if (Tul->SysTypeCode == 5) {
        EstimateGatedPipeCost();
    } else {
        OpenIfClosed(d->WorkProfTable);
        // The stored node count may lag behind the profile: count its rows.
        Tul->NumNodes = d->WorkProfTable->RecordCount();
        if (Tul->SysTypeCode == 2 || Tul->SysTypeCode == 3 || Tul->PumpTypeCode == 8)
            EstimatePumpingCost(d->WorkPipeTableDesignFlow->AsFloat());
        EstimatePipeCost();
        if (Tul->SysHas == 1)
            EstimateGatedPipeCost();
        if (Tul->PumpTypeCode == 1)
            EstimateSuctionPipeCost();
        if (Tul->SysHas == 2)
            EstimateManifoldPipeCost();
    }
    tx.Commit();
    if (!UnpricedMaterials.isEmpty())
        Warn(QStringLiteral("No cost per pound found for pipe material \"%1\"; it is priced at 0.")
                 .arg(UnpricedMaterials.join(QStringLiteral("\", \""))));
    UnpricedMaterials.clear();
    if (d->UnitCostTable->Active())
        d->UnitCostTable->Close();
    if (d->TypeTable->Active())
        d->TypeTable->Close();
}

void TCost::EstimatePipeCost()
{
    TDMod* d = DMod;
    OpenIfClosed(d->WorkProfTable);
    OpenIfClosed(d->UnitCostTable);
    const int n = std::clamp(Tul->NumNodes, 0, kMaxStations);
    if (n == 0)
        return;
    // The records are read straight from the rows, so the estimate leaves the
    // job object and the profile's numbering as they are.
    StationRecordsGuard guard;
    CreateStationRecords(n);
    int loaded = 0;
    for (d->WorkProfTable->First(); !d->WorkProfTable->Eof() && loaded < n; d->WorkProfTable->Next()) {
        TSta* r = psta[loaded++];
        r->Station = d->WorkProfTableStation->AsFloat();
        r->PipeType = d->WorkProfTablePipeType->AsString();
        r->PipeDepth = d->WorkProfTablePipeDepth->AsFloat();
        r->PipeLength = d->WorkProfTablePipeLength->AsFloat();
        r->WtPerFt = d->WorkProfTableWtPerFt->AsFloat();
    }
    const double to8 = UnitCost(d->UnitCostTableTrenchTo8);
    const double to12 = UnitCost(d->UnitCostTableTrenchTo12);
    const double to24 = UnitCost(d->UnitCostTableTrenchTo24);
    const double over24 = UnitCost(d->UnitCostTableTrenchOvr24);
    for (int k = 0; k < loaded; ++k) {
        TSta* s = psta[k];
        Tul->NewStation = s->Station;
        // A record whose row is gone is left unpriced rather than written
        // into some other row.
        if (!Tul->LocateProfStation())
            continue;
        const double od = d->WorkProfTableDiaIn->AsFloat() + 2.0 * d->WorkProfTableWallThick->AsFloat();
        const double width = std::max(1.5 * od, 4.0);
        // The end node has no pipe below it: nothing to price.
        const bool pipeless = s->PipeType.isEmpty() && k == loaded - 1;
        double costFt = pipeless ? 0.0 : s->WtPerFt * CostPerPoundOf(s->PipeType);
        if (s->PipeDepth > 0)
            costFt += (s->PipeDepth + od) / 12.0 * TrenchRate(width, to8, to12, to24, over24);
        s->CostFt = Finite(costFt);
        const double rchLen = k == loaded - 1 ? 0.0 : psta[k + 1]->PipeLength;
        d->WorkProfTableRchLen->SetAsFloat(Finite(rchLen));
        d->WorkProfTableCostFt->SetAsFloat(s->CostFt);
        d->WorkProfTableRchCost->SetAsFloat(Finite(rchLen * s->CostFt));
        d->WorkProfTable->Post();
    }
}

void TCost::EstimatePumpingCost(double designFlow)
{
    TDMod* d = DMod;
    OpenIfClosed(d->UnitCostTable);
    OpenIfClosed(d->WorkPipeTable);
    db::Field* days[12] = {d->UnitCostTableDays1, d->UnitCostTableDays2,  d->UnitCostTableDays3,
                           d->UnitCostTableDays4, d->UnitCostTableDays5,  d->UnitCostTableDays6,
                           d->UnitCostTableDays7, d->UnitCostTableDays8,  d->UnitCostTableDays9,
                           d->UnitCostTableDays10, d->UnitCostTableDays11, d->UnitCostTableDays12};
    const double hrsPerDay = UnitCost(d->UnitCostTableHrsPerDay);
    double hours = 0.0;
    for (db::Field* f : days)
        hours += f->AsFloat() * hrsPerDay;
    SeasonHours = hours;

    const int pump = Tul->PumpTypeCode;
    if (!((pump >= 1 && pump <= 4) || pump == 7 || pump == 8))
        return;

    // A pump that lifts nothing uses no energy: a horsepower below zero, as
    // a head below zero would give, is priced as none.
    const double bhp = std::max(Finite(Tul->BHP), 0.0);
    const double e = MotorEfficiency(bhp);
    const double p = Ratio(100.0 * std::max(Finite(Tul->WHP), 0.0), Tul->PumpEffic);
    const double kw = p / e * kKwPerHp;

    const double firstKw = UnitCost(d->UnitCostTableFirstKW);
    const double firstCharge = UnitCost(d->UnitCostTableFirstKWCharge);
    const double addCharge = UnitCost(d->UnitCostTableAdinKWCharge);
    double energy = 0.0;
    int months = 0;
    for (db::Field* f : days) {
        const double monthDays = f->AsFloat();
        if (!(monthDays > 0))
            continue;
        ++months;
        const double kwh = kw * monthDays * hrsPerDay;
        if (kwh > firstKw)
            energy += firstKw * firstCharge + (kwh - firstKw) * addCharge;
        else
            energy += kwh * (firstCharge == 0 ? addCharge : firstCharge);
    }

    const double moFirstKw = UnitCost(d->UnitCostTableMoFirstKW);
    const double moFirstCharge = UnitCost(d->UnitCostTableMoDemandFirsKW);
    double firstBlock = 0.0;
    double addBlock = 0.0;
    if (kw > moFirstKw) {
        firstBlock = moFirstKw;
        addBlock = kw - moFirstKw;
    } else if (moFirstCharge == 0) {
        addBlock = kw;
    } else {
        firstBlock = kw;
    }
    const double elec = UnitCost(d->UnitCostTableAnSerChgPerHP) * bhp + UnitCost(d->UnitCostTableAnSerChgInstall)
                        + months * (UnitCost(d->UnitCostTableMoDemandPerHP) * bhp + firstBlock * moFirstCharge
                                    + addBlock * UnitCost(d->UnitCostTableMoDemandAdinKW))
                        + energy;
    const double acIn = designFlow * hours * kAcInPerGpmHour;
    const double diesel = p * hours * kDieselGalPerBhpHour * UnitCost(d->UnitCostTableDieselCost);
    const double gas = p * hours / kGasBhpHoursPerMcf * UnitCost(d->UnitCostTableNatGasCost);

    EditIfBrowsing(d->WorkPipeTable);
    d->WorkPipeTableAcInPumped->SetAsFloat(Finite(acIn));
    d->WorkPipeTableMotorEffic->SetAsFloat(e);
    d->WorkPipeTableSeasonPumpHrs->SetAsFloat(Finite(hours));
    d->WorkPipeTableElecSeasCst->SetAsFloat(Finite(elec));
    d->WorkPipeTableElecHrCst->SetAsFloat(Ratio(elec, hours));
    d->WorkPipeTableElecAiCst->SetAsFloat(Ratio(elec, acIn));
    d->WorkPipeTableDiesSeasCst->SetAsFloat(Finite(diesel));
    d->WorkPipeTableDiesHrCst->SetAsFloat(Ratio(diesel, hours));
    d->WorkPipeTableDiesAiCst->SetAsFloat(Ratio(diesel, acIn));
    d->WorkPipeTableGasSeasCst->SetAsFloat(Finite(gas));
    d->WorkPipeTableGasHrCst->SetAsFloat(Ratio(gas, hours));
    d->WorkPipeTableGasAiCst->SetAsFloat(Ratio(gas, acIn));
    d->WorkPipeTableAvSeasElecCst->SetAsFloat(Ratio(elec, kw * hours));
    d->WorkPipeTable->Post();
}

void TCost::EstimateGatedPipeCost()
{
    TDMod* d = DMod;
    OpenIfClosed(d->WorkGatedTable);
    OpenIfClosed(d->PipeTable);
    if (d->WorkGatedTable->RecordCount() == 0)
        return;
    const double len = d->WorkGatedTableEndSta->AsFloat() - d->WorkGatedTableStartSta->AsFloat();
    const QString desc = d->WorkGatedTablePipeDescription->AsString();
    double wt = 0.0;
    if (d->PipeTable->Locate(QStringLiteral("Pipe Description"), desc))
        wt = d->PipeTableWtPerFt->AsFloat();
    else
        Warn(QStringLiteral("No weight per foot found for pipe \"%1\"; it is priced at 0.").arg(desc));
    const double costFt = Finite(wt * CostPerPoundOf(d->WorkGatedTablePipeType->AsString()));
    EditIfBrowsing(d->WorkGatedTable);
    d->WorkGatedTableWtPerFt->SetAsFloat(wt);
    d->WorkGatedTableRchLen->SetAsFloat(Finite(len));
    d->WorkGatedTableCostFt->SetAsFloat(costFt);
    d->WorkGatedTableRchCost->SetAsFloat(Finite(len * costFt));
    d->WorkGatedTable->Post();
}

void TCost::EstimateSuctionPipeCost()
{
    TDMod* d = DMod;
    db::Table* t = d->WorkSuctionTable;
    OpenIfClosed(t);
    OpenIfClosed(d->TypeTable);
    for (t->First(); !t->Eof(); t->Next()) {
        const double cpp = CostPerPoundOf(d->WorkSuctionTablePipeType->AsString());
        EditIfBrowsing(t);
        const double costFt = Finite(d->WorkSuctionTableWtPerFt->AsFloat() * cpp);
        d->WorkSuctionTableCostFt->SetAsFloat(costFt);
        d->WorkSuctionTableRchCost->SetAsFloat(
            Finite(d->WorkSuctionTablePipeLength->AsFloat() * costFt));
        t->Post();
    }
}

void TCost::EstimateManifoldPipeCost()
{
    TDMod* d = DMod;
    db::Table* t = d->WorkTrickleTable;
    OpenIfClosed(t);
    OpenIfClosed(d->WorkPipeTable);
    struct Segment {
        QString tsta;
        double length = 0.0;
        double wtPerFt = 0.0;
    };
    std::vector<Segment> rows;
    for (t->First(); !t->Eof(); t->Next())
        rows.push_back({d->WorkTrickleTableTSta->AsString(), d->WorkTrickleTablePipeLength->AsFloat(),
                        d->WorkTrickleTableWtPerFt->AsFloat()});
    if (rows.empty())
        return;
    const double cpp = CostPerPoundOf(d->WorkPipeTableTriclPType->AsString());
    for (size_t k = 0; k < rows.size(); ++k) {
        const double costFt = Finite(rows[k].wtPerFt * cpp);
        const double rchLen = k + 1 == rows.size() ? 0.0 : rows[k + 1].length;
        if (!t->Locate(QStringLiteral("TSta"), rows[k].tsta))
            continue;
        EditIfBrowsing(t);
        d->WorkTrickleTableRchLen->SetAsFloat(Finite(rchLen));
        d->WorkTrickleTableCostFt->SetAsFloat(costFt);
        d->WorkTrickleTableRchCost->SetAsFloat(Finite(rchLen * costFt));
        t->Post();
    }
}
