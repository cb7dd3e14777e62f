#pragma once
// Where the stored and working jobs use rows of the reference tables.
//
// A job copies what it needs of a pipe and of its material into its own
// rows when the pipe is chosen: the material name, the pipe description and
// the material's friction factors. These functions find the stored jobs that
// still name a pipe or a material (before either is deleted), and carry a
// material's changed friction factors into the job rows that name it, so
// that the next computation of those jobs uses them.
#include <QString>
#include <QStringList>

// Names of the stored jobs whose rows name the pipe, in name order.
QStringList JobsUsingPipe(const QString& material, const QString& description);
// Names of the stored jobs whose rows name the material, in name order.
QStringList JobsUsingMaterial(const QString& material);
// The warning shown before a used reference row is deleted: names the jobs
// (at most ten, then how many more). `what` says what the row is.
QString UsedByJobsText(const QString& what, const QStringList& jobs);

// Writes the factors into every working and stored reach, suction segment
// and gated pipe of the material. Returns the number of rows changed.
int SpreadMaterialFactors(const QString& material, double cFactor, double nFactor, double eFactor);
