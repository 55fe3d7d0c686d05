// SPDX-License-Identifier: GPL-3.0-or-later
#include "import.h"

#include "cp1251.h"
#include "danni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <array>

namespace kovra {

namespace {

// A question as a bank gives it, before it becomes content.
struct BankQuestion
{
    QString text;
    QStringList choices;
    QString key;
    QStringList explanation; // the feedback; empty when the bank has none
    QString figurePath;      // the figure file on disk; empty when none
    int line = 0;            // the source lines the question takes, first and last
    int lastLine = 0;
    bool missingWord = false;
};

// The most problems one import reports.
constexpr std::size_t kMaxProblems = 200;

struct Bank
{
    std::vector<BankQuestion> questions;
    Problems problems;
    int most = KOVRA_Danni::kFigureSlots - 1; // the most questions a test may have

    // Reading stops once no test can come of the bank: there are more problems than anyone
    // reads, or more questions than a test may have.
    [[nodiscard]] bool full() const
    {
        return problems.size() >= kMaxProblems || int(questions.size()) > most;
    }

    void error(ProblemKind kind, int line, int column = 0, const QString &text = {})
    {
        problems.push_back({.kind = kind, .line = line, .column = column, .text = text});
    }
    void error(Problem problem) { problems.push_back(std::move(problem)); }
    void unexpected(int line, BankExpectation expectation, const QString &letter = {})
    {
        problems.push_back({.kind = ProblemKind::BankUnexpected,
                            .line = line,
                            .text = letter,
                            .expectation = expectation});
    }
    void choiceCount(int line, qsizetype count)
    {
        problems.push_back({.kind = ProblemKind::ChoiceCount,
                            .line = line,
                            .count = count,
                            .least = KOVRA_Danni::kMinChoices,
                            .limit = KOVRA_Danni::kMaxChoices});
    }
    void skipped(int line, SkipReason reason)
    {
        problems.push_back({.kind = ProblemKind::BankSkipped,
                            .severity = Severity::Warning,
                            .line = line,
                            .skip = reason});
    }
};

// UTF-8, with or without its byte-order mark, or else Windows-1251 (what a spreadsheet saves
// as plain text in a Bulgarian locale).
QString decodeBank(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(bytes.sliced(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromCp1251(bytes) : text;
}

QStringList sourceLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    return lines;
}

// The number of the file's last line; a line break at the end of the file starts no line.
int lastLine(const QStringList &lines)
{
    return int(lines.size()) - (lines.size() > 1 && lines.back().isEmpty() ? 1 : 0);
}

// ---- HTML of GIFT's [html] texts ----

QString decodeEntities(const QString &text)
{
    static const QHash<QString, QChar> named = {
        {QStringLiteral("amp"), QLatin1Char('&')},   {QStringLiteral("lt"), QLatin1Char('<')},
        {QStringLiteral("gt"), QLatin1Char('>')},    {QStringLiteral("quot"), QLatin1Char('"')},
        {QStringLiteral("apos"), QLatin1Char('\'')}, {QStringLiteral("nbsp"), QLatin1Char(' ')},
        {QStringLiteral("deg"), QChar(0x00B0)},      {QStringLiteral("laquo"), QChar(0x00AB)},
        {QStringLiteral("raquo"), QChar(0x00BB)},    {QStringLiteral("ndash"), QChar(0x2013)},
        {QStringLiteral("mdash"), QChar(0x2014)},    {QStringLiteral("hellip"), QChar(0x2026)},
        {QStringLiteral("bdquo"), QChar(0x201E)},    {QStringLiteral("ldquo"), QChar(0x201C)},
        {QStringLiteral("rdquo"), QChar(0x201D)},    {QStringLiteral("plusmn"), QChar(0x00B1)},
        {QStringLiteral("middot"), QChar(0x00B7)},   {QStringLiteral("sect"), QChar(0x00A7)},
        {QStringLiteral("copy"), QChar(0x00A9)},     {QStringLiteral("times"), QChar(0x00D7)},
        {QStringLiteral("ne"), QChar(0x2260)},       {QStringLiteral("le"), QChar(0x2264)},
        {QStringLiteral("ge"), QChar(0x2265)},
    };
    static const QRegularExpression entity(
        QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9A-Fa-f]{1,6}|[A-Za-z]{2,8});"));
    QString out;
    qsizetype from = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(text).mid(from, match.capturedStart() - from);
        from = match.capturedEnd();
        const QString name = match.captured(1);
        char32_t code = 0;
        if (name.startsWith(QLatin1String("#x")) || name.startsWith(QLatin1String("#X"))) {
            code = name.mid(2).toUInt(nullptr, 16);
        } else if (name.startsWith(QLatin1Char('#'))) {
            code = name.mid(1).toUInt();
        } else if (const auto found = named.constFind(name); found != named.constEnd()) {
            code = found->unicode();
        }
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
            out += match.captured(0);
        } else {
            out += QString::fromUcs4(&code, 1);
        }
    }
    out += QStringView(text).mid(from);
    return out;
}

