// SPDX-License-Identifier: GPL-3.0-or-later
// What can be wrong with a test, a test file or a question bank, as values: each kind carries
// its details in typed fields, and describe() (problems.cpp) is the one place that words them.
#pragma once

#include <QJsonParseError>
#include <QString>
#include <vector>

namespace kovra {

// Sizes in the limits of the files read.
inline constexpr qint64 kMiB = qint64{1024} * 1024;

enum class Severity
{
    Error,
    Warning
};

// The type of a JSON value, found or expected.
enum class ValueType
{
    Missing,
    Null,
    Boolean,
    Number,
    String,
    Strings, // an array of strings
    Figure,  // a file name or null
    Array,
    Object,
    Questions, // an array of questions
    Integer,   // a whole number
};

// What the ZIP reader found wrong with an archive.
enum class ZipFault
{
    Empty,       // the file has no bytes
    NoDirectory, // no ZIP directory at the end: not an archive, or cut short
    DirectoryDamaged,
    DataDamaged, // the packed data does not unpack
    EndsEarly,   // the data ends before the entry does
    ChecksumMismatch,
    WrongMimeType, // the entry "mimetype" names another type
    Overlap,       // entries overlap, or lie out of order
    Method,        // packed by a method other than stored (0) or deflated (8)
    Zip64,         // a ZIP64 archive, which a test file never needs to be
    SizeMismatch,  // an entry's data holds more or less than its size
    NoMemory,      // the unpacking ran out of memory
    Unknown,       // any other fault of the ZIP library
};

// Why a question of a bank was left out.
enum class SkipReason
{
    Description,
    Essay,
    TrueFalse,
    Numerical,
    Matching,
    ShortAnswer,
    Weights,
    SeveralRight,
    NoRight,
    TooManyAnswers,
    SeveralBlocks,
    TextBeforeAnswers,
    OtherType,      // Moodle XML: a type no test holds (essay, cloze...); other: the type
    Multiple,       // Moodle XML: a multichoice question that allows several answers
    SameChoices,    // two choices that differ only in their formatting; other: the text they share
    PictureChoices, // choices that are pictures, which a choice's place shows none of
    Unfit, // a question of another kind the test cannot hold as written; other: the problem's words
    NotANumber, // Moodle XML: a number's value, tolerance or unit multiplier; other: the text
    NoText,     // no question text, and no title to take for it
};

// What a line of an Aiken bank should have been.
enum class BankExpectation
{
    FirstChoice,
    AnswerLine,
    BlankLine,
    AnswerBeforeEnd,
    NextChoice, // `text` holds the letter of the choice expected
};

enum class ProblemKind
{
    // The content (content.json and its figures).
    Unreadable,            // text: the file that cannot be read
    Malformed,             // not JSON: json, at line and column
    Damaged,               // the packed set is not whole; text: where it was read from
    NotAnObject,           // the top level is not an object
    MissingField,          // a required field is absent
    WrongType,             // expected, found
    UnknownField,          // a field this format does not have (often a misspelling)
    SettingsCount,         // count: the rows found; limit: the rows needed
    QuestionCount,         // count found; least, limit: the allowed range; toto: the check is on
    ChoiceCount,           // count found; least, limit: the allowed range
    KeyMatchesNone,        // text: the key
    KeyLooksLike,          // text: the key; other: the choice it equals but for look-alike
                           // letters, case or blanks; count: the 1-based character they part at
    KeyMatchesSeveral,     // text: the key
    NoRightChoice,         // the teacher's window: no choice is marked as the right one
    KindUnknown,           // text: a question's type, which names no kind
    KindSetting,           // a question of another kind than single choice where a setting takes
                           // single choice only; toto: the repeat check, else the phrase mode
    CreditRange,           // text: the credit in percent, outside least to limit
    CreditSum,             // count: the percent the right choices' credits add up to
    NoFullCredit,          // no typed answer gives full credit
    NotANumber,            // text: a number's value as written, which is none
    ListCount,             // count: the elements found; limit: those needed (one a choice or item)
    EmptyAnswer,           // an accepted answer, an item or a unit with no text
    MarksMinutes,          // a test for marks' time limit; limit: the most minutes
    MarksKey,              // a test for marks' key that is not one; limit: its bytes
    LineBreak,             // a text that must be one line holds a line break
    NotWindows1251,        // text: the character
    NoBlank,               // phrase mode is on and the question text has no "_"
    FigureName,            // text: the name, not a plain relative file name
    FigureBackslash,       // text: the name, which uses "\" between folders
    FigureMissing,         // text: the file name
    FigureCorrupt,         // text: the file name
    FigureTooLarge,        // text: the file name; width, height; limit: the pixels allowed
    NoExplanation,         // the explanation has no line
    EmptyChoice,           // a choice with no text
    ControlCharacter,      // text: the control character (a terminal's escape), which no text may
                           // hold
    DrawCount,             // count: the questions each run draws; least, limit: the allowed range
    FlagNotBinary,         // warning: text: the last character of a flag row
    LookAlike,             // warning: text, other: two choices that look the same on screen
    FigureFileTooLarge,    // text: the file name; limit: the bytes a figure file may have
    FigureFormat,          // text: the file name, an image but not JPEG or PNG, in a test file
    FigureScans,           // text: the file name of a JPEG; limit: the scans allowed
    FigureChunks,          // text: the file name of a PNG; limit: the ancillary chunks allowed
    FigureTooLargeWhole,   // text: the file name; width, height; limit: the MiB its decoding may
                           // take when the decoder holds the whole picture
    FiguresTooLargeInAll,  // text: the first file that takes a test file's figures decoded whole
                           // past their pixels in all; limit: those pixels
                           // Reading a question bank (a GIFT, Aiken or CSV file); each names its
                           // source line.
    BankFormat,            // text: the extension, which names no bank format; empty: the content
                           // is none of the formats read
    BankTooLarge,          // count: the file's size in bytes; limit: the most
    BankSkipped,           // warning: skip: why; text: the question's name, where the bank has one
    BankPenalties,         // warning: the negative weights of a question's wrong answers left out
    BankTitleAsText,       // warning: text: a question's title, taken as its empty text
    BankUnclosed,          // text: the opening character without its closing one
    BankUnexpected,        // expectation: what the format has at this place
    BankAnswer,            // text: the right answer as written, which names no choice
    BankColumn,            // warning: text: a header cell that names no column, which is not read
    BankMissingColumn,     // count: the column: 0 the question's, 1 to 5 a choice's (A to E), 6
                           // the right answer's
    BankExtraCell,         // a cell beyond the header's columns
    BankEmptyQuestion,     // a row with cells but no question text
    BankTooMany,           // the question that goes beyond a test's most; limit: that most;
                           // draws: the most of a bank that draws its runs
    BankTooFew,            // at the file's end; count: the questions read; limit: the least
    BankNotUtf8,           // count: a byte that is not UTF-8 in a file that otherwise is
    BankControl,           // text: a control character in the text
    BankQuestionTooLong,   // limit: the most characters one question may take
    BankTooManyCells,      // limit: the most cells a row may have
    BankXml,               // text: the XML reader's words, or what is not allowed
    BankTooMuchHtml,       // limit: the most HTML tags of a question, or (draws) of a bank
    FigureOutside,         // text: a figure path that leaves the bank's folder
    ExportFormat,          // text: the extension, which names no format written
    ExportNoFigures,       // warning: count: the figures a GIFT file leaves out
    ExportOtherKinds,      // warning: count: the questions of other kinds than single choice a
                           // CSV file leaves out
    ExportNoUnits,         // warning: count: the number questions whose units GIFT leaves out
                           // A test file (the place is the file itself).
    NoSuchFile,            // nothing at that path
    IsAFolder,             // a folder where a test file was expected
    CannotOpen,            // text: the system's reason
    FileTooLarge,          // count: the size in bytes; limit: the most
    NotATestFile,          // zip: what the reader found; text: the entry it was in, if any
    TooManyEntries,        // count; limit
    UnpackedTooLarge,      // text: the entry whose bytes pass a limit; the limits in MiB: count
                           // content.json, limit any other entry, width all together
    UnsafeEntryName,       // text: the name (absolute, "..", a backslash or a drive)
    EntryIsLink,           // text: the name
    DuplicateEntry,        // text: the name
    EncryptedEntry,        // text: the name
    NoContentFile,         // the archive has no content.json
    CannotWrite,           // text: the path; other: the system's reason (empty: the archive
                           // could not be made)
                           // A pupil's result file: worded alone, after the file's name.
    ResultTooLarge,        // count: the size in bytes
    ResultCannotOpen,      // text: the system's reason
    ResultNotJson,         // count: the byte offset of the fault
    NotAResult,            // no format field of a result file
    ResultField,           // text: the field of the result file that is missing or wrong
    ResultNotAsWritten,    // valid, but not the bytes the program writes: edited by hand
    ResultChecksum,        // edited, or written for another test
    ResultSealed,          // sealed for the teacher: opened only with the teacher's test
    ResultSealedElsewhere, // sealed for another test, or changed since it was sealed
    ResultNotSealed,       // in clear where a test for marks seals every result
                           // Any source; the last kind.
    NotKept,               // count: the problems past the most kept (kMaxProblemsKept)
};

// A field of a test's content. The fields of a question come last, in the order its content
// file lists them, which is the order its problems are told in.
enum class ContentField
{
    None,     // the problem is in no field
    Settings, // index: the row
    Note,     // index: the row
    Questions,
    Draw,
    Results,       // name: a field inside the results that the format does not have
    ResultsFolder, // the results' folder
    Marks,         // name: a field inside the marks that the format does not have
    MarksMinutes,  // a test for marks' time limit
    MarksSeal,     // its public key
    MarksSecret,   // its secret key
    Unknown,       // name: a field the format does not have (often a misspelling)
    Type,
    Text,
    Choices, // index: the choice
    Key,     // the right choice
    Weights, // index: the choice's
    AllOrNothing,
    Answers, // index: the accepted answer
    CaseMatters,
    Units, // index: the unit
    UnitsIgnored,
    UnitFirst,
    UnitPenalty,
    UnitPenaltyOfQuestion,
    Items,       // index: the item
    Matches,     // index: the item's
    Explanation, // index: the line
    Figure,
};

// Where in a test a problem is.
struct Place
{
    ContentField field = ContentField::None;
    int index = -1; // an element of the field's list, from 0; -1 for the field as a whole
    QString name{}; // Unknown, Results: a name the format does not have

