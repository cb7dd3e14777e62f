#include "model/tulclass.h"

#include "model/numtext.h"
#include "model/staclass1.h"

#include <QStringList>

TTul* Tul = nullptr;

void CreateJobObject()
{
    if (!Tul)
        Tul = new TTul;
}

namespace {

// The job object exists before the program's entry runs.
const bool jobObjectCreated = (CreateJobObject(), true);

const QStringList& sysTypeKeywords()
{
    static const QStringList k = {"GRAVITY", "FULLFLOW", "PUMPED", "PRESSURE", "MANIFOLD", "GATED"};
    return k;
}

// Pump keywords in code order 1..8.
const QStringList& pumpTypeKeywords()
{
    static const QStringList k = {"CENTRIF",   "TURBINE",    "PROPELLER", "BOOSTER",
                                  "PRESSFIND", "PRESSKNOWN", "AUTOPUMP",  "INLINE BOOSTER"};
    return k;
}

const QStringList& reachKeywords()
{
    static const QStringList k = {"GRAVBEG",  "GRAVMID",  "GRAVEND",     "GRAVGATED", "GRAVMULTI",
                                  "GRAVTRICKLE", "FULLBEG", "FULLMID",   "FULLEND",   "PUMPBEG",
                                  "PUMPMID",  "PUMPEND",  "PUMPGATED",   "PUMPMULTI", "PUMPTRICKLE"};
    return k;
}

const QStringList& nodeTypeTexts()
{
    static const QStringList k = {"Pipe entrance (any type)",      "In line (normal)",
                                  "In line w/booster pump",        "In line w/pressure reducer",
                                  "End of line (normal)",          "End of line, start gated pipe",
                                  "End of line, start manifold segment"};
    return k;
}

const QStringList& invElMethodTexts()
{
    static const QStringList k = {"Give depth to top of pipe (pipe cover)",
                                  "Enter invert elevation directly", "Set invert at ground level"};
    return k;
}

QString at(const QStringList& list, int i)
{
    return i >= 0 && i < list.size() ? list.at(i) : QString();
}

} // namespace

int SysTypeCodeOf(const QString& keyword, int unchanged)
{
    const int i = sysTypeKeywords().indexOf(keyword);
    return i >= 0 && i <= 4 ? i : unchanged;
}

QString SysTypeKeyword(int code) { return at(sysTypeKeywords(), code); }

int PumpTypeCodeOf(const QString& keyword)
{
    const int i = pumpTypeKeywords().indexOf(keyword);
    return i >= 0 ? i + 1 : 0;
}

QString PumpTypeKeyword(int code) { return at(pumpTypeKeywords(), code - 1); }

int ReachCodeOf(const QString& keyword) { return reachKeywords().indexOf(keyword); }

QString ReachKeyword(int code) { return at(reachKeywords(), code); }

int KLocateCodeOf(const QString& location)
{
    return location == QLatin1String("US") ? 0 : 1;
}

QString NodeTypeText(int code) { return at(nodeTypeTexts(), code); }
int NodeTypeCodeOf(const QString& text) { return nodeTypeTexts().indexOf(text); }
QString InvElMethodText(int code) { return at(invElMethodTexts(), code); }
int InvElMethodCodeOf(const QString& text) { return invElMethodTexts().indexOf(text); }

int TTul::CheckPressureRatings(int position, double setPsi, double linePsi, double upRating,
                               double downRating, QString& warning)
{
    if (!CheckRatings)
        return 0;
    const double P = setPsi > 0 ? setPsi : linePsi;
    const QString T = FixedText(P, 6, 2);
    auto ending = [](bool up, bool down) {
        if (up && down)
            return QStringLiteral("up and down stream.");
        return up ? QStringLiteral("up stream.") : QStringLiteral("down stream.");
    };
    bool up = position > 1 && upRating > 0 && linePsi > upRating;
    bool down = position < 3 && downRating > 0 && P > downRating;
    if (up || down) {
        warning = QStringLiteral("WARNING .. Pressure of ") + T +
                  QStringLiteral(" is greater than pipe pressure rating, ") + ending(up, down);
        return 1;
    }
    up = position > 1 && upRating > 0 && 0.72 * upRating < P;
    down = position < 3 && downRating > 0 && 0.72 * downRating < P;
    if (up || down) {
        warning = QStringLiteral("WARNING .. Pressure of ") + T +
                  QStringLiteral(" is greater than 72% of pipe pressure rating, ") +
                  ending(up, down);
        return 1;
    }
    return 0;
}

// Table-bound services: completed once the data module is on main.
bool TTul::LocateProfStation() { return false; }
bool TTul::LocateProfRecordNo(int) { return false; }
bool TTul::LocateSuctionSegment() { return false; }
bool TTul::LocateSuctionSegmentNo(int) { return false; }
bool TTul::LocateTrickleStation() { return false; }
void TTul::LoadCurrentProfRow() {}
void TTul::BuildStationList() {}
double TTul::StationVelocityHeadLoss(int, const TSta&, const TSta&, bool) { return 0.0; }
