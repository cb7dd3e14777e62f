// Whatever a job's entry fields take, the job stores, loads, exports and
// imports again: the smallest and largest value of every number field of the
// designers' windows and the job dialogs (read from the field's own picture),
// as many rows as the Add buttons take, and what the runs make of entries
// at those bounds.
#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"
#include "support/workprofile.h"

#include "dialogs/calculators/air_vacuum_calculator.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/calculators/entrance_condition_dialog.h"
#include "dialogs/calculators/gated_pipe_calculator.h"
#include "dialogs/calculators/manifold_calculator.h"
#include "dialogs/calculators/stock_water_calculator.h"
#include "dialogs/line_ends/gated_pipe_dialog.h"
#include "dialogs/line_ends/manifold_end_dialog.h"
#include "dialogs/line_ends/manifold_pages.h"
#include "dialogs/line_ends/quick_manifold_entry_dialog.h"
#include "dialogs/profile/contraction_enlargement_dialog.h"
#include "dialogs/profile/depth_dialog.h"
#include "dialogs/profile/invert_dialog.h"
#include "dialogs/profile/minor_loss_dialog.h"
#include "dialogs/profile/node_data_dialog.h"
#include "dialogs/profile/outlet_pressure_dialog.h"
#include "dialogs/profile/pipe_selection_dialog.h"
#include "dialogs/profile/profile_entry_dialog.h"
#include "dialogs/profile/reach_dialog.h"
#include "dialogs/profile/thrust_block_dialog.h"
#include "dialogs/system/centrifugal_pump_dialog.h"
#include "dialogs/system/full_flow_dialog.h"
#include "dialogs/system/inline_booster_dialog.h"
#include "dialogs/system/known_flow_dialog.h"
#include "dialogs/system/pressure_main_dialog.h"
#include "dialogs/system/pump_data_dialogs.h"
#include "dialogs/system/suction_segment_dialog.h"
#include "engine/gravity_run.h"
#include "engine/hydraulics.h"
#include "engine/single_objects.h"
#include "gravity/dunstrow_window.h"
#include "mainwindow/mersol_window.h"
#include "model/job_transfer.h"
#include "platform/ui/dbcontrols.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using testsupport::JobStore;
using Key = std::pair<QString, QString>;   // the table and the field a value is held in
const auto kPipelineTables = {"WorkPipe.db", "WorkProf.DB", "WorkGated.db", "WorkTrickle.DB", "WorkSuction.db"};
const auto kToolTables = {"WorkSWater.db", "WorkAirvac.DB"};

struct Bounds {
    double low = 1e300, high = -1e300;
};

class EntryBoundsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        CreateSingleObjects();
        testsupport::SetCompMethod(2);
    }

    // The bounds of every number field of `w`, by what it writes.
    void walk(QWidget* w)
    {
        std::unique_ptr<QWidget> gone(w);
        for (QLineEdit* e : w->findChildren<QLineEdit*>()) {
            if (!e->validator()) continue;
            const std::optional<ui::NumericFormat> f = ui::NumericPictureOf(e);
            if (!f) {
                ADD_FAILURE() << (w->objectName() + '.' + e->objectName()).toStdString() << " takes any number";
                continue;
            }
            auto* bound = dynamic_cast<ui::DBNumericEdit*>(ui::DBControl::Of(e));
            // The fields bound to no table: a flow typed in cfs, a loss of a slot; the
            // quick entry's make the rows below, a pipe pick's filter nothing.
            const std::map<QString, Key> unbound = {{"cfsField", {"WorkPipe.db", "DesignFlow"}},
                                                    {"KmNF", {"WorkProf.DB", "K1"}},
                                                    {"IDNF", {"WorkProf.DB", "Kid1"}}};
            const Key key = bound                               ? Key{bound->Table()->TableName(), bound->FieldName()}
                            : unbound.count(e->objectName()) ? unbound.at(e->objectName())
                                                             : Key{};
            if (!key.first.startsWith("Work")) continue;
            const double scale = e->objectName() == "cfsField" ? 448.83 : 1;
            Bounds& b = bounds[key];
            b.low = std::min(b.low, f->Lowest() * scale);
            b.high = std::max(b.high, f->Highest() * scale);
        }
    }
    db::Table* table(const QString& name)
    {
        for (db::Table* t : store.Dm().Tables())
            if (t->TableName() == name) return t;
        return nullptr;
    }
    // Each value of `tables` the bounds name that its stored table carries,
    // as its first row holds it.
    std::string held(std::initializer_list<const char*> tables)
    {
        TDMod& d = store.Dm();
        const std::map<QString, db::Table*> stored = {
            {"WorkPipe.db", d.JobPipeTable},         {"WorkProf.DB", d.JobProfTable},
            {"WorkGated.db", d.JobGatedTable},       {"WorkTrickle.DB", d.JobTrickleTable},
            {"WorkSuction.db", d.JobSuctionTable},   {"WorkSWater.db", d.JobSWaterTable},
            {"WorkAirvac.DB", d.JobAvacTable}};
        QStringList out;
        for (const auto& [key, b] : bounds)
            if (std::find(tables.begin(), tables.end(), key.first) != tables.end() &&
                stored.at(key.first)->FindField(key.second)) {
                db::Table* t = table(key.first);
                if (!t->Active()) t->Open();
                t->First();
                out << key.first + '.' + key.second + '=' + t->FieldByName(key.second)->AsString();
            }
        return out.join('\n').toStdString();
    }
    // Each bound the rows of `tables` hold (those of them there are) into their first row.
    void writeBounds(bool high, std::initializer_list<const char*> tables)
    {
        for (const auto& [key, b] : bounds)
            if (db::Table* t = table(key.first);
                std::find(tables.begin(), tables.end(), key.first) != tables.end() && !t->IsEmpty())
                write(t, key.second, high ? b.high : b.low);
    }
    void write(db::Table* t, const QString& field, double v)
    {
        t->First();
        t->Edit();
        db::Field* f = t->FieldByName(field);
        f->DataType() == db::FieldType::Number ? f->SetAsFloat(v) : f->SetAsInteger(int(std::lround(v)));
        t->Post();
    }
    // The working pipeline job stored, loaded, exported and imported; every
    // step keeps what it held.
    void roundTrip(const QString& what, bool exportToo = true)
    {
        SCOPED_TRACE(what.toStdString());
        const std::string before = held(kPipelineTables);
        try {
            store.Dm().WorkPipeTable->First();
            store.Dm().WorkPipeTable->Edit();
            store.Dm().WorkPipeTableJobName->SetAsString(what);
            store.Dm().WorkPipeTable->Post();
            Tul->SaveState = 0;
            ASSERT_TRUE(JobTrans->StoreWorkingJob());
            store.EmptyWorkingTables();
            ASSERT_TRUE(JobTrans->LoadStoredJob());
            EXPECT_EQ(held(kPipelineTables), before);
            if (!exportToo) return;
            ASSERT_TRUE(JobTrans->ExportWorkingJob());
            store.EmptyWorkingTables();
            ASSERT_TRUE(JobTrans->ImportTransferJob());
            EXPECT_EQ(held(kPipelineTables), before);
        } catch (const db::DbError& e) {
            ADD_FAILURE() << e.message().toStdString();
        }
    }

    DialogDriver driver;
    JobStore store;
    std::map<Key, Bounds> bounds;
};

template <class Form>
QWidget* make()
{
    return new Form(nullptr);
}

} // namespace

