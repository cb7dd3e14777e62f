#pragma once
// The table engine: named aliases (one folder, one SQLite file each) holding
// tables that are read and written through cursor-style table components.
//
// A Table component caches its rows in memory while open, keeps them in the
// order of the selected index and writes every post or delete straight
// through to SQLite (inside the current transaction scope, if any).
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;

namespace db {

// Every failure of the engine: a missing or unreadable database, a field of a
// closed table, a key violation, a value out of range.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& msg) : std::runtime_error(msg.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// Unique-key violation on Post; the row stays in edit or insert state.
class KeyViolation : public DbError {
public:
    using DbError::DbError;
};

// Thrown by a BeforeDelete handler (through Abort()) to cancel silently.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};
[[noreturn]] void Abort();

enum class FieldType { Short, Long, Number, Alpha, Memo, Logical, AutoInc };
enum class DataSetState { Inactive, Browse, Edit, Insert, CalcFields };

class Table;
struct RowMisfits;
namespace detail { void reloadTable(Table* t); }

// A persistent field object. It belongs to its table component for the life
// of the component and stays valid across Close and Open. Reading or writing
// it while the table is closed throws DbError.
class Field {
public:
    const QString& FieldName() const { return name_; }
    FieldType DataType() const { return type_; }
    int Size() const { return size_; }          // Alpha/Memo size, else 0
    int Index() const { return index_; }        // position in the table
    bool Calculated() const { return calculated_; }
    bool ReadOnly() const { return type_ == FieldType::AutoInc; }
    Table* DataSet() const { return table_; }

    bool IsNull() const;
    double AsFloat() const;          // empty reads 0
    int AsInteger() const;           // empty reads 0
    bool AsBoolean() const;          // empty reads false
    QString AsString() const;        // empty reads ""
    QVariant Value() const;          // null when empty
    // What the row held before the edit in progress: null for a row being
    // inserted, the value itself when the row is not being edited.
    QVariant OldValue() const;
    // Why what the file holds for this field in the current row is not a
    // value of the field (text or a blob in a number field, a fraction in a
    // whole-number field, ...), which the field reads as empty or as the
    // nearest whole number: "holds the text 'abc', where a number is
    // expected". Empty when the field reads what the file holds, and for a
    // value posted since the row was read.
    QString StoredMisfit() const;

    // Writing puts the table into edit state when it is browsing.
    void SetAsFloat(double v);
    void SetAsInteger(int v);        // Short out of range throws DbError
    void SetAsBoolean(bool v);
    void SetAsString(const QString& v); // a float field converts the text; Alpha cuts to size
    void SetValue(const QVariant& v);
    void Clear();
    // Takes what `from` (a field of any table) holds, when both fields are of
    // one type and the value is stored as it is (text within the size): the
    // same as the typed getter and setter, without their conversions. Returns
    // false, changing nothing, when the value needs converting.
    bool TakeValueOf(const Field& from);

private:
    friend class Table;
    friend class RowValues;
    // What the getters read from v, and what the setters hold.
    int integerOf(const QVariant& v) const;
    double floatOf(const QVariant& v) const;
    QString stringOf(const QVariant& v) const;
    QVariant heldInteger(int v) const;
    QVariant heldText(const QString& v) const;
    Field(Table* t, QString name, FieldType type, int size, int index, bool calculated)
        : table_(t), name_(std::move(name)), type_(type), size_(size), index_(index),
          calculated_(calculated) {}
    Table* table_;
    QString name_;
    FieldType type_;
    int size_;
    int index_;
    bool calculated_;
};

// A row's values read and set through its table's fields, just as the
// fields' getters and setters would: by default the fields' current record
// (the fields themselves are used); inside AppendRowsOf a row on its way in.
class RowValues {
public:
    RowValues() = default;
    bool IsNull(const Field* f) const;
    double AsFloat(const Field* f) const;
    int AsInteger(const Field* f) const;
    QString AsString(const Field* f) const;
    void SetAsInteger(Field* f, int v);
    void SetAsString(Field* f, const QString& v);
    // In Table::EachRow: the first field of the row that does not hold what
    // the file holds for it, `why` saying what that is (Field::StoredMisfit);
    // nullptr, as for nearly every row, when there is none.
    const Field* FirstMisfitField(QString* why) const;

private:
    friend class Table;
    RowValues(std::vector<QVariant>* row, const Table* table, const RowMisfits* misfits = nullptr)
        : row_(row), table_(table), misfits_(misfits) {}
    QVariant& slot(const Field* f) const;
    std::vector<QVariant>* row_ = nullptr;
    const Table* table_ = nullptr;
    const RowMisfits* misfits_ = nullptr;
};

// Observer of a table's cursor: data sources and bound controls.
class DataLink {
public:
    virtual ~DataLink() = default;
    virtual void ActiveChanged() {}          // opened or closed
    virtual void RecordChanged() {}          // current row moved, or its values changed
    virtual void DataSetChanged() {}         // rows added, removed, reordered, refiltered
    virtual void StateChanged() {}           // browse / edit / insert
    virtual void UpdateRecord() {}           // bound controls write pending text before a post
};

struct IndexDef {
    QString name;                   // empty for the primary order
    QStringList fields;
    bool primary = false;
    bool unique = false;
    bool caseInsensitive = false;
};

class Table {
public:
    Table(QString alias, QString tableName);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const QString& DatabaseName() const { return alias_; }
    const QString& TableName() const { return tableName_; }

