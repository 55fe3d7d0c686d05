// SPDX-License-Identifier: GPL-3.0-or-later
#include "problems.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <climits>

namespace kovra {

// Every word of the checker, the import and the test file is in the one translation context
// "kovra".
namespace {

// A text of more characters than this is shown cut, with "…" at the cut: a message stays short
// whatever the file holds.
constexpr qsizetype kMostShown = 200;

// A text taken from the content as part of one printable line: control characters and line
// and paragraph separators are written as escapes; a character outside the Basic Multilingual
// Plane is kept whole.
QString visible(const QString &text)
{
    QString shown;
    shown.reserve(std::min(text.size(), kMostShown + 1));
    qsizetype i = 0;
    for (; i < std::min(text.size(), kMostShown); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            shown += ch;
            shown += text.at(++i);
            continue;
        }
        const QChar::Category category = ch.category();
        if (category != QChar::Other_Control && category != QChar::Separator_Line &&
            category != QChar::Separator_Paragraph && category != QChar::Other_Surrogate &&
            category != QChar::Other_Format) {
            shown += ch;
        } else if (ch == QLatin1Char('\n')) {
            shown += QLatin1String("\\n");
        } else if (ch == QLatin1Char('\r')) {
            shown += QLatin1String("\\r");
        } else if (ch == QLatin1Char('\t')) {
            shown += QLatin1String("\\t");
        } else {
            shown += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
        }
    }
    if (i < text.size()) {
        shown += QChar(0x2026);
    }
    return shown;
}

QString quoted(const QString &text)
{
    return QCoreApplication::translate("kovra", "\u201C%1\u201D").arg(visible(text));
}

// Whether the words are Bulgarian: the translation says so.
bool bulgarian()
{
    return QCoreApplication::translate("kovra", "en") == QLatin1String("bg");
}

// "4th character" in English, "4-ти знак" in Bulgarian.
QString ordinalCharacter(qint64 n)
{
    if (!bulgarian()) {
        return QCoreApplication::translate("kovra", "character %1").arg(n);
    }
    const qint64 tens = n % 100;
    const char *suffix = "ти";
    if (tens < 11 || tens > 19) {
        switch (n % 10) {
        case 1:
            suffix = "ви";
            break;
        case 2:
            suffix = "ри";
            break;
        case 7:
        case 8:
            suffix = "ми";
            break;
        default:
            break;
        }
    }
    return QStringLiteral("%1-%2 знак").arg(n).arg(QString::fromUtf8(suffix));
}

// A character with the script it is written in, when a look-alike of another script exists.
QString namedCharacter(QChar ch)
{
    QString shown = quoted(QString(ch));
    if (ch.isSpace()) {
        return QCoreApplication::translate("kovra", "a blank");
    }
    switch (ch.script()) {
    case QChar::Script_Latin:
        return QCoreApplication::translate("kovra", "Latin %1").arg(shown);
    case QChar::Script_Cyrillic:
        return QCoreApplication::translate("kovra", "Cyrillic %1").arg(shown);
    case QChar::Script_Greek:
        return QCoreApplication::translate("kovra", "Greek %1").arg(shown);
    default:
        return shown;
    }
}

// Where the key parts from the choice it nearly equals, and how.
QString lookAlikeWords(const Problem &p)
{
    const qsizetype at = p.count - 1;
    const QChar keyChar = at >= 0 && at < p.text.size() ? p.text.at(at) : QChar();
    const QChar choiceChar = at >= 0 && at < p.other.size() ? p.other.at(at) : QChar();
    QString difference;
    if (keyChar.isNull()) {
        difference = QCoreApplication::translate("kovra", "the key ends where the choice has %1")
                         .arg(namedCharacter(choiceChar));
    } else if (choiceChar.isNull()) {
        difference = QCoreApplication::translate("kovra", "%1 where the choice ends")
                         .arg(namedCharacter(keyChar));
    } else {
        difference = QCoreApplication::translate("kovra", "%1 instead of %2")
                         .arg(namedCharacter(keyChar), namedCharacter(choiceChar));
    }
    return QCoreApplication::translate(
               "kovra", "%1 equals no choice exactly, but nearly equals the choice %2: %3: %4")
        .arg(quoted(p.text), quoted(p.other), ordinalCharacter(p.count), difference);
}

// A field of the content format as the teacher's window labels it; empty for one it does not
// show as a field of its own.
QString windowField(const QString &field)
{
    const qsizetype bracket = field.indexOf(QLatin1Char('['));
    const QString name = field.left(bracket);
    // "name[i]": the i-th element of a list, counted from 0.
    const QStringView inside = bracket < 0 ? QStringView() : QStringView(field).sliced(bracket + 1);
    bool numbered = false;
    const int index = inside.endsWith(u']') ? inside.chopped(1).toInt(&numbered) : -1;
    const auto tr = [](const char *text) { return QCoreApplication::translate("kovra", text); };
    if (name == QLatin1String("text")) {
        return tr("the question's text");
    }
    if (name == QLatin1String("choices")) {
        return numbered ? tr("choice %1").arg(index + 1) : tr("the choices");
    }
    if (name == QLatin1String("key")) {
        return tr("the right choice");
    }
    if (name == QLatin1String("figure")) {
        return tr("the figure");
    }
    if (name == QLatin1String("explanation")) {
        return numbered ? tr("line %1 of the explanation").arg(index + 1) : tr("the explanation");
    }
    if (name == QLatin1String("questions")) {
        return tr("the test"); // its count of questions
    }
    if (name == QLatin1String("settings")) {
        return tr("the settings");
    }
    if (name == QLatin1String("draw")) {
        return tr("questions for each pupil");
    }
    if (name.startsWith(QLatin1String("results"))) {
        return tr("the results folder");
    }
    return {};
}

QString place(const Problem &p, Audience audience)
{
    switch (p.kind) {
    case ProblemKind::NoSuchFile:
    case ProblemKind::IsAFolder:
    case ProblemKind::CannotOpen:
    case ProblemKind::FileTooLarge:
    case ProblemKind::NotATestFile:
    case ProblemKind::TooManyEntries:
    case ProblemKind::UnpackedTooLarge:
    case ProblemKind::UnsafeEntryName:
    case ProblemKind::EntryIsLink:
    case ProblemKind::DuplicateEntry:
    case ProblemKind::EncryptedEntry:
    case ProblemKind::NoContentFile:
    case ProblemKind::CannotWrite:
    case ProblemKind::ExportFormat:
    case ProblemKind::ExportNoFigures:
        return QCoreApplication::translate("kovra", "file");
    default:
        break;
    }
    QStringList parts;
    if (p.cell && p.line > 0) {
        // A spreadsheet's cell, as the spreadsheet names it: column letters, then the row.
        QString letters;
        for (int column = p.column; column > 0; column = (column - 1) / 26) {
            letters.prepend(QChar(u'A' + (column - 1) % 26));
        }
        parts << (letters.isEmpty()
                      ? QCoreApplication::translate("kovra", "row %1").arg(p.line)
                      : QCoreApplication::translate("kovra", "cell %1%2").arg(letters).arg(p.line));
    } else if (p.line > 0) {
        parts << QCoreApplication::translate("kovra", "line %1").arg(p.line);
        if (p.column > 0) {
            parts << QCoreApplication::translate("kovra", "column %1").arg(p.column);
        }
    }
    if (p.question > 0) {
        parts << QCoreApplication::translate("kovra", "question %1").arg(p.question);
    }
    const QString shown = audience == Audience::Window ? windowField(p.field) : QString();
    if (!shown.isEmpty()) {
        parts << shown;
    } else if (!p.field.isEmpty()) {
        parts << QCoreApplication::translate("kovra", "field \"%1\"").arg(visible(p.field));
    }
    return parts.isEmpty() ? QCoreApplication::translate("kovra", "content")
                           : parts.join(QStringLiteral(", "));
}

QString jsonFaultWords(QJsonParseError::ParseError code)
{
    switch (code) {
    case QJsonParseError::UnterminatedObject:
        return QCoreApplication::translate("kovra", "an object is not closed");
    case QJsonParseError::MissingNameSeparator:
        return QCoreApplication::translate("kovra", "a colon is missing after a name");
    case QJsonParseError::UnterminatedArray:
        return QCoreApplication::translate("kovra", "a list is not closed");
    case QJsonParseError::MissingValueSeparator:
        return QCoreApplication::translate("kovra", "a comma is missing between values");
    case QJsonParseError::IllegalValue:
        return QCoreApplication::translate("kovra", "a value is not valid");
    case QJsonParseError::TerminationByNumber:
        return QCoreApplication::translate("kovra", "the text ends in a number");
    case QJsonParseError::IllegalNumber:
        return QCoreApplication::translate("kovra", "a number is not valid");
    case QJsonParseError::IllegalEscapeSequence:
        return QCoreApplication::translate("kovra", "an escape sequence is not valid");
    case QJsonParseError::IllegalUTF8String:
        return QCoreApplication::translate("kovra", "the text is not UTF-8");
    case QJsonParseError::UnterminatedString:
        return QCoreApplication::translate("kovra", "a string is not closed");
    case QJsonParseError::MissingObject:
        return QCoreApplication::translate("kovra", "an object was expected");
    case QJsonParseError::DeepNesting:
        return QCoreApplication::translate("kovra", "it nests too deep");
    case QJsonParseError::DocumentTooLarge:
        return QCoreApplication::translate("kovra", "it is too large");
    case QJsonParseError::GarbageAtEnd:
        return QCoreApplication::translate("kovra", "more text follows the end");
    case QJsonParseError::NoError:
        break;
    }
    return {};
}

QString zipFaultWords(ZipFault fault)
{
    switch (fault) {
    case ZipFault::ChecksumMismatch:
        return QCoreApplication::translate("kovra", "a check sum does not match");
    case ZipFault::NoDirectory:
        return QCoreApplication::translate("kovra", "no ZIP directory at its end");
    case ZipFault::DirectoryDamaged:
        return QCoreApplication::translate("kovra", "its directory is damaged");
    case ZipFault::DataDamaged:
        return QCoreApplication::translate("kovra", "its packed data is damaged");
    case ZipFault::EndsEarly:
        return QCoreApplication::translate("kovra", "its data ends early");
    case ZipFault::Empty:
        return QCoreApplication::translate("kovra", "the file is empty");
    case ZipFault::WrongMimeType:
        return QCoreApplication::translate("kovra", "its entry %1 does not name a test")
            .arg(QLatin1String("mimetype"));
    case ZipFault::Overlap:
        return QCoreApplication::translate(
            "kovra", "its entries overlap or are out of order, as no ZIP writer makes them");
    case ZipFault::Method:
        return QCoreApplication::translate(
            "kovra", "it is packed by a method other than stored or deflated (0 or 8)");
    case ZipFault::Zip64:
        return QCoreApplication::translate(
            "kovra", "it is a ZIP64 archive, which a test file never needs to be");
    case ZipFault::SizeMismatch:
        return QCoreApplication::translate("kovra",
                                           "its size differs from what its directory says");
    case ZipFault::NoMemory:
        return QCoreApplication::translate("kovra", "there is not enough memory to unpack it");
    case ZipFault::Unknown:
        break;
    }
    return QCoreApplication::translate("kovra", "its archive cannot be read");
}

QString typeWords(ValueType type)
{
    switch (type) {
    case ValueType::Null:
        return QCoreApplication::translate("kovra", "null");
    case ValueType::Boolean:
        return QCoreApplication::translate("kovra", "a boolean");
    case ValueType::Number:
        return QCoreApplication::translate("kovra", "a number");
    case ValueType::String:
        return QCoreApplication::translate("kovra", "a string");
    case ValueType::Strings:
        return QCoreApplication::translate("kovra", "an array of strings");
    case ValueType::Figure:
        return QCoreApplication::translate("kovra", "a file name or null");
    case ValueType::Array:
        return QCoreApplication::translate("kovra", "an array");
    case ValueType::Object:
        return QCoreApplication::translate("kovra", "an object");
    case ValueType::Questions:
        return QCoreApplication::translate("kovra", "an array of questions");
    case ValueType::Integer:
        return QCoreApplication::translate("kovra", "a whole number");
    case ValueType::Missing:
        break;
    }
    return QCoreApplication::translate("kovra", "missing");
}

// The column a spreadsheet's header lacks, with the names it may have in both alphabets.
QString missingColumnWords(int column)
{
    if (column == 0) {
        return QCoreApplication::translate(
            "kovra", "the header has no column of the question (named question or Въпрос)");
    }
    if (column >= 1 && column <= 5) {
        const auto c = std::size_t(column - 1);
        return QCoreApplication::translate("kovra", "the header has no column of choice %2 "
                                                    "(named %2 in Latin letters or %1 in Cyrillic)")
            .arg(QStringLiteral("АБВГД").at(c))
            .arg(QStringLiteral("ABCDE").at(c));
    }
    return QCoreApplication::translate(
        "kovra", "the header has no column of the right answer (named answer, Верен, "
                 "Верен отговор or Отговор)");
}

QString skipWords(const Problem &p)
{
    switch (p.skip) {
    case SkipReason::Description:
        return QCoreApplication::translate("kovra", "it has no answers (a description)");
    case SkipReason::Essay:
        return QCoreApplication::translate("kovra", "it is an essay question (empty answers)");
    case SkipReason::TrueFalse:
        return QCoreApplication::translate("kovra", "it is a true/false question");
    case SkipReason::Numerical:
        return QCoreApplication::translate("kovra", "it is a numerical question");
    case SkipReason::Matching:
        return QCoreApplication::translate("kovra", "it is a matching question");
    case SkipReason::ShortAnswer:
        return QCoreApplication::translate("kovra",
                                           "it is a short-answer question (no wrong answer \"~\")");
    case SkipReason::Weights:
        return QCoreApplication::translate("kovra",
                                           "its answers have partial-credit weights such as %50%");
    case SkipReason::SeveralRight:
        return QCoreApplication::translate("kovra", "it has more than one right answer");
    case SkipReason::NoRight:
        return QCoreApplication::translate("kovra", "it has no right answer \"=\"");
    case SkipReason::TooManyAnswers:
        return QCoreApplication::translate("kovra", "it has more than five answers");
    case SkipReason::SeveralBlocks:
        return QCoreApplication::translate("kovra", "it has more than one answer block \"{...}\"");
    case SkipReason::OtherType:
        return QCoreApplication::translate("kovra",
                                           "its type %1 is not single-answer or true/false")
            .arg(quoted(p.other));
    case SkipReason::Multiple:
        return QCoreApplication::translate("kovra", "it allows more than one answer");
    case SkipReason::TextBeforeAnswers:
        break;
    }
    return QCoreApplication::translate("kovra", "it has text before its first answer");
}

QString expectedWords(const Problem &p)
{
    switch (p.expectation) {
    case BankExpectation::FirstChoice:
        return QCoreApplication::translate("kovra", "the question's first choice \"A.\" or \"A)\"");
    case BankExpectation::AnswerLine:
        return QCoreApplication::translate("kovra", "the line \"ANSWER: X\"");
    case BankExpectation::BlankLine:
        return QCoreApplication::translate("kovra", "a blank line after the line \"ANSWER: X\"");
    case BankExpectation::AnswerBeforeEnd:
        return QCoreApplication::translate("kovra",
                                           "the line \"ANSWER: X\" before the end of the file");
    case BankExpectation::NextChoice:
        break;
    }
    return QCoreApplication::translate("kovra", "the choice \"%1.\" or the line \"ANSWER: X\"")
        .arg(visible(p.text));
}

QString words(const Problem &p)
{
    switch (p.kind) {
    case ProblemKind::Unreadable:
        return QCoreApplication::translate("kovra", "cannot read %1").arg(quoted(p.text));
    case ProblemKind::Damaged:
        return QCoreApplication::translate("kovra", "in %1 is damaged; build the program again")
            .arg(visible(p.text));
    case ProblemKind::Malformed:
        return QCoreApplication::translate("kovra", "is not valid JSON: %1")
            .arg(jsonFaultWords(p.json));
    case ProblemKind::NotAnObject:
        return QCoreApplication::translate("kovra", "must be a JSON object");
    case ProblemKind::MissingField:
        return QCoreApplication::translate("kovra", "is missing");
    case ProblemKind::WrongType:
        return QCoreApplication::translate("kovra", "must be %1, not %2")
            .arg(typeWords(p.expected), typeWords(p.found));
    case ProblemKind::UnknownField:
        return QCoreApplication::translate("kovra",
                                           "is not a field of the content format (misspelt?)");
    case ProblemKind::SettingsCount:
        return QCoreApplication::translate("kovra", "must have exactly %n rows", nullptr,
                                           int(p.limit)) +
               QCoreApplication::translate("kovra", ", has %1").arg(p.count);
    case ProblemKind::QuestionCount:
        return QCoreApplication::translate("kovra", "has %n question(s)", nullptr, int(p.count)) +
               QStringLiteral("; ") +
               (p.toto ? QCoreApplication::translate(
                             "kovra", "%1 to %2 are allowed when question 1 is asked again")
                       : QCoreApplication::translate("kovra", "%1 to %2 are allowed"))
                   .arg(p.least)
                   .arg(p.limit) +
               (p.draws ? QCoreApplication::translate(
                              "kovra", "; a bigger bank needs the number of questions for each "
                                       "pupil, drawn from it at random")
                        : QString());
    case ProblemKind::DrawCount:
        return {}; // worded with its place, in describe()
    case ProblemKind::ExportFormat:
        return QCoreApplication::translate(
                   "kovra", "%1 is not an extension written (.xml for Moodle XML, .gift, .csv)")
            .arg(quoted(p.text));
    case ProblemKind::ExportNoFigures:
        return QCoreApplication::translate("kovra", "GIFT holds no pictures: %n figure(s) left out",
                                           nullptr, int(p.count));
    case ProblemKind::EmptyChoice:
        return QCoreApplication::translate("kovra", "is empty; a choice must have text");
    case ProblemKind::ControlCharacter:
    case ProblemKind::BankControl:
        return QCoreApplication::translate("kovra",
                                           "holds the control character U+%1, which no text may")
            .arg(p.text.isEmpty() ? 0U : p.text.toUcs4().value(0), 4, 16, QLatin1Char('0'));
    case ProblemKind::BankNotUtf8:
        return QCoreApplication::translate(
                   "kovra", "has the byte 0x%1, which is not UTF-8 as the rest of the file is")
            .arg(p.count, 2, 16, QLatin1Char('0'));
    case ProblemKind::BankQuestionTooLong:
        return QCoreApplication::translate(
                   "kovra", "begins a question longer than %1 characters, the most one may take")
            .arg(p.limit);
    case ProblemKind::BankTooMuchHtml:
        return (p.draws ? QCoreApplication::translate(
                              "kovra", "begins a question past the %1 HTML tags a bank may have")
                        : QCoreApplication::translate(
                              "kovra", "begins a question of more than %1 HTML tags"))
            .arg(p.limit);
    case ProblemKind::BankTooManyCells:
        return QCoreApplication::translate("kovra", "has more than %1 cells").arg(p.limit);
    case ProblemKind::BankXml:
        return QCoreApplication::translate("kovra", "is not Moodle XML that can be read: %1")
            .arg(visible(p.text));
    case ProblemKind::FigureOutside:
        return QCoreApplication::translate(
                   "kovra", "figure %1 is not inside the bank's folder (no absolute path, no ..)")
            .arg(quoted(p.text));
    case ProblemKind::ChoiceCount:
        return QCoreApplication::translate("kovra", "must have %1 to %2 choices, has %3")
            .arg(p.least)
            .arg(p.limit)
            .arg(p.count);
    case ProblemKind::KeyMatchesNone:
        return QCoreApplication::translate(
                   "kovra", "%1 equals no choice exactly (blanks, case and letters count)")
            .arg(quoted(p.text));
    case ProblemKind::KeyLooksLike:
        return lookAlikeWords(p);
    case ProblemKind::KeyMatchesSeveral:
        return QCoreApplication::translate("kovra", "%1 equals more than one choice")
            .arg(quoted(p.text));
    case ProblemKind::NoRightChoice:
        return QCoreApplication::translate(
            "kovra", "is not marked: mark it with the round button beside its choice");
    case ProblemKind::LineBreak:
        return QCoreApplication::translate("kovra", "must be a single line without line breaks");
    case ProblemKind::NotWindows1251:
        // A lone surrogate, named by its own code (the UCS-4 of it would be U+FFFD).
        return QCoreApplication::translate("kovra", "holds %1 (U+%2), half of a character only")
            .arg(quoted(p.text))
            .arg(p.text.isEmpty() ? 0U : p.text.at(0).unicode(), 4, 16, QLatin1Char('0'));
    case ProblemKind::NoBlank:
        return QCoreApplication::translate("kovra", "has no blank \"_\", which phrase mode needs");
    case ProblemKind::FigureName:
        return QCoreApplication::translate("kovra", "%1 is not a plain relative file name")
            .arg(quoted(p.text));
    case ProblemKind::FigureBackslash:
        return QCoreApplication::translate(
                   "kovra", "%1 separates folders with \"\\\"; write \"/\" instead: %2")
            .arg(quoted(p.text),
                 quoted(QString(p.text).replace(QLatin1Char('\\'), QLatin1Char('/'))));
    case ProblemKind::FigureMissing:
        return QCoreApplication::translate("kovra", "file %1 does not exist").arg(quoted(p.text));
    case ProblemKind::FigureCorrupt:
        return QCoreApplication::translate(
                   "kovra",
                   "file %1 is not a picture that can be read; figures may be JPEG, PNG, GIF, "
                   "BMP or WebP files")
            .arg(quoted(p.text));
    case ProblemKind::FigureTooLarge:
        return QCoreApplication::translate(
                   "kovra", "file %1 has %2 pixels; figures may have up to %3 million")
            .arg(quoted(p.text), QStringLiteral("%1 × %2").arg(p.width).arg(p.height))
            .arg(p.limit / 1'000'000);
    case ProblemKind::NoExplanation:
        return QCoreApplication::translate("kovra", "must have at least one line");
    case ProblemKind::FlagNotBinary:
        return QCoreApplication::translate("kovra",
                                           "ends in %1; a setting that is on or off ends in 0 or 1")
            .arg(quoted(p.text));
    case ProblemKind::LookAlike:
        return QCoreApplication::translate("kovra", "choices look the same on screen: %1 and %2")
            .arg(quoted(p.text), quoted(p.other));
    case ProblemKind::FigureFileTooLarge:
        return QCoreApplication::translate(
                   "kovra", "file %1 has more than %2 MiB; a figure may have up to %2")
            .arg(quoted(p.text))
            .arg(p.limit / kMiB);
    case ProblemKind::FigureFormat:
        return QCoreApplication::translate(
                   "kovra", "file %1 is not a JPEG or PNG image, the only ones a test file holds")
            .arg(quoted(p.text));
    case ProblemKind::FigureScans:
        return QCoreApplication::translate("kovra",
                                           "file %1 is a JPEG of more than %2 scans, which no "
                                           "camera or drawing program makes")
            .arg(quoted(p.text))
            .arg(p.limit);
    case ProblemKind::FigureChunks:
        return QCoreApplication::translate("kovra",
                                           "file %1 is a PNG of more than %2 ancillary chunks, "
                                           "which no camera or drawing program makes")
            .arg(quoted(p.text))
            .arg(p.limit);
    case ProblemKind::FigureTooLargeWhole:
        return QCoreApplication::translate(
                   "kovra", "file %1 has %2 pixels, more than a PNG, progressive JPEG, GIF, BMP or "
                            "WebP figure may have (%3 MiB decoded)")
            .arg(quoted(p.text), QStringLiteral("%1 × %2").arg(p.width).arg(p.height))
            .arg(p.limit / kMiB);
    case ProblemKind::FiguresTooLargeInAll:
        return QCoreApplication::translate(
                   "kovra", "file %1 takes the figures decoded whole (PNG, progressive JPEG) past "
                            "%2 million pixels in all, more than a test file may have")
            .arg(quoted(p.text))
            .arg(p.limit / 1'000'000);
    case ProblemKind::NotKept:
        return QCoreApplication::translate("kovra", "and %n more problem(s), not shown", nullptr,
                                           int(std::min<qint64>(p.count, INT_MAX)));
    case ProblemKind::BankFormat:
        if (p.text.isEmpty()) {
            return QCoreApplication::translate(
                "kovra", "is none of the bank formats read: GIFT, Aiken, Moodle XML, CSV");
        }
        return QCoreApplication::translate(
                   "kovra", "%1 is not a question bank's extension (.gift, .txt, .xml, .csv)")
            .arg(quoted(p.text));
    case ProblemKind::BankTooLarge:
        return QCoreApplication::translate(
                   "kovra",
                   "is %1 bytes long; a question bank of this format may have at most %2 MiB")
            .arg(p.count)
            .arg(p.limit / kMiB);
    case ProblemKind::BankSkipped:
        return p.text.isEmpty()
                   ? QCoreApplication::translate("kovra", "question skipped: %1").arg(skipWords(p))
                   : QCoreApplication::translate("kovra", "question %1 skipped: %2")
                         .arg(quoted(p.text), skipWords(p));
    case ProblemKind::BankUnclosed:
        return QCoreApplication::translate("kovra", "%1 is not closed").arg(quoted(p.text));
    case ProblemKind::BankUnexpected:
        return QCoreApplication::translate("kovra", "expected %1").arg(expectedWords(p));
    case ProblemKind::BankAnswer:
        if (p.cell && p.text.isEmpty()) {
            return QCoreApplication::translate("kovra", "gives no right answer");
        }
        if (p.cell) { // a spreadsheet takes Cyrillic and Latin letters and numbers
            return QCoreApplication::translate(
                       "kovra",
                       "the right answer %1 names no given choice (a letter А to Д or A to "
                       "E, a number 1 to 5, or the choice's text)")
                .arg(quoted(p.text));
        }
        return QCoreApplication::translate(
                   "kovra",
                   "the answer %1 names no choice (a letter A to E of a given choice, or its text)")
            .arg(quoted(p.text));
    case ProblemKind::BankColumn:
        return QCoreApplication::translate(
                   "kovra", "the column %1 is not read (the columns read are question, A to E, "
                            "answer, figure and explanation, or in Bulgarian Въпрос, А to Д, "
                            "Верен отговор, Фигура and Обяснение)")
            .arg(quoted(p.text));
    case ProblemKind::BankMissingColumn:
        return missingColumnWords(int(p.count));
    case ProblemKind::BankExtraCell:
        return QCoreApplication::translate("kovra", "has text beyond the header's columns");
    case ProblemKind::BankEmptyQuestion:
        return QCoreApplication::translate("kovra", "has no question text");
    case ProblemKind::BankTooFew:
        return QCoreApplication::translate("kovra", "ends the file with %n question(s) read",
                                           nullptr, int(p.count)) +
               QStringLiteral("; ") +
               QCoreApplication::translate("kovra", "a test needs at least %1").arg(p.limit);
    case ProblemKind::BankTooMany:
        return (p.draws ? QCoreApplication::translate(
                              "kovra", "begins a question beyond the %1 a bank may have")
                        : QCoreApplication::translate(
                              "kovra", "begins a question beyond the %1 a test may have; a bigger "
                                       "bank needs --draw N, the questions for each pupil"))
            .arg(p.limit);
    case ProblemKind::NoSuchFile:
        return QCoreApplication::translate("kovra", "does not exist");
    case ProblemKind::IsAFolder:
        return QCoreApplication::translate("kovra", "is a folder, not a test file");
    case ProblemKind::CannotOpen:
        return QCoreApplication::translate("kovra", "cannot be read: %1").arg(visible(p.text));
    case ProblemKind::FileTooLarge:
        return QCoreApplication::translate("kovra",
                                           "has %1 bytes; a test file may have up to %2 MiB")
            .arg(p.count)
            .arg(p.limit / kMiB);
    case ProblemKind::NotATestFile:
        return QCoreApplication::translate(
                   "kovra", "is not a test file (a ZIP archive), or it is damaged or cut short: %1")
            .arg(p.text.isEmpty()
                     ? zipFaultWords(p.zip)
                     : QStringLiteral("%1: %2").arg(quoted(p.text), zipFaultWords(p.zip)));
    case ProblemKind::TooManyEntries:
        return QCoreApplication::translate("kovra", "holds %n file(s)", nullptr,
                                           int(std::min<qint64>(p.count, 1'000'000'000))) +
               QStringLiteral("; ") +
               QCoreApplication::translate("kovra", "a test file may hold up to %1").arg(p.limit);
    case ProblemKind::UnpackedTooLarge:
        return QCoreApplication::translate(
                   "kovra",
                   "unpacks to more than it may at %1 (%2 MiB for %3, %4 MiB for any other file, "
                   "%5 MiB in all): a damaged file or a ZIP bomb")
            .arg(quoted(p.text))
            .arg(p.count)
            .arg(QLatin1String("content.json"))
            .arg(p.limit)
            .arg(p.width);
    case ProblemKind::UnsafeEntryName:
        return QCoreApplication::translate(
                   "kovra",
                   "holds a file named %1: absolute paths, \"..\" and drive names are not allowed")
            .arg(quoted(p.text));
    case ProblemKind::EntryIsLink:
        return QCoreApplication::translate("kovra", "holds %1 as a link; links are not allowed")
            .arg(quoted(p.text));
    case ProblemKind::DuplicateEntry:
        return QCoreApplication::translate("kovra", "holds %1 twice").arg(quoted(p.text));
    case ProblemKind::EncryptedEntry:
        return QCoreApplication::translate("kovra",
                                           "holds %1 encrypted; a test file is not encrypted")
            .arg(quoted(p.text));
    case ProblemKind::NoContentFile:
        return QCoreApplication::translate("kovra", "has no %1").arg(QLatin1String("content.json"));
    case ProblemKind::CannotWrite:
        return p.other.isEmpty()
                   ? QCoreApplication::translate(
                         "kovra", "cannot be made: the archive could not be put together")
                   : QCoreApplication::translate("kovra", "%1 cannot be written: %2")
                         .arg(quoted(p.text), visible(p.other));
    }
    return {};
}

} // namespace

Problem notKept(qint64 count, Severity severity)
{
    Problem problem{ProblemKind::NotKept, severity};
    problem.count = count;
    return problem;
}

void limitProblems(Problems &problems, std::size_t most)
{
    const bool counted = !problems.empty() && problems.back().kind == ProblemKind::NotKept;
    if (problems.size() <= most + (counted ? 1 : 0)) {
        return;
    }
    qint64 count = 0;
    bool error = false;
    const auto first = problems.begin() + static_cast<std::ptrdiff_t>(most);
    for (auto p = first; p != problems.end(); ++p) {
        count += p->kind == ProblemKind::NotKept ? p->count : 1;
        error = error || p->severity == Severity::Error;
    }
    problems.erase(first, problems.end());
    problems.push_back(notKept(count, error ? Severity::Error : Severity::Warning));
}

QString describe(const Problem &problem, Audience audience)
{
    const QString level = problem.severity == Severity::Error
                              ? QCoreApplication::translate("kovra", "error")
                              : QCoreApplication::translate("kovra", "warning");
    if (problem.kind == ProblemKind::NotKept) {
        return QStringLiteral("%1: %2").arg(level, words(problem));
    }
    if (problem.kind == ProblemKind::DrawCount) {
        // The setting by the teacher's words; for a file's author, also by its names.
        return QStringLiteral("%1: %2").arg(
            level, (audience == Audience::Window
                        ? QCoreApplication::translate(
                              "kovra", "questions for each pupil: %1; %2 to %3 are allowed here")
                        : QCoreApplication::translate(
                              "kovra", "questions for each pupil (--draw, or \"draw\" in "
                                       "content.json): %1; %2 to %3 are allowed here"))
                       .arg(problem.count)
                       .arg(problem.least)
                       .arg(problem.limit));
    }
    const QString said =
        QStringLiteral("%1: %2 %3").arg(level, place(problem, audience), words(problem));
    return problem.skipsRow ? said + QCoreApplication::translate("kovra", "; the row is left out")
                            : said;
}

bool hasErrors(const Problems &problems)
{
    return std::any_of(problems.begin(), problems.end(),
                       [](const Problem &p) { return p.severity == Severity::Error; });
}

} // namespace kovra
