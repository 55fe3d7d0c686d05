// SPDX-License-Identifier: GPL-3.0-or-later
// CSV as a spreadsheet saves it: one question a row under a header row. Every place is a
// spreadsheet cell: its row (the header is row 1) and its column (A is 1).
#include "bank.h"
#include "content/csv_writer.h"
#include "testfile/testfile.h"
#include "text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <array>
#include <functional>
#include <variant>

namespace kovra::importer {

namespace {

struct Row
{
    std::vector<QString> cells;
    int number = 1; // the row's number in the spreadsheet
};

// The separator a spreadsheet chose: the most frequent of ';', ',' and tab on the first line.
QChar csvSeparator(QStringView text)
{
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QStringView first = text.left(end < 0 ? text.size() : end);
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

// Reads the rows one at a time, handing each to `take`, which returns false to stop. A row past
// the limits of cells or characters is refused before it is kept.
void parseCsv(QStringView text, QChar separator, Bank &bank,
              const std::function<bool(const Row &)> &take)
{
    Row row;
    QString cell;
    qsizetype rowChars = 0;
    bool inQuotes = false;
    bool cellStart = true;
    int quoteRow = 0;
    int quoteColumn = 0;
    const auto endCell = [&]() -> bool {
        if (int(row.cells.size()) >= kMaxCells) {
            bank.error({.kind = ProblemKind::BankTooManyCells,
                        .line = row.number,
                        .cell = true,
                        .limit = kMaxCells});
            return false;
        }
        // A cell guarded against a spreadsheet's formulas (ours, as writeCsv writes it) is read
        // as the text it guards.
        row.cells.push_back(csvUnguarded(cell));
        cell.clear();
        cellStart = true;
        return true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            continue;
        }
        if (++rowChars > kMaxQuestionChars) {
            bank.error({.kind = ProblemKind::BankQuestionTooLong,
                        .line = row.number,
                        .cell = true,
                        .limit = kMaxQuestionChars});
            return;
        }
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"') && cellStart) {
            inQuotes = true;
            cellStart = false;
            quoteRow = row.number;
            quoteColumn = int(row.cells.size()) + 1;
        } else if (c == separator) {
            if (!endCell()) {
                return;
            }
        } else if (c == QLatin1Char('\n') && row.number > 1 && row.cells.empty() && cellStart &&
                   cell.isEmpty()) {
            // A blank row, which the questions skip.
            ++row.number;
            rowChars = 0;
        } else if (c == QLatin1Char('\n')) {
            if (!endCell() || !take(row)) {
                return;
            }
            row = Row{{}, row.number + 1};
            rowChars = 0;
        } else {
            cell += c;
            cellStart = false;
        }
    }
    if (inQuotes) {
        bank.error(ProblemKind::BankUnclosed, quoteRow, quoteColumn, QStringLiteral("\""));
        return;
    }
    if (endCell()) {
        take(row);
    }
}

enum Column : int
{
    QuestionColumn = 0,
    FirstChoiceColumn = 1, // A to E: 1 to 5
    AnswerColumn = 6,
    FigureColumn = 7,
    ExplanationColumn = 8,
    SecondAnswerColumn = 9, // a second right answer ("Answer 2" beside the columns A, B...)
    ColumnCount = 10,
    MoreChoicesColumn = 10, // a choice past the fifth ("option 6", F): a row that fills it is
                            // left out
    NoColumn = -1,
};

// A header cell as its names are looked up: in lower case, '_' and '-' as blanks, a number
// after a word parted from it ("Option_1", "option1" and "Option 1" are "option 1").
QString headerKey(const QString &header)
{
    static const QRegularExpression glued(QStringLiteral("^(\\D*[^\\d\\s])(\\d+)$"));
    QString key = header.toLower();
    key.replace(u'_', u' ').replace(u'-', u' ');
    return key.simplified().replace(glued, QStringLiteral("\\1 \\2"));
}

// The column a header cell names, in English or Bulgarian, in any case: the names spreadsheets
// of questions usually have. Where the choices are the columns A, B..., "Answer 1" and
// "Answer 2" name the right answers instead of choices (`lettered`).
int columnNamed(const QString &header, bool lettered)
{
    static const QHash<QString, int> names = [] {
        QHash<QString, int> n;
        for (const char *name :
             {"question", "question text", "questiontext", "въпрос", "текст", "текст на въпроса"}) {
            n.insert(QString::fromUtf8(name), QuestionColumn);
        }
        const QString latin = QStringLiteral("abcdefgh");
        const QString cyrillic = QStringLiteral("абвгдежз");
        for (int c = 0; c < 8; ++c) {
            const int column = c < 5 ? FirstChoiceColumn + c : MoreChoicesColumn;
            for (const char *prefix :
                 {"", "option ", "answer ", "choice ", "отговор ", "избор ", "вариант "}) {
                for (const QChar letter : {latin.at(c), cyrillic.at(c), QChar(u'1' + c)}) {
                    if (*prefix == '\0' && (letter.isDigit() || c >= 5)) {
                        continue;
                    }
                    n.insert(QString::fromUtf8(prefix) + letter, column);
                }
            }
        }
        for (const char *name :
             {"answer", "key", "right answer", "correct answer", "correct", "correct option",
              "correct choice", "right option", "answer key", "отговор", "верен", "верен отговор",
              "верният отговор", "правилен", "правилен отговор", "ключ"}) {
            n.insert(QString::fromUtf8(name), AnswerColumn);
        }
        for (const char *name : {"figure", "image", "picture", "фигура", "чертеж", "картинка"}) {
            n.insert(QString::fromUtf8(name), FigureColumn);
        }
        for (const char *name : {"explanation", "feedback", "general feedback", "generalfeedback",
                                 "обяснение", "обяснения"}) {
            n.insert(QString::fromUtf8(name), ExplanationColumn);
        }
        return n;
    }();
    const QString key = headerKey(header);
    if (lettered && (key == u"answer 1" || key == u"answer 2")) {
        return key.endsWith(u'1') ? AnswerColumn : SecondAnswerColumn;
    }
    return names.value(key, NoColumn);
}

// Whether a header's choices are the columns A, B... by their letters alone.
bool letteredChoices(const Row &header)
{
    return std::any_of(header.cells.begin(), header.cells.end(), [](const QString &cell) {
        const QString key = headerKey(cell);
        return key.size() == 1 && QStringView(u"abcdeабвгд").contains(key.front());
    });
}

// The choice an answer cell names by its letter (Latin or Cyrillic) or its number 1 to 5, or -1.
int answerLetter(const QString &answer)
{
    if (answer.size() != 1) {
        return -1;
    }
    const QChar c = answer.at(0).toUpper();
    if (c >= u'1' && c <= u'5') {
        return c.unicode() - u'1';
    }
    const qsizetype latin = QStringLiteral("ABCDE").indexOf(c);
    return int(latin >= 0 ? latin : QStringLiteral("АБВГД").indexOf(c));
}

// A figure file named in a cell: relative, inside the bank's folder, no larger than a figure
// may be. The problem, otherwise.
std::variant<QString, Problem> figureFile(const QString &name, const QString &folder, int row,
                                          int column)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(name));
    Problem fault{.kind = ProblemKind::FigureOutside, .line = row, .column = column, .text = name};
    if (QDir::isAbsolutePath(name) || name.contains(u'\\') || clean == u".." ||
        clean.startsWith(u"../") || clean.contains(u':')) {
        return fault;
    }
    const QFileInfo file(QDir(folder), clean);
    if (!file.isFile()) {
        fault.kind = ProblemKind::FigureMissing;
        return fault;
    }
    if (file.size() > kMaxEntryBytes) {
        fault.kind = ProblemKind::FigureFileTooLarge;
        fault.limit = kMaxEntryBytes;
        return fault;
    }
    return file.absoluteFilePath();
}