    // Calculated fields are declared before the first Open.
    Field* AddCalcField(const QString& name, FieldType type, int size = 0);

    void Open();
    void Close();                    // discards an unposted edit or insert
    bool Active() const;
    void SetActive(bool on) { on ? Open() : Close(); }

    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const;
    bool Bof() const;
    int RecordCount() const;         // rows passing the filter
    bool IsEmpty() const;
    int RecNo() const;               // 1-based among visible rows, 0 when none
    void SetRecNo(int recNo);        // moves like Locate (settles a pending edit first)

    // For grids: the rows as shown, the pending new row included while
    // inserting. Values of calculated fields are computed for the row asked.
    int DisplayRowCount() const;
    int DisplayRow() const;          // 0-based row of the cursor, -1 when none
    QVariant DisplayValue(int row, const Field* field);

    void Edit();                     // on an empty table starts a new row
    void Insert();                   // new row before the current one
    void Append();                   // new row at the end
    void Post();
    void Cancel();
    void Delete();                   // the following row becomes current
    DataSetState State() const;
    bool Modified() const;
    void CheckBrowseMode();          // posts a modified edit, drops an unmodified one

    // The first field of the current row that does not hold what the file
    // holds for it (Field::StoredMisfit); nullptr, as for nearly every row,
    // when there is none.
    Field* FirstMisfitField();
    // Shows `look` each row the table shows, in its order, until it returns
    // false: read through the fields as they would read it, without moving
    // the cursor or telling the bound controls (a row being edited as it
    // was posted).
    void EachRow(const std::function<bool(const RowValues&)>& look);
    Field* FieldByName(const QString& name);   // throws DbError when unknown
    Field* FindField(const QString& name);     // nullptr when unknown
    Field* Fields(int i);
    int FieldCount() const;
    QStringList FieldNames() const;

    // Exact, case-sensitive, first match in the current order. Text converts
    // to the field's type. When nothing matches the cursor stays put.
    bool Locate(const QString& field, const QVariant& key);
    bool Locate(const QStringList& fields, const QVariantList& keys);
    // On the active index: first equal row, else first greater, else the last.
    void FindNearest(const QVariantList& keys);

    void SetIndexName(const QString& name);    // survives Close/Open
    const QString& IndexName() const { return indexName_; }
    std::vector<IndexDef> IndexDefs() const;

    void SetFiltered(bool on);                 // survives Close/Open
    bool Filtered() const { return filtered_; }

