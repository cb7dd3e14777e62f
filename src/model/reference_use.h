#pragma once
// Where the stored and working jobs use rows of the reference tables.
//
// A job copies what it needs of a pipe and of its material into its own
// rows when the pipe is chosen: the material name, the pipe description and
// the material's friction factors. These functions find the stored jobs that
// still name a pipe or a material (before either is deleted or renamed), and
// carry a material's changed friction factors into the job rows that name
// it, so that the next computation of those jobs uses them.
#include <QString>
#include <QStringList>

// Names of the stored jobs whose rows name the pipe, in name order.
QStringList JobsUsingPipe(const QString& material, const QString& description);
// Names of the stored jobs whose rows name the material, in name order.
QStringList JobsUsingMaterial(const QString& material);
// The jobs named (at most ten, then how many more): "A, B and 3 more".
QString JobListText(const QStringList& jobs);
// The warning shown before a used reference row is deleted: names the jobs.
// `what` says what the row is.
QString UsedByJobsText(const QString& what, const QStringList& jobs);

// What names a pipe material: the pipe sizes of it (by name or by its
// number), the local defaults, the job being worked on and stored jobs.
struct MaterialUse {
    int pipes = 0;
    bool defaults = false;
    bool workingJob = false;
    QStringList storedJobs;      // in name order
    bool Any() const { return pipes > 0 || defaults || workingJob || !storedJobs.isEmpty(); }
};
MaterialUse UsesOfMaterial(const QString& material, int ptype);
// "40 pipes, the local defaults, the job being worked on and the stored
// jobs A, B": the users the text names, in that order.
QString MaterialUseText(const MaterialUse& use);

// Writes the factors into the working and stored reaches, suction segments
// and gated pipes of the material that hold other factors, and says which
// jobs that changed.
struct SpreadResult {
    QStringList storedJobs;      // in name order
    bool workingJob = false;
};
SpreadResult SpreadMaterialFactors(const QString& material, double cFactor, double nFactor, double eFactor);
