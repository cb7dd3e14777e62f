#pragma once
// An engine run on a working job in a temporary database, with every message
// answered and logged, in a temporary working directory.
#include "support/dialogdriver.h"
#include "support/workjob.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <ostream>

// Failure messages show text, not code units.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace runjob {

class RunJobTest : public ::testing::Test {
protected:
    QTemporaryDir cwd;
    QString oldCwd = QDir::currentPath();
    std::unique_ptr<testsupport::WorkJob> job;
    std::unique_ptr<DialogDriver> dialogs;

    void SetUp() override
    {
        QDir::setCurrent(cwd.path());
        job = std::make_unique<testsupport::WorkJob>();
        dialogs = std::make_unique<DialogDriver>();
    }
    void TearDown() override
    {
        dialogs.reset();
        job.reset();
        QDir::setCurrent(oldCwd);
    }

    const std::vector<ui::Message>& Messages() const { return dialogs->Messages(); }
    bool Saw(ui::MsgType type, const QString& textStart) const
    {
        for (const auto& m : Messages())
            if (m.type == type && m.text.startsWith(textStart))
                return true;
        return false;
    }

    static void OpenAll(std::initializer_list<db::Table*> tables)
    {
        for (db::Table* t : tables)
            if (!t->Active())
                t->Open();
    }

    // Friction order of the system defaults: 2 takes Hazen-Williams first.
    static void SetCompMethod(int m)
    {
        OpenAll({DMod->DefSysTable});
        DMod->DefSysTable->First();
        DMod->DefSysTable->Edit();
        DMod->DefSysTableCompMethod->SetAsInteger(m);
        DMod->DefSysTable->Post();
    }

    // True when every numeric field of the current row reads as a finite number.
    static bool RowIsFinite(db::Table* t)
    {
        for (int i = 0; i < t->FieldCount(); ++i) {
            db::Field* f = t->Fields(i);
            if (f->DataType() == db::FieldType::Number && !std::isfinite(f->AsFloat()))
                return false;
        }
        return true;
    }
};

} // namespace runjob
