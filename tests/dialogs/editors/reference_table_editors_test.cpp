// The pipe type, minor-loss and unit-cost editors on a temporary database
// holding the shipped reference rows: one round trip each, what a close
// keeps, and the next computation seeing an edited material.
#include "dialogs/editors/minor_loss_editor.h"
#include "dialogs/editors/pipe_type_editor.h"
#include "dialogs/editors/unit_cost_editor.h"
#include "dialogs/dialog_helpers.h"
#include "engine/gravity_run.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/reference_use.h"
#include "platform/report/preview.h"
#include "platform/report/report.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"
#include "support/workprofile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTableView>
#include <QTemporaryDir>

using testsupport::WorkJob;

namespace {

class ReferenceEditors : public ::testing::Test {
protected:
    WorkJob job;
    DialogDriver driver;
    QStringList previews;   // names of the reports previewed
    report::PreviewHook oldHook;

    void SetUp() override
    {
        oldHook = report::SetPreviewHook([this](report::Document& d, QWidget*) {
            auto* r = dynamic_cast<report::Report*>(&d);
            previews << (r ? r->Name : d.Title);
        });
    }
    void TearDown() override { report::SetPreviewHook(oldHook); }

    // A stored job whose first reach is a pipe of the material.
    static int StoreJob(const QString& name, const QString& material, const QString& description)
    {
        TDMod* d = DMod;
        WorkJob::AddRow(d->JobPipeTable, {{"JobName", name}, {"SysType", "GRAVITY"}});
        const int number = d->JobPipeTableJobNumber->AsInteger();
        WorkJob::AddRow(d->JobProfTable, {{"JobNumber", number},
                                          {"Station", 0},
                                          {"PipeType", material},
                                          {"DownStreamPipeDescription", description},
                                          {"Cfac", 150}});
        d->JobPipeTable->Close();
        d->JobProfTable->Close();
        return number;
    }

    // A field of the named material, read through a fresh opening.
    static QVariant Material(const QString& name, const char* field)
    {
        db::Table t(db::kMersolAlias, QStringLiteral("Pipe Material.DB"));
        t.Open();
        if (!t.Locate(QStringLiteral("PipeType"), name))
            return {};
        return t.FieldByName(QString::fromLatin1(field))->Value();
    }

    static ui::DBNavigator* Navigator(ui::Form& f)
    {
        return f.findChild<ui::DBNavigator*>(QStringLiteral("DBNavigator1"));
    }
};

// ---- pipe types -------------------------------------------------------------

TEST_F(ReferenceEditors, PipeTypeEditorKeepsAChangedRowAndATypedNewRowAtClose)
{
    driver.OnceForm("TPipeTypeForm", [](ui::Form& f) {
        ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
        DialogDriver::Type(f, "WtPerCuInNF", "0.051");
        // The move to another row posts the change, as the list does.
        Navigator(f)->Press(ui::nbInsert);
        ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("DBGrid1")))->EditCell(0, QStringLiteral("Ductile iron"));
        DialogDriver::Type(f, "CfactorNF", "140");
        DialogDriver::Type(f, "EModulusNF", "24000000");
        // Closed with the new row still being inserted.
    });
    ShowOwned(PipeTypeForm, nullptr);

    EXPECT_EQ(PipeTypeForm, nullptr);
    EXPECT_FALSE(DMod->TypeTable->Active());
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("PVC SDR"), "WtPerCuIn").toDouble(), 0.051);
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("Ductile iron"), "Cfactor").toDouble(), 140.0);
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("Ductile iron"), "EModulus").toDouble(), 24000000.0);
    EXPECT_TRUE(driver.Messages().empty());
}

