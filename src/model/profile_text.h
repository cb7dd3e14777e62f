#pragma once
// Reads a profile text file of station and ground-elevation pairs. The whole
// text is checked before anything is written, so that a bad file never
// costs the profile already in the job.
#include <QString>

#include <vector>

struct ProfTextPair {
    double station = 0.0;
    double groundElev = 0.0;
};

struct ProfTextResult {
    std::vector<ProfTextPair> pairs;
    QString error;   // empty when the text was good; names the line otherwise
    bool ok() const { return error.isEmpty(); }
};

// The most nodes a profile may hold.
constexpr int MaxProfileNodes = 100;

// The largest profile text file read. A hundred pairs need a few kilobytes
// even with generous spacing; a larger file is not a profile and is refused
// before it is read.
constexpr qint64 MaxProfileTextBytes = 64 * 1024;

// Numbers are separated by commas, blanks, tabs or line ends (CR LF too).
// Stations must increase and lie in 0..999999 ft, elevations in
// -9999.99..9999.99 ft; at most MaxProfileNodes pairs, at least one.
ProfTextResult ParseProfileText(const QString& text);

// Replaces WorkProfTable with a profile through the pairs, with the reach
// keywords of the job's system type: the
// entrance first, in-line nodes between, the end node last. The pairs must
// come from a good parse (at least one).
void WriteImportedProfile(const std::vector<ProfTextPair>& pairs);
