#include "fixture.h"

using db::DataSetState;
using db::Table;

TEST_F(DbTest, FieldsPersistAcrossCloseAndThrowWhileClosed)
{
    Table t(db::kMersolAlias, "Items.DB");
    EXPECT_FALSE(t.Active());
    db::Field* name = t.FieldByName("Name");   // known before the first Open
    EXPECT_EQ(name->DataType(), db::FieldType::Alpha);
    EXPECT_EQ(name->Size(), 10);
    EXPECT_THROW(name->AsString(), db::DbError);
    EXPECT_THROW(t.FieldByName("Nope"), db::DbError);
    EXPECT_EQ(t.FindField("Nope"), nullptr);
    EXPECT_EQ(t.FieldNames(), QStringList({"Code", "Name", "Qty", "Price", "Flag", "Note"}));

    t.Open();
    EXPECT_EQ(t.FieldByName("Name"), name);
    EXPECT_EQ(t.RecordCount(), 3);
    EXPECT_EQ(column(t, "Code"), QStringList({"A", "B", "D"}));   // primary key order
    t.Close();
    EXPECT_THROW(name->SetAsString("x"), db::DbError);
    EXPECT_THROW(t.RecordCount(), db::DbError);
    t.Open();
    EXPECT_EQ(t.FieldByName("Name"), name);
    EXPECT_EQ(name->AsString(), "Anchor");
}

TEST_F(DbTest, IndexAndFilterSurviveCloseAndOpen)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.OnFilterRecord = [](Table& tb) { return tb.FieldByName("Qty")->AsInteger() > 3; };
    t.SetIndexName("NameIndex");
    t.SetFiltered(true);
    t.Open();
    EXPECT_EQ(column(t, "Name"), QStringList({"Anchor", "Bolt"}));
    t.Close();
    t.Open();
    EXPECT_EQ(t.IndexName(), "NameIndex");
    EXPECT_TRUE(t.Filtered());
    EXPECT_EQ(t.RecordCount(), 2);
    t.SetIndexName("");
    t.SetFiltered(false);
    EXPECT_EQ(column(t, "Code"), QStringList({"A", "B", "D"}));
    EXPECT_THROW(t.SetIndexName("Missing"), db::DbError);
}

TEST_F(DbTest, CloseDiscardsUnpostedEditAndInsert)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    t.Edit();
    t.FieldByName("Name")->SetAsString("Changed");
    t.Close();
    t.Open();
    t.Append();
    t.FieldByName("Code")->SetAsString("Z");
    t.Close();
    EXPECT_EQ(stored("Items.DB", "Name"), QStringList({"Anchor", "Bolt", "Drill"}));
}

TEST_F(DbTest, EmptyFieldsReadAsZeroEmptyOrFalse)
{
    Table t(db::kMersolAlias, "Log.db");
    t.Open();
    t.Append();
    t.Post();
    for (const char* f : {"Text", "N"}) {
        db::Field* x = t.FieldByName(f);
        EXPECT_TRUE(x->IsNull());
        EXPECT_EQ(x->AsString(), "");
        EXPECT_EQ(x->AsFloat(), 0.0);
        EXPECT_EQ(x->AsInteger(), 0);
        EXPECT_FALSE(x->AsBoolean());
        EXPECT_FALSE(x->Value().isValid());
    }
    // An empty table reads the same while browsing.
    Table p(db::kMersolAlias, "Prof.DB");
    p.Open();
    EXPECT_TRUE(p.IsEmpty());
    EXPECT_EQ(p.FieldByName("Station")->AsFloat(), 0.0);
}

