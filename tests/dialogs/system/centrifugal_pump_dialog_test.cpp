// The centrifugal pump dialog with its suction line, and the suction segment
// dialog it opens for each segment.
#include "support/jobwindow.h"

#include "dialogs/dialog_helpers.h"
#include "dialogs/system/centrifugal_pump_dialog.h"
#include "dialogs/system/suction_segment_dialog.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/dbgrid.h"

#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>

namespace {

using testsupport::RunsJobWindowTest;

const QString kIncomplete = "All values and one suction segment must be entered. Please complete entries.";

class CentrifugalTest : public RunsJobWindowTest {
protected:
    void SetUp() override
    {
        RunsJobWindowTest::SetUp();
        setDefaults({{"ElevSea", 1200.0}, {"WaterTemp", 65.0}, {"PumpEff", 72.0}, {"ClearHead", 4.0},
                     {"SuctionPipeType", "PVC"}});
    }
    // A loaded centrifugal job of 500 gpm with the suction segments given
    // as (length, diameter, description).
    void loadedCentrifugal(std::vector<std::tuple<double, double, QString>> segments)
    {
        loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", "CENTRIF"}, {"DesignFlow", 500.0},
                   {"WSElev", 100.0}, {"PumpEyeElev", 105.0}, {"Altitude", 1000.0}, {"WaterTemp", 60.0},
                   {"PumpEffic", 70.0}, {"ClearHead", 5.0}, {"NoSucSegs", int(segments.size())}});
        int no = 1;
        for (const auto& [length, dia, description] : segments)
            addRow(DMod->WorkSuctionTable, {{"SegmentNo", no}, {"NodeType", no == 1 ? 0 : 1}, {"PipeLength", length},
                                            {"PipeQ", 500.0}, {"DiaIn", dia}, {"Cfac", 150.0}, {"PipeType", "PVC"},
                                            {"DownStreamPipeDescription", description}, {"KLocate1", "NA"},
                                            {"KLocate2", "NA"}, {"KLocate3", "NA"}}),
                ++no;
        DMod->WorkSuctionTable->First();
    }
    void onCentrifugal(std::function<void(TPumpCentrifDlg&)> act)
    {
        driver.OnceForm("TPumpCentrifDlg", [act](ui::Form& f) { act(static_cast<TPumpCentrifDlg&>(f)); });
    }
    static QList<int> segmentNumbers()
    {
        QList<int> out;
        db::Table* suc = DMod->WorkSuctionTable;
        if (!suc->Active()) suc->Open();
        for (suc->First(); !suc->Eof(); suc->Next()) out << DMod->WorkSuctionTableSegmentNo->AsInteger();
        return out;
    }
    static QList<double> segmentFlows()
    {
        QList<double> out;
        db::Table* suc = DMod->WorkSuctionTable;
        for (suc->First(); !suc->Eof(); suc->Next()) out << DMod->WorkSuctionTablePipeQ->AsFloat();
        return out;
    }
    static double header(const char* field) { return DMod->WorkPipeTable->FieldByName(field)->AsFloat(); }
};

