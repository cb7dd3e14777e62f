#include "platform/ui/application.h"

#include "platform/db/db.h"
#include "platform/ui/seam/msg.h"

#include <QFont>
#include <QFontDatabase>

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setFont(ArialFont(9));
}

bool Application::notify(QObject* receiver, QEvent* e)
{
    try {
        return QApplication::notify(receiver, e);
    } catch (...) {
        HandleException(std::current_exception());
        return false;
    }
}

QApplication* EnsureApplication()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return app;
    static int argc = 1;
    static char name[] = "mersol";
    static char* argv[] = {name, nullptr};
    return new Application(argc, argv);
}

namespace {
// Kept apart from Qt's display name, which some window systems add to every caption.
QString& title()
{
    static QString t;
    return t;
}
} // namespace

void SetApplicationTitle(const QString& t) { title() = t; }

QString ApplicationTitle() { return title(); }

void ShowException(const std::exception& e)
{
    MessageDlg(QString::fromLocal8Bit(e.what()), MsgType::Error, mbOK);
}

void HandleException(std::exception_ptr p)
{
    try {
        std::rethrow_exception(p);
    } catch (const db::SilentAbort&) {
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        MessageDlg(QStringLiteral("Unknown failure"), MsgType::Error, mbOK);
    }
}

int RunProgram(const std::function<int()>& body)
{
    try {
        return body();
    } catch (...) {
        HandleException(std::current_exception());
        return 1;
    }
}

QFont ArialFont(int pointSize, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"), pointSize, bold ? QFont::Bold : QFont::Normal);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont CourierFont(int pointSize, bool bold)
{
    QFont f(QStringLiteral("Liberation Mono"), pointSize, bold ? QFont::Bold : QFont::Normal);
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    return f;
}

} // namespace ui
