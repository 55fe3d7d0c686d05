// SPDX-License-Identifier: GPL-3.0-or-later
#include "import.h"

#include "bank.h"
#include "content/cp1251.h"
#include "content/figures.h"
#include "model/marking.h"
#include "testfile/testfile.h"
#include "text.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <algorithm>

namespace kovra {

namespace {

using namespace importer;

bool isControl(QChar ch)
{
    const char16_t c = ch.unicode();
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// A text of a question that holds a control character (a terminal's escape, say), which no
// question shows: refused with the question's line.
void checkControls(const Question &question, Bank &bank)
{
    QStringList texts = question.choices;
    texts << question.text << question.explanation;
    for (const QString &text : std::as_const(texts)) {
        for (const QChar ch : text) {
            if (isControl(ch)) {
                bank.error(ProblemKind::BankControl, question.source.line, 0, QString(ch));
                return;
            }
        }
    }
}

// The figure's name in a test file ends in the format its content has, which the check decodes
// it with first, whatever the file on disk is called.
QByteArray figureSuffix(const Figure &figure)
{
    static const QRegularExpression plainSuffix(QStringLiteral("^[A-Za-z0-9]{1,8}$"));
    QBuffer buffer;
    buffer.setData(figure.bytes);
    buffer.open(QIODevice::ReadOnly);
    QString suffix = QString::fromLatin1(QImageReader::imageFormat(&buffer));
    if (suffix.isEmpty()) {
        suffix = QString::fromLatin1(figure.suffix);
    }
    return plainSuffix.match(suffix).hasMatch() ? suffix.toLatin1() : QByteArrayLiteral("img");
}

// The right answer of a question of any kind, as a line: the right choice, the choices of credit
// above 0, the answer of the most credit typed (a number with its tolerance and its first unit),
// each item with its answer.
QString keyText(const Question &question)
{
    QStringList parts;
    switch (question.kind) {
    case QuestionKind::Single:
        return question.rightText();
    case QuestionKind::Several:
        for (qsizetype c = 0; c < question.choices.size(); ++c) {
            if (std::size_t(c) < question.weights.size() && question.weights[std::size_t(c)] > 0) {
                parts << question.choices.at(c);
            }
        }
        return parts.join(QStringLiteral(", "));
    case QuestionKind::Typed:
    case QuestionKind::Number: {
        const auto best = std::max_element(
            question.accepted.begin(), question.accepted.end(),
            [](const Accepted &a, const Accepted &b) { return a.credit < b.credit; });
        if (best == question.accepted.end()) {
            return {};
        }
        QString key = best->text;
        if (question.kind != QuestionKind::Number) {
            return key;
        }
        if (best->tolerance > 0) {
            key += QStringLiteral(" ± ") + QString::number(best->tolerance, 'g', 15);
        }
        // In the words of the explanation, with the decimal comma.
        return withUnit(question, withDecimalComma(key));
    }
    case QuestionKind::Matching:
        for (qsizetype i = 0; i < question.items.size(); ++i) {
            const std::size_t at = std::size_t(i);
            parts << question.items.at(i) + QStringLiteral(" – ") +
                         question.choices.value(at < question.matches.size() ? question.matches[at]
                                                                             : -1);
        }
        return parts.join(QStringLiteral("; "));
    }
    return {};
}

// The explanation of a question that brings none: its right answer, as a sentence that ends
// in one full stop, whatever the answer ends in.
QString defaultExplanation(const QString &key)
{
    static const QRegularExpression endsSentence(QStringLiteral("[.!?…]$"));
    return QStringLiteral("Верният отговор е: %1").arg(key) +
           (endsSentence.match(key).hasMatch() ? QString() : QStringLiteral("."));
}

Imported finish(Bank bank, int lastLineNumber, const QString &path, BankFormat format,
                const ImportOptions &options)
{
    Imported imported;
    imported.format = format;
    imported.rows = format == BankFormat::Csv;
    const int count = int(bank.questions.size());
    const auto [least, runMost] = questionRange(options.toto);
    const int most = options.draw || options.editing ? kMaxBankQuestions : runMost;
    if (count > most) {
        bank.error({.kind = ProblemKind::BankTooMany,
                    .line = bank.questions[std::size_t(most)].source.line,
                    .limit = most,
                    .draws = options.draw.has_value() || options.editing});
    } else if (count < least && !options.editing) {
        bank.error({.kind = ProblemKind::BankTooFew,
                    .line = lastLineNumber,
                    .count = count,
                    .limit = least});
    }
    bool feedback = false;
    const bool allMissingWord = count > 0 && bank.missingWords == count;
    for (const Question &question : bank.questions) {
        checkControls(question, bank);
        feedback = feedback || !question.explanation.isEmpty();
    }
    const QString title =
        options.title.isEmpty() ? QFileInfo(path).completeBaseName() : options.title;
    for (const Question &question : bank.questions) {
        imported.questionLines.push_back(question.source.line);
    }
    imported.imported = count;
    imported.skipped = bank.skips;
    imported.problems = std::move(bank).problems();
    if (imported.rows) {
        for (Problem &problem : imported.problems) {
            problem.cell = problem.line > 0;
        }
    }
    if (hasErrors(imported.problems)) {
        return imported;
    }

    Test &test = imported.test.emplace();
    test.title = title;
    test.phrase = options.phrase || (format == BankFormat::Gift && allMissingWord);
    test.askAgain = options.toto;
    test.explanations = options.explanations.value_or(feedback);
    test.reviewButtons = options.reviewButtons.value_or(feedback);
    test.draw = options.draw.value_or(0);
    test.note = QStringList{
        QStringLiteral("Imported from a question bank (%1)").arg(bankFormatName(format))};
    for (Question &question : bank.questions) {
        if (question.explanation.isEmpty()) {
            question.explanation = QStringList{defaultExplanation(keyText(question))};
        }
        if (!question.figure.isEmpty()) {
            question.figure.suffix = figureSuffix(question.figure);
        }
    }
    test.questions = std::move(bank.questions);
    return imported;
}

// Moodle XML: known by its root element. Past a byte-order mark, the file begins with an XML
// declaration, or with <quiz> after any processing instructions, comments, a document type and
// blanks; these are looked through in the first 64 KiB only.
bool looksLikeXml(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
    }
    bytes = bytes.first(std::min<qsizetype>(bytes.size(), 64 * 1024));
    const auto skipBlanks = [&bytes] {
        qsizetype at = 0;
        while (at < bytes.size() && QChar::isSpace(uchar(bytes[at]))) {
            ++at;
        }
        bytes = bytes.sliced(at);
    };
    skipBlanks();
    if (bytes.startsWith("<?xml ") || bytes.startsWith("<?xml?")) {
        return true;
    }
    // Other processing instructions, comments and a document type before the root, in any order.
    for (;;) {
        const char *close = bytes.startsWith("<?")     ? "?>"
                            : bytes.startsWith("<!--") ? "-->"
                            : bytes.startsWith("<!")   ? ">"
                                                       : nullptr;
        const qsizetype end = close ? bytes.indexOf(close) : -1;
        if (end < 0) {
            break;
        }
        bytes = bytes.sliced(end + qstrlen(close));
        skipBlanks();
    }
    return bytes.startsWith("<quiz");
}

} // namespace

std::optional<QString> importer::sameOnceFlat(const QStringList &flat, const QStringList &written)
{
    QHash<QString, qsizetype> seen; // a flat text, the first choice with it
    for (qsizetype i = 0; i < flat.size(); ++i) {
        const auto earlier = seen.constFind(flat.at(i));
        if (earlier == seen.cend()) {
            seen.insert(flat.at(i), i);
        } else if (written.value(*earlier) != written.value(i)) {
            return flat.at(i);
        }
    }
    return std::nullopt;
}

void importer::takeFigureFile(const QString &path, Question &question, Bank &bank)
{
    Figure &figure = question.figure;
    figure.suffix = QFileInfo(path).suffix().toLower().toLatin1();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        figure.missing = QDir::toNativeSeparators(path);
        return;
    }
    figure.bytes = file.read(kMaxEntryBytes + 1);
    if (figure.bytes.size() > kMaxEntryBytes) {
        figure.bytes.clear();
        bank.error({.kind = ProblemKind::FigureFileTooLarge,
                    .place = {ContentField::Figure},
                    .line = question.source.line,
                    .text = QDir::toNativeSeparators(path),
                    .limit = kMaxFigureFileBytes});
    }
}

