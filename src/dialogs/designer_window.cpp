#include "dialogs/designer_window.h"

namespace {
DesignerWindow* running = nullptr;
}

DesignerWindow* RunningDesigner() { return running; }

void SetRunningDesigner(DesignerWindow* window) { running = window; }
