#include "model/job_transfer.h"

#include "model/data_module.h"
#include "model/job.h"
#include "model/job_values_check.h"
#include "model/number_text.h"
#include "model/program_kind.h"
#include "model/station.h"
#include "hydraulics/formulas.h"
#include "platform/db/layout_check.h"
#include "platform/db/memo_limit.h"
#include "platform/ui/seam/msg.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

TTrans* JobTrans = nullptr;

void CreateTransObject()
{
    if (!JobTrans)
        JobTrans = new TTrans;
}

void DeleteTransObject()
{
    delete JobTrans;
    JobTrans = nullptr;
}

namespace {

// The copier exists before the program's entry runs.
const bool transObjectCreated = (CreateTransObject(), true);

const QString kJobNumber = QStringLiteral("JobNumber");

bool OpenIfClosed(db::Table* t)
{
    if (t->Active())
        return false;
    t->Open();
    return true;
}

void CloseIfOpen(db::Table* t)
{
    if (t->Active())
        t->Close();
}

// A job stored before its notes were held to their box loads with what the
// box holds; the stored notes stay whole until the job is saved again.
void TellNotesCut(const QString& job)
{
    ui::MessageDlg(QStringLiteral("The notes of the job %1 are longer than the notes box holds (%2 characters). "
                                  "The box shows the first %2; the rest would be dropped at the next save.")
                       .arg(job)
                       .arg(db::kMostMemoChars),
                   ui::MsgType::Warning, ui::mbOK);
}

// A stored-job table opened through it reads the rows of one job only (no
// row for a null number, as for a job about to be numbered): the tables hold
// the rows of every stored job, and reading them all for one job made every
// load and store slower the more jobs there were. When it goes the table is
// closed and back on all its rows. A table that is open already is used as
// it is.
class OneJobRows {
public:
    OneJobRows(db::Table* t, const QVariant& jobNumber) : t_(t)
    {
        if (t_->Active())
            return;
        t_->SetRange(kJobNumber, jobNumber);
        ranged_ = true;
        t_->Open();
    }
    ~OneJobRows()
    {
        if (!ranged_)
            return;
        if (t_->Active())
            t_->Close();
        t_->CancelRange();
    }
    OneJobRows(const OneJobRows&) = delete;
    OneJobRows& operator=(const OneJobRows&) = delete;

private:
    db::Table* t_;
    bool ranged_ = false;
};

// One field copied from a row of one table into the same-named field of
// another, through the field's own type.
struct FieldCopy {
    db::Field* from;
    db::Field* to;
    bool whole;   // stored as a whole number
};

std::vector<FieldCopy> SameNamedFields(db::Table* from, db::Table* to, const QString& skip = QString(),
                                       const QString& wholeField = QStringLiteral("ThBlkSoil"))
{
    std::vector<FieldCopy> out;
    for (int i = 0; i < to->FieldCount(); ++i) {
        db::Field* t = to->Fields(i);
        if (t->Calculated() || t->FieldName() == skip)
            continue;
        db::Field* f = from->FindField(t->FieldName());
        if (!f || f->Calculated())
            continue;
        out.push_back({f, t, t->FieldName() == wholeField});
    }
    return out;
}

// All the rows of `from` appended to `to` at once where no value needs
// converting; false when one does (the caller then copies row by row).
bool CopyAllRows(db::Table* from, db::Table* to, const std::vector<FieldCopy>& copies,
                 const std::vector<std::pair<db::Field*, QVariant>>& fixed = {},
                 const std::function<void(db::RowValues&)>& finish = {})
{
    std::vector<db::Table::CopiedField> fields;
    fields.reserve(copies.size());
    for (const FieldCopy& c : copies)
        fields.push_back({c.from, c.to, c.whole});
    return to->AppendRowsOf(*from, fields, fixed, finish);
}

void CopyFields(const std::vector<FieldCopy>& copies)
{
    for (const FieldCopy& c : copies) {
        if (!c.whole && c.to->TakeValueOf(*c.from))
            continue;
        // An empty value stays empty, so a round trip gives back what was there.
        if (c.from->IsNull()) {
            c.to->Clear();
            continue;
        }
        switch (c.to->DataType()) {
        case db::FieldType::Short:
        case db::FieldType::Long:
        case db::FieldType::AutoInc:
            c.to->SetAsInteger(c.from->AsInteger());
            break;
        case db::FieldType::Number:
            c.to->SetAsFloat(c.whole ? std::round(c.from->AsFloat()) : c.from->AsFloat());
            break;
        case db::FieldType::Alpha:
        case db::FieldType::Memo:
            c.to->SetAsString(c.from->AsString());
            break;
        case db::FieldType::Logical:
            c.to->SetAsBoolean(c.from->AsBoolean());
            break;
        }
    }
}

// A load refused for a value of the stored job, named with its table.
[[noreturn]] void RefuseLoad(const QString& name, const QString& impossible)
{
    throw db::DbError(QStringLiteral("The job %1 cannot be loaded: %2.").arg(name, impossible));
}

// The stored job's rows of `stored` appended to `work`; `each`, when given,
// finishes a row (through the work table's fields) before it goes in.
void LoadRows(db::Table* stored, db::Table* work, const std::function<void(db::RowValues&)>& each = {})
{
    db::Transaction tx(db::kMersolAlias);
    OpenIfClosed(work);
    work->CheckBrowseMode();
    OneJobRows jobRows(stored, Tul->JobNumber);
    {
        db::ControlsOff quietStored(stored), quietWork(work);
        const auto copies = SameNamedFields(stored, work);
        db::Field* number = stored->FieldByName(kJobNumber);
        bool jobsOwn = true;
        for (stored->First(); jobsOwn && !stored->Eof(); stored->Next())
            jobsOwn = !number->IsNull() && number->AsInteger() == Tul->JobNumber;
        if (jobsOwn && CopyAllRows(stored, work, copies, {}, each)) {
            stored->Close();
            tx.Commit();
            return;
        }
        for (stored->First(); !stored->Eof(); stored->Next()) {
            if (number->IsNull() || number->AsInteger() != Tul->JobNumber)
                continue;
            work->Append();
            CopyFields(copies);
            if (each) {
                db::RowValues current;
                each(current);
            }
            work->Post();
        }
    }
    stored->Close();
    tx.Commit();
}

// Every working row appended to `stored` under Tul JobNumber, in the working
// table's order.
void SaveRows(db::Table* work, db::Table* stored)
{
    OpenIfClosed(work);
    work->CheckBrowseMode();
    db::ControlsOff quietWork(work);
    const auto copies = SameNamedFields(work, stored, kJobNumber);
    db::Field* number = stored->FieldByName(kJobNumber);
    if (CopyAllRows(work, stored, copies, {{number, Tul->JobNumber}})) {
        // Where walking the rows leaves it.
        work->Last();
        return;
    }
    for (work->First(); !work->Eof(); work->Next()) {
        stored->Append();
        number->SetAsInteger(Tul->JobNumber);
        CopyFields(copies);
        stored->Post();
    }
}

// Deletes every row of the job from a stored child table.
void DeleteJobRows(db::Table* t, int jobNumber)
{
    // Read on the job's own rows: one statement deletes them all, unless
    // the table wants to hear of each row deleted.
    if (t->Ranged() && t->RangeField() == kJobNumber && t->RangeValue() == QVariant(jobNumber)
        && !t->BeforeDelete && !t->AfterDelete) {
        t->EmptyRange();
        return;
    }
    db::ControlsOff quiet(t);
    db::Field* number = t->FieldByName(kJobNumber);
    while (t->Locate(kJobNumber, jobNumber)) {
        do
            t->Delete();
        while (!t->IsEmpty() && !number->IsNull() && number->AsInteger() == jobNumber);
    }
}

// The stored job headers, every kind of job in view.
db::Table* OpenJobHeaders()
{
    db::Table* t = DMod->JobPipeTable;
    if (t->Filtered())
        t->SetFiltered(false);
    OpenIfClosed(t);
    return t;
}

// System type codes a stored header sets; other keywords leave the code alone.
int PipelineSysTypeCode(const QString& keyword, int unchanged)
{
    const int code = SysTypeCodeOf(keyword, unchanged);
    return code >= 0 && code <= 3 ? code : unchanged;
}

// Jobs of the manifold designer, of the gated-pipe tool and of the pipeline
// designers share the header table; these tell them apart.
int JobKindOf(const QString& sysType)
{
    if (sysType == QLatin1String("MANIFOLD"))
        return 1;
    if (sysType == QLatin1String("GATED"))
        return 2;
    return 0;
}

// The stored headers whose `field` holds `value` (all of them for no
// field), read apart from the job list's own table (its filter and row stay
// as they are), and only those: a store of thousands of jobs is not read
// whole for every save.
void LookInStoredHeaders(const QString& field, const QVariant& value, const std::function<void(db::Table*)>& look)
{
    const db::Table* list = DMod->JobPipeTable;
    db::Table job(list->DatabaseName(), list->TableName());
    if (!field.isEmpty())
        job.SetRange(field, value);
    job.Open();
    look(&job);
}

// The number of a stored job of `kind` named `name`, other than `except`;
// 0 when there is none.
int StoredJobNamed(const QString& name, int kind, int except)
{
    int number = 0;
    // No name is stored as null, which a range never finds: those look at all.
    const QString field = name.isEmpty() ? QString() : QStringLiteral("JobName");
    LookInStoredHeaders(field, name, [&](db::Table* job) {
        db::Field* jobName = job->FieldByName(QStringLiteral("JobName"));
        db::Field* sysType = job->FieldByName(QStringLiteral("SysType"));
        db::Field* jobNumber = job->FieldByName(kJobNumber);
        for (job->First(); !job->Eof() && number == 0; job->Next())
            if (jobName->AsString() == name && JobKindOf(sysType->AsString()) == kind && jobNumber->AsInteger() != except)
                number = jobNumber->AsInteger();
    });
    return number;
}

// The system keyword of the stored job `number` while it still carries
// `name`; empty when there is no such job.
QString StoredSysTypeOf(int number, const QString& name)
{
    QString sysType;
    LookInStoredHeaders(kJobNumber, number, [&](db::Table* job) {
        if (!job->IsEmpty() && job->FieldByName(QStringLiteral("JobName"))->AsString() == name)
            sysType = job->FieldByName(QStringLiteral("SysType"))->AsString();
    });
    return sysType;
}

// An imported job about to take the place of the stored job of its name,
// which it did not come from: only on a Yes.
bool ReplacingImportedAllowed(const QString& name)
{
    return !Tul->ImportedOverStored ||
           ui::MessageDlg(QStringLiteral("The job ") + name +
                              QStringLiteral(" is already stored.  Do you want to replace the stored job with the "
                                             "imported one?"),
                          ui::MsgType::Confirmation, ui::mbYesNo) == ui::mrYes;
}

// Saved over its stored copy, a job whose system type has changed since (a
// pumped job imported into the gravity designer is a gravity job there)
// would silently take the place of a job of another kind, and an imported
// job that of a stored job it did not come from: only on a Yes.
bool ReplacingAllowed(const QString& name)
{
    if (Tul->SaveState != 1 || Tul->JobNumber == 0)
        return true;
    const QString working = DMod->WorkPipeTableSysType->AsString();
    const QString stored = StoredSysTypeOf(Tul->JobNumber, name);
    // Nothing is lost over a job that is gone or never had a system type.
    if (stored.isEmpty())
        return true;
    if (stored == working)
        return ReplacingImportedAllowed(name);
    return ui::MessageDlg(QStringLiteral("The stored job ") + name + QStringLiteral(" is a ") + stored +
                              QStringLiteral(" job; this one is a ") + working +
                              QStringLiteral(" job.  Do you want to replace the stored job with it?"),
                          ui::MsgType::Confirmation, ui::mbYesNo) == ui::mrYes;
}

// The job object takes the values of the working header.
void TakeHeaderValues()
{
    TDMod& d = *DMod;
    TTul& t = *Tul;
    t.JobNumber = d.WorkPipeTableJobNumber->AsInteger();
    t.JobName = d.WorkPipeTableJobName->AsString();
    t.Date = d.WorkPipeTableDate->AsString();
    t.NumNodes = d.WorkPipeTableNumNodes->AsInteger();
    t.SysHas = d.WorkPipeTableSysHas->AsInteger();
    t.DesignFlow = d.WorkPipeTableDesignFlow->AsFloat();
    // Mersol's job load has always divided by 448.8; the gravity designer
    // shows the same cfs as its job page does, and has no pump column.
    if (GravityDesignerRunning()) {
        t.DesignFlowCfs = t.DesignFlow * kCfsPerGpm;
    } else {
        t.DesignFlowCfs = t.DesignFlow * (1.0 / 448.8);
        t.ColumnLoss = d.WorkPipeTableColumnLoss->AsFloat();
    }
    t.DetailedML = d.WorkPipeTableDetailedML->AsBoolean();
}

// The kinds of rows of the job whose header `header` (working, stored or
// transfer) stands on.
JobRowKinds KindsOf(db::Table* header)
{
    OpenIfClosed(header);
    return RowKindsOf(header->FieldByName(QStringLiteral("SysHas"))->AsInteger(),
                      header->FieldByName(QStringLiteral("PumpType"))->AsString());
}

JobRowKinds WorkingKinds()
{
    return KindsOf(DMod->WorkPipeTable);
}

// The child rows a job is stored and loaded with: the gravity designer has no
// suction line, so it neither brings one in nor stores one.
JobRowKinds StoredKinds(db::Table* header = DMod->WorkPipeTable)
{
    JobRowKinds kinds = KindsOf(header);
    if (GravityDesignerRunning())
        kinds.Suction = false;
    return kinds;
}

// The child rows of a stored job, in the order they are written.
struct ChildStep {
    bool wanted;
    db::Table* stored;
    db::Table* work;
    void (TTrans::*save)();
};

std::vector<ChildStep> ChildSteps(const JobRowKinds& kinds)
{
    TDMod& d = *DMod;
    return {
        {kinds.Profile, d.JobProfTable, d.WorkProfTable, &TTrans::SaveJobProfile},
        {kinds.Gated, d.JobGatedTable, d.WorkGatedTable, &TTrans::SaveJobGated},
        {kinds.Suction, d.JobSuctionTable, d.WorkSuctionTable, &TTrans::SaveJobSuction},
        {kinds.Trickle, d.JobTrickleTable, d.WorkTrickleTable, &TTrans::SaveJobTrickle},
    };
}

// Says that the transfer folder in use, configured or the default, holds no
// job to import.
void SayNoJobToImport()
{
    ui::MessageDlg(QStringLiteral("There is no job in the transfer directory '%1' to import.")
                       .arg(QDir::toNativeSeparators(db::Engine::instance().AliasPath(db::kTransferAlias))),
                   ui::MsgType::Information, ui::mbOK);
}

// False, with a message, when the transfer folder has no transfer file: a
// refused import makes none, and lets go of a file removed since it was
// last used. Anything else of that name (a folder, a link to nothing) is for
// opening it to refuse by name.
bool TransferFileThere()
{
    db::Engine& engine = db::Engine::instance();
    const QFileInfo file(engine.DatabaseFile(db::kTransferAlias));
    if (file.exists() || file.isSymLink())
        return true;
    engine.Close(db::kTransferAlias);
    SayNoJobToImport();
    return false;
}

// False, with a message, when the transfer table holds no job to import.
// Counted in the file: none of its rows is read.
bool TransferHoldsJob(db::Table* trans)
{
    const bool none = db::StoredRowCount(db::kTransferAlias, trans->TableName()) == 0;
    if (none)
        SayNoJobToImport();
    return !none;
}

void CloseStoredJobTables()
{
    TDMod& d = *DMod;
    for (db::Table* t : {d.JobPipeTable, d.JobProfTable, d.JobGatedTable, d.JobSuctionTable, d.JobTrickleTable})
        CloseIfOpen(t);
}

// The file of the transfer database, for messages.
QString TransferFile()
{
    return db::Engine::instance().DatabaseFile(db::kTransferAlias);
}

[[noreturn]] void RefuseImport(db::Table* trans, int row, const QString& field, const QString& why)
{
    throw db::DbError(QStringLiteral("Cannot import the job from %1: row %2 of table %3, field '%4': %5. "
                                     "Nothing was imported.")
                          .arg(TransferFile())
                          .arg(row)
                          .arg(trans->TableName(), field, why));
}

// The transfer table reads only the columns its working table has: a
// foreign file may hold columns of any size beside the job's.
void ReadJobColumnsOnly(db::Table* trans, db::Table* work)
{
    CloseIfOpen(trans);
    QStringList columns;
    for (int i = 0; i < work->FieldCount(); ++i)
        if (!work->Fields(i)->Calculated())
            columns << work->Fields(i)->FieldName();
    trans->SetColumns(columns);
}

// Makes a transfer table ready to be read: every value in the columns its
// working table has fits the field it goes into (what a value takes in the
// file is told first, without reading it), and it reads only those columns.
// A foreign or damaged file may hold a value of any size in a field.
void CheckTransferRows(db::Table* trans, db::Table* work)
{
    const db::Misfit misfit = db::FirstMisfit(db::kTransferAlias, trans->TableName(), *work);
    if (misfit.found())
        RefuseImport(trans, misfit.row, misfit.field, misfit.why);
    ReadJobColumnsOnly(trans, work);
}

// A key field's value as a refusal names it: a station as 10+00.
QString KeyValueText(const db::Field* f)
{
    if (f->FieldName() == QLatin1String("Station")) {
        const double station = f->AsFloat();
        if (std::isfinite(station) && station >= 0)
            return QStringLiteral("station ") + StationTextOf(station);
    }
    return QStringLiteral("%1 %2").arg(f->FieldName(), f->AsString());
}

// The key fields of the row `work` is adding, and their values as a refusal
// names them.
std::pair<QString, QString> KeyOfNewRow(db::Table* work)
{
    QStringList fields, values;
    for (const db::IndexDef& index : work->IndexDefs()) {
        if (!index.primary)
            continue;
        for (const QString& name : index.fields) {
            fields << name;
            values << KeyValueText(work->FieldByName(name));
        }
    }
    return {fields.join(QStringLiteral("', '")), values.join(QStringLiteral(", "))};
}

// Every row of a transfer table, checked by CheckTransferRows, appended to
// its working table, field by field by name. A value that cannot be copied
// as it stands cancels the import: it is never dropped, emptied or cut on
// the way.
void ImportRows(db::Table* trans, db::Table* work)
{
    CloseIfOpen(trans);
    trans->Open();
    OpenIfClosed(work);
    {
        db::ControlsOff quietTrans(trans), quietWork(work);
        const auto copies = SameNamedFields(trans, work);
        int row = 0;
        for (trans->First(); !trans->Eof(); trans->Next()) {
            ++row;
            work->Append();
            for (const FieldCopy& c : copies) {
                try {
                    c.to->SetValue(c.from->Value());
                } catch (const db::DbError& e) {
                    work->Cancel();
                    RefuseImport(trans, row, c.to->FieldName(), e.message());
                }
            }
            try {
                work->Post();
            } catch (const db::KeyViolation&) {
                const auto [fields, key] = KeyOfNewRow(work);
                work->Cancel();
                RefuseImport(trans, row, fields, QStringLiteral("an earlier row has the same %1").arg(key));
            }
        }
    }
    trans->Close();
}

// An import reads the transfer file as it is now, through a connection of
// its own that only reads: a file that may not be written imports, and one
// replaced since the last import is not read through the old one.
class ReadingTransfer {
public:
    ReadingTransfer() { db::Engine::instance().OpenForReading(db::kTransferAlias); }
    ~ReadingTransfer() { db::Engine::instance().Close(db::kTransferAlias); }
    ReadingTransfer(const ReadingTransfer&) = delete;
    ReadingTransfer& operator=(const ReadingTransfer&) = delete;
};

// The number of the first row of a calculator's stored table whose JobName is
// exactly `name`, passing over the row numbered `except`; 0 when none. The
// table is left open or closed and on the row it stood on.
int StoredNumberNamed(db::Table* stored, const QString& name, int except = 0)
{
    const bool opened = OpenIfClosed(stored);
    int number = 0;
    {
        db::ControlsOff quiet(stored);
        const qint64 at = stored->GetBookmark();
        db::Field* jobName = stored->FieldByName(QStringLiteral("JobName"));
        db::Field* jobNumber = stored->FieldByName(kJobNumber);
        for (stored->First(); !stored->Eof() && number == 0; stored->Next())
            if (jobName->AsString() == name && jobNumber->AsInteger() != except)
                number = jobNumber->AsInteger();
        stored->GotoBookmark(at);
    }
    if (opened)
        stored->Close();
    return number;
}

} // namespace