    friend bool operator==(const Place &, const Place &) = default;
};

// The place as a content file names it: "choices[2]", "results.folder", the unknown name;
// empty for none.
[[nodiscard]] QString contentName(const Place &place);

struct Problem
{
    ProblemKind kind;
    Severity severity = Severity::Error;
    int question = 0;  // 1-based question number; 0 when the problem is not in a question
    Place place{};     // the field of the test, for a problem in the test's content
    int line = 0;      // 1-based line of a source file the problem is on; 0 when none
    int column = 0;    // 1-based character on that line; 0 when not known
    bool cell = false; // line and column are a spreadsheet's row and column (1 for A)

    // The details, as each kind's comment says.
    QString text{};
    QString other{};
    qint64 count = 0;
    qint64 least = 0;
    qint64 limit = 0;
    int width = 0;
    int height = 0;
    bool toto = false;
    bool draws = false;    // QuestionCount: a bigger bank may draw its runs; BankTooMany: it does
    bool skipsRow = false; // a warning: a spreadsheet's row that is left out for this problem
    ValueType expected = ValueType::Missing;
    ValueType found = ValueType::Missing;
    QJsonParseError::ParseError json = QJsonParseError::NoError;
    ZipFault zip = ZipFault::Unknown;
    SkipReason skip = SkipReason::TextBeforeAnswers;
    BankExpectation expectation = BankExpectation::FirstChoice;
};

using Problems = std::vector<Problem>;

// The problems kept and shown of one source; past them, one NotKept problem counts the rest.
inline constexpr std::size_t kMaxProblemsKept = 50;

// The problem that stands for `count` problems not kept, an error when any of them is one.
[[nodiscard]] Problem notKept(qint64 count, Severity severity);
// Keeps the first `most` problems and counts the rest in one NotKept problem.
void limitProblems(Problems &problems, std::size_t most = kMaxProblemsKept);

// Whom a problem is told to: the author of a content file, who reads its field names, or the
// teacher's window, which names a field as its form labels it ("choice 4", "the right choice").
enum class Audience
{
    ContentFile,
    Window
};

// One line of plain words, naming the place (source line, question and field) and the offending
// text, in the language of the installed translation.
QString describe(const Problem &problem, Audience audience = Audience::ContentFile);
// The same without its level ("error:"): a problem told inside another.
[[nodiscard]] QString describeWithin(const Problem &problem, Audience audience);

[[nodiscard]] bool hasErrors(const Problems &problems);

} // namespace kovra
