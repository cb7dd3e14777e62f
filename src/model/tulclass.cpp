#include "model/tulclass.h"

#include "engine/hydcalc1.h"
#include "model/dmod1.h"
#include "model/numtext.h"
#include "model/staclass1.h"

#include <QStringList>

#include <cmath>

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

namespace {

// Posts a pending edit, finds the row whose `key` equals `value` and puts it
// into edit state. A table without rows starts its first row, and a current
// row whose key is still empty counts as the row of key 0: both are the row
// being entered. Any other miss leaves the cursor and the state alone.
bool LocateForEdit(db::Table* t, db::Field* key, const QVariant& value, bool zeroKey)
{
    if (t->State() == db::DataSetState::Edit)
        t->Post();
    if (t->Locate(key->FieldName(), value) || t->IsEmpty() || (zeroKey && key->IsNull())) {
        t->Edit();
        return true;
    }
    return false;
}

} // namespace

bool TTul::LocateProfStation()
{
    return LocateForEdit(DMod->WorkProfTable, DMod->WorkProfTableStation, NewStation,
                         NewStation == 0);
}

bool TTul::LocateProfRecordNo(int recordNo)
{
    return LocateForEdit(DMod->WorkProfTable, DMod->WorkProfTableRecordNo, recordNo, recordNo == 0);
}

bool TTul::LocateSuctionSegment()
{
    if (!DMod->WorkSuctionTable->Active())
        DMod->WorkSuctionTable->Open();
    return LocateForEdit(DMod->WorkSuctionTable, DMod->WorkSuctionTableSegmentNo,
                         QString::number(SuctionSegmentNo), SuctionSegmentNo == 0);
}

bool TTul::LocateSuctionSegmentNo(int segmentNo)
{
    return LocateForEdit(DMod->WorkSuctionTable, DMod->WorkSuctionTableSegmentNo, segmentNo,
                         segmentNo == 0);
}

bool TTul::LocateTrickleStation()
{
    return LocateForEdit(DMod->WorkTrickleTable, DMod->WorkTrickleTableStation, TrickleStation,
                         TrickleStation == 0);
}

void TTul::LoadCurrentProfRow()
{
    TDMod* d = DMod;
    Station = d->WorkProfTableStation->AsFloat();
    GroundElev = d->WorkProfTableGroundElev->AsFloat();
    RecordNo = d->WorkProfTableRecordNo->AsInteger();
    PipeQ = d->WorkProfTablePipeQ->AsFloat();
    PipeType = d->WorkProfTablePipeType->AsString();
    DownStreamPipeDescription = d->WorkProfTableDownStreamPipeDescription->AsString();
    DiaIn = d->WorkProfTableDiaIn->AsFloat();
    WallThick = d->WorkProfTableWallThick->AsFloat();
    InvElMethod = d->WorkProfTableInvElMethod->AsInteger();
    NodeType = d->WorkProfTableNodeType->AsInteger();
    Cfac = d->WorkProfTableCfac->AsFloat();
    Nfac = d->WorkProfTableNfac->AsFloat();
    Efac = d->WorkProfTableEfac->AsFloat();
    PressurRating = d->WorkProfTablePressurRating->AsFloat();
    WtPerFt = d->WorkProfTableWtPerFt->AsFloat();
    PipeDepth = InvElMethod == 0 ? d->WorkProfTablePipeDepth->AsFloat() : 0.0;
}

void TTul::BuildStationList()
{
    // Numbered by position rather than re-found by station text, so that two
    // rows of one station, or a row without a station yet, get their number too.
    db::Table* t = DMod->WorkProfTable;
    db::Field* recNo = DMod->WorkProfTableRecordNo;
    t->CheckBrowseMode();
    const int n = t->RecordCount();
    t->First();
    for (int i = 0; i < n && !t->Eof(); ++i) {
        if (recNo->IsNull() || recNo->AsInteger() != i + 1) {
            t->Edit();
            recNo->SetAsInteger(i + 1);
            t->Post();
        }
        if (i + 1 < n)
            t->Next();
    }
}

double TTul::StationVelocityHeadLoss(int slot, const TSta& s, const TSta& u, bool inlet)
{
    double K, d;
    int location;
    switch (slot) {
    case 0: K = s.K1; d = s.Kid1; location = s.KLocate1; break;
    case 1: K = s.K2; d = s.Kid2; location = s.KLocate2; break;
    case 2: K = s.K3; d = s.Kid3; location = s.KLocate3; break;
    default: return 0.0;
    }
    const bool upstream = location == 0 && !inlet;
    if (K > 0) {
        const double Q = upstream ? u.PipeQ : s.PipeQ;
        const double D = d > 0 ? d : (upstream ? u.DiaIn : s.DiaIn);
        const double V = PipeVelocity(Q, D);
        return K * V * V * kVelHeadFactor;
    }
    if (!(K < 0) || inlet)
        return 0.0;
    // A size change between the upstream reach and this one.
    const double V1 = u.DiaIn > 0 ? (u.PipeQ / 448.8) / (kSqFtPerSqIn * u.DiaIn * u.DiaIn) : 0.0;
    const double V2 = PipeVelocity(s.PipeQ, s.DiaIn);
    if (K == -2)
        return 0.04 * V2 * V2 * kVelHeadFactor;
    if (K == -1)
        return 0.7 * (V1 - V2) * (V1 - V2) * kVelHeadFactor;
    if (K == -4)
        return 0.64 * (V1 * V1 - V2 * V2) * kVelHeadFactor;
    // Sudden enlargement: where the flow does not slow down it does not
    // expand, and there is no loss.
    return V1 > V2 ? 0.01705 * std::pow(V1 - V2, 1.919) : 0.0;
}