QString JobNameProblem(const QString& name, int size)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("You must enter a Job Name");
    if (size <= 0)
        size = DMod ? DMod->JobPipeTableJobName->Size() : 50;
    if (name.size() > size)
        return QStringLiteral("A Job Name can have at most %1 characters.").arg(size);
    return QString();
}

// ---- loading ---------------------------------------------------------------

namespace {

// Opens the stored header of the job numbered Tul JobNumber on its own row
// (a list may show two jobs of one name, and a job that has gone must not be
// replaced by its neighbour); false, with a message, when it is gone.
bool OpenStoredHeader(std::optional<OneJobRows>& header)
{
    db::Table* job = DMod->JobPipeTable;
    CloseIfOpen(job);
    job->SetIndexName(QStringLiteral("JobNameIndex"));
    if (job->Filtered())
        job->SetFiltered(false);
    header.emplace(job, Tul->JobNumber);
    if (job->Locate(kJobNumber, Tul->JobNumber))
        return true;
    job->Close();
    ui::MessageDlg(QStringLiteral("The job ") + Tul->JobName + QStringLiteral(" is no longer in the database."),
                   ui::MsgType::Error, ui::mbOK);
    return false;
}

// The open stored header into the (emptied) working header, its values into Tul.
void CopyStoredHeader()
{
    TDMod& d = *DMod;
    db::Table* job = d.JobPipeTable;
    db::Table* work = d.WorkPipeTable;
    CloseIfOpen(work);
    work->EmptyTable();
    work->Open();
    work->Append();
    CopyFields(SameNamedFields(job, work));
    TakeHeaderValues();
    Tul->ImportedOverStored = false;
    work->Post();
    job->Close();
}

// The stored and working tables of each kind of child row, and what a loaded
// row is finished with.
struct ChildLoad {
    db::Table* stored;
    db::Table* work;
    db::Table* JobTables::*slot;
    std::function<void(db::RowValues&)> each;
};

std::vector<ChildLoad> ChildLoads(const JobRowKinds& kinds)
{
    TDMod& d = *DMod;
    std::vector<ChildLoad> out;
    if (kinds.Profile) {
        // Numbered, and their kind and method described, as they come in.
        auto recordNo = std::make_shared<int>(1);
        out.push_back({d.JobProfTable, d.WorkProfTable, &JobTables::profile, [&d, recordNo](db::RowValues& row) {
                           row.SetAsInteger(d.WorkProfTableRecordNo, (*recordNo)++);
                           const int method = row.AsInteger(d.WorkProfTableInvElMethod);
                           row.SetAsString(d.WorkProfTableInvElMethDesc,
                                           InvElMethodText(method == 0 || method == 1 ? method : 2));
                           row.SetAsString(d.WorkProfTableNodeTypeDesc,
                                           NodeTypeText(row.AsInteger(d.WorkProfTableNodeType)));
                       }});
    }
    if (kinds.Gated)
        out.push_back({d.JobGatedTable, d.WorkGatedTable, &JobTables::gated, {}});
    if (kinds.Trickle)
        out.push_back({d.JobTrickleTable, d.WorkTrickleTable, &JobTables::trickle, {}});
    if (kinds.Suction)
        out.push_back({d.JobSuctionTable, d.WorkSuctionTable, &JobTables::suction, {}});
    return out;
}

// Appends the stored job's rows of one kind to its working table, once they
// are checked, with the working header (loaded first) for what the job is.
void LoadCheckedRows(const ChildLoad& load)
{
    CloseIfOpen(load.stored);
    OneJobRows rows(load.stored, Tul->JobNumber);
    JobTables job{DMod->WorkPipeTable};
    job.*load.slot = load.stored;
    job.loading = true;
    if (const QString impossible = FirstImpossibleValue(job, load.stored); !impossible.isEmpty())
        RefuseLoad(Tul->JobName, impossible);
    LoadRows(load.stored, load.work, load.each);
}

void LoadChild(db::Table* stored)
{
    for (const ChildLoad& load : ChildLoads({true, true, true, true}))
        if (load.stored == stored)
            LoadCheckedRows(load);
}

} // namespace