TEST_F(EntryBoundsTest, WhatTheEntriesTakeAndTheRunsMakeOfItComesBackFromEveryStore)
{
    for (QWidget* (*m)() :
         {make<TAirVacDlg>, make<TSetWSDlg>, make<TGatedToolDlg>, make<TManifoldDlg>, make<TStockCalcDlg>,
          make<TGatedPipeDlg>, make<TManifoldEndDlg>, make<TContEnlargDlg>, make<TDepthInDlg>, make<TInvertIndlg>,
          make<TGetKMDlg>, make<TBasicNodeDlg>, make<TSetPressure>, make<TGetPipeDlg>, make<TProfEntryDlg>,
          make<TProfInDlg>, make<TThrustBlkDlg>, make<TPumpCentrifDlg>, make<TFullFlowDlg>, make<TPumpLineBoosterDlg>,
          make<TKnownFlowDlg>, make<TPressureFrmMainDlg>, make<TPumpTurbineDlg>, make<TPumpPropellerDlg>,
          make<TPumpBoosterDlg>, make<TPumpAutoPresDlg>, make<TSuctionDlg>})
        walk(m());
    walk(new TMersolForm());
    walk(new TDunstrowForm());
    for (const int end : {2, 4}) {
        Tul->SysHas = end;
        walk(make<TOptinalManifEntryDlg>());
    }
    ASSERT_EQ(bounds.count({"WorkSuction.db", "PipeLength"}), 1u);

    // Every bound of the pipeline jobs (gated and manifold ends), then of the calculators' own jobs.
    for (const bool high : {false, true}) {
        for (const int sysHas : {1, 2}) {
            store.MakeWorkingJob({"Bounds", "PUMPED", sysHas, "CENTRIF", 3, sysHas == 2 ? 3 : 0, 3});
            writeBounds(high, kPipelineTables);
            roundTrip(QStringLiteral("%1 bounds, SysHas %2").arg(high ? "highest" : "lowest").arg(sysHas));
        }
        for (const auto& [work, stored, transfer] :
             {std::tuple{store.Dm().WorkSWaterTable, store.Dm().JobSWaterTable, store.Dm().TransSWaterTable},
              std::tuple{store.Dm().WorkAvacTable, store.Dm().JobAvacTable, store.Dm().TransAirvacTable}}) {
            SCOPED_TRACE(work->TableName().toStdString());
            JobStore::FreshRow(work);
            JobStore::FillRow(work, 1);
            work->FieldByName("JobName")->SetAsString(high ? "Highest" : "Lowest");
            work->Post();
            writeBounds(high, kToolTables);
            const std::string before = held(kToolTables);
            try {
                EXPECT_TRUE(JobTrans->ExportToolJob(work, transfer));
                EXPECT_TRUE(JobTrans->ImportToolJob(transfer, work, stored));
                EXPECT_EQ(held(kToolTables), before);
                // A load leaves the results and the spacing for the calculator to work out.
                Tul->SaveState = 0;
                Tul->JobName = high ? "Highest" : "Lowest";
                const bool stock = work == store.Dm().WorkSWaterTable;
                const int number =
                    stock ? JobTrans->StoreStockWaterJob(false) : (JobTrans->StoreAirVacJob(), Tul->JobNumber);
                EXPECT_TRUE(stock ? JobTrans->LoadStockWaterJob(number) : JobTrans->LoadAirVacJob());
            } catch (const db::DbError& e) {
                ADD_FAILURE() << e.message().toStdString();
            }
        }
    }

    // The quick entry's bounds laid out as nodes (one, as far apart as its openings may be).
    for (const bool high : {false, true})
        for (const int end : {2, 4}) {
            store.MakeWorkingJob({"Quick", "PUMPED", end, "", end == 2 ? 3 : 0, 1, 0});
            Tul->SysHas = end;
            driver.OnceForm("TOptinalManifEntryDlg", [high](ui::Form& f) {
                for (QLineEdit* e : f.findChildren<QLineEdit*>()) {
                    const ui::NumericFormat nf = ui::NumericPictureOf(e).value_or(ui::NumericFormat{});
                    e->setText(QString::number(high || e->objectName() == "DistNF" ? nf.Highest() : nf.Lowest()));
                }
                DialogDriver::Press(f, "OKBitBtn1");
            });
            ShowOwned(OptinalManifEntryDlg, nullptr);
            EXPECT_EQ(store.Dm().WorkTrickleTable->RecordCount(), 1);
            roundTrip(QStringLiteral("quick entry %1, SysHas %2").arg(high ? "highest" : "lowest").arg(end));
        }

    // As many suction segments and manifold nodes as Add Seg and Add Node take.
    store.MakeWorkingJob({"Rows", "PUMPED", 2, "CENTRIF", 3, 1, 1});
    {
        std::unique_ptr<TPumpCentrifDlg> pump(new TPumpCentrifDlg(nullptr));
        for (int n = 0; n < 300 && store.Dm().WorkSuctionTable->RecordCount() == n + 1; ++n)
            pump->AddNodeBtnClick();
        std::unique_ptr<TManifoldEndDlg> manifold(new TManifoldEndDlg(nullptr));
        for (int n = 0; n < 300 && store.Dm().WorkTrickleTable->RecordCount() == n + 1; ++n) {
            n % 2 ? manifold->Pages->AddNodeBtnClick() : manifold->Pages->InsertNodeSpdBtnClick();
            store.Dm().WorkTrickleTableStation->SetAsFloat(n + 1);
            store.Dm().WorkTrickleTable->CheckBrowseMode();
        }
    }
    EXPECT_EQ(driver.MessageTexts().filter("can have no more than").size(), 2);
    roundTrip("rows");

    // The longest suction line (its most and longest segments) of a 2 in pipe: the loss it finds is kept.
    store.Dm().WorkSuctionTable->First();
    for (db::Table* t = store.Dm().WorkSuctionTable; !t->Eof(); t->Next()) {
        t->Edit();
        for (const auto& [field, v] : {std::pair{"PipeLength", bounds[{"WorkSuction.db", "PipeLength"}].high},
                                       {"PipeQ", 300.0}, {"DiaIn", 2.0}, {"Cfac", 150.0}, {"K1", 0.0},
                                       {"K2", 0.0}, {"K3", 0.0}})
            t->FieldByName(field)->SetAsFloat(v);
        t->Post();
    }
    write(store.Dm().WorkPipeTable, "DesignFlow", 300);
    Hyd->SuctionAnalysis();
    EXPECT_GT(store.Dm().WorkPipeTableColumnLoss->AsFloat(), 1000);
    roundTrip("suction line");

    // The steepest line: from the highest water surface down to the lowest ground in one foot.
    store.EmptyWorkingTables();
    testsupport::WriteWorkJob({.wsElev = bounds[{"WorkPipe.db", "WSElev"}].high}, testsupport::GravityLine());
    testsupport::SetProfField(1, "Station", 1);
    testsupport::SetProfField(1, "InvertElev", bounds[{"WorkProf.DB", "GroundElev"}].low);
    Grav->RunGravityProfile();
    EXPECT_GT(testsupport::ProfValue(1, "Psi"), 4000);
    roundTrip("steepest line", false);
}
