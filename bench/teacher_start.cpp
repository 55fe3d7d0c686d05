// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's start-up as the program does it (src/teacher/main.cpp), with the expose probe:
// the window is shown with the test named on the command line open, reported and ended.

#include "content/translation.h"
#include "exposed.h"
#include "teacher/teacher_window.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The recent files of the one who runs the benchmark stay as they were.
    QStandardPaths::setTestModeEnabled(true);
    kovra::bench::ExposeProbe probe(app);
    kovra::installTranslation(QLocale::system());
    kovra::TeacherWindow window;
    if (argc > 1 && !window.openPath(QString::fromLocal8Bit(argv[1]))) {
        return 2;
    }
    window.show();
    return QApplication::exec();
}
