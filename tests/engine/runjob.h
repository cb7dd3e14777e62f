#pragma once
// A fresh database with the shipped tables, the data module and a clean job
// object for one engine run, and a log of every message shown meanwhile.
#include "model/dbsetup.h"
#include "model/dmod1.h"
#include "model/tulclass.h"
#include "platform/ui/seam/msg.h"
#include "support/tempdb.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cmath>
#include <ostream>
#include <initializer_list>
#include <vector>

// Failure messages show text, not code units.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace runjob {

struct MessageLog : ui::MessageSink {
    std::vector<ui::Message> seen;
    ui::MessageSink* old;
    MessageLog() { old = ui::SetMessageSink(this); }
    ~MessageLog() override { ui::SetMessageSink(old); }
    int show(const ui::Message& m) override
    {
        seen.push_back(m);
        return ui::mrOk;
    }
    bool saw(ui::MsgType type, const QString& textStart) const
    {
        for (const auto& m : seen)
            if (m.type == type && m.text.startsWith(textStart))
                return true;
        return false;
    }
};

class RunJobTest : public ::testing::Test {
protected:
    testsupport::TempDb tempDb{MersolCreateScript(), TransferCreateScript()};
    QTemporaryDir cwd;
    QString oldCwd = QDir::currentPath();
    TDMod* oldDMod = DMod;
    MessageLog log;

    void SetUp() override
    {
        QDir::setCurrent(cwd.path());
        DMod = new TDMod;
        *Tul = TTul();
    }
    void TearDown() override
    {
        delete DMod;
        DMod = oldDMod;
        QDir::setCurrent(oldCwd);
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