bool isBankFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"gift" || suffix == u"txt" || suffix == u"xml" || suffix == u"csv";
}

std::optional<BankFormat> bankFormatOfText(QStringView text)
{
    // Aiken's answer lines against GIFT's answer blocks; a bank is one or the other.
    int answers = 0;
    for (qsizetype at = text.indexOf(u"ANSWER:"); at >= 0; at = text.indexOf(u"ANSWER:", at + 1)) {
        const QStringView before = text.first(at);
        if (before.sliced(before.lastIndexOf(u'\n') + 1).trimmed().isEmpty()) {
            ++answers;
        }
    }
    const qsizetype blocks = text.count(u'{');
    if (answers > 0 && answers >= blocks) {
        return BankFormat::Aiken;
    }
    if (blocks > 0) {
        return BankFormat::Gift;
    }
    return std::nullopt;
}

QString bankFormatName(BankFormat format)
{
    switch (format) {
    case BankFormat::Gift:
        return QStringLiteral("GIFT");
    case BankFormat::Aiken:
        return QStringLiteral("Aiken");
    case BankFormat::MoodleXml:
        return QStringLiteral("Moodle XML");
    case BankFormat::Csv:
        break;
    }
    return QStringLiteral("CSV");
}

namespace {

Imported tooLarge(qint64 size, qint64 most)
{
    Imported refused;
    refused.problems.push_back({.kind = ProblemKind::BankTooLarge, .count = size, .limit = most});
    return refused;
}

Imported importXml(QIODevice *device, const QString &path, const ImportOptions &options)
{
    Bank bank;
    const int lastLine = readMoodleXml(device, bank);
    return finish(std::move(bank), lastLine, path, BankFormat::MoodleXml, options);
}

} // namespace

