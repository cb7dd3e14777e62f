// Entering the output page checks the profile and computes the job.
#include "support/workprofile.h"
#include "support/jobwindow.h"

#include "engine/gravity_run.h"
#include "model/profile_text.h"
#include "platform/chart/chartwidget.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

using testsupport::PipeText;
using testsupport::PipeValue;
using testsupport::ProfText;
using testsupport::ProfValue;
using testsupport::WorkHeader;
using testsupport::WorkNode;

namespace {

class ComputePage : public testsupport::RunsJobWindowTest {
protected:
    void SetUp() override
    {
        RunsJobWindowTest::SetUp();
        Tul->NewJob = false;
        DMod->WorkTablesFree = false;
        form->OvcNotebook1->setEnabled(true);
    }

    static std::vector<WorkNode> line(int endType = 4) { return testsupport::GravityLine(endType); }
    void enterOutputFromProfile()
    {
        form->OvcNotebook1->SetPageIndex(1);
        driver.ClearLog();
        form->OKBitBtn3Click();
    }
    // A manifold of three outlets, 10, 20 and 30 gpm at 0, 100 and 200 ft,
    // all at invert 50, to be sized from one material of C 150 in 1.5 and
    // 2 in pipe of rating 160 within 6 ft/s, 5 ft of friction and 10 psi.
    static void writeManifold()
    {
        TDMod* m = DMod;
        for (db::Table* t : {m->TypeTable, m->PipeTable, m->WorkTrickleTable})
            if (!t->Active()) t->Open();
        addRow(m->TypeTable, {{"PipeType", "Test PVC"}, {"Cfactor", 150.0}, {"Nfactor", 0.0}, {"Efactor", 0.0},
                              {"EModulus", 400000.0}});
        const int ptype = m->TypeTablePType->AsInteger();
        const struct { int size; const char* descr; double id; } pipes[] = {{150, "1-1/2 in Test", 1.5},
                                                                            {200, "2 in Test", 2.0}};
        for (const auto& p : pipes) {
            m->PipeTable->Append();
            m->PipeTablePSize->SetAsInteger(p.size);
            m->PipeTablePipeType->SetAsString(QStringLiteral("Test PVC"));
            m->PipeTablePipeDescription->SetAsString(QString::fromLatin1(p.descr));
            m->PipeTableIDin->SetAsFloat(p.id);
            m->PipeTablePType->SetAsInteger(ptype);
            m->PipeTableRating->SetAsFloat(160);
            m->PipeTablePressRtngpsi->SetAsFloat(160);
            m->PipeTableNomDiam->SetAsFloat(p.size / 100.0);
            m->PipeTableWtPerFt->SetAsFloat(0.7);
            m->PipeTable->Post();
        }
        m->WorkTrickleTable->EmptyTable();
        const double station[] = {0, 100, 200}, gpm[] = {10, 20, 30};
        for (int k = 0; k < 3; ++k)
            addRow(m->WorkTrickleTable, {{"Station", station[k]}, {"InvertElev", 50.0}, {"GpmAtOutlet", gpm[k]}});
        m->WorkPipeTable->First();
        m->WorkPipeTable->Edit();
        const std::pair<const char*, QVariant> header[] = {
            {"TriclPType", "Test PVC"}, {"TriclPipeRating", 160.0}, {"TriclLPsi", 10.0}, {"TriclMVel", 6.0},
            {"TriclMFric", 5.0}, {"TriclLowSz", 1.0}, {"TriclHiSz", 3.0}};
        for (const auto& [name, value] : header) m->WorkPipeTable->FieldByName(name)->SetValue(value);
        m->WorkPipeTable->Post();
    }
    double gridValue(int row, int column) const
    {
        QAbstractItemModel* m = form->DBGrid1->model();
        return m->index(row, column).data().toString().toDouble();
    }

};

TEST_F(ComputePage, GravityJobIsComputedAndItsGradeLineShownInTheGrid)
{
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, line());
    enterOutputFromProfile();

    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 2);
    EXPECT_EQ(form->LastPage, 2);
    EXPECT_EQ(form->MainStatusBar->PanelText(0), QStringLiteral("Data output"));
    EXPECT_EQ(Tul->NumNodes, 3);
    ASSERT_EQ(form->DBGrid1->model()->rowCount(), 3);
    const double hgl[] = {99.50, 91.65, 83.81};
    for (int r = 0; r < 3; ++r) EXPECT_DOUBLE_EQ(gridValue(r, 3), hgl[r]) << r;
    EXPECT_DOUBLE_EQ(testsupport::ProfValue(1, "Psi"), 22.39);
    EXPECT_FALSE(DMod->WorkProfTable->ControlsDisabled());
}

