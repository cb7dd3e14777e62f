// The notebook's page flow of the main window: entering the output page
// checks the profile and runs the computation that fits the system type.
#include "mainwindow/mersolform1.h"

#include "engine/fullflowcalc1.h"
#include "engine/gravcalc.h"
#include "engine/hydcalc1.h"
#include "engine/manifoldcalc1.h"
#include "engine/pumpcalc.h"
#include "model/dmod1.h"
#include "model/tulclass.h"
#include "platform/chart/chartwidget.h"
#include "platform/ui/notebook.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"

namespace {

void openIfClosed(db::Table* t)
{
    if (!t->Active()) t->Open();
}

void error(const QString& text)
{
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

// Every reach but the last node's needs a pipe with a real bore; a reach
// without one would divide by a zero area in the runs.
bool reachesHavePipes(db::Table* prof, int nodes)
{
    prof->First();
    for (int k = 1; k < nodes; ++k, prof->Next()) {
        if (DMod->WorkProfTablePipeType->AsString().isEmpty()) return false;
        if (DMod->WorkProfTableDiaIn->AsFloat() <= 0.0) return false;
    }
    return true;
}

// A manifold end whose manifold was never laid out in this job gets it now,
// with the pipe-type factors of the end reach.
void runManifoldAtEnd()
{
    openIfClosed(DMod->TypeTable);
    const QString type = DMod->WorkProfTablePipeType->AsString();
    if (!type.isEmpty()) DMod->TypeTable->Locate(QStringLiteral("PipeType"), type);
    Tul->Nfactor = DMod->TypeTableNfactor->AsFloat();
    Tul->Cfactor = DMod->TypeTableCfactor->AsFloat();
    Tul->Efactor = DMod->TypeTableEfactor->AsFloat();
    if (DMod->WorkPipeTableSysHas->AsInteger() == 2) openIfClosed(DMod->WorkTrickleTable);
    // Without a manifold table there is no manifold to lay out.
    if (!DMod->WorkTrickleTable->Active()) return;
    JManfld manifold;
    manifold.RunManifold();
}

} // namespace

void TMersolForm::OKBitBtn3Click() { OvcNotebook1->SetPageIndex(2); }

void TMersolForm::OvcNotebook1PageChanged(int page)
{
    if (page == 2) outputPageEntered();
}

void TMersolForm::outputPageEntered()
{
    db::Table* prof = DMod->WorkProfTable;
    db::Table* pipe = DMod->WorkPipeTable;
    openIfClosed(pipe);
    openIfClosed(prof);
    Tul->ClearHead = DMod->WorkPipeTableClearHead->AsFloat();
    prof->DisableControls();
    OutChart->chart().ClearAll();

    Tul->NumNodes = prof->RecordCount();
    if (!reachesHavePipes(prof, Tul->NumNodes)) {
        Tul->NewNode = false;
        OvcNotebook1->SetPageIndex(1);
        prof->EnableControls();
        error(QStringLiteral("There must be pipe selected for nodes to compute. Please enter all node pipe data."));
        return;
    }
    prof->Last();
    const int endType = prof->RecordCount() > 0 ? DMod->WorkProfTableNodeType->AsInteger() : -1;
    if (endType == 6 && !Tul->ManifoldEndVisited) runManifoldAtEnd();

    if (endType >= 4 && endType <= 7) {
        const bool computed = ComputeJob();
        openIfClosed(prof);
        openIfClosed(pipe);
        prof->EnableControls();
        prof->Refresh();
        if (!computed) return;   // nothing to show for a system that was not run
        FillProfileChart();
        MainStatusBar->SetPanelText(0, QStringLiteral("Data output"));
        LastPage = 2;
        return;
    }
    Tul->NewNode = true;
    OvcNotebook1->SetPageIndex(1);
    prof->EnableControls();
    error(QStringLiteral("There must be an end node to compute. Please enter one."));
}

bool TMersolForm::ComputeJob()
{
    openIfClosed(DMod->WorkPipeTable);
    const QString sysType = DMod->WorkPipeTableSysType->AsString();
    if (sysType == QLatin1String("GRAVITY")) {
        Grav->RunGravityProfile();
    } else if (sysType == QLatin1String("FULLFLOW")) {
        FFlow->RunFullFlow();
    } else if (sysType == QLatin1String("PUMPED") || sysType == QLatin1String("PRESSURE")) {
        Tul->PumpTypeCode = PumpTypeCodeOf(DMod->WorkPipeTablePumpType->AsString());
        if (Tul->PumpTypeCode == 1) Hyd->SuctionAnalysis();
        Pump->RunPumpCalc();
    } else {
        error(QStringLiteral("Can't compute ...."));
        return false;
    }
    return true;
}