// Tags out, entities decoded; a line break, paragraph or list item is a blank. A tag ends at the
// next '<' as well, so that text full of unclosed tags is read in one pass.
QString fromHtml(const QString &html)
{
    static const QRegularExpression breaks(
        QStringLiteral("<\\s*(br|/?p|/?div|/?li|/?tr|/?td|/?h[1-6])\\b[^<>]*>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[A-Za-z/!][^<>]*>"));
    QString text = html;
    text.replace(breaks, QStringLiteral(" "));
    text.remove(tags);
    return decodeEntities(text);
}

// ---- GIFT ----

// A character of a GIFT question with its place; an escaped character is literal, never a mark.
struct GiftChar
{
    QChar c;
    bool literal;
    int line;
    int column;
};
using GiftText = std::vector<GiftChar>;
constexpr qsizetype kNone = -1;

GiftText giftChars(const QStringList &lines, const std::vector<int> &block)
{
    static const QString escapable = QStringLiteral("~=#{}:\\");
    GiftText text;
    for (const int index : block) {
        const QString &line = lines.at(index);
        if (!text.empty()) {
            text.push_back({QLatin1Char('\n'), false, index + 1, int(line.size()) + 1});
        }
        for (qsizetype i = 0; i < line.size(); ++i) {
            const int column = int(i) + 1;
            if (line.at(i) == QLatin1Char('\\') && i + 1 < line.size()) {
                const QChar next = line.at(i + 1);
                if (escapable.contains(next) || next == QLatin1Char('n')) {
                    text.push_back({next == QLatin1Char('n') ? QLatin1Char('\n') : next, true,
                                    index + 1, column});
                    ++i;
                    continue;
                }
            }
            text.push_back({line.at(i), false, index + 1, column});
        }
    }
    return text;
}

// Whether the marks of `mark` (unescaped) start at `at`.
bool marksAt(const GiftText &text, qsizetype at, QLatin1StringView mark)
{
    if (at < 0 || at + mark.size() > qsizetype(text.size())) {
        return false;
    }
    for (qsizetype i = 0; i < mark.size(); ++i) {
        const GiftChar &ch = text[std::size_t(at + i)];
        if (ch.literal || ch.c != QLatin1Char(mark.at(i))) {
            return false;
        }
    }
    return true;
}

qsizetype findMark(const GiftText &text, qsizetype from, qsizetype to, QLatin1StringView mark)
{
    for (qsizetype i = from; i + mark.size() <= to; ++i) {
        if (marksAt(text, i, mark)) {
            return i;
        }
    }
    return kNone;
}

qsizetype skipSpace(const GiftText &text, qsizetype from, qsizetype to)
{
    while (from < to && text[std::size_t(from)].c.isSpace() && !text[std::size_t(from)].literal) {
        ++from;
    }
    return from;
}

QString plainOf(const GiftText &text, qsizetype from, qsizetype to)
{
    QString out;
    for (qsizetype i = from; i < to; ++i) {
        out += text[std::size_t(i)].c;
    }
    return out;
}

// The format markers GIFT puts before a text; whether the one at `at` (if any) is HTML.
qsizetype skipFormat(const GiftText &text, qsizetype at, qsizetype to, bool &html)
{
    for (const char *marker : {"[html]", "[moodle]", "[plain]", "[markdown]"}) {
        const QLatin1StringView mark(marker);
        if (at + mark.size() <= to && marksAt(text, at, mark)) {
            html = mark == QLatin1StringView("[html]");
            return skipSpace(text, at + mark.size(), to);
        }
    }
    return at;
}

// The lines of a text: an escaped \n breaks them, every other run of blanks is one blank.
QStringList giftLines(const GiftText &text, qsizetype from, qsizetype to, bool html)
{
    from = skipFormat(text, skipSpace(text, from, to), to, html);
    QStringList lines;
    QString current;
    const auto flush = [&] {
        const QString line = (html ? fromHtml(current) : current).simplified();
        if (!line.isEmpty()) {
            lines << line;
        }
        current.clear();
    };
    for (qsizetype i = from; i < to; ++i) {
        const GiftChar &ch = text[std::size_t(i)];
        if (ch.literal && ch.c == QLatin1Char('\n')) {
            flush();
        } else {
            current += ch.c;
        }
    }
    flush();
    return lines;
}