TEST_F(ComputePage, OutputGridShowsEachColumnAtItsOwnDecimals)
{
    std::vector<WorkNode> nodes = line();
    nodes[1].invert = 40.25;
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, nodes);
    enterOutputFromProfile();
    QAbstractItemModel* m = form->DBGrid1->model();
    ASSERT_EQ(m->rowCount(), 3);
    auto text = [m](int row, int column) { return m->index(row, column).data().toString(); };
    EXPECT_EQ(text(0, 1), "98.00");   // ground, 3 ft above the invert
    EXPECT_EQ(text(0, 2), "95.00");
    EXPECT_EQ(text(1, 2), "40.25");
    EXPECT_EQ(text(0, 3), "99.50");
    EXPECT_EQ(text(0, 4), "500.0");
}

TEST_F(ComputePage, ProfileWithoutAnEndNodeGoesBackToTheProfilePage)
{
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, line(1));
    Tul->NewNode = false;
    enterOutputFromProfile();

    EXPECT_EQ(driver.MessageTexts(), QStringList{"There must be an end node to compute. Please enter one."});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_TRUE(Tul->NewNode);
    EXPECT_NE(form->LastPage, 2);
    EXPECT_TRUE(testsupport::ProfIsNull(1, "Hgl"));   // nothing was computed
    EXPECT_FALSE(DMod->WorkProfTable->ControlsDisabled());
}

// A reach with a pipe type but no bore is refused like one without a pipe.
TEST_F(ComputePage, AnImportedProfileGetsItsInvertsFromTheDepthsBeforeItIsRun)
{
    // The gravity line of the test above, read from a text file: inverts 40
    // and 30 below ground 42.5 and 32.5 by (23.7 + 0.3 + 6) / 12 = 2.5 ft.
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, line());
    WriteImportedProfile({{0, 98}, {500, 42.5}, {1000, 32.5}});
    testsupport::GivePipes(line()[0]);
    for (int k : {1, 2}) testsupport::SetProfField(k, "PipeDepth", 23.7);

    // The entrance's invert is entered, never worked out: the run waits for it.
    enterOutputFromProfile();
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"The invert elevation at station 0+00 was never entered. Please edit that node."});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);

    testsupport::SetProfField(0, "InvertElev", 95.0);
    enterOutputFromProfile();
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join("|").toStdString();
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 2);
    EXPECT_DOUBLE_EQ(ProfValue(1, "InvertElev"), 40.0);
    EXPECT_DOUBLE_EQ(ProfValue(2, "InvertElev"), 30.0);
    const double hgl[] = {99.50, 91.65, 83.81};
    for (int r = 0; r < 3; ++r) EXPECT_DOUBLE_EQ(gridValue(r, 3), hgl[r]) << r;
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 22.39);
}

TEST_F(ComputePage, AnEndNodeBeforeTheLastIsRefusedByItsStation)
{
    std::vector<WorkNode> nodes = line();
    nodes[1].nodeType = 4;   // 5+00, from a job stored before this was refused
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, nodes);
    enterOutputFromProfile();

    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"The node at station 5+00 is an end node, but only the last node can be one. "
                          "Please change its kind."});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableOutletElev->AsFloat(), 30.0);
    EXPECT_FALSE(DMod->WorkProfTable->ControlsDisabled());
}

TEST_F(ComputePage, ReachWithoutPipeOrBoreOrFrictionIsRefused)
{
    const QString missing = QStringLiteral(
        "There must be pipe selected for nodes to compute. Please enter all node pipe data.");
    const QString noFriction = QStringLiteral(
        "The job cannot be computed: Cfac 0, Nfac 0, Efac 0 give the computation method no friction factor above 0 "
        "to use at station 5+00 (table WorkProf.DB). Please pick the pipe again, or give its material a friction "
        "factor in the pipe type editor.");
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        auto nodes = line();
        if (variant == 0) nodes[1].pipeType.clear();
        else if (variant == 1) nodes[1].diaIn = 0;
        else nodes[1].cfac = 0;   // friction taken as none before
        testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, nodes);
        Tul->NewNode = true;
        enterOutputFromProfile();
        EXPECT_EQ(driver.MessageTexts(), QStringList{variant < 2 ? missing : noFriction});
        EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
        EXPECT_FALSE(Tul->NewNode);
        EXPECT_TRUE(testsupport::ProfIsNull(0, "Hgl"));
    }
}

