// A table closed and opened again shows what the file holds, however the
// file changed meanwhile; posts write what changed; a number is found by a
// number as by its text.
#include "fixture.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

using db::Table;

TEST_F(DbTest, ReopenedTableShowsEveryChangeMadeWhileItWasClosed)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    t.Close();
    t.Open();
    EXPECT_EQ(column(t, "Name"), (QStringList{"Anchor", "Bolt", "Drill"}));

    // Another component of the same table.
    t.Close();
    {
        Table other(db::kMersolAlias, "Items.DB");
        other.Open();
        ASSERT_TRUE(other.Locate("Code", "B"));
        other.Edit();
        other.FieldByName("Name")->SetAsString("Bracket");
        other.Post();
    }
    t.Open();
    EXPECT_EQ(column(t, "Name"), (QStringList{"Anchor", "Bracket", "Drill"}));

    // A query.
    t.Close();
    db::Query q(db::kMersolAlias);
    q.SetSQL(R"(UPDATE "Items.DB" SET "Qty" = :Q WHERE "Code" = 'A')");
    q.SetParam("Q", 70);
    EXPECT_EQ(q.ExecSQL(), 1);
    t.Open();
    EXPECT_EQ(column(t, "Qty"), (QStringList{"70", "5", "2"}));

    // Another program.
    t.Close();
    WriteFromOutside(temp.File(db::kMersolAlias), R"(UPDATE "Items.DB" SET "Name" = 'Dowel' WHERE "Code" = 'D')");
    t.Open();
    EXPECT_EQ(column(t, "Name"), (QStringList{"Anchor", "Bracket", "Dowel"}));

    // Emptied while closed.
    t.Close();
    t.EmptyTable();
    t.Open();
    EXPECT_TRUE(t.IsEmpty());
}

TEST_F(DbTest, RowsPostedInARolledBackTransactionAreGoneAfterReopening)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    {
        db::Transaction tx(db::kMersolAlias);
        t.Append();
        t.FieldByName("Code")->SetAsString("E");
        t.Post();
        t.First();
        t.Edit();
        t.FieldByName("Name")->SetAsString("Changed");
        t.Post();
        // Closed inside the transaction, which then ends without a commit.
        t.Close();
    }
    t.Open();
    EXPECT_EQ(column(t, "Code"), (QStringList{"A", "B", "D"}));
    EXPECT_EQ(column(t, "Name"), (QStringList{"Anchor", "Bolt", "Drill"}));

    // A committed one stays, closed or not.
    {
        db::Transaction tx(db::kMersolAlias);
        t.Append();
        t.FieldByName("Code")->SetAsString("F");
        t.Post();
        t.Close();
        tx.Commit();
    }
    t.Open();
    EXPECT_EQ(column(t, "Code"), (QStringList{"A", "B", "D", "F"}));
}

TEST_F(DbTest, ReopenedTableReadsNumbersAsTheFileHoldsThem)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    ASSERT_TRUE(t.Locate("Code", "B"));
    t.Edit();
    // The file cannot hold a NaN: it keeps none. Minus zero is kept as zero.
    t.FieldByName("Price")->SetAsFloat(std::nan(""));
    t.Post();
    ASSERT_TRUE(t.Locate("Code", "D"));
    t.Edit();
    t.FieldByName("Price")->SetAsFloat(-0.0);
    t.Post();
    t.Close();
    t.Open();
    ASSERT_TRUE(t.Locate("Code", "B"));
    EXPECT_TRUE(t.FieldByName("Price")->IsNull());
    ASSERT_TRUE(t.Locate("Code", "D"));
    EXPECT_FALSE(std::signbit(t.FieldByName("Price")->AsFloat()));
    EXPECT_EQ(stored("Items.DB", "Price"), (QStringList{"2.25", "", "0"}));

    // Reopened on another range or index, the rows follow it.
    t.Close();
    t.SetRange("Qty", 7);
    t.Open();
    EXPECT_EQ(column(t, "Code"), QStringList{"A"});
    t.Close();
    t.CancelRange();
    t.SetIndexName("NameIndex");
    t.Open();
    EXPECT_EQ(column(t, "Name"), (QStringList{"Anchor", "Bolt", "Drill"}));
}

