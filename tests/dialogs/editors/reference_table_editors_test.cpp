// The pipe type, minor-loss and unit-cost editors on a temporary database
// holding the shipped reference rows: one round trip each, what a close
// keeps, and the next computation seeing an edited material.
#include "dialogs/editors/minor_loss_editor.h"
#include "dialogs/editors/pipe_data_editor.h"
#include "dialogs/editors/pipe_type_editor.h"
#include "dialogs/editors/unit_cost_editor.h"
#include "dialogs/dialog_helpers.h"
#include "engine/gravity_run.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/reference_use.h"
#include "platform/report/preview.h"
#include "platform/report/report.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"
#include "support/workprofile.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <functional>
#include <limits>

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
                                          {"Cfac", 150},
                                          {"Nfac", 0.009},
                                          {"Efac", 0.000005}});
        d->JobPipeTable->Close();
        d->JobProfTable->Close();
        return number;
    }

    // The Cfac of the first stored reach of the job, read through a fresh opening.
    static double JobCfac(int number)
    {
        db::Table t(db::kMersolAlias, QStringLiteral("JobProf.DB"));
        t.Open();
        if (!t.Locate(QStringLiteral("JobNumber"), number))
            return -1;
        return t.FieldByName(QStringLiteral("Cfac"))->AsFloat();
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
        DialogDriver::Type(f, "NfactorNF", "0.012");
        DialogDriver::Type(f, "EfactorNF", "0.0004");
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
    EXPECT_EQ(driver.Messages()[0].text,
              QStringLiteral("The pipe type being edited could not be saved and was dropped:\n"
                             "There is already a pipe type named \"PVC SDR\": give this one another name."));
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("PVC SDR"), "Cfactor").toDouble(), 150.0);
    db::Table t(db::kMersolAlias, QStringLiteral("Pipe Material.DB"));
    t.Open();
    EXPECT_EQ(t.RecordCount(), before);
}

// "PE SDR (SIDR)" has 40 pipes in the shipped list and is the local
// default for pressure-tank systems.
TEST_F(ReferenceEditors, AMaterialInUseKeepsItsNameAndIsDeletedOnlyWhenNoPipeNamesIt)
{
    StoreJob(QStringLiteral("Creek"), QStringLiteral("PE SDR (SIDR)"), QStringLiteral("any"));
    auto act = [this](const QString& material, const std::function<void(ui::Form&)>& what) {
        driver.ClearLog();
        driver.OnceForm("TPipeTypeForm", [&](ui::Form& f) {
            ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), material));
            what(f);
        });
        ShowOwned(PipeTypeForm, nullptr);
    };
    auto rename = [](const QString& to) {
        return [to](ui::Form& f) {
            ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("DBGrid1")))->EditCell(0, to);
            Navigator(f)->Press(ui::nbPost);
            DMod->TypeTable->Cancel();
        };
    };
    auto remove = [](ui::Form& f) { Navigator(f)->Press(ui::nbDelete); };

    act(QStringLiteral("PE SDR (SIDR)"), rename(QStringLiteral("PE 2")));
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{QStringLiteral("The pipe type \"PE SDR (SIDR)\" cannot be renamed: it is used by 40 pipes, "
                                         "the local defaults and the stored job Creek. Give it back its name, or add "
                                         "\"PE 2\" as a new pipe type.")});
    act(QStringLiteral("PE SDR (SIDR)"), remove);
    EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("The pipe type \"PE SDR (SIDR)\" cannot be deleted "
                                                                "while it is used by 40 pipes and the local defaults.")});
    EXPECT_TRUE(Material(QStringLiteral("PE SDR (SIDR)"), "PType").isValid());
    EXPECT_FALSE(Material(QStringLiteral("PE 2"), "PType").isValid());

    // A material of stored jobs only: the jobs keep their own factors, so it
    // may go once the user has seen them named.
    WorkJob::AddRow(DMod->TypeTable, {{"PipeType", "Ductile iron"}, {"Cfactor", 140}, {"Nfactor", 0.012},
                                      {"Efactor", 0.0004}, {"EModulus", 24000000}});
    DMod->TypeTable->Close();
    StoreJob(QStringLiteral("Amber Hill"), QStringLiteral("Ductile iron"), QStringLiteral("any"));
    StoreJob(QStringLiteral("Creek"), QStringLiteral("Ductile iron"), QStringLiteral("any"));
    driver.Answer(ui::mrNo);
    act(QStringLiteral("Ductile iron"), remove);
    EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("The pipe type \"Ductile iron\" is used by these stored "
                                                                "jobs: Amber Hill, Creek.\nDelete it anyway?")});
    EXPECT_TRUE(Material(QStringLiteral("Ductile iron"), "PType").isValid());
    driver.Answer(ui::mrYes);
    driver.Answer(ui::mrOk);
    act(QStringLiteral("Ductile iron"), remove);
    EXPECT_EQ(driver.Messages().size(), 2u);
    EXPECT_FALSE(Material(QStringLiteral("Ductile iron"), "PType").isValid());

    // Nothing names a new material: it may be renamed, then deleted on the one question.
    WorkJob::AddRow(DMod->TypeTable, {{"PipeType", "Clay"}, {"Cfactor", 110}, {"Nfactor", 0.013}, {"Efactor", 0.001}});
    DMod->TypeTable->Close();
    act(QStringLiteral("Clay"), rename(QStringLiteral("Clay tile")));
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("Clay tile"), "Cfactor").toDouble(), 110.0);
    act(QStringLiteral("Clay tile"), remove);
    EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("Delete record?")});
    EXPECT_FALSE(Material(QStringLiteral("Clay tile"), "PType").isValid());
}