// A system without a run, and a line whose flow is below zero (gravity or
// pumped), are not computed, each saying why.
TEST_F(ComputePage, SystemWithoutARunOrAFlowBelowZeroSaysSoAndShowsNoOutput)
{
    const QString below = QStringLiteral("The flow at Sta 0+00 is -500.0 gpm, below zero. Check the design flow and "
                                         "the outflows above it.");
    const struct { const char* sysType; double flow; QString said; } cases[] = {
        {"TRICKLE", 500, "Can't compute ...."}, {"GRAVITY", -500, "ERROR .. " + below}, {"PUMPED", -500, "ERROR.. " + below}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sysType);
        WorkHeader header{.sysType = c.sysType, .pumpType = "TURBINE", .wsElev = 100, .outletElev = 30};
        auto nodes = line();
        for (WorkNode& n : nodes) n.pipeQ = c.flow;
        testsupport::WriteWorkJob(header, nodes);
        enterOutputFromProfile();

        EXPECT_EQ(driver.MessageTexts(), QStringList{c.said});
        EXPECT_EQ(form->MainStatusBar->PanelText(0), QStringLiteral("Not computed"));
        EXPECT_EQ(form->NotComputedLbl->text(), QStringLiteral("The job was not computed: ") + c.said);
        EXPECT_FALSE(form->ResultsShown());
        EXPECT_FALSE(form->QRDetailedSpdBtn->isEnabled());
        EXPECT_NE(form->LastPage, 2);
        EXPECT_TRUE(testsupport::ProfIsNull(0, "Hgl"));
    }
}

// Maximum flow: water at 100 ft, outlet at 80 ft and 0 psi, 1000 ft of 6 in
// pipe of C 150 from an entrance at 95 ft. The largest flow that still
// leaves the outlet its grade is 560.1 gpm (worked in the run's own tests).
TEST_F(ComputePage, FullFlowJobGetsItsLargestFlowOnTheOutputPage)
{
    auto nodes = line();
    nodes.erase(nodes.begin() + 1);
    for (WorkNode& n : nodes) n.pipeQ = 100;   // a flow the run replaces
    nodes[0].reachType = "FULLBEG";
    nodes[1].reachType = "FULLEND";
    nodes[1].invert = 79.4791667;
    WorkHeader header{.sysType = "FULLFLOW", .wsElev = 100, .outletElev = 80};
    testsupport::WriteWorkJob(header, nodes);
    enterOutputFromProfile();

    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_EQ(form->LastPage, 2);
    EXPECT_EQ(ProfText(0, "PipeQ"), QStringLiteral("560.1"));
    EXPECT_EQ(ProfText(1, "PipeQ"), QStringLiteral("560.1"));
    ASSERT_EQ(form->DBGrid1->model()->rowCount(), 2);
    EXPECT_DOUBLE_EQ(gridValue(0, 3), 99.37);
    EXPECT_DOUBLE_EQ(gridValue(1, 3), 80.01);
    EXPECT_FALSE(form->RunFaultsLbl->isVisible());

    // A crest at 5+00 whose crown the grade line only just clears: the run
    // marks its row with the low pressure, and the page lists it.
    auto crest = line();
    crest[0].reachType = "FULLBEG", crest[1].reachType = "FULLMID", crest[2].reachType = "FULLEND";
    crest[1].invert = 97.5;
    testsupport::WriteWorkJob(header, crest);
    enterOutputFromProfile();
    ASSERT_TRUE(form->ResultsShown()) << form->NotComputedLbl->text().toStdString();
    EXPECT_EQ(ProfText(1, "Warning"), QStringLiteral("WARNING .. Pressure is less than 1 psi"));
    EXPECT_TRUE(form->RunFaultsLbl->isVisible());
    EXPECT_EQ(form->RunFaultsLbl->text(), QStringLiteral("The run found:\nSta 5+00 WARNING .. Pressure is less than 1 psi"));

    // Its crown above the water: no flow keeps the pipe full; its cleared rows are no results.
    crest[1].invert = 100;
    testsupport::WriteWorkJob(header, crest);
    enterOutputFromProfile();
    EXPECT_EQ(form->NotComputedLbl->text(), QStringLiteral("The job was not computed: ERROR .. No flow keeps the pipe "
                                                           "full, hydraulic gradeline is below top of pipe at station 5+00"));

    // A job stored or imported with a booster in a line that holds none is
    // refused by the booster's station, back on the profile page.
    crest[1].invert = 90;
    crest[1].nodeType = 2;
    crest[1].psiSet = -1;
    for (const auto& [sysType, pump, line] : {std::tuple{"FULLFLOW", "INLINE BOOSTER", "wide open"},
                                              std::tuple{"PUMPED", "TURBINE", "pumped"}}) {
        testsupport::WriteWorkJob(WorkHeader{.sysType = sysType, .pumpType = pump, .wsElev = 100, .outletElev = 30},
                                  crest);
        enterOutputFromProfile();
        EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("The in-line booster pump at 5+00 can't stay in a "
                                                                    "%1 pipeline. Please make that node another kind.")
                                                         .arg(line)});
        EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
        EXPECT_TRUE(testsupport::ProfIsNull(1, "Hgl"));
    }
}