bool TTrans::LoadJobHeader()
{
    db::Transaction tx(db::kMersolAlias);
    std::optional<OneJobRows> header;
    if (!OpenStoredHeader(header))
        return false;
    JobTables job{DMod->JobPipeTable};
    job.loading = true;
    if (const QString impossible = FirstImpossibleValue(job); !impossible.isEmpty())
        RefuseLoad(Tul->JobName, impossible);
    CopyStoredHeader();
    tx.Commit();
    return true;
}

void TTrans::LoadJobProfile()
{
    LoadChild(DMod->JobProfTable);
}

void TTrans::LoadJobGated()
{
    LoadChild(DMod->JobGatedTable);
}

void TTrans::LoadJobSuction()
{
    LoadChild(DMod->JobSuctionTable);
}

void TTrans::LoadJobTrickle()
{
    LoadChild(DMod->JobTrickleTable);
}

bool TTrans::LoadStoredJob()
{
    TDMod& d = *DMod;
    const TTul before = *Tul;
    bool notesCut = false;
    try {
        db::Transaction tx(db::kMersolAlias);
        std::optional<OneJobRows> header;
        if (!OpenStoredHeader(header))
            return false;
        // Every stored row of the job is checked, on the rows read for the
        // load, before anything is written.
        const std::vector<ChildLoad> loads = ChildLoads(StoredKinds(d.JobPipeTable));
        std::vector<std::unique_ptr<OneJobRows>> rows;
        JobTables job{d.JobPipeTable};
        job.loading = true;
        for (const ChildLoad& load : loads) {
            CloseIfOpen(load.stored);
            rows.push_back(std::make_unique<OneJobRows>(load.stored, Tul->JobNumber));
            job.*load.slot = load.stored;
        }
        if (const QString impossible = FirstImpossibleValue(job); !impossible.isEmpty())
            RefuseLoad(Tul->JobName, impossible);
        CopyStoredHeader();
        for (db::Table* t : {d.WorkProfTable, d.WorkGatedTable, d.WorkSuctionTable, d.WorkTrickleTable})
            t->EmptyTable();
        for (const ChildLoad& load : loads)
            LoadRows(load.stored, load.work, load.each);
        if (job.profile)
            Tul->BuildStationList();
        notesCut = CutNotesToTheirBox(d.WorkPipeTable);
        tx.Commit();
    } catch (...) {
        *Tul = before;
        throw;
    }
    if (notesCut)
        TellNotesCut(Tul->JobName);
    return true;
}

