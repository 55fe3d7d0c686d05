// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's start-up as the program does it (src/teacher/main.cpp), with the expose probe:
// the window is shown with the test named on the command line open, reported and ended.

#include "content/translation.h"
#include "exposed.h"
#include "teacher/document.h"
#include "teacher/teacher_window.h"

#include <QApplication>
#include <QStandardPaths>
#include <future>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The recent files of the one who runs the benchmark stay as they were.
    QStandardPaths::setTestModeEnabled(true);
    kovra::bench::ExposeProbe probe(app);
    kovra::installTranslation(QLocale::system());
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    std::future<kovra::OpenedTest> opening =
        std::async(std::launch::async, [path] { return kovra::openTest(path); });
    kovra::TeacherWindow window;
    if (!path.isEmpty() && !window.showOpened(path, opening.get())) {
        return 2;
    }
    window.show();
    return QApplication::exec();
}
