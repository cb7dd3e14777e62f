// A table read on a range: only the rows whose field equals the value, the
// rows posted through it kept in view, the range kept across Close and Open
// and re-read when it changes, with cursor, filter and rollback as usual.
#include "fixture.h"

using db::Table;

TEST_F(DbTest, RangeReadsOnlyTheMatchingRows)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.SetRange("Qty", 5);
    t.Open();
    EXPECT_EQ(column(t, "Code"), QStringList{"B"});
    EXPECT_TRUE(t.Ranged());

    // Changed while open: read again; a text value converts to the field's type.
    t.SetRange("qty", "7");
    EXPECT_EQ(column(t, "Code"), QStringList{"A"});
    // Kept across Close and Open, like the index and the filter.
    t.Close();
    t.Open();
    EXPECT_EQ(column(t, "Code"), QStringList{"A"});

    // A null value reads no row at all.
    t.SetRange("Qty", QVariant());
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(t.RecordCount(), 0);

    t.CancelRange();
    EXPECT_FALSE(t.Ranged());
    EXPECT_EQ(column(t, "Code"), (QStringList{"A", "B", "D"}));
    EXPECT_THROW(t.SetRange("NoSuchField", 1), db::DbError);
    EXPECT_FALSE(t.Ranged());
    EXPECT_EQ(t.RecordCount(), 3);
}

TEST_F(DbTest, RowsPostedOnARangeStayInViewUntilReadAgain)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.SetRange("Qty", QVariant());
    t.Open();
    t.Append();
    t.FieldByName("Code")->SetAsString("E");
    t.FieldByName("Qty")->SetAsInteger(9);
    t.Post();
    EXPECT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "E");
    t.Edit();
    t.FieldByName("Name")->SetAsString("Eyebolt");
    t.Post();
    EXPECT_EQ(stored("Items.DB", "Name"), (QStringList{"Anchor", "Bolt", "Drill", "Eyebolt"}));

    // Read again: the range decides once more.
    t.Refresh();
    EXPECT_TRUE(t.IsEmpty());
    t.SetRange("Qty", 9);
    EXPECT_EQ(column(t, "Code"), QStringList{"E"});
    t.Delete();
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(stored("Items.DB", "Code"), (QStringList{"A", "B", "D"}));
}

TEST_F(DbTest, RangeHoldsAcrossFilterIndexAndRollback)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.SetIndexName("NameIndex");
    t.OnFilterRecord = [](Table& tb) { return tb.FieldByName("Price")->AsFloat() < 10; };
    t.SetFiltered(true);
    t.SetRange("Flag", false);
    t.Open();
    EXPECT_EQ(column(t, "Code"), QStringList{"A"});   // D is dear, B is flagged
    t.SetFiltered(false);
    EXPECT_EQ(column(t, "Name"), (QStringList{"Anchor", "Drill"}));
    {
        db::Transaction tx(db::kMersolAlias);
        t.First();
        t.Delete();
        EXPECT_EQ(column(t, "Name"), QStringList{"Drill"});
    }
    // Undone, and read again on the same range.
    EXPECT_EQ(column(t, "Name"), (QStringList{"Anchor", "Drill"}));
}
