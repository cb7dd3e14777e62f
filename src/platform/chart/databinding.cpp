// The table binding of the chart layer, kept apart so the drawing code
// links without the table engine.
#include "platform/chart/chartwidget.h"
#include "platform/db/db.h"

#include <optional>

namespace chart {

namespace {
// Re-enables the table's controls and returns to the remembered row on
// every way out, an exception included.
class CursorKeeper {
public:
    explicit CursorKeeper(db::Table& t) : t_(t)
    {
        if (!t_.IsEmpty())
            bookmark_ = t_.GetBookmark();
        t_.DisableControls();
    }
    ~CursorKeeper()
    {
        try {
            if (bookmark_)
                t_.GotoBookmark(*bookmark_);
        } catch (...) {
        }
        t_.EnableControls();
    }
    CursorKeeper(const CursorKeeper&) = delete;
    CursorKeeper& operator=(const CursorKeeper&) = delete;

private:
    db::Table& t_;
    std::optional<qint64> bookmark_;
};
} // namespace

void Series::RefreshData()
{
    if (!table_)
        return;
    if (!table_->Active()) {
        Clear();
        return;
    }
    // Walking the rows would post or drop a pending edit.
    if (table_->State() != db::DataSetState::Browse)
        return;
    db::Field* fx = table_->FieldByName(xField_);
    db::Field* fy = table_->FieldByName(yField_);
    db::Field* fl = labelField_.isEmpty() ? nullptr : table_->FieldByName(labelField_);
    Clear();
    CursorKeeper keep(*table_);
    for (table_->First(); !table_->Eof(); table_->Next())
        Add(fx->AsFloat(), fy->AsFloat(), fl ? fl->AsString() : QString());
}

void Chart::RefreshData()
{
    for (auto& s : series_)
        if (s->DataSource())
            s->RefreshData();
}

void ChartWidget::RefreshData()
{
    chart_.RefreshData();
    update();
}

} // namespace chart
