#pragma once
// Internals shared by the engine's units: SQLite statements, table metadata,
// value conversion, and the registry of open table components.
#include "platform/db/db.h"

#include <sqlite3.h>

#include <map>

namespace db::detail {

// ---- SQLite helpers -------------------------------------------------------

QString quoteIdent(const QString& name);   // "name" with embedded quotes doubled

// A prepared statement that finalizes itself, or, made with a table name,
// one borrowed from the connection's cache of prepared statements and handed
// back (reset, bindings cleared) at the end of its scope. The engine's own
// statements come back with every post, delete and open; preparing them
// again each time was most of the cost of a write. A statement that failed
// is not kept; one that is still in use is not lent twice.
class Stmt {
public:
    Stmt(sqlite3* db, const QString& sql, const QString& what);
    // `table` names the table the statement is about ("" for none), so that
    // a change to that table's structure drops the statement.
    Stmt(sqlite3* db, const QString& sql, const QString& what, const QString& table);
    ~Stmt();
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    void bind(int i, const QVariant& v);   // 1-based
    // A field's value as SQLite stores it (a logical as 0 or 1).
    void bindStored(int i, const QVariant& v, FieldType type);
    bool step();                           // true while a row is ready
    int stepRc();                          // raw result code of one step
    void reset();
    int columnCount() const;
    QVariant column(int i) const;          // by storage class, a blob as its bytes
    QString text(int i) const;
    qint64 int64(int i) const;
    sqlite3_stmt* handle() const { return st_; }
private:
    [[noreturn]] void failed(int rc);
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
    QString what_;
    QString key_;                          // its SQL, when borrowed from the cache
    bool cached_ = false;
    bool keep_ = true;                     // false after a failure
    // Bound text lives here until the statement is reset, so SQLite need
    // not copy it (a row's texts are short; what does not fit is copied).
    int textUsed_ = 0;
    char text_[2048];
};

// ---- the connection's prepared statements ---------------------------------

// A statement of the cache for this SQL, marked in use; nullptr when the
// connection keeps no cache (not one of the aliases' connections) or the
// statement is in use already. Throws DbError (with `what`) when it cannot be
// prepared.
sqlite3_stmt* borrowStmt(sqlite3* db, const QString& sql, const QString& table, const QString& what);
// Ends a borrowing: the statement is reset and kept, or finalized when
// `keep` is false or the cache let it go meanwhile.
void returnStmt(sqlite3* db, const QString& sql, sqlite3_stmt* st, bool keep);
// Finalizes the kept statements about a table (all of them for a null name),
// after its structure changed or it was emptied or dropped.
void forgetStmts(sqlite3* db, const QString& table = QString());
// How many statements the connection keeps (tests).
int cachedStmtCount(sqlite3* db);

void exec(sqlite3* db, const QString& sql, const QString& what);
// The engine's message for a failed call: what was done, then what is wrong
// in plain words naming the file or its folder, else SQLite's words and the
// file. `fail` names the connection's file, `failOn` the one given.
[[noreturn]] void fail(sqlite3* db, int rc, const QString& what);
[[noreturn]] void failOn(sqlite3* db, int rc, const QString& what, const QString& file);
// What is wrong with a database file (or its folder) by SQLite's extended
// result code, in plain words; empty where SQLite's own words must do.
QString plainReason(int code, const QString& file);
// Whether the connection's last failure (or `rc` without one) is a full disk.
bool diskFull(sqlite3* db, int rc);
// The connection's last failure as the messages give it: plain words, else
// SQLite's words and the file.
QString reasonOf(sqlite3* db, int rc, const QString& file);
// Puts what was written to a file or folder (open flags for it) on the disk.
bool syncToDisk(const QString& path, int flags);
// What a path that should name a plain file names instead: "a folder", "a
// named pipe (FIFO)", "a socket", "a device", with the link it goes through
// ("a device (a link to /dev/zero)"), or "a link to /x, which is not there".
// Empty for a plain file, or when nothing is there.
QString notAPlainFile(const QString& path);
// The file of a connection: its own, or for one in memory the first file
// attached to it.
QString fileOf(sqlite3* db);

// ---- metadata -------------------------------------------------------------

struct ColumnInfo {
    QString name;
    QString quoted;              // the name as SQL writes it
    QString declType;
    FieldType type = FieldType::Alpha;
    int size = 0;
};

struct IndexInfo {
    IndexDef def;
    QString sqlName;             // the SQLite index name
    std::vector<int> columns;    // column positions
    std::vector<bool> nocase;    // per column
};

struct TableMeta {
    QString name;
    std::vector<ColumnInfo> columns;
    std::vector<IndexInfo> indexes;   // the primary order first, when there is one
    int autoIncColumn = -1;
    int columnIndex(const QString& name) const;
    const IndexInfo* findIndex(const QString& name) const;   // "" = primary
    bool sameStructure(const TableMeta& o) const;
};

FieldType parseType(const QString& decl, int* size);
// Throws when the table is missing. The connection keeps what it read, for
// as long as the file's schema version stays the same.
TableMeta readMeta(sqlite3* db, const QString& table);
// The kept structure of a table as read at a schema version; nullptr when
// there is none (or the connection keeps none).
const TableMeta* keptMeta(sqlite3* db, const QString& table, int version);
void keepMeta(sqlite3* db, const QString& table, int version, const TableMeta& meta);
bool tableExists(sqlite3* db, const QString& table);
// The table a bare name such as PipeType stands for ("PipeType.DB").
QString resolveTableName(sqlite3* db, const QString& name);

// Gives ALPHA and MEMO columns text storage in a creation script.
QString withTextStorage(const QString& sql);

// ---- values ---------------------------------------------------------------

// Converts a value given by the program to what a field of this type stores;
// throws DbError when it cannot. Empty text becomes null.
QVariant toFieldValue(const QVariant& v, FieldType type, int size, const QString& field,
                      bool cut = true);
// Why a value as SQLite gives it (a blob as its bytes) is not one a field of
// this type holds as it is: text or a blob in a number, whole-number or
// logical field, a fraction or a number beyond the range of a whole-number
// field, a blob in a text field. Said as what the field "holds ..."; empty
// when the field holds it (a blank in a number field is an empty one).
QString misfitOf(const QVariant& stored, FieldType type);
// Normalises a value read from SQLite to the field's type.
QVariant fromStorage(const QVariant& v, FieldType type);
QVariant toStorage(const QVariant& v, FieldType type);
QString floatToString(double v);
double textToFloat(const QString& s, const QString& field, bool* ok = nullptr);
bool textToBool(const QString& s, bool* ok);
// Index order of two stored values: null first, then numbers, then text.
int compareValues(const QVariant& a, const QVariant& b, bool nocase);

// Next number of an auto-increment column; the counter lives in the file.
qint64 nextAutoInc(sqlite3* db, const QString& table, const QString& column);
// Makes sure numbers already used by rows about to go are never handed out
// again, nor a number that rows of another table (one whose column REFERENCES
// the table) already carry: a new row never takes rows of no row as its own.
void keepAutoIncAbove(sqlite3* db, const QString& table, const QString& column);

// ---- registry -------------------------------------------------------------

// Open table components, so that writes made around them (empty, batch move,
// rollback) make them re-read their rows.
void registerOpen(Table* t);
void unregisterOpen(Table* t);
std::vector<Table*> openTables(const QString& alias, const QString& table = QString());
void reloadOpenTables(const QString& alias, const QString& table = QString());

// How many times the engine wrote a table of an alias (posts, deletes, and
// whatever made its open components re-read). Stays at one address.
quint64* writeCount(const QString& alias, const QString& table);

// What a table's file looked like to the engine at one moment: equal marks
// mean none of the table's rows can have changed in between. The engine's
// own writes move the table's write count, other connections' commits the
// data version, structure changes the schema version, and rollbacks (and
// anything else that makes every open table of the alias re-read) the
// alias's re-read count.
struct StoreMark {
    quint64 serial = 0;          // which opening of the connection
    qint64 dataVersion = -1;
    qint64 schemaVersion = -1;
    quint64 rereads = 0;
    quint64 writes = 0;
    bool operator==(const StoreMark&) const = default;
};
StoreMark storeMark(const QString& alias, const QString& table);

// ---- values held in place ------------------------------------------------

// Whether a value holds nothing, or a double: asked of every field value
// read or posted, so looked at without a call into QVariant.
inline bool heldNull(const QVariant& v)
{
    return v.data_ptr().is_null;
}
inline bool holdsDouble(const QVariant& v)
{
    return v.data_ptr().typeInterface() == QMetaType::fromType<double>().iface();
}
inline bool holdsInt(const QVariant& v)
{
    return v.data_ptr().typeInterface() == QMetaType::fromType<int>().iface();
}
inline double heldDouble(const QVariant& v)
{
    return *static_cast<const double*>(v.constData());
}

// Reloads a table component's rows (and its fields when the structure changed).
void reloadTable(Table* t);

} // namespace db::detail
