#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Mersol Serial Pipeline Design     (Version 1.2)"));
    w.resize(657, 545);
    w.show();
    return app.exec();
}
