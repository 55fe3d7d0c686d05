// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules.h"

#include "cp1251.h"
#include "danni.h"
#include "figures.h"
#include "model/marking.h"
#include "test_content.h"

#include <QHash>
#include <algorithm>

namespace kovra {

namespace {

Place indexed(ContentField field, qsizetype index)
{
    return {field, static_cast<int>(index)};
}

// A text as it looks on screen: blanks folded, the Latin letters that Cyrillic ones stand in
// for made Cyrillic.
QString screenForm(const QString &text)
{
    return cyrillicLookAlikes(text.simplified());
}

// Each choice's screen form is looked up among the earlier ones': linear in the choices.
void checkLookAlikes(const QStringList &choices, int number, const ProblemSink &add)
{
    QHash<QString, qsizetype> seen; // screen form, the first choice with it
    for (qsizetype i = 0; i < choices.size(); ++i) {
        const QString form = screenForm(choices.at(i));
        const auto earlier = seen.constFind(form);
        if (earlier == seen.cend()) {
            seen.insert(form, i);
        } else if (choices.at(*earlier) != choices.at(i)) {
            add({.kind = ProblemKind::LookAlike,
                 .severity = Severity::Warning,
                 .question = number,
                 .place = {ContentField::Choices},
                 .text = choices.at(*earlier),
                 .other = choices.at(i)});
        }
    }
}

// The choices, each one line and not empty; false when one is not a line.
bool checkChoices(const QStringList &choices, int number, const ProblemSink &add,
                  ContentField field = ContentField::Choices,
                  qsizetype most = KOVRA_Danni::kMaxChoices)
{
    if (choices.size() < KOVRA_Danni::kMinChoices || choices.size() > most) {
        // A wrong count is the first fault: nothing more of them is checked.
        add({.kind = ProblemKind::ChoiceCount,
             .question = number,
             .place = {field},
             .count = choices.size(),
             .least = KOVRA_Danni::kMinChoices,
             .limit = most});
        return false;
    }
    bool lines = true;
    for (qsizetype i = 0; i < choices.size(); ++i) {
        lines = checkLine(choices.at(i), number, indexed(field, i), add) && lines;
    }
    if (!lines) {
        return false;
    }
    for (qsizetype i = 0; i < choices.size(); ++i) {
        if (choices.at(i).trimmed().isEmpty()) {
            add({.kind = field == ContentField::Choices ? ProblemKind::EmptyChoice
                                                        : ProblemKind::EmptyAnswer,
                 .question = number,
                 .place = indexed(field, i)});
        }
    }
    checkLookAlikes(choices, number, add);
    return true;
}

// The credits of a question's answers, each within `least` to 100 percent; none full or,
// added up, not whole.
void checkCredits(const std::vector<double> &credits, int number, ContentField field, int least,
                  bool added, const ProblemSink &add)
{
    double full = 0;
    bool whole = false;
    bool within = true;
    for (std::size_t i = 0; i < credits.size(); ++i) {
        const double credit = credits[i];
        if (credit * 100 < least - 1e-9 || credit > 1 + 1e-9) {
            within = false;
            add({.kind = ProblemKind::CreditRange,
                 .question = number,
                 .place = indexed(field, qsizetype(i)),
                 .text = QString::number(credit * 100),
                 .least = least,
                 .limit = 100});
        }
        full += std::max(credit, 0.0);
        whole = whole || credit > 1 - 1e-6;
    }
    if (!within) {
        return;
    }
    if (added && std::abs(full - 1) > 1e-4) {
        add({.kind = ProblemKind::CreditSum,
             .question = number,
             .place = {field},
             .count = qRound64(full * 100)});
    } else if (!added && !whole) {
        add({.kind = ProblemKind::NoFullCredit, .question = number, .place = {field}});
    }
}

void checkSeveral(const Question &question, int number, const ProblemSink &add, bool keyed)
{
    if (!checkChoices(question.choices, number, add, ContentField::Choices, kMaxSeveralChoices) ||
        !keyed) {
        return;
    }
    if (question.weights.size() != std::size_t(question.choices.size())) {
        add({.kind = ProblemKind::ListCount,
             .question = number,
             .place = {ContentField::Weights},
             .count = qint64(question.weights.size()),
             .limit = question.choices.size()});
        return;
    }
    checkCredits(question.weights, number, ContentField::Weights, -100, true, add);
}

void checkAccepted(const Question &question, int number, const ProblemSink &add, bool keyed)
{
    const bool isNumber = question.kind == QuestionKind::Number;
    for (std::size_t i = 0; i < question.units.size(); ++i) {
        const Place place = indexed(ContentField::Units, qsizetype(i));
        if (!checkLine(question.units[i].name, number, place, add)) {
            continue;
        }
        if (question.units[i].name.trimmed().isEmpty()) {
            add({.kind = ProblemKind::EmptyAnswer, .question = number, .place = place});
        } else if (question.units[i].multiplier == 0) {
            add({.kind = ProblemKind::NotANumber,
                 .question = number,
                 .place = place,
                 .text = QStringLiteral("0")});
        }
    }
    if (question.unitPenalty < 0 || question.unitPenalty > 1 + 1e-9) {
        add({.kind = ProblemKind::CreditRange,
             .question = number,
             .place = {ContentField::UnitPenalty},
             .text = QString::number(question.unitPenalty * 100),
             .least = 0,
             .limit = 100});
    }
    if (!keyed) {
        return;
    }
    std::vector<double> credits;
    for (std::size_t i = 0; i < question.accepted.size(); ++i) {
        const Accepted &accepted = question.accepted[i];
        const Place place = indexed(ContentField::Answers, qsizetype(i));
        credits.push_back(accepted.credit);
        if (!checkLine(accepted.text, number, place, add)) {
            continue;
        }
        QString rest;
        if (accepted.text.trimmed().isEmpty()) {
            add({.kind = ProblemKind::EmptyAnswer, .question = number, .place = place});
        } else if (isNumber && accepted.text.trimmed() != u"*" &&
                   (!leadingNumber(accepted.text, &rest) || !rest.isEmpty())) {
            add({.kind = ProblemKind::NotANumber,
                 .question = number,
                 .place = place,
                 .text = accepted.text});
        }
    }
    checkCredits(credits, number, ContentField::Answers, 0, false, add);
}

void checkMatching(const Question &question, int number, const ProblemSink &add, bool keyed)
{
    const bool items = checkChoices(question.items, number, add, ContentField::Items, kMaxItems);
    const bool answers =
        checkChoices(question.choices, number, add, ContentField::Choices, kMaxMatchAnswers);
    if (!items || !answers || !keyed) {
        return;
    }
    if (question.matches.size() != std::size_t(question.items.size())) {
        add({.kind = ProblemKind::ListCount,
             .question = number,
             .place = {ContentField::Matches},
             .count = qint64(question.matches.size()),
             .limit = question.items.size()});
        return;
    }
    for (std::size_t i = 0; i < question.matches.size(); ++i) {
        const Place place = indexed(ContentField::Matches, qsizetype(i));
        if (question.matches[i] < 0 || question.matches[i] >= question.choices.size()) {
            add({.kind = ProblemKind::NoRightChoice, .question = number, .place = place});
        } else if (const QString &answer = question.choices.at(question.matches[i]);
                   question.choices.count(answer) > 1) {
            // The file names an item's answer by its text: of two answers alike, the first.
            add({.kind = ProblemKind::KeyMatchesSeveral,
                 .question = number,
                 .place = place,
                 .text = answer});
        }
    }
}

void checkKindOf(const Question &question, int number, const ProblemSink &add, Unread unread)
{
    const bool keyed = !unread.right;
    switch (question.kind) {
    case QuestionKind::Single:
        break;
    case QuestionKind::Several:
        checkSeveral(question, number, add, keyed && !unread.choices);
        break;
    case QuestionKind::Typed:
    case QuestionKind::Number:
        checkAccepted(question, number, add, keyed);
        break;
    case QuestionKind::Matching:
        checkMatching(question, number, add, keyed && !unread.choices);
        break;
    }
}

} // namespace

void checkKinds(const Test &test, const ProblemSink &add)
{
    const auto other = std::find_if(test.questions.begin(), test.questions.end(),
                                    [](const Question &q) { return !q.isSingle(); });
    const int number = int(other - test.questions.begin()) + 1;
    for (const bool toto : {false, true}) {
        if (other != test.questions.end() && (toto ? test.askAgain : test.phrase)) {
            add({.kind = ProblemKind::KindSetting,
                 .question = number,
                 .place = {ContentField::Type},
                 .toto = toto});
        }
    }
}

bool checkLine(const QString &text, int question, const Place &place, const ProblemSink &add)
{
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        add({.kind = ProblemKind::LineBreak, .question = question, .place = place});
        return false;
    }
    // A control character (a terminal's escape, say) is shown by no widget.
    for (const QChar ch : text) {
        if (ch.category() == QChar::Other_Control && ch != QLatin1Char('\t')) {
            add({.kind = ProblemKind::ControlCharacter,
                 .question = question,
                 .place = place,
                 .text = QString(ch)});
            return false;
        }
    }
    if (const auto bad = firstUnencodable(text)) {
        // A character outside the Basic Multilingual Plane is named whole, both its halves.
        const qsizetype at = text.indexOf(*bad);
        add({.kind = ProblemKind::NotWindows1251,
             .question = question,
             .place = place,
             .text = text.mid(at, bad->isHighSurrogate() && at + 1 < text.size() ? 2 : 1)});
        return false;
    }
    return true;
}

