#pragma once
// ui::StatusBar: a status bar of fixed-width text panels addressed by index.
//
//   auto* sb = ui::Make<ui::StatusBar>(form, "MainStatusBar");
//   sb->SetPanels({150, 150});
//   sb->SetPanelText(0, "Please make selection");
#include <QStatusBar>

#include <vector>

class QLabel;

namespace ui {

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);
    // One panel per width; a width of 0 lets the panel take the rest.
    void SetPanels(const std::vector<int>& widths);
    int PanelCount() const { return int(panels_.size()); }
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    // A one-panel bar shows its text here (SimpleText in the old library).
    void SetSimpleText(const QString& text) { SetPanelText(0, text); }

private:
    std::vector<QLabel*> panels_;
};

} // namespace ui