TEST_F(DbTest, ValuesConvertToTheFieldType)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    auto* price = t.FieldByName("Price");
    auto* qty = t.FieldByName("Qty");
    auto* name = t.FieldByName("Name");
    price->SetAsString("12.5");
    EXPECT_EQ(t.State(), DataSetState::Edit);   // writing starts an edit
    EXPECT_DOUBLE_EQ(price->AsFloat(), 12.5);
    EXPECT_EQ(price->AsString(), "12.5");
    EXPECT_THROW(price->SetAsString("twelve"), db::DbError);
    EXPECT_THROW(qty->SetAsInteger(40000), db::DbError);
    EXPECT_THROW(qty->SetAsFloat(-32769), db::DbError);
    qty->SetAsInteger(-32768);
    qty->SetAsString("17");
    name->SetAsString("ABCDEFGHIJKLMNOP");
    EXPECT_EQ(name->AsString(), "ABCDEFGHIJ");
    t.FieldByName("Flag")->SetAsString("T");
    t.FieldByName("Code")->SetAsString("007");
    t.Post();
    t.Close();
    t.Open();
    ASSERT_TRUE(t.Locate("Code", "007"));   // text stays text, leading zeros too
    EXPECT_EQ(qty->AsInteger(), 17);
    EXPECT_EQ(name->AsString(), "ABCDEFGHIJ");
    EXPECT_TRUE(t.FieldByName("Flag")->AsBoolean());
    EXPECT_EQ(t.FieldByName("Flag")->AsString(), "True");
    EXPECT_DOUBLE_EQ(price->AsFloat(), 12.5);
}

TEST_F(DbTest, MovingPostsModifiedEditAndDropsUnmodifiedOne)
{
    Table t(db::kMersolAlias, "Items.DB");
    int posts = 0;
    t.AfterPost = [&](Table&) { ++posts; };
    t.Open();
    t.Edit();
    t.FieldByName("Name")->SetAsString("Anvil");
    t.Next();
    EXPECT_EQ(t.State(), DataSetState::Browse);
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "B");
    EXPECT_EQ(posts, 1);
    t.Edit();
    t.Last();   // nothing changed: dropped
    EXPECT_EQ(posts, 1);
    t.Insert();
    t.First();   // an untouched new row is dropped as well
    EXPECT_EQ(t.RecordCount(), 3);
    t.Insert();
    t.FieldByName("Code")->SetAsString("C");
    EXPECT_TRUE(t.Locate("Code", "D"));   // Locate settles the insert too
    EXPECT_EQ(stored("Items.DB", "Name"), QStringList({"Anvil", "Bolt", "", "Drill"}));
    EXPECT_EQ(posts, 2);
}

TEST_F(DbTest, InsertedRowWaitsBeforeCurrentThenTakesItsPlace)
{
    Table t(db::kMersolAlias, "Prof.DB");
    t.Open();
    for (double st : {0.0, 100.0, 300.0}) {
        t.Append();
        t.FieldByName("Station")->SetAsFloat(st);
        t.Post();
    }
    ASSERT_TRUE(t.Locate("Station", 100.0));
    EXPECT_EQ(t.RecNo(), 2);
    t.Insert();
    EXPECT_EQ(t.State(), DataSetState::Insert);
    EXPECT_EQ(t.RecNo(), 2);
    ASSERT_EQ(t.DisplayRowCount(), 4);
    EXPECT_FALSE(t.DisplayValue(1, t.FieldByName("Station")).isValid());   // the pending row
    EXPECT_EQ(t.DisplayValue(2, t.FieldByName("Station")).toDouble(), 100.0);
    t.FieldByName("Station")->SetAsFloat(350);
    t.Post();
    EXPECT_EQ(t.FieldByName("Station")->AsFloat(), 350.0);   // stays current
    EXPECT_EQ(t.RecNo(), 4);
    ASSERT_TRUE(t.Locate("Station", 0.0));
    t.FieldByName("Station")->SetAsFloat(200);   // a key edit moves the row too
    t.Post();
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(column(t, "Station"), QStringList({"100", "200", "300", "350"}));
}

TEST_F(DbTest, DeleteMakesTheFollowingRowCurrent)
{
    Table t(db::kMersolAlias, "Items.DB");
    int deletes = 0;
    t.AfterDelete = [&](Table&) { ++deletes; };
    t.Open();
    t.Delete();   // A
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "B");
    t.Last();
    t.Delete();   // D: the new last row becomes current
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "B");
    EXPECT_TRUE(t.Eof());
    t.Delete();
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_TRUE(t.Eof() && t.Bof());
    EXPECT_THROW(t.Delete(), db::DbError);
    EXPECT_EQ(deletes, 3);
    EXPECT_TRUE(stored("Items.DB", "Code").isEmpty());
}