void checkQuestion(const Question &question, int number, bool phrase, const ProblemSink &add,
                   Unread unread)
{
    if (!unread.text && checkLine(question.text, number, {ContentField::Text}, add) && phrase &&
        question.isSingle() && !question.text.contains(QLatin1Char('_'))) {
        add({.kind = ProblemKind::NoBlank, .question = number, .place = {ContentField::Text}});
    }
    if (!question.isSingle()) {
        checkKindOf(question, number, add, unread);
    } else if (!unread.choices && checkChoices(question.choices, number, add) && !unread.right) {
        if (!question.hasRight()) {
            add({.kind = ProblemKind::NoRightChoice,
                 .question = number,
                 .place = {ContentField::Key}});
        } else if (const QString &right = question.choices.at(question.right);
                   question.choices.count(right) > 1) {
            add({.kind = ProblemKind::KeyMatchesSeveral,
                 .question = number,
                 .place = {ContentField::Key},
                 .text = right});
        }
    }
    if (!unread.explanation) {
        bool lines = true;
        for (qsizetype i = 0; i < question.explanation.size(); ++i) {
            lines = checkLine(question.explanation.at(i), number,
                              indexed(ContentField::Explanation, i), add) &&
                    lines;
        }
        if (lines && question.explanation.isEmpty()) {
            add({.kind = ProblemKind::NoExplanation,
                 .question = number,
                 .place = {ContentField::Explanation}});
        }
    }
    if (question.figure.isEmpty() && !question.figure.missing.isEmpty()) {
        add({.kind = ProblemKind::FigureMissing,
             .question = number,
             .place = {ContentField::Figure},
             .text = question.figure.missing});
    }
}

