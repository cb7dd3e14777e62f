#pragma once
// What a run hands back to whoever shows its results: whether they stand,
// and the faults it wrote on its rows without a message.
#include <QString>
#include <QStringList>

struct RunStatus {
    // Why the results cannot be shown (a refusal, or a part they depend on
    // that was not computed), as the run's message said it; empty when they
    // stand.
    QString notComputed;
    // Faults the run marked on its rows without a message, each with its
    // station.
    QStringList unsaid;

    bool Computed() const { return notComputed.isEmpty(); }
    // The first reason stands.
    void NotComputed(const QString& why)
    {
        if (notComputed.isEmpty())
            notComputed = why;
    }
    // A run made within this one (the gated pipe at the line's end) counts
    // with it.
    void Take(const RunStatus& part)
    {
        if (!part.Computed())
            NotComputed(part.notComputed);
        unsaid += part.unsaid;
    }
};

// A run refused before it stored anything, for the reason its message gave.
inline RunStatus NotComputedStatus(const QString& why)
{
    RunStatus status;
    status.notComputed = why;
    return status;
}
