#include "model/job.h"

#include "hydraulics/formulas.h"
#include "model/data_module.h"
#include "model/node_rules.h"
#include "model/number_text.h"
#include "model/program_kind.h"
#include "model/station.h"
#include "platform/ui/seam/msg.h"

#include <QStringList>

#include <cmath>
#include <vector>

TTul* Tul = nullptr;

void CreateJobObject()
{
    if (!Tul)
        Tul = new TTul;
}

void SetRequiredOutletLevel()
{
    // Feet of water per psi, the exact reciprocal of 0.43344 psi per foot.
    constexpr double kFeetPerPsiExact = 2.3071244001476559;
    const double ws = DMod->WorkPipeTableOutletElev->AsFloat() + DMod->WorkPipeTableOutletPsi->AsFloat() * kFeetPerPsiExact;
    DMod->WorkPipeTableReqOutletWS->SetAsString(FixedText(ws, 6, 2));
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

QStringList OfferedNodeTypeTexts()
{
    QStringList texts = nodeTypeTexts();
    if (GravityDesignerRunning())
        texts.removeAt(2);   // "In line w/booster pump"
    return texts;
}

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
    LoadReachPipe();
    InvElMethod = d->WorkProfTableInvElMethod->AsInteger();
    NodeType = d->WorkProfTableNodeType->AsInteger();
    PipeDepth = InvElMethod == 0 ? d->WorkProfTablePipeDepth->AsFloat() : 0.0;
}

void TTul::LoadReachPipe()
{
    TDMod* d = DMod;
    PipeType = d->WorkProfTablePipeType->AsString();
    DownStreamPipeDescription = d->WorkProfTableDownStreamPipeDescription->AsString();
    DiaIn = d->WorkProfTableDiaIn->AsFloat();
    WallThick = d->WorkProfTableWallThick->AsFloat();
    Cfac = d->WorkProfTableCfac->AsFloat();
    Nfac = d->WorkProfTableNfac->AsFloat();
    Efac = d->WorkProfTableEfac->AsFloat();
    PressurRating = d->WorkProfTablePressurRating->AsFloat();
    WtPerFt = d->WorkProfTableWtPerFt->AsFloat();
    NomDia = d->WorkProfTableNomDia->AsFloat();
    PipeRating = d->WorkProfTablePipeRating->AsFloat();
    Modulus = d->WorkProfTableModulus->AsFloat();
    MaxVel = d->WorkProfTableMaxVel->AsFloat();
}

void TTul::WriteReachPipe()
{
    TDMod* d = DMod;
    d->WorkProfTablePipeType->SetAsString(PipeType);
    d->WorkProfTableDownStreamPipeDescription->SetAsString(DownStreamPipeDescription);
    d->WorkProfTableDiaIn->SetAsFloat(DiaIn);
    d->WorkProfTableWallThick->SetAsFloat(WallThick);
    d->WorkProfTableCfac->SetAsFloat(Cfac);
    d->WorkProfTableNfac->SetAsFloat(Nfac);
    d->WorkProfTableEfac->SetAsFloat(Efac);
    d->WorkProfTablePressurRating->SetAsFloat(PressurRating);
    d->WorkProfTableWtPerFt->SetAsFloat(WtPerFt);
    d->WorkProfTableNomDia->SetAsFloat(NomDia);
    d->WorkProfTablePipeRating->SetAsFloat(PipeRating);
    d->WorkProfTableModulus->SetAsFloat(Modulus);
    d->WorkProfTableMaxVel->SetAsFloat(MaxVel);
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
    return StationVelocityHeadLoss(slot, s, u.PipeQ, u.DiaIn, s.PipeQ, s.DiaIn, inlet);
}

double TTul::StationVelocityHeadLoss(int slot, const TSta& s, double uQ, double uD, double sQ, double sD,
                                     bool inlet)
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
        const double Q = upstream ? uQ : sQ;
        const double D = d > 0 ? d : (upstream ? uD : sD);
        const double V = PipeVelocity(Q, D);
        return K * V * V * kVelHeadFactor;
    }
    if (!(K < 0) || inlet)
        return 0.0;
    // A size change between the upstream reach and this one. Mersol has
    // always taken the upstream velocity at 448.8 gpm per cfs, and its stored
    // results rest on that; the gravity designer converts both stations alike.
    const double V1 = GravityDesignerRunning() ? PipeVelocity(uQ, uD)
                      : uD > 0                 ? (uQ / 448.8) / (kSqFtPerSqIn * uD * uD)
                                               : 0.0;
    const double V2 = PipeVelocity(sQ, sD);
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