    // While a range is set the component reads only the rows whose field
    // equals the value (none for a null value), e.g. the rows of one job
    // out of the rows of all jobs; rows posted through it since it read stay
    // in view until it reads again. Survives Close/Open; on an open table
    // setting or cancelling it re-reads the rows.
    void SetRange(const QString& field, const QVariant& value);
    void CancelRange();
    bool Ranged() const { return !rangeField_.isEmpty(); }
    const QString& RangeField() const { return rangeField_; }
    const QVariant& RangeValue() const { return rangeValue_; }

    // While set, the component reads and writes only these of its table's
    // columns (those the file has): the file's others are neither read nor
    // changed, whatever they hold. Set while closed; survives Close/Open.
    void SetColumns(const QStringList& names);

    void EmptyTable();                         // open or closed

    // Appends to this table, open or closed, a row for every row `from`
    // shows, in its order and in one transaction: each pair's field takes
    // what the row holds, each fixed field its value, the other fields stay
    // empty. Only where nothing needs converting (each value as TakeValueOf
    // would take it; a `whole` number must hold a whole value) and for a
    // table without automatic numbers: otherwise nothing is written and
    // false is returned, for the caller to go row by row. An open table's
    // AfterPost is called for each row once all are in, on that row.
    struct CopiedField {
        const Field* from;
        Field* to;
        bool whole = false;
    };
    // `finish`, when given, completes each row before it goes in.
    bool AppendRowsOf(Table& from, const std::vector<CopiedField>& fields,
                      const std::vector<std::pair<Field*, QVariant>>& fixed = {},
                      const std::function<void(RowValues&)>& finish = {});
    // Deletes the rows of the range in one statement (none for a null
    // value; every row when no range is set); open or closed.
    void EmptyRange();
    void Refresh();                            // re-reads rows, keeps the current row when it can
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const;

    // Bookmark of the current row (its row id); GotoBookmark returns false if gone.
    qint64 GetBookmark() const;
    bool GotoBookmark(qint64 bm);

    std::function<bool(Table&)> OnFilterRecord;  // true accepts the row
    std::function<void(Table&)> OnCalcFields;
    std::function<void(Table&)> BeforeDelete;    // call db::Abort() to cancel silently
    // Runs on every post once the bound controls have written their text:
    // throwing refuses the row, which stays in edit or insert state; what it
    // writes to other tables goes into the database with the row or, when
    // either fails, not at all.
    std::function<void(Table&)> BeforePost;
    std::function<void(Table&)> AfterPost;
    std::function<void(Table&)> AfterDelete;
    std::function<void(Table&)> AfterScroll;

    void AddLink(DataLink* l);
    void RemoveLink(DataLink* l);

    struct Impl;
private:
    friend class Field;
    friend void detail::reloadTable(Table* t);
    void writeRow();                 // Post without its handlers
    QString alias_;
    QString tableName_;
    QString indexName_;
    bool filtered_ = false;
    QString rangeField_;
    QVariant rangeValue_;
    QStringList columns_;
    std::unique_ptr<Impl> d_;
};

// A table's data source: bound controls link to it. AutoEdit lets typing in a
// bound control put the table into edit state.
class DataSource : public DataLink {
public:
    explicit DataSource(Table* table = nullptr);
    ~DataSource() override;
    Table* DataSet() const { return table_; }
    void SetDataSet(Table* table);
    bool AutoEdit = true;
    bool Enabled = true;

    void AddLink(DataLink* l);
    void RemoveLink(DataLink* l);

