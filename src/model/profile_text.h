#pragma once
// Reads a profile text file of station and ground-elevation pairs. The whole
// text is checked before anything is written, so that a bad file never
// costs the profile already in the job.
#include <QByteArray>
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

// True when the bytes can be a text file: valid UTF-8 (ASCII included)
// without control characters (C0, DEL or C1) other than tabs, line ends and
// form feeds. A file that is not text is refused without quoting any of it.
bool IsProfileText(const QByteArray& bytes);

// Numbers are separated by commas, blanks, tabs or line ends (CR LF too).
// Stations must increase and lie in 0..999999 ft, elevations in
// -9999.99..9999.99 ft; at most MaxProfileNodes pairs, at least one.
ProfTextResult ParseProfileText(const QString& text);

// Replaces WorkProfTable with a profile through the pairs, with the reach
// keywords of the job's system type: the
// entrance first, in-line nodes between, the end node last. The pairs must
// come from a good parse (at least one).
void WriteImportedProfile(const std::vector<ProfTextPair>& pairs);

// The station and ground-elevation pairs of WorkProfTable in station order,
// for writing the profile again after the user touched it up. A row without
// either value makes the result empty and is given in `incompleteRow`
// (1-based; 0 when every row is whole).
std::vector<ProfTextPair> WorkProfilePairs(int* incompleteRow);