// ---- node kinds and flows -----------------------------------------------------

QString ReachKeywordOf(const QString& sysType, int nodeType)
{
    static const char* const keywords[7][3] = {
        {"GRAVBEG", "FULLBEG", "PUMPBEG"},   {"GRAVMID", "FULLMID", "PUMPMID"}, {"GRAVMID", "GRAVMID", "GRAVMID"},
        {"GRAVMID", "FULLMID", "PUMPMID"},   {"GRAVEND", "FULLEND", "PUMPEND"}, {"GRAVGATED", "", "PUMPGATED"},
        {"GRAVTRICKLE", "", "PUMPTRICKLE"},
    };
    if (nodeType < 0 || nodeType > 6) return {};
    const int system = sysType == QLatin1String("GRAVITY") ? 0 : sysType == QLatin1String("FULLFLOW") ? 1 : 2;
    return QString::fromLatin1(keywords[nodeType][system]);
}

namespace {

// The kind that owns the header's entrance values: a pump keyword for a
// pumped job, "PRESSURE" for a main, "INLINE BOOSTER" for a gravity line
// with a booster node and "GRAVITY" for any other gravity line. Empty where
// every value stays: a pumped job before its pump is chosen, a calculator's.
QString KindOwning(const QString& sysType, const QString& pumpType)
{
    if (sysType == QLatin1String("PUMPED")) return pumpType;
    if (sysType == QLatin1String("PRESSURE")) return sysType;
    if (sysType == QLatin1String("GRAVITY") || sysType == QLatin1String("FULLFLOW"))
        return pumpType == QLatin1String("INLINE BOOSTER") ? pumpType : QStringLiteral("GRAVITY");
    return {};
}

bool SystemHasPumpType(const QString& sysType, const QString& pumpType)
{
    const int code = PumpTypeCodeOf(pumpType);
    if (pumpType.isEmpty() || sysType.isEmpty()) return true;
    if (sysType == QLatin1String("PUMPED"))
        return code == kPumpCentrif || code == kPumpTurbine || code == kPumpPropeller || code == kPumpBooster ||
               code == kPumpAuto;
    if (sysType == QLatin1String("PRESSURE")) return code == kPumpPressFind || code == kPumpPressKnown;
    return code == kPumpInlineBooster;
}

// A table's rows go; the table is left open or closed as it was.
void EmptyKeepingState(db::Table* t)
{
    const bool wasOpen = t->Active();
    if (wasOpen)
        t->Close();
    t->EmptyTable();
    if (wasOpen)
        t->Open();
}

// Empties what the runs work out: the header's pump results, each profile
// row's grades, pressures, losses, warnings, surge, valve and block sizes.
void ForgetRunResults()
{
    TDMod* d = DMod;
    for (db::Field* f : {d->WorkPipeTableTDH, d->WorkPipeTableWHP, d->WorkPipeTableBHP, d->WorkPipeTableMotorHP,
                         d->WorkPipeTableOnElev, d->WorkPipeTableOffElev})
        if (!f->IsNull()) f->Clear();
    // The job object's copies too: a run that does not work a value out
    // (a tank's grades in a gravity line) writes back what it holds.
    Tul->TDH = Tul->WHP = Tul->BHP = Tul->OnElev = Tul->OffElev = 0.0;
    Tul->MotorSize.clear();
    db::Table* prof = d->WorkProfTable;
    // A profile still being entered has no results, and its row is not to be posted here.
    if (!prof->Active() || prof->State() == db::DataSetState::Insert) return;
    static const char* const results[] = {"TSta", "RchLen", "Kloss", "Floss",    "Warning",    "Vel",
                                          "Psi",  "Hgl",    "Egl",   "Sgl",      "StatPres",   "FlowType",
                                          "Re",   "F",      "CalcMethod", "AirVacSize", "Surge", "ThBlockArea",
                                          "CostFt", "RchCost"};
    prof->CheckBrowseMode();
    const qint64 at = prof->GetBookmark();
    for (prof->First(); !prof->Eof(); prof->Next()) {
        for (const char* name : results) {
            db::Field* f = prof->FieldByName(QLatin1String(name));
            if (f->IsNull()) continue;
            if (prof->State() == db::DataSetState::Browse) prof->Edit();
            f->Clear();
        }
        if (prof->State() == db::DataSetState::Edit) prof->Post();
    }
    prof->GotoBookmark(at);
}

} // namespace

