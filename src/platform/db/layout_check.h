#pragma once
// Compares an alias's database file with the layout its create script makes, and brings an older file up to date.
#include "platform/db/db.h"

#include <QString>
#include <QStringList>

namespace db {

// What the alias's database file lacks of the tables, fields and indexes its
// create script makes, one line each ("table JobPipe.DB has no field
// 'NoEnd'"); empty when nothing is missing, when the file does not exist yet
// or when the alias has no create script. Columns the file has beyond the
// script's are no gap. Throws DbError naming the file when it cannot be read.
QStringList LayoutGaps(const QString& alias);

// Adds what LayoutGaps lists: missing tables with the rows the script gives
// them, missing fields with their defaults, missing indexes. A copy of the
// file as it was is kept beside it first; its path is returned (empty when
// nothing was missing). When a gap cannot be filled in place (a missing key
// field, a unique index the stored rows break) nothing is changed and a
// DbError names the file, the gaps and what to do. Meant for start-up, before
// the alias is first used.
QString BringLayoutUpToDate(const QString& alias);

// The first stored value of a table that the same-named field of `into`
// cannot hold as stored: what a table component would find unfit as it reads
// it (text or a blob in a number, integer or logical field, a whole number
// beyond its field's range or a fraction in its field, a blob in a text
// field), and text longer than its field. Reading such a
// row through a table component would give an empty or cut value without a
// word. Only the columns both tables have are looked at, and what each value
// takes in the file is told before any is read: a value no field could hold,
// however large, is found without being read.
struct Misfit {
    int row = 0;        // 1-based, in the table's stored order; 0 when every value fits
    QString field;
    QString why;
    bool found() const { return row > 0; }
};
Misfit FirstMisfit(const QString& alias, const QString& table, Table& into);
} // namespace db
