#pragma once
// The layout of printed pages, checked from the box of every item a report
// drew: nothing overprints, nothing runs into the page footer, nothing lies
// outside the printable area, and a chart keeps its texts apart and inside it.
#include "platform/report/output.h"

#include <QString>
#include <QStringList>

namespace testsupport {

// One line per fault, naming the page, the items and their boxes; empty when
// every page is sound.
QStringList LayoutFaults(const report::Dump& d);

// While one lives, every document any code generates (preview, print, PDF,
// page images, text dump) is checked, and each fault fails the running test.
class LayoutWatch {
public:
    LayoutWatch();
    ~LayoutWatch();
    LayoutWatch(const LayoutWatch&) = delete;
    LayoutWatch& operator=(const LayoutWatch&) = delete;
    // How many documents it has checked.
    static int Checked();
};

// Stops the watch for a test that prints a faulty page on purpose.
class LayoutWatchPause {
public:
    LayoutWatchPause();
    ~LayoutWatchPause();
    LayoutWatchPause(const LayoutWatchPause&) = delete;
    LayoutWatchPause& operator=(const LayoutWatchPause&) = delete;
};

} // namespace testsupport
