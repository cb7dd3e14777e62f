#include "platform/ui/statusbar.h"

#include <QLabel>

namespace ui {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
}

void StatusBar::SetPanels(const std::vector<int>& widths)
{
    for (QLabel* l : panels_) {
        removeWidget(l);
        delete l;
    }
    panels_.clear();
    for (size_t i = 0; i < widths.size(); ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(objectName() + QStringLiteral("Panel%1").arg(i));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setTextFormat(Qt::PlainText);
        // The last panel runs on to the right edge, its width only a minimum.
        const bool last = i + 1 == widths.size();
        if (widths[i] > 0 && !last) l->setFixedWidth(widths[i]);
        if (widths[i] > 0 && last) l->setMinimumWidth(widths[i]);
        addWidget(l, widths[i] > 0 && !last ? 0 : 1);
        panels_.push_back(l);
    }
}

QString StatusBar::PanelText(int index) const
{
    return index >= 0 && index < PanelCount() ? panels_[index]->text() : QString();
}

void StatusBar::SetPanelText(int index, const QString& text)
{
    if (index >= 0 && index < PanelCount()) panels_[index]->setText(text);
}

} // namespace ui

#include "moc_statusbar.cpp"
