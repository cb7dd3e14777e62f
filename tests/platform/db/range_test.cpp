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

// Emptying a range deletes its rows in one go: only the range's rows, none
// for a null value, every row without a range; open components read again.
TEST_F(DbTest, EmptyRangeDeletesOnlyTheRowsOfTheRange)
{
    Table all(db::kMersolAlias, "Items.DB");
    all.Open();
    Table t(db::kMersolAlias, "Items.DB");
    t.SetRange("Flag", false);
    t.Open();
    t.Edit();
    t.FieldByName("Name")->SetAsString("Unposted");
    t.EmptyRange();
    EXPECT_EQ(t.State(), db::DataSetState::Browse);
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(column(all, "Code"), QStringList{"B"});
    EXPECT_EQ(stored("Items.DB", "Name"), QStringList{"Bolt"});

    t.SetRange("Flag", QVariant());
    t.EmptyRange();
    EXPECT_EQ(stored("Items.DB", "Code"), QStringList{"B"});

    t.Close();
    t.CancelRange();
    t.EmptyRange();   // closed, no range: the whole table
    EXPECT_TRUE(stored("Items.DB", "Code").isEmpty());
    EXPECT_TRUE(all.IsEmpty());
}

// A field takes another's value as it holds it only where the typed getter
// and setter would give the same; otherwise it says no and keeps its value.
TEST_F(DbTest, TakeValueOfCopiesOnlyWhatNeedsNoConverting)
{
    Table from(db::kMersolAlias, "Items.DB");
    from.Open();
    ASSERT_TRUE(from.Locate("Code", "D"));
    Table log(db::kMersolAlias, "Log.db");
    log.Open();
    log.Append();
    db::Field* text = log.FieldByName("Text");
    db::Field* n = log.FieldByName("N");

    EXPECT_TRUE(text->TakeValueOf(*from.FieldByName("Name")));
    EXPECT_EQ(text->AsString(), "Drill");
    // A short into a long, a number into text: converted by the caller.
    EXPECT_FALSE(n->TakeValueOf(*from.FieldByName("Qty")));
    EXPECT_FALSE(text->TakeValueOf(*from.FieldByName("Price")));
    EXPECT_EQ(text->AsString(), "Drill");
    EXPECT_TRUE(n->IsNull());

    // Text longer than the field is cut by its setter, so it is not taken.
    Table items(db::kMersolAlias, "Items.DB");
    items.Open();
    items.Append();
    db::Field* code = items.FieldByName("Code");
    EXPECT_TRUE(code->TakeValueOf(*text));          // "Drill" fits ALPHA(6)
    text->SetAsString("Too long a code");
    EXPECT_FALSE(code->TakeValueOf(*text));
    EXPECT_EQ(code->AsString(), "Drill");
    db::Field* name = items.FieldByName("Name");
    EXPECT_TRUE(name->TakeValueOf(*from.FieldByName("Name")));
    EXPECT_EQ(name->AsString(), "Drill");
    // An empty value empties the field.
    ASSERT_TRUE(from.Locate("Code", "A"));
    db::Field* note = items.FieldByName("Note");
    note->SetAsString("was here");
    EXPECT_TRUE(note->TakeValueOf(*from.FieldByName("Note")));
    EXPECT_TRUE(note->IsNull());
    EXPECT_TRUE(items.FieldByName("Price")->TakeValueOf(*from.FieldByName("Price")));
    EXPECT_EQ(items.FieldByName("Price")->AsFloat(), 2.25);
    EXPECT_TRUE(items.FieldByName("Flag")->TakeValueOf(*from.FieldByName("Flag")));
    EXPECT_FALSE(items.FieldByName("Flag")->AsBoolean());
}

// Rows appended from another table in one go: the rows the source shows, in
// its order; the target's components as posts would leave them; nothing
// written when a value needs converting, and all or nothing when one fails.
TEST_F(DbTest, AppendRowsOfCopiesTheShownRowsAllOrNothing)
{
    Table from(db::kMersolAlias, "Items.DB");
    from.SetIndexName("NameIndex");
    from.OnFilterRecord = [](Table& tb) { return tb.FieldByName("Price")->AsFloat() < 10; };
    from.SetFiltered(true);
    from.Open();
    Table to(db::kMersolAlias, "PipeType.DB");
    to.Open();
    Table sibling(db::kMersolAlias, "PipeType.DB");
    sibling.Open();
    const std::vector<Table::CopiedField> fields = {{from.FieldByName("Qty"), to.FieldByName("PSize")},
                                                    {from.FieldByName("Name"), to.FieldByName("Descrip")},
                                                    {from.FieldByName("Flag"), to.FieldByName("Marked")}};
    ASSERT_TRUE(to.AppendRowsOf(from, fields));
    EXPECT_EQ(stored("PipeType.DB", "Descrip"), (QStringList{"Bolt", "Anchor", "Alum", "pvc", "PVC 2"}));
    EXPECT_EQ(to.FieldByName("Descrip")->AsString(), "Bolt");   // the last row copied
    EXPECT_EQ(to.RecordCount(), 5);
    EXPECT_EQ(column(sibling, "PSize"), (QStringList{"5", "7", "100", "100", "200"}));
    EXPECT_EQ(column(to, "Marked"), (QStringList{"True", "False", "False", "False", "True"}));

    // A second copy breaks the key at its first row: nothing of it stays.
    EXPECT_THROW(to.AppendRowsOf(from, fields), db::DbError);
    EXPECT_EQ(stored("PipeType.DB", "Descrip").size(), 5);
    EXPECT_EQ(to.RecordCount(), 5);

    // A fixed value, and numbers kept whole.
    Table prof(db::kMersolAlias, "Prof.DB");
    ASSERT_TRUE(prof.AppendRowsOf(from, {{from.FieldByName("Price"), prof.FieldByName("Station")}},
                                  {{prof.FieldByName("RecordNo"), "3"}}));
    EXPECT_EQ(stored("Prof.DB", "Station"), (QStringList{"1.5", "2.25"}));
    EXPECT_EQ(stored("Prof.DB", "RecordNo"), (QStringList{"3", "3"}));
}

TEST_F(DbTest, AppendRowsOfLeavesRowsThatNeedConvertingToTheCaller)
{
    Table items(db::kMersolAlias, "Items.DB");
    items.Open();
    Table log(db::kMersolAlias, "Log.db");
    // A short into a long.
    EXPECT_FALSE(log.AppendRowsOf(items, {{items.FieldByName("Qty"), log.FieldByName("N")}}));
    // A fraction into a number kept whole.
    Table prof(db::kMersolAlias, "Prof.DB");
    EXPECT_FALSE(prof.AppendRowsOf(items, {{items.FieldByName("Price"), prof.FieldByName("Elev"), true}}));
    EXPECT_TRUE(stored("Log.db", "Text").isEmpty());
    EXPECT_TRUE(stored("Prof.DB", "Elev").isEmpty());

    // Text longer than the field it would go into.
    log.Open();
    log.Append();
    log.FieldByName("Text")->SetAsString("Much too long");
    log.Post();
    EXPECT_FALSE(items.AppendRowsOf(log, {{log.FieldByName("Text"), items.FieldByName("Code")}}));
    EXPECT_EQ(stored("Items.DB", "Code"), (QStringList{"A", "B", "D"}));
}
