#pragma once
// Keys as a user presses them, sent to the control that has the focus: the
// journey tests type, tab and press Enter or Escape through the windows
// rather than setting fields.
#include <QString>

namespace ui { class Form; }

namespace testsupport {

// Each character of `text` pressed and released on the focused control.
void TypeKeys(ui::Form& f, const QString& text);
// One key pressed and released on the focused control.
void PressKey(ui::Form& f, int qtKey);
inline void Tab(ui::Form& f) { PressKey(f, 0x01000001 /* Qt::Key_Tab */); }
// The text typed into the focused field, then Tab.
void TypeAndTab(ui::Form& f, const QString& text);
// The control that has the focus now (the form's own idea of it).
QString FocusedName(ui::Form& f);

} // namespace testsupport
