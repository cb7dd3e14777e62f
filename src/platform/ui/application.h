#pragma once
// The application object: title, the exception display and a QApplication
// whose event loop survives an exception thrown by an event handler.
//
//   ui::Application app(argc, argv);
//   ui::SetApplicationTitle("Mersol, Serial Pipeline Design");
//   return ui::RunProgram([&] { ...; return app.exec(); });
#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

namespace ui {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* e) override;
};

// Creates the Application when none exists yet (tests, tools).
QApplication* EnsureApplication();

void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// The exception display: shows the failure as an error message and returns.
// A silent abort (db::SilentAbort) shows nothing.
void HandleException(std::exception_ptr e);
void ShowException(const std::exception& e);

// Runs a program's start-up and message loop: what `body` returns, or, when
// it throws, the failure shown and status 1, so that a program that could
// not start never reports success to whoever started it.
int RunProgram(const std::function<int()>& body);

// Fonts for the names the forms were designed with.
QFont ArialFont(int pointSize, bool bold = false);     // Liberation Sans
QFont CourierFont(int pointSize, bool bold = false);   // a monospaced face

} // namespace ui
