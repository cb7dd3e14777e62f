#pragma once
// The job-name field's exit shared by the designers and the manifold calculator: stored job names stay unique.
class QWidget;
namespace ui { class Form; class StatusBar; }

// Keeps stored job names unique (another job's name replaces that job after
// two Yes answers) and announces a name new to the store. `nextField` gets
// the focus when the name is settled; `jobNameEntered` is set the first time
// the job's own stored name is left.
void JobNameFieldExit(ui::Form* form, bool& jobNameEntered, QWidget* nameField, QWidget* nextField,
                      ui::StatusBar* status);
