#include "platform/ui/menus.h"

namespace ui {

QMenu* AddMenu(QMenuBar* bar, const QString& caption, const char* name)
{
    QMenu* m = bar->addMenu(caption);
    if (name) m->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, Form* form, Handler handler)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    QObject::connect(a, &QAction::triggered, form, [form, h = std::move(handler)] { form->Run(h); });
    return a;
}

QAction* AddSeparator(QMenu* menu) { return menu->addSeparator(); }

QAction* MenuItem(QWidget* form, const QString& name) { return form->findChild<QAction*>(name); }

void SetHint(QWidget* w, const QString& hint) { w->setToolTip(hint); }

} // namespace ui
