#include "sample_jobs.h"

#include "model/database_setup.h"
#include "platform/db/db.h"

#include <QDir>

namespace bench {

BenchDatabase::BenchDatabase()
{
    ui::SetMessageSink(&sink_);
    db::Engine::instance().CloseAll();
    ConfigureDatabase(dir_.filePath(QStringLiteral("Mersol")), dir_.filePath(QStringLiteral("Mersol Transfer")));
    QDir::setCurrent(dir_.path());
    dm_ = std::make_unique<TDMod>();
    DMod = dm_.get();
}

BenchDatabase::~BenchDatabase()
{
    DMod = nullptr;
    dm_.reset();
    db::Engine::instance().CloseAll();
    ui::SetMessageSink(nullptr);
}

void MakeGravityLine100()
{
    TDMod& d = *DMod;
    db::Transaction tx(db::kMersolAlias);
    d.WorkPipeTable->Open();
    d.WorkPipeTable->EmptyTable();
    d.WorkPipeTable->Append();
    d.WorkPipeTableJobName->SetAsString("Bench");
    d.WorkPipeTableSysType->SetAsString("GRAVITY");
    d.WorkPipeTableNumNodes->SetAsInteger(100);
    d.WorkPipeTableWSElev->SetAsFloat(1010);
    d.WorkPipeTableOutletElev->SetAsFloat(900);
    d.WorkPipeTableOutletPsi->SetAsFloat(5);
    d.WorkPipeTableWaterTemp->SetAsFloat(60);
    d.WorkPipeTable->Post();

    d.WorkProfTable->Open();
    d.WorkProfTable->EmptyTable();
    for (int i = 0; i < 100; ++i) {
        d.WorkProfTable->Append();
        d.WorkProfTableStation->SetAsFloat(100.0 * i);
        d.WorkProfTableTSta->SetAsString(QStringLiteral("%1+00").arg(i));
        d.WorkProfTableGroundElev->SetAsFloat(1003 - 0.5 * i);
        d.WorkProfTableInvertElev->SetAsFloat(1000 - 0.5 * i);
        d.WorkProfTablePipeDepth->SetAsFloat(30);
        d.WorkProfTablePipeQ->SetAsFloat(400);
        d.WorkProfTableDiaIn->SetAsFloat(i < 50 ? 8 : 6);
        d.WorkProfTableCfac->SetAsFloat(150);
        d.WorkProfTablePipeType->SetAsString("PVC SDR");
        d.WorkProfTableWtPerFt->SetAsFloat(i < 50 ? 2.9 : 1.7);
        d.WorkProfTablePressurRating->SetAsFloat(160);
        d.WorkProfTableModulus->SetAsFloat(400000);
        d.WorkProfTableWallThick->SetAsFloat(0.3);
        d.WorkProfTableFitting->SetAsString("45 deg Elbow");
        d.WorkProfTableThBlkSoil->SetAsFloat(2000);
        d.WorkProfTableReachType->SetAsString(i == 0 ? "GRAVBEG" : i == 99 ? "GRAVEND" : "GRAVMID");
        d.WorkProfTableNodeType->SetAsInteger(i == 0 ? 0 : i == 99 ? 4 : 1);
        d.WorkProfTableK1->SetAsFloat(i % 5 == 0 ? 0.3 : 0);
        d.WorkProfTableKLocate1->SetAsString("DS");
        d.WorkProfTable->Post();
    }
    tx.Commit();
}

void MakeManifold(int outlets)
{
    TDMod& d = *DMod;
    db::Transaction tx(db::kMersolAlias);
    d.WorkPipeTable->Open();
    d.WorkPipeTable->EmptyTable();
    d.WorkPipeTable->Append();
    d.WorkPipeTableJobName->SetAsString("Bench manifold");
    d.WorkPipeTableSysType->SetAsString("MANIFOLD");
    d.WorkPipeTableSysHas->SetAsInteger(4);
    d.WorkPipeTableWaterTemp->SetAsFloat(60);
    d.WorkPipeTableTriclPType->SetAsString("PVC SDR");
    d.WorkPipeTableTriclPipeRating->SetAsFloat(21);
    d.WorkPipeTableTriclLPsi->SetAsFloat(10);
    d.WorkPipeTableTriclMVel->SetAsFloat(5);
    d.WorkPipeTableTriclMFric->SetAsFloat(5);
    d.WorkPipeTableTriclLowSz->SetAsFloat(1);
    d.WorkPipeTableTriclHiSz->SetAsFloat(12);
    d.WorkPipeTable->Post();

    d.WorkTrickleTable->Open();
    d.WorkTrickleTable->EmptyTable();
    for (int i = 0; i < outlets; ++i) {
        d.WorkTrickleTable->Append();
        d.WorkTrickleTableStation->SetAsFloat(20.0 * i);
        d.WorkTrickleTableInvertElev->SetAsFloat(500 - 0.05 * i);
        d.WorkTrickleTableGpmAtOutlet->SetAsFloat(i == 0 ? 0 : 8);
        d.WorkTrickleTable->Post();
    }
    tx.Commit();
}

} // namespace bench
