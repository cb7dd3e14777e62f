#pragma once
// The gravity designer's main window in the designers' shared window fixture,
// with the runs' trace files in a temporary folder.
#include "support/jobwindow.h"

#include "gravity/dunstrow_window.h"

namespace testsupport {

class GravityWindowTest : public WithRuns<DesignerWindowTest<TDunstrowForm>> {
protected:
    void makeSingleObjects() override
    {
        DeleteSingleObjects();
        CreateGravitySingleObjects();
    }
    void registerWindow() override { DunstrowForm = form; }
};

} // namespace testsupport