TEST_F(ReferenceEditors, PipeTypeEditorDropsAnEmptyNewRowQuietlyAndARefusedOneWithAMessage)
{
    driver.OnceForm("TPipeTypeForm", [](ui::Form& f) { Navigator(f)->Press(ui::nbInsert); });
    const int before = [] {
        db::Table t(db::kMersolAlias, QStringLiteral("Pipe Material.DB"));
        t.Open();
        return t.RecordCount();
    }();
    ShowOwned(PipeTypeForm, nullptr);
    EXPECT_TRUE(driver.Messages().empty());

    // A name the table already holds is refused by its key: said, not lost silently.
    driver.OnceForm("TPipeTypeForm", [](ui::Form& f) {
        Navigator(f)->Press(ui::nbInsert);
        ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("DBGrid1")))->EditCell(0, QStringLiteral("PVC SDR"));
        DialogDriver::Type(f, "CfactorNF", "99");
    });
    ShowOwned(PipeTypeForm, nullptr);
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error);
    EXPECT_TRUE(driver.Messages()[0].text.startsWith(QStringLiteral("The pipe type being edited could not be saved")));
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("PVC SDR"), "Cfactor").toDouble(), 150.0);
    db::Table t(db::kMersolAlias, QStringLiteral("Pipe Material.DB"));
    t.Open();
    EXPECT_EQ(t.RecordCount(), before);
}

TEST_F(ReferenceEditors, DeletingAMaterialOfStoredJobsNamesThemFirst)
{
    StoreJob(QStringLiteral("Creek"), QStringLiteral("PVC PIP SDR"), QStringLiteral("any"));
    StoreJob(QStringLiteral("Amber Hill"), QStringLiteral("PVC PIP SDR"), QStringLiteral("any"));
    EXPECT_EQ(JobsUsingMaterial(QStringLiteral("PVC PIP SDR")),
              (QStringList{QStringLiteral("Amber Hill"), QStringLiteral("Creek")}));

    auto deleteIt = [](ui::Form& f) {
        ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC PIP SDR")));
        Navigator(f)->Press(ui::nbDelete);
    };
    driver.Answer(ui::mrNo);
    driver.OnceForm("TPipeTypeForm", deleteIt);
    ShowOwned(PipeTypeForm, nullptr);
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Warning);
    EXPECT_EQ(driver.Messages()[0].text, QStringLiteral("The pipe type \"PVC PIP SDR\" is used by these stored jobs: "
                                                         "Amber Hill, Creek.\nDelete it anyway?"));
    EXPECT_TRUE(Material(QStringLiteral("PVC PIP SDR"), "PType").isValid());

    // Yes, then the navigator's own question.
    driver.ClearLog();
    driver.Answer(ui::mrYes);
    driver.Answer(ui::mrOk);
    driver.OnceForm("TPipeTypeForm", deleteIt);
    ShowOwned(PipeTypeForm, nullptr);
    EXPECT_EQ(driver.Messages().size(), 2u);
    EXPECT_FALSE(Material(QStringLiteral("PVC PIP SDR"), "PType").isValid());

    // A material no job uses is asked about only once.
    driver.ClearLog();
    driver.OnceForm("TPipeTypeForm", [](ui::Form& f) {
        ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
        Navigator(f)->Press(ui::nbDelete);
    });
    ShowOwned(PipeTypeForm, nullptr);
    EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("Delete record?")});
}