QString giftLine(const GiftText &text, qsizetype from, qsizetype to, bool html)
{
    return giftLines(text, from, to, html).join(QLatin1Char(' '));
}

struct GiftAnswer
{
    bool right = false;
    qsizetype from = 0; // the answer's text
    qsizetype textEnd = 0;
    qsizetype feedbackAt = kNone; // its feedback after '#', up to `to`
    qsizetype to = 0;
    QString text;
    QStringList feedback;
};

// One question: the lines of a block between blank lines, comments left out.
void readGiftQuestion(const QStringList &lines, const std::vector<int> &block, Bank &bank)
{
    const GiftText t = giftChars(lines, block);
    const qsizetype end = qsizetype(t.size());
    const int line = block.front() + 1;
    qsizetype pos = skipSpace(t, 0, end);
    if (marksAt(t, pos, QLatin1StringView("::"))) {
        if (const qsizetype close = findMark(t, pos + 2, end, QLatin1StringView("::"));
            close != kNone) {
            pos = skipSpace(t, close + 2, end);
        }
    }
    bool html = false;
    pos = skipFormat(t, pos, end, html);
    const qsizetype open = findMark(t, pos, end, QLatin1StringView("{"));
    if (open == kNone) {
        return bank.skipped(line, SkipReason::Description);
    }
    const qsizetype close = findMark(t, open + 1, end, QLatin1StringView("}"));
    if (close == kNone) {
        const GiftChar &brace = t[std::size_t(open)];
        return bank.error(ProblemKind::BankUnclosed, brace.line, brace.column, QStringLiteral("{"));
    }
    if (findMark(t, close + 1, end, QLatin1StringView("{")) != kNone) {
        return bank.skipped(line, SkipReason::SeveralBlocks);
    }
    qsizetype answersEnd = close;
    QStringList general;
    if (const qsizetype at = findMark(t, open + 1, close, QLatin1StringView("####")); at != kNone) {
        general = giftLines(t, at + 4, close, html);
        answersEnd = at;
    }
    const qsizetype first = skipSpace(t, open + 1, answersEnd);
    if (first == answersEnd) {
        return bank.skipped(line, SkipReason::Essay);
    }
    if (marksAt(t, first, QLatin1StringView("#"))) {
        return bank.skipped(line, SkipReason::Numerical);
    }
    {
        const qsizetype feedback = findMark(t, first, answersEnd, QLatin1StringView("#"));
        const QString head = plainOf(t, first, feedback == kNone ? answersEnd : feedback).trimmed();
        for (const char *word : {"T", "TRUE", "F", "FALSE"}) {
            if (head == QLatin1String(word)) {
                return bank.skipped(line, SkipReason::TrueFalse);
            }
        }
    }
    std::vector<qsizetype> marks;
    for (qsizetype i = first; i < answersEnd; ++i) {
        if (marksAt(t, i, QLatin1StringView("=")) || marksAt(t, i, QLatin1StringView("~"))) {
            marks.push_back(i);
        }
    }
    if (marks.empty() || marks.front() != first) {
        return bank.skipped(line, SkipReason::TextBeforeAnswers);
    }
    std::vector<GiftAnswer> answers;
    bool anyWrong = false;
    bool weighted = false;
    bool matching = false;
    int rights = 0;
    for (std::size_t k = 0; k < marks.size(); ++k) {
        const qsizetype to = k + 1 < marks.size() ? marks[k + 1] : answersEnd;
        GiftAnswer answer;
        answer.right = t[std::size_t(marks[k])].c == QLatin1Char('=');
        anyWrong = anyWrong || !answer.right;
        qsizetype from = skipSpace(t, marks[k] + 1, to);
        if (marksAt(t, from, QLatin1StringView("%"))) {
            const qsizetype percent = findMark(t, from + 1, to, QLatin1StringView("%"));
            bool number = false;
            const double weight =
                percent == kNone ? 0 : plainOf(t, from + 1, percent).toDouble(&number);
            if (number && weight == 100) {
                answer.right = true;
            } else if (number && weight == 0) {
                answer.right = false;
            } else {
                weighted = true;
            }
            from = percent == kNone ? from : percent + 1;
        }
        answer.from = from;
        answer.to = to;
        answer.feedbackAt = findMark(t, from, to, QLatin1StringView("#"));
        answer.textEnd = answer.feedbackAt == kNone ? to : answer.feedbackAt;
        matching = matching || findMark(t, from, answer.textEnd, QLatin1StringView("->")) != kNone;
        rights += answer.right ? 1 : 0;
        // A question with more answers than a test holds is skipped: its answers are counted,
        // not kept.
        if (k < std::size_t(KOVRA_Danni::kMaxChoices)) {
            answers.push_back(answer);
        }
    }
    const std::optional<SkipReason> reason = matching      ? SkipReason::Matching
                                             : !anyWrong   ? SkipReason::ShortAnswer
                                             : weighted    ? SkipReason::Weights
                                             : rights == 0 ? SkipReason::NoRight
                                             : rights > 1  ? SkipReason::SeveralRight
                                             : marks.size() > KOVRA_Danni::kMaxChoices
                                                 ? SkipReason::TooManyAnswers
                                                 : std::optional<SkipReason>();
    if (reason) {
        return bank.skipped(line, *reason);
    }

    BankQuestion question;
    question.line = line;
    question.lastLine = block.back() + 1;
    const QString before = giftLine(t, pos, open, html);
    const QString after = giftLine(t, close + 1, end, html);
    question.missingWord = !after.isEmpty();
    // The blank stands where the answers stood, closed up to a mark that follows it.
    const bool closedUp = question.missingWord && after.front().isPunct();
    question.text = question.missingWord ? (before + QStringLiteral(" ___") +
                                            (closedUp ? QString() : QStringLiteral(" ")) + after)
                                               .trimmed()
                                         : before;
    if (question.text.isEmpty()) {
        return bank.error(ProblemKind::BankEmptyQuestion, line);
    }
    question.explanation = general;
    for (GiftAnswer &answer : answers) {
        answer.text = giftLine(t, answer.from, answer.textEnd, html);
        if (answer.feedbackAt != kNone) {
            answer.feedback = giftLines(t, answer.feedbackAt + 1, answer.to, html);
        }
    }
    for (const GiftAnswer &answer : answers) {
        question.choices << answer.text;
        if (answer.right) {
            question.key = answer.text;
            question.explanation += answer.feedback;
        }
    }
    for (const GiftAnswer &answer : answers) {
        if (!answer.right && !answer.feedback.isEmpty()) {
            question.explanation << answer.text + QStringLiteral(": ") +
                                        answer.feedback.join(QLatin1Char(' '));
        }
    }
    bank.questions.push_back(std::move(question));
}