void TakeAwayOtherKindsValues(const QString& sysTypeBefore, const QString& pumpTypeBefore)
{
    TDMod* d = DMod;
    TTul& t = *Tul;
    const QString sysType = d->WorkPipeTableSysType->AsString();
    if (!SystemHasPumpType(sysType, d->WorkPipeTablePumpType->AsString())) {
        d->WorkPipeTablePumpType->SetAsString(QString());
        t.PumpTypeCode = kPumpNone;
    }
    // The same kind again (System and OK) keeps all it has.
    if (sysType == sysTypeBefore && d->WorkPipeTablePumpType->AsString() == pumpTypeBefore) return;
    // Another run computes the job now: the last run's results go, as they
    // are none of its own (a head, a motor, a surge it does not work out).
    ForgetRunResults();
    const QString kind = KindOwning(sysType, d->WorkPipeTablePumpType->AsString());
    if (kind.isEmpty()) return;
    const QString kindBefore = KindOwning(sysTypeBefore, pumpTypeBefore);
    const bool sameKind = kind == kindBefore;
    if (!sameKind) {
        // The kind left has lost its values: it takes its defaults again
        // when it comes back, as it does the first time.
        t.PumpKindsDefaulted.removeAll(kindBefore);
        // The outlet pressure a booster gave a line that had none goes with it.
        if (kindBefore == QLatin1String("INLINE BOOSTER") && t.BoosterSetOutletPsi &&
            d->WorkPipeTableOutletPsi->AsFloat() == 1.0) {
            d->WorkPipeTableOutletPsi->SetAsFloat(0.0);
            d->WorkPipeTableReqOutletWS->Clear();
            t.OutletPsi = 0.0;
        }
        t.BoosterSetOutletPsi = false;
    }

    const QStringList pumps = {"CENTRIF", "TURBINE", "PROPELLER", "BOOSTER", "AUTOPUMP", "INLINE BOOSTER"};
    const std::pair<db::Field*, QStringList> owned[] = {
        {d->WorkPipeTablePsiIn, {"PRESSURE", "BOOSTER"}},
        {d->WorkPipeTablePumpEyeElev, pumps},
        {d->WorkPipeTablePumpEffic, pumps},
        {d->WorkPipeTableClearHead, pumps + QStringList{"PRESSURE"}},
        {d->WorkPipeTableAltitude, {"CENTRIF"}},
        {d->WorkPipeTableWaterTemp, {"CENTRIF"}},
        {d->WorkPipeTableTankRange, {"AUTOPUMP"}},
    };
    for (const auto& [field, owners] : owned)
        if (!owners.contains(kind) && !field->IsNull()) field->Clear();

    // A column loss is its kind's own: a propeller's column, a tank's
    // piping, a centrifugal pump's suction line (with the line's heads),
    // each counted as the entrance loss of whatever pump has it.
    auto zero = [](db::Field* f) {
        if (!f->IsNull() && f->AsFloat() != 0.0) f->SetAsFloat(0.0);
    };
    const bool column = kind == QLatin1String("CENTRIF") || kind == QLatin1String("PROPELLER") ||
                        kind == QLatin1String("AUTOPUMP");
    if (!sameKind || !column) {
        zero(d->WorkPipeTableColumnLoss);
        t.ColumnLoss = 0.0;
    }
    if (kind != QLatin1String("CENTRIF")) {
        for (db::Field* f : {d->WorkPipeTableTDSH, d->WorkPipeTableAvailSH, d->WorkPipeTableNoSucSegs}) zero(f);
        t.tdsh = 0.0;
        // Its suction line goes with it: a run would compute it again.
        EmptyKeepingState(d->WorkSuctionTable);
        t.SuctionSegmentNo = 0;
    }

    // -100 marks an entrance without a water surface; it is no water surface.
    db::Field* ws = d->WorkPipeTableWSElev;
    const bool marked = !ws->IsNull() && ws->AsFloat() == kNoWaterSurface;
    if (kind == QLatin1String("PRESSURE") || kind == QLatin1String("BOOSTER")) {
        if (!marked && !ws->IsNull()) t.WaterSurfaceTakenAway = ws->AsFloat();
        if (!marked) ws->SetAsFloat(kNoWaterSurface);
    } else if (marked) {
        if (t.WaterSurfaceTakenAway) ws->SetAsFloat(*t.WaterSurfaceTakenAway);
        else ws->Clear();
    }
}