TEST_F(DbTest, PostStoresTheChangedValuesWhenOthersAreSetToWhatTheyHold)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    ASSERT_TRUE(t.Locate("Code", "B"));
    t.Edit();
    t.FieldByName("Name")->SetAsString("Bolt");   // as it is
    t.FieldByName("Price")->SetAsFloat(1.5);      // as it is
    t.FieldByName("Qty")->SetAsInteger(6);
    t.FieldByName("Flag")->SetAsBoolean(true);    // as it is
    t.FieldByName("Note")->SetAsString("first");
    t.Post();
    EXPECT_EQ(stored("Items.DB", "Qty"), (QStringList{"7", "6", "2"}));
    EXPECT_EQ(stored("Items.DB", "Note"), (QStringList{"", "first", "long note"}));
    EXPECT_EQ(stored("Items.DB", "Price"), (QStringList{"2.25", "1.5", "30"}));

    // Changed and set back within one edit: the file keeps the old value.
    t.Edit();
    t.FieldByName("Price")->SetAsFloat(9);
    t.FieldByName("Price")->SetAsFloat(1.5);
    t.FieldByName("Flag")->SetAsBoolean(false);
    t.FieldByName("Note")->Clear();
    t.Post();
    EXPECT_EQ(stored("Items.DB", "Price"), (QStringList{"2.25", "1.5", "30"}));
    EXPECT_EQ(stored("Items.DB", "Flag"), (QStringList{"False", "False", "False"}));
    EXPECT_EQ(stored("Items.DB", "Note"), (QStringList{"", "", "long note"}));
    EXPECT_EQ(t.FieldByName("Note")->AsString(), "");

    // Another program changed the row meanwhile: a value this edit sets
    // still reaches the file.
    WriteFromOutside(temp.File(db::kMersolAlias), R"(UPDATE "Items.DB" SET "Qty" = 60 WHERE "Code" = 'B')");
    t.Edit();
    t.FieldByName("Qty")->SetAsInteger(8);
    t.Post();
    EXPECT_EQ(stored("Items.DB", "Qty"), (QStringList{"7", "8", "2"}));
}

TEST_F(DbTest, LocateFindsANumberByNumberAndByItsText)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    EXPECT_TRUE(t.Locate("Price", 30.0));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "D");
    EXPECT_FALSE(t.Locate("Price", 2));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "D");   // no row holds 2: the cursor stays
    EXPECT_TRUE(t.Locate("Price", "1.5"));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "B");
    EXPECT_FALSE(t.Locate("Price", 99.0));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "B");

    // A row without a number is passed over, and found by an empty key.
    ASSERT_TRUE(t.Locate("Code", "A"));
    t.Edit();
    t.FieldByName("Price")->Clear();
    t.Post();
    t.First();
    EXPECT_TRUE(t.Locate("Price", 1.5));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "B");
    EXPECT_TRUE(t.Locate("Price", QVariant()));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "A");
}

TEST_F(DbTest, ReopenedTableFollowsMovesAndDeletesOfItsOwnTableOnly)
{
    Table items(db::kMersolAlias, "Items.DB");
    Table log(db::kMersolAlias, "Log.db");
    items.Open();
    log.Open();
    items.Close();
    log.Close();

    // Writes to another table leave it as it was.
    {
        Table other(db::kMersolAlias, "Log.db");
        other.Open();
        other.Append();
        other.FieldByName("Text")->SetAsString("entry");
        other.Post();
    }
    items.Open();
    EXPECT_EQ(column(items, "Code"), (QStringList{"A", "B", "D"}));
    log.Open();
    EXPECT_EQ(column(log, "Text"), QStringList{"entry"});

    // A row deleted by another component, and one written by a batch move
    // into the closed table.
    items.Close();
    {
        Table other(db::kMersolAlias, "Items.DB");
        other.Open();
        ASSERT_TRUE(other.Locate("Code", "D"));
        other.Delete();
    }
    items.Open();
    EXPECT_EQ(column(items, "Code"), (QStringList{"A", "B"}));
    log.Close();
    Table source(db::kTransferAlias, "Log.db");
    source.Open();
    source.Append();
    source.FieldByName("Text")->SetAsString("moved");
    source.Post();
    source.Close();
    EXPECT_EQ(db::BatchMove(source, log, db::BatchMode::Append).moved, 1);
    log.Open();
    EXPECT_EQ(column(log, "Text"), (QStringList{"entry", "moved"}));
}

TEST_F(DbTest, ClosingAfterTheConnectionWentNeitherOpensNorKeepsAnything)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    t.Last();
    t.Delete();   // a change only the old file had
    db::Engine::instance().CloseAll();
    const QString file = temp.File(db::kMersolAlias);
    ASSERT_TRUE(QFile::remove(file));
    t.Close();
    EXPECT_FALSE(QFileInfo::exists(file));

    // Opened again: a new file from the script, not the rows of the old one.
    t.Open();
    EXPECT_EQ(column(t, "Code"), (QStringList{"A", "B", "D"}));
}
