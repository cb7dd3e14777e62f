#include "model/reference_use.h"

#include "platform/db/db.h"

#include <QSet>

#include <map>

namespace {

// A table of the main alias read through a component of its own, so that
// the data module's components keep their state, cursor and filter.
struct Scan {
    db::Table t;
    explicit Scan(const QString& name) : t(db::kMersolAlias, name) { t.Open(); }
    ~Scan() { t.Close(); }
};

// The JobNumbers of the rows of `table` that `match` accepts.
template <class Match>
void collectNumbers(const QString& table, QSet<int>& numbers, Match match)
{
    Scan s(table);
    for (s.t.First(); !s.t.Eof(); s.t.Next())
        if (match(s.t))
            numbers.insert(s.t.FieldByName(QStringLiteral("JobNumber"))->AsInteger());
}

QString text(db::Table& t, const char* field)
{
    return t.FieldByName(QString::fromLatin1(field))->AsString();
}

// Job names of the numbers (from the job headers) plus the air-vacuum jobs
// that `airvac` accepts (they carry their own names), sorted, unique.
template <class Match>
QStringList jobNames(const QSet<int>& numbers, Match airvac)
{
    QStringList names;
    {
        Scan jobs(QStringLiteral("JobPipe.DB"));
        for (jobs.t.First(); !jobs.t.Eof(); jobs.t.Next())
            if (numbers.contains(jobs.t.FieldByName(QStringLiteral("JobNumber"))->AsInteger()))
                names << text(jobs.t, "JobName");
    }
    {
        Scan av(QStringLiteral("JobAirvac.DB"));
        for (av.t.First(); !av.t.Eof(); av.t.Next())
            if (airvac(av.t))
                names << text(av.t, "JobName");
    }
    names.removeDuplicates();
    names.sort(Qt::CaseInsensitive);
    return names;
}

} // namespace

QStringList JobsUsingPipe(const QString& material, const QString& description)
{
    QSet<int> numbers;
    auto named = [&](const char* typeField, const char* descField) {
        return [=](db::Table& t) { return text(t, typeField) == material && text(t, descField) == description; };
    };
    collectNumbers(QStringLiteral("JobProf.DB"), numbers, named("PipeType", "DownStreamPipeDescription"));
    collectNumbers(QStringLiteral("JobSuction.DB"), numbers, named("PipeType", "DownStreamPipeDescription"));
    collectNumbers(QStringLiteral("JobGated.db"), numbers, named("PipeType", "PipeDescription"));
    // The manifold rows keep the description only.
    collectNumbers(QStringLiteral("JobTrickle.DB"), numbers,
                   [&](db::Table& t) { return text(t, "DownStreamPipeDescription") == description; });
    return jobNames(numbers, named("PipeType", "PipeDescription"));
}

QStringList JobsUsingMaterial(const QString& material)
{
    QSet<int> numbers;
    auto named = [&](db::Table& t) { return text(t, "PipeType") == material; };
    collectNumbers(QStringLiteral("JobProf.DB"), numbers, named);
    collectNumbers(QStringLiteral("JobSuction.DB"), numbers, named);
    collectNumbers(QStringLiteral("JobGated.db"), numbers, named);
    return jobNames(numbers, named);
}

QString JobListText(const QStringList& jobs)
{
    constexpr int kShown = 10;
    QString list = jobs.mid(0, kShown).join(QStringLiteral(", "));
    if (jobs.size() > kShown)
        list += QStringLiteral(" and %1 more").arg(jobs.size() - kShown);
    return list;
}

QString UsedByJobsText(const QString& what, const QStringList& jobs)
{
    return QStringLiteral("%1 is used by these stored jobs: %2.\nDelete it anyway?").arg(what, JobListText(jobs));
}

namespace {

const char* const kJobTables[] = {"JobProf.DB", "JobSuction.DB", "JobGated.db"};
const char* const kWorkTables[] = {"WorkProf.DB", "WorkSuction.db", "WorkGated.db"};

// Whether any row of `table` is accepted.
template <class Match>
bool anyRow(const QString& table, Match match)
{
    Scan s(table);
    for (s.t.First(); !s.t.Eof(); s.t.Next())
        if (match(s.t))
            return true;
    return false;
}

} // namespace