namespace {

const QString kInLineText = QStringLiteral("In line (normal)");

void EditUnlessEditing(db::Table* t)
{
    if (t->State() != db::DataSetState::Edit && t->State() != db::DataSetState::Insert)
        t->Edit();
}

void PostIfEditing(db::Table* t)
{
    if (t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert)
        t->Post();
}

void OpenIfClosed(db::Table* t)
{
    if (!t->Active())
        t->Open();
}

// The stored values of a table's current row, to be put back as they were.
std::vector<QVariant> RowValues(db::Table* t)
{
    std::vector<QVariant> values;
    for (int i = 0; i < t->FieldCount(); ++i)
        values.push_back(t->Fields(i)->Calculated() ? QVariant() : t->Fields(i)->Value());
    return values;
}

void PutRowValues(db::Table* t, const std::vector<QVariant>& values)
{
    for (int i = 0; i < t->FieldCount() && i < static_cast<int>(values.size()); ++i)
        if (!t->Fields(i)->Calculated())
            t->Fields(i)->SetValue(values[i]);
}

void RefuseNode(const QString& text)
{
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

// The dialog shows and edits the node's row, so the profile's controls
// follow the table while it is open.
void OpenKindDialog(db::Table* prof, const char* kind)
{
    if (!NodeKindDialogOpener)
        return;
    prof->EnableControls();
    struct Disable {
        db::Table* t;
        ~Disable() { t->DisableControls(); }
    } disable{prof};
    NodeKindDialogOpener(QString::fromLatin1(kind));
}

// The header and the node both take the end node's ground as the outlet.
// A required outlet level set before there was an end (an in-line booster's
// one psi) stands on this outlet from now on.
void SetOutletAtNode(TDMod* d)
{
    EditUnlessEditing(d->WorkPipeTable);
    d->WorkPipeTableOutletElev->SetAsFloat(d->WorkProfTableGroundElev->AsFloat());
    if (d->WorkPipeTableOutletPsi->AsFloat() != 0.0)
        SetRequiredOutletLevel();
    d->WorkPipeTable->Post();
}


// Text of an invert method as the first two rows show it: any method other
// than 0 and 1 reads as the ground-level one.
QString EntranceMethodText(int method)
{
    return InvElMethodText(method == 0 || method == 1 ? method : 2);
}

// Invert method of a node whose kind was just chosen. Only a new node takes
// the defaults; an edited one keeps its method, depth and invert and only
// has the method's text written again.
void ApplyInvertDefaults(TTul& t)
{
    TDMod* d = DMod;
    const int recordNo = d->WorkProfTableRecordNo->AsInteger();
    db::Field* method = d->WorkProfTableInvElMethod;
    db::Field* depth = d->WorkProfTablePipeDepth;
    db::Field* invert = d->WorkProfTableInvertElev;
    if (recordNo == 1 || (recordNo == 2 && t.NumNodes > 1)) {
        if (t.NewNode)
            method->SetAsInteger(recordNo == 1 ? 1 : d->DefLocTableInvElMethod->AsInteger());
        const int m = method->AsInteger();
        if (t.NewNode) {
            depth->SetAsFloat(m == 0 ? d->DefLocTableDepthOfCover->AsFloat() : 0.0);
            // An invert to be worked out or typed has none yet: 0 would
            // read as one entered.
            if (m == 0 || m == 1)
                invert->Clear();
            else
                invert->SetValue(d->WorkProfTableGroundElev->Value());
        }
        d->WorkProfTableInvElMethDesc->SetAsString(EntranceMethodText(m));
    } else if (recordNo > 2 && t.NumNodes > 2) {
        t.LocateProfStation();
        if (t.NewNode)
            method->SetAsInteger(t.InvElMethod);
        const int m = method->AsInteger();
        if (m >= 0 && m <= 2) {
            if (t.NewNode) {
                depth->SetAsFloat(m == 0 ? t.PipeDepth : 0.0);
                invert->Clear();
            }
            d->WorkProfTableInvElMethDesc->SetAsString(InvElMethodText(m));
        }
    }
}

} // namespace

void TTul::ApplyNodeTypeChoice()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    db::Table* pipe = d->WorkPipeTable;
    OpenIfClosed(d->DefLocTable);
    prof->DisableControls();
    struct Enable {
        db::Table* t;
        ~Enable()
        {
            if (t->ControlsDisabled())
                t->EnableControls();
        }
    } enable{prof};