// ---- storing ---------------------------------------------------------------

void TTrans::SaveJobHeader()
{
    TDMod& d = *DMod;
    db::Table* job = d.JobPipeTable;
    Tul->JobNumber = d.JobPipeTableJobNumber->AsInteger();
    CopyFields(SameNamedFields(d.WorkPipeTable, job, kJobNumber));
    Tul->SysTypeCode = PipelineSysTypeCode(d.JobPipeTableSysType->AsString(), Tul->SysTypeCode);
    job->Post();
    job->Close();
}

void TTrans::SaveJobProfile()
{
    SaveRows(DMod->WorkProfTable, DMod->JobProfTable);
}

void TTrans::SaveJobGated()
{
    TDMod& d = *DMod;
    db::Table* work = d.WorkGatedTable;
    OpenIfClosed(work);
    work->CheckBrowseMode();
    // No gated row entered: nothing to store, rather than an empty row.
    if (work->IsEmpty())
        return;
    db::Table* stored = d.JobGatedTable;
    stored->Append();
    d.JobGatedTableJobNumber->SetAsInteger(Tul->JobNumber);
    CopyFields(SameNamedFields(work, stored, kJobNumber));
    stored->Post();
}

void TTrans::SaveJobSuction()
{
    SaveRows(DMod->WorkSuctionTable, DMod->JobSuctionTable);
}