TEST_F(ReferenceEditors, UsedByJobsTextListsTenJobsAndCountsTheRest)
{
    QStringList jobs;
    for (int i = 1; i <= 12; ++i)
        jobs << QStringLiteral("J%1").arg(i, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(UsedByJobsText(QStringLiteral("The pipe \"x\""), jobs),
              QStringLiteral("The pipe \"x\" is used by these stored jobs: J01, J02, J03, J04, J05, J06, J07, J08, "
                             "J09, J10 and 2 more.\nDelete it anyway?"));
}

// Hazen-Williams friction of the 500 ft reaches of the gravity line, 500 gpm
// in a 6 in pipe: 10.4057 x 500 x (500/C)^1.85185 / 6^4.87037, which is
// 7.846027 ft for C 150 and 8.915325 ft for C 140.
TEST_F(ReferenceEditors, AnEditedCFactorIsUsedByTheNextGravityRunAndKeptForStoredJobs)
{
    QTemporaryDir cwd;
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    testsupport::SetCompMethod(2);
    std::vector<testsupport::WorkNode> line = testsupport::GravityLine();
    for (auto& n : line)
        n.pipeType = QStringLiteral("PVC SDR");
    testsupport::WriteWorkJob(testsupport::WorkHeader{.wsElev = 100, .outletElev = 30}, line);
    const int stored = StoreJob(QStringLiteral("Creek"), QStringLiteral("PVC SDR"), QStringLiteral("any"));
    StoreJob(QStringLiteral("Other"), QStringLiteral("Steel Sch"), QStringLiteral("any"));

    Grav->RunGravityProfile();
    EXPECT_DOUBLE_EQ(testsupport::ProfValue(0, "Floss"), 7.846);

    driver.OnceForm("TPipeTypeForm", [](ui::Form& f) {
        ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
        DialogDriver::Type(f, "CfactorNF", "140");
    });
    ShowOwned(PipeTypeForm, nullptr);

    Grav->RunGravityProfile();
    EXPECT_DOUBLE_EQ(testsupport::ProfValue(0, "Floss"), 8.915);
    EXPECT_DOUBLE_EQ(testsupport::ProfValue(1, "Floss"), 8.915);

    // The stored job of the material takes the factor; the other keeps its own.
    db::Table prof(db::kMersolAlias, QStringLiteral("JobProf.DB"));
    prof.Open();
    for (prof.First(); !prof.Eof(); prof.Next()) {
        const bool same = prof.FieldByName(QStringLiteral("JobNumber"))->AsInteger() == stored;
        EXPECT_DOUBLE_EQ(prof.FieldByName(QStringLiteral("Cfac"))->AsFloat(), same ? 140.0 : 150.0);
    }
    QDir::setCurrent(oldCwd);
}

// ---- minor losses -----------------------------------------------------------

TEST_F(ReferenceEditors, MinorLossEditorKeepsAnInsertedRowWithItsCategoryAndKValues)
{
    driver.OnceForm("TMinorLossForm", [](ui::Form& f) {
        Navigator(f)->Press(ui::nbInsert);
        ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("DBGrid1")))->EditCell(0, QStringLiteral("Orifice plate"));
        DialogDriver::Choose(f, "KFlagRadioGroup", QStringLiteral("Special fitting"));
        DialogDriver::Type(f, "K2DBEdit", "2.5");
        DialogDriver::Type(f, "K12DBEdit", "-0.75");
    });
    ShowOwned(MinorLossForm, nullptr);
    EXPECT_FALSE(DMod->MinorLossTable->Active());

    DMod->MinorLossTable->Open();
    ASSERT_TRUE(DMod->MinorLossTable->Locate(QStringLiteral("Loss Item Description"), QStringLiteral("Orifice plate")));
    EXPECT_EQ(DMod->MinorLossTableKFlag->AsString(), QStringLiteral("Special"));
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK2->AsFloat(), 2.5);
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK12->AsFloat(), -0.75);
    EXPECT_TRUE(DMod->MinorLossTableK5->IsNull());
}

TEST_F(ReferenceEditors, ListButtonsPrintTheirReportsAndHelpOpensItsTopic)
{
    driver.OnceForm("TPipeTypeForm", [](ui::Form& f) {
        DialogDriver::Press(f, "PrintList");
        DialogDriver::Press(f, "HelpBtn");
    });
    ShowOwned(PipeTypeForm, nullptr);
    driver.OnceForm("TMinorLossForm", [](ui::Form& f) {
        DialogDriver::Press(f, "PrintBtm");
        DialogDriver::Press(f, "HelpBtn");
    });
    ShowOwned(MinorLossForm, nullptr);
    EXPECT_EQ(previews, (QStringList{QStringLiteral("QRepPipeTypeList"), QStringLiteral("QRepMinorLossList")}));
    EXPECT_EQ(driver.HelpContexts(), (std::vector<int>{96, 100}));
}

