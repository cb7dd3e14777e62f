// The initial profile entry dialog: the entrance of a new job, adding,
// inserting and deleting nodes, the invert methods, the text-file import and
// the outcome of OK and Cancel.
#include "platform/ui/dbgrid.h"
#include "support/profiledlg_fixture.h"

#include "dialogs/profile/profile_entry_dialog.h"
#include "model/node_rules.h"
#include "support/workprofile.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

using testsupport::ProfIsNull;
using testsupport::ProfText;
using testsupport::ProfValue;

namespace {

const char* kEntrance = "Pipe entrance (any type)";
const char* kInLine = "In line (normal)";
const char* kEnd = "End of line (normal)";

class ProfEntryDlgTest : public ProfileDialogTest {
protected:
    void SetUp() override
    {
        ProfileDialogTest::SetUp();
        Tul->NewJob = false;
    }

    static void SetIncrement(double feet)
    {
        db::Table* t = DMod->DefLocTable;
        t->First();
        t->Edit();
        DMod->DefLocTableStaIncrement->SetAsFloat(feet);
        t->Post();
    }

    void Node(double station, int type, testsupport::FieldValues more = {})
    {
        const char* desc = type == 0 ? kEntrance : type == 4 ? kEnd : kInLine;
        AddNode({{"Station", station}, {"NodeType", type}, {"NodeTypeDesc", desc}, {"GroundElev", 100.0},
                 {"PipeQ", 500.0}, {"InvElMethod", 0}, {"InvElMethDesc", "Give depth to top of pipe (pipe cover)"},
                 {"PipeDepth", 30.0}, {"DiaIn", 8.0}, {"WallThick", 0.3},
                 {"DownStreamPipeDescription", "8 in PVC"}});
        if (more.size() > 0) {
            db::Table* t = DMod->WorkProfTable;
            t->Locate(QStringLiteral("Station"), station);
            t->Edit();
            for (const auto& [name, value] : more) t->FieldByName(name)->SetValue(value);
            t->Post();
        }
        renumber();
    }
    static void renumber()
    {
        db::Table* t = DMod->WorkProfTable;
        int n = 1;
        for (t->First(); !t->Eof(); t->Next(), ++n) {
            t->Edit();
            DMod->WorkProfTableRecordNo->SetAsInteger(n);
            t->Post();
        }
    }
    static void clearProfile()
    {
        db::Table* t = DMod->WorkProfTable;
        t->Close();
        t->EmptyTable();
        t->Open();
    }
    static int Rows()
    {
        db::Table* t = DMod->WorkProfTable;
        if (!t->Active()) t->Open();
        return t->RecordCount();
    }
    // Makes the node at the station the grid's current row.
    static void Select(double station) { ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), station)); }

    void Run(DialogDriver::FormAction action)
    {
        driver.OnceForm("TProfEntryDlg", std::move(action));
        TProfEntryDlg dlg(nullptr);
        EXPECT_EQ(ProfEntryDlg, &dlg);
        dlg.ShowModal();
    }
    static void Ok(ui::Form& f) { DialogDriver::Press(f, "OKBtn"); }
};

TEST_F(ProfEntryDlgTest, NewJobStartsFromItsEntranceRow)
{
    for (const char* pump : {"AUTOPUMP", "CENTRIF"}) {
        SCOPED_TRACE(pump);
        clearProfile();
        job.SetHeader({{"PumpType", pump}});
        Tul->NewJob = true;
        Run([](ui::Form& f) {
            auto& dlg = static_cast<TProfEntryDlg&>(f);
            EXPECT_FALSE(dlg.NFIn->isEnabled());
            EXPECT_FALSE(dlg.NFOut->isEnabled());
            EXPECT_TRUE(dlg.TextFileBtn->isVisible());
            EXPECT_TRUE(Tul->ProfileEntryActive);
            EXPECT_TRUE(dlg.NFStation->text().isEmpty());
            EXPECT_EQ(ui::DBGrid::Of(dlg.DBGrid1)->CellText(0, 1), "0");   // the entrance's station in the list
            Ok(f);
        });
        ASSERT_EQ(Rows(), 1);
        EXPECT_EQ(int(ProfValue(0, "RecordNo")), 1);
        EXPECT_EQ(ProfValue(0, "Station"), 0.0);
        EXPECT_EQ(int(ProfValue(0, "NodeType")), 0);
        EXPECT_EQ(ProfText(0, "NodeTypeDesc"), kEntrance);
        EXPECT_EQ(int(ProfValue(0, "InvElMethod")), 1);
        EXPECT_EQ(ProfText(0, "InvElMethDesc"), "Enter invert elevation directly");
        EXPECT_DOUBLE_EQ(ProfValue(0, "PipeDepth"), DMod->DefLocTableDepthOfCover->AsFloat());
        EXPECT_DOUBLE_EQ(ProfValue(0, "PipeQ"), 500.0);
        EXPECT_DOUBLE_EQ(ProfValue(0, "PipeLength"), 0.0);
        EXPECT_EQ(ProfText(0, "PipeType"), QLatin1String(pump) == "AUTOPUMP"
                                               ? DMod->DefLocTablePipeTypePressure->AsString()
                                               : DMod->DefLocTablePipeTypeOthers->AsString());
        EXPECT_FALSE(Tul->ProfileEntryActive);
        EXPECT_FALSE(Tul->ProfEntryCancelled);
    }
    EXPECT_NE(DMod->DefLocTablePipeTypePressure->AsString(), DMod->DefLocTablePipeTypeOthers->AsString());
}

