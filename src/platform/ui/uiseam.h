#pragma once
// The one place where the windows meet the person in front of them: every
// modal form, message dialog, file dialog and help request passes here.
//
// A running program installs nothing: modal forms run their own event loop,
// message dialogs are QMessageBoxes (InstallMessageBoxes), file dialogs are
// QFileDialogs and help opens the help viewer. Tests install a UiDriver (see
// tests/support/dialogdriver.h) that answers all of them without a screen.
#include "platform/ui/seam/msg.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

namespace ui {

class Form;

enum class HelpCommand { Context, Contents, Search };

struct HelpRequest {
    HelpCommand command = HelpCommand::Context;
    int context = 0;        // for Context
    QString keyword;        // for Search
    QString helpFile;       // the help file in force when asked
};

struct FileRequest {
    bool save = false;      // a save dialog, else an open dialog
    QString caption;
    QString directory;
    QString filter;         // "Text files (*.txt);;All files (*)"
};

class UiDriver {
public:
    virtual ~UiDriver() = default;
    // A modal form has been shown (its FormShow and FormActivate have run).
    // The driver fills it and presses its buttons; a form it leaves open is
    // closed the Esc way when this returns.
    virtual void FormShown(Form& form) = 0;
    // Returns the chosen path, or nothing for Cancel.
    virtual std::optional<QString> FileDialog(const FileRequest& request) = 0;
    // Returns true when the request is answered here; false lets the help
    // layer go on (look for the file, report a missing one, open the viewer).
    virtual bool Help(const HelpRequest& request) = 0;
};

// Installs the driver; returns the previous one. nullptr restores the real dialogs.
UiDriver* SetUiDriver(UiDriver* driver);
UiDriver* CurrentUiDriver();

// Makes every message dialog a QMessageBox (the program calls this at start).
void InstallMessageBoxes();

// Open or save file dialog; empty when cancelled.
QString OpenFileDialog(const QString& caption, const QString& directory, const QString& filter);
QString SaveFileDialog(const QString& caption, const QString& directory, const QString& filter);

// Modal bookkeeping. A window that regains activation after a modal run it
// opened does not count that as a new activation; these let the forms tell.
// Where a file dialog would start with a bare file name: in the last folder
// used, else the home folder.
QString SuggestedFilePath(const QString& fileName);
// A file written where the user chose outside the file dialogs (printing to
// a file): its folder becomes the last folder used.
void FileChosen(const QString& path);

int ModalDepth();
unsigned ModalSerial();
// The window that had the keyboard before a modal window opened gets it back
// when that one closes. Without a window manager to hand it on nobody would:
// typing went nowhere, shortcuts did nothing, and a click on a button moved
// no focus, so the field left ran its exit only when the button's handler
// moved the focus on, and took that move for the user's. Made inside the
// modal scope, so that the return is not taken for a new activation.
class KeyboardReturns {
public:
    explicit KeyboardReturns(QWidget* modal);
    ~KeyboardReturns();
    KeyboardReturns(const KeyboardReturns&) = delete;
    KeyboardReturns& operator=(const KeyboardReturns&) = delete;

private:
    QWidget* modal_;
    QPointer<QWidget> before_;
};

class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

} // namespace ui