MaterialUse UsesOfMaterial(const QString& material, int ptype)
{
    MaterialUse use;
    {
        Scan pipes(QStringLiteral("PipeType.DB"));
        for (pipes.t.First(); !pipes.t.Eof(); pipes.t.Next())
            if (text(pipes.t, "Pipe Type") == material ||
                (ptype > 0 && pipes.t.FieldByName(QStringLiteral("PType"))->AsInteger() == ptype))
                ++use.pipes;
    }
    use.defaults = anyRow(QStringLiteral("DefLocal.DB"), [&](db::Table& t) {
        for (const char* f : {"PipeType", "GatedPipeType", "PipeTypePressure", "PipeTypeOthers", "SuctionPipeType"})
            if (text(t, f) == material)
                return true;
        return false;
    });
    auto named = [&](db::Table& t) { return text(t, "PipeType") == material; };
    for (const char* table : kWorkTables)
        use.workingJob = use.workingJob || anyRow(QString::fromLatin1(table), named);
    use.workingJob = use.workingJob || anyRow(QStringLiteral("WorkAirvac.DB"), named);
    use.storedJobs = JobsUsingMaterial(material);
    return use;
}

QString MaterialUseText(const MaterialUse& use)
{
    QStringList parts;
    if (use.pipes > 0)
        parts << (use.pipes == 1 ? QStringLiteral("1 pipe") : QStringLiteral("%1 pipes").arg(use.pipes));
    if (use.defaults)
        parts << QStringLiteral("the local defaults");
    if (use.workingJob)
        parts << QStringLiteral("the job being worked on");
    if (!use.storedJobs.isEmpty())
        parts << (use.storedJobs.size() == 1 ? QStringLiteral("the stored job ") : QStringLiteral("the stored jobs "))
                     + JobListText(use.storedJobs);
    if (parts.size() < 2)
        return parts.join(QString());
    const QString last = parts.takeLast();
    return parts.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

SpreadResult SpreadMaterialFactors(const QString& material, double cFactor, double nFactor, double eFactor)
{
    // Only the rows holding other factors change, and only their jobs are told.
    auto differs = [&](db::Table& t) {
        auto other = [&](const char* f, double v) {
            db::Field* field = t.FieldByName(QString::fromLatin1(f));
            return field->IsNull() || field->AsFloat() != v;
        };
        return text(t, "PipeType") == material &&
               (other("Cfac", cFactor) || other("Nfac", nFactor) || other("Efac", eFactor));
    };
    SpreadResult result;
    QSet<int> numbers;
    for (const char* table : kJobTables)
        collectNumbers(QString::fromLatin1(table), numbers, differs);
    if (!numbers.isEmpty())
        result.storedJobs = jobNames(numbers, [](db::Table&) { return false; });
    for (const char* table : kWorkTables)
        result.workingJob = result.workingJob || anyRow(QString::fromLatin1(table), differs);
    if (numbers.isEmpty() && !result.workingJob)
        return result;

    db::Transaction tx(db::kMersolAlias);
    for (const char* const* tables : {kWorkTables, kJobTables}) {
        for (int i = 0; i < 3; ++i) {
            db::Query q(db::kMersolAlias);
            q.SetSQL(QStringLiteral("Update \"%1\" Set Cfac=:C, Nfac=:N, Efac=:E Where PipeType=:T And "
                                    "(Cfac Is Not :C Or Nfac Is Not :N Or Efac Is Not :E)")
                         .arg(QString::fromLatin1(tables[i])));
            q.SetParam(QStringLiteral("C"), cFactor);
            q.SetParam(QStringLiteral("N"), nFactor);
            q.SetParam(QStringLiteral("E"), eFactor);
            q.SetParam(QStringLiteral("T"), material);
            q.ExecSQL();
        }
    }
    tx.Commit();
    return result;
}