TEST_F(DbTest, RemoveLoopDeletesEveryMatchingRow)
{
    Table t(db::kMersolAlias, "Log.db");
    t.Open();
    for (int n : {1, 2, 1, 1, 3, 1}) {
        t.Append();
        t.FieldByName("N")->SetAsInteger(n);
        t.Post();
    }
    t.First();
    while (!t.Eof()) {
        if (t.FieldByName("N")->AsInteger() == 1)
            t.Delete();
        else
            t.Next();
    }
    EXPECT_EQ(column(t, "N"), QStringList({"2", "3"}));
}

TEST_F(DbTest, EditOnEmptyTableStartsNewRow)
{
    Table t(db::kMersolAlias, "Prof.DB");
    t.Open();
    t.Edit();
    EXPECT_EQ(t.State(), DataSetState::Insert);
    t.FieldByName("Station")->SetAsFloat(5);
    t.Post();
    EXPECT_EQ(t.RecordCount(), 1);
}

TEST_F(DbTest, LocateIsExactCaseSensitiveAndConvertsTextKeys)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    ASSERT_TRUE(t.Locate("Name", "Bolt"));
    EXPECT_FALSE(t.Locate("Name", "bolt"));
    EXPECT_FALSE(t.Locate("Name", "Bol"));
    EXPECT_EQ(t.FieldByName("Name")->AsString(), "Bolt");   // cursor stays
    EXPECT_TRUE(t.Locate("Price", "30"));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "D");
    EXPECT_TRUE(t.Locate("Qty", "7"));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "A");
    EXPECT_FALSE(t.Locate("Qty", 4.6));
    EXPECT_FALSE(t.Locate("Qty", "5.4"));
    EXPECT_TRUE(t.Locate("Qty", 5.0));
    EXPECT_FALSE(t.Locate("Price", "abc"));
    EXPECT_TRUE(t.Locate(QStringList{"Name", "Qty"}, QVariantList{"Drill", 2}));
    EXPECT_FALSE(t.Locate(QStringList{"Name", "Qty"}, QVariantList{"Drill", 3}));

    // A station located by its own display text, as the renumbering does.
    Table p(db::kMersolAlias, "Prof.DB");
    p.Open();
    for (double st : {0.1 + 0.2, 1e6 / 3}) {
        p.Append();
        p.FieldByName("Station")->SetAsFloat(st);
        p.Post();
    }
    p.First();
    QString text = p.FieldByName("Station")->AsString();
    p.Last();
    EXPECT_TRUE(p.Locate("Station", text));
    EXPECT_EQ(p.RecNo(), 1);
}

TEST_F(DbTest, LocateFindsFirstMatchInCurrentOrder)
{
    Table t(db::kMersolAlias, "Log.db");
    t.Open();
    for (auto [text, n] : {std::pair{"z", 1}, {"a", 2}, {"m", 1}}) {
        t.Append();
        t.FieldByName("Text")->SetAsString(text);
        t.FieldByName("N")->SetAsInteger(n);
        t.Post();
    }
    ASSERT_TRUE(t.Locate("N", 1));
    EXPECT_EQ(t.FieldByName("Text")->AsString(), "z");   // row order, no key
}

TEST_F(DbTest, FindNearestOnActiveIndex)
{
    Table t(db::kMersolAlias, "Jobs.DB");
    t.SetIndexName("JobNameIndex");
    t.Open();
    for (const char* n : {"Mill", "Barn", "Ditch", "Barn"}) {
        t.Append();
        t.FieldByName("JobName")->SetAsString(n);
        t.Post();
    }
    t.FindNearest({"Barn"});
    EXPECT_EQ(t.FieldByName("JobNumber")->AsInteger(), 2);   // first equal
    t.FindNearest({"Cow"});
    EXPECT_EQ(t.FieldByName("JobName")->AsString(), "Ditch");   // first greater
    t.FindNearest({"Zebra"});
    EXPECT_EQ(t.FieldByName("JobName")->AsString(), "Mill");    // else the last
    t.FindNearest({"A"});
    EXPECT_EQ(t.RecNo(), 1);

    Table p(db::kMersolAlias, "PipeType.DB");
    p.SetIndexName("DescripIndex");
    p.Open();
    EXPECT_EQ(column(p, "Descrip"), QStringList({"Alum", "pvc", "PVC 2"}));   // case-insensitive order
    p.FindNearest({"PVC"});
    EXPECT_EQ(p.FieldByName("Descrip")->AsString(), "pvc");
    std::vector<db::IndexDef> defs = p.IndexDefs();
    ASSERT_EQ(defs.size(), 2u);
    EXPECT_TRUE(defs[0].primary);
    EXPECT_EQ(defs[0].fields, QStringList({"PSize", "Descrip"}));
    EXPECT_EQ(defs[1].name, "DescripIndex");
    EXPECT_TRUE(defs[1].caseInsensitive);
}