void readGift(const QStringList &lines, Bank &bank)
{
    std::vector<int> block;
    for (int i = 0; i <= int(lines.size()) && !bank.full(); ++i) {
        const QString line = i < lines.size() ? lines.at(i).trimmed() : QString();
        if (line.startsWith(QLatin1String("//")) || line.startsWith(QLatin1String("$CATEGORY:"))) {
            continue;
        }
        if (!line.isEmpty()) {
            block.push_back(i);
        } else if (!block.empty()) {
            readGiftQuestion(lines, block, bank);
            block.clear();
        }
    }
}

// ---- Aiken ----

// The column of the letter after "ANSWER:".
int letterColumn(const QString &line)
{
    qsizetype at = line.indexOf(QLatin1Char(':')) + 1;
    while (at < line.size() && line.at(at).isSpace()) {
        ++at;
    }
    return int(at) + 1;
}

void readAiken(const QStringList &lines, Bank &bank)
{
    static const QRegularExpression choiceLine(QStringLiteral("^([A-Z])[.)]\\s+(\\S.*)$"));
    static const QRegularExpression answerLine(QStringLiteral("^ANSWER:\\s*(.*)$"));
    enum class State
    {
        Between,   // before a question
        Question,  // in the question's text
        Choices,   // in its choices
        Answered,  // after its answer line, which a blank line or the file's end follows
        SkipToEnd, // after an error, up to the next blank line
    } state = State::Between;
    BankQuestion question;
    const auto expected = [&] {
        return QString(QChar(char16_t(
            u'A' + std::min<qsizetype>(question.choices.size(), KOVRA_Danni::kMaxChoices - 1))));
    };
    for (int i = 0; i < lastLine(lines) && !bank.full(); ++i) {
        const QString line = lines.at(i).trimmed();
        const int number = i + 1;
        const QRegularExpressionMatch choice = choiceLine.match(line);
        const QRegularExpressionMatch answer = answerLine.match(line);
        switch (state) {
        case State::Answered:
            if (!line.isEmpty()) {
                bank.unexpected(number, BankExpectation::BlankLine);
            }
            state = line.isEmpty() ? State::Between : State::SkipToEnd;
            break;
        case State::SkipToEnd:
            if (line.isEmpty()) {
                state = State::Between;
            }
            break;
        case State::Between:
            if (!line.isEmpty()) {
                question = BankQuestion();
                question.line = number;
                question.text = line;
                state = State::Question;
            }
            break;
        case State::Question:
            if (choice.hasMatch() && choice.captured(1) == QLatin1String("A")) {
                question.choices << choice.captured(2).simplified();
                state = State::Choices;
            } else if (line.isEmpty() || choice.hasMatch() || answer.hasMatch()) {
                bank.unexpected(number, BankExpectation::FirstChoice);
                state = line.isEmpty() ? State::Between : State::SkipToEnd;
            } else {
                question.text = (question.text + QLatin1Char(' ') + line).simplified();
            }
            break;
        case State::Choices:
            if (choice.hasMatch() && choice.captured(1) == expected()) {
                question.choices << choice.captured(2).simplified();
            } else if (answer.hasMatch()) {
                const QString letter = answer.captured(1).trimmed();
                const qsizetype at = letter.size() == 1 ? letter.at(0).unicode() - u'A' : -1;
                if (at < 0 || at >= question.choices.size()) {
                    bank.error(ProblemKind::BankAnswer, number, letterColumn(lines.at(i)), letter);
                } else if (question.choices.size() < KOVRA_Danni::kMinChoices) {
                    bank.choiceCount(question.line, question.choices.size());
                } else {
                    question.key = question.choices.at(at);
                    question.lastLine = number;
                    bank.questions.push_back(question);
                }
                state = State::Answered;
            } else {
                if (question.choices.size() >= KOVRA_Danni::kMaxChoices) {
                    bank.unexpected(number, BankExpectation::AnswerLine);
                } else {
                    bank.unexpected(number, BankExpectation::NextChoice, expected());
                }
                state = line.isEmpty() ? State::Between : State::SkipToEnd;
            }
            break;
        }
    }
    if ((state == State::Question || state == State::Choices) && !bank.full()) {
        bank.unexpected(lastLine(lines), BankExpectation::AnswerBeforeEnd);
    }
}

