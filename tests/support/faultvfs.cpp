#include "support/faultvfs.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <cerrno>

#include <vector>

namespace testsupport {

namespace {

struct Rule {
    FaultVfs::Op op;
    QRegularExpression path;
    int code;
    int after;
    bool lose;
};

std::vector<Rule>& rules()
{
    static auto* r = new std::vector<Rule>;
    return *r;
}
int faults = 0;

// SQLITE_OK when the call goes through; sets *lose for a write to drop.
int faultOf(FaultVfs::Op op, const char* path, bool* lose = nullptr)
{
    if (!path || rules().empty())
        return SQLITE_OK;
    const QString p = QString::fromUtf8(path);
    for (Rule& r : rules()) {
        if (r.op != op || !r.path.match(p).hasMatch())
            continue;
        if (r.after > 0) {
            --r.after;
            return SQLITE_OK;
        }
        ++faults;
        if (r.lose && lose) {
            *lose = true;
            return SQLITE_OK;
        }
        return r.code;
    }
    return SQLITE_OK;
}

sqlite3_vfs* lower = nullptr;
sqlite3_vfs shim;

// The file as SQLite sees it; the lower file system's file follows it.
struct ShimFile {
    sqlite3_file self;
    sqlite3_file* real;
    char* path;
};

sqlite3_file* realOf(sqlite3_file* f)
{
    return reinterpret_cast<ShimFile*>(f)->real;
}
const char* pathOf(sqlite3_file* f)
{
    return reinterpret_cast<ShimFile*>(f)->path;
}

int shimClose(sqlite3_file* f)
{
    sqlite3_file* r = realOf(f);
    const int rc = r->pMethods ? r->pMethods->xClose(r) : SQLITE_OK;
    sqlite3_free(reinterpret_cast<ShimFile*>(f)->path);
    return rc;
}
int shimRead(sqlite3_file* f, void* buf, int n, sqlite3_int64 at)
{
    return realOf(f)->pMethods->xRead(realOf(f), buf, n, at);
}
int shimWrite(sqlite3_file* f, const void* buf, int n, sqlite3_int64 at)
{
    bool lose = false;
    if (int rc = faultOf(FaultVfs::Op::Write, pathOf(f), &lose))
        return rc;
    return lose ? SQLITE_OK : realOf(f)->pMethods->xWrite(realOf(f), buf, n, at);
}
int shimTruncate(sqlite3_file* f, sqlite3_int64 size)
{
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int shimSync(sqlite3_file* f, int flags)
{
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int shimFileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int shimLock(sqlite3_file* f, int level)
{
    return realOf(f)->pMethods->xLock(realOf(f), level);
}
int shimUnlock(sqlite3_file* f, int level)
{
    return realOf(f)->pMethods->xUnlock(realOf(f), level);
}
int shimCheckReserved(sqlite3_file* f, int* out)
{
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
}
int shimFileControl(sqlite3_file* f, int op, void* arg)
{
    return realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
}
int shimSectorSize(sqlite3_file* f)
{
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int shimDevice(sqlite3_file* f)
{
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}
int shimShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out)
{
    int rc = SQLITE_OK;
    if (extend && (rc = faultOf(FaultVfs::Op::ShmMap, pathOf(f)))) {
        // What SQLite reads back as the system's reason.
        errno = ENOSPC;
        return rc;
    }
    return realOf(f)->pMethods->xShmMap(realOf(f), page, size, extend, out);
}
int shimShmLock(sqlite3_file* f, int offset, int n, int flags)
{
    return realOf(f)->pMethods->xShmLock(realOf(f), offset, n, flags);
}
void shimShmBarrier(sqlite3_file* f)
{
    realOf(f)->pMethods->xShmBarrier(realOf(f));
}
int shimShmUnmap(sqlite3_file* f, int deleteFlag)
{
    return realOf(f)->pMethods->xShmUnmap(realOf(f), deleteFlag);
}
int shimFetch(sqlite3_file* f, sqlite3_int64 at, int n, void** out)
{
    return realOf(f)->pMethods->xFetch(realOf(f), at, n, out);
}
int shimUnfetch(sqlite3_file* f, sqlite3_int64 at, void* p)
{
    return realOf(f)->pMethods->xUnfetch(realOf(f), at, p);
}

const sqlite3_io_methods kMethods = {
    3,
    shimClose,
    shimRead,
    shimWrite,
    shimTruncate,
    shimSync,
    shimFileSize,
    shimLock,
    shimUnlock,
    shimCheckReserved,
    shimFileControl,
    shimSectorSize,
    shimDevice,
    shimShmMap,
    shimShmLock,
    shimShmBarrier,
    shimShmUnmap,
    shimFetch,
    shimUnfetch,
};

int shimOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags)
{
    auto* s = reinterpret_cast<ShimFile*>(f);
    s->self.pMethods = nullptr;
    s->real = reinterpret_cast<sqlite3_file*>(s + 1);
    s->real->pMethods = nullptr;
    s->path = nullptr;
    if (int rc = faultOf(FaultVfs::Op::Open, name))
        return rc;
    const int rc = lower->xOpen(lower, name, s->real, flags, outFlags);
    if (rc != SQLITE_OK) {
        if (s->real->pMethods)
            s->real->pMethods->xClose(s->real);
        return rc;
    }
    s->path = name ? sqlite3_mprintf("%s", name) : nullptr;
    s->self.pMethods = &kMethods;
    return SQLITE_OK;
}

void install()
{
    if (lower)
        return;
    lower = sqlite3_vfs_find(nullptr);
    shim = *lower;
    shim.pNext = nullptr;
    shim.zName = "faulty";
    static_assert(sizeof(ShimFile) % 8 == 0);
    shim.szOsFile = int(sizeof(ShimFile)) + lower->szOsFile;
    shim.xOpen = shimOpen;
    sqlite3_vfs_register(&shim, 1);
}

} // namespace

FaultVfs::FaultVfs()
{
    install();
    rules().clear();
    faults = 0;
}

FaultVfs::~FaultVfs()
{
    Clear();
}

void FaultVfs::Fail(Op op, const QString& pathPattern, int code, int after)
{
    rules().push_back({op, QRegularExpression(pathPattern), code, after, false});
}

void FaultVfs::DiskFull(const QString& pathPattern)
{
    Fail(Op::Write, pathPattern, SQLITE_FULL);
    Fail(Op::ShmMap, pathPattern, SQLITE_IOERR_SHMSIZE);
}

void FaultVfs::LoseWrites(const QString& pathPattern)
{
    rules().push_back({Op::Write, QRegularExpression(pathPattern), SQLITE_OK, 0, true});
}

void FaultVfs::Clear()
{
    rules().clear();
}

int FaultVfs::Faults() const
{
    return faults;
}

} // namespace testsupport
