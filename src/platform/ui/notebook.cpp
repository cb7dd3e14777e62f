#include "platform/ui/notebook.h"

#include "platform/ui/form.h"

#include <QColor>
#include <QFontMetrics>
#include <QTabBar>

#include <algorithm>

namespace ui {

Notebook::Notebook(QWidget* parent) : QTabWidget(parent)
{
    // Connected before the notebook's own turn of its stack of pages, which
    // would move the focus into the page shown.
    auto* tabs = new QTabBar(this);
    connect(tabs, &QTabBar::currentChanged, this, [this] { focusOffPageLeft(); });
    setTabBar(tabs);
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
    applyStyle();
    return page;
}

void Notebook::focusOffPageLeft()
{
    QWidget* left = currentWidget();   // the stack has not turned yet
    QWidget* focused = window()->focusWidget();
    if (!left || !focused || !left->isAncestorOf(focused)) return;
    if (Form* form = Form::Of(this)) form->SetFocus(tabBar());
    else tabBar()->setFocus(Qt::OtherFocusReason);
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
    family_ = family;
    pointSize_ = pointSize;
    colour_ = colour.name();
    tabHeight_ = tabHeight;
    applyStyle();
}

void Notebook::applyStyle()
{
    if (family_.isEmpty()) return;
    // Every tab is as wide as the widest caption in the active look, so that
    // turning the page does not make the tabs jump or scroll.
    QFont active(family_, pointSize_, QFont::Bold);
    QFontMetrics fm(active);
    int width = 0;
    for (int i = 0; i < count(); ++i) {
        QString t = tabText(i);
        t.remove(u'&');
        width = std::max(width, fm.horizontalAdvance(t) + 20);
    }
    // Tabs on a side run down it: the tab height is then their width across.
    const bool side = tabPosition() == QTabWidget::East || tabPosition() == QTabWidget::West;
    const QString size = side ? QStringLiteral("width: %1px; min-height: %2px; padding: 4px 0;")
                              : QStringLiteral("height: %1px; min-width: %2px; padding: 0 4px;");
    const QString sheet = QStringLiteral("QTabBar::tab { ") + size +
                          QStringLiteral(" } QTabBar::tab:selected { font-family: \"%3\"; font-size: %4pt;"
                                         " font-weight: bold; color: %5; }");
    tabBar()->setStyleSheet(sheet.arg(tabHeight_).arg(width).arg(family_).arg(pointSize_).arg(colour_));
}

} // namespace ui

#include "moc_notebook.cpp"