TEST_F(DbTest, KeyViolationLeavesRowEditable)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    t.Insert();
    t.FieldByName("Code")->SetAsString("b");   // the key ignores case
    t.FieldByName("Name")->SetAsString("Dup");
    EXPECT_THROW(t.Post(), db::KeyViolation);
    EXPECT_EQ(t.State(), DataSetState::Insert);
    EXPECT_EQ(t.FieldByName("Name")->AsString(), "Dup");
    t.FieldByName("Code")->SetAsString("C");
    t.Post();
    EXPECT_EQ(t.RecordCount(), 4);

    ASSERT_TRUE(t.Locate("Code", "C"));
    t.FieldByName("Code")->SetAsString("A");
    EXPECT_THROW(t.Post(), db::KeyViolation);
    EXPECT_EQ(t.State(), DataSetState::Edit);
    t.Cancel();
    EXPECT_EQ(stored("Items.DB", "Code"), QStringList({"A", "B", "C", "D"}));
}

// The check before a post sees the row as typed and as it was; refusing
// leaves the row to be corrected, and what the check wrote elsewhere goes
// only with the row.
TEST_F(DbTest, BeforePostRefusesTheRowOrWritesWithIt)
{
    Table t(db::kMersolAlias, "Items.DB");
    QString seen;
    t.BeforePost = [&](Table& tb) {
        const QString name = tb.FieldByName("Name")->AsString();
        seen = tb.FieldByName("Name")->OldValue().toString() + "->" + name;
        if (name.isEmpty())
            throw db::DbError("A name, please.");
        db::Query q(db::kMersolAlias);
        q.SetSQL("Update \"PipeType.DB\" Set Marked=:M");
        q.SetParam("M", true);
        q.ExecSQL();
    };
    t.Open();
    ASSERT_TRUE(t.Locate("Code", "A"));
    t.Edit();
    t.FieldByName("Name")->Clear();
    EXPECT_THROW(t.Post(), db::DbError);
    EXPECT_EQ(seen, "Anchor->");
    EXPECT_EQ(t.State(), DataSetState::Edit);
    EXPECT_EQ(stored("PipeType.DB", "Marked"), QStringList({"False", "False", "True"}));

    // The check writes, then the key refuses the row: neither is kept.
    t.FieldByName("Name")->SetAsString("Anvil");
    t.FieldByName("Code")->SetAsString("B");
    EXPECT_THROW(t.Post(), db::KeyViolation);
    EXPECT_EQ(t.State(), DataSetState::Edit);
    EXPECT_EQ(stored("PipeType.DB", "Marked"), QStringList({"False", "False", "True"}));

    t.FieldByName("Code")->SetAsString("A");
    t.Post();
    EXPECT_EQ(seen, "Anchor->Anvil");
    EXPECT_EQ(stored("Items.DB", "Name"), QStringList({"Anvil", "Bolt", "Drill"}));
    EXPECT_EQ(stored("PipeType.DB", "Marked"), QStringList({"True", "True", "True"}));
    t.Append();
    EXPECT_TRUE(t.FieldByName("Name")->OldValue().isNull());
    t.Cancel();
    EXPECT_EQ(t.FieldByName("Name")->OldValue().toString(), t.FieldByName("Name")->AsString());
}