// A turbine lifting 300 gpm from water at 100 ft through 1000 ft of 6 in pipe
// to an outlet at 120 ft wanting 20 psi: 72.42 ft of head, a 7-1/2 hp motor
// (worked in the pump run's own tests).
TEST_F(ComputePage, TurbinePumpIsSizedOnTheOutputPage)
{
    WorkHeader header{.sysType = "PUMPED", .pumpType = "TURBINE", .outletElev = 120, .outletPsi = 20,
                      .columnLoss = 5, .pumpEffic = 75};
    header.wsElev = 100;
    testsupport::WriteWorkJob(header, testsupport::PumpLine());
    enterOutputFromProfile();

    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_EQ(Tul->PumpTypeCode, 2);
    EXPECT_EQ(form->LastPage, 2);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 72.42);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 7.31);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("7-1/2"));
    ASSERT_EQ(form->DBGrid1->model()->rowCount(), 2);
    EXPECT_DOUBLE_EQ(gridValue(0, 3), 172.24);
    EXPECT_DOUBLE_EQ(gridValue(1, 3), 166.14);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Psi"), 33.48);
}

// The line ends in a manifold whose dialog was never opened: the manifold is
// laid out first (its entrance needs a grade of 80.269 ft), and the line's
// run measures its end grade, 83.808 ft, against that.
TEST_F(ComputePage, ManifoldNeverLaidOutIsRunBeforeTheLine)
{
    auto nodes = line(6);
    nodes[2].reachType = "GRAVTRICKLE";
    WorkHeader header{.sysHas = 2, .wsElev = 100, .outletElev = 30};
    testsupport::WriteWorkJob(header, nodes);
    writeManifold();
    enterOutputFromProfile();

    EXPECT_EQ(form->LastPage, 2);
    EXPECT_DOUBLE_EQ(PipeValue("TriclEntQ"), 60.0);
    EXPECT_DOUBLE_EQ(PipeValue("TriclEntHgl"), 80.269);
    EXPECT_DOUBLE_EQ(Tul->Cfactor, 150.0);
    EXPECT_NEAR(Grav->TrickleHglMargin, 83.808114692 - 80.269, 1e-6);
    EXPECT_DOUBLE_EQ(gridValue(2, 3), 83.81);
}

// A manifold laid out in its dialog, its rows and entrance grade still
// those an earlier run shifted: every run lays it out again and shifts its
// own design grade, 80.27 ft at the first outlet, by the line's 3.54 ft.
TEST_F(ComputePage, ManifoldIsShiftedFromItsOwnDesignGradeOnEveryRun)
{
    auto nodes = line(6);
    nodes[2].reachType = "GRAVTRICKLE";
    WorkHeader header{.sysHas = 2, .wsElev = 100, .outletElev = 30, .triclEntHgl = 91.808114692};
    testsupport::WriteWorkJob(header, nodes);
    writeManifold();
    db::Table* t = DMod->WorkTrickleTable;
    for (t->First(); !t->Eof(); t->Next()) {
        t->Edit();
        DMod->WorkTrickleTableHgl->SetAsFloat(91.81);
        t->Post();
    }
    for (int run = 0; run < 2; ++run) {
        enterOutputFromProfile();
        EXPECT_NEAR(Grav->TrickleHglMargin, 83.808114692 - 80.269, 1e-6) << run;
        if (!t->Active()) t->Open();
        t->First();
        EXPECT_DOUBLE_EQ(DMod->WorkTrickleTableHgl->AsFloat(), 83.81) << run;
    }
}

} // namespace

