// SPDX-License-Identifier: GPL-3.0-or-later
// Question banks that teachers already keep: GIFT, Aiken, Moodle XML and spreadsheet CSV files read
// into the content format (content.json and its figures), each question with the source line it
// came from.
#pragma once

#include "content/loader.h"
#include "content/problems.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace kovra {

// What a bank does not say: the title and the settings flags.
struct ImportOptions
{
    QString title;                     // empty: the source file's base name
    std::optional<bool> explanations;  // settings row 4; unset: on when any question has feedback
    std::optional<bool> reviewButtons; // settings row 5; unset: the same rule
    bool toto = false;                 // settings row 2
    bool phrase =
        false; // settings row 1; GIFT also turns it on when every question is missing-word
    std::optional<int> draw; // the questions each run takes from a bigger bank
    // For the teacher's window: a bank of fewer questions than a test needs, or of more than a
    // run holds, is still read (up to the most a bank may have); the window's check tells the
    // teacher what to add, or to set the draw.
    bool editing = false;
};

enum class BankFormat
{
    Gift,
    Aiken,
    MoodleXml,
    Csv
};

// Whether a file is a bank by its extension (.gift, .txt, .xml or .csv, in any case); which
// format it holds is told by its content, but for a .csv.
bool isBankFile(const QString &path);
// The format a bank's text holds; none when it is none of them.
std::optional<BankFormat> bankFormatOfText(QStringView text);
// The format's name as people know it ("GIFT", "Moodle XML").
QString bankFormatName(BankFormat format);

// The largest bank file read: text formats, and Moodle XML, which holds its pictures.
inline constexpr qint64 kMaxBankBytes = 16 * kMiB;
inline constexpr qint64 kMaxXmlBankBytes = 128 * kMiB;

struct Imported
{
    std::optional<Test> test;         // none when the import has errors
    Problems problems;                // the import's own errors and warnings, with source lines
    std::vector<int> questionLines;   // source line of question k+1 at index k
    std::optional<BankFormat> format; // what the file was read as
    bool rows = false;                // the lines are a spreadsheet's rows (CSV)
    int imported = 0;                 // questions read, and questions left out with a warning
    int skipped = 0;
};

// Reads a bank file; the bytes alone, for a file already read, with its path for the name and
// the figures, and the format when the caller knows it.
Imported importQuestionBank(const QString &path, const ImportOptions &options);
Imported importQuestionBank(const QString &path, const QByteArray &bytes,
                            const ImportOptions &options,
                            std::optional<BankFormat> format = std::nullopt);

// Puts the source line (or row) of each problem's question on the problems the content check
// found.
void attachSourceLines(Problems &problems, const Imported &imported);

// Writes a test (all of its bank, when it draws its runs from one) as another program reads it,
// the format told by the extension: Moodle XML (.xml, figures inside), GIFT (.gift, figures
// left out with a warning) or CSV (.csv, figures written as PNG files into a folder beside it,
// named after the file). Nothing is written when there is an error.
[[nodiscard]] Problems exportTest(const Test &test, const QString &path);

// One line for the person who imported: the format read, the questions read and left out.
QString describeImport(const Imported &imported);

} // namespace kovra