// The defaults shown count as entered and a site at sea level is one: OK
// wants only what is missing, and says what. The segment added at 300 gpm
// carries the 400 the flow becomes afterwards:
//   TDSH = (105 - 100) + hf 10.4057 x 20 x (400/150)^1.85185 / 6^4.87037
//          + hv (400/448.83/(0.0054542 x 36))^2 / 64.4
//        = 5 + 0.207609 + 0.319892 = 5.53 ft
//   ASH at altitude 0 and 65 F = 33.91 - (0.6 - 1.69 + 1.78295) = 33.22 ft
TEST_F(CentrifugalTest, NewJobOpensWithTheDefaultsAndOkWantsOnlyWhatIsMissing)
{
    newNamedJob("Smith");
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", "Centrifugal Pump"); });
    // The first segment: the local default pipe type, no pipe yet, 1 ft long.
    driver.OnceForm("TSuctionDlg", [](ui::Form& s) {
        auto& dlg = static_cast<TSuctionDlg&>(s);
        EXPECT_EQ(dlg.StatusBar1->PanelText(0), "First Segment");
        EXPECT_DOUBLE_EQ(DMod->WorkSuctionTablePipeLength->AsFloat(), 1.0);
        EXPECT_EQ(DMod->WorkSuctionTablePipeType->AsString(), "PVC");
        EXPECT_EQ(DMod->WorkSuctionTableDownStreamPipeDescription->AsString(), "");
        DialogDriver::Type(s, "SuctionPipeLengthDBNF", "20");
        // The pipe as the pipe dialog leaves it in the segment's row.
        DMod->WorkSuctionTableDiaIn->SetAsFloat(6.0);
        DMod->WorkSuctionTableCfac->SetAsFloat(150.0);
        DMod->WorkSuctionTableDownStreamPipeDescription->SetAsString("6 in PVC");
        DialogDriver::Press(s, "OKBitBtn1");
    });
    onCentrifugal([&](TPumpCentrifDlg& d) {
        EXPECT_EQ(d.Caption(), "Centrifugal Pump Data");
        EXPECT_DOUBLE_EQ(header("Altitude"), 1200.0);
        EXPECT_DOUBLE_EQ(header("WaterTemp"), 65.0);
        EXPECT_DOUBLE_EQ(header("PumpEffic"), 72.0);
        EXPECT_DOUBLE_EQ(header("ClearHead"), 4.0);
        EXPECT_EQ(form->EntranceDataGroupBox->title(), "Centrifugal Pump Data (Click on 'System' button to edit)");
        EXPECT_TRUE(form->CentPumpGrid->isVisibleTo(form->EntranceDataGroupBox));
        DialogDriver::Type(d, "FlowRateDBNF", "300");
        DialogDriver::Type(d, "WSDBNF", "100");
        DialogDriver::Type(d, "AltDBNF", "0");
        DialogDriver::Press(d, "OKBitBtn1");
        EXPECT_TRUE(d.isVisible());
        DialogDriver::Type(d, "EyeDBNF", "105");
        DialogDriver::Press(d, "AddNodeBtn");
        DialogDriver::Type(d, "FlowRateDBNF", "400");
        DialogDriver::Focus(d, "WSDBNF");
        EXPECT_EQ(segmentFlows(), QList<double>{400});
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pumped system, known flow");
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{kIncomplete + " Missing: Elevation of Pump Eye, one suction segment."});
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_EQ(Tul->PumpTypeCode, 1);
    EXPECT_EQ(segmentNumbers(), QList<int>{1});
    EXPECT_DOUBLE_EQ(DMod->WorkSuctionTablePipeQ->AsFloat(), 400.0);
    EXPECT_DOUBLE_EQ(header("Altitude"), 0.0);
    EXPECT_DOUBLE_EQ(header("AvailSH"), 33.22);
    EXPECT_DOUBLE_EQ(header("TDSH"), 5.53);
    EXPECT_EQ(Tul->PipePickTarget, 0);
}

// The suction line always carries the job's design flow: 500 -> 600 -> 500
// leaves it at 500 (TDSH 5 + 0.156921 + 0.499831 = 5.66 ft for 10 ft of
// 6 in, not the 5.94 of 600 gpm), and Cancel after a flow was posted puts
// the header's flow back with the suction line's.
TEST_F(CentrifugalTest, SuctionLineAlwaysCarriesTheDesignFlow)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}});
    onCentrifugal([&](TPumpCentrifDlg& d) {
        for (const char* flow : {"600", "500"}) {
            DialogDriver::Type(d, "FlowRateDBNF", flow);
            DialogDriver::Focus(d, "WSDBNF");
        }
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(segmentFlows(), QList<double>{500});
    EXPECT_DOUBLE_EQ(header("TDSH"), 5.66);

    onCentrifugal([&](TPumpCentrifDlg& d) {
        DialogDriver::Type(d, "FlowRateDBNF", "600");
        DialogDriver::Focus(d, "WSDBNF");
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    form->SelSystemEditBtn->click();   // the focus went on to the notes
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_EQ(driver.FormsShown().count("TPumpCentrifDlg"), 2);
    DMod->WorkPipeTable->Refresh();
    EXPECT_DOUBLE_EQ(header("DesignFlow"), 500.0);
    EXPECT_DOUBLE_EQ(Tul->DesignFlow, 500.0);
    EXPECT_EQ(segmentFlows(), QList<double>{500});
}

TEST_F(CentrifugalTest, FirstOfThreeSegmentsIsNotDeletedButOfferedForEditing)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}, {20, 6, "6 in PVC"}, {30, 8, "8 in PVC"}});
    onCentrifugal([&](TPumpCentrifDlg& d) {
        EXPECT_TRUE(d.Missing().isEmpty());
        EXPECT_TRUE(d.ChangeBtn->isVisible());
        driver.Answer(ui::mrNo);
        DialogDriver::Press(d, "DeleteNodeBtn");
        driver.Answer(ui::mrYes);
        driver.OnceForm("TSuctionDlg", [](ui::Form& s) {
            EXPECT_EQ(static_cast<TSuctionDlg&>(s).StatusBar1->PanelText(0), "Edit segment");
            EXPECT_EQ(static_cast<TSuctionDlg&>(s).StatusBar1->PanelText(1), "Segment No = 1");
            DialogDriver::Press(s, "OKBitBtn1");
        });
        DialogDriver::Press(d, "DeleteNodeBtn");
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    const QString refusal = "You can't delete first segment when there is more than one segment. Do You want to edit it?";
    EXPECT_EQ(driver.MessageTexts(),
              (QStringList{refusal, "You may delete all segments and re-enter all segments.", refusal}));
    EXPECT_EQ(driver.Messages()[1].type, ui::MsgType::Information);
    EXPECT_EQ(segmentNumbers(), (QList<int>{1, 2, 3}));
}

TEST_F(CentrifugalTest, AddingToThreeRowsCopiesTheCursorRowsPipeAndADeleteRenumbers)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}, {20, 8, "8 in PVC"}, {30, 6, "6 in PVC"}});
    onCentrifugal([&](TPumpCentrifDlg& d) {
        ui::DBGrid::Of(d.DBGrid1)->SelectRow(1);
        driver.OnceForm("TSuctionDlg", [](ui::Form& s) {
            auto& dlg = static_cast<TSuctionDlg&>(s);
            EXPECT_EQ(dlg.StatusBar1->PanelText(0), "Insert segment");
            EXPECT_EQ(dlg.StatusBar1->PanelText(1), "Segment No = 4");
            DialogDriver::Press(s, "OKBitBtn1");
        });
        DialogDriver::Press(d, "AddNodeBtn");
        EXPECT_EQ(DMod->WorkSuctionTableSegmentNo->AsInteger(), 4);
        EXPECT_EQ(DMod->WorkSuctionTableDownStreamPipeDescription->AsString(), "8 in PVC");
        EXPECT_DOUBLE_EQ(DMod->WorkSuctionTableDiaIn->AsFloat(), 8.0);
        EXPECT_EQ(DMod->WorkSuctionTablePipeType->AsString(), "PVC");
        EXPECT_DOUBLE_EQ(DMod->WorkSuctionTablePipeQ->AsFloat(), 500.0);
        // Segment 2 goes; the line is numbered again, so a new segment
        // never takes a number still in use.
        ui::DBGrid::Of(d.DBGrid1)->SelectRow(1);
        driver.Answer(ui::mrYes);
        DialogDriver::Press(d, "DeleteNodeBtn");
        EXPECT_EQ(segmentNumbers(), (QList<int>{1, 2, 3}));
        driver.OnceForm("TSuctionDlg", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn1"); });
        DialogDriver::Press(d, "AddNodeBtn");
        EXPECT_EQ(segmentNumbers(), (QList<int>{1, 2, 3, 4}));
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(driver.MessageTexts().first(), "Delete Segment number 2?");
    EXPECT_FALSE(Tul->WasCancelled);
}

TEST_F(CentrifugalTest, CancelAfterAddsAndDeletesRestoresTheSuctionLineOfTheOpening)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}, {20, 8, "8 in PVC"}});
    onCentrifugal([&](TPumpCentrifDlg& d) {
        driver.OnForm("TSuctionDlg", [](ui::Form& s) {
            DialogDriver::Type(s, "SuctionPipeLengthDBNF", "99");
            DialogDriver::Press(s, "OKBitBtn1");
        });
        DialogDriver::Press(d, "AddNodeBtn");
        driver.SetDefaultAnswer(ui::mrYes);
        DialogDriver::Press(d, "DeleteNodeBtn");
        DialogDriver::Press(d, "DeleteAllBtn");
        EXPECT_EQ(d.Missing(), QStringList{"one suction segment"});
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_EQ(segmentNumbers(), (QList<int>{1, 2}));
    QList<double> lengths;
    db::Table* suc = DMod->WorkSuctionTable;
    for (suc->First(); !suc->Eof(); suc->Next()) lengths << DMod->WorkSuctionTablePipeLength->AsFloat();
    EXPECT_EQ(lengths, (QList<double>{10, 20}));
}

TEST_F(CentrifugalTest, DeleteAllThenAddStartsTheLineAgainFromSegmentOne)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}, {20, 8, "8 in PVC"}});
    onCentrifugal([&](TPumpCentrifDlg& d) {
        DialogDriver::Press(d, "DeleteAllBtn");
        EXPECT_EQ(DMod->WorkSuctionTable->RecordCount(), 0);
        driver.OnceForm("TSuctionDlg", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn1"); });
        DialogDriver::Press(d, "AddNodeBtn");
        EXPECT_TRUE(d.Missing().isEmpty());
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TPumpCentrifDlg", "TSuctionDlg"}));
    EXPECT_EQ(Tul->SuctionSegmentNo, 1);
    EXPECT_EQ(Tul->NodeChoice, 0);
}

TEST_F(CentrifugalTest, FlowChangedOnALoadedJobWarnsAndRewritesEverySegmentByGpmOrCfs)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}, {20, 6, "6 in PVC"}, {30, 6, "6 in PVC"}});
    onCentrifugal([&](TPumpCentrifDlg& d) {
        DialogDriver::Type(d, "FlowRateDBNF", "600");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_EQ(segmentFlows(), (QList<double>{600, 600, 600}));
        EXPECT_EQ(d.cfsField->text(), "1.34");
        // A flow typed in cfs reaches the segments too.
        DialogDriver::Type(d, "cfsField", "1");
        DialogDriver::Focus(d, "WSDBNF");
        EXPECT_EQ(segmentFlows(), (QList<double>{448.83, 448.83, 448.83}));
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    ASSERT_GE(driver.MessageTexts().size(), 2);
    EXPECT_EQ(driver.MessageTexts()[0],
              "Design flow rate has changed. \nCheck suction pipe and mainline pipe for for optimum size.");
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Warning);
    EXPECT_EQ(driver.MessageTexts()[1], "Design flow rate has changed. Check suction pipe for for optimum size.");
    EXPECT_DOUBLE_EQ(header("DesignFlow"), 448.83);
    EXPECT_EQ(segmentFlows(), (QList<double>{448.83, 448.83, 448.83}));
    EXPECT_EQ(form->Qcfs->text(), "1.00");
}