TEST_F(ProfEntryDlgTest, ShownAgainOnANewJobsProfileItEditsItInPlace)
{
    Node(0, 0);
    Node(500, 4, {{"GroundElev", 90.0}});
    Tul->NewJob = true;
    Run([](ui::Form& f) {
        EXPECT_FALSE(static_cast<TProfEntryDlg&>(f).TextFileBtn->isVisible());
        Ok(f);
    });
    ASSERT_EQ(Rows(), 2);
    EXPECT_DOUBLE_EQ(ProfValue(1, "GroundElev"), 90.0);
    EXPECT_EQ(int(ProfValue(1, "NodeType")), 4);
}

TEST_F(ProfEntryDlgTest, AddFollowsTheLastNodeByTheIncrement)
{
    SetIncrement(100);
    Node(0, 0);
    Node(500, 1, {{"GroundElev", 87.5}});
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "AddNodeBtn");
        EXPECT_DOUBLE_EQ(DMod->WorkProfTableStation->AsFloat(), 600.0);
        EXPECT_TRUE(f.Control<QLineEdit>("NFIn")->isEnabled());
        EXPECT_EQ(f.ActiveControl(), f.Control<QLineEdit>("NFStation"));
        Ok(f);
    });
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    ASSERT_EQ(Rows(), 3);
    EXPECT_DOUBLE_EQ(NumAt(600, "RecordNo"), 3);
    EXPECT_DOUBLE_EQ(NumAt(600, "GroundElev"), 87.5);
    EXPECT_DOUBLE_EQ(NumAt(600, "PipeLength"), 100.0);
    EXPECT_EQ(TextAt(600, "NodeTypeDesc"), kInLine);
    EXPECT_EQ(TextAt(600, "DownStreamPipeDescription"), "8 in PVC");   // carried from the node before
    EXPECT_DOUBLE_EQ(NumAt(600, "DiaIn"), 8.0);
    EXPECT_FALSE(Tul->WasCancelled);
}

TEST_F(ProfEntryDlgTest, AddWithoutAnIncrementStillMovesOn)
{
    SetIncrement(0);
    Node(0, 0);
    Node(500, 1);
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "AddNodeBtn");
        Ok(f);
    });
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    ASSERT_EQ(Rows(), 3);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Station"), 510.0);
}

TEST_F(ProfEntryDlgTest, AddAfterAnEndNodeIsRefused)
{
    Node(0, 0);
    Node(500, 4);
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "AddNodeBtn");
        Ok(f);
    });
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't add a node.  There is already an end node."});
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_EQ(Rows(), 2);
}

TEST_F(ProfEntryDlgTest, InsertedStationLiesBetweenItsNeighbours)
{
    struct Case {
        double previous, insertPoint, increment;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {100, 150, 100, 110}, {100, 105, 100, 101}, {100, 200, 20, 120}, {100, 101, 100, std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.insertPoint);
        clearProfile();
        driver.ClearLog();
        SetIncrement(c.increment);
        Node(0, 0);
        Node(c.previous, 1);
        Node(c.insertPoint, 4);
        const double insertPoint = c.insertPoint;
        Run([insertPoint](ui::Form& f) {
            Select(insertPoint);
            DialogDriver::Press(f, "InsertNodeSpdBtn");
            Ok(f);
        });
        if (!c.expected) {
            EXPECT_EQ(driver.MessageTexts(), QStringList{NoRoomToInsertText(c.previous, c.insertPoint)});
            EXPECT_TRUE(Tul->WasCancelled);
            EXPECT_EQ(Rows(), 3);
            continue;
        }
        EXPECT_TRUE(driver.MessageTexts().isEmpty());
        ASSERT_EQ(Rows(), 4);
        const double s = *c.expected;
        EXPECT_EQ(TextAt(s, "NodeTypeDesc"), kInLine);
        EXPECT_DOUBLE_EQ(NumAt(s, "RecordNo"), 3);
        EXPECT_DOUBLE_EQ(NumAt(c.insertPoint, "RecordNo"), 4);
        EXPECT_DOUBLE_EQ(NumAt(s, "PipeLength"), s - c.previous);
        EXPECT_DOUBLE_EQ(NumAt(c.insertPoint, "PipeLength"), c.insertPoint - s);
    }
}

