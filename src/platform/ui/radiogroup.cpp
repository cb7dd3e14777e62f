#include "platform/ui/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace ui {

RadioGroup::RadioGroup(const QString& title, QWidget* parent) : QGroupBox(title, parent)
{
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    new QGridLayout(this);
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (!on) return;
        emit Changed();
        if (!byCode_) emit Clicked();
    });
}

void RadioGroup::SetItems(const QStringList& items)
{
    items_ = items;
    rebuild();
}

void RadioGroup::SetColumns(int columns)
{
    columns_ = columns < 1 ? 1 : columns;
    rebuild();
}

void RadioGroup::rebuild()
{
    for (QRadioButton* b : buttons_) delete b;
    buttons_.clear();
    auto* lay = static_cast<QGridLayout*>(layout());
    int rows = (items_.size() + columns_ - 1) / columns_;
    for (int i = 0; i < items_.size(); ++i) {
        auto* b = new QRadioButton(items_[i], this);
        b->setObjectName(objectName() + QStringLiteral("Item%1").arg(i));
        group_->addButton(b, i);
        lay->addWidget(b, rows ? i % rows : i, rows ? i / rows : 0);
        buttons_.push_back(b);
    }
}

int RadioGroup::ItemIndex() const { return group_->checkedId(); }

void RadioGroup::SetItemIndex(int index)
{
    if (index == ItemIndex()) return;
    byCode_ = true;
    if (index < 0 || index >= int(buttons_.size())) {
        group_->setExclusive(false);
        if (QAbstractButton* b = group_->checkedButton()) b->setChecked(false);
        group_->setExclusive(true);
        emit Changed();
    } else {
        buttons_[index]->setChecked(true);
    }
    byCode_ = false;
}

QRadioButton* RadioGroup::Button(int index) const
{
    return index >= 0 && index < int(buttons_.size()) ? buttons_[index] : nullptr;
}

void RadioGroup::ClickItem(int index)
{
    if (QRadioButton* b = Button(index)) b->click();
}

} // namespace ui

#include "moc_radiogroup.cpp"
