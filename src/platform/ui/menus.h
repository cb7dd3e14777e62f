#pragma once
// Menus and hints.
//
//   QMenu* file = ui::AddMenu(menuBar, "&File");
//   QAction* newJob = ui::AddItem(file, "NewJob1", "&New Job", form, [this] { NewJob1Click(); });
//   ui::AddSeparator(file);
//   newJob->setEnabled(false);   // enabled state and check marks are the action's own
//   ui::SetHint(button, "Start a new pipeline job");
//
// Handlers run through the form's Run(): exceptions are shown, the program goes on.
#include "platform/ui/form.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace ui {

QMenu* AddMenu(QMenuBar* bar, const QString& caption, const char* name = nullptr);
QAction* AddItem(QMenu* menu, const char* name, const QString& caption, Form* form, Handler handler);
QAction* AddSeparator(QMenu* menu);
// The action of a menu item by its component name.
QAction* MenuItem(QWidget* form, const QString& name);
void SetHint(QWidget* w, const QString& hint);

} // namespace ui