namespace {

// The line ending in the manifold of the test above: computed, then the
// manifold's outlets raised to 90 ft, above the line's end grade of 83.81
// ft, so that no grade reaches them: that run still computed the line and
// the manifold, so it shows them with the fault listed above the grid and
// offers the reports. A refused run (an invert never entered) shows none of
// the earlier results.
TEST_F(ComputePage, ARunWithAFaultListsItAndARefusedRunShowsNoEarlierResults)
{
    auto nodes = line(6);
    nodes[2].reachType = "GRAVTRICKLE";
    testsupport::WriteWorkJob(WorkHeader{.sysHas = 2, .wsElev = 100, .outletElev = 30}, nodes);
    writeManifold();
    enterOutputFromProfile();
    ASSERT_EQ(form->LastPage, 2);
    ASSERT_TRUE(form->ResultsShown());
    EXPECT_TRUE(form->DBGrid1->isVisible());
    EXPECT_TRUE(form->QRSummarySpdBtn->isEnabled());
    EXPECT_FALSE(form->RunFaultsLbl->isVisible());

    db::Table* t = DMod->WorkTrickleTable;
    for (t->First(); !t->Eof(); t->Next()) {
        t->Edit();
        DMod->WorkTrickleTableInvertElev->SetAsFloat(90);
        t->Post();
    }
    enterOutputFromProfile();
    const QStringList said = driver.MessageTexts();
    ASSERT_FALSE(said.isEmpty());
    EXPECT_TRUE(said.last().contains(QStringLiteral("ERROR: HGL is below high point in manifold pipeline")))
        << said.join('|').toStdString();
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 2);
    ASSERT_TRUE(form->ResultsShown()) << form->NotComputedLbl->text().toStdString();
    EXPECT_TRUE(form->RunFaultsLbl->isVisible());
    EXPECT_EQ(form->RunFaultsLbl->text(), QStringLiteral("The run found:\n") + said.join('\n'));
    EXPECT_TRUE(form->DBGrid1->isVisible());
    EXPECT_TRUE(form->OutChart->isVisible());
    for (QPushButton* b : {form->QRDetailedSpdBtn, form->QRSummarySpdBtn, form->QRCostSpdBtn, form->QRGraphBitBtn})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_EQ(form->MainStatusBar->PanelText(0), QStringLiteral("Data output"));

    // Back as it was: computed and shown again; then a run refused.
    for (t->First(); !t->Eof(); t->Next()) {
        t->Edit();
        DMod->WorkTrickleTableInvertElev->SetAsFloat(50);
        t->Post();
    }
    enterOutputFromProfile();
    ASSERT_TRUE(form->ResultsShown()) << driver.MessageTexts().join('|').toStdString();
    testsupport::SetProfField(0, "InvertElev", QVariant());
    enterOutputFromProfile();
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"The invert elevation at station 0+00 was never entered. Please edit that node."});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_FALSE(form->ResultsShown());
    EXPECT_FALSE(form->QRDetailedSpdBtn->isEnabled());
    EXPECT_FALSE(form->DBGrid1->isVisible());
    EXPECT_FALSE(form->RunFaultsLbl->isVisible());
    EXPECT_TRUE(form->NotComputedLbl->text().startsWith(QStringLiteral("The job was not computed: ")));

    // A booster left at -1 on a line that needs none is refused with the
    // reason: no line half of one pass and half of the other is shown.
    auto boosted = line();
    boosted[1].nodeType = 2;
    boosted[1].psiSet = -1;
    testsupport::WriteWorkJob(
        WorkHeader{.pumpType = "INLINE BOOSTER", .wsElev = 100, .outletElev = 30, .pumpEffic = 75}, boosted);
    enterOutputFromProfile();
    ASSERT_EQ(driver.MessageTexts().size(), 1u) << driver.MessageTexts().join('|').toStdString();
    const QString refused = driver.MessageTexts()[0];
    EXPECT_TRUE(refused.startsWith(QStringLiteral("ERROR .. In-line booster at Sta 5+00 not sized: "))) << refused.toStdString();
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 2);
    EXPECT_FALSE(form->ResultsShown());
    EXPECT_EQ(form->NotComputedLbl->text(), QStringLiteral("The job was not computed: ") + refused);
    EXPECT_FALSE(form->DBGrid1->isVisible());
    EXPECT_FALSE(form->QRDetailedSpdBtn->isEnabled());
    EXPECT_EQ(form->MainStatusBar->PanelText(0), QStringLiteral("Not computed"));
}

} // namespace