Imported importQuestionBank(const QString &path, const QByteArray &bytes,
                            const ImportOptions &options, std::optional<BankFormat> format)
{
    if (!format && QFileInfo(path).suffix().toLower() == u"csv") {
        format = BankFormat::Csv;
    }
    if ((!format && looksLikeXml(bytes)) || format == BankFormat::MoodleXml) {
        if (bytes.size() > kMaxXmlBankBytes) {
            return tooLarge(bytes.size(), kMaxXmlBankBytes);
        }
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return importXml(&buffer, path, options);
    }
    if (bytes.size() > kMaxBankBytes) {
        return tooLarge(bytes.size(), kMaxBankBytes);
    }
    Imported refused;
    const std::optional<QString> text = decodeBank(bytes, refused.problems);
    if (!text) {
        return refused;
    }
    if (!format) {
        format = bankFormatOfText(*text);
    }
    if (!format) {
        refused.problems.push_back({.kind = ProblemKind::BankFormat});
        return refused;
    }
    Bank bank;
    switch (*format) {
    case BankFormat::Gift:
        readGift(*text, bank);
        break;
    case BankFormat::Aiken:
        readAiken(*text, bank);
        break;
    case BankFormat::Csv:
        readCsv(*text, QFileInfo(path).absolutePath(), bank);
        break;
    case BankFormat::MoodleXml:
        break;
    }
    return finish(std::move(bank), lastLine(*text), path, *format, options);
}

Imported importQuestionBank(const QString &path, const ImportOptions &options)
{
    Imported imported;
    if (!isBankFile(path)) {
        imported.problems.push_back(
            {.kind = ProblemKind::BankFormat, .text = QFileInfo(path).suffix()});
        return imported;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        imported.problems.push_back({.kind = ProblemKind::Unreadable, .text = path});
        return imported;
    }
    // Moodle XML, with its pictures, is read as it streams from the file.
    if (QFileInfo(path).suffix().toLower() != u"csv" && looksLikeXml(file.peek(4096))) {
        if (file.size() > kMaxXmlBankBytes) {
            return tooLarge(file.size(), kMaxXmlBankBytes);
        }
        return importXml(&file, path, options);
    }
    if (file.size() > kMaxBankBytes) {
        return tooLarge(file.size(), kMaxBankBytes);
    }
    return importQuestionBank(path, file.read(kMaxBankBytes + 1), options);
}

void attachSourceLines(Problems &problems, const Imported &imported)
{
    const std::vector<int> &lines = imported.questionLines;
    for (Problem &problem : problems) {
        if (problem.line == 0 && problem.question > 0 &&
            std::size_t(problem.question) <= lines.size()) {
            problem.line = lines[std::size_t(problem.question) - 1];
            problem.cell = imported.rows;
        }
    }
}

