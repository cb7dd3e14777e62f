#pragma once
// The jobs the benchmarks run: a database in a temporary folder with its data
// module and a quiet message sink, a 100-node gravity line in the working
// tables, and a manifold of any number of outlets.
#include "model/data_module.h"
#include "platform/ui/seam/msg.h"

#include <QTemporaryDir>

#include <memory>

namespace bench {

// Answers every message without showing it; keeps the last one, so that a
// benchmark can tell a run that was refused.
struct QuietSink : ui::MessageSink {
    int show(const ui::Message& m) override
    {
        ++count;
        last = m.text;
        return ui::mrOk;
    }
    int count = 0;
    QString last;
};

// Both databases made by the program's own scripts in a temporary folder,
// which is also the working directory (the runs write their trace files
// there), and a data module installed as DMod.
class BenchDatabase {
public:
    BenchDatabase();
    ~BenchDatabase();
    BenchDatabase(const BenchDatabase&) = delete;
    BenchDatabase& operator=(const BenchDatabase&) = delete;

    const QuietSink& Messages() const { return sink_; }

private:
    QTemporaryDir dir_;
    QuietSink sink_;
    std::unique_ptr<TDMod> dm_;
};

// A 100-node known-flow gravity line in the working tables: falling 0.5 ft
// per 100 ft station, 8 in then 6 in Hazen-Williams pipe, elbows and surge
// data on every node, minor losses at every fifth.
void MakeGravityLine100();

// A manifold job of `outlets` outlets 20 ft apart in the working tables, on
// the shipped PVC SDR 21 sizes.
void MakeManifold(int outlets);

} // namespace bench