TEST_F(ProfEntryDlgTest, InsertAtTheEntranceOnlyWhileItIsAlone)
{
    Node(0, 0);
    Run([](ui::Form& f) {
        Select(0);
        DialogDriver::Press(f, "InsertNodeSpdBtn");
        Ok(f);
    });
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    ASSERT_EQ(Rows(), 2);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Station"), 1.0);
    EXPECT_EQ(int(ProfValue(1, "RecordNo")), 2);

    Node(500, 4);
    Run([](ui::Form& f) {
        Select(0);
        DialogDriver::Press(f, "InsertNodeSpdBtn");
        Ok(f);
    });
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't insert a station prior to the entrance."});
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_EQ(Rows(), 3);
}

TEST_F(ProfEntryDlgTest, DeleteAsksThenCarriesTheFlowsDown)
{
    Node(0, 0);
    Node(300, 1, {{"InQ", 10.0}, {"PipeQ", 510.0}});
    Node(600, 1, {{"PipeQ", 510.0}});
    Node(900, 4, {{"PipeQ", 510.0}});
    Run([this](ui::Form& f) {
        Select(0);
        DialogDriver::Press(f, "DeleteNodeBtn");
        EXPECT_EQ(driver.MessageTexts(),
                  QStringList{"Can't delete entrance station 0+00.  It is OK to edit an entrance node."});
        driver.ClearLog();
        Select(300);
        driver.Answer(ui::mrNo);
        DialogDriver::Press(f, "DeleteNodeBtn");
        EXPECT_EQ(Rows(), 4);
        EXPECT_DOUBLE_EQ(NumAt(600, "PipeQ"), 510.0);
        Select(300);
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteNodeBtn");
        Ok(f);
    });
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"Do you really want to DELETE Station 3+00?",
                                                  "Do you really want to DELETE Station 3+00?",
                                                  "Station 3+00 is now deleted!"}));
    ASSERT_EQ(Rows(), 3);
    EXPECT_DOUBLE_EQ(NumAt(0, "PipeQ"), 500.0);
    EXPECT_DOUBLE_EQ(NumAt(600, "PipeQ"), 500.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "PipeQ"), 500.0);
    EXPECT_DOUBLE_EQ(NumAt(600, "RecordNo"), 2);
    EXPECT_DOUBLE_EQ(NumAt(900, "RecordNo"), 3);
    EXPECT_DOUBLE_EQ(NumAt(600, "PipeLength"), 600.0);
    EXPECT_EQ(Header("NumNodes").toInt(), 3);
}

TEST_F(ProfEntryDlgTest, DeletingAGatedEndEmptiesTheGatedPipe)
{
    job.SetHeader({{"SysHas", 1}});
    Tul->SysHas = 1;
    Node(0, 0);
    Node(400, 5, {{"NodeTypeDesc", "End of line, start gated pipe"}});
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"StartSta", 400.0}, {"GateFlow", 20.0}});
    Run([this](ui::Form& f) {
        Select(400);
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteNodeBtn");
        Ok(f);
    });
    EXPECT_EQ(Rows(), 1);
    ASSERT_TRUE(DMod->WorkGatedTable->Active());
    EXPECT_TRUE(DMod->WorkGatedTable->IsEmpty());
    EXPECT_EQ(Header("SysHas").toInt(), 0);   // the job no longer ends in gated pipe
    EXPECT_EQ(Tul->SysHas, 0);
}

// The header's missing-end flag follows the end node: the profile page
// offers Add Node by it.
TEST_F(ProfEntryDlgTest, DeletingTheEndNodeMarksTheEndMissing)
{
    Node(0, 0);
    Node(500, 1);
    Node(900, 1);
    Run([this](ui::Form& f) {
        Select(900);
        DialogDriver::Focus(f, "NFElev");
        DialogDriver::Choose(f, "NodeComboBox", kEnd);
        DialogDriver::Focus(f, "NFElev");
        EXPECT_FALSE(DMod->WorkPipeTableNoEnd->AsBoolean());
        Select(900);
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteNodeBtn");
        Ok(f);
    });
    EXPECT_EQ(Rows(), 2);
    EXPECT_TRUE(Header("NoEnd").toBool());
}

TEST_F(ProfEntryDlgTest, DeletingTheBoosterTakesItsPumpOffTheJob)
{
    job.SetHeader({{"PumpType", "INLINE BOOSTER"}});
    Tul->PumpTypeCode = 8;
    Node(0, 0);
    Node(500, 2);
    Node(900, 4);
    Run([this](ui::Form& f) {
        Select(500);
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteNodeBtn");
        Ok(f);
    });
    EXPECT_EQ(Rows(), 2);
    EXPECT_TRUE(Header("PumpType").toString().isEmpty());
    EXPECT_EQ(Tul->PumpTypeCode, 0);
}