// The rows of a bank's table read into questions, by the columns its header names.
class CsvReader
{
public:
    CsvReader(const QString &folder, Bank &bank) : m_folder(folder), m_bank(bank) { m_at.fill(-1); }

    bool readHeader(const Row &header);
    void readRow(const Row &row);

private:
    // A row that cannot be a question is left out with a warning that names it; the others are
    // read, so that the teacher's window opens the rest to mend.
    void skipRow(Problem problem)
    {
        problem.severity = Severity::Warning;
        problem.skipsRow = true;
        m_bank.error(std::move(problem));
    }
    [[nodiscard]] QString textOf(const Row &row, int column) const
    {
        const int index = m_at[std::size_t(column)];
        return index >= 0 && std::size_t(index) < row.cells.size()
                   ? row.cells[std::size_t(index)].simplified()
                   : QString();
    }
    [[nodiscard]] int columnOf(int column) const { return m_at[std::size_t(column)] + 1; }
    bool readChoices(const Row &row, Question &question);
    // A row that fills a choice past the fifth, or names a second right answer, is left out.
    bool oneOfFive(const Row &row, const Question &question, const std::array<int, 5> &choiceOf);
    void skipQuestion(int row, int column, SkipReason reason)
    {
        m_bank.error({.kind = ProblemKind::BankSkipped,
                      .severity = Severity::Warning,
                      .line = row,
                      .column = column,
                      .skip = reason});
    }
    bool readFigure(const Row &row, Question &question);
    void readExplanation(const Row &row, Question &question) const;