// Each row the table must never hold, posted from the navigator: refused with
// a message saying why, and nothing stored. A factor of 0 (or none) says the
// material does not use that equation, so one above 0 is enough.
TEST_F(ReferenceEditors, AMaterialNeedsANameOfItsOwnAndAFrictionFactorAboveZeroAndNoneBelow)
{
    const QString below = QStringLiteral(
        "The %1 of the pipe type \"Cast iron\" cannot be below 0: enter 0 where the pipe type does not use that "
        "equation.");
    struct Case {
        const char* name;
        const char* c;
        const char* n;
        const char* e;
        QString said;
    } cases[] = {
        {"  ", "140", "0.012", "0.0004", QStringLiteral("Enter the name of the pipe type.")},
        {"PVC SDR", "140", "0.012", "0.0004",
         QStringLiteral("There is already a pipe type named \"PVC SDR\": give this one another name.")},
        {"Cast iron", "-1", "0.012", "0.0004", below.arg(QStringLiteral("Hazen Williams \"C\" factor"))},
        {"Cast iron", "0", "-0.012", "0.0004", below.arg(QStringLiteral("Manning's \"N\" factor"))},
        {"Cast iron", "140", "0", "-0.0004", below.arg(QStringLiteral("Darcy-Weisbach roughness \"e\""))},
        {"Cast iron", "0", "", "0",
         QStringLiteral("The pipe type \"Cast iron\" needs at least one friction factor above 0: a Hazen Williams "
                        "\"C\", a Manning's \"N\" or a Darcy-Weisbach roughness \"e\".")},
    };
    const int before = [] {
        db::Table t(db::kMersolAlias, QStringLiteral("Pipe Material.DB"));
        t.Open();
        return t.RecordCount();
    }();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said.toStdString());
        driver.ClearLog();
        driver.OnceForm("TPipeTypeForm", [&](ui::Form& f) {
            Navigator(f)->Press(ui::nbInsert);
            ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("DBGrid1")))->EditCell(0, QString::fromLatin1(c.name));
            DialogDriver::Type(f, "CfactorNF", QString::fromLatin1(c.c));
            DialogDriver::Type(f, "NfactorNF", QString::fromLatin1(c.n));
            DialogDriver::Type(f, "EfactorNF", QString::fromLatin1(c.e));
            Navigator(f)->Press(ui::nbPost);
            EXPECT_EQ(DMod->TypeTable->State(), db::DataSetState::Insert);   // left to be corrected
            DMod->TypeTable->Cancel();
        });
        ShowOwned(PipeTypeForm, nullptr);
        EXPECT_EQ(driver.MessageTexts(), QStringList{c.said});
    }
    {
        db::Table t(db::kMersolAlias, QStringLiteral("Pipe Material.DB"));
        t.Open();
        EXPECT_EQ(t.RecordCount(), before);
    }

    // A Manning-only material is taken, its empty factor stored as 0, and its
    // cost may be edited later.
    driver.ClearLog();
    driver.OnceForm("TPipeTypeForm", [](ui::Form& f) {
        Navigator(f)->Press(ui::nbInsert);
        ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("DBGrid1")))->EditCell(0, QStringLiteral("Concrete"));
        DialogDriver::Type(f, "CfactorNF", "0");
        DialogDriver::Type(f, "NfactorNF", "0.013");
        Navigator(f)->Press(ui::nbPost);
        DialogDriver::Type(f, "CostPerPoundNF", "0.85");
        Navigator(f)->Press(ui::nbPost);
    });
    ShowOwned(PipeTypeForm, nullptr);
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('\n').toStdString();
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("Concrete"), "Nfactor").toDouble(), 0.013);
    for (const char* unused : {"Cfactor", "Efactor"}) {
        EXPECT_TRUE(Material(QStringLiteral("Concrete"), unused).isValid()) << unused;
        EXPECT_EQ(Material(QStringLiteral("Concrete"), unused).toDouble(), 0.0) << unused;
    }
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("Concrete"), "CostPerPound").toDouble(), 0.85);
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

