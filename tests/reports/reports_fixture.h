#pragma once
// Shared pieces of the report form tests: a working job in a temporary
// database and a preview that records what it would have shown.
#include "platform/report/preview.h"
#include "platform/ui/cursor.h"
#include "support/dialogdriver.h"
#include "support/layoutcheck.h"
#include "support/qt_app.h"
#include "support/workjob.h"

#include <QDate>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

// The box of the n-th item a control printed; an empty box when it printed none.
inline QRectF BoxOf(const report::Dump& d, const QString& control, int n = 0)
{
    const auto items = d.ItemsOf(control);
    return n < static_cast<int>(items.size()) ? items[static_cast<size_t>(n)].box : QRectF();
}

// Whether each item `value` printed stands under `heading`: the heading
// printed on that page, and they share part of their width.
inline bool Under(const report::Dump& d, const QString& value, const QString& heading)
{
    const auto values = d.ItemsOf(value);
    if (values.empty())
        return false;
    for (const auto& v : values) {
        bool found = false;
        for (const auto& h : d.ItemsOf(heading))
            found = found
                    || (h.page == v.page && std::min(h.box.right(), v.box.right()) > std::max(h.box.left(), v.box.left()));
        if (!found)
            return false;
    }
    return true;
}

class ReportFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        owner = std::make_unique<QWidget>();
        ui::SetScreenCursor(ui::Cursor::Default);
        // No window opens: a preview is recorded as the pages it would show.
        oldHook_ = report::SetPreviewHook([this](report::Document& d, QWidget* parent) {
            ++previews;
            previewParent = parent;
            cursorAtPreview = ui::ScreenCursor();
            if (beforePreview)
                beforePreview(d);
            d.PrintDate = QDate(2026, 12, 9);
            shown = report::RenderDump(d);
            if (auto* c = dynamic_cast<report::CompositeReport*>(&d)) {
                chained.clear();
                for (report::Report* r : c->Reports)
                    chained << r->Name;
            }
        });
    }
    void TearDown() override { report::SetPreviewHook(oldHook_); }

    // The header row of a known-flow gravity job; `more` adds or overrides.
    void Header(testsupport::FieldValues more = {})
    {
        job.SetHeader({{"JobNumber", 7},
                       {"JobName", "Smith Farm"},
                       {"Location", "North field"},
                       {"Designer", "R. Ames"},
                       {"Date", "12/9/2026"},
                       {"Landuser", "J. Smith"},
                       {"ID", "A-17"},
                       {"JobClass", "III"},
                       {"SysType", "GRAVITY"},
                       {"WSElev", 352.0},
                       {"OutletElev", 300.0},
                       {"OutletPsi", 0.0}});
        if (more.size())
            job.SetHeader(more);
    }

    DialogDriver driver;
    testsupport::WorkJob job;
    std::unique_ptr<QWidget> owner;
    int previews = 0;
    QWidget* previewParent = nullptr;
    ui::Cursor cursorAtPreview = ui::Cursor::Default;
    std::function<void(report::Document&)> beforePreview;
    report::Dump shown;
    QStringList chained;

private:
    report::PreviewHook oldHook_;
};
