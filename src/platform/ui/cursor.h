#pragma once
// The screen cursor. Code that works for a while shows the hourglass and
// restores whatever was shown before, also when an exception passes:
//
//   { ui::CursorScope wait;  ...long work... }          // hourglass meanwhile
//   ui::Cursor saved = ui::ScreenCursor(); ui::SetScreenCursor(ui::Cursor::HourGlass);
//   ... ui::SetScreenCursor(saved);                      // the explicit form
namespace ui {

enum class Cursor { Default, Arrow, HourGlass, HandPoint };

Cursor ScreenCursor();
void SetScreenCursor(Cursor c);

class CursorScope {
public:
    explicit CursorScope(Cursor c = Cursor::HourGlass);
    ~CursorScope();
    CursorScope(const CursorScope&) = delete;
    CursorScope& operator=(const CursorScope&) = delete;

private:
    Cursor saved_;
};

} // namespace ui