void TTrans::SaveJobTrickle()
{
    SaveRows(DMod->WorkTrickleTable, DMod->JobTrickleTable);
}

bool TTrans::StoreWorkingJob()
{
    if (Tul->SaveState != 0 && Tul->SaveState != 1)
        return false;
    TDMod& d = *DMod;
    OpenIfClosed(d.WorkPipeTable);
    d.WorkPipeTable->CheckBrowseMode();
    const QString name = d.WorkPipeTable->IsEmpty() ? QString() : d.WorkPipeTableJobName->AsString();
    const QString problem = JobNameProblem(name);
    if (!problem.isEmpty()) {
        ui::MessageDlg(problem, ui::MsgType::Error, ui::mbOK);
        return false;
    }
    // What the load would refuse is not stored: the job would be lost in
    // the store while the working copy is still here to correct.
    if (const QString impossible = FirstImpossibleValue(); !impossible.isEmpty()) {
        ui::MessageDlg(QStringLiteral("The job %1 cannot be saved: %2. Correct it, then save the job again.")
                           .arg(name, impossible),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    if (!ReplacingAllowed(name))
        return false;
    const TTul before = *Tul;
    bool clash = false;
    try {
        // Looked up over the whole store, before the header table is narrowed
        // to the job's own row.
        const int namesake = StoredJobNamed(name, JobKindOf(d.WorkPipeTableSysType->AsString()), 0);
        std::optional<OneJobRows> header;
        db::Transaction tx(db::kMersolAlias);
        // A changed stored job is rewritten only while the job it came from
        // is still there under the working name; otherwise it is a new job.
        int target = 0;
        if (Tul->SaveState == 1 && Tul->JobNumber != 0) {
            if (d.JobPipeTable->Filtered())
                d.JobPipeTable->SetFiltered(false);
            header.emplace(d.JobPipeTable, Tul->JobNumber);
            db::Table* job = OpenJobHeaders();
            if (job->Locate(kJobNumber, Tul->JobNumber) && d.JobPipeTableJobName->AsString() == name)
                target = Tul->JobNumber;
        }
        // A job stored anew takes no name another job of its kind has.
        if (target == 0 && namesake != 0) {
            CloseStoredJobTables();
            clash = true;
        } else if (target != 0)
            OverwriteStoredJob(target);
        else
            StoreAsNewJob();
        tx.Commit();
    } catch (...) {
        *Tul = before;
        CloseStoredJobTables();
        throw;
    }
    if (clash) {
        ui::MessageDlg(QStringLiteral("The job ") + name +
                           QStringLiteral(" already exists.  Please enter another Job Name."),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    Tul->SaveState = 2;
    Tul->ImportedOverStored = false;
    return true;
}

void TTrans::StoreAsNewJob()
{
    TDMod& d = *DMod;
    db::Transaction tx(db::kMersolAlias);
    if (d.JobPipeTable->Filtered())
        d.JobPipeTable->SetFiltered(false);
    OneJobRows header(d.JobPipeTable, QVariant());
    db::Table* job = OpenJobHeaders();
    OpenIfClosed(d.WorkPipeTable);
    // The posted empty row takes the table's next number.
    job->Append();
    job->Post();
    Tul->JobNumber = d.JobPipeTableJobNumber->AsInteger();
    job->Edit();
    d.JobPipeTableJobName->SetAsString(d.WorkPipeTableJobName->AsString());
    Tul->JobName = d.WorkPipeTableJobName->AsString();
    SaveJobHeader();
    // The working header carries its stored job's number, by which the job
    // name checks know the job as itself.
    db::Table* work = d.WorkPipeTable;
    work->CheckBrowseMode();
    work->Edit();
    d.WorkPipeTableJobNumber->SetAsInteger(Tul->JobNumber);
    work->Post();

    for (const ChildStep& s : ChildSteps(StoredKinds())) {
        if (!s.wanted)
            continue;
        OneJobRows rows(s.stored, Tul->JobNumber);
        OpenIfClosed(s.work);
        (this->*s.save)();
        s.stored->Close();
    }
    tx.Commit();
}

void TTrans::OverwriteStoredJob(int jobNumber)
{
    TDMod& d = *DMod;
    db::Transaction tx(db::kMersolAlias);
    if (d.JobPipeTable->Filtered())
        d.JobPipeTable->SetFiltered(false);
    OneJobRows header(d.JobPipeTable, jobNumber);
    db::Table* job = OpenJobHeaders();
    if (!job->Locate(kJobNumber, jobNumber))
        throw db::DbError(QStringLiteral("Job number %1 is not stored").arg(jobNumber));
    OpenIfClosed(d.WorkPipeTable);
    job->Edit();
    SaveJobHeader();

    // Every old child row goes, also of kinds the job no longer has, so no
    // row is left behind under its number.
    for (const ChildStep& s : ChildSteps(StoredKinds())) {
        OneJobRows rows(s.stored, jobNumber);
        DeleteJobRows(s.stored, jobNumber);
        if (s.wanted) {
            OpenIfClosed(s.work);
            (this->*s.save)();
        }
        s.stored->Close();
        // The profile stays open for the main window's grid.
        if (s.wanted && s.work != d.WorkProfTable)
            s.work->Close();
    }
    tx.Commit();
}

// ---- removal ---------------------------------------------------------------

void TTrans::RemoveStoredJob(int jobNumber)
{
    TDMod& d = *DMod;
    db::Transaction tx(db::kMersolAlias);
    db::Table* job = d.JobPipeTable;
    const bool headerOpened = !job->Active();
    if (job->Filtered())
        job->SetFiltered(false);
    OneJobRows header(job, jobNumber);
    if (!job->Locate(kJobNumber, jobNumber)) {
        if (headerOpened)
            job->Close();
        return;
    }
    for (db::Table* t : {d.JobProfTable, d.JobGatedTable, d.JobSuctionTable, d.JobTrickleTable}) {
        OneJobRows rows(t, jobNumber);
        DeleteJobRows(t, jobNumber);
    }
    job->Delete();
    if (headerOpened)
        job->Close();
    tx.Commit();
}

// ---- transfer directory ----------------------------------------------------

bool TTrans::ExportWorkingJob()
{
    TDMod& d = *DMod;
    d.WorkPipeTable->CheckBrowseMode();
    const JobRowKinds kinds = WorkingKinds();
    db::Transaction tx(db::kTransferAlias);
    // All five go first, so an import never meets rows of an earlier export.
    for (db::Table* t : {d.TransPipeTable, d.TransProfTable, d.TransGatedTable, d.TransSuctionTable,
                         d.TransTrickleTable}) {
        CloseIfOpen(t);
        t->EmptyTable();
    }
    // A row that does not go across stops the export: a job in the transfer
    // folder without some of its rows would import as a job it never was.
    auto move = [&](db::Table* work, db::Table* trans) {
        work->CheckBrowseMode();
        const db::BatchResult moved = db::BatchMove(*work, *trans, db::BatchMode::Copy);
        if (moved.problems > 0)
            throw db::DbError(QStringLiteral("The job %1 could not be exported: %2 of its rows in table %3 could not "
                                             "be copied. The transfer folder was left as it was.")
                                  .arg(d.WorkPipeTableJobName->AsString())
                                  .arg(moved.problems)
                                  .arg(work->TableName()));
        return moved.moved;
    };
    const bool whole = move(d.WorkPipeTable, d.TransPipeTable) > 0;
    const std::pair<bool, std::pair<db::Table*, db::Table*>> children[] = {
        {kinds.Profile, {d.WorkProfTable, d.TransProfTable}},
        {kinds.Gated, {d.WorkGatedTable, d.TransGatedTable}},
        {kinds.Suction, {d.WorkSuctionTable, d.TransSuctionTable}},
        {kinds.Trickle, {d.WorkTrickleTable, d.TransTrickleTable}},
    };
    for (const auto& [wanted, tables] : children)
        if (wanted)
            move(tables.first, tables.second);
    tx.Commit();
    return whole;
}

QString TTrans::TransferSysTypeOf(const QString& name)
{
    db::Table* trans = DMod->TransPipeTable;
    // What would not import is no job of that name.
    if (db::StoredRowCount(db::kTransferAlias, trans->TableName()) != 1
        || db::FirstMisfit(db::kTransferAlias, trans->TableName(), *DMod->WorkPipeTable).found())
        return QString();
    ReadJobColumnsOnly(trans, DMod->WorkPipeTable);
    trans->Open();
    const QString sysType = trans->FieldByName(QStringLiteral("JobName"))->AsString() == name
                                ? trans->FieldByName(QStringLiteral("SysType"))->AsString()
                                : QString();
    trans->Close();
    return sysType;
}

// An export writes one job, in one row of the transfer table that heads it:
// a table of more is refused before any of its rows is read, so a huge or
// foreign file costs no more than counting its rows.
static void RefuseMoreThanOneJob(db::Table* transfer, const QString& rows)
{
    const qint64 held = db::StoredRowCount(db::kTransferAlias, transfer->TableName());
    if (held > 1)
        throw db::DbError(QStringLiteral("Cannot import the job from %1: table %2 holds %3 %4, where an "
                                         "export writes one. Nothing was imported.")
                              .arg(TransferFile(), transfer->TableName())
                              .arg(held)
                              .arg(rows));
}

// The most rows one job has in a child table: a profile of up to the
// stations a run holds, a manifold of up to its most nodes, a suction line of
// up to the segments its analysis takes, and the one gated pipe. A table of
// more is no job's; it is refused by its count, before any row is read, so
// that a huge file costs neither time nor memory.
static void RefuseMoreRowsThanAJobHolds(db::Table* transfer, int most, const QString& what)
{
    const qint64 held = db::StoredRowCount(db::kTransferAlias, transfer->TableName());
    if (held > most)
        throw db::DbError(QStringLiteral("Cannot import the job from %1: table %2 holds %3 rows, where a job has "
                                         "at most %4 %5. Nothing was imported.")
                              .arg(TransferFile(), transfer->TableName())
                              .arg(held)
                              .arg(most)
                              .arg(what));
}

bool TTrans::ImportTransferJob()
{
    TDMod& d = *DMod;
    if (!TransferFileThere())
        return false;
    const ReadingTransfer reading;
    // A damaged transfer database, or one of another layout, is found before
    // anything is read from it.
    const QStringList gaps = db::LayoutGaps(db::kTransferAlias);
    if (!gaps.isEmpty())
        throw db::DbError(QStringLiteral("The transfer database %1 is of another layout (%2). Nothing was imported.")
                              .arg(TransferFile(), gaps.join(QStringLiteral("; "))));
    RefuseMoreThanOneJob(d.TransPipeTable, QStringLiteral("job headers"));
    if (!TransferHoldsJob(d.TransPipeTable))
        return false;
    // Every table of the job is counted, and every value of it sized, before
    // any of its rows is read.
    CheckTransferRows(d.TransPipeTable, d.WorkPipeTable);
    d.TransPipeTable->Open();
    const JobRowKinds kinds = RowKindsOf(d.TransPipeTable->FieldByName(QStringLiteral("SysHas"))->AsInteger(),
                                         d.TransPipeTable->FieldByName(QStringLiteral("PumpType"))->AsString());
    d.TransPipeTable->Close();
    const std::pair<db::Table*, db::Table*> children[] = {
        {d.WorkProfTable, d.TransProfTable},
        {d.WorkGatedTable, d.TransGatedTable},
        {d.WorkTrickleTable, d.TransTrickleTable},
        {d.WorkSuctionTable, d.TransSuctionTable},
    };
    const bool wanted[] = {kinds.Profile, kinds.Gated, kinds.Trickle, kinds.Suction};
    const std::pair<int, QString> most[] = {{kMaxStations, QStringLiteral("profile nodes")},
                                            {1, QStringLiteral("gated pipe")},
                                            {kMaxManifoldNodes, QStringLiteral("manifold outlets")},
                                            {kMaxStations, QStringLiteral("suction segments")}};
    for (int i = 0; i < 4; ++i)
        if (wanted[i]) {
            RefuseMoreRowsThanAJobHolds(children[i].second, most[i].first, most[i].second);
            CheckTransferRows(children[i].second, children[i].first);
        }

    const TTul before = *Tul;
    // A refused import leaves the working job as it was, its open tables open.
    std::vector<db::Table*> wereOpen;
    for (db::Table* t : {d.WorkPipeTable, d.WorkProfTable, d.WorkGatedTable, d.WorkTrickleTable, d.WorkSuctionTable})
        if (t->Active())
            wereOpen.push_back(t);
    try {
        db::Transaction tx(db::kMersolAlias);
        db::Table* work = d.WorkPipeTable;
        CloseIfOpen(work);
        work->EmptyTable();
        ImportRows(d.TransPipeTable, work);
        work->First();
        ResetJobRecord();
        for (const auto& c : children) {
            CloseIfOpen(c.first);
            c.first->EmptyTable();
        }
        for (int i = 0; i < 4; ++i)
            if (wanted[i])
                ImportRows(children[i].second, children[i].first);

        // A stored job of the same kind and exactly the same name is the one
        // this job overwrites when it is saved.
        const QString name = d.WorkPipeTableJobName->AsString();
        const int kind = JobKindOf(d.WorkPipeTableSysType->AsString());
        const int number = StoredJobNamed(name, kind, 0);

        // Every row of the job carries its number.
        work->Edit();
        d.WorkPipeTableJobNumber->SetAsInteger(number);
        work->Post();
        for (const auto& c : children) {
            db::Table* t = c.first;
            if (!t->Active())
                continue;
            db::ControlsOff quiet(t);
            db::Field* f = t->FieldByName(kJobNumber);
            for (t->First(); !t->Eof(); t->Next()) {
                t->Edit();
                f->SetAsInteger(number);
                t->Post();
            }
            t->First();
        }

        const QString impossible = FirstImpossibleValue();
        if (!impossible.isEmpty())
            throw db::DbError(QStringLiteral("The job in %1 cannot be imported: %2. Nothing was imported.")
                                  .arg(TransferFile(), impossible));
        TakeHeaderValues();
        Tul->NewJob = number == 0;
        Tul->StoredJob = number != 0;
        Tul->SaveState = number != 0 ? 1 : 0;
        Tul->ImportedOverStored = number != 0;
        tx.Commit();
    } catch (...) {
        *Tul = before;
        for (db::Table* t : wereOpen)
            OpenIfClosed(t);
        throw;
    }
    return true;
}

// ---- calculator jobs --------------------------------------------------------
// Each calculator job is one stored row; the job being edited is the one row
// of the calculator's working table.

namespace {

// Runs `fill`, which replaces the calculator's working row, as one step: an
// impossible value in the row it leaves refuses it (`refused` says so), and
// a refusal or failure leaves the working row as it was, its table open
// again: the calculator goes on showing its job.
void ReplaceToolRow(db::Table* work, const std::function<void()>& fill,
                    const std::function<QString(const QString& impossible)>& refused)
{
    try {
        db::Transaction tx(db::kMersolAlias);
        fill();
        const QString impossible = FirstImpossibleToolValue(work);
        if (!impossible.isEmpty())
            throw db::DbError(refused(impossible));
        tx.Commit();
    } catch (...) {
        CloseIfOpen(work);
        work->Open();
        throw;
    }
}

// Empties `work` and fills its one row from the stored job numbered
// `jobNumber`; false, with nothing changed, when there is none.
bool LoadToolJob(db::Table* stored, db::Table* work, int jobNumber, const QString& wholeField)
{
    const bool opened = OpenIfClosed(stored);
    if (jobNumber == 0 || !stored->Locate(kJobNumber, jobNumber)) {
        if (opened)
            stored->Close();
        return false;
    }
    const QString name = stored->FieldByName(QStringLiteral("JobName"))->AsString();
    bool notesCut = false;
    struct CloseStored {
        db::Table* t;
        ~CloseStored() { CloseIfOpen(t); }
    } closeStored{stored};
    // What the file holds that the row's fields do not (text for a number,
    // a fraction for a count) is gone once copied: it is looked for here.
    if (const QString misfit = FirstMisfitOfRow(stored); !misfit.isEmpty())
        RefuseLoad(name, QStringLiteral("%1 (table %2)").arg(misfit, stored->TableName()));
    ReplaceToolRow(
        work,
        [&] {
            CloseIfOpen(work);
            work->EmptyTable();
            work->Open();
            work->Append();
            CopyFields(SameNamedFields(stored, work, QString(), wholeField));
            work->Post();
            notesCut = CutNotesToTheirBox(work);
        },
        [&](const QString& impossible) {
            return QStringLiteral("The job %1 cannot be loaded: %2.").arg(name, impossible);
        });
    Tul->ImportedOverStored = false;
    if (notesCut)
        TellNotesCut(name);
    return true;
}

// `stored` stands in edit or insert state on the target row: it takes the
// working row (its JobNumber aside), is posted and closed.
void SaveToolJob(db::Table* work, db::Table* stored, const QString& wholeField)
{
    CopyFields(SameNamedFields(work, stored, kJobNumber, wholeField));
    stored->Post();
    stored->Close();
}

// Stores the working row of `work` into `stored` through `saveRow` (which
// copies it onto the row `stored` stands on). With `overwrite` it goes over
// the stored job numbered like the working row while that job still has the
// working name; otherwise, or when that job is gone or renamed, it is stored
// as a new job. The stored number is written back into the working row. A
// name that is empty, too long or carried by another stored job is reported
// and nothing is stored: returns 0, else the stored job's number.
int StoreToolJob(db::Table* work, db::Table* stored, bool overwrite, const std::function<void()>& saveRow)
{
    OpenIfClosed(work);
    work->CheckBrowseMode();
    db::Field* workName = work->FieldByName(QStringLiteral("JobName"));
    db::Field* workNumber = work->FieldByName(kJobNumber);
    const QString name = work->IsEmpty() ? QString() : workName->AsString();
    db::Transaction tx(db::kMersolAlias);
    const bool opened = OpenIfClosed(stored);
    db::Field* storedName = stored->FieldByName(QStringLiteral("JobName"));
    db::Field* storedNumber = stored->FieldByName(kJobNumber);
    // The stored job the row came from, while it still has the row's name.
    int target = 0;
    const int own = work->IsEmpty() ? 0 : workNumber->AsInteger();
    if (overwrite && own != 0 && stored->Locate(kJobNumber, own) && storedName->AsString() == name)
        target = own;
    QString problem = JobNameProblem(name, storedName->Size());
    // The name is the job's identity: no second stored job may carry it.
    if (problem.isEmpty() && StoredNumberNamed(stored, name, target) != 0)
        problem = QStringLiteral("Job name already used, please enter a unique name.");
    if (!problem.isEmpty()) {
        if (opened)
            stored->Close();
        ui::MessageDlg(problem, ui::MsgType::Error, ui::mbOK);
        return 0;
    }
    if (target != 0 && !ReplacingImportedAllowed(name)) {
        if (opened)
            stored->Close();
        return 0;
    }
    int number = 0;
    try {
        if (target != 0) {
            stored->Locate(kJobNumber, target);
            stored->Edit();
        } else {
            // The posted empty row takes the table's next number.
            stored->Append();
            stored->Post();
            stored->Edit();
        }
        number = storedNumber->AsInteger();
        saveRow();
        work->Edit();
        workNumber->SetAsInteger(number);
        work->Post();
        tx.Commit();
    } catch (...) {
        // Nothing of it stays, neither in the tables nor half edited.
        for (db::Table* t : {stored, work})
            if (t->Active() && t->State() != db::DataSetState::Browse)
                t->Cancel();
        CloseIfOpen(stored);
        throw;
    }
    Tul->ImportedOverStored = false;
    return number;
}

const QString kModulus = QStringLiteral("Modulus");

} // namespace

bool TTrans::ExportToolJob(db::Table* work, db::Table* transfer)
{
    if (work->Active())
        work->CheckBrowseMode();
    CloseIfOpen(transfer);
    const db::BatchResult moved = db::BatchMove(*work, *transfer, db::BatchMode::Copy);
    return moved.moved > moved.problems;
}

std::optional<int> TTrans::ImportToolJob(db::Table* transfer, db::Table* work, db::Table* stored)
{
    if (!TransferFileThere())
        return std::nullopt;
    const ReadingTransfer reading;
    RefuseMoreThanOneJob(transfer, QStringLiteral("jobs"));
    if (!TransferHoldsJob(transfer))
        return std::nullopt;
    CheckTransferRows(transfer, work);
    int number = 0;
    // All of the row or nothing: a value that cannot be copied, or one no
    // job can have, leaves the job being edited as it was.
    ReplaceToolRow(
        work,
        [&] {
            CloseIfOpen(work);
            work->EmptyTable();
            ImportRows(transfer, work);
            work->First();
            number = StoredNumberNamed(stored, work->FieldByName(QStringLiteral("JobName"))->AsString());
            work->Edit();
            work->FieldByName(kJobNumber)->SetAsInteger(number);
            work->Post();
        },
        [](const QString& impossible) {
            return QStringLiteral("The job in %1 cannot be imported: %2. Nothing was imported.")
                .arg(TransferFile(), impossible);
        });
    Tul->ImportedOverStored = number != 0;
    return number;
}

// ---- stock-water calculator jobs -------------------------------------------

bool TTrans::LoadStockWaterJob(int jobNumber)
{
    return LoadToolJob(DMod->JobSWaterTable, DMod->WorkSWaterTable, jobNumber, QString());
}

void TTrans::SaveStockWaterJob()
{
    SaveToolJob(DMod->WorkSWaterTable, DMod->JobSWaterTable, QString());
}

int TTrans::StoreStockWaterJob(bool overwrite)
{
    return StoreToolJob(DMod->WorkSWaterTable, DMod->JobSWaterTable, overwrite, [this] { SaveStockWaterJob(); });
}

int TTrans::StockWaterJobNumberOf(const QString& name)
{
    return StoredNumberNamed(DMod->JobSWaterTable, name);
}

// ---- air-vacuum calculator jobs ---------------------------------------------

bool TTrans::LoadAirVacJob()
{
    TDMod& d = *DMod;
    // The job list reads the stored jobs in name order.
    CloseIfOpen(d.JobAvacTable);
    d.JobAvacTable->SetIndexName(QStringLiteral("JobNameIndex"));
    // Exactly the named job: a neighbour in name order is another job.
    const int number = Tul->JobName.isEmpty() ? 0 : StoredNumberNamed(d.JobAvacTable, Tul->JobName);
    if (!LoadToolJob(d.JobAvacTable, d.WorkAvacTable, number, kModulus)) {
        ui::MessageDlg(QStringLiteral("The job ") + Tul->JobName + QStringLiteral(" is no longer in the database."),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    Tul->JobNumber = number;
    Tul->JobName = d.WorkAvacTableJobName->AsString();
    return true;
}

void TTrans::SaveAirVacJob()
{
    Tul->JobNumber = DMod->JobAvacTableJobNumber->AsInteger();
    SaveToolJob(DMod->WorkAvacTable, DMod->JobAvacTable, kModulus);
}

bool TTrans::StoreAirVacJob()
{
    if (Tul->SaveState != 0 && Tul->SaveState != 1)
        return false;
    // A store that fails midway leaves the job object as it was.
    const TTul before = *Tul;
    try {
        if (StoreToolJob(DMod->WorkAvacTable, DMod->JobAvacTable, Tul->SaveState == 1, [this] { SaveAirVacJob(); })
            == 0)
            return false;
    } catch (...) {
        *Tul = before;
        throw;
    }
    Tul->JobName = DMod->WorkAvacTableJobName->AsString();
    Tul->SaveState = 2;
    return true;
}

bool TTrans::ImportAirVacJob()
{
    TDMod& d = *DMod;
    const std::optional<int> imported = ImportToolJob(d.TransAirvacTable, d.WorkAvacTable, d.JobAvacTable);
    if (!imported)
        return false;
    const int number = *imported;
    Tul->JobName = d.WorkAvacTableJobName->AsString();
    Tul->JobNumber = number;
    // A stored job of the same name is the one a save overwrites.
    Tul->SaveState = number != 0 ? 1 : 0;
    return true;
}

void TTrans::RemoveAirVacJob(int jobNumber)
{
    db::Table* stored = DMod->JobAvacTable;
    const bool opened = OpenIfClosed(stored);
    if (stored->Locate(kJobNumber, jobNumber))
        stored->Delete();
    if (opened)
        stored->Close();
}

// ---- between jobs ----------------------------------------------------------

void TTrans::CloseAllTables()
{
    if (!DMod)
        return;
    TDMod& d = *DMod;
    for (db::Table* t : {d.JobPipeTable,     d.JobProfTable,     d.WorkPipeTable,   d.WorkProfTable,
                         d.PipeTable,        d.TypeTable,        d.MinorLossTable,  d.WorkTrickleTable,
                         d.WorkGatedTable,   d.WorkSuctionTable, d.JobTrickleTable, d.JobGatedTable,
                         d.JobSuctionTable,  d.UnitCostTable,    d.WaterTable,      d.TempTable,
                         d.JobSWaterTable,   d.WorkSWaterTable,  d.StockTypeTable,  d.WorkAvacTable,
                         d.JobAvacTable,     d.SaveProfTable,    d.SavePipeTable,   d.Temp1Table,
                         d.SaveGatedTable,   d.SaveSuctionTable, d.SaveTrickleTable})
        CloseIfOpen(t);
}

void TTrans::ResetJobRecord()
{
    TTul& t = *Tul;
    t.JobName.clear();
    t.JobText2.clear();
    t.JobText3.clear();
    t.Date.clear();
    t.JobNumber = 0;
    t.SaveState = 2;
    t.ImportedOverStored = false;
    t.NewJob = true;
    t.NodeChoice = t.SuctionSegmentNo = t.SysHas = t.MinorLossSlot = 0;
    t.StoredJob = false;
    t.FrictionMethodUsed = 0;
    t.NewNode = true;
    t.NumNodes = t.SysTypeCode = t.PumpTypeCode = 0;
    t.ColumnLoss = t.WSElev = t.OutletElev = t.OffElev = t.OnElev = t.PumpEyeElev = t.PumpEffic = 0.0;
    t.OutletPsi = t.PsiIn = t.TankRange = t.ClearHead = t.TDH = t.tdsh = t.WHP = t.BHP = 0.0;
    t.MotorSize.clear();
    t.BoosterHgl = t.BoosterSgl = 0.0;
    t.FirstPoint = true;
    t.NewStation = t.Station = t.DiaIn = t.PipeQ = t.PipeDepth = 0.0;
    t.InvElMethod = 0;
    t.Nfactor = t.Cfactor = t.Efactor = 0.0;
    t.PipeType.clear();
    t.DownStreamPipeDescription.clear();
    t.MaterialText.clear();
    t.PinnedEndHgl = 0.0;
    t.DetailedML = true;
    t.JobListCancelled = false;
    t.DesignFlow = t.DesignFlowCfs = 0.0;
    t.PumpKindsDefaulted.clear();
    t.WaterSurfaceTakenAway.reset();
    t.BoosterSetOutletPsi = false;
}
