#pragma once
// ui::RadioGroup: a titled group of radio buttons addressed by item index.
//
//   auto* g = ui::Make<ui::RadioGroup>(panel, "SysTypeRadioGroup", "Select System Type");
//   g->SetItems({"Gravity system, known flow", ...});
//   form->Handle(g, &ui::RadioGroup::Clicked, [this] { SysTypeRadioGroupClick(); });
//   g->SetItemIndex(-1);    // no choice; setting the index by code fires nothing
//
// Clicked is emitted when the user picks an item other than the checked one.
// The buttons are named <group name>Item<index> for drivers.
#include <QGroupBox>
#include <QStringList>

#include <vector>

class QRadioButton;
class QButtonGroup;

namespace ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& title = {}, QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    QStringList Items() const { return items_; }
    void SetColumns(int columns);
    int ItemIndex() const;
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const;
    // A user choice (drivers and tests): checks the item as a click would.
    void ClickItem(int index);

signals:
    void Clicked();
    void Changed();   // any change of the item index, by code or by the user

private:
    void rebuild();
    QStringList items_;
    int columns_ = 1;
    std::vector<QRadioButton*> buttons_;
    QButtonGroup* group_;
    bool byCode_ = false;
};

} // namespace ui
