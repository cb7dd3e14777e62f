#include "support/layoutcheck.h"

#include "platform/report/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace testsupport {

namespace {

using report::DumpItem;
using report::ItemKind;

// Boxes measured from fonts are good to a few thousandths of an inch; items
// that only touch do not overlap.
constexpr double kSlack = 0.004;

QString Describe(const DumpItem& i)
{
    const QRectF& b = i.box;
    QString what = i.text.isEmpty() ? QStringLiteral("rule") : QLatin1Char('"') + i.text.left(40) + QLatin1Char('"');
    return QStringLiteral("%1/%2 %3 at (%4, %5; %6 x %7 in)")
        .arg(i.band, i.control, what)
        .arg(b.left(), 0, 'f', 2)
        .arg(b.top(), 0, 'f', 2)
        .arg(b.width(), 0, 'f', 2)
        .arg(b.height(), 0, 'f', 2);
}

// More than touching: the shared part is deeper than the slack both ways, or
// than half a thin rule's width.
bool Overlap(const QRectF& a, const QRectF& b)
{
    const double ox = std::min(a.right(), b.right()) - std::max(a.left(), b.left());
    const double oy = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
    auto depth = [](double p, double q) { return std::min(kSlack, 0.5 * std::min(p, q)); };
    return ox > depth(a.width(), b.width()) && oy > depth(a.height(), b.height());
}

bool InChart(ItemKind k)
{
    return k == ItemKind::ChartText || k == ItemKind::ChartMark;
}

// Whether two items of one page may share their place: lines of a table
// cross, a chart's own texts lie in its box, and marks of neighbouring
// points may crowd each other.
bool MayMeet(const DumpItem& a, const DumpItem& b, bool sameChart)
{
    if (a.kind == ItemKind::Rule && b.kind == ItemKind::Rule)
        return true;
    if (sameChart && (InChart(a.kind) || InChart(b.kind)))
        return !(InChart(a.kind) && InChart(b.kind))
               || (a.kind == ItemKind::ChartMark && b.kind == ItemKind::ChartMark);
    return false;
}

} // namespace

QStringList LayoutFaults(const report::Dump& d)
{
    QStringList faults;
    std::map<int, const report::DumpPage*> pages;
    for (const auto& p : d.pages)
        pages[p.number] = &p;
    // The chart each item belongs to: its own box, for the texts drawn in it.
    std::vector<int> chartOf(d.items.size(), -1);
    int chart = -1;
    for (size_t k = 0; k < d.items.size(); ++k) {
        const DumpItem& i = d.items[k];
        if (i.kind == ItemKind::Chart)
            chart = static_cast<int>(k);
        else if (!InChart(i.kind))
            chart = -1;
        if (InChart(i.kind) || i.kind == ItemKind::Chart)
            chartOf[k] = chart;
    }

    for (size_t k = 0; k < d.items.size(); ++k) {
        const DumpItem& i = d.items[k];
        const auto found = pages.find(i.page);
        if (found == pages.end()) {
            faults << QStringLiteral("page %1: %2 is on no page").arg(i.page).arg(Describe(i));
            continue;
        }
        const report::DumpPage& p = *found->second;
        const QString where = QStringLiteral("page %1 (%2): ").arg(p.number).arg(i.report);
        // A rule on the margin line is on the page: its pen straddles the line.
        const bool upright = i.box.width() < i.box.height();
        const double padX = i.kind == ItemKind::Rule && upright ? i.box.width() / 2 : 0;
        const double padY = i.kind == ItemKind::Rule && !upright ? i.box.height() / 2 : 0;
        const QRectF& area = p.printable;
        if (i.box.left() + padX < area.left() - kSlack || i.box.right() - padX > area.right() + kSlack
            || i.box.top() + padY < area.top() - kSlack || i.box.bottom() - padY > area.bottom() + kSlack)
            faults << where + Describe(i) + QStringLiteral(" lies outside the printable area");
        else if (!i.footer && i.box.bottom() > p.footerTop + kSlack)
            faults << where + Describe(i) + QStringLiteral(" crosses the page footer");
        else if (i.footer && i.box.top() < p.footerTop - kSlack)
            faults << where + Describe(i) + QStringLiteral(" of the footer rises above its band");
        if (InChart(i.kind) && chartOf[k] >= 0
            && !d.items[static_cast<size_t>(chartOf[k])].box.adjusted(-kSlack, -kSlack, kSlack, kSlack).contains(i.box))
            faults << where + Describe(i) + QStringLiteral(" runs out of its chart");

        for (size_t m = k + 1; m < d.items.size() && d.items[m].page == i.page; ++m) {
            const DumpItem& o = d.items[m];
            const bool sameChart = chartOf[k] >= 0 && chartOf[k] == chartOf[m];
            if (MayMeet(i, o, sameChart) || !Overlap(i.box, o.box))
                continue;
            faults << where + Describe(i) + QStringLiteral(" overlaps ") + Describe(o);
        }
    }
    return faults;
}

namespace {

int checked = 0;
int paused = 0;
report::GenerationObserver previous;

} // namespace

LayoutWatch::LayoutWatch()
{
    previous = report::SetGenerationObserver([](const report::Document& doc, const report::Dump& d) {
        ++checked;
        if (paused > 0)
            return;
        const QStringList faults = LayoutFaults(d);
        for (const QString& f : faults.mid(0, 20))
            ADD_FAILURE() << "Layout of \"" << doc.Title.toStdString() << "\": " << f.toStdString();
        if (faults.size() > 20)
            ADD_FAILURE() << "... and " << faults.size() - 20 << " more layout faults";
    });
}

LayoutWatch::~LayoutWatch()
{
    report::SetGenerationObserver(std::move(previous));
}

int LayoutWatch::Checked()
{
    return checked;
}

LayoutWatchPause::LayoutWatchPause()
{
    ++paused;
}

LayoutWatchPause::~LayoutWatchPause()
{
    --paused;
}

} // namespace testsupport