    EditUnlessEditing(pipe);
    d->WorkProfTableFinished->SetAsBoolean(true);

    const QString sysType = d->WorkPipeTableSysType->AsString();
    const int kind = NodeTypeCodeOf(d->WorkProfTableNodeTypeDesc->AsString());
    const int kindBefore = d->WorkProfTableNodeType->IsNull() ? -1 : d->WorkProfTableNodeType->AsInteger();
    bool refused = false;
    // Only an in-line node takes lateral flows (the dialogs grey them out for
    // every other kind): a flow left from an earlier kind goes, before a
    // node-kind dialog ties the profile's flows to a manifold.
    bool flowsDropped = false;
    auto dropFlows = [&] {
        for (db::Field* f : {d->WorkProfTableInQ, d->WorkProfTableOutQ}) {
            if (!f->IsNull() && f->AsFloat() != 0.0) {
                f->SetAsFloat(0.0);
                flowsDropped = true;
            }
        }
    };
    auto accept = [&](int code, bool endNode) {
        if (code != 1) dropFlows();
        // A set pressure belongs to its reducer or booster: a node made
        // another kind has none, and a booster's dialog gives a new booster
        // its own.
        if (code != kindBefore && code != 2 && !d->WorkProfTablePsiSet->IsNull() &&
            d->WorkProfTablePsiSet->AsFloat() != 0.0)
            d->WorkProfTablePsiSet->SetAsFloat(0.0);
        d->WorkProfTableNodeType->SetAsInteger(code);
        d->WorkProfTableReachType->SetAsString(ReachKeywordOf(sysType, code));
        NodeChoice = code;
        EndNodeChosen = endNode;
    };
    // A refused kind: the node keeps the kind it had (an in-line node when
    // that was an end, none or the refused kind itself), and says so.
    auto refuseKeepingKind = [&](const QString& why) {
        const int keep = kindBefore >= 0 && kindBefore <= 3 && kindBefore != kind ? kindBefore : 1;
        d->WorkProfTableNodeType->SetAsInteger(keep);
        d->WorkProfTableNodeTypeDesc->SetAsString(NodeTypeText(keep));
        if (keep != kindBefore) d->WorkProfTableReachType->SetAsString(ReachKeywordOf(sysType, keep));
        RefuseNode(why);
        refused = true;
    };
    // Only the last node ends the line: a run would go on through an end in
    // mid-profile and compute the reaches below it without their pipe.
    auto refuseEndInMidProfile = [&] {
        if (CurrentNodeIsLast()) return false;
        refuseKeepingKind(QStringLiteral("Only the last node of the profile can be an end node."));
        return true;
    };

