// SPDX-License-Identifier: GPL-3.0-or-later
// CSV as a spreadsheet saves it: one question a row under a header row.
#include "bank.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <array>

namespace kovra::importer {

namespace {

struct Cell
{
    QString text;
    int line;
    int column;
};
struct Row
{
    std::vector<Cell> cells;
    int line;
    int lastLine;
};

// The separator a spreadsheet chose: the most frequent of ';', ',' and tab on the first line.
QChar csvSeparator(const QString &text)
{
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QStringView first = QStringView(text).left(end < 0 ? text.size() : end);
    QChar best = QLatin1Char(',');
    qsizetype most = first.count(best);
    for (const QChar other : {QLatin1Char(';'), QLatin1Char('\t')}) {
        if (first.count(other) > most) {
            best = other;
            most = first.count(other);
        }
    }
    return best;
}

std::vector<Row> parseCsv(const QString &text, QChar separator, Bank &bank)
{
    std::vector<Row> rows;
    int line = 1;
    int column = 1;
    Row row{{}, 1, 1};
    Cell cell{QString(), 1, 1};
    bool inQuotes = false;
    bool cellStart = true;
    int quoteLine = 0;
    int quoteColumn = 0;
    const auto endCell = [&] {
        row.cells.push_back(std::move(cell));
        cell = Cell{QString(), line, column + 1};
        cellStart = true;
    };
    for (qsizetype i = 0; i < text.size(); ++i, ++column) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            continue;
        }
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    cell.text += c;
                    ++i;
                    ++column;
                } else {
                    inQuotes = false;
                }
            } else {
                cell.text += c;
                if (c == QLatin1Char('\n')) {
                    ++line;
                    column = 0;
                }
            }
        } else if (c == QLatin1Char('"') && cellStart) {
            inQuotes = true;
            cellStart = false;
            quoteLine = line;
            quoteColumn = column;
        } else if (c == separator) {
            endCell();
        } else if (c == QLatin1Char('\n')) {
            row.lastLine = line;
            endCell();
            rows.push_back(std::move(row));
            ++line;
            column = 0;
            row = Row{{}, line, line};
            cell = Cell{QString(), line, 1};
        } else {
            cell.text += c;
            cellStart = false;
        }
    }
    if (inQuotes) {
        bank.error(ProblemKind::BankUnclosed, quoteLine, quoteColumn, QStringLiteral("\""));
        return {};
    }
    row.lastLine = line;
    endCell();
    rows.push_back(std::move(row));
    return rows;
}

enum Column : int
{
    QuestionColumn = 0,
    FirstChoiceColumn = 1, // A to E: 1 to 5
    AnswerColumn = 6,
    FigureColumn = 7,
    ExplanationColumn = 8,
    ColumnCount = 9,
    NoColumn = -1,
};

// The column a header cell names, in English or Bulgarian, in any case.
int columnNamed(const QString &header)
{
    static const QHash<QString, int> names = [] {
        QHash<QString, int> n;
        for (const char *name : {"question", "въпрос", "текст"}) {
            n.insert(QString::fromUtf8(name), QuestionColumn);
        }
        const QString latin = QStringLiteral("abcde");
        const QString cyrillic = QStringLiteral("абвгд");
        for (int c = 0; c < 5; ++c) {
            n.insert(latin.at(c), FirstChoiceColumn + c);
            n.insert(cyrillic.at(c), FirstChoiceColumn + c);
        }
        for (const char *name :
             {"answer", "key", "right answer", "отговор", "верен отговор", "ключ"}) {
            n.insert(QString::fromUtf8(name), AnswerColumn);
        }
        for (const char *name : {"figure", "image", "picture", "фигура", "чертеж", "картинка"}) {
            n.insert(QString::fromUtf8(name), FigureColumn);
        }
        for (const char *name : {"explanation", "feedback", "обяснение"}) {
            n.insert(QString::fromUtf8(name), ExplanationColumn);
        }
        return n;
    }();
    return names.value(header.simplified().toLower(), NoColumn);
}

// The choice an answer cell names by its letter (Latin or Cyrillic), or -1.
int answerLetter(const QString &answer)
{
    if (answer.size() != 1) {
        return -1;
    }
    const qsizetype latin = QStringLiteral("ABCDE").indexOf(answer.at(0).toUpper());
    return int(latin >= 0 ? latin : QStringLiteral("АБВГД").indexOf(answer.at(0).toUpper()));
}

} // namespace

