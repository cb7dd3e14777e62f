// The Dunstrow2 program: the single objects first, then the application, the
// data module before the main window, and the message loop.
#include "gravity/dunstrow_window.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "engine/single_objects.h"
#include "platform/ui/application.h"
#include "platform/ui/help.h"
#include "platform/ui/uiseam.h"

int main(int argc, char** argv)
{
    CreateGravitySingleObjects();
    ui::Application app(argc, argv);
    ui::InstallMessageBoxes();
    const int status = ui::RunProgram([&] {
        ui::SetHelpFile(QStringLiteral("Mersol.Hlp"));
        ui::SetApplicationTitle(QStringLiteral("Gravity Pipeline Design (Dunstrow)"));
        StartDatabase();
        DMod = new TDMod();
        DunstrowForm = new TDunstrowForm();
        DunstrowForm->Show();
        return app.exec();
    });
    delete DunstrowForm;
    delete DMod;
    DMod = nullptr;
    // A stop that leaves saves in the log is told, and is no success.
    const int stopped = ui::RunProgram([] {
        StopDatabase();
        return 0;
    });
    return status != 0 ? status : stopped;
}
