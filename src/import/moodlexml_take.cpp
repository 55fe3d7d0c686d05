// SPDX-License-Identifier: GPL-3.0-or-later
// The question of a test of each Moodle XML type read: multichoice of one answer or several,
// multichoiceset (all or nothing), truefalse, shortanswer, numerical, matching.
#include "model/marking.h"
#include "moodlexml.h"
#include "text.h"

#include <algorithm>
#include <cmath>

namespace kovra::importer {

QString plain(const XmlText &text)
{
    return (text.html ? fromHtml(text.text) : text.text).simplified();
}

QStringList plainLines(const XmlText &text)
{
    QStringList lines;
    const QString all = text.html ? fromHtmlLines(text.text) : text.text;
    for (const QString &line : all.split(u'\n')) {
        if (!line.simplified().isEmpty()) {
            lines << line.simplified();
        }
    }
    return lines;
}

bool xmlTypeRead(const QString &type)
{
    for (const char *read : {"multichoice", "truefalse", "multichoiceset", "shortanswer",
                             "numerical", "matching", "match"}) {
        if (type == QLatin1StringView(read)) {
            return true;
        }
    }
    return false;
}

namespace {

bool rightAnswer(const XmlAnswer &answer)
{
    return answer.fraction >= 99.99;
}

// A setting of the question that is on: "1" or "true".
bool settingOn(const XmlQuestion &question, const char *name)
{
    const QString value = question.settings.value(QLatin1StringView(name)).trimmed();
    return value == u"1" || value.compare(u"true", Qt::CaseInsensitive) == 0;
}

std::optional<double> numberOf(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

bool takeTrueFalse(const XmlQuestion &question, Question &out, Bank &bank)
{
    const QStringList choices = trueFalseChoices();
    out.choices = choices;
    for (const XmlAnswer &answer : question.answers) {
        const bool isTrue = plain(answer.text).compare(u"true", Qt::CaseInsensitive) == 0;
        const QString choice = choices.at(isTrue ? 0 : 1);
        const QString feedback = plain(answer.feedback);
        if (rightAnswer(answer)) {
            out.right = isTrue ? 0 : 1;
            if (!feedback.isEmpty()) {
                out.explanation.insert(out.explanation.size() > 0 ? 1 : 0, feedback);
            }
        } else if (!feedback.isEmpty()) {
            out.explanation << choice + QStringLiteral(": ") + feedback;
        }
    }
    if (!out.hasRight()) {
        bank.skipped(question.line, SkipReason::NoRight, question.name);
        return false;
    }
    return true;
}

// The choices of the answers that have a text, as Moodle leaves one without text out; false
// with the question skipped when two are the same once their formatting is taken off.
bool takeChoices(const XmlQuestion &question, Question &out, Bank &bank)
{
    QStringList written; // the choices as written
    for (const XmlAnswer &answer : question.answers) {
        if (const QString text = plain(answer.text); !text.isEmpty()) {
            out.choices << text;
            written << answer.text.text.simplified();
        }
    }
    if (const std::optional<QString> same = sameOnceFlat(out.choices, written)) {
        bank.skipped(question.line, SkipReason::SameChoices, question.name, *same);
        return false;
    }
    return true;
}

bool takeSingle(const XmlQuestion &question, Question &out, Bank &bank)
{
    int rights = 0;
    int choices = 0;
    bool weighted = false;
    bool penalties = false; // wrong answers of negative fractions: a penalty for guessing
    QStringList wrongFeedback;
    for (const XmlAnswer &answer : question.answers) {
        const QString text = plain(answer.text);
        if (text.isEmpty()) {
            continue;
        }
        weighted = weighted || (answer.fraction > 0.01 && !rightAnswer(answer));
        penalties = penalties || answer.fraction < -0.01;
        const QString feedback = plain(answer.feedback);
        if (rightAnswer(answer)) {
            ++rights;
            out.right = choices;
            if (!feedback.isEmpty()) {
                out.explanation << feedback;
            }
        } else if (!feedback.isEmpty()) {
            wrongFeedback << text + QStringLiteral(": ") + feedback;
        }
        ++choices;
    }
    out.explanation << wrongFeedback;
    const std::optional<SkipReason> reason = weighted      ? SkipReason::Weights
                                             : rights == 0 ? SkipReason::NoRight
                                             : rights > 1  ? SkipReason::SeveralRight
                                             : choices > KOVRA_Danni::kMaxChoices
                                                 ? SkipReason::TooManyAnswers
                                                 : std::optional<SkipReason>();
    if (reason) {
        bank.skipped(question.line, *reason, question.name);
        return false;
    }
    // As GIFT's: single choice, a wrong answer counting 0 here, with a warning that says so.
    if (penalties) {
        bank.error({.kind = ProblemKind::BankPenalties,
                    .severity = Severity::Warning,
                    .line = question.line});
    }
    return takeChoices(question, out, bank);
}

// Several answers ticked, each of its fraction; all or nothing: the answers of a fraction above
// 0 are the right ones, and where their fractions do not add up to 100 each takes an even share.
bool takeSeveral(const XmlQuestion &question, Question &out, Bank &bank, bool allOrNothing)
{
    out.kind = QuestionKind::Several;
    out.allOrNothing = allOrNothing;
    if (!takeChoices(question, out, bank)) {
        return false;
    }
    double full = 0;
    int rights = 0;
    for (const XmlAnswer &answer : question.answers) {
        const QString text = plain(answer.text);
        if (text.isEmpty()) {
            continue;
        }
        out.weights.push_back(answer.fraction / 100);
        full += std::max(answer.fraction, 0.0);
        rights += answer.fraction > 0 ? 1 : 0;
        if (const QString feedback = plain(answer.feedback); !feedback.isEmpty()) {
            out.explanation << text + QStringLiteral(": ") + feedback;
        }
    }
    if (allOrNothing && rights > 0 && std::abs(full - 100) > 0.01) {
        for (double &weight : out.weights) {
            weight = weight > 0 ? 1.0 / rights : weight;
        }
    }
    return true;
}

// The answers typed, `*` any text; the feedback of the one of full credit explains.
bool takeTyped(const XmlQuestion &question, Question &out)
{
    out.kind = QuestionKind::Typed;
    out.caseMatters = settingOn(question, "usecase");
    for (const XmlAnswer &answer : question.answers) {
        const QString text = answer.text.text.simplified();
        if (text.isEmpty()) {
            continue;
        }
        out.accepted.push_back({.text = text, .credit = answer.fraction / 100});
        if (rightAnswer(answer)) {
            out.explanation += plainLines(answer.feedback);
        }
    }
    return true;
}

// The values with their tolerances, and the units. Units not used at all (showunits 3, or the
// unit role 3 of the editing form) leave any text after the number be; units optional or
// graded take a unit typed, never a text that is none.
bool takeNumber(const XmlQuestion &question, Question &out, Bank &bank)
{
    out.kind = QuestionKind::Number;
    const auto notANumber = [&](const QString &text) {
        bank.skipped(question.line, SkipReason::NotANumber, question.name, text);
        return false;
    };
    for (const XmlAnswer &answer : question.answers) {
        const QString text = answer.text.text.simplified();
        if (text.isEmpty()) {
            continue;
        }
        QString rest;
        if (text != u"*" && (!leadingNumber(text, &rest) || !rest.isEmpty())) {
            return notANumber(text);
        }
        const std::optional<double> tolerance =
            answer.tolerance.trimmed().isEmpty() ? 0.0 : numberOf(answer.tolerance);
        if (!tolerance) {
            return notANumber(answer.tolerance.simplified());
        }
        out.accepted.push_back(
            {.text = text, .credit = answer.fraction / 100, .tolerance = std::abs(*tolerance)});
        if (rightAnswer(answer)) {
            out.explanation += plainLines(answer.feedback);
        }
    }
    for (const XmlUnit &unit : question.units) {
        const std::optional<double> multiplier =
            unit.multiplier.trimmed().isEmpty() ? 1.0 : numberOf(unit.multiplier);
        if (!multiplier) {
            return notANumber(unit.multiplier.simplified());
        }
        out.units.push_back({.name = unit.name.simplified(), .multiplier = *multiplier});
    }
    const auto setting = [&](const char *name) {
        return question.settings.value(QLatin1StringView(name)).trimmed();
    };
    out.unitsIgnored = setting("showunits") == u"3" || setting("unitrole") == u"3";
    out.unitFirst = setting("unitsleft") == u"1";
    // Units graded: a unit left off, or not one of them, loses a share of the answer's credit
    // (grading 1) or that much of the point (2).
    const QString grading = setting("unitgradingtype");
    if (!out.units.empty() && !out.unitsIgnored && (grading == u"1" || grading == u"2")) {
        // None written: the editing form's own, 0.1.
        const QString written = setting("unitpenalty");
        const std::optional<double> penalty =
            written.isEmpty() ? std::optional<double>(0.1) : numberOf(written);
        if (!penalty) {
            return notANumber(setting("unitpenalty"));
        }
        out.unitPenalty = *penalty;
        out.unitPenaltyOfQuestion = grading == u"2";
    }
    return true;
}

// Each subquestion an item and its answer; one without text an answer offered besides.
bool takeMatching(const XmlQuestion &question, Question &out)
{
    out.kind = QuestionKind::Matching;
    for (const XmlSubquestion &sub : question.subquestions) {
        const QString item = plain(sub.text);
        const QString match = plain(sub.answer);
        if (item.isEmpty() && match.isEmpty()) {
            continue;
        }
        qsizetype at = match.isEmpty() ? -1 : out.choices.indexOf(match);
        if (at < 0 && !match.isEmpty()) {
            out.choices << match;
            at = out.choices.size() - 1;
        }
        if (!item.isEmpty()) { // an item without an answer: the check names it
            out.items << item;
            out.matches.push_back(int(at));
        }
    }
    return true;
}

} // namespace

bool takeXmlQuestion(const XmlQuestion &question, Question &out, Bank &bank)
{
    const QString &type = question.type;
    // A choice is a line of text in the window: a picture in its place cannot be shown.
    const auto picture = [](const XmlText &text) {
        return text.html && text.text.contains(QLatin1String("<img"), Qt::CaseInsensitive);
    };
    if (std::any_of(question.answers.begin(), question.answers.end(),
                    [&](const XmlAnswer &answer) { return picture(answer.text); }) ||
        std::any_of(question.subquestions.begin(), question.subquestions.end(),
                    [&](const XmlSubquestion &sub) { return picture(sub.text); })) {
        bank.skipped(question.line, SkipReason::PictureChoices, question.name);
        return false;
    }
    if (type == u"truefalse") {
        return takeTrueFalse(question, out, bank);
    }
    if (type == u"multichoice") {
        const QString single = question.settings.value(QStringLiteral("single")).trimmed();
        return single == u"false" || single == u"0" ? takeSeveral(question, out, bank, false)
                                                    : takeSingle(question, out, bank);
    }
    if (type == u"multichoiceset") {
        return takeSeveral(question, out, bank, true);
    }
    if (type == u"shortanswer") {
        return takeTyped(question, out);
    }
    if (type == u"numerical") {
        return takeNumber(question, out, bank);
    }
    return takeMatching(question, out);
}

} // namespace kovra::importer