std::optional<Problem> checkQuestionCount(int count, std::optional<int> draw, bool askAgain)
{
    const auto [least, runMost] = questionRange(askAgain);
    const int most = draw ? kMaxPoolQuestions : runMost;
    if (count < least || count > most) {
        // A bank bigger than a run needs the setting that draws from it.
        return Problem{.kind = ProblemKind::QuestionCount,
                       .place = {ContentField::Questions},
                       .count = count,
                       .least = least,
                       .limit = most,
                       .toto = askAgain,
                       .draws = !draw && count > most && count <= kMaxPoolQuestions};
    }
    if (draw && (*draw < least || *draw > std::min(runMost, count))) {
        return Problem{.kind = ProblemKind::DrawCount,
                       .place = {ContentField::Draw},
                       .count = *draw,
                       .least = least,
                       .limit = std::min(runMost, count)};
    }
    return std::nullopt;
}

Problem figureProblem(FigureFault fault, int question, const QString &name, QSize size)
{
    Problem problem{.kind = ProblemKind::FigureCorrupt,
                    .question = question,
                    .place = {ContentField::Figure},
                    .text = name,
                    .width = size.width(),
                    .height = size.height()};
    switch (fault) {
    case FigureFault::TooLarge:
        problem.kind = ProblemKind::FigureTooLarge;
        problem.limit = kMaxFigurePixels;
        break;
    case FigureFault::TooLargeWhole:
        problem.kind = ProblemKind::FigureTooLargeWhole;
        problem.limit = kMaxWholeFigureBytes;
        break;
    case FigureFault::NotStored:
        problem.kind = ProblemKind::FigureFormat;
        break;
    case FigureFault::TooManyScans:
        problem.kind = ProblemKind::FigureScans;
        problem.limit = kMaxJpegScans;
        break;
    case FigureFault::TooManyChunks:
        problem.kind = ProblemKind::FigureChunks;
        problem.limit = kMaxPngAncillaryChunks;
        break;
    case FigureFault::NotAnImage:
        break;
    }
    return problem;
}