TEST_F(ProfEntryDlgTest, StationTypedOverMovesTheRowAndItsReaches)
{
    Node(0, 0);
    Node(500, 1);
    Node(900, 1);
    Node(1200, 4);
    Run([](ui::Form& f) {
        Select(500);
        DialogDriver::Type(f, "NFStation", "1000");
        DialogDriver::Focus(f, "NFElev");
        EXPECT_DOUBLE_EQ(NumAt(1200, "PipeLength"), 200.0);
        DialogDriver::Press(f, "HelpBitBtn");
        Ok(f);
    });
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{124});
    const double station[] = {0, 900, 1000, 1200}, length[] = {0, 900, 100, 200};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Station"), station[k]);
        EXPECT_EQ(int(ProfValue(k, "RecordNo")), k + 1);
        EXPECT_DOUBLE_EQ(ProfValue(k, "PipeLength"), length[k]);
    }
}

// After Add the new row is being entered; a row picked in the grid
// afterwards is an existing node and keeps its invert data, whichever of its
// fields the user goes to first.
TEST_F(ProfEntryDlgTest, RowPickedInTheGridAfterAddKeepsItsInvert)
{
    db::Table* defaults = DMod->DefLocTable;
    defaults->First();
    defaults->Edit();
    DMod->DefLocTableInvElMethod->SetAsInteger(0);
    DMod->DefLocTableDepthOfCover->SetAsFloat(36.0);
    defaults->Post();
    SetIncrement(100);
    Node(0, 0);
    Node(500, 1, {{"InvElMethod", 1}, {"InvElMethDesc", "Enter invert elevation directly"}, {"InvertElev", 95.0},
                  {"PipeDepth", 45.0}});
    Node(900, 1, {{"InvElMethod", 2}, {"InvElMethDesc", "Set invert at ground level"}, {"InvertElev", 100.0},
                  {"PipeDepth", 0.0}});
    Run([](ui::Form& f) {
        auto& dlg = static_cast<TProfEntryDlg&>(f);
        DialogDriver::Press(f, "AddNodeBtn");
        DialogDriver::Focus(f, "DBGrid1");
        Select(500);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(dlg.DBGrid1->viewport(), &up);
        DialogDriver::Focus(f, "NFStation");
        DialogDriver::Focus(f, "NFElev");
        DialogDriver::Focus(f, "NodeComboBox");
        DialogDriver::Focus(f, "NFElev");
        // Straight to the node type of another row.
        DialogDriver::Press(f, "AddNodeBtn");
        DialogDriver::Focus(f, "DBGrid1");
        Select(900);
        DialogDriver::Focus(f, "NodeComboBox");
        DialogDriver::Focus(f, "NFElev");
        Ok(f);
    });
    ASSERT_EQ(Rows(), 5);
    EXPECT_EQ(NumAt(500, "InvElMethod"), 1);
    EXPECT_EQ(TextAt(500, "InvElMethDesc"), "Enter invert elevation directly");
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 95.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 45.0);
    EXPECT_EQ(NumAt(900, "InvElMethod"), 2);
    EXPECT_DOUBLE_EQ(NumAt(900, "InvertElev"), 100.0);
    EXPECT_DOUBLE_EQ(NumAt(1000, "PipeLength"), 100.0);
}

TEST_F(ProfEntryDlgTest, TabFromThePipeGoesOnToAddNodeAsEnterDoes)
{
    // Tab lands on a button next in the focus chain (OK); the pipe's exit
    // must still carry the entry on to Add Node, not leave OK to a keypress.
    for (int key : {int(Qt::Key_Tab), int(Qt::Key_Return)}) {
        SCOPED_TRACE(key);
        clearProfile();
        Tul->NewJob = true;
        Tul->NodeChoice = 0;
        driver.OnForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
        driver.OnForm("TGetPipeDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn1"); });
        Run([key](ui::Form& f) {
            DialogDriver::Focus(f, "SFPipe");
            DialogDriver::Key(f, key);
            EXPECT_EQ(f.ActiveControl(), f.Control<QPushButton>("AddNodeBtn"));
            DialogDriver::Enter(f);
            EXPECT_TRUE(f.isVisible());
            EXPECT_EQ(Rows(), 2);
            Ok(f);
        });
    }
}

