// SPDX-License-Identifier: GPL-3.0-or-later
// What kovra-check's command line asks, read into one value, and the run of it.
#pragma once

#include "import/import.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kovra {

struct CheckCommand
{
    // The exit status when the command line is answered already (help, version, a mistake).
    std::optional<int> answered;
    QString source; // a content folder, a test file or a bank; empty, the built-in test
    bool dump = false;
    QString pack;     // the packed set to write, for the build
    QString write;    // the test file to write
    QString pdf;      // the test on paper, as a PDF to write
    bool key = false; // the PDF holds the teacher's key instead
    QString exportTo; // a file of another format (Moodle XML, GIFT, CSV) to write the test to
    ImportOptions bank;
    // With write: the test keeps results in this folder (empty: the test file's). With test and
    // csv: the folder of result files to collect.
    std::optional<QString> results;
    // With write: a test for marks, written as the teacher's test and the pupils' copy beside
    // it, with this time limit in minutes (none: no limit) and copies with more time.
    bool exam = false;
    std::optional<int> minutes;
    std::vector<int> moreTime; // percents: 125, 150, 200
    QString test;              // the test the results are marked against
    QString csv;               // the collected results' table
    QString sheets;            // with csv: the pupils' review sheets as a PDF
};

// Reads the arguments (the program's name first); --help, --version and mistakes are
// answered on the standard streams in the language of the installed translation.
[[nodiscard]] CheckCommand readCheckCommand(const QStringList &arguments);

// Runs the command: the problems on standard error, the dump or the passing line on standard
// output. Returns the exit status: 1 on errors or a file that cannot be written, else 0.
[[nodiscard]] int runCheck(const CheckCommand &command);

} // namespace kovra
