#include "platform/ui/cursor.h"

#include <QApplication>
#include <QCursor>

namespace ui {
namespace {
Cursor g_cursor = Cursor::Default;

Qt::CursorShape shape(Cursor c)
{
    switch (c) {
    case Cursor::HourGlass: return Qt::WaitCursor;
    case Cursor::HandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}
} // namespace

Cursor ScreenCursor() { return g_cursor; }

void SetScreenCursor(Cursor c)
{
    if (c == g_cursor) return;
    // One override level at most: the default cursor means no override.
    if (qApp) {
        if (g_cursor != Cursor::Default) QApplication::restoreOverrideCursor();
        if (c != Cursor::Default) QApplication::setOverrideCursor(QCursor(shape(c)));
    }
    g_cursor = c;
}

CursorScope::CursorScope(Cursor c) : saved_(ScreenCursor()) { SetScreenCursor(c); }
CursorScope::~CursorScope() { SetScreenCursor(saved_); }

} // namespace ui
