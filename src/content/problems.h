// SPDX-License-Identifier: GPL-3.0-or-later
// What can be wrong with a content set, as values; describe() turns them into words.
#pragma once

#include <QString>
#include <vector>

namespace kovra {

enum class Severity
{
    Error,
    Warning
};

enum class ProblemKind
{
    Unreadable,        // the content file cannot be read
    Malformed,         // not JSON; detail: the parser's words, a line feed, the byte offset
    Damaged,           // the packed set is not whole; detail: where it was read from
    NotAnObject,       // the top level is not an object
    MissingField,      // a required field is absent
    WrongType,         // detail: "EXPECTED FOUND", the types' codes (see describe())
    UnknownField,      // a field this format does not have (often a misspelling)
    SettingsCount,     // detail: the row count found
    QuestionCount,     // detail: "COUNT LEAST MOST CHECK"; the limits depend on the check (0 or 1)
    ChoiceCount,       // detail: the count found
    KeyMatchesNone,    // detail: the key
    KeyMatchesSeveral, // detail: the key
    LineBreak,         // a text that must be one line holds a line break
    NotWindows1251,    // detail: the character
    NoBlank,           // phrase mode is on and the question text has no "_"
    FigureName,        // the figure's name is not a plain relative file name
    FigureMissing,     // detail: the file name
    FigureCorrupt,     // detail: the file name
    NoExplanation,     // the explanation has no line
    EmptyChoice,       // a choice with no text
    ControlCharacter,  // detail: the character, which no text may hold
    DrawCount,         // detail: "DRAW LEAST MOST", the setting and the range it may have
    FlagNotBinary,     // warning: a flag row ends in something other than 0 or 1
    LookAlike, // warning: two choices look the same on screen; detail: both, a line feed between
    FigureTooLarge, // detail: the file name, a tab, its size as WxH
    // Reading a question bank (a GIFT, Aiken or CSV file); each names its source line.
    BankFormat,   // the file is no bank format read; detail: the extension, empty when the content
    BankTooLarge, // detail: the file's size in bytes
    BankSkipped,  // warning: a question of a kind the player cannot hold; detail: the reason's code
    BankUnclosed, // an opening character without its closing one; detail: the character
    BankUnexpected, // a line that is not what the format has at this place; detail: what it expects
    BankAnswer,     // the right answer names no choice; detail: the answer as written
    BankColumn,     // a header cell that names no column; detail: its text
    BankMissingColumn,   // detail: the column's name
    BankExtraCell,       // a cell beyond the header's columns
    BankEmptyQuestion,   // a row with cells but no question text
    BankTooMany,         // the question that goes beyond a test's most; detail: that most
    BankTooFew,          // at the file's end; detail: "COUNT LEAST", the questions read and needed
    BankNotUtf8,         // a byte that is not UTF-8 in a file that otherwise is; detail: it, in hex
    BankControl,         // a control character in the text; detail: the character
    BankQuestionTooLong, // one question takes more characters than a bank allows; detail: the most
    BankTooManyCells,    // a CSV row with more cells than allowed; detail: the most
    BankXml,             // Moodle XML that cannot be read; detail: the reader's words
    FigureOutside,       // a figure path that leaves the bank's folder; detail: the path
    FigureFileTooLarge,  // a figure file larger than a figure may be; detail: the path
    // A test file (place: the file itself, or the entry named in the detail).
    NoSuchFile,       // nothing at that path
    IsAFolder,        // a folder where a test file was expected
    CannotOpen,       // detail: the system's reason
    FileTooLarge,     // detail: the size in bytes
    NotATestFile,     // not a ZIP archive, or a damaged or cut one; detail: the reader's words
    TooManyEntries,   // detail: the count
    UnpackedTooLarge, // detail: the entry whose bytes pass the limit
    UnsafeEntryName,  // detail: the name (absolute, "..", a backslash or a drive)
    EntryIsLink,      // detail: the name
    DuplicateEntry,   // detail: the name
    EncryptedEntry,   // detail: the name
    NoContentFile,    // the archive has no content.json
    CannotWrite,      // detail: the path, a tab, the system's reason
};

struct Problem
{
    ProblemKind kind;
    Severity severity = Severity::Error;
    int question = 0; // 1-based question number; 0 when the problem is not in a question
    QString field;    // e.g. "choices[2]", "settings[4]"
    QString detail;
    int line = 0;      // 1-based line of a source file the problem is on; 0 when none
    int column = 0;    // 1-based character on that line; 0 when not known
    bool cell = false; // line and column are a spreadsheet's row and column (1 for A)
};

using Problems = std::vector<Problem>;

// One line of plain words, naming the place (source line, question and field) and the offending
// text, in the language of the installed translation.
QString describe(const Problem &problem);

[[nodiscard]] bool hasErrors(const Problems &problems);

} // namespace kovra
