#include "model/dattrans.h"

#include "model/dmod1.h"
#include "model/tulclass.h"

TTrans* JobTrans = nullptr;

void CreateTransObject()
{
    if (!JobTrans) JobTrans = new TTrans;
}

void DeleteTransObject()
{
    delete JobTrans;
    JobTrans = nullptr;
}

void TTrans::CloseAllTables()
{
    if (!DMod) return;
    db::Table* const tables[] = {
        DMod->JobPipeTable,     DMod->JobProfTable,     DMod->WorkPipeTable,   DMod->WorkProfTable,
        DMod->PipeTable,        DMod->TypeTable,        DMod->MinorLossTable,  DMod->WorkTrickleTable,
        DMod->WorkGatedTable,   DMod->WorkSuctionTable, DMod->JobTrickleTable, DMod->JobGatedTable,
        DMod->JobSuctionTable,  DMod->UnitCostTable,    DMod->WaterTable,      DMod->TempTable,
        DMod->JobSWaterTable,   DMod->WorkSWaterTable,  DMod->StockTypeTable,  DMod->WorkAvacTable,
        DMod->JobAvacTable,     DMod->SaveProfTable,    DMod->SavePipeTable,   DMod->Temp1Table,
        DMod->SaveGatedTable,   DMod->SaveSuctionTable, DMod->SaveTrickleTable,
    };
    for (db::Table* t : tables)
        if (t && t->Active()) t->Close();
}

void TTrans::ResetJobRecord()
{
    TTul& t = *Tul;
    t.JobName.clear();
    t.JobText2.clear();
    t.JobText3.clear();
    t.Date.clear();
    t.JobNumber = 0;
    t.SaveState = 2;
    t.NewJob = true;
    t.NodeChoice = t.SuctionSegmentNo = t.SysHas = t.MinorLossSlot = 0;
    t.StoredJob = false;
    t.FrictionMethodUsed = 0;
    t.NewNode = true;
    t.NumNodes = t.SysTypeCode = t.PumpTypeCode = 0;
    t.ColumnLoss = t.WSElev = t.OutletElev = t.OffElev = t.OnElev = t.PumpEyeElev = t.PumpEffic = 0.0;
    t.OutletPsi = t.PsiIn = t.TankRange = t.ClearHead = t.TDH = t.tdsh = t.WHP = t.BHP = 0.0;
    t.MotorSize.clear();
    t.BoosterHgl = t.BoosterSgl = 0.0;
    t.FirstPoint = true;
    t.NewStation = t.Station = t.DiaIn = t.PipeQ = t.PipeDepth = 0.0;
    t.InvElMethod = 0;
    t.Nfactor = t.Cfactor = t.Efactor = 0.0;
    t.PipeType.clear();
    t.DownStreamPipeDescription.clear();
    t.MaterialText.clear();
    t.PinnedEndHgl = 0.0;
    t.ManifoldEndVisited = false;
    t.DetailedML = true;
    t.JobListCancelled = false;
    t.DesignFlow = t.DesignFlowCfs = 0.0;
}
