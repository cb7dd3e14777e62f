#pragma once
// A small database for the engine tests.
#include "platform/db/db.h"
#include "support/tempdb.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

inline const char* kTestScript = R"sql(
CREATE TABLE "Items.DB"("Code" ALPHA(6) COLLATE NOCASE, "Name" ALPHA(10), "Qty" SHORT,
                        "Price" NUMBER, "Flag" LOGICAL, "Note" MEMO(20), PRIMARY KEY("Code"));
CREATE INDEX "Items.DB|NameIndex" ON "Items.DB"("Name");
INSERT INTO "Items.DB" VALUES('B', 'Bolt', 5, 1.5, 1, NULL), ('D', 'Drill', 2, 30, 0, 'long note'),
                             ('A', 'Anchor', 7, 2.25, 0, NULL);
CREATE TABLE "Prof.DB"("Station" NUMBER, "Elev" NUMBER, "RecordNo" SHORT, PRIMARY KEY("Station"));
CREATE TABLE "Jobs.DB"("JobNumber" AUTOINC, "JobName" ALPHA(20), "Date" ALPHA(10), PRIMARY KEY("JobNumber"));
CREATE INDEX "Jobs.DB|JobNameIndex" ON "Jobs.DB"("JobName");
CREATE TABLE "Log.db"("Text" ALPHA(20), "N" LONG);
CREATE TABLE "PipeType.DB"("PSize" SHORT, "Descrip" ALPHA(20) COLLATE NOCASE, "Marked" LOGICAL,
                           PRIMARY KEY("PSize", "Descrip"));
CREATE INDEX "PipeType.DB|DescripIndex" ON "PipeType.DB"("Descrip" COLLATE NOCASE);
INSERT INTO "PipeType.DB" VALUES(100, 'pvc', 0), (100, 'Alum', 0), (200, 'PVC 2', 1);
)sql";

// Runs SQL on a database file through a connection of its own, as another
// program would.
inline void WriteFromOutside(const QString& file, const char* sql)
{
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &other), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(other, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(other);
    sqlite3_close(other);
}

class DbTest : public ::testing::Test {
protected:
    testsupport::TempDb temp{QString::fromUtf8(kTestScript), QString::fromUtf8(kTestScript)};

    // The values of one field in cursor order, from the first row.
    static QStringList column(db::Table& t, const QString& field)
    {
        QStringList out;
        for (t.First(); !t.Eof(); t.Next())
            out << t.FieldByName(field)->AsString();
        return out;
    }
    // What is stored, read through a fresh component.
    static QStringList stored(const QString& table, const QString& field, const QString& alias = db::kMersolAlias)
    {
        db::Table t(alias, table);
        t.Open();
        return column(t, field);
    }
};
