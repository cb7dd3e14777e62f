#pragma once
// A SQLite file system laid over the default one that fails what a test tells
// it to fail, on the files whose path matches: a full disk or a disk error on
// writing, a folder where no file may be made, a disk that loses writes while
// it reports success. The first one made becomes the default
// file system for good, so every connection opened after it goes through it;
// the faults hold while the object lives.
//
//   FaultVfs faults;
//   faults.Fail(FaultVfs::Op::Write, "/MERSOL\\.sqlite$", SQLITE_IOERR_WRITE);
#include <QString>

namespace testsupport {

class FaultVfs {
public:
    // ShmMap: growing the shared index of a database in its log mode.
    enum class Op { Open, Write, ShmMap };

    FaultVfs();
    ~FaultVfs();
    FaultVfs(const FaultVfs&) = delete;
    FaultVfs& operator=(const FaultVfs&) = delete;

    // `op` on a file whose full path matches the regular expression
    // `pathPattern` returns `code`, once `after` such calls went through.
    void Fail(Op op, const QString& pathPattern, int code, int after = 0);
    // A full disk under matching files, as SQLite sees one: writes fail with
    // SQLITE_FULL, and the shared index cannot grow (a read or write error
    // whose system error is ENOSPC).
    void DiskFull(const QString& pathPattern);
    // Writes to matching files report success and write nothing.
    void LoseWrites(const QString& pathPattern);
    void Clear();
    // The calls failed or lost since this object was made.
    int Faults() const;
};

} // namespace testsupport
