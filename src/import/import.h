// SPDX-License-Identifier: GPL-3.0-or-later
// Question banks that teachers already keep: GIFT, Aiken and spreadsheet CSV files read into the
// content format (content.json and its figures), each question with the source line it came from.
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
};

enum class BankFormat
{
    Gift,
    Aiken,
    Csv
};

// By the extension: .gift, .txt (Aiken), .csv, in any case.
std::optional<BankFormat> bankFormatOf(const QString &path);

// The largest bank file read.
inline constexpr qint64 kMaxBankBytes = qint64{16} * 1024 * 1024;

struct Imported
{
    std::optional<QByteArray> json; // content.json (UTF-8); none when the import has errors
    FigureFiles figures;            // figure files by the names `json` uses
    Problems problems;              // the import's own errors and warnings, with source lines
    std::vector<int> questionLines; // source line of question k+1 at index k
};

// Reads a bank file; the bytes alone, for a file already read, with its path for the name and
// the figures.
Imported importQuestionBank(const QString &path, const ImportOptions &options);
Imported importQuestionBank(const QString &path, BankFormat format, const QByteArray &bytes,
                            const ImportOptions &options);

// Puts the source line of each problem's question on the problems the content check found.
void attachSourceLines(Problems &problems, const std::vector<int> &questionLines);

} // namespace kovra
