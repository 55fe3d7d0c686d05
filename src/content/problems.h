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
    Malformed,         // not JSON; detail: the parser's words and offset
    Damaged,           // the packed set is not whole; detail: where it was read from
    NotAnObject,       // the top level is not an object
    MissingField,      // a required field is absent
    WrongType,         // detail: the expected type
    UnknownField,      // a field this format does not have (often a misspelling)
    SettingsCount,     // detail: the row count found
    QuestionCount,     // detail: the count found; the limits depend on the check setting
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
    FlagNotBinary,     // warning: a flag row ends in something other than 0 or 1
    LookAlike,         // warning: two choices look the same on screen; detail: both texts
    FigureTooLarge,    // detail: the file name, a tab, its size as WxH
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
};

using Problems = std::vector<Problem>;

// One line of plain words, naming the place (question and field) and the offending text.
QString describe(const Problem &problem);

[[nodiscard]] bool hasErrors(const Problems &problems);

} // namespace kovra