    const QString &m_folder;
    Bank &m_bank;
    std::vector<int> m_columns;        // by cell: the column its header names
    std::vector<std::size_t> m_more;   // the cells of choices past the fifth
    std::array<int, ColumnCount> m_at; // by column: its cell, or -1
};

bool CsvReader::readHeader(const Row &header)
{
    const bool lettered = letteredChoices(header);
    for (std::size_t c = 0; c < header.cells.size(); ++c) {
        const QString &cell = header.cells[c];
        const int column = columnNamed(cell, lettered);
        if (column == NoColumn && !cell.trimmed().isEmpty()) {
            // A column of the spreadsheet's own (points, tags, an id) is left out.
            m_bank.error({.kind = ProblemKind::BankColumn,
                          .severity = Severity::Warning,
                          .line = 1,
                          .column = int(c) + 1,
                          .text = cell.simplified()});
        } else if (column == MoreChoicesColumn) {
            m_more.push_back(c);
        } else if (column != NoColumn && m_at[std::size_t(column)] < 0) {
            m_at[std::size_t(column)] = int(c);
        }
        m_columns.push_back(column);
    }
    for (const int column :
         {int(QuestionColumn), int(FirstChoiceColumn), FirstChoiceColumn + 1, int(AnswerColumn)}) {
        if (m_at[std::size_t(column)] < 0) {
            m_bank.error({.kind = ProblemKind::BankMissingColumn,
                          .line = 1,
                          .count = column}); // the columns as the problem counts them
        }
    }
    return !m_bank.hasErrors();
}

// The choice an answer cell names by its letter or number among the filled choices, or by its
// text (also when it is a letter or number that names no filled choice); -1 for none.
int choiceNamed(const QString &answer, const Question &question, const std::array<int, 5> &choiceOf)
{
    const int letter = answerLetter(answer);
    if (letter >= 0 && choiceOf[std::size_t(letter)] >= 0) {
        return choiceOf[std::size_t(letter)];
    }
    return static_cast<int>(question.choices.indexOf(answer));
}

bool CsvReader::oneOfFive(const Row &row, const Question &question,
                          const std::array<int, 5> &choiceOf)
{
    for (const std::size_t cell : m_more) {
        if (cell < row.cells.size() && !row.cells[cell].trimmed().isEmpty()) {
            skipQuestion(row.number, int(cell) + 1, SkipReason::TooManyAnswers);
            return false;
        }
    }
    const QString second = textOf(row, SecondAnswerColumn);
    if (!second.isEmpty() && choiceNamed(second, question, choiceOf) != question.right) {
        skipQuestion(row.number, columnOf(SecondAnswerColumn), SkipReason::SeveralRight);
        return false;
    }
    return true;
}

