#pragma once
// One QApplication for a whole test program; widgets, fonts and painting
// need it. Safe to call from every test.
class QApplication;

namespace testsupport {
QApplication& QtApp();
}
