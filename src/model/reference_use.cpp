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

QString UsedByJobsText(const QString& what, const QStringList& jobs)
{
    constexpr int kShown = 10;
    QString list = jobs.mid(0, kShown).join(QStringLiteral(", "));
    if (jobs.size() > kShown)
        list += QStringLiteral(" and %1 more").arg(jobs.size() - kShown);
    return QStringLiteral("%1 is used by these stored jobs: %2.\nDelete it anyway?").arg(what, list);
}

int SpreadMaterialFactors(const QString& material, double cFactor, double nFactor, double eFactor)
{
    static const char* const kTables[] = {"WorkProf.DB", "WorkSuction.db", "WorkGated.db",
                                          "JobProf.DB",  "JobSuction.DB",  "JobGated.db"};
    db::Transaction tx(db::kMersolAlias);
    int changed = 0;
    for (const char* table : kTables) {
        db::Query q(db::kMersolAlias);
        q.SetSQL(QStringLiteral("Update \"%1\" Set Cfac=:C, Nfac=:N, Efac=:E Where PipeType=:T")
                     .arg(QString::fromLatin1(table)));
        q.SetParam(QStringLiteral("C"), cFactor);
        q.SetParam(QStringLiteral("N"), nFactor);
        q.SetParam(QStringLiteral("E"), eFactor);
        q.SetParam(QStringLiteral("T"), material);
        changed += q.ExecSQL();
    }
    tx.Commit();
    return changed;
}
