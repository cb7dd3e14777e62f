#include "qt_app.h"

#include <QApplication>

namespace testsupport {

QApplication& QtApp()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *app;
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

} // namespace testsupport
