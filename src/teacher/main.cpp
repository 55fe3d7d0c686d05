// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's program: makes, checks, tries, prints and saves a test.
//   kovra-teacher [FILE]   a test file, a content folder or a question bank

#include "content/translation.h"
#include "teacher/teacher_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

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

    kovra::TeacherWindow window;
    window.show();
    const QStringList kept = kovra::TeacherWindow::recoveryFiles();
    if (!kept.isEmpty() &&
        QMessageBox::question(&window, window.windowTitle(),
                              QCoreApplication::translate(
                                  "kovra", "Work that was not saved was kept when the program "
                                           "last ended. Open it again?")) == QMessageBox::Yes) {
        window.restoreFrom(kept.front());
    } else if (!parser.positionalArguments().isEmpty()) {
        window.openPath(parser.positionalArguments().constFirst());
    }
    return QApplication::exec();
}