namespace {

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    if (!image.isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    return bytes;
}

// CSV holds single choice alone: the questions of other kinds are left out with one warning that
// counts them. Their figures are written in a folder beside it; none when one cannot be.
std::optional<QByteArray> csvBytes(const std::vector<Question> &all,
                                   const std::vector<QByteArray> &allPngs, const QFileInfo &file,
                                   Problems &problems)
{
    std::vector<Question> questions;
    std::vector<QByteArray> pngs;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].isSingle()) {
            questions.push_back(all[i]);
            pngs.push_back(allPngs[i]);
        }
    }
    if (questions.size() < all.size()) {
        problems.push_back({.kind = ProblemKind::ExportOtherKinds,
                            .severity = Severity::Warning,
                            .count = qint64(all.size() - questions.size())});
    }
    std::vector<QString> names(questions.size());
    const QString folder = file.completeBaseName() + QStringLiteral("-figures");
    for (std::size_t i = 0; i < questions.size(); ++i) {
        if (pngs[i].isEmpty()) {
            continue;
        }
        names[i] = QStringLiteral("%1/q%2.png").arg(folder).arg(i + 1, 2, 10, QLatin1Char('0'));
        if (!QDir(file.absolutePath()).mkpath(folder)) {
            problems.push_back({.kind = ProblemKind::CannotWrite,
                                .text = file.absoluteDir().filePath(folder),
                                .other = QStringLiteral("mkdir")});
            return std::nullopt;
        }
        const Problems failed = saveFile(file.absoluteDir().filePath(names[i]), pngs[i]);
        if (!failed.empty()) {
            problems.insert(problems.end(), failed.begin(), failed.end());
            return std::nullopt;
        }
    }
    return writeCsv(questions, names);
}

} // namespace

Problems exportTest(const Test &test, const QString &path)
{
    const std::vector<Question> &questions = test.questions;
    std::vector<QByteArray> pngs;
    for (const Question &question : questions) {
        pngs.push_back(question.figure.isEmpty()
                           ? QByteArray()
                           : png(decodeFigure(question.figure.bytes, question.figure.format)));
    }
    const QFileInfo file(path);
    const QString suffix = file.suffix().toLower();
    Problems problems;
    const auto figures = std::count_if(questions.begin(), questions.end(),
                                       [](const Question &q) { return !q.figure.isEmpty(); });
    QByteArray bytes;
    if (suffix == u"xml") {
        bytes = writeMoodleXml(questions, pngs);
    } else if (suffix == u"gift") {
        bytes = writeGift(questions);
        if (figures > 0) {
            problems.push_back({.kind = ProblemKind::ExportNoFigures,
                                .severity = Severity::Warning,
                                .count = figures});
        }
        const auto withUnits =
            std::count_if(questions.begin(), questions.end(), [](const Question &q) {
                return q.kind == QuestionKind::Number && !q.units.empty() && !q.unitsIgnored;
            });
        if (withUnits > 0) {
            problems.push_back({.kind = ProblemKind::ExportNoUnits,
                                .severity = Severity::Warning,
                                .count = withUnits});
        }
    } else if (suffix == u"csv") {
        const std::optional<QByteArray> csv = csvBytes(questions, pngs, file, problems);
        if (!csv) {
            return problems;
        }
        bytes = *csv;
    } else {
        problems.push_back({.kind = ProblemKind::ExportFormat, .text = file.suffix()});
        return problems;
    }
    const Problems failed = saveFile(path, bytes);
    problems.insert(problems.end(), failed.begin(), failed.end());
    return problems;
}

QString describeImport(const Imported &imported)
{
    if (!imported.format) {
        return {};
    }
    if (!imported.test) {
        return QCoreApplication::translate(
                   "kovra", "read as %1: %2 questions read, %3 skipped, none imported: the "
                            "errors must be mended first")
            .arg(bankFormatName(*imported.format))
            .arg(imported.imported)
            .arg(imported.skipped);
    }
    return QCoreApplication::translate("kovra", "read as %1: %2 questions imported, %3 skipped")
        .arg(bankFormatName(*imported.format))
        .arg(imported.imported)
        .arg(imported.skipped);
}

} // namespace kovra
