// A table's data source: forwards the table's notifications to bound controls.
#include "platform/db/db.h"

#include <algorithm>

namespace db {

// ---- DataSource -----------------------------------------------------------

DataSource::DataSource(Table* table)
{
    SetDataSet(table);
}

DataSource::~DataSource()
{
    if (table_)
        table_->RemoveLink(this);
}

void DataSource::SetDataSet(Table* table)
{
    if (table == table_)
        return;
    if (table_)
        table_->RemoveLink(this);
    table_ = table;
    if (table_)
        table_->AddLink(this);
    ActiveChanged();
}

void DataSource::AddLink(DataLink* l)
{
    if (l && std::find(links_.begin(), links_.end(), l) == links_.end())
        links_.push_back(l);
}

void DataSource::RemoveLink(DataLink* l)
{
    links_.erase(std::remove(links_.begin(), links_.end(), l), links_.end());
}

namespace {
template <typename F>
void forward(bool enabled, const std::vector<DataLink*>& links, F fn)
{
    if (!enabled || links.empty())
        return;
    if (links.size() == 1) {
        fn(links.front());
        return;
    }
    // A control may unlink itself or another while being told.
    const auto copy = links;
    for (DataLink* l : copy)
        if (std::find(links.begin(), links.end(), l) != links.end())
            fn(l);
}
} // namespace

void DataSource::ActiveChanged() { forward(Enabled, links_, [](DataLink* l) { l->ActiveChanged(); }); }
void DataSource::RecordChanged() { forward(Enabled, links_, [](DataLink* l) { l->RecordChanged(); }); }
void DataSource::DataSetChanged() { forward(Enabled, links_, [](DataLink* l) { l->DataSetChanged(); }); }
void DataSource::StateChanged() { forward(Enabled, links_, [](DataLink* l) { l->StateChanged(); }); }
void DataSource::UpdateRecord() { forward(Enabled, links_, [](DataLink* l) { l->UpdateRecord(); }); }

} // namespace db