TEST_F(CentrifugalTest, ClosingTheFrameWithValuesMissingKeepsNothing)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}});
    onCentrifugal([&](TPumpCentrifDlg& d) {
        DialogDriver::Press(d, "DeleteAllBtn");
        DialogDriver::Type(d, "WSDBNF", "90");
        DialogDriver::CloseBox(d);
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(segmentNumbers(), QList<int>{1});
    DMod->WorkPipeTable->Refresh();
    EXPECT_DOUBLE_EQ(header("WSElev"), 100.0);
    EXPECT_TRUE(DMod->WorkPipeTableTDSH->IsNull());   // no analysis
}

TEST_F(CentrifugalTest, ChangePumpTypeLeavesForTheSelection)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}});
    onCentrifugal([](TPumpCentrifDlg& d) { DialogDriver::Press(d, "ChangeBtn"); });
    int centrifugals = 0;
    driver.OnForm("TPumpCentrifDlg", [&](ui::Form& d) {
        ++centrifugals;
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn2"); });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(centrifugals, 1);   // reopened by the selection's show
    EXPECT_TRUE(driver.FormsShown().contains("TPumpSelDlg"));
    EXPECT_FALSE(form->ChangePumpType);
    EXPECT_EQ(segmentNumbers(), QList<int>{1});
}

TEST_F(CentrifugalTest, SegmentDialogShowsItsSlotsAndTheSingleHeadLossWithoutDetailedLosses)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}, {20, 6, "6 in PVC"}, {0, 6, "6 in PVC"}});
    db::Table* suc = DMod->WorkSuctionTable;
    suc->First();
    suc->Edit();
    DMod->WorkSuctionTableKLocate1->SetAsString("DS");
    DMod->WorkSuctionTableK1->SetAsFloat(0.8);
    DMod->WorkSuctionTableKid1->SetAsFloat(6.0);
    suc->Post();
    Tul->DetailedML = true;
    Tul->NewNode = false;
    Tul->SuctionSegmentNo = 1;
    Tul->LocateSuctionSegment();
    driver.OnceForm("TSuctionDlg", [](ui::Form& s) {
        auto& dlg = static_cast<TSuctionDlg&>(s);
        EXPECT_EQ(s.Caption(), "Get Suction Pipe Data");
        EXPECT_EQ(dlg.KLbl[0]->text(), "0.8");
        EXPECT_EQ(dlg.KidLbl[0]->text(), "6");
        EXPECT_EQ(dlg.KLbl[1]->text(), "NA");
        EXPECT_FALSE(dlg.MinorLossGp->isHidden());
        EXPECT_TRUE(dlg.MHeadLossGp->isHidden());
        DialogDriver::Press(s, "HelpBitBtn3");
        DialogDriver::Press(s, "OKBitBtn1");
    });
    ShowOwned(SuctionDlg, form);
    // Segment 3 edited without detailed losses keeps its stored length of 0.
    Tul->DetailedML = false;
    Tul->SuctionSegmentNo = 3;
    driver.OnceForm("TSuctionDlg", [](ui::Form& s) {
        auto& dlg = static_cast<TSuctionDlg&>(s);
        EXPECT_EQ(dlg.StatusBar1->PanelText(1), "Segment No = 3");
        EXPECT_TRUE(dlg.MinorLossGp->isHidden());
        EXPECT_FALSE(dlg.MHeadLossGp->isHidden());
        // The head loss is the analysis's, shown and not entered.
        dlg.Notebook1->SetPageIndex(1);
        DialogDriver::KeyIn(s, "KLossDBNF", "1.5");
        DialogDriver::Press(s, "OKBitBtn1");
    });
    ShowOwned(SuctionDlg, form);
    EXPECT_DOUBLE_EQ(DMod->WorkSuctionTablePipeLength->AsFloat(), 0.0);
    EXPECT_DOUBLE_EQ(DMod->WorkSuctionTableKloss->AsFloat(), 0.0);
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{114});
}

// One look at the dialog as a user sees it, with a suction line in its grid.
TEST_F(CentrifugalTest, DialogWithAFilledSuctionGridIsDrawn)
{
    loadedCentrifugal({{10, 6, "6 in PVC"}, {20, 8, "8 in PVC"}});
    QImage shot;
    onCentrifugal([&](TPumpCentrifDlg& d) {
        shot = d.grab().toImage();
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    ASSERT_FALSE(shot.isNull());
    const QString out = qEnvironmentVariable("MERSOL_SCREENSHOT_DIR");
    if (!out.isEmpty()) shot.save(QDir(out).filePath("centrifugal_pump_dialog.png"));
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
    EXPECT_GT(shot.width(), 300);
}

} // namespace
