#pragma once
// Shared pieces of the report engine tests.
#include "platform/report/preview.h"
#include "platform/report/report.h"
#include "support/qt_app.h"

#include <gtest/gtest.h>

#include <memory>

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        // No window may open from a test: previews go to the hook.
        oldPreview_ = report::SetPreviewHook([this](report::Document& d, QWidget*) {
            ++previews;
            lastPreview = report::RenderDump(d);
        });
    }
    void TearDown() override { report::SetPreviewHook(oldPreview_); }

    // A report with the usual bands, every band holding one label named after it
    // and the page footer the page number.
    static std::unique_ptr<report::Report> MakeReport(const QString& name, double detailHeight = 0.25)
    {
        using namespace report;
        auto r = std::make_unique<Report>(name);
        r->ReportTitle = name + " title";
        r->AddBand(BandType::Title, "Title", 1.0)->AddLabel("TitleLbl", name + " Title", 0, 0);
        r->AddBand(BandType::PageHeader, "PageHeader", 0.3)->AddLabel("HeadLbl", "Header", 0, 0);
        r->AddBand(BandType::ColumnHeader, "ColumnHeader", 0.3)->AddLabel("ColLbl", "Columns", 0, 0);
        r->AddBand(BandType::Detail, "Detail", detailHeight)->AddLabel("DetLbl", "Detail", 0, 0);
        r->AddBand(BandType::Summary, "Summary", 0.3)->AddSysData("Count", SysDataKind::DetailCount, 0, 0, 0, "Total: ");
        Band* f = r->AddBand(BandType::PageFooter, "PageFooter", 0.3);
        f->AddLabel("PageLbl", "Page number:", 0, 0);
        f->AddSysData("PageNo", SysDataKind::PageNumber, 1.2, 0);
        return r;
    }

    int previews = 0;
    report::Dump lastPreview;

private:
    report::PreviewHook oldPreview_;
};
