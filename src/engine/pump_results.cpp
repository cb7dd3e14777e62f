#include "engine/pump_results.h"

#include "engine/gravity_run.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/station.h"
#include "platform/db/db.h"

namespace {

// The header's motor field holds this many characters.
constexpr int kMotorFieldChars = 16;

QString Fixed2(double x)
{
    return QString::number(Finite(x), 'f', 2);
}

} // namespace

QString MotorSizeFor(double bhp)
{
    struct Rung {
        double limit;
        const char* size;
    };
    static const Rung ladder[] = {
        {0.333, "1/3"}, {0.505, "1/2"},   {0.7575, "3/4"}, {1.01, "1"},    {2.02, "2"},
        {3.03, "3"},    {5.05, "5"},      {7.575, "7-1/2"}, {10.1, "10"},  {15.15, "15"},
        {20.2, "20"},   {25.25, "25"},    {30.3, "30"},    {40.4, "40"},   {50.5, "50"},
        {60.6, "60"},   {75.75, "75"},    {101.0, "100"},  {126.25, "125"}, {151.5, "150"},
        {202.0, "200"},
    };
    for (const Rung& r : ladder)
        if (bhp <= r.limit)
            return QString::fromLatin1(r.size);
    return QStringLiteral("Special design");
}

PumpSizing PumpFor(double head, double flowGpm, double efficiencyPct)
{
    PumpSizing p;
    p.whp = head * flowGpm * (1.0 / 3960.0);
    if (efficiencyPct > 0) {
        p.bhp = p.whp / efficiencyPct * 100.0;
        p.motor = MotorSizeFor(p.bhp);
    }
    return p;
}

void SizePumpMotor(double flowGpm, const QString& noEfficiency)
{
    const PumpSizing p = PumpFor(Tul->TDH, flowGpm, Tul->PumpEffic);
    Tul->WHP = p.whp;
    // Results of an earlier run must not pass for this one's.
    Tul->BHP = p.bhp;
    Tul->MotorSize = p.motor;
    if (!(Tul->PumpEffic > 0))
        Warn(noEfficiency);
}

QString PumpFiguresText(double head, double flowGpm, double efficiencyPct)
{
    const PumpSizing p = PumpFor(head, flowGpm, efficiencyPct);
    QString text = QStringLiteral("head ") + Fixed2(head) + QStringLiteral(" ft, ") + Fixed2(p.whp)
                   + QStringLiteral(" water hp");
    if (!p.motor.isEmpty())
        text += QStringLiteral(", ") + Fixed2(p.bhp) + QStringLiteral(" brake hp, ") + p.motor
                + (p.motor.front().isDigit() ? QStringLiteral(" hp motor") : QStringLiteral(" motor"));
    return text;
}

QString MotorsText(const QStringList& motors)
{
    const QString all = motors.join(QStringLiteral(" + "));
    return all.size() <= kMotorFieldChars ? all : QStringLiteral("See each booster");
}

double StoredBoosterHead()
{
    const TDMod* d = DMod;
    return BoosterHead(d->WorkProfTableVel->AsFloat(), d->WorkProfTablePsiSet->AsFloat(),
                       d->WorkProfTableInvertElev->AsFloat(), d->WorkProfTableEgl->AsFloat());
}

double StoredGradeBelowNode()
{
    const TDMod* d = DMod;
    OpenIfClosed(d->WorkPipeTable);
    const double arriving = d->WorkProfTableHgl->AsFloat();
    const double psiSet = d->WorkProfTablePsiSet->AsFloat();
    if (!(psiSet > 0))
        return arriving;
    const double setHgl = kGravFtPerPsi * psiSet + d->WorkProfTableInvertElev->AsFloat();
    switch (d->WorkProfTableNodeType->AsInteger()) {
    case kBoosterNode:
        return PumpTypeCodeOf(d->WorkPipeTablePumpType->AsString()) == kPumpInlineBooster ? setHgl : arriving;
    case kReducerNode:
        return ReducerStarved(arriving, setHgl) ? arriving : setHgl;
    default:
        return arriving;
    }
}

QString RequiredInletPressureText()
{
    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    if (PumpTypeCodeOf(DMod->WorkPipeTablePumpType->AsString()) != kPumpPressFind)
        return QString();
    return QString::fromLatin1(kRequiredInletCaption) + QLatin1Char(' ') + Fixed2(DMod->WorkPipeTablePsiIn->AsFloat())
           + QStringLiteral(" psi");
}

QStringList StoredPumpResults()
{
    TDMod* d = DMod;
    OpenIfClosed(d->WorkPipeTable);
    QStringList lines;
    if (PumpTypeCodeOf(d->WorkPipeTablePumpType->AsString()) == kPumpInlineBooster) {
        db::Table* prof = d->WorkProfTable;
        OpenIfClosed(prof);
        const double effic = d->WorkPipeTablePumpEffic->AsFloat();
        const qint64 at = prof->GetBookmark();
        for (prof->First(); !prof->Eof(); prof->Next())
            if (d->WorkProfTableNodeType->AsInteger() == kBoosterNode)
                lines << QStringLiteral("In-line booster at Sta ") + d->WorkProfTableTSta->AsString()
                             + QStringLiteral(": ")
                             + PumpFiguresText(StoredBoosterHead(), d->WorkProfTablePipeQ->AsFloat(), effic);
        prof->GotoBookmark(at);
    }
    const QString mainPressure = RequiredInletPressureText();
    if (!mainPressure.isEmpty())
        lines << mainPressure;
    return lines;
}