TEST_F(DbTest, EmptyTableOpenOrClosed)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.EmptyTable();
    EXPECT_TRUE(stored("Items.DB", "Code").isEmpty());
    Table p(db::kMersolAlias, "PipeType.DB");
    p.Open();
    p.Edit();
    p.FieldByName("Marked")->SetAsBoolean(true);
    p.EmptyTable();
    EXPECT_TRUE(p.IsEmpty());
    EXPECT_EQ(p.State(), DataSetState::Browse);
    EXPECT_TRUE(stored("PipeType.DB", "Descrip").isEmpty());
}

TEST_F(DbTest, BeforeDeleteMayAbortSilently)
{
    Table t(db::kMersolAlias, "Items.DB");
    bool veto = true;
    int after = 0;
    t.BeforeDelete = [&](Table&) { if (veto) db::Abort(); };
    t.AfterDelete = [&](Table&) { ++after; };
    t.Open();
    EXPECT_NO_THROW(t.Delete());
    EXPECT_EQ(t.RecordCount(), 3);
    EXPECT_EQ(after, 0);
    veto = false;
    t.Delete();
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(after, 1);
}

TEST_F(DbTest, AutoIncrementIsAssignedAtPostAndNeverReused)
{
    Table t(db::kMersolAlias, "Jobs.DB");
    t.Open();
    auto* num = t.FieldByName("JobNumber");
    EXPECT_TRUE(num->ReadOnly());
    t.Append();
    EXPECT_TRUE(num->IsNull());
    EXPECT_THROW(num->SetAsInteger(9), db::DbError);
    t.Post();   // an empty row posted at once gets its number
    EXPECT_EQ(num->AsInteger(), 1);
    t.Append();
    t.Post();
    EXPECT_EQ(num->AsInteger(), 2);
    t.Delete();
    t.Close();
    temp.Reconnect();
    t.Open();
    t.Append();
    t.Post();
    EXPECT_EQ(num->AsInteger(), 3);
    t.EmptyTable();
    t.Append();
    t.Post();
    EXPECT_EQ(num->AsInteger(), 4);
}

TEST_F(DbTest, FilterGovernsNavigationAndCountsUntilRefreshed)
{
    Table t(db::kMersolAlias, "Items.DB");
    int limit = 3;
    t.OnFilterRecord = [&](Table& tb) { return tb.FieldByName("Qty")->AsInteger() >= limit; };
    t.Open();
    EXPECT_EQ(t.RecordCount(), 3);   // the handler acts only while filtering is on
    t.SetFiltered(true);
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_FALSE(t.Locate("Code", "D"));
    limit = 6;
    EXPECT_EQ(t.RecordCount(), 2);
    t.Refresh();
    EXPECT_EQ(column(t, "Code"), QStringList({"A"}));
    t.SetFiltered(false);
    EXPECT_EQ(t.RecordCount(), 3);
}

TEST_F(DbTest, CalculatedFieldsFollowTheCurrentRow)
{
    Table t(db::kMersolAlias, "Items.DB");
    db::Field* total = t.AddCalcField("Total", db::FieldType::Number);
    t.OnCalcFields = [](Table& tb) {
        tb.FieldByName("Total")->SetAsFloat(tb.FieldByName("Qty")->AsFloat() * tb.FieldByName("Price")->AsFloat());
    };
    t.Open();
    EXPECT_TRUE(total->Calculated());
    EXPECT_EQ(t.FieldCount(), 7);
    EXPECT_DOUBLE_EQ(total->AsFloat(), 7 * 2.25);
    t.Next();
    EXPECT_DOUBLE_EQ(total->AsFloat(), 5 * 1.5);
    t.FieldByName("Qty")->SetAsInteger(10);
    EXPECT_DOUBLE_EQ(total->AsFloat(), 15.0);
    EXPECT_THROW(total->SetAsFloat(1), db::DbError);
    t.Cancel();
    EXPECT_DOUBLE_EQ(t.DisplayValue(2, total).toDouble(), 60.0);
    EXPECT_TRUE(t.Locate("Total", 60.0));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "D");
}

