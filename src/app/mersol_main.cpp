// The Mersol program: the single objects first, then the application, the
// main window, the data module, and the message loop.
#include "mainwindow/mersol_window.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "engine/single_objects.h"
#include "platform/ui/application.h"
#include "platform/ui/help.h"
#include "platform/ui/uiseam.h"

int main(int argc, char** argv)
{
    CreateSingleObjects();
    ui::Application app(argc, argv);
    ui::InstallMessageBoxes();
    const int status = ui::RunProgram([&] {
        // Only a name until help is asked for; the main window replaces it when activated.
        ui::SetHelpFile(QStringLiteral("C:\\Program Files\\Brae\\Mersol\\Mersol.Hlp"));
        ui::SetApplicationTitle(QStringLiteral("Mersol, Serial Pipeline Design"));
        MersolForm = new TMersolForm();
        StartDatabase();
        DMod = new TDMod();
        MersolForm->Show();
        return app.exec();
    });
    delete MersolForm;
    delete DMod;
    DMod = nullptr;
    // A stop that leaves saves in the log is told, and is no success.
    const int stopped = ui::RunProgram([] {
        StopDatabase();
        return 0;
    });
    return status != 0 ? status : stopped;
}