void readCsv(const QString &text, const QString &folder, Bank &bank)
{
    const std::vector<Row> rows = parseCsv(text, csvSeparator(text), bank);
    if (rows.empty()) {
        return;
    }
    const Row &header = rows.front();
    std::vector<int> columns;
    std::array<int, ColumnCount> at;
    at.fill(-1);
    for (const Cell &cell : header.cells) {
        if (bank.full()) {
            break;
        }
        const int column = columnNamed(cell.text);
        if (column == NoColumn && !cell.text.trimmed().isEmpty()) {
            bank.error(ProblemKind::BankColumn, cell.line, cell.column, cell.text.simplified());
        } else if (column != NoColumn) {
            at[std::size_t(column)] = int(columns.size());
        }
        columns.push_back(column);
    }
    const std::pair<int, const char *> required[] = {{QuestionColumn, "question"},
                                                     {FirstChoiceColumn, "A"},
                                                     {FirstChoiceColumn + 1, "B"},
                                                     {AnswerColumn, "answer"}};
    for (const auto &[column, name] : required) {
        if (at[std::size_t(column)] < 0) {
            bank.error(ProblemKind::BankMissingColumn, header.line, 0, QLatin1String(name));
        }
    }
    if (hasErrors(bank.problems)) {
        return;
    }
    for (std::size_t r = 1; r < rows.size() && !bank.full(); ++r) {
        const Row &row = rows[r];
        bool blank = true;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const Cell &cell = row.cells[c];
            if (cell.text.trimmed().isEmpty()) {
                continue;
            }
            blank = false;
            if (c >= columns.size()) {
                bank.error(ProblemKind::BankExtraCell, cell.line, cell.column);
            }
        }
        if (blank) {
            continue;
        }
        const auto cellOf = [&](int column) -> const Cell * {
            const int index = at[std::size_t(column)];
            return index >= 0 && std::size_t(index) < row.cells.size()
                       ? &row.cells[std::size_t(index)]
                       : nullptr;
        };
        const auto textOf = [&](int column) {
            const Cell *cell = cellOf(column);
            return cell ? cell->text.simplified() : QString();
        };
        BankQuestion question;
        question.line = row.line;
        question.lastLine = row.lastLine;
        question.text = textOf(QuestionColumn);
        if (question.text.isEmpty()) {
            bank.error(ProblemKind::BankEmptyQuestion, row.line);
            continue;
        }
        std::array<int, 5> choiceOf;
        choiceOf.fill(-1);
        for (int c = 0; c < 5; ++c) {
            if (const QString choice = textOf(FirstChoiceColumn + c); !choice.isEmpty()) {
                choiceOf[std::size_t(c)] = int(question.choices.size());
                question.choices << choice;
            }
        }
        if (question.choices.size() < KOVRA_Danni::kMinChoices) {
            bank.error(ProblemKind::ChoiceCount, row.line, 0,
                       QString::number(question.choices.size()));
            continue;
        }
        const QString answer = textOf(AnswerColumn);
        const int letter = answerLetter(answer);
        if (letter >= 0 && choiceOf[std::size_t(letter)] >= 0) {
            question.key = question.choices.at(choiceOf[std::size_t(letter)]);
        } else if (letter < 0 && question.choices.contains(answer)) {
            question.key = answer;
        } else {
            const Cell *cell = cellOf(AnswerColumn);
            bank.error(ProblemKind::BankAnswer, cell ? cell->line : row.line,
                       cell ? cell->column : 0, answer);
            continue;
        }
        if (const QString figure = textOf(FigureColumn); !figure.isEmpty()) {
            const QFileInfo file(QDir(folder), figure);
            if (!file.isFile()) {
                const Cell *cell = cellOf(FigureColumn);
                bank.error(ProblemKind::FigureMissing, cell->line, cell->column, figure);
                continue;
            }
            question.figurePath = file.absoluteFilePath();
        }
        if (const Cell *cell = cellOf(ExplanationColumn)) {
            static const QRegularExpression breaks(QStringLiteral("[\\n|]"));
            for (const QString &line : cell->text.split(breaks)) {
                if (!line.simplified().isEmpty()) {
                    question.explanation << line.simplified();
                }
            }
        }
        bank.questions.push_back(std::move(question));
    }
}
} // namespace kovra::importer