// ---- CSV ----

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
            bank.choiceCount(row.line, question.choices.size());
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

// ---- The content set ----

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

// The explanation of a question that brings none: its right answer, as a sentence that ends
// in one full stop, whatever the answer ends in.
QString defaultExplanation(const QString &key)
{
    static const QRegularExpression endsSentence(QStringLiteral("[.!?…]$"));
    return QStringLiteral("Верният отговор е: %1").arg(key) +
           (endsSentence.match(key).hasMatch() ? QString() : QStringLiteral("."));
}

Imported finish(Bank bank, const QStringList &lines, const QString &path, BankFormat format,
                const ImportOptions &options)
{
    Imported imported;
    const int count = int(bank.questions.size());
    const auto [least, most] = questionRange(options.toto);
    if (count > most) {
        bank.error({.kind = ProblemKind::BankTooMany,
                    .line = bank.questions[std::size_t(most)].line,
                    .limit = most});
    } else if (count < least) {
        bank.error({.kind = ProblemKind::BankTooFew,
                    .line = lastLine(lines),
                    .count = count,
                    .limit = least});
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
        bank.error({.kind = ProblemKind::NotWindows1251,
                    .field = QStringLiteral("title"),
                    .text = QString(*bad)});
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
             QJsonArray::fromStringList(question.explanation.isEmpty()
                                            ? QStringList{defaultExplanation(question.key)}
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
    bank.most = questionRange(options.toto).most;
    if (bytes.size() > kMaxBankBytes) {
        bank.error(
            {.kind = ProblemKind::BankTooLarge, .count = bytes.size(), .limit = kMaxBankBytes});
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
        imported.problems.push_back(
            {.kind = ProblemKind::BankFormat, .text = QFileInfo(path).suffix()});
        return imported;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        imported.problems.push_back({.kind = ProblemKind::Unreadable, .text = path});
        return imported;
    }
    if (file.size() > kMaxBankBytes) {
        imported.problems.push_back(
            {.kind = ProblemKind::BankTooLarge, .count = file.size(), .limit = kMaxBankBytes});
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
