#include "platform/ui/uiseam.h"

#include "platform/ui/application.h"
#include "platform/ui/help.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {
namespace {
UiDriver* g_driver = nullptr;
int g_modalDepth = 0;
unsigned g_modalSerial = 0;

struct ButtonMap { MsgButton flag; QMessageBox::StandardButton qt; int result; };
const ButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},         {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},            {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},   {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore}, {mbAll, QMessageBox::YesToAll, mrAll},
    {mbHelp, QMessageBox::Help, mrNone},
};

QString captionFor(const Message& m)
{
    if (!m.caption.isEmpty()) return m.caption;
    switch (m.type) {
    case MsgType::Warning: return QStringLiteral("Warning");
    case MsgType::Error: return QStringLiteral("Error");
    case MsgType::Information: return QStringLiteral("Information");
    case MsgType::Confirmation: return QStringLiteral("Confirm");
    case MsgType::Custom: break;
    }
    return ApplicationTitle();
}

QMessageBox::Icon iconFor(MsgType t)
{
    switch (t) {
    case MsgType::Warning: return QMessageBox::Warning;
    case MsgType::Error: return QMessageBox::Critical;
    case MsgType::Information: return QMessageBox::Information;
    case MsgType::Confirmation: return QMessageBox::Question;
    case MsgType::Custom: break;
    }
    return QMessageBox::NoIcon;
}

class MessageBoxSink : public MessageSink {
public:
    int show(const Message& m) override
    {
        if (!qApp) return (m.buttons & mbYes) ? mrYes : (m.buttons & mbOK) ? mrOk : mrCancel;
        QMessageBox box(iconFor(m.type), captionFor(m), m.text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        QMessageBox::StandardButtons set;
        for (const auto& b : kButtons)
            if (m.buttons & b.flag) set |= b.qt;
        if (!set) set = QMessageBox::Ok;
        box.setStandardButtons(set);
        // Esc answers Cancel, else No, else OK: the safe way out.
        for (auto esc : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok})
            if (set & esc) { box.setEscapeButton(esc); break; }
        ModalScope modal;
        KeyboardReturns keyboard(&box);
        for (;;) {
            int pressed = box.exec();
            if (pressed == QMessageBox::Help) {
                HelpContext(m.helpContext);
                continue;
            }
            for (const auto& b : kButtons)
                if (b.qt == pressed) return b.result;
            return mrCancel;
        }
    }
};

// The folder the last file dialog was answered in.
QString g_lastFolder;

// File dialogs start where a user looks: in the last folder used, else the
// home folder, never in the folder the program was started from. A bare
// file name suggested by the caller is kept, in that folder.
QString startingPlace(const QString& dir)
{
    if (!dir.isEmpty() && QDir::isAbsolutePath(dir)) return dir;
    const QString folder = g_lastFolder.isEmpty() ? QDir::homePath() : g_lastFolder;
    return dir.isEmpty() ? folder : QDir(folder).filePath(dir);
}

QString fileDialog(bool save, const QString& caption, const QString& dir, const QString& filter)
{
    const QString start = startingPlace(dir);
    FileRequest r{save, caption, start, filter};
    QString chosen;
    if (g_driver) {
        chosen = g_driver->FileDialog(r).value_or(QString());
    } else {
        ModalScope modal;
        chosen = save ? QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, start, filter)
                      : QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, start, filter);
    }
    FileChosen(chosen);
    return chosen;
}
} // namespace

UiDriver* SetUiDriver(UiDriver* driver)
{
    UiDriver* old = g_driver;
    g_driver = driver;
    return old;
}

UiDriver* CurrentUiDriver() { return g_driver; }

void InstallMessageBoxes()
{
    static MessageBoxSink sink;
    SetMessageSink(&sink);
}

QString OpenFileDialog(const QString& caption, const QString& directory, const QString& filter)
{
    return fileDialog(false, caption, directory, filter);
}

QString SaveFileDialog(const QString& caption, const QString& directory, const QString& filter)
{
    return fileDialog(true, caption, directory, filter);
}

QString SuggestedFilePath(const QString& fileName) { return startingPlace(fileName); }

void FileChosen(const QString& path)
{
    if (!path.isEmpty()) g_lastFolder = QFileInfo(path).absolutePath();
}

int ModalDepth() { return g_modalDepth; }
unsigned ModalSerial() { return g_modalSerial; }

KeyboardReturns::KeyboardReturns(QWidget* modal) : modal_(modal), before_(QApplication::activeWindow()) {}

KeyboardReturns::~KeyboardReturns()
{
    if (!before_ || before_ == modal_ || !before_->isVisible()) return;
    if (QApplication::activeWindow() == before_) return;
    // On a screen the window system is asked; Qt's own idea follows at once.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) before_->activateWindow();
    QApplication::setActiveWindow(before_);
}

ModalScope::ModalScope()
{
    ++g_modalDepth;
    ++g_modalSerial;
}

ModalScope::~ModalScope()
{
    --g_modalDepth;
    ++g_modalSerial;
}

} // namespace ui