// ---- unit costs -------------------------------------------------------------

TEST_F(ReferenceEditors, UnitCostCloseKeepsTheEditsAndClosesBothTables)
{
    driver.OnceForm("TUnitCostInFrm", [](ui::Form& f) {
        DialogDriver::Type(f, "OvcDbNumericField1", "1.75");      // trench to 8 in
        DialogDriver::Type(f, "OvcDbNumericField17", "31");       // July
        ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
        DialogDriver::Type(f, "OvcDbNumericField3", "2.25");      // cost per pound
        DialogDriver::Press(f, "CloseBitBtn1");
    });
    ShowOwned(UnitCostInFrm, nullptr);
    EXPECT_FALSE(DMod->UnitCostTable->Active());
    EXPECT_FALSE(DMod->TypeTable->Active());
    DMod->UnitCostTable->Open();
    EXPECT_DOUBLE_EQ(DMod->UnitCostTableTrenchTo8->AsFloat(), 1.75);
    EXPECT_DOUBLE_EQ(DMod->UnitCostTableDays7->AsFloat(), 31.0);
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("PVC SDR"), "CostPerPound").toDouble(), 2.25);
}

TEST_F(ReferenceEditors, UnitCostCancelDropsOnlyThePendingEditAndLeavesTheTablesOpen)
{
    const double trench = [] {
        DMod->UnitCostTable->Open();
        const double v = DMod->UnitCostTableTrenchTo12->AsFloat();
        DMod->UnitCostTable->Close();
        return v;
    }();
    driver.OnceForm("TUnitCostInFrm", [](ui::Form& f) {
        ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
        DialogDriver::Type(f, "OvcDbNumericField3", "3.5");
        // Moving to another material posts the one left.
        ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC PIP SDR")));
        DialogDriver::Type(f, "OvcDbNumericField3", "4.5");
        DialogDriver::Type(f, "OvcDbNumericField2", "9.99");
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    ShowOwned(UnitCostInFrm, nullptr);
    EXPECT_TRUE(Tul->Cancelled);
    EXPECT_TRUE(DMod->UnitCostTable->Active());
    EXPECT_TRUE(DMod->TypeTable->Active());
    EXPECT_EQ(DMod->UnitCostTable->State(), db::DataSetState::Browse);
    EXPECT_DOUBLE_EQ(DMod->UnitCostTableTrenchTo12->AsFloat(), trench);
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("PVC SDR"), "CostPerPound").toDouble(), 3.5);
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("PVC PIP SDR"), "CostPerPound").toDouble(), 1.0);
}

TEST_F(ReferenceEditors, UnitCostFieldsRefuseWhatTheirRangesDoNotHold)
{
    driver.OnceForm("TUnitCostInFrm", [](ui::Form& f) {
        DialogDriver::Type(f, "OvcDbNumericField14", "-0.01");    // the one price that may be negative
        DialogDriver::Type(f, "OvcDbNumericField13", "-0.01");
        DialogDriver::Press(f, "CloseBitBtn1");
    });
    ShowOwned(UnitCostInFrm, nullptr);
    DMod->UnitCostTable->Open();
    EXPECT_DOUBLE_EQ(DMod->UnitCostTableAdinKWCharge->AsFloat(), -0.01);
    EXPECT_GE(DMod->UnitCostTableFirstKWCharge->AsFloat(), 0.0);

    driver.OnceForm("TUnitCostInFrm", [](ui::Form& f) {
        f.Control<ui::Notebook>(QStringLiteral("OvcNotebook1"))->SetPageIndex(1);
        DialogDriver::Type(f, "OvcDbNumericField15", "25");       // hours a day
        DialogDriver::Focus(f, "OvcDbNumericField16");
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    driver.ClearLog();
    ShowOwned(UnitCostInFrm, nullptr);
    ASSERT_FALSE(driver.Messages().empty());
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error) << driver.MessageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_LE(DMod->UnitCostTableHrsPerDay->AsFloat(), 24.0);
}

} // namespace
