// SPDX-License-Identifier: GPL-3.0-or-later
// kovra-check: checks a test and shows what the program will hold, packs it for the build, or
// writes it as one test file for pupils.
//   kovra-check [--dump] [--pack FILE] [--write FILE.kovra [--results[=FOLDER]]]
//               [--pdf FILE.pdf [--key]] [bank options] [SOURCE]
//   kovra-check --results FOLDER --test FILE.kovra --csv OUT.csv
// SOURCE is a content folder, a test file or a question bank (.gift, .txt for Aiken, .csv);
// without it, the test built into the program. It speaks the language of the locale.
// The second form collects the pupils' result files of a folder, marks them against the test's
// current key and writes the table as CSV.
// Exit status 1 on errors or a file that cannot be written, 2 on a wrong command line, else 0.

#include "command.h"
#include "content/translation.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    // Laying out pages needs fonts, and so a GUI application, though never a screen.
    bool printing = false;
    for (int i = 1; i < argc; ++i) {
        printing = printing || std::strncmp(argv[i], "--pdf", 5) == 0 ||
                   std::strncmp(argv[i], "--sheets", 8) == 0;
    }
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::unique_ptr<QCoreApplication> app =
        printing ? std::make_unique<QGuiApplication>(argc, argv)
                 : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kovra-check"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KOVRA_VERSION));
    kovra::installTranslation(QLocale::system());
    const kovra::CheckCommand command = kovra::readCheckCommand(QCoreApplication::arguments());
    return command.answered ? *command.answered : kovra::runCheck(command);
}
