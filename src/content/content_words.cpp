// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the problems of a test's content: its file's shape, its texts, its figures.
#include "problem_words.h"

#include <QCoreApplication>
#include <climits>

namespace kovra::problem_words {

namespace {

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

} // namespace

// The content file and its shape: its JSON, its fields, their types and counts.
std::optional<QString> shapeWords(const Problem &p)
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
        return QString(); // worded with its place, in describe()
    case ProblemKind::FlagNotBinary:
        return QCoreApplication::translate("kovra",
                                           "ends in %1; a setting that is on or off ends in 0 or 1")
            .arg(quoted(p.text));
    case ProblemKind::NotKept:
        return QCoreApplication::translate("kovra", "and %n more problem(s), not shown", nullptr,
                                           int(std::min<qint64>(p.count, INT_MAX)));
    default:
        break;
    }
    return std::nullopt;
}

// A question's texts: each line, its choices and its right one.
std::optional<QString> textWords(const Problem &p)
{
    switch (p.kind) {
    case ProblemKind::EmptyChoice:
        return QCoreApplication::translate("kovra", "is empty; a choice must have text");
    case ProblemKind::ControlCharacter:
    case ProblemKind::BankControl:
        return QCoreApplication::translate("kovra",
                                           "holds the control character U+%1, which no text may")
            .arg(p.text.isEmpty() ? 0U : p.text.toUcs4().value(0), 4, 16, QLatin1Char('0'));
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
    case ProblemKind::MarksMinutes:
        return QCoreApplication::translate("kovra",
                                           "must be a whole number of minutes from 0 to %1")
            .arg(p.limit);
    case ProblemKind::MarksKey:
        return QCoreApplication::translate(
                   "kovra", "is damaged: not a key of %1 bytes in Base64; save the test again "
                            "from the teacher's test")
            .arg(p.limit);
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
    case ProblemKind::NoExplanation:
        return QCoreApplication::translate("kovra", "must have at least one line");
    case ProblemKind::LookAlike:
        return QCoreApplication::translate("kovra", "choices look the same on screen: %1 and %2")
            .arg(quoted(p.text), quoted(p.other));
    default:
        break;
    }
    return std::nullopt;
}

// A question's figure: its name, its file and its picture.
std::optional<QString> figureWords(const Problem &p)
{
    switch (p.kind) {
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
    case ProblemKind::FigureOutside:
        return QCoreApplication::translate(
                   "kovra", "figure %1 is not inside the bank's folder (no absolute path, no ..)")
            .arg(quoted(p.text));
    default:
        break;
    }
    return std::nullopt;
}

} // namespace kovra::problem_words
