#include "platform/ui/notebook.h"

#include <QColor>
#include <QTabBar>

namespace ui {

Notebook::Notebook(QWidget* parent) : QTabWidget(parent)
{
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (building_ || index < 0) return;
        bool user = !byCode_;
        emit PageChanged(index);
        if (user) emit Clicked();
    });
}

QWidget* Notebook::AddPage(const QString& caption)
{
    auto* page = new QWidget(this);
    building_ = true;
    addTab(page, caption);
    building_ = false;
    return page;
}

void Notebook::SetPageIndex(int index)
{
    if (index == currentIndex() || index < 0 || index >= count()) return;
    bool was = byCode_;
    byCode_ = true;
    setCurrentIndex(index);
    byCode_ = was;
}

void Notebook::SetActiveTabStyle(const QString& family, int pointSize, const QColor& colour, int tabHeight)
{
    tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { height: %1px; padding: 0 8px; }"
                                           "QTabBar::tab:selected { font-family: \"%2\"; font-size: %3pt;"
                                           " font-weight: bold; color: %4; }")
                                .arg(tabHeight)
                                .arg(family)
                                .arg(pointSize)
                                .arg(colour.name()));
}

} // namespace ui

#include "moc_notebook.cpp"
