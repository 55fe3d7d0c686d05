// SPDX-License-Identifier: GPL-3.0-or-later
#include "problems.h"

#include "figures.h"
#include "loader.h"
#include "testfile.h"

#include <QCoreApplication>
#include <QJsonParseError>
#include <QStringList>
#include <algorithm>

namespace kovra {

// Every word of the checker and the import is in the one translation context "kovra".
namespace {

// A text taken from the content as part of one printable line: control characters and line
// and paragraph separators are written as escapes.
QString visible(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar ch : text) {
        const QChar::Category category = ch.category();
        if (category != QChar::Other_Control && category != QChar::Separator_Line &&
            category != QChar::Separator_Paragraph) {
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
    return shown;
}

bool aboutTheFile(ProblemKind kind)
{
    return kind >= ProblemKind::NoSuchFile && kind <= ProblemKind::CannotWrite;
}

QString place(const Problem &p)
{
    if (aboutTheFile(p.kind)) {
        return QCoreApplication::translate("kovra", "file");
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
    if (!p.field.isEmpty()) {
        parts << QCoreApplication::translate("kovra", "field \"%1\"").arg(visible(p.field));
    }
    return parts.isEmpty() ? QCoreApplication::translate("kovra", "content")
                           : parts.join(QStringLiteral(", "));
}

QString quoted(const QString &text)
{
    return QStringLiteral("\u00AB%1\u00BB").arg(visible(text));
}

// What the JSON reader found wrong, by its code.
QString jsonFaultWords(int code)
{
    switch (static_cast<QJsonParseError::ParseError>(code)) {
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
    return QString::number(code);
}

// The detail of a NotATestFile problem: what the ZIP reader found, after the entry it found it
// in and a tab where there is one.
QString zipFaultWords(const QString &detail)
{
    const QString fault = detail.section(QLatin1Char('\t'), -1);
    QString words;
    if (fault == QLatin1String("crc")) {
        words = QCoreApplication::translate("kovra", "a check sum does not match");
    } else if (fault == QLatin1String("nodirectory")) {
        words = QCoreApplication::translate("kovra", "no ZIP directory at its end");
    } else if (fault == QLatin1String("damaged")) {
        words = QCoreApplication::translate("kovra", "its directory is damaged");
    } else if (fault == QLatin1String("data")) {
        words = QCoreApplication::translate("kovra", "its packed data is damaged");
    } else if (fault == QLatin1String("short")) {
        words = QCoreApplication::translate("kovra", "its data ends early");
    } else if (fault == QLatin1String("empty")) {
        words = QCoreApplication::translate("kovra", "the file is empty");
    } else if (fault == QLatin1String("mimetype")) {
        words = QCoreApplication::translate("kovra", "its entry %1 does not say %2")
                    .arg(QLatin1String("mimetype"), QLatin1String(kTestFileMimeType));
    } else {
        words =
            QCoreApplication::translate("kovra", "the ZIP reader's error %1").arg(visible(fault));
    }
    return detail.contains(QLatin1Char('\t'))
               ? QStringLiteral("%1: %2").arg(quoted(detail.section(QLatin1Char('\t'), 0, -2)),
                                              words)
               : words;
}

// The words for a JSON type's code in a WrongType detail.
QString typeWords(const QString &code)
{
    if (code == QLatin1String("null")) {
        return QCoreApplication::translate("kovra", "null");
    }
    if (code == QLatin1String("boolean")) {
        return QCoreApplication::translate("kovra", "a boolean");
    }
    if (code == QLatin1String("number")) {
        return QCoreApplication::translate("kovra", "a number");
    }
    if (code == QLatin1String("string")) {
        return QCoreApplication::translate("kovra", "a string");
    }
    if (code == QLatin1String("strings")) {
        return QCoreApplication::translate("kovra", "an array of strings");
    }
    if (code == QLatin1String("integer")) {
        return QCoreApplication::translate("kovra", "a whole number");
    }
    if (code == QLatin1String("figure")) {
        return QCoreApplication::translate("kovra", "a file name or null");
    }
    if (code == QLatin1String("array")) {
        return QCoreApplication::translate("kovra", "an array");
    }
    if (code == QLatin1String("object")) {
        return QCoreApplication::translate("kovra", "an object");
    }
    if (code == QLatin1String("questions")) {
        return QCoreApplication::translate("kovra", "an array of questions");
    }
    return QCoreApplication::translate("kovra", "missing");
}

// Why a question of a bank was left out, by the reason's code.
QString skipWords(const QString &code)
{
    if (code == QLatin1String("description")) {
        return QCoreApplication::translate("kovra", "it has no answers (a description)");
    }
    if (code == QLatin1String("essay")) {
        return QCoreApplication::translate("kovra", "it is an essay question (empty answers)");
    }
    if (code == QLatin1String("truefalse")) {
        return QCoreApplication::translate("kovra", "it is a true/false question");
    }
    if (code == QLatin1String("numerical")) {
        return QCoreApplication::translate("kovra", "it is a numerical question");
    }
    if (code == QLatin1String("matching")) {
        return QCoreApplication::translate("kovra", "it is a matching question");
    }
    if (code == QLatin1String("shortanswer")) {
        return QCoreApplication::translate("kovra",
                                           "it is a short-answer question (no wrong answer \"~\")");
    }
    if (code == QLatin1String("weights")) {
        return QCoreApplication::translate("kovra",
                                           "its answers have partial-credit weights such as %50%");
    }
    if (code == QLatin1String("several")) {
        return QCoreApplication::translate("kovra", "it has more than one right answer");
    }
    if (code == QLatin1String("noright")) {
        return QCoreApplication::translate("kovra", "it has no right answer \"=\"");
    }
    if (code == QLatin1String("toomany")) {
        return QCoreApplication::translate("kovra", "it has more than five answers");
    }
    if (code == QLatin1String("multiple")) {
        return QCoreApplication::translate("kovra", "it allows more than one answer");
    }
    if (code == QLatin1String("blocks")) {
        return QCoreApplication::translate("kovra", "it has more than one answer block \"{...}\"");
    }
    return QCoreApplication::translate("kovra", "it has text before its first answer");
}

// What a line of an Aiken file should have been, by the expectation's code.
QString expectedWords(const QString &code)
{
    if (code == QLatin1String("first")) {
        return QCoreApplication::translate("kovra", "the question's first choice \"A.\" or \"A)\"");
    }
    if (code == QLatin1String("answer")) {
        return QCoreApplication::translate("kovra", "the line \"ANSWER: X\"");
    }
    if (code == QLatin1String("blank")) {
        return QCoreApplication::translate("kovra", "a blank line after the line \"ANSWER: X\"");
    }
    if (code == QLatin1String("end")) {
        return QCoreApplication::translate("kovra",
                                           "the line \"ANSWER: X\" before the end of the file");
    }
    return QCoreApplication::translate("kovra", "the choice \"%1.\" or the line \"ANSWER: X\"")
        .arg(code);
}

QString words(const Problem &p)
{
    const QStringList parts = p.detail.split(QLatin1Char(' '));
    switch (p.kind) {
    case ProblemKind::Unreadable:
        return QCoreApplication::translate("kovra", "cannot read %1").arg(visible(p.detail));
    case ProblemKind::Damaged:
        return QCoreApplication::translate("kovra", "in %1 is damaged; build the program again")
            .arg(visible(p.detail));
    case ProblemKind::Malformed: {
        const QStringList what = p.detail.split(QLatin1Char('\n'));
        return QCoreApplication::translate("kovra", "is not valid JSON: %1 at byte %2")
            .arg(jsonFaultWords(what.front().toInt()), what.back());
    }
    case ProblemKind::NotAnObject:
        return QCoreApplication::translate("kovra", "must be a JSON object");
    case ProblemKind::MissingField:
        return QCoreApplication::translate("kovra", "is missing");
    case ProblemKind::WrongType:
        return QCoreApplication::translate("kovra", "must be %1, not %2")
            .arg(typeWords(parts.front()), typeWords(parts.back()));
    case ProblemKind::UnknownField:
        return QCoreApplication::translate("kovra",
                                           "is not a field of the content format (misspelt?)");
    case ProblemKind::SettingsCount:
        return QCoreApplication::translate("kovra", "must have exactly 6 rows, has %1")
            .arg(p.detail);
    case ProblemKind::QuestionCount:
        if (parts.size() == 5) {
            return QCoreApplication::translate(
                       "kovra", "has %1 questions; %2 to %3 are allowed, or up to %4 with the "
                                "setting \"draw\", the questions each run takes")
                .arg(parts[0], parts[1], parts[2])
                .arg(kMaxPoolQuestions);
        }
        if (parts.size() != 4) {
            return QCoreApplication::translate("kovra", "has %1").arg(p.detail);
        }
        return (parts[3] == QLatin1String("1")
                    ? QCoreApplication::translate(
                          "kovra",
                          "has %1 questions; %2 to %3 are allowed with the check setting on")
                    : QCoreApplication::translate(
                          "kovra",
                          "has %1 questions; %2 to %3 are allowed with the check setting off"))
            .arg(parts[0], parts[1], parts[2]);
    case ProblemKind::ChoiceCount:
        return QCoreApplication::translate("kovra", "must have 2 to 5 choices, has %1")
            .arg(p.detail);
    case ProblemKind::KeyMatchesNone:
        return QCoreApplication::translate(
                   "kovra", "%1 equals no choice exactly (blanks, case and letters count)")
            .arg(quoted(p.detail));
    case ProblemKind::KeyMatchesSeveral:
        return QCoreApplication::translate("kovra", "%1 equals more than one choice")
            .arg(quoted(p.detail));
    case ProblemKind::LineBreak:
        return QCoreApplication::translate("kovra", "must be a single line without line breaks");
    case ProblemKind::NotWindows1251:
        return QCoreApplication::translate("kovra", "holds %1 (U+%2), half of a character only")
            .arg(quoted(p.detail))
            .arg(p.detail.isEmpty() ? 0 : p.detail.at(0).unicode(), 4, 16, QLatin1Char('0'));
    case ProblemKind::NoBlank:
        return QCoreApplication::translate("kovra", "has no blank \"_\", which phrase mode needs");
    case ProblemKind::FigureName:
        return QCoreApplication::translate("kovra", "%1 is not a plain relative file name")
            .arg(quoted(p.detail));
    case ProblemKind::FigureMissing:
        return QCoreApplication::translate("kovra", "file %1 does not exist").arg(quoted(p.detail));
    case ProblemKind::FigureCorrupt:
        return QCoreApplication::translate("kovra", "file %1 is not a readable image")
            .arg(quoted(p.detail));
    case ProblemKind::NoExplanation:
        return QCoreApplication::translate("kovra", "must have at least one line");
    case ProblemKind::FlagNotBinary:
        return QCoreApplication::translate("kovra", "ends in %1; a flag should end in 0 or 1")
            .arg(quoted(p.detail));
    case ProblemKind::LookAlike: {
        const QStringList both = p.detail.split(QLatin1Char('\n'));
        return QCoreApplication::translate("kovra", "choices look the same on screen: %1 and %2")
            .arg(quoted(both.front()), quoted(both.back()));
    }
    case ProblemKind::BankFormat:
        if (p.detail.isEmpty()) {
            return QCoreApplication::translate(
                "kovra", "is none of the bank formats read: GIFT, Aiken, Moodle XML, CSV");
        }
        return QCoreApplication::translate(
                   "kovra", "%1 is not a question bank's extension (.gift, .txt, .xml, .csv)")
            .arg(quoted(p.detail));
    case ProblemKind::BankTooLarge:
        return QCoreApplication::translate(
                   "kovra", "is %1 bytes long; a question bank of this format may have at most "
                            "%2 MiB")
            .arg(parts.front(), parts.back());
    case ProblemKind::BankSkipped: {
        // The reason's code, then the question's name and type where the bank gives them.
        const QStringList skip = p.detail.split(QLatin1Char('\t'));
        const QString why = skip.front() == QLatin1String("type") && skip.size() == 3
                                ? QCoreApplication::translate(
                                      "kovra", "its type %1 is not single-answer or true/false")
                                      .arg(quoted(skip[2]))
                                : skipWords(skip.front());
        return skip.size() > 1 && !skip[1].isEmpty()
                   ? QCoreApplication::translate("kovra", "question %1 skipped: %2")
                         .arg(quoted(skip[1]), why)
                   : QCoreApplication::translate("kovra", "question skipped: %1").arg(why);
    }
    case ProblemKind::BankUnclosed:
        return QCoreApplication::translate("kovra", "%1 is not closed").arg(quoted(p.detail));
    case ProblemKind::BankUnexpected:
        return QCoreApplication::translate("kovra", "expected %1").arg(expectedWords(p.detail));
    case ProblemKind::BankAnswer:
        return QCoreApplication::translate(
                   "kovra",
                   "the answer %1 names no choice (a letter A to E of a given choice, or its text)")
            .arg(quoted(p.detail));
    case ProblemKind::BankColumn:
        return QCoreApplication::translate(
                   "kovra", "the column %1 is not read (question, A to E, answer, figure and "
                            "explanation are)")
            .arg(quoted(p.detail));
    case ProblemKind::BankMissingColumn:
        return QCoreApplication::translate("kovra", "the header has no column %1")
            .arg(quoted(p.detail));
    case ProblemKind::BankExtraCell:
        return QCoreApplication::translate("kovra", "has text beyond the header's columns");
    case ProblemKind::BankEmptyQuestion:
        return QCoreApplication::translate("kovra", "has no question text");
    case ProblemKind::BankTooFew:
        return QCoreApplication::translate(
                   "kovra", "ends the file with %1 questions read; a test needs at least %2")
            .arg(parts.front(), parts.back());
    case ProblemKind::BankTooMany:
        return (parts.back() == QLatin1String("1")
                    ? QCoreApplication::translate("kovra",
                                                  "begins a question beyond the %1 a bank may have")
                    : QCoreApplication::translate(
                          "kovra", "begins a question beyond the %1 a test may have; a bigger "
                                   "bank needs --draw N, the questions each run takes"))
            .arg(parts.front());
    case ProblemKind::BankNotUtf8:
        return QCoreApplication::translate(
                   "kovra", "has the byte 0x%1, which is not UTF-8 as the rest of the file is")
            .arg(visible(p.detail));
    case ProblemKind::BankControl:
    case ProblemKind::ControlCharacter:
        return QCoreApplication::translate("kovra",
                                           "holds the control character U+%1, which no text may")
            .arg(p.detail.isEmpty() ? 0 : p.detail.at(0).unicode(), 4, 16, QLatin1Char('0'));
    case ProblemKind::BankQuestionTooLong:
        return QCoreApplication::translate(
                   "kovra", "begins a question longer than %1 characters, the most one may take")
            .arg(p.detail);
    case ProblemKind::BankTooManyCells:
        return QCoreApplication::translate("kovra", "has more than %1 cells").arg(p.detail);
    case ProblemKind::BankXml:
        return QCoreApplication::translate("kovra", "is not Moodle XML that can be read: %1")
            .arg(visible(p.detail));
    case ProblemKind::FigureOutside:
        return QCoreApplication::translate(
                   "kovra", "figure %1 is not inside the bank's folder (no absolute path, no ..)")
            .arg(quoted(p.detail));
    case ProblemKind::FigureFileTooLarge:
        return QCoreApplication::translate("kovra",
                                           "figure %1 is larger than the %2 MiB a figure may have")
            .arg(quoted(p.detail))
            .arg(kMaxEntryBytes / kMiB);
    case ProblemKind::EmptyChoice:
        return QCoreApplication::translate("kovra", "is empty; a choice must have text");
    case ProblemKind::DrawCount:
        if (parts.size() != 3) {
            return QCoreApplication::translate("kovra", "has %1").arg(p.detail);
        }
        return QCoreApplication::translate(
                   "kovra", "takes %1 questions a run; %2 to %3 are allowed for this test")
            .arg(parts[0], parts[1], parts[2]);
    case ProblemKind::FigureTooLarge:
        return QCoreApplication::translate(
                   "kovra", "file %1 has %2 pixels; figures may have up to %3 million")
            .arg(quoted(p.detail.section(QLatin1Char('\t'), 0, 0)),
                 visible(p.detail.section(QLatin1Char('\t'), 1)))
            .arg(kMaxFigurePixels / 1'000'000);
    case ProblemKind::NoSuchFile:
        return QCoreApplication::translate("kovra", "does not exist");
    case ProblemKind::IsAFolder:
        return QCoreApplication::translate("kovra", "is a folder, not a test file");
    case ProblemKind::CannotOpen:
        return QCoreApplication::translate("kovra", "cannot be read: %1").arg(visible(p.detail));
    case ProblemKind::FileTooLarge:
        return QCoreApplication::translate("kovra",
                                           "has %1 bytes; a test file may have up to %2 MiB")
            .arg(p.detail)
            .arg(kMaxTestFileBytes / kMiB);
    case ProblemKind::NotATestFile:
        return QCoreApplication::translate(
                   "kovra", "is not a test file (a ZIP archive), or it is damaged or cut short: %1")
            .arg(zipFaultWords(p.detail));
    case ProblemKind::TooManyEntries:
        return QCoreApplication::translate("kovra", "holds %1 files; a test file may hold up to %2")
            .arg(p.detail)
            .arg(kMaxTestFileEntries);
    case ProblemKind::UnpackedTooLarge:
        return QCoreApplication::translate(
                   "kovra", "unpacks to more than it may at %1 (%2 MiB for %3, %4 MiB for any "
                            "other file, %5 MiB in all): a damaged file or a ZIP bomb")
            .arg(quoted(p.detail))
            .arg(kMaxContentBytes / kMiB)
            .arg(QLatin1String(kContentFileName))
            .arg(kMaxEntryBytes / kMiB)
            .arg(kMaxUnpackedBytes / kMiB);
    case ProblemKind::UnsafeEntryName:
        return QCoreApplication::translate(
                   "kovra", "holds a file named %1: absolute paths, \"..\" and drive names "
                            "are not allowed")
            .arg(quoted(p.detail));
    case ProblemKind::EntryIsLink:
        return QCoreApplication::translate("kovra", "holds %1 as a link; links are not allowed")
            .arg(quoted(p.detail));
    case ProblemKind::DuplicateEntry:
        return QCoreApplication::translate("kovra", "holds %1 twice").arg(quoted(p.detail));
    case ProblemKind::EncryptedEntry:
        return QCoreApplication::translate("kovra",
                                           "holds %1 encrypted; a test file is not encrypted")
            .arg(quoted(p.detail));
    case ProblemKind::NoContentFile:
        return QCoreApplication::translate("kovra", "has no %1")
            .arg(QLatin1String(kContentFileName));
    case ProblemKind::CannotWrite:
        return QCoreApplication::translate("kovra", "%1 cannot be written: %2")
            .arg(quoted(p.detail.section(QLatin1Char('\t'), 0, 0)),
                 visible(p.detail.section(QLatin1Char('\t'), 1)));
    }
    return {};
}

} // namespace

QString describe(const Problem &problem)
{
    const QString level = problem.severity == Severity::Error
                              ? QCoreApplication::translate("kovra", "error")
                              : QCoreApplication::translate("kovra", "warning");
    return QStringLiteral("%1: %2 %3").arg(level, place(problem), words(problem));
}

bool hasErrors(const Problems &problems)
{
    return std::any_of(problems.begin(), problems.end(),
                       [](const Problem &p) { return p.severity == Severity::Error; });
}

} // namespace kovra