// A new node's station may take it elsewhere in the profile; the method its
// station sets is written with its text, which is what the list shows and
// what the user goes by.
// A refused insert enters no new row: the insert point is edited as the
// node it is.
TEST_F(ProfEntryDlgTest, RefusedInsertLeavesTheInsertPointAnExistingNode)
{
    SetIncrement(100);
    Node(0, 0);
    Node(500, 1, {{"InvElMethod", 1}, {"InvElMethDesc", "Enter invert elevation directly"}, {"InvertElev", 95.0},
                  {"PipeDepth", 45.0}});
    Node(501, 1, {{"InvElMethod", 0}, {"PipeDepth", 40.0}, {"InvertElev", 96.0}});
    Node(900, 1, {{"InvElMethod", 2}, {"InvElMethDesc", "Set invert at ground level"}, {"PipeDepth", 0.0},
                  {"InvertElev", 100.0}});
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "AddNodeBtn");
        DialogDriver::Focus(f, "DBGrid1");
        Select(501);
        DialogDriver::Press(f, "InsertNodeSpdBtn");
        DialogDriver::Focus(f, "NFElev");
        DialogDriver::Focus(f, "NodeComboBox");
        DialogDriver::Focus(f, "NFElev");
        Ok(f);
    });
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't insert a node here.  Stations 5+00 and 5+01 leave no room for a "
                                                 "station between them."});
    ASSERT_EQ(Rows(), 5);
    EXPECT_EQ(NumAt(501, "InvElMethod"), 0);
    EXPECT_DOUBLE_EQ(NumAt(501, "PipeDepth"), 40.0);
}

TEST_F(ProfEntryDlgTest, NewNodeMovedByItsStationKeepsMethodAndTextTogether)
{
    db::Table* defaults = DMod->DefLocTable;
    defaults->First();
    defaults->Edit();
    DMod->DefLocTableInvElMethod->SetAsInteger(0);
    defaults->Post();
    SetIncrement(100);
    Node(0, 0, {{"InvElMethod", 1}, {"InvElMethDesc", "Enter invert elevation directly"}});
    Node(500, 1);
    Node(900, 4);
    Run([](ui::Form& f) {
        Select(500);
        DialogDriver::Press(f, "InsertNodeSpdBtn");
        DialogDriver::Type(f, "NFStation", "700");
        DialogDriver::Focus(f, "NodeComboBox");
        DialogDriver::Choose(f, "NodeComboBox", kInLine);
        DialogDriver::Focus(f, "NFStation");
        DialogDriver::Type(f, "NFStation", "710");
        DialogDriver::Type(f, "NFElev", "97");
        Ok(f);
    });
    ASSERT_EQ(Rows(), 4);
    const int method = int(NumAt(710, "InvElMethod"));
    EXPECT_EQ(TextAt(710, "InvElMethDesc"), InvElMethodText(method)) << method;
}

// Two nodes cannot share a station: the one typed over keeps its own, and
// the profile is left postable for everything after it.
TEST_F(ProfEntryDlgTest, StationOfAnotherNodeIsRefused)
{
    Node(0, 0);
    Node(500, 1);
    Node(900, 4);
    Run([](ui::Form& f) {
        Select(500);
        DialogDriver::Focus(f, "NFStation");
        DialogDriver::Type(f, "NFStation", "900");
        DialogDriver::Focus(f, "NFElev");
        EXPECT_DOUBLE_EQ(DMod->WorkProfTableStation->AsFloat(), 500.0);
        DialogDriver::Type(f, "NFElev", "97");
        DialogDriver::Focus(f, "NodeComboBox");
        Ok(f);
    });
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Station 9+00 is already in the profile."});
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(DMod->WorkProfTable->State(), db::DataSetState::Browse);
    EXPECT_DOUBLE_EQ(NumAt(500, "GroundElev"), 97.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "GroundElev"), 100.0);
}

TEST_F(ProfEntryDlgTest, KeysTypedIntoTheNextFieldReplaceItsValue)
{
    // As at the keyboard: the ground elevation shows nothing (none entered
    // yet) when Enter reaches it from the station, and the digits typed go in.
    auto typeKeys = [](ui::Form& f, const QString& text) {
        for (QChar c : text) {
            QWidget* w = f.focusWidget();
            QKeyEvent press(QEvent::KeyPress, c == u'.' ? Qt::Key_Period : Qt::Key_0 + (c.unicode() - u'0'),
                            Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    };
    clearProfile();
    Tul->NewJob = true;
    Run([&typeKeys](ui::Form& f) {
        DialogDriver::Focus(f, "NFStation");
        typeKeys(f, "0");
        DialogDriver::Enter(f);
        ASSERT_EQ(f.ActiveControl(), f.Control<QLineEdit>("NFElev"));
        EXPECT_EQ(f.Control<QLineEdit>("NFElev")->text(), "");
        typeKeys(f, "998.5");
        DialogDriver::Enter(f);
        Ok(f);
    });
    EXPECT_DOUBLE_EQ(ProfValue(0, "GroundElev"), 998.5);
}

TEST_F(ProfEntryDlgTest, OkMakesTheFirstRowTheEntranceAndNumbersTheRows)
{
    Node(0, 1);
    Node(500, 1);
    Node(800, 4);
    db::Table* t = DMod->WorkProfTable;
    t->Last();
    t->Edit();
    DMod->WorkProfTableRecordNo->SetAsInteger(7);
    t->Post();
    Run([](ui::Form& f) { Ok(f); });
    EXPECT_EQ(TextAt(0, "NodeTypeDesc"), kEntrance);
    EXPECT_EQ(NumAt(0, "NodeType"), 0);
    EXPECT_EQ(TextAt(0, "ReachType"), "GRAVBEG");
    EXPECT_EQ(NumAt(800, "RecordNo"), 3);
    EXPECT_EQ(Tul->NewRecordNo, 1);
}

TEST_F(ProfEntryDlgTest, CancelEmptiesTheWorkingProfile)
{
    Tul->NewJob = true;
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"StartSta", 400.0}});
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "AddNodeBtn");
        DialogDriver::Press(f, "CancelBitBtn");
    });
    EXPECT_TRUE(Tul->ProfEntryCancelled);
    EXPECT_FALSE(DMod->WorkProfTable->Active());
    EXPECT_EQ(Rows(), 0);
    DMod->WorkGatedTable->Open();
    EXPECT_TRUE(DMod->WorkGatedTable->IsEmpty());
}