    switch (kind) {
    case 0:
        accept(0, false);
        break;
    case 1:
        accept(1, false);
        break;
    case 2:
        if (const QString line = LineWithoutBoosters(sysType); !line.isEmpty()) {
            refuseKeepingKind(QStringLiteral("Sorry, Can't put a booster pump in a %1 pipeline").arg(line));
            break;
        }
        accept(2, false);
        PumpTypeCode = 8;
        d->WorkPipeTablePumpType->SetAsString(QStringLiteral("INLINE BOOSTER"));
        d->WorkPipeTableNoSucSegs->SetAsInteger(0);
        BoosterNodeChosen = kindBefore != 2;
        OpenKindDialog(prof, "Booster");
        BoosterNodeChosen = false;
        break;
    case 3:
        accept(3, false);
        break;
    case 4:
        if (refuseEndInMidProfile()) break;
        accept(4, true);
        SetOutletAtNode(d);
        break;
    case 5:
    case 6: {
        if (refuseEndInMidProfile()) break;
        if (sysType == QLatin1String("FULLFLOW")) {
            // A wide open line has no head to spare: the node stays a plain end.
            d->WorkProfTableNodeType->SetAsInteger(4);
            d->WorkProfTableReachType->SetAsString(ReachKeywordOf(sysType, 4));
            EndNodeChosen = true;
            RefuseNode(kind == 5 ? QStringLiteral("Sorry, Can't put gated pipe on end of wide open pipeline.")
                                 : QStringLiteral("Sorry, Can't put manifold on end of wide open pipeline."));
            refused = true;
            break;
        }
        // A gated-pipe end made a manifold end or the other way round: the
        // new kind starts afresh, and a cancel of its dialog gives the node
        // back its old kind with the old kind's rows.
        const bool otherEnd = (kindBefore == 5 || kindBefore == 6) && kindBefore != kind;
        const double stationBefore = d->WorkProfTableStation->AsFloat();
        const std::vector<QVariant> nodeBefore = RowValues(prof);
        const std::vector<QVariant> headerBefore = RowValues(pipe);
        const QString pipeTypeBefore = PipeType;
        db::Table* newRows = kind == 5 ? d->WorkGatedTable : d->WorkTrickleTable;
        if (otherEnd)
            EmptyKeepingState(newRows);
        if (kind == 5)
            accept(5, true);
        else
            accept(6, true);
        SysHas = kind == 5 ? 1 : 2;
        EditUnlessEditing(pipe);
        d->WorkPipeTableSysHas->SetAsInteger(SysHas);
        if (kind == 5) {
            PipeType = d->DefLocTableGatedPipeType->AsString();
            d->WorkProfTablePipeType->SetAsString(PipeType);
        }
        d->WorkProfTablePipeQ->SetAsFloat(PipeQ);
        SetOutletAtNode(d);
        if (kind == 5) {
            db::Table* gated = d->WorkGatedTable;
            OpenIfClosed(gated);
            gated->Edit(); // an empty table starts its one row
            d->WorkGatedTableStartElev->SetAsFloat(d->WorkProfTableGroundElev->AsFloat());
            gated->Post();
        }
        Cancelled = false;
        OpenKindDialog(prof, kind == 5 ? "Gated" : "Manifold");
        if (otherEnd && Cancelled) {
            EmptyKeepingState(newRows);
            LocateForEdit(prof, d->WorkProfTableStation, stationBefore, false);
            PutRowValues(prof, nodeBefore);
            d->WorkProfTableNodeTypeDesc->SetAsString(NodeTypeText(kindBefore));   // it holds the choice
            EditUnlessEditing(pipe);
            PutRowValues(pipe, headerBefore);
            PipeType = pipeTypeBefore;
            NodeChoice = kindBefore;
            SysHas = kindBefore == 5 ? 1 : 2;
            refused = true;
        }
        break;
    }
    default:
        RefuseNode(QStringLiteral("Node type not selected"));
        break;
    }

    // A gated-pipe or manifold end given another kind: the job no longer
    // ends in one, and its gated pipe or manifold goes with it (an end of
    // that kind made later starts its own).
    if (!refused && kind >= 0 && kind != kindBefore && (kindBefore == 5 || kindBefore == 6)) {
        if (kind <= 4)
            ForgetGatedOrManifoldEnd();
        EmptyKeepingState(kindBefore == 5 ? d->WorkGatedTable : d->WorkTrickleTable);
    }

    if (!refused) {
        if (NodeChoice == 4)
            d->WorkProfTableDownStreamPipeDescription->SetAsString(QString());
        ApplyInvertDefaults(*this);
        // The node's losses are the line's whatever its kind: the fittings
        // entered are still there, and so is the pipe's change of size (a
        // coded loss). Only a slot without a loss yet reads 0.
        for (db::Field* k : {d->WorkProfTableK1, d->WorkProfTableK2, d->WorkProfTableK3})
            if (k->IsNull()) k->SetAsFloat(0.0);
    }

    // The last booster node given another kind takes the job's in-line
    // booster pump with it.
    if (!refused && kind >= 0 && kind != 2 && kindBefore == 2)
        DropInlineBoosterWhenNoneLeft();

    if (d->WorkProfTableNodeType->AsInteger() != 1) dropFlows();
    LocateProfStation();
    // The flows down the profile without the dropped ones.
    if (flowsDropped) RefreshManifoldSupply();
    PostIfEditing(pipe);
}

