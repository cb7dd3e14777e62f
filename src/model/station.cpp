#include "model/station.h"

#include "model/data_module.h"
#include "model/job.h"
#include "model/program_kind.h"
#include "platform/ui/seam/msg.h"

TSta* psta[kMaxStations] = {};

QString StationCountRefusal(int numNodes)
{
    QString why;
    if (numNodes > kMaxStations)
        why = QStringLiteral("The profile has %1 nodes. A computation can take at most "
                             "%2 nodes; please shorten the profile.")
                  .arg(numNodes)
                  .arg(kMaxStations);
    else if (numNodes < 2)
        why = QStringLiteral("The profile needs at least 2 nodes, an entrance and an "
                             "end, before it can be computed.");
    if (!why.isEmpty())
        ui::MessageDlg(why, ui::MsgType::Error, ui::mbOK);
    return why;
}

void CreateStationRecords(int count)
{
    FreeStationRecords();
    if (count > kMaxStations)
        count = kMaxStations;
    for (int i = 0; i < count; ++i)
        psta[i] = new TSta;
}

void FreeStationRecords()
{
    for (TSta*& s : psta) {
        delete s;
        s = nullptr;
    }
}

void TTul::LoadJobFromWorkTables(TSta** records, int count)
{
    TDMod* d = DMod;
    WSElev = d->WorkPipeTableWSElev->AsFloat();
    OutletElev = d->WorkPipeTableOutletElev->AsFloat();
    OutletPsi = d->WorkPipeTableOutletPsi->AsFloat();
    PsiIn = d->WorkPipeTablePsiIn->AsFloat();
    // The gravity designer has no pump column: a pumped job imported there is
    // a gravity line, and the column loss it came with is no loss of it.
    ColumnLoss = GravityDesignerRunning() ? 0.0 : d->WorkPipeTableColumnLoss->AsFloat();
    PumpEffic = d->WorkPipeTablePumpEffic->AsFloat();
    SysHas = d->WorkPipeTableSysHas->AsInteger();
    TankRange = d->WorkPipeTableTankRange->AsFloat();
    PumpEyeElev = d->WorkPipeTablePumpEyeElev->AsFloat();
    PumpTypeCode = PumpTypeCodeOf(d->WorkPipeTablePumpType->AsString());
    SysTypeCode = SysTypeCodeOf(d->WorkPipeTableSysType->AsString(), SysTypeCode);

    db::Table* prof = d->WorkProfTable;
    if (!prof->Active())
        prof->Open();
    BuildStationList();

    if (count > kMaxStations)
        count = kMaxStations;
    prof->First();
    for (int i = 0; i < count; ++i) {
        TSta* r = records[i];
        if (r) {
            r->Station = d->WorkProfTableStation->AsFloat();
            r->PipeDepth = d->WorkProfTablePipeDepth->AsFloat();
            r->PipeLength = d->WorkProfTablePipeLength->AsFloat();
            r->PressurRating = d->WorkProfTablePressurRating->AsFloat();
            r->GroundElev = d->WorkProfTableGroundElev->AsFloat();
            r->InvertElev = d->WorkProfTableInvertElev->AsFloat();
            r->OutQ = d->WorkProfTableOutQ->AsFloat();
            r->InQ = d->WorkProfTableInQ->AsFloat();
            r->PipeQ = d->WorkProfTablePipeQ->AsFloat();
            r->DiaIn = d->WorkProfTableDiaIn->AsFloat();
            r->Nfac = d->WorkProfTableNfac->AsFloat();
            r->Cfac = d->WorkProfTableCfac->AsFloat();
            r->Efac = d->WorkProfTableEfac->AsFloat();
            r->K1 = d->WorkProfTableK1->AsFloat();
            r->K2 = d->WorkProfTableK2->AsFloat();
            r->K3 = d->WorkProfTableK3->AsFloat();
            r->Kid1 = d->WorkProfTableKid1->AsFloat();
            r->Kid2 = d->WorkProfTableKid2->AsFloat();
            r->Kid3 = d->WorkProfTableKid3->AsFloat();
            r->Modulus = d->WorkProfTableModulus->AsFloat();
            r->WallThick = d->WorkProfTableWallThick->AsFloat();
            r->WtPerFt = d->WorkProfTableWtPerFt->AsFloat();
            r->PipeType = d->WorkProfTablePipeType->AsString();
            r->MaxVel = d->WorkProfTableMaxVel->AsFloat();
            r->Sgl = 0.0;
            r->KLocate1 = KLocateCodeOf(d->WorkProfTableKLocate1->AsString());
            r->KLocate2 = KLocateCodeOf(d->WorkProfTableKLocate2->AsString());
            r->KLocate3 = KLocateCodeOf(d->WorkProfTableKLocate3->AsString());
            r->ReachCode = ReachCodeOf(d->WorkProfTableReachType->AsString());
            r->NodeType = d->WorkProfTableNodeType->AsInteger();
            r->PsiSet = OwnsSetPressure(r->NodeType) ? d->WorkProfTablePsiSet->AsFloat() : 0.0;
        }
        prof->Next();
    }
}