    void ActiveChanged() override;
    void RecordChanged() override;
    void DataSetChanged() override;
    void StateChanged() override;
    void UpdateRecord() override;

private:
    friend class Table;              // a dying table detaches its sources
    Table* table_ = nullptr;
    std::vector<DataLink*> links_;
};

// Moves rows between two tables, open or closed, in one transaction.
// Append matches fields by position; Copy empties the destination first.
enum class BatchMode { Append, Copy };
struct BatchResult { int moved = 0; int problems = 0; };
BatchResult BatchMove(Table& source, Table& destination, BatchMode mode);

// One parameterised statement on an alias, e.g. "Update PipeType Set Marked=:NewValue".
class Query {
public:
    explicit Query(QString alias);
    void SetSQL(const QString& sql);
    void SetParam(const QString& name, const QVariant& v);
    int ExecSQL();                   // rows affected
    void Close() {}
private:
    QString alias_;
    QString sql_;
    QVariantMap params_;
};

// The rows a table holds, counted in its file: none is read into memory.
qint64 StoredRowCount(const QString& alias, const QString& table);

// Aliases and their folders.
class Engine {
public:
    static Engine& instance();
    // Points an alias at a folder (tests use temporary folders).
    void SetAliasPath(const QString& alias, const QString& folder);
    QString AliasPath(const QString& alias) const;
    // The SQLite file of an alias: <folder>/<alias>.sqlite
    QString DatabaseFile(const QString& alias) const;
    // Reads the INI file in the user's config folder, else the defaults:
    // MERSOL in the per-user data folder, TULTRANS beside it ("Mersol Transfer").
    void LoadConfiguration();
    // The connection of an alias; opens or creates the database on first use.
    sqlite3* Connection(const QString& alias);
    // Closes the alias's connection and opens its file afresh for reading
    // only: what only reads is not refused a file that may not be written,
    // nor reads a file since replaced through a connection to the old one.
    // Writes through it fail as read-only until the alias is closed.
    void OpenForReading(const QString& alias);
    // Closes the connection of one alias; the next use opens it again.
    void Close(const QString& alias);
    // Throws DbError, naming it, when the alias's database file is there but
    // is not a plain file (a folder, a pipe, a device, a link to nowhere), or
    // when the permissions of its folder keep the program out.
    void CheckDatabaseFile(const QString& alias) const;
    // Creates the alias's database file from its create script when there
    // is none yet, without opening it; checks the file first.
    void MakeDatabaseFile(const QString& alias);
    // The SQL that creates an alias's database when its file does not exist
    // (tables, indexes, rows). A null string removes it. Columns declared
    // ALPHA or MEMO are given text storage, so "007" stays "007".
    void SetCreateScript(const QString& alias, const QString& sql);
    QString CreateScript(const QString& alias) const;
    void CloseAll();                 // closes every connection (tests)
    // Closes every connection as the programs do when they stop: each
    // database's write-ahead log is folded back into its file first. Throws
    // DbError, every connection closed even so, when saves are left in a log
    // beside its database, naming its folder and saying to keep the two
    // together.
    void Shutdown();
    // Folds into the alias's database file the saves a program that did not
    // close left in the log beside it (nothing when there are none, or the
    // alias is open). Throws DbError naming the folder when they cannot be.
    void FoldLeftoverLog(const QString& alias);
    // Tells the openings of an alias's connection apart (0 while it is
    // closed): a component kept open across calls re-opens when this changed,
    // as the file behind it may have been changed or replaced meanwhile.
    quint64 ConnectionSerial(const QString& alias) const;

private:
    sqlite3* open(const QString& alias, bool forReading);
};

// Keeps a table's bound controls still for a scope (while its rows are
// walked or rewritten), and lets them follow again however the scope ends.
class ControlsOff {
public:
    explicit ControlsOff(Table* t) : t_(t) { t_->DisableControls(); }
    ~ControlsOff() { t_->EnableControls(); }
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;

private:
    Table* t_;
};

// All writes in scope are one transaction: committed by Commit(), rolled back
// when the scope ends without it (also when an exception passes). Nested
// scopes join the outer one: their Commit keeps their writes for the outer
// Commit, ending without it undoes only their own writes. Open tables of the
// alias re-read their rows after a rollback.
class Transaction {
public:
    explicit Transaction(const QString& alias);
    ~Transaction();
    void Commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
private:
    QString alias_;
    bool done_ = false;
    bool outer_ = false;
    int level_ = 0;                  // nesting depth, names the savepoint
};

// Where the transfer alias and the main alias are named in code.
inline const QString kMersolAlias = QStringLiteral("MERSOL");
inline const QString kTransferAlias = QStringLiteral("TULTRANS");

} // namespace db