// Cancel takes back the job header's marks of the node kinds chosen in this
// showing along with the profile: no manifold end, no in-line booster.
TEST_F(ProfEntryDlgTest, CancelTakesBackTheEndAndBoosterMarks)
{
    NodeKindDialogOpener = nullptr;
    Tul->NewJob = true;
    Tul->SysTypeCode = 0;
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "AddNodeBtn");
        DialogDriver::Focus(f, "NodeComboBox");
        DialogDriver::Choose(f, "NodeComboBox", "In line w/booster pump");
        DialogDriver::Focus(f, "NFElev");
        DialogDriver::Press(f, "AddNodeBtn");
        DialogDriver::Focus(f, "NodeComboBox");
        DialogDriver::Choose(f, "NodeComboBox", "End of line, start manifold segment");
        DialogDriver::Focus(f, "NFElev");
        EXPECT_EQ(DMod->WorkPipeTableSysHas->AsInteger(), 2);
        EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), "INLINE BOOSTER");
        DialogDriver::Press(f, "CancelBitBtn");
    });
    EXPECT_TRUE(Tul->ProfEntryCancelled);
    EXPECT_EQ(Header("SysHas").toInt(), 0);
    EXPECT_TRUE(Header("PumpType").toString().isEmpty());
    EXPECT_EQ(Tul->SysHas, 0);
    EXPECT_EQ(Tul->PumpTypeCode, 0);
}

TEST_F(ProfEntryDlgTest, InvertMethodsConvertDepthAndInvert)
{
    Node(0, 0);
    Node(500, 1, {{"PipeDepth", 36.0}, {"WallThick", 0.5}, {"DiaIn", 11.5}});
    driver.OnForm("TDepthInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBtn"); });
    driver.OnForm("TInvertIndlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBtn"); });
    Run([](ui::Form& f) {
        Select(500);
        DialogDriver::Focus(f, "InvComboBox");
        DialogDriver::Focus(f, "EditNodeBtn");   // leaves the list
        EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 96.0);
        EXPECT_EQ(NumAt(500, "InvElMethod"), 0);
        Select(500);
        DialogDriver::Choose(f, "InvComboBox", "Enter invert elevation directly");
        DialogDriver::Focus(f, "EditNodeBtn");
        EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 36.0);
        EXPECT_EQ(NumAt(500, "InvElMethod"), 1);
        Select(500);
        DialogDriver::Choose(f, "InvComboBox", "Set invert at ground level ");
        DialogDriver::Focus(f, "EditNodeBtn");
        Ok(f);
    });
    EXPECT_EQ(driver.FormsShown().count("TDepthInDlg"), 2);
    EXPECT_EQ(driver.FormsShown().count("TInvertIndlg"), 2);
    EXPECT_EQ(NumAt(500, "InvElMethod"), 2);
    EXPECT_EQ(TextAt(500, "InvElMethDesc"), "Set invert at ground level");
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 100.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 0.0);
}

TEST_F(ProfEntryDlgTest, EnterOnTheMethodOfAnEndNodeGoesToOk)
{
    Node(0, 0);
    Node(500, 4, {{"InvElMethDesc", "Set invert at ground level"}, {"InvElMethod", 2}});
    Run([](ui::Form& f) {
        Select(500);
        Tul->NodeChoice = 4;
        DialogDriver::Focus(f, "InvComboBox");
        DialogDriver::Enter(f);
        EXPECT_EQ(f.ActiveControl(), f.Control<QPushButton>("OKBtn"));
        EXPECT_EQ(DMod->WorkProfTable->RecNo(), 1);
        DialogDriver::Enter(f);   // presses OK
    });
    EXPECT_FALSE(Tul->ProfEntryCancelled);
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 100.0);
}

