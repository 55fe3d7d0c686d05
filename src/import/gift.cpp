// SPDX-License-Identifier: GPL-3.0-or-later
// GIFT read: single choice, true/false, several right answers, typed answers, numbers and
// matching.
#include "bank.h"
#include "text.h"

#include <QRegularExpression>

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

// A line of a question's block, with its number in the file.
struct BlockLine
{
    QStringView text;
    int number;
};

GiftText giftChars(const std::vector<BlockLine> &block)
{
    static const QString escapable = QStringLiteral("~=#{}:\\");
    GiftText text;
    for (const BlockLine &source : block) {
        const QStringView line = source.text;
        if (!text.empty()) {
            text.push_back({QLatin1Char('\n'), false, source.number, int(line.size()) + 1});
        }
        for (qsizetype i = 0; i < line.size(); ++i) {
            const int column = int(i) + 1;
            if (line.at(i) == QLatin1Char('\\') && i + 1 < line.size()) {
                const QChar next = line.at(i + 1);
                if (escapable.contains(next) || next == QLatin1Char('n')) {
                    text.push_back({next == QLatin1Char('n') ? QLatin1Char('\n') : next, true,
                                    source.number, column});
                    ++i;
                    continue;
                }
            }
            text.push_back({line.at(i), false, source.number, column});
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
            html = mark == QLatin1StringView("[html]") || mark == QLatin1StringView("[moodle]");
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
    QString written; // the text as written, marks and all
    QStringList feedback;
    std::optional<double> weight; // in percent, where one is written
    QString item;                 // matching: the text before "->", and the answer after it
    QString match;
};

// The marks of the answers: '=' a right one, '~' a wrong one, and "~=" a right one as well
// (Moodle's way of writing a right answer among wrong ones).
struct Mark
{
    qsizetype at;
    qsizetype length;
    bool right;
};

std::vector<Mark> answerMarks(const GiftText &t, qsizetype first, qsizetype answersEnd)
{
    std::vector<Mark> marks;
    for (qsizetype i = first; i < answersEnd; ++i) {
        if (marksAt(t, i, QLatin1StringView("~="))) {
            marks.push_back({i, 2, true});
            ++i;
        } else if (marksAt(t, i, QLatin1StringView("=")) || marksAt(t, i, QLatin1StringView("~"))) {
            marks.push_back({i, 1, t[std::size_t(i)].c == u'='});
        }
    }
    return marks;
}

// The answers as the marks part them, and what makes a question of them one the test cannot
// hold.
struct GiftAnswers
{
    std::vector<GiftAnswer> answers;
    bool anyWrong = false;
    bool anyTilde = false; // an answer marked '~' (or "~="): none in a short answer
    bool weighted = false;
    bool matching = false;
    bool anyEquals = false; // an answer marked '=' alone: one right answer or a typed one
    int rights = 0;
};

// Far more marks than a question can hold are counted, not read.
constexpr std::size_t kMostMarksRead = 64;

// A weight is a number between two '%' after the mark; any other '%' is text. Returns where the
// answer's text begins.
qsizetype readWeight(const GiftText &t, qsizetype from, qsizetype to, GiftAnswer &answer,
                     bool &weighted)
{
    if (!marksAt(t, from, QLatin1StringView("%"))) {
        return from;
    }
    static const QRegularExpression number(QStringLiteral("^-?[0-9]{1,3}([.,][0-9]*)?$"));
    const qsizetype percent = findMark(t, from + 1, to, QLatin1StringView("%"));
    const QString between = percent == kNone ? QString() : plainOf(t, from + 1, percent);
    if (!number.match(between).hasMatch()) {
        return from;
    }
    const double weight = QString(between).replace(u',', u'.').toDouble();
    answer.weight = weight;
    if (weight == 100) {
        answer.right = true;
    } else if (weight == 0) {
        answer.right = false;
    } else {
        weighted = true;
    }
    return percent + 1;
}

GiftAnswers readAnswers(const GiftText &t, const std::vector<Mark> &marks, qsizetype answersEnd,
                        bool html)
{
    GiftAnswers read;
    for (std::size_t k = 0; k < marks.size() && k < kMostMarksRead; ++k) {
        const qsizetype to = k + 1 < marks.size() ? marks[k + 1].at : answersEnd;
        GiftAnswer answer;
        answer.right = marks[k].right;
        read.anyTilde = read.anyTilde || !marks[k].right || marks[k].length == 2;
        const qsizetype from = readWeight(t, skipSpace(t, marks[k].at + marks[k].length, to), to,
                                          answer, read.weighted);
        answer.from = from;
        answer.to = to;
        answer.feedbackAt = findMark(t, from, to, QLatin1StringView("#"));
        answer.textEnd = answer.feedbackAt == kNone ? to : answer.feedbackAt;
        read.anyEquals = read.anyEquals || (marks[k].right && marks[k].length == 1);
        if (const qsizetype arrow = findMark(t, from, answer.textEnd, QLatin1StringView("->"));
            arrow != kNone) {
            read.matching = true;
            answer.item = giftLine(t, from, arrow, html);
            answer.match = giftLine(t, arrow + 2, answer.textEnd, html);
        }
        answer.text = giftLine(t, answer.from, answer.textEnd, html);
        answer.written = plainOf(t, answer.from, answer.textEnd).simplified();
        // An answer without text is left out, as Moodle leaves it out.
        if (answer.text.isEmpty()) {
            continue;
        }
        if (answer.feedbackAt != kNone) {
            answer.feedback = giftLines(t, answer.feedbackAt + 1, answer.to, html);
        }
        read.anyWrong = read.anyWrong || !answer.right;
        read.rights += answer.right ? 1 : 0;
        read.answers.push_back(std::move(answer));
    }
    return read;
}

std::optional<SkipReason> skipReason(const GiftAnswers &read, std::size_t marks)
{
    // Every answer marked '=' is a short answer, whatever weights they have (as "=%0%").
    return read.matching                      ? SkipReason::Matching
           : !read.anyTilde || !read.anyWrong ? SkipReason::ShortAnswer
           : read.weighted                    ? SkipReason::Weights
           : read.rights == 0                 ? SkipReason::NoRight
           : read.rights > 1                  ? SkipReason::SeveralRight
           : marks >= kMostMarksRead || read.answers.size() > KOVRA_Danni::kMaxChoices
               ? SkipReason::TooManyAnswers
               : std::optional<SkipReason>();
}

// True/false: {T}, {TRUE}, {F} or {FALSE}, then the feedback on a wrong answer and the one on
// the right answer, each after a '#'. False when the answers are not true/false ones.
bool readTrueFalse(const GiftText &t, qsizetype first, qsizetype answersEnd, bool html,
                   Question &question)
{
    const qsizetype feedback = findMark(t, first, answersEnd, QLatin1StringView("#"));
    const QString head = plainOf(t, first, feedback == kNone ? answersEnd : feedback).trimmed();
    if (head != u"T" && head != u"TRUE" && head != u"F" && head != u"FALSE") {
        return false;
    }
    const bool isTrue = head.startsWith(u'T');
    question.choices = trueFalseChoices();
    question.right = isTrue ? 0 : 1;
    if (feedback == kNone) {
        return true;
    }
    const qsizetype second = findMark(t, feedback + 1, answersEnd, QLatin1StringView("#"));
    const QStringList wrong =
        giftLines(t, feedback + 1, second == kNone ? answersEnd : second, html);
    if (second != kNone) {
        question.explanation += giftLines(t, second + 1, answersEnd, html);
    }
    if (!wrong.isEmpty()) {
        question.explanation << question.choices.at(isTrue ? 1 : 0) + QStringLiteral(": ") +
                                    wrong.join(u' ');
    }
    return true;
}

// The choices of the answers, the right one's feedback first in the explanation, then each
// wrong one's with its answer.
void takeAnswers(const std::vector<GiftAnswer> &answers, Question &question)
{
    for (const GiftAnswer &answer : answers) {
        question.choices << answer.text;
        if (answer.right) {
            question.right = static_cast<int>(question.choices.size() - 1);
            question.explanation += answer.feedback;
        }
    }
    for (const GiftAnswer &answer : answers) {
        if (!answer.right && !answer.feedback.isEmpty()) {
            question.explanation << answer.text + QStringLiteral(": ") +
                                        answer.feedback.join(QLatin1Char(' '));
        }
    }
}

// A question of another kind than single choice, from its answers: matching ("->" in each), a
// typed answer (each marked '='), several right answers (weights, none marked '=' alone). False
// when the answers make none of them.
bool takeKind(const GiftAnswers &read, Question &question)
{
    if (read.matching) {
        question.kind = QuestionKind::Matching;
        for (const GiftAnswer &answer : read.answers) {
            if (answer.match.isEmpty()) {
                return false;
            }
            qsizetype at = question.choices.indexOf(answer.match);
            if (at < 0) {
                question.choices << answer.match;
                at = question.choices.size() - 1;
            }
            if (!answer.item.isEmpty()) { // else an answer offered that is no item's
                question.items << answer.item;
                question.matches.push_back(int(at));
            }
        }
        return true;
    }
    if (!read.anyTilde) {
        question.kind = QuestionKind::Typed;
        for (const GiftAnswer &answer : read.answers) {
            question.accepted.push_back(
                {.text = answer.written, .credit = answer.weight.value_or(100) / 100});
            if (answer.weight.value_or(100) == 100) {
                question.explanation += answer.feedback;
            }
        }
        return true;
    }
    if (read.weighted && !read.anyEquals) {
        question.kind = QuestionKind::Several;
        for (const GiftAnswer &answer : read.answers) {
            question.choices << answer.text;
            question.weights.push_back(answer.weight.value_or(0) / 100);
            if (!answer.feedback.isEmpty()) {
                question.explanation
                    << answer.text + QStringLiteral(": ") + answer.feedback.join(QLatin1Char(' '));
            }
        }
        return true;
    }
    return false;
}

// Where a question's parts lie in its block: the text up to the answers, the answers between
// the braces, the general feedback after "####", the text after the braces.
struct GiftParts
{
    qsizetype text = 0; // the text, past the name and the format
    qsizetype open = 0;
    qsizetype close = 0;
    qsizetype answersEnd = 0;
    bool html = true; // text without a marker is HTML, as Moodle reads it
    QString title;
};

// The parts, or none with the question skipped or refused.
std::optional<GiftParts> giftParts(const GiftText &t, int line, Bank &bank)
{
    const qsizetype end = qsizetype(t.size());
    GiftParts parts;
    qsizetype pos = skipSpace(t, 0, end);
    if (marksAt(t, pos, QLatin1StringView("::"))) {
        if (const qsizetype close = findMark(t, pos + 2, end, QLatin1StringView("::"));
            close != kNone) {
            parts.title = giftLine(t, pos + 2, close, false).trimmed();
            pos = skipSpace(t, close + 2, end);
        }
    }
    parts.text = skipFormat(t, pos, end, parts.html);
    parts.open = findMark(t, parts.text, end, QLatin1StringView("{"));
    if (parts.open == kNone) {
        bank.skipped(line, SkipReason::Description);
        return std::nullopt;
    }
    parts.close = findMark(t, parts.open + 1, end, QLatin1StringView("}"));
    if (parts.close == kNone) {
        const GiftChar &brace = t[std::size_t(parts.open)];
        bank.error(ProblemKind::BankUnclosed, brace.line, brace.column, QStringLiteral("{"));
        return std::nullopt;
    }
    if (findMark(t, parts.close + 1, end, QLatin1StringView("{")) != kNone) {
        bank.skipped(line, SkipReason::SeveralBlocks);
        return std::nullopt;
    }
    parts.answersEnd = parts.close;
    return parts;
}

// Whether the question has a text: its own, or its title with a warning; none skips it.
bool hasText(Question &question, const GiftParts &parts, int line, Bank &bank)
{
    if (!question.text.isEmpty()) {
        return true;
    }
    if (parts.title.isEmpty()) {
        bank.skipped(line, SkipReason::NoText);
        return false;
    }
    question.text = parts.title;
    bank.error({.kind = ProblemKind::BankTitleAsText,
                .severity = Severity::Warning,
                .line = line,
                .text = parts.title});
    return true;
}

// One question: the lines of a block between blank lines, comments left out.
void readGiftQuestion(const std::vector<BlockLine> &block, Bank &bank)
{
    const GiftText t = giftChars(block);
    const int line = block.front().number;
    const std::optional<GiftParts> parts = giftParts(t, line, bank);
    if (!parts) {
        return;
    }
    const bool html = parts->html;
    qsizetype answersEnd = parts->answersEnd;
    Question question;
    if (const qsizetype at = findMark(t, parts->open + 1, parts->close, QLatin1StringView("####"));
        at != kNone) {
        question.explanation = giftLines(t, at + 4, parts->close, html);
        answersEnd = at;
    }
    const qsizetype first = skipSpace(t, parts->open + 1, answersEnd);
    if (first == answersEnd) {
        return bank.skipped(line, SkipReason::Essay);
    }
    const bool number = marksAt(t, first, QLatin1StringView("#"));
    if (number && !takeGiftNumber(plainOf(t, first + 1, answersEnd), question)) {
        return bank.skipped(line, SkipReason::Numerical);
    }
    const QString before = giftLine(t, parts->text, parts->open, html);
    const QString after = giftLine(t, parts->close + 1, qsizetype(t.size()), html);
    question.source = {line, block.back().number};
    const bool missingWord = !after.isEmpty();
    // The blank stands where the answers stood, closed up to a mark that follows it.
    const bool closedUp = missingWord && after.front().isPunct();
    question.text = missingWord ? (before + QStringLiteral(" ___") +
                                   (closedUp ? QString() : QStringLiteral(" ")) + after)
                                      .trimmed()
                                : before;
    if (number || readTrueFalse(t, first, answersEnd, html, question)) {
        if (!hasText(question, *parts, line, bank)) {
            return;
        }
        // Only single choice puts a chosen answer into the blank.
        return bank.add(std::move(question), missingWord && !number);
    }
    const std::vector<Mark> marks = answerMarks(t, first, answersEnd);
    if (marks.empty() || marks.front().at != first) {
        return bank.skipped(line, SkipReason::TextBeforeAnswers);
    }
    GiftAnswers read = readAnswers(t, marks, answersEnd, html);
    if (html && std::any_of(read.answers.begin(), read.answers.end(), [](const GiftAnswer &a) {
            return a.written.contains(QLatin1String("<img"), Qt::CaseInsensitive);
        })) {
        return bank.skipped(line, SkipReason::PictureChoices);
    }
    // One right answer and wrong ones of negative weights (a penalty for guessing): a question of
    // single choice, a wrong answer counting 0 here, with a warning that says so.
    const bool penalties =
        read.weighted && read.rights == 1 && read.anyEquals &&
        std::all_of(read.answers.begin(), read.answers.end(), [](const GiftAnswer &answer) {
            return answer.right || answer.weight.value_or(0) <= 0;
        });
    read.weighted = read.weighted && !penalties;
    const std::optional<SkipReason> reason = skipReason(read, marks.size());
    if (reason && marks.size() < kMostMarksRead && takeKind(read, question)) {
        if (!hasText(question, *parts, line, bank)) {
            return;
        }
        return bank.add(std::move(question));
    }
    if (reason) {
        return bank.skipped(line, *reason);
    }
    QStringList flat;
    QStringList written;
    for (const GiftAnswer &answer : read.answers) {
        flat << answer.text;
        written << answer.written;
    }
    if (const std::optional<QString> same = sameOnceFlat(flat, written)) {
        return bank.skipped(line, SkipReason::SameChoices, {}, *same);
    }
    if (!hasText(question, *parts, line, bank)) {
        return;
    }
    takeAnswers(read.answers, question);
    bank.add(std::move(question), missingWord);
    if (penalties) {
        bank.error(
            {.kind = ProblemKind::BankPenalties, .severity = Severity::Warning, .line = line});
    }
}

} // namespace

void readGift(QStringView text, Bank &bank)
{
    std::vector<BlockLine> block;
    qsizetype chars = 0;
    bool tooLong = false;
    const auto flush = [&] {
        if (tooLong) {
            bank.error({.kind = ProblemKind::BankQuestionTooLong,
                        .line = block.front().number,
                        .limit = kMaxQuestionChars});
        } else if (!block.empty()) {
            qsizetype tags = 0;
            for (const BlockLine &line : block) {
                tags += line.text.count(u'<');
            }
            if (bank.htmlWithinLimits(tags, block.front().number)) {
                readGiftQuestion(block, bank);
            }
        }
        block.clear();
        chars = 0;
        tooLong = false;
    };
    for (SourceLines lines(text); lines.next() && !bank.full();) {
        if (lines.line().isEmpty()) {
            if (!block.empty()) {
                flush();
            }
            continue;
        }
        const QStringView line = lines.line().trimmed();
        if (line.startsWith(u"//")) {
            continue;
        }
        // A category ends the question before it, blank line or not.
        if (line.startsWith(u"$CATEGORY:")) {
            if (!block.empty()) {
                flush();
            }
            continue;
        }
        if (line.isEmpty()) {
            flush();
            continue;
        }
        // A block past the limit is not kept: only where it starts, for the message.
        chars += lines.line().size() + 1;
        if (tooLong) {
            continue;
        }
        if (chars > kMaxQuestionChars) {
            tooLong = true;
            const int first = block.empty() ? lines.number() : block.front().number;
            block.assign(1, {QStringView(), first});
            continue;
        }
        block.push_back({lines.line(), lines.number()});
    }
    if (!bank.full()) {
        flush();
    }
}

} // namespace kovra::importer
