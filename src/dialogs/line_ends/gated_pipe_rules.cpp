#include "dialogs/line_ends/gated_pipe_rules.h"

#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "platform/ui/seam/msg.h"

#include <cmath>

namespace {

constexpr double kFeetPerPsi = 2.3071244;
constexpr double kPsiPerFoot = 0.43344;

} // namespace

GateLayoutResult CheckGateLayout(double q, double gateFlow, double gateSpace, double startSta, double endSta)
{
    GateLayoutResult r;
    if (!(gateFlow > 0.0)) {
        r.check = GateLayoutCheck::NoGateFlow;
        r.text = QStringLiteral("Enter the design flow per gate: it must be more than 0 gpm.");
        return r;
    }
    if (!(endSta > startSta)) {
        r.check = GateLayoutCheck::NoLength;
        r.text = QStringLiteral("The end gated station must lie beyond the start gated station.");
        return r;
    }
    GateLayout& g = r.layout;
    g.gates = static_cast<int>(q / gateFlow);   // whole gates only: truncated
    g.openLength = gateSpace / 12.0 * g.gates;
    g.firstEnd = startSta + g.openLength;
    g.lastStart = endSta - g.openLength;
    const double perFoot = q * gateSpace / 12.0;
    if (endSta < g.firstEnd) {
        r.check = GateLayoutCheck::TooManyGates;
        r.text = QStringLiteral("Review design. Too many gates for length of pipe. Minimum flow required = ")
                 + FixedText(perFoot / (endSta - startSta), 8, 2);
    } else if (g.firstEnd > g.lastStart) {
        r.check = GateLayoutCheck::Overlap;
        r.text = QStringLiteral("Review design. Begin and end segments overlap. Flow for abutting segments = ")
                 + FixedText(perFoot / (0.5 * (endSta - startSta)), 8, 2);
    } else {
        r.text = QStringLiteral("Intermediate start station must be between stations") + Hyd->StationText(g.firstEnd)
                 + QStringLiteral(" and ") + Hyd->StationText(g.lastStart - g.openLength) + QStringLiteral(".");
    }
    return r;
}

std::optional<double> EntranceVelocity(double q, double diaIn)
{
    if (!(diaIn > 0.0))
        return std::nullopt;
    return q * kCfsPerGpm / (kSqFtPerSqIn * diaIn * diaIn);
}

bool StoreGatedVelocity()
{
    TDMod* m = DMod;
    const auto v = EntranceVelocity(m->WorkGatedTablePipeQ->AsFloat(), m->WorkGatedTableDiaIn->AsFloat());
    EditIfBrowsing(m->WorkGatedTable);
    if (!v) {
        m->WorkGatedTablePipeVel->Clear();
        ui::MessageDlg(QStringLiteral("The gated pipe has no inside diameter yet: choose its pipe to get the velocity."),
                       ui::MsgType::Warning, ui::mbOK);
        return false;
    }
    SetFixed(m->WorkGatedTablePipeVel, *v, 6, 2);
    return true;
}

QString WaterSurfaceFromPsi(double startElev, double psi)
{
    return FixedText(startElev + kFeetPerPsi * psi, 6, 1);
}

QString PsiFromWaterSurface(double startElev, double wsElev)
{
    return FixedText((wsElev - startElev) * kPsiPerFoot, 6, 2);
}

void KeepEntrancePair(bool psiGiven)
{
    TDMod* m = DMod;
    OpenIfClosed(m->WorkPipeTable);
    OpenIfClosed(m->WorkGatedTable);
    const double startElev = m->WorkGatedTable->IsEmpty() ? 0.0 : m->WorkGatedTableStartElev->AsFloat();
    // Nothing given yet (a new job): nothing to derive, and an inlet
    // pressure of 0 still asks for the entrance condition.
    if ((psiGiven ? m->WorkPipeTablePsiIn : m->WorkPipeTableWSElev)->IsNull())
        return;
    EditIfBrowsing(m->WorkPipeTable);
    if (psiGiven)
        m->WorkPipeTableWSElev->SetAsString(WaterSurfaceFromPsi(startElev, m->WorkPipeTablePsiIn->AsFloat()));
    else
        m->WorkPipeTablePsiIn->SetAsString(PsiFromWaterSurface(startElev, m->WorkPipeTableWSElev->AsFloat()));
}