// The gravity designer's entry offers no in-line booster, and on the method
// list only Enter carries on (Tab is the focus chain's).
TEST_F(ProfEntryDlgTest, GravityDesignerOffersNoBoosterAndGoesOnByEnterOnly)
{
    testsupport::RunningAs gravity(Program::Dunstrow);
    Node(0, 0);
    Node(500, 1);
    Run([](ui::Form& f) {
        auto* combo = f.Control<QComboBox>("NodeComboBox");
        QStringList kinds;
        for (int i = 0; i < combo->count(); ++i) kinds << combo->itemText(i);
        EXPECT_EQ(kinds.size(), 6);
        EXPECT_FALSE(kinds.contains("In line w/booster pump"));
        EXPECT_EQ(kinds.value(2), "In line w/pressure reducer");

        Select(500);
        Tul->NodeChoice = 1;
        DialogDriver::Focus(f, "InvComboBox");
        DialogDriver::Key(f, Qt::Key_Tab);
        EXPECT_NE(f.ActiveControl(), f.Control<QWidget>("SFPipe"));
        DialogDriver::Focus(f, "InvComboBox");
        DialogDriver::Enter(f);
        EXPECT_EQ(f.ActiveControl(), f.Control<QWidget>("SFPipe"));
        DialogDriver::Press(f, "OKBtn");
    });
}

class ProfEntryImport : public ProfEntryDlgTest {
protected:
    QString File(const QByteArray& text)
    {
        const QString path = dir.filePath(QStringLiteral("profile.txt"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ProfEntryImport, ImportedRowsAreNumberedAndEditedFromTheFirst)
{
    Tul->NewJob = true;
    driver.AnswerFile(File("0,350\n500,348\n1200,345\n"));
    driver.OnceForm("TProfFromTxtDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    Run([](ui::Form& f) {
        auto& dlg = static_cast<TProfEntryDlg&>(f);
        DialogDriver::Press(f, "TextFileBtn");
        EXPECT_FALSE(dlg.TextFileBtn->isEnabled());
        EXPECT_TRUE(dlg.ImportMode);
        EXPECT_TRUE(dlg.RowEditMode);
        EXPECT_EQ(DMod->WorkProfTable->RecNo(), 1);
        EXPECT_EQ(Tul->NumNodes, 3);
        Ok(f);
    });
    ASSERT_EQ(Rows(), 3);
    const double station[] = {0, 500, 1200}, ground[] = {350, 348, 345};
    const int type[] = {0, 1, 4};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Station"), station[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "GroundElev"), ground[k]);
        EXPECT_EQ(int(ProfValue(k, "RecordNo")), k + 1);
        EXPECT_EQ(int(ProfValue(k, "NodeType")), type[k]);
    }
    EXPECT_EQ(Header("NumNodes").toInt(), 3);
}

TEST_F(ProfEntryImport, PipeFieldWalksForwardCarryingThePipe)
{
    Tul->NewJob = true;
    driver.AnswerFile(File("0,350\n500,348\n1200,345\n"));
    driver.OnceForm("TProfFromTxtDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "TextFileBtn");
        // The reach dialog has given the node at 500 its pipe.
        Select(500);
        db::Table* t = DMod->WorkProfTable;
        t->Edit();
        DMod->WorkProfTableDownStreamPipeDescription->SetAsString(QStringLiteral("6 in PVC"));
        DMod->WorkProfTableDiaIn->SetAsFloat(6.065);
        t->Post();
        DialogDriver::Focus(f, "SFPipe");
        DialogDriver::Enter(f);
        EXPECT_DOUBLE_EQ(DMod->WorkProfTableStation->AsFloat(), 1200.0);
        EXPECT_EQ(f.ActiveControl(), f.Control<QLineEdit>("NFStation"));
        // At the end node the entry is done: back to the first row and OK.
        DialogDriver::Focus(f, "SFPipe");
        DialogDriver::Enter(f);
        EXPECT_EQ(f.ActiveControl(), f.Control<QPushButton>("OKBtn"));
        EXPECT_EQ(DMod->WorkProfTable->RecNo(), 1);
        Ok(f);
    });
    EXPECT_EQ(TextAt(1200, "DownStreamPipeDescription"), "6 in PVC");
    EXPECT_DOUBLE_EQ(NumAt(1200, "DiaIn"), 6.065);
    EXPECT_EQ(NumAt(1200, "NodeType"), 4);
    EXPECT_EQ(TextAt(1200, "NodeTypeDesc"), kEnd);
    EXPECT_EQ(TextAt(1200, "ReachType"), "GRAVEND");
    EXPECT_DOUBLE_EQ(NumAt(1200, "PipeLength"), 700.0);
    // No node takes or adds water, so every reach carries the design flow.
    const double design = DMod->WorkPipeTableDesignFlow->AsFloat();
    ASSERT_GT(design, 0.0);
    for (double station : {0.0, 500.0, 1200.0}) EXPECT_DOUBLE_EQ(NumAt(station, "PipeQ"), design) << station;
}

