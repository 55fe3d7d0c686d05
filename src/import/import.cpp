// SPDX-License-Identifier: GPL-3.0-or-later
#include "import.h"

#include "bank.h"
#include "content/cp1251.h"
#include "text.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace kovra {

namespace {

using namespace importer;

const char *formatName(BankFormat format)
{
    switch (format) {
    case BankFormat::Gift:
        return "GIFT";
    case BankFormat::Aiken:
        return "Aiken";
    case BankFormat::Csv:
        break;
    }
    return "CSV";
}

QString flagRow(const char *words, bool on)
{
    return QString::fromUtf8(words) + (on ? QLatin1Char('1') : QLatin1Char('0'));
}

// Text a question holds that Windows-1251 cannot, named with the first place in the question's
// source lines that has the character.
void checkEncodable(const BankQuestion &question, const QStringList &lines, Bank &bank)
{
    QStringList texts = question.choices;
    texts << question.text << question.explanation;
    for (const QString &text : texts) {
        const std::optional<QChar> bad = firstUnencodable(text);
        if (!bad) {
            continue;
        }
        int line = question.line;
        int column = 0;
        for (int i = question.line; i <= question.lastLine && i <= lines.size(); ++i) {
            if (const qsizetype at = lines.at(i - 1).indexOf(*bad); at >= 0) {
                line = i;
                column = int(at) + 1;
                break;
            }
        }
        bank.error(ProblemKind::NotWindows1251, line, column, QString(*bad));
        return;
    }
}

Imported finish(Bank bank, const QStringList &lines, const QString &path, BankFormat format,
                const ImportOptions &options)
{
    Imported imported;
    const int count = int(bank.questions.size());
    const int least = options.toto ? 2 : 3;
    const int most = options.toto ? KOVRA_Danni::kFigureSlots - 2 : KOVRA_Danni::kFigureSlots - 1;
    if (count > most) {
        bank.problems.push_back({ProblemKind::BankTooMany, Severity::Error, 0, QString(),
                                 QString::number(most), bank.questions[std::size_t(most)].line, 0});
    } else if (count < least) {
        bank.problems.push_back({ProblemKind::BankTooFew, Severity::Error, 0, QString(),
                                 QStringLiteral("%1 %2").arg(count).arg(least), lastLine(lines),
                                 0});
    }
    bool feedback = false;
    bool allMissingWord = count > 0;
    for (const BankQuestion &question : bank.questions) {
        checkEncodable(question, lines, bank);
        feedback = feedback || !question.explanation.isEmpty();
        allMissingWord = allMissingWord && question.missingWord;
    }
    const QString title =
        options.title.isEmpty() ? QFileInfo(path).completeBaseName() : options.title;
    if (const auto bad = firstUnencodable(title)) {
        bank.problems.push_back({ProblemKind::NotWindows1251, Severity::Error, 0,
                                 QStringLiteral("title"), QString(*bad), 0, 0});
    }
    for (const BankQuestion &question : bank.questions) {
        imported.questionLines.push_back(question.line);
    }
    imported.problems = std::move(bank.problems);
    if (hasErrors(imported.problems)) {
        return imported;
    }

    const bool phrase = options.phrase || (format == BankFormat::Gift && allMissingWord);
    const QJsonArray settings{
        QStringLiteral("Настройки - последната цифра"),
        flagRow("ЧЕО - фраза от 2 части - ", phrase),
        flagRow("Проверка за Тото - ", options.toto),
        title,
        flagRow("Дава описание - ", options.explanations.value_or(feedback)),
        flagRow("Дава обяснения - ", options.reviewButtons.value_or(feedback)),
    };
    QJsonArray questions;
    QHash<QString, QString> figures;
    for (std::size_t k = 0; k < bank.questions.size(); ++k) {
        const BankQuestion &question = bank.questions[k];
        QJsonObject object{
            {QStringLiteral("text"), question.text},
            {QStringLiteral("choices"), QJsonArray::fromStringList(question.choices)},
            {QStringLiteral("key"), question.key},
            {QStringLiteral("explanation"),
             QJsonArray::fromStringList(
                 question.explanation.isEmpty()
                     ? QStringList{QStringLiteral("Верният отговор е: %1.").arg(question.key)}
                     : question.explanation)},
        };
        if (!question.figurePath.isEmpty()) {
            static const QRegularExpression plainSuffix(QStringLiteral("^[A-Za-z0-9]{1,8}$"));
            // The figure's name in the set ends in the format its content has, which the check
            // decodes it with first, whatever the file on disk is called.
            QString suffix = QString::fromLatin1(QImageReader::imageFormat(question.figurePath));
            if (suffix.isEmpty()) {
                suffix = QFileInfo(question.figurePath).suffix().toLower();
            }
            if (!plainSuffix.match(suffix).hasMatch()) {
                suffix = QStringLiteral("img");
            }
            const QString name =
                QStringLiteral("figures/q%1.%2").arg(k + 1, 2, 10, QLatin1Char('0')).arg(suffix);
            figures.insert(name, question.figurePath);
            object.insert(QStringLiteral("figure"), name);
        }
        questions.append(object);
    }
    const QJsonObject root{
        {QStringLiteral("settings"), settings},
        {QStringLiteral("note"), QJsonArray{QStringLiteral("Imported from a question bank (%1)")
                                                .arg(QLatin1String(formatName(format)))}},
        {QStringLiteral("questions"), questions}};
    imported.json = QJsonDocument(root).toJson(QJsonDocument::Indented);
    imported.figures = [figures](const QString &name) -> std::optional<QByteArray> {
        const auto found = figures.constFind(name);
        if (found == figures.constEnd()) {
            return std::nullopt;
        }
        QFile file(*found);
        if (!file.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        return file.readAll();
    };
    return imported;
}

} // namespace

std::optional<BankFormat> bankFormatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("gift")) {
        return BankFormat::Gift;
    }
    if (suffix == QLatin1String("txt")) {
        return BankFormat::Aiken;
    }
    if (suffix == QLatin1String("csv")) {
        return BankFormat::Csv;
    }
    return std::nullopt;
}

