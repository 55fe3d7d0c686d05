// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's program: makes, checks, tries, prints and saves a test.
//   kovra-teacher [FILE]   a test file, a content folder or a question bank

#include "content/translation.h"
#include "teacher/document.h"
#include "teacher/teacher_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>
#include <future>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kovra-teacher"));
    QApplication::setOrganizationName(QStringLiteral("kovra"));
    QApplication::setApplicationVersion(QStringLiteral(KOVRA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kovra.teacher"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kovra/teacher/kovra-teacher-256.png")));
    kovra::installTranslation(QLocale::system());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Makes a multiple-choice test."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A test file, a content folder or a question bank "
                                                "(.gift, .txt, .csv) to open."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);

    // A test named on the command line is read on another core while the window is built,
    // unless work kept after a crash is offered first.
    const QStringList kept = kovra::TeacherWindow::recoveryFiles();
    const QString path = parser.positionalArguments().value(0);
    std::future<kovra::OpenedTest> opening;
    if (kept.isEmpty() && !path.isEmpty()) {
        opening = std::async(std::launch::async, [path] { return kovra::openTest(path); });
    }
    kovra::TeacherWindow window;
    if (opening.valid()) {
        window.showOpened(path, opening.get());
    }
    window.show();
    if (!kept.isEmpty()) {
        if (QMessageBox::question(&window, window.windowTitle(),
                                  QCoreApplication::translate(
                                      "kovra", "Work that was not saved was kept when the program "
                                               "last ended. Open it again?")) == QMessageBox::Yes) {
            window.restoreFrom(kept.front());
        } else {
            // Declined: not offered again.
            for (const QString &folder : kept) {
                QDir(folder).removeRecursively();
            }
            if (!path.isEmpty()) {
                window.openPath(path);
            }
        }
    }
    return QApplication::exec();
}