TEST_F(DbTest, BookmarksReturnToRowsAndReportGoneOnes)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    t.Next();
    qint64 bm = t.GetBookmark();
    t.Last();
    ASSERT_TRUE(t.GotoBookmark(bm));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "B");
    t.Delete();
    EXPECT_FALSE(t.GotoBookmark(bm));
    EXPECT_EQ(t.FieldByName("Code")->AsString(), "D");
}

namespace {
struct Counter : db::DataLink {
    int active = 0, record = 0, dataset = 0, state = 0, update = 0;
    void ActiveChanged() override { ++active; }
    void RecordChanged() override { ++record; }
    void DataSetChanged() override { ++dataset; }
    void StateChanged() override { ++state; }
    void UpdateRecord() override { ++update; }
};
} // namespace

TEST_F(DbTest, DataSourceForwardsAndDisableControlsSuppresses)
{
    Counter c;
    Table t(db::kMersolAlias, "Items.DB");
    {
        db::DataSource ds(&t);
        ds.AddLink(&c);
        t.Open();
        EXPECT_EQ(c.active, 1);
        t.Next();
        EXPECT_EQ(c.record, 1);
        t.Edit();
        EXPECT_EQ(c.state, 1);
        t.Post();
        EXPECT_EQ(c.update, 1);
        EXPECT_EQ(c.state, 2);

        Counter before = c;
        t.DisableControls();
        t.DisableControls();
        t.First();
        t.Next();
        t.EnableControls();
        EXPECT_EQ(c.record, before.record);
        t.Edit();
        t.EnableControls();
        EXPECT_EQ(c.record, before.record);
        EXPECT_EQ(c.dataset, before.dataset + 1);
        EXPECT_EQ(c.state, before.state + 1);   // the edit began while disabled

        ds.Enabled = false;
        t.Cancel();
        EXPECT_EQ(c.state, before.state + 1);
        ds.Enabled = true;
        ds.RemoveLink(&c);
        t.Next();
        EXPECT_EQ(c.record, before.record);
    }
    // A source dying before its table, or a table before its source, is safe.
    auto* tb = new Table(db::kMersolAlias, "Items.DB");
    db::DataSource ds2(tb);
    delete tb;
    EXPECT_EQ(ds2.DataSet(), nullptr);
}

TEST_F(DbTest, ComponentsOfTheSameTableSeeEachOthersPosts)
{
    Table a(db::kMersolAlias, "Items.DB");
    Table b(db::kMersolAlias, "Items.DB");
    b.SetIndexName("NameIndex");
    a.Open();
    b.Open();
    ASSERT_TRUE(b.Locate("Code", "D"));
    a.Append();
    a.FieldByName("Code")->SetAsString("C");
    a.FieldByName("Name")->SetAsString("Clamp");
    a.Post();
    EXPECT_EQ(b.RecordCount(), 4);
    EXPECT_EQ(b.FieldByName("Code")->AsString(), "D");   // b stays on its row
    b.Prior();
    EXPECT_EQ(b.FieldByName("Name")->AsString(), "Clamp");
    a.Delete();   // C, a's current row
    EXPECT_EQ(b.FieldByName("Code")->AsString(), "D");   // b's current row went: the next one
    ASSERT_TRUE(a.Locate("Code", "B"));
    a.FieldByName("Name")->SetAsString("Zinc");
    a.Post();
    b.Last();
    EXPECT_EQ(b.FieldByName("Code")->AsString(), "B");

    // Two edits of one row, of different fields, both stay.
    b.FieldByName("Qty")->SetAsInteger(11);
    a.FieldByName("Price")->SetAsFloat(9.5);
    a.Post();
    EXPECT_EQ(b.FieldByName("Price")->AsFloat(), 9.5);
    b.Post();
    EXPECT_EQ(a.FieldByName("Qty")->AsInteger(), 11);
    Table c(db::kMersolAlias, "Items.DB");
    c.Open();
    ASSERT_TRUE(c.Locate("Code", "B"));
    EXPECT_EQ(c.FieldByName("Qty")->AsInteger(), 11);
    EXPECT_EQ(c.FieldByName("Price")->AsFloat(), 9.5);
    EXPECT_EQ(c.FieldByName("Name")->AsString(), "Zinc");
}
