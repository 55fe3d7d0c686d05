// SPDX-License-Identifier: GPL-3.0-or-later
// GIFT, the multiple-choice part of it.
#include "bank.h"
#include "text.h"

namespace kovra::importer {

namespace {

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
        return bank.skipped(line, "description");
    }
    const qsizetype close = findMark(t, open + 1, end, QLatin1StringView("}"));
    if (close == kNone) {
        const GiftChar &brace = t[std::size_t(open)];
        return bank.error(ProblemKind::BankUnclosed, brace.line, brace.column, QStringLiteral("{"));
    }
    if (findMark(t, close + 1, end, QLatin1StringView("{")) != kNone) {
        return bank.skipped(line, "blocks");
    }
    qsizetype answersEnd = close;
    QStringList general;
    if (const qsizetype at = findMark(t, open + 1, close, QLatin1StringView("####")); at != kNone) {
        general = giftLines(t, at + 4, close, html);
        answersEnd = at;
    }
    const qsizetype first = skipSpace(t, open + 1, answersEnd);
    if (first == answersEnd) {
        return bank.skipped(line, "essay");
    }
    if (marksAt(t, first, QLatin1StringView("#"))) {
        return bank.skipped(line, "numerical");
    }
    {
        const qsizetype feedback = findMark(t, first, answersEnd, QLatin1StringView("#"));
        const QString head = plainOf(t, first, feedback == kNone ? answersEnd : feedback).trimmed();
        for (const char *word : {"T", "TRUE", "F", "FALSE"}) {
            if (head == QLatin1String(word)) {
                return bank.skipped(line, "truefalse");
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
        return bank.skipped(line, "text");
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
    const char *reason = matching                                  ? "matching"
                         : !anyWrong                               ? "shortanswer"
                         : weighted                                ? "weights"
                         : rights == 0                             ? "noright"
                         : rights > 1                              ? "several"
                         : marks.size() > KOVRA_Danni::kMaxChoices ? "toomany"
                                                                   : nullptr;
    if (reason != nullptr) {
        return bank.skipped(line, reason);
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

} // namespace

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
} // namespace kovra::importer
