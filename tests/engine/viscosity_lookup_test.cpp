// The viscosity look-up reads Water.db through a component kept open between
// calls: every way the table can change between two look-ups must show.
#include "engine/hydraulics.h"
#include "support/workjob.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

using testsupport::WorkJob;

namespace {

// 60 F falls on a row of its own, so the look-up gives that row's Viscos.
double At60()
{
    double nu = 0;
    JHyd().WaterViscosity(60, nu);
    return nu;
}

void SetViscos60(db::Table* w, double nu)
{
    if (!w->Active())
        w->Open();
    ASSERT_TRUE(w->Locate("Temp", 60.0));
    w->Edit();
    w->FieldByName("Viscos")->SetAsFloat(nu);
    w->Post();
}

} // namespace

TEST(ViscosityLookup, FollowsWritesMadeThroughTheEngine)
{
    WorkJob job;
    db::Table* w = job.Dm().WaterTable;
    EXPECT_DOUBLE_EQ(At60(), 1.217e-5);

    SetViscos60(w, 2e-5);
    w->Close();
    EXPECT_DOUBLE_EQ(At60(), 2e-5);

    // Undone by a rollback.
    {
        db::Transaction tx(db::kMersolAlias);
        SetViscos60(w, 3e-5);
        w->Close();
        EXPECT_DOUBLE_EQ(At60(), 3e-5);
    }
    EXPECT_DOUBLE_EQ(At60(), 2e-5);

    // A statement naming the table.
    db::Query q(db::kMersolAlias);
    q.SetSQL("Update Water Set Viscos=:V Where Temp = 60");
    q.SetParam("V", 4e-5);
    q.ExecSQL();
    EXPECT_DOUBLE_EQ(At60(), 4e-5);

    // Emptied and filled again.
    w->EmptyTable();
    WorkJob::AddRow(w, {{"Temp", 50}, {"Viscos", 1e-5}});
    WorkJob::AddRow(w, {{"Temp", 70}, {"Viscos", 3e-5}});
    w->Close();
    EXPECT_DOUBLE_EQ(At60(), 2e-5);
    EXPECT_FALSE(w->Active());
}

TEST(ViscosityLookup, WaterTableOpenWithAnEditIsPostedAndUsed)
{
    WorkJob job;
    db::Table* w = job.Dm().WaterTable;
    At60();
    w->Open();
    ASSERT_TRUE(w->Locate("Temp", 60.0));
    w->Edit();
    w->FieldByName("Viscos")->SetAsFloat(5e-5);
    EXPECT_DOUBLE_EQ(At60(), 5e-5);
    EXPECT_FALSE(w->Active());
    EXPECT_DOUBLE_EQ(At60(), 5e-5);
}

TEST(ViscosityLookup, FileChangedWhileDisconnectedIsReadAgain)
{
    WorkJob job;
    EXPECT_DOUBLE_EQ(At60(), 1.217e-5);
    db::Engine& e = db::Engine::instance();
    e.CloseAll();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(e.DatabaseFile(db::kMersolAlias).toUtf8().constData(), &other), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(other, R"(UPDATE "Water.db" SET "Viscos" = 6e-5 WHERE "Temp" = 60)", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    EXPECT_DOUBLE_EQ(At60(), 6e-5);
}