void TTul::FillNewProfRow()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    OpenIfClosed(d->DefLocTable);
    EditUnlessEditing(d->WorkPipeTable);
    NumNodes = prof->RecordCount();
    d->WorkPipeTableNumNodes->SetAsInteger(NumNodes);
    d->WorkPipeTable->Post();

    // The new node carries on the pipe and flow of the node loaded last.
    d->WorkProfTableJobNumber->SetAsInteger(JobNumber);
    WriteReachPipe();
    d->WorkProfTablePipeQ->SetAsFloat(PipeQ);
    d->WorkProfTablePipeDepth->SetAsFloat(PipeDepth);
    d->WorkProfTableInQ->SetAsFloat(0.0);
    d->WorkProfTableOutQ->SetAsFloat(0.0);
    d->WorkProfTablePsiSet->SetAsFloat(0.0);
    d->WorkProfTableFitting->SetAsString(d->DefLocTableFitting->AsString());
    d->WorkProfTableSoil->SetAsString(d->DefLocTableSoil->AsString());
    d->WorkProfTableThBlkSoil->SetAsFloat(d->DefLocTableThBlkSoil->AsFloat());
    LocateProfStation();

    const int recordNo = d->WorkProfTableRecordNo->AsInteger();
    if (recordNo >= 2) {
        SysHas = 0;
        d->WorkProfTableNodeType->SetAsInteger(1);
        d->WorkProfTableNodeTypeDesc->SetAsString(kInLineText);
        // The second node takes the local defaults, later ones the method of
        // the node before.
        const int m = recordNo == 2 ? d->DefLocTableInvElMethod->AsInteger() : InvElMethod;
        d->WorkProfTableInvElMethod->SetAsInteger(m);
        if (recordNo == 2 || (m >= 0 && m <= 2)) {
            d->WorkProfTableInvElMethDesc->SetAsString(EntranceMethodText(m));
            double depth = 0.0;
            if (m == 0)
                depth = recordNo == 2 ? d->DefLocTableDepthOfCover->AsFloat() : PipeDepth;
            d->WorkProfTablePipeDepth->SetAsFloat(depth);
            d->WorkProfTableInvertElev->Clear();   // none until worked out or typed
        }
    }
    LocateProfStation();
}

void TTul::AdjustSupplyFlowToManifold()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    OpenIfClosed(prof);
    if (prof->RecordCount() <= 1)
        return;
    prof->First();
    EditUnlessEditing(prof);
    PipeQ = d->WorkPipeTableDesignFlow->AsFloat();
    db::ControlsOff still(prof);
    prof->First();

    auto writeFlow = [&] {
        EditUnlessEditing(prof);
        d->WorkProfTablePipeQ->SetAsFloat(PipeQ);
        prof->Post();
    };
    for (; !prof->Eof(); prof->Next()) {
        if (d->WorkProfTableInQ->AsFloat() > 0)
            PipeQ += d->WorkProfTableInQ->AsFloat();
        if (d->WorkProfTableOutQ->AsFloat() > 0)
            PipeQ -= d->WorkProfTableOutQ->AsFloat();
        writeFlow();
    }

    // A manifold that was never tied back (its dialog cancelled) asks for no
    // flow: the line keeps the flow the user gave it.
    const double manifoldQ = d->WorkPipeTableTriclEntQ->AsFloat();
    if (d->WorkPipeTableSysHas->AsInteger() == 2 && manifoldQ > 0 && manifoldQ != PipeQ) {
        ui::MessageDlg(QStringLiteral("Flow rate in supply line will be adjusted to Manifold requirement"),
                       ui::MsgType::Information, ui::mbOK);
        // Upward from the manifold: a row's flow leaves its node, so the reach
        // above it carries that flow less the node's inflow plus its outflow.
        // What is left at the top is the flow the entrance must take in, so
        // that carrying it down again meets the manifold.
        PipeQ = manifoldQ;
        prof->Last();
        for (; !prof->Bof(); prof->Prior()) {
            writeFlow();
            if (d->WorkProfTableInQ->AsFloat() > 0)
                PipeQ -= d->WorkProfTableInQ->AsFloat();
            if (d->WorkProfTableOutQ->AsFloat() > 0)
                PipeQ += d->WorkProfTableOutQ->AsFloat();
        }
        EditUnlessEditing(d->WorkPipeTable);
        d->WorkPipeTableDesignFlow->SetAsFloat(PipeQ);
    }
}

void TTul::RefreshManifoldSupply()
{
    AdjustSupplyFlowToManifold();
    LocateProfStation();
}
