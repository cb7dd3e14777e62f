#pragma once
// Points the MERSOL and TULTRANS aliases at folders in a fresh temporary
// directory, with the given creation scripts, and puts the previous setup
// back on destruction. A null script creates an empty database.
#include <QString>
#include <QTemporaryDir>

#include <vector>

namespace testsupport {

class TempDb {
public:
    explicit TempDb(const QString& mersolScript = QString(), const QString& transferScript = QString());
    ~TempDb();
    TempDb(const TempDb&) = delete;
    TempDb& operator=(const TempDb&) = delete;

    QString Root() const { return dir_.path(); }
    QString Folder(const QString& alias) const;
    QString File(const QString& alias) const;   // the alias's SQLite file
    // Closes every connection, so the next use opens the files afresh.
    void Reconnect();

private:
    struct Saved {
        QString alias, path, script;
    };
    QTemporaryDir dir_;
    std::vector<Saved> saved_;
};

} // namespace testsupport
