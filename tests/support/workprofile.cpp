#include "support/workprofile.h"

#include "model/data_module.h"
#include "platform/db/db.h"

#include <stdexcept>

namespace testsupport {

namespace {

void OpenIfClosed(db::Table* t)
{
    if (!t->Active())
        t->Open();
}

db::Table* ProfRow(int row)
{
    db::Table* t = DMod->WorkProfTable;
    OpenIfClosed(t);
    t->First();
    for (int i = 0; i < row; ++i)
        t->Next();
    if (row >= t->RecordCount())
        throw std::out_of_range("no such profile row");
    return t;
}

db::Table* PipeRow()
{
    db::Table* t = DMod->WorkPipeTable;
    OpenIfClosed(t);
    t->First();
    return t;
}

} // namespace

void WriteEnteredProfile(const std::vector<WorkNode>& nodes, double outletElev, double outletPsi)
{
    WriteWorkProfile(nodes);
    db::Table* prof = DMod->WorkProfTable;
    int no = 1;
    for (prof->First(); !prof->Eof(); prof->Next(), ++no) {
        prof->Edit();
        DMod->WorkProfTableRecordNo->SetAsInteger(no);
        if (no == 1) DMod->WorkProfTableNodeTypeDesc->SetAsString(QStringLiteral("Pipe entrance (any type)"));
        prof->Post();
    }
    prof->First();
    db::Table* pipe = DMod->WorkPipeTable;
    if (pipe->State() == db::DataSetState::Browse) pipe->Edit();
    DMod->WorkPipeTableNoEnd->SetAsBoolean(nodes.back().nodeType < 4);
    DMod->WorkPipeTableOutletElev->SetAsFloat(outletElev);
    DMod->WorkPipeTableOutletPsi->SetAsFloat(outletPsi);
    DMod->WorkPipeTableWaterTemp->SetAsFloat(60);
    pipe->Post();
}

void WriteWorkJob(const WorkHeader& h, const std::vector<WorkNode>& nodes)
{
    TDMod& d = *DMod;
    OpenIfClosed(d.WorkPipeTable);
    d.WorkPipeTable->EmptyTable();
    d.WorkPipeTable->Append();
    d.WorkPipeTableJobName->SetAsString(QStringLiteral("Test job"));
    d.WorkPipeTableSysType->SetAsString(h.sysType);
    d.WorkPipeTablePumpType->SetAsString(h.pumpType);
    d.WorkPipeTableSysHas->SetAsInteger(h.sysHas);
    d.WorkPipeTableNumNodes->SetAsInteger(static_cast<int>(nodes.size()));
    d.WorkPipeTableWSElev->SetAsFloat(h.wsElev);
    d.WorkPipeTableOutletElev->SetAsFloat(h.outletElev);
    d.WorkPipeTableOutletPsi->SetAsFloat(h.outletPsi);
    d.WorkPipeTablePsiIn->SetAsFloat(h.psiIn);
    d.WorkPipeTableColumnLoss->SetAsFloat(h.columnLoss);
    d.WorkPipeTablePumpEffic->SetAsFloat(h.pumpEffic);
    d.WorkPipeTableWaterTemp->SetAsFloat(h.waterTemp);
    d.WorkPipeTableTriclEntHgl->SetAsFloat(h.triclEntHgl);
    d.WorkPipeTablePumpEyeElev->SetAsFloat(h.pumpEyeElev);
    d.WorkPipeTableTankRange->SetAsFloat(h.tankRange);
    d.WorkPipeTableTDSH->SetAsFloat(h.tdsh);
    d.WorkPipeTableClearHead->SetAsFloat(h.clearHead);
    d.WorkPipeTable->Post();
    WriteWorkProfile(nodes);
    d.WorkPipeTable->First();
}

void WriteWorkProfile(const std::vector<WorkNode>& nodes)
{
    TDMod& d = *DMod;
    OpenIfClosed(d.WorkProfTable);
    d.WorkProfTable->EmptyTable();
    db::Transaction tx(db::kMersolAlias);
    for (const WorkNode& n : nodes) {
        d.WorkProfTable->Append();
        d.WorkProfTableStation->SetAsFloat(n.station);
        d.WorkProfTableGroundElev->SetAsFloat(n.invert + 3.0);
        d.WorkProfTableInvertElev->SetAsFloat(n.invert);
        d.WorkProfTableInvElMethod->SetAsInteger(1);
        d.WorkProfTablePipeQ->SetAsFloat(n.pipeQ);
        d.WorkProfTableDiaIn->SetAsFloat(n.diaIn);
        d.WorkProfTableCfac->SetAsFloat(n.cfac);
        d.WorkProfTableNfac->SetAsFloat(n.nfac);
        d.WorkProfTableEfac->SetAsFloat(n.efac);
        d.WorkProfTablePressurRating->SetAsFloat(n.rating);
        d.WorkProfTableReachType->SetAsString(n.reachType);
        d.WorkProfTableNodeType->SetAsInteger(n.nodeType);
        d.WorkProfTablePsiSet->SetAsFloat(n.psiSet);
        d.WorkProfTableOutQ->SetAsFloat(n.outQ);
        d.WorkProfTableInQ->SetAsFloat(n.inQ);
        d.WorkProfTableMaxVel->SetAsFloat(n.maxVel);
        d.WorkProfTableK1->SetAsFloat(n.k1);
        d.WorkProfTableKLocate1->SetAsString(n.kLocate1);
        d.WorkProfTableKid1->SetAsFloat(n.kid1);
        d.WorkProfTableKLocate2->SetAsString(QStringLiteral("NA"));
        d.WorkProfTableKLocate3->SetAsString(QStringLiteral("NA"));
        d.WorkProfTableFitting->SetAsString(n.fitting);
        d.WorkProfTableThBlkSoil->SetAsFloat(n.soil);
        d.WorkProfTableModulus->SetAsFloat(n.modulus);
        d.WorkProfTableWallThick->SetAsFloat(n.wallThick);
        d.WorkProfTablePipeType->SetAsString(n.pipeType);
        d.WorkProfTableDownStreamPipeDescription->SetAsString(n.pipeDescription);
        d.WorkProfTable->Post();
    }
    tx.Commit();
}

void GivePipes(const WorkNode& pipe)
{
    TDMod& d = *DMod;
    db::Table* t = d.WorkProfTable;
    OpenIfClosed(t);
    t->CheckBrowseMode();
    for (t->First(); !t->Eof(); t->Next()) {
        t->Edit();
        d.WorkProfTablePipeQ->SetAsFloat(pipe.pipeQ);
        d.WorkProfTableDiaIn->SetAsFloat(pipe.diaIn);
        d.WorkProfTableCfac->SetAsFloat(pipe.cfac);
        d.WorkProfTablePressurRating->SetAsFloat(pipe.rating);
        d.WorkProfTableModulus->SetAsFloat(pipe.modulus);
        d.WorkProfTableWallThick->SetAsFloat(pipe.wallThick);
        d.WorkProfTablePipeType->SetAsString(pipe.pipeType);
        d.WorkProfTableDownStreamPipeDescription->SetAsString(pipe.pipeDescription);
        for (db::Field* f : {d.WorkProfTableKLocate1, d.WorkProfTableKLocate2, d.WorkProfTableKLocate3})
            f->SetAsString(QStringLiteral("NA"));
        t->Post();
    }
    t->First();
}

void SetProfField(int row, const char* field, const QVariant& value)
{
    db::Table* t = DMod->WorkProfTable;
    OpenIfClosed(t);
    t->CheckBrowseMode();
    t->First();
    for (int k = 0; k < row; ++k) t->Next();
    t->Edit();
    t->FieldByName(QString::fromLatin1(field))->SetValue(value);
    t->Post();
}

void SetCompMethod(int method)
{
    db::Table* t = DMod->DefSysTable;
    OpenIfClosed(t);
    t->First();
    t->Edit();
    DMod->DefSysTableCompMethod->SetAsInteger(method);
    t->Post();
}

double ProfValue(int row, const char* field)
{
    return ProfRow(row)->FieldByName(QString::fromLatin1(field))->AsFloat();
}

QString ProfText(int row, const char* field)
{
    return ProfRow(row)->FieldByName(QString::fromLatin1(field))->AsString();
}

bool ProfIsNull(int row, const char* field)
{
    return ProfRow(row)->FieldByName(QString::fromLatin1(field))->IsNull();
}

double PipeValue(const char* field)
{
    return PipeRow()->FieldByName(QString::fromLatin1(field))->AsFloat();
}

QString PipeText(const char* field)
{
    return PipeRow()->FieldByName(QString::fromLatin1(field))->AsString();
}

std::vector<WorkNode> PumpLine()
{
    WorkNode n0{.station = 0, .invert = 95, .pipeQ = 300, .diaIn = 6, .cfac = 150, .rating = 160,
                .reachType = "PUMPBEG", .nodeType = 0, .modulus = 400000, .wallThick = 0.3};
    WorkNode n1 = n0;
    n1.station = 1000;
    n1.invert = 118;
    n1.reachType = "PUMPEND";
    n1.nodeType = 4;
    return {n0, n1};
}

std::vector<WorkNode> GravityLine(int endType)
{
    WorkNode n0{.station = 0, .invert = 95, .pipeQ = 500, .diaIn = 6, .cfac = 150, .rating = 100,
                .reachType = "GRAVBEG", .nodeType = 0, .modulus = 400000, .wallThick = 0.3};
    WorkNode n1 = n0;
    n1.station = 500;
    n1.invert = 40;
    n1.reachType = "GRAVMID";
    n1.nodeType = 1;
    WorkNode n2 = n0;
    n2.station = 1000;
    n2.invert = 30;
    n2.reachType = "GRAVEND";
    n2.nodeType = endType;
    return {n0, n1, n2};
}

std::vector<WorkNode> ThreeBoostersLine()
{
    std::vector<WorkNode> nodes;
    const double invert[] = {95, 90, 130, 146.97, 156.97};
    for (int i = 0; i < 5; ++i)
        nodes.push_back({.station = 1000.0 * i, .invert = invert[i], .pipeQ = 300, .diaIn = 5.995, .cfac = 150,
                         .reachType = i == 0 ? "GRAVBEG" : i == 4 ? "GRAVEND" : "GRAVMID",
                         .nodeType = i == 0 ? 0 : i == 4 ? 4 : 2, .psiSet = i == 0 || i == 4 ? 0.0 : -1.0});
    return nodes;
}

WorkHeader ThreeBoostersHeader()
{
    return WorkHeader{.pumpType = "INLINE BOOSTER", .wsElev = 100, .outletElev = 160, .outletPsi = 1,
                      .pumpEffic = 75, .clearHead = 5};
}

} // namespace testsupport