Imported importQuestionBank(const QString &path, BankFormat format, const QByteArray &bytes,
                            const ImportOptions &options)
{
    Bank bank;
    bank.most = options.toto ? KOVRA_Danni::kFigureSlots - 2 : KOVRA_Danni::kFigureSlots - 1;
    if (bytes.size() > kMaxBankBytes) {
        bank.error(ProblemKind::BankTooLarge, 0, 0, QString::number(bytes.size()));
        Imported imported;
        imported.problems = std::move(bank.problems);
        return imported;
    }
    const QString text = decodeBank(bytes);
    const QStringList lines = sourceLines(text);
    switch (format) {
    case BankFormat::Gift:
        readGift(lines, bank);
        break;
    case BankFormat::Aiken:
        readAiken(lines, bank);
        break;
    case BankFormat::Csv:
        readCsv(text, QFileInfo(path).absolutePath(), bank);
        break;
    }
    return finish(std::move(bank), lines, path, format, options);
}

Imported importQuestionBank(const QString &path, const ImportOptions &options)
{
    Imported imported;
    const std::optional<BankFormat> format = bankFormatOf(path);
    if (!format) {
        imported.problems.push_back({ProblemKind::BankFormat, Severity::Error, 0, QString(),
                                     QFileInfo(path).suffix(), 0, 0});
        return imported;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        imported.problems.push_back(
            {ProblemKind::Unreadable, Severity::Error, 0, QString(), path, 0, 0});
        return imported;
    }
    if (file.size() > kMaxBankBytes) {
        imported.problems.push_back({ProblemKind::BankTooLarge, Severity::Error, 0, QString(),
                                     QString::number(file.size()), 0, 0});
        return imported;
    }
    return importQuestionBank(path, *format, file.read(kMaxBankBytes + 1), options);
}

void attachSourceLines(Problems &problems, const std::vector<int> &questionLines)
{
    for (Problem &problem : problems) {
        if (problem.line == 0 && problem.question > 0 &&
            std::size_t(problem.question) <= questionLines.size()) {
            problem.line = questionLines[std::size_t(problem.question) - 1];
        }
    }
}

} // namespace kovra