// A stored job whose C was set by hand keeps it through edits of the price,
// the weight and moves between rows; a changed factor reaches every job of
// the material in the one write with the material, and the user is told.
TEST_F(ReferenceEditors, ChangedFactorsReachTheJobsInOneWriteWithTheMaterialAndAreTold)
{
    const int creek = StoreJob(QStringLiteral("Creek"), QStringLiteral("PVC SDR"), QStringLiteral("any"));
    const int tuned = StoreJob(QStringLiteral("Hand tuned"), QStringLiteral("PVC SDR"), QStringLiteral("any"));
    const int steel = StoreJob(QStringLiteral("Other"), QStringLiteral("Steel Sch"), QStringLiteral("any"));
    auto sql = [](const QString& text) {
        db::Query q(db::kMersolAlias);
        q.SetSQL(text);
        q.ExecSQL();
    };
    sql(QStringLiteral("Update \"JobProf.DB\" Set Cfac=145 Where JobNumber=%1").arg(tuned));
    job.AddProfRow({{"Station", 0}, {"PipeType", "PVC SDR"}, {"Cfac", 150}, {"Nfac", 0.009}, {"Efac", 0.000005}});
    DMod->WorkProfTable->Close();
    auto workingCfac = [] {
        db::Table t(db::kMersolAlias, QStringLiteral("WorkProf.DB"));
        t.Open();
        return t.FieldByName(QStringLiteral("Cfac"))->AsFloat();
    };
    auto edit = [](const char* field, const char* value) {
        return [=](ui::Form& f) {
            ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
            DialogDriver::Type(f, QString::fromLatin1(field), QString::fromLatin1(value));
            Navigator(f)->Press(ui::nbNext);   // the move posts the row
        };
    };

    for (auto change : {edit("CostPerPoundNF", "1.25"), edit("WtPerCuInNF", "0.052")}) {
        driver.OnceForm("TPipeTypeForm", change);
        ShowOwned(PipeTypeForm, nullptr);
    }
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("PVC SDR"), "CostPerPound").toDouble(), 1.25);
    EXPECT_DOUBLE_EQ(JobCfac(tuned), 145.0);

    driver.OnceForm("TPipeTypeForm", edit("CfactorNF", "140"));
    ShowOwned(PipeTypeForm, nullptr);
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{QStringLiteral("The new friction factors of the pipe type \"PVC SDR\" were copied into the "
                                         "job being worked on and into 2 stored jobs: Creek, Hand tuned.")});
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Information);
    EXPECT_DOUBLE_EQ(JobCfac(creek), 140.0);
    EXPECT_DOUBLE_EQ(JobCfac(tuned), 140.0);
    EXPECT_DOUBLE_EQ(JobCfac(steel), 150.0);
    EXPECT_DOUBLE_EQ(workingCfac(), 140.0);

    // The disk refuses the copy into the stored jobs: the material is not
    // stored either, and the row waits to be posted again.
    sql(QStringLiteral("CREATE TRIGGER full_disk BEFORE UPDATE ON \"JobProf.DB\" "
                       "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
    driver.ClearLog();
    driver.OnceForm("TPipeTypeForm", [](ui::Form& f) {
        ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
        DialogDriver::Type(f, "CfactorNF", "130");
        Navigator(f)->Press(ui::nbPost);
        EXPECT_EQ(DMod->TypeTable->State(), db::DataSetState::Edit);
        DMod->TypeTable->Cancel();
    });
    ShowOwned(PipeTypeForm, nullptr);
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error);
    EXPECT_TRUE(driver.Messages()[0].text.contains(QStringLiteral("disk I/O error")));
    sql(QStringLiteral("DROP TRIGGER full_disk"));
    EXPECT_DOUBLE_EQ(Material(QStringLiteral("PVC SDR"), "Cfactor").toDouble(), 140.0);
    EXPECT_DOUBLE_EQ(JobCfac(creek), 140.0);
    EXPECT_DOUBLE_EQ(workingCfac(), 140.0);
}