// The filled choices, and the right one by its letter or its text.
bool CsvReader::readChoices(const Row &row, Question &question)
{
    std::array<int, 5> choiceOf;
    choiceOf.fill(-1);
    for (int c = 0; c < 5; ++c) {
        if (const QString choice = textOf(row, FirstChoiceColumn + c); !choice.isEmpty()) {
            choiceOf[std::size_t(c)] = int(question.choices.size());
            question.choices << choice;
        }
    }
    if (question.choices.size() < KOVRA_Danni::kMinChoices) {
        skipRow({.kind = ProblemKind::ChoiceCount,
                 .line = row.number,
                 .count = question.choices.size(),
                 .least = KOVRA_Danni::kMinChoices,
                 .limit = KOVRA_Danni::kMaxChoices});
        return false;
    }
    const QString answer = textOf(row, AnswerColumn);
    question.right = choiceNamed(answer, question, choiceOf);
    if (question.right < 0) {
        skipRow({.kind = ProblemKind::BankAnswer,
                 .line = row.number,
                 .column = columnOf(AnswerColumn),
                 .text = answer});
        return false;
    }
    return oneOfFive(row, question, choiceOf);
}

bool CsvReader::readFigure(const Row &row, Question &question)
{
    const QString figure = textOf(row, FigureColumn);
    if (figure.isEmpty()) {
        return true;
    }
    const std::variant<QString, Problem> file =
        figureFile(figure, m_folder, row.number, columnOf(FigureColumn));
    if (const Problem *fault = std::get_if<Problem>(&file)) {
        skipRow(*fault);
        return false;
    }
    takeFigureFile(std::get<QString>(file), question, m_bank);
    return true;
}

void CsvReader::readExplanation(const Row &row, Question &question) const
{
    const int index = m_at[ExplanationColumn];
    if (index < 0 || std::size_t(index) >= row.cells.size()) {
        return;
    }
    static const QRegularExpression breaks(QStringLiteral("[\\n|]"));
    for (const QString &line : row.cells[std::size_t(index)].split(breaks)) {
        if (!line.simplified().isEmpty()) {
            question.explanation << line.simplified();
        }
    }
}

void CsvReader::readRow(const Row &row)
{
    bool blank = true;
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        if (row.cells[c].trimmed().isEmpty()) {
            continue;
        }
        blank = false;
        if (c >= m_columns.size()) {
            m_bank.error(ProblemKind::BankExtraCell, row.number, int(c) + 1);
        }
    }
    if (blank) {
        return;
    }
    Question question;
    question.source = {row.number, row.number};
    question.text = textOf(row, QuestionColumn);
    if (question.text.isEmpty()) {
        skipRow({.kind = ProblemKind::BankEmptyQuestion,
                 .line = row.number,
                 .column = columnOf(QuestionColumn)});
        return;
    }
    if (!readChoices(row, question) || !readFigure(row, question)) {
        return;
    }
    readExplanation(row, question);
    m_bank.add(std::move(question));
}

} // namespace

void readCsv(QStringView text, const QString &folder, Bank &bank)
{
    CsvReader reader(folder, bank);
    parseCsv(text, csvSeparator(text), bank, [&](const Row &row) {
        if (row.number == 1) {
            return reader.readHeader(row);
        }
        reader.readRow(row);
        return !bank.full();
    });
}

QByteArray writeCsv(const std::vector<Question> &questions, const std::vector<QString> &figureNames)
{
    CsvWriter csv(u',', CsvQuotes::Always);
    csv.addRow({QStringLiteral("question"), QStringLiteral("A"), QStringLiteral("B"),
                QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E"),
                QStringLiteral("answer"), QStringLiteral("figure"), QStringLiteral("explanation")});
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const Question &question = questions[i];
        QStringList cells{question.text};
        for (int c = 0; c < KOVRA_Danni::kMaxChoices; ++c) {
            cells << question.choices.value(c);
        }
        cells << QString(QChar(u'A' + question.right));
        cells << (i < figureNames.size() ? figureNames[i] : QString());
        cells << question.explanation.join(u'\n');
        csv.addRow(cells);
    }
    return csv.bytes();
}

} // namespace kovra::importer
