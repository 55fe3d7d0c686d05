// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the problems of a question bank, a test file and a pupil's result file.
#include "problem_words.h"

#include <QCoreApplication>
#include <algorithm>

namespace kovra::problem_words {

namespace {

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

// A question type of the bank's program that a test holds none of, as a teacher names it.
QString otherTypeWords(const QString &type)
{
    static const std::pair<const char *, const char *> words[] = {
        {"essay", QT_TRANSLATE_NOOP("kovra", "it is an essay question")},
        {"description", QT_TRANSLATE_NOOP("kovra", "it has no answers (a description)")},
        {"cloze",
         QT_TRANSLATE_NOOP("kovra", "it is a cloze question, with answers inside its text")},
        {"multianswer",
         QT_TRANSLATE_NOOP("kovra", "it is a cloze question, with answers inside its text")},
        {"calculated",
         QT_TRANSLATE_NOOP("kovra", "it is a calculated question, its numbers drawn")},
        {"calculatedsimple",
         QT_TRANSLATE_NOOP("kovra", "it is a calculated question, its numbers drawn")},
        {"calculatedmulti",
         QT_TRANSLATE_NOOP("kovra", "it is a calculated question, its numbers drawn")},
        {"ddwtos", QT_TRANSLATE_NOOP("kovra", "it is a drag-and-drop question")},
        {"ddimageortext", QT_TRANSLATE_NOOP("kovra", "it is a drag-and-drop question")},
        {"ddmarker", QT_TRANSLATE_NOOP("kovra", "it is a drag-and-drop question")},
        {"gapselect", QT_TRANSLATE_NOOP("kovra", "it is a question of drop-downs inside its text")},
        {"randomsamatch",
         QT_TRANSLATE_NOOP("kovra", "it is a random matching question, drawn from others")},
    };
    for (const auto &[name, said] : words) {
        if (type == QLatin1String(name)) {
            return QCoreApplication::translate("kovra", said);
        }
    }
    return {};
}

QString skipWords(const Problem &p)
{
    switch (p.skip) {
    case SkipReason::Description:
        return QCoreApplication::translate("kovra", "it has no answers (a description)");
    case SkipReason::NoText:
        return QCoreApplication::translate("kovra", "it has no question text");
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
        // The types a bank's program names, in the teacher's words; any other by its name.
        if (const QString known = otherTypeWords(p.other); !known.isEmpty()) {
            return known;
        }
        return QCoreApplication::translate("kovra",
                                           "its type %1 is none a test holds (multiple choice, "
                                           "true/false, short answer, numerical, matching)")
            .arg(quoted(p.other));
    case SkipReason::Multiple:
        return QCoreApplication::translate("kovra", "it allows more than one answer");
    case SkipReason::PictureChoices:
        return QCoreApplication::translate(
            "kovra", "its choices are pictures, and a choice shows only text");
    case SkipReason::Unfit:
        return QCoreApplication::translate("kovra", "as written it cannot be used: %1")
            .arg(p.other);
    case SkipReason::SameChoices:
        return QCoreApplication::translate(
                   "kovra", "its choices %1 are the same once their formatting is taken off")
            .arg(quoted(p.other));
    case SkipReason::NotANumber:
        return QCoreApplication::translate(
                   "kovra", "its value, tolerance or unit multiplier %1 is not a number")
            .arg(quoted(p.other));
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

} // namespace

// A question bank as a whole, read or written: its format, size and limits.
std::optional<QString> bankFileWords(const Problem &p)
{
    switch (p.kind) {
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
    case ProblemKind::BankNotUtf8:
        return QCoreApplication::translate(
                   "kovra", "has the byte 0x%1, which is not UTF-8 as the rest of the file is")
            .arg(p.count, 2, 16, QLatin1Char('0'));
    case ProblemKind::BankXml:
        return QCoreApplication::translate("kovra", "is not Moodle XML that can be read: %1")
            .arg(visible(p.text));
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
    case ProblemKind::ExportFormat:
        return QCoreApplication::translate(
                   "kovra", "%1 is not an extension written (.xml for Moodle XML, .gift, .csv)")
            .arg(quoted(p.text));
    case ProblemKind::ExportNoFigures:
        return QCoreApplication::translate("kovra", "GIFT holds no pictures: %n figure(s) left out",
                                           nullptr, int(p.count));
    case ProblemKind::ExportOtherKinds:
        return QCoreApplication::translate(
            "kovra",
            "CSV holds single-choice questions only: %n question(s) of other kinds left out",
            nullptr, int(p.count));
    case ProblemKind::ExportNoUnits:
        return QCoreApplication::translate(
            "kovra",
            "GIFT holds no units: the units of %n number question(s) left out, a number typed "
            "alone",
            nullptr, int(p.count));
    default:
        break;
    }
    return std::nullopt;
}

// A question or row of a bank, by what the format has at its place.
std::optional<QString> bankQuestionWords(const Problem &p)
{
    switch (p.kind) {
    case ProblemKind::BankSkipped:
        return p.text.isEmpty()
                   ? QCoreApplication::translate("kovra", "question skipped: %1").arg(skipWords(p))
                   : QCoreApplication::translate("kovra", "question %1 skipped: %2")
                         .arg(quoted(p.text), skipWords(p));
    case ProblemKind::BankTitleAsText:
        return QCoreApplication::translate(
                   "kovra", "has no question text: its title %1 is taken as its text")
            .arg(quoted(p.text));
    case ProblemKind::BankPenalties:
        return QCoreApplication::translate(
            "kovra", "the negative weights of the question's wrong answers are left out: a wrong "
                     "answer counts 0 here");
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
    default:
        break;
    }
    return std::nullopt;
}

// A test file, the place being the file itself.
std::optional<QString> testFileWords(const Problem &p)
{
    switch (p.kind) {
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
    default:
        break;
    }
    return std::nullopt;
}

std::optional<QString> resultFileWords(const Problem &p)
{
    switch (p.kind) {
    case ProblemKind::ResultTooLarge:
        return QCoreApplication::translate("kovra", "larger than a result file can be (%1 bytes)")
            .arg(p.count);
    case ProblemKind::ResultCannotOpen:
        return QCoreApplication::translate("kovra", "cannot be read: %1").arg(p.text);
    case ProblemKind::ResultNotJson:
        return QCoreApplication::translate("kovra", "damaged: not JSON text (byte %1)")
            .arg(p.count);
    case ProblemKind::NotAResult:
        return QCoreApplication::translate("kovra", "not a result file");
    case ProblemKind::ResultField:
        return QCoreApplication::translate("kovra", "damaged: field \"%1\" is missing or wrong")
            .arg(p.text);
    case ProblemKind::ResultNotAsWritten:
        return QCoreApplication::translate("kovra", "edited: not as the program wrote it");
    case ProblemKind::ResultChecksum:
        return QCoreApplication::translate("kovra", "edited: its checksum does not match");
    case ProblemKind::ResultSealed:
        return QCoreApplication::translate(
            "kovra", "sealed for the teacher: open the results with the teacher's test");
    case ProblemKind::ResultSealedElsewhere:
        return QCoreApplication::translate(
            "kovra", "sealed for another test, or changed since it was written");
    case ProblemKind::ResultNotSealed:
        return QCoreApplication::translate(
            "kovra", "not sealed, as every result of a test for marks is: not written by its "
                     "pupils' copy");
    default:
        break;
    }
    return std::nullopt;
}

} // namespace kovra::problem_words