// The pipe picked for the entrance's reach is carried on whole: its
// friction factors, wall, rating and weight too, not what the job object
// last held.
TEST_F(ProfEntryImport, WalkCarriesTheEntrancePipeWhole)
{
    Tul->NewJob = true;
    Tul->Cfac = 0;
    Tul->WallThick = 0;
    Tul->PressurRating = 0;
    Tul->WtPerFt = 0;
    driver.AnswerFile(File("0,350\n500,348\n1200,345\n"));
    driver.OnceForm("TProfFromTxtDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    driver.OnForm("TProfInDlg", [](ui::Form& f) {
        if (DMod->WorkProfTableStation->AsFloat() == 0.0) {
            db::Table* t = DMod->WorkProfTable;
            if (t->State() == db::DataSetState::Browse) t->Edit();
            DMod->WorkProfTablePipeType->SetAsString(QStringLiteral("PVC"));
            DMod->WorkProfTableDownStreamPipeDescription->SetAsString(QStringLiteral("6 in PVC"));
            DMod->WorkProfTableDiaIn->SetAsFloat(6);
            DMod->WorkProfTableCfac->SetAsFloat(150);
            DMod->WorkProfTableWallThick->SetAsFloat(0.3);
            DMod->WorkProfTablePressurRating->SetAsFloat(100);
            DMod->WorkProfTableWtPerFt->SetAsFloat(2.5);
        }
        DialogDriver::Press(f, "OKBitBtn");
    });
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "TextFileBtn");
        for (int node = 0; node < 3; ++node) {
            DialogDriver::Focus(f, "SFPipe");
            DialogDriver::Enter(f);
        }
        Ok(f);
    });
    for (double station : {500.0, 1200.0}) {
        SCOPED_TRACE(station);
        EXPECT_EQ(TextAt(station, "DownStreamPipeDescription"), "6 in PVC");
        EXPECT_DOUBLE_EQ(NumAt(station, "DiaIn"), 6.0);
        EXPECT_DOUBLE_EQ(NumAt(station, "Cfac"), 150.0);
        EXPECT_DOUBLE_EQ(NumAt(station, "WallThick"), 0.3);
        EXPECT_DOUBLE_EQ(NumAt(station, "PressurRating"), 100.0);
        EXPECT_DOUBLE_EQ(NumAt(station, "WtPerFt"), 2.5);
    }
}

TEST_F(ProfEntryImport, CancelledImportStartsAgainFromTheEntrance)
{
    Tul->NewJob = true;
    driver.AnswerFile(File("0,350\n500,348\n"));
    driver.OnceForm("TProfFromTxtDlg", [](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn"); });
    Run([](ui::Form& f) {
        auto& dlg = static_cast<TProfEntryDlg&>(f);
        DialogDriver::Press(f, "TextFileBtn");
        EXPECT_TRUE(dlg.TextFileBtn->isEnabled());
        EXPECT_FALSE(dlg.ImportMode);
        DialogDriver::Press(f, "AddNodeBtn");
        Ok(f);
    });
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(ProfText(0, "NodeTypeDesc"), kEntrance);
    EXPECT_DOUBLE_EQ(ProfValue(0, "PipeQ"), 500.0);
    // Nothing was imported, so the profile still has no end node.
    EXPECT_TRUE(Header("NoEnd").toBool());
}

} // namespace

// An entrance whose invert is to be entered directly is asked for it when
// the entry closes, if it never was; Escape there leaves it not entered,
// for the run to refuse by its station.
TEST_F(ProfEntryDlgTest, OkAsksForTheEntranceInvertNeverEntered)
{
    for (const bool typed : {true, false}) {
        SCOPED_TRACE(typed);
        clearProfile();
        Tul->NewJob = true;
        driver.OnceForm("TInvertIndlg", [typed](ui::Form& f) {
            if (typed) DialogDriver::Type(f, "ElevDBNF", "95");
            DialogDriver::Key(f, typed ? Qt::Key_Return : Qt::Key_Escape);
        });
        Run([](ui::Form& f) {
            DialogDriver::Type(f, "NFStation", "0");
            DialogDriver::Type(f, "NFElev", "98");
            Ok(f);
        });
        EXPECT_EQ(driver.FormsShown().count(QStringLiteral("TInvertIndlg")), 1);
        driver.ClearLog();
        EXPECT_EQ(ProfIsNull(0, "InvertElev"), !typed);
        if (typed) EXPECT_DOUBLE_EQ(ProfValue(0, "InvertElev"), 95.0);
    }
}
