// Entering the output page checks the profile and computes the job.
#include "support/workprofile.h"
#include "jobwindow.h"

#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QTableView>
#include <QTemporaryDir>

using testsupport::WorkHeader;
using testsupport::WorkNode;

namespace {

class ComputePage : public testsupport::JobWindowTest {
protected:
    void SetUp() override
    {
        JobWindowTest::SetUp();
        oldDir = QDir::currentPath();
        QDir::setCurrent(workDir.path());   // the runs write their trace files here
        testsupport::SetCompMethod(2);
        Tul->NewJob = false;
        DMod->WorkTablesFree = false;
        form->OvcNotebook1->setEnabled(true);
    }
    void TearDown() override
    {
        QDir::setCurrent(oldDir);
        JobWindowTest::TearDown();
    }

    // Entrance at 95 ft with 100 ft of water, a 6 in pipe of C 150 carrying
    // 500 gpm down to an outlet at 1000 ft.
    static std::vector<WorkNode> line(int endType = 4)
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
    void enterOutputFromProfile()
    {
        form->OvcNotebook1->SetPageIndex(1);
        driver.ClearLog();
        form->OKBitBtn3Click();
    }
    double gridValue(int row, int column) const
    {
        QAbstractItemModel* m = form->DBGrid1->model();
        return m->index(row, column).data().toString().toDouble();
    }

    QTemporaryDir workDir;
    QString oldDir;
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
TEST_F(ComputePage, ReachWithoutPipeOrBoreIsRefused)
{
    const QString missing = QStringLiteral(
        "There must be pipe selected for nodes to compute. Please enter all node pipe data.");
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant);
        auto nodes = line();
        if (variant == 0) nodes[1].pipeType.clear();
        else nodes[1].diaIn = 0;
        testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, nodes);
        Tul->NewNode = true;
        enterOutputFromProfile();
        EXPECT_EQ(driver.MessageTexts(), QStringList{missing});
        EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
        EXPECT_FALSE(Tul->NewNode);
        EXPECT_TRUE(testsupport::ProfIsNull(0, "Hgl"));
    }
}

TEST_F(ComputePage, SystemWithoutARunSaysSoAndShowsNoOutput)
{
    WorkHeader header{.wsElev = 100, .outletElev = 30};
    header.sysType = QStringLiteral("TRICKLE");
    testsupport::WriteWorkJob(header, line());
    form->OvcNotebook1->SetPageIndex(1);
    const QString profileStatus = form->MainStatusBar->PanelText(0);
    form->OKBitBtn3Click();

    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't compute ...."});
    EXPECT_EQ(form->MainStatusBar->PanelText(0), profileStatus);
    EXPECT_NE(form->LastPage, 2);
    EXPECT_TRUE(testsupport::ProfIsNull(0, "Hgl"));
}

} // namespace