// ---- minor losses -----------------------------------------------------------

TEST_F(ReferenceEditors, MinorLossEditorKeepsAnInsertedRowWithItsCategoryAndKValues)
{
    driver.OnceForm("TMinorLossForm", [](ui::Form& f) {
        Navigator(f)->Press(ui::nbInsert);
        ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("DBGrid1")))->EditCell(0, QStringLiteral("Orifice plate"));
        DialogDriver::Choose(f, "KFlagRadioGroup", QStringLiteral("Special fitting"));
        DialogDriver::Type(f, "K2DBEdit", "2.5");
        DialogDriver::Type(f, "K12DBEdit", "0.75");
    });
    ShowOwned(MinorLossForm, nullptr);
    EXPECT_FALSE(DMod->MinorLossTable->Active());

    DMod->MinorLossTable->Open();
    ASSERT_TRUE(DMod->MinorLossTable->Locate(QStringLiteral("Loss Item Description"), QStringLiteral("Orifice plate")));
    EXPECT_EQ(DMod->MinorLossTableKFlag->AsString(), QStringLiteral("Special"));
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK2->AsFloat(), 2.5);
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK12->AsFloat(), 0.75);
    EXPECT_TRUE(DMod->MinorLossTableK5->IsNull());
}

// A K value is what the keys can type into the field: digits and one point.
// A value that comes another way and is no K is refused at the post.
TEST_F(ReferenceEditors, MinorLossKValuesAreFiniteAndNotNegative)
{
    // What a K field cannot take is refused as it is typed, with a tip: the
    // rest never makes another number (-0.75 no 0.75, 1e300 no 1300); the
    // field holds such an entry until Escape gives back its value, and the
    // row keeps the values it had. Letters alone ("inf") are only not taken.
    QStringList before;
    driver.OnceForm("TMinorLossForm", [&before](ui::Form& f) {
        ASSERT_TRUE(DMod->MinorLossTable->Locate(QStringLiteral("Loss Item Description"),
                                                 QStringLiteral("Elbow, 90 deg standard")));
        const std::pair<const char*, const char*> typed[] = {
            {"K2DBEdit", "-0.75"}, {"K3DBEdit", "inf"}, {"K4DBEdit", "nan"}, {"K5DBEdit", "1e300"}};
        for (const auto& [edit, keys] : typed) {
            auto* e = f.Control<QLineEdit>(QString::fromLatin1(edit));
            before << e->text();
            f.SetFocus(e);
            EXPECT_EQ(f.ActiveControl(), e);
            e->selectAll();
            QTest::keyClicks(e, QString::fromLatin1(keys));
            const bool number = keys[0] == '-' || keys[0] == '1';
            EXPECT_EQ(ui::HoldsRefusedEntry(e), number) << edit;
            if (QLatin1String(edit) == QLatin1String("K5DBEdit")) {
                EXPECT_EQ(e->text(), QStringLiteral("1"));
                EXPECT_TRUE(QToolTip::text().startsWith(
                    QStringLiteral("\"e\" was not taken: this field takes a number from 0")))
                    << QToolTip::text().toStdString();
            }
            if (number) QTest::keyClick(e, Qt::Key_Escape);
            EXPECT_TRUE(f.isVisible());
        }
        Navigator(f)->Press(ui::nbPost);
        EXPECT_EQ(DMod->MinorLossTable->State(), db::DataSetState::Browse);
        QStringList shown;
        for (const char* edit : {"K2DBEdit", "K3DBEdit", "K4DBEdit", "K5DBEdit"})
            shown << f.Control<QLineEdit>(QString::fromLatin1(edit))->text();
        EXPECT_EQ(shown, before);

        DMod->MinorLossTable->Edit();
        DMod->MinorLossTableK8->SetAsFloat(std::numeric_limits<double>::infinity());
        Navigator(f)->Press(ui::nbPost);
        EXPECT_EQ(DMod->MinorLossTable->State(), db::DataSetState::Edit);
        DMod->MinorLossTable->Cancel();
    });
    ShowOwned(MinorLossForm, nullptr);
    EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("K 8 in must be a number from 0 to 99999, not inf.")});
    DMod->MinorLossTable->Open();
    ASSERT_TRUE(DMod->MinorLossTable->Locate(QStringLiteral("Loss Item Description"),
                                             QStringLiteral("Elbow, 90 deg standard")));
    ASSERT_EQ(before.size(), 4);
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK2->AsFloat(), before[0].toDouble());
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK5->AsFloat(), before[3].toDouble());
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK8->AsFloat(), 0.42);
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