QString figureEntry(int number, const QByteArray &suffix)
{
    return QStringLiteral("figures/q%1.%2")
        .arg(number, 2, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(suffix));
}

void inspectFigures(Test &test, FigureSource source)
{
    std::vector<Figure *> figures;
    for (Question &question : test.questions) {
        Figure &figure = question.figure;
        if (!figure.isEmpty() && figure.format.isEmpty() && !figure.fault) {
            figures.push_back(&figure);
        }
    }
    std::vector<FigureCheck> checks;
    checks.reserve(figures.size());
    std::vector<FigureToDecode> decoding;
    for (Figure *figure : figures) {
        checks.push_back(inspectFigure(figure->bytes, source));
        decoding.push_back({&figure->bytes, &checks.back()});
    }
    decodeAtAnEighth(decoding);
    for (std::size_t i = 0; i < figures.size(); ++i) {
        Figure &figure = *figures[i];
        figure.size = checks[i].size;
        figure.format = checks[i].format.value_or(QByteArray());
        figure.fault = checks[i].format
                           ? std::nullopt
                           : std::optional(checks[i].fault.value_or(FigureFault::NotAnImage));
    }
}

Problems checkTest(const Test &test)
{
    Problems problems;
    const ProblemSink add = [&problems](Problem problem) {
        problems.push_back(std::move(problem));
    };
    checkLine(test.title, 0, indexed(ContentField::Settings, TitleRow), add);
    for (qsizetype i = 0; i < test.note.size(); ++i) {
        checkLine(test.note.at(i), 0, indexed(ContentField::Note, i), add);
    }
    const int count = static_cast<int>(test.questions.size());
    if (auto wrong = checkQuestionCount(
            count, test.draw > 0 ? std::optional(test.draw) : std::nullopt, test.askAgain)) {
        problems.push_back(std::move(*wrong));
    }
    checkKinds(test, add);
    for (int number = 1; number <= count; ++number) {
        const Question &question = test.questions.at(static_cast<std::size_t>(number - 1));
        // A pupils' copy has neither key nor explanations to check.
        const bool copy = test.isPupilsCopy();
        checkQuestion(question, number, test.phrase, add,
                      {.right = copy, .explanation = copy && question.explanation.isEmpty()});
        const Figure &figure = question.figure;
        if (!figure.isEmpty() && figure.fault) {
            problems.push_back(figureProblem(*figure.fault, number,
                                             figureEntry(number, figure.suffix), figure.size));
        }
    }
    return problems;
}

} // namespace kovra