// A click on Close while a field holds a value it refuses: the refusal is
// said once, the form stays open on the field, and the corrected value is kept.
TEST_F(ReferenceEditors, UnitCostRangeErrorIsSaidOnceAndCloseWaitsOnTheField)
{
    driver.OnceForm("TUnitCostInFrm", [this](ui::Form& f) {
        f.Control<ui::Notebook>(QStringLiteral("OvcNotebook1"))->SetPageIndex(1);
        auto* hours = f.Control<QLineEdit>(QStringLiteral("OvcDbNumericField15"));
        auto* close = f.Control<QPushButton>(QStringLiteral("CloseBitBtn1"));
        // A click gives the focus only in the window the user is in.
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        DialogDriver::Type(f, "OvcDbNumericField15", "25");
        QTest::mouseClick(close, Qt::LeftButton);
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.ActiveControl(), hours);
        EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("Value must be between 0 and 24.")});
        DialogDriver::Type(f, "OvcDbNumericField15", "24");
        QTest::mouseClick(close, Qt::LeftButton);
        EXPECT_FALSE(f.isVisible());
    });
    ShowOwned(UnitCostInFrm, nullptr);
    EXPECT_EQ(driver.Messages().size(), 1u);
    DMod->UnitCostTable->Open();
    EXPECT_DOUBLE_EQ(DMod->UnitCostTableHrsPerDay->AsFloat(), 24.0);
}

// The air-vacuum calculator lists only materials with a modulus; an editor
// opened after it lists them all.
TEST_F(ReferenceEditors, EditorsListEveryMaterialWhateverFilterWasLeftOn)
{
    WorkJob::AddRow(DMod->TypeTable, {{"PipeType", "Clay tile"}, {"Cfactor", 110}, {"Nfactor", 0.013},
                                      {"Efactor", 0.001}, {"EModulus", 0}});
    DMod->TypeTable->Close();
    for (const char* editor : {"TPipeTypeForm", "TUnitCostInFrm", "TPipeDataForm"}) {
        SCOPED_TRACE(editor);
        DMod->TypeTable->SetFiltered(true);
        bool listed = false;
        driver.OnceForm(editor, [&](ui::Form&) {
            listed = DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("Clay tile"));
            EXPECT_EQ(DMod->TypeTable->RecordCount(), 7);
        });
        if (QByteArray(editor) == "TPipeTypeForm")
            ShowOwned(PipeTypeForm, nullptr);
        else if (QByteArray(editor) == "TUnitCostInFrm")
            ShowOwned(UnitCostInFrm, nullptr);
        else
            ShowOwned(PipeDataForm, nullptr);
        EXPECT_TRUE(listed);
    }
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
