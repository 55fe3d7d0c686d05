// SPDX-License-Identifier: GPL-3.0-or-later
#include "kind_edits.h"

#include "content/danni.h"
#include "content/rules.h"

#include <algorithm>
#include <cmath>

namespace kovra {

namespace {

// The index of the highest of these credits, the first of equal ones; -1 for none.
template <typename Credits, typename Credit> int highest(const Credits &credits, Credit credit)
{
    int best = -1;
    for (int i = 0; i < static_cast<int>(credits.size()); ++i) {
        if (best < 0 || credit(credits[i]) > credit(credits[best])) {
            best = i;
        }
    }
    return best;
}

// The choices another kind's answers give: its own, its accepted answers' texts, or four empty.
QStringList choicesOf(const Question &question, QuestionKind kind)
{
    QStringList choices;
    if (question.kind == QuestionKind::Typed || question.kind == QuestionKind::Number) {
        for (const Accepted &accepted : question.accepted) {
            choices << accepted.text;
        }
    } else {
        choices = question.choices;
    }
    choices = choices.mid(0, kind == QuestionKind::Several ? kMaxSeveralChoices
                                                           : KOVRA_Danni::kMaxChoices);
    if (choices.size() < KOVRA_Danni::kMinChoices) {
        choices = QStringList(4, QString());
    }
    return choices;
}

// The right choice of a single choice question made of another kind.
int rightOf(const Question &question, qsizetype choices)
{
    int right = -1;
    switch (question.kind) {
    case QuestionKind::Single:
        right = question.right;
        break;
    case QuestionKind::Several:
        right = highest(question.weights, [](double weight) { return weight; });
        break;
    case QuestionKind::Typed:
    case QuestionKind::Number:
        right = std::max(0, highest(question.accepted, [](const Accepted &a) { return a.credit; }));
        break;
    case QuestionKind::Matching:
        break;
    }
    return right < choices ? right : -1;
}

std::vector<Accepted> acceptedOf(const Question &question, QuestionKind kind)
{
    std::vector<Accepted> accepted;
    switch (question.kind) {
    case QuestionKind::Single:
        if (question.hasRight()) {
            accepted.push_back({question.rightText()});
        }
        break;
    case QuestionKind::Several:
        for (qsizetype i = 0; i < question.choices.size(); ++i) {
            if (std::size_t(i) < question.weights.size() && question.weights[i] > 0) {
                accepted.push_back({question.choices.at(i)});
            }
        }
        break;
    case QuestionKind::Typed:
    case QuestionKind::Number:
        accepted = question.accepted;
        for (Accepted &one : accepted) {
            one.tolerance = kind == QuestionKind::Number ? one.tolerance : 0;
        }
        break;
    case QuestionKind::Matching:
        break;
    }
    if (accepted.empty()) {
        accepted.push_back({});
    }
    return accepted;
}

// A credit as a file's percent gives it back: the nearest of the credits that survive being
// written as percent and read again.
double fileCredit(double credit)
{
    double near = credit;
    for (int i = 0; i < 64 && (near * 100) / 100 != near; ++i) {
        near = std::nextafter(near, 2.0);
    }
    return (near * 100) / 100 == near ? near : credit;
}

} // namespace

double creditOfPercent(double percent)
{
    return fileCredit(percent / 100);
}

qsizetype mostChoices(QuestionKind kind)
{
    return kind == QuestionKind::Several ? kMaxSeveralChoices : KOVRA_Danni::kMaxChoices;
}

Question convertedTo(const Question &question, QuestionKind kind)
{
    if (question.kind == kind) {
        return question;
    }
    Question made;
    made.kind = kind;
    made.text = question.text;
    made.explanation = question.explanation;
    made.figure = question.figure;
    made.source = question.source;
    switch (kind) {
    case QuestionKind::Single:
        made.choices = choicesOf(question, kind);
        made.right = rightOf(question, made.choices.size());
        break;
    case QuestionKind::Several: {
        made.choices = choicesOf(question, kind);
        made.weights.assign(std::size_t(made.choices.size()), 0.0);
        if (const int right = rightOf(question, made.choices.size()); right >= 0) {
            made.weights[std::size_t(right)] = 1;
        }
        break;
    }
    case QuestionKind::Typed:
    case QuestionKind::Number:
        made.accepted = acceptedOf(question, kind);
        break;
    case QuestionKind::Matching:
        for (const QString &choice : question.choices) {
            if (!choice.trimmed().isEmpty() && question.kind != QuestionKind::Typed &&
                question.kind != QuestionKind::Number) {
                made.choices << choice;
            }
        }
        made.items = QStringList(2, QString());
        made.matches.assign(2, -1);
        break;
    }
    return made;
}

Question withCreditsSpread(Question question)
{
    question.weights.resize(std::size_t(question.choices.size()), 0.0);
    const auto ticked = std::count_if(question.weights.begin(), question.weights.end(),
                                      [](double weight) { return weight > 0; });
    for (double &weight : question.weights) {
        if (weight > 0) {
            weight = fileCredit(1.0 / double(ticked));
        }
    }
    return question;
}

Question withTicked(Question question, int choice, bool ticked)
{
    question.weights.resize(std::size_t(question.choices.size()), 0.0);
    if (choice < 0 || choice >= static_cast<int>(question.weights.size())) {
        return question;
    }
    double &weight = question.weights[std::size_t(choice)];
    weight = ticked ? 1 : std::min(weight, 0.0);
    return withCreditsSpread(std::move(question));
}

std::vector<int> extraAnswers(const Question &question)
{
    std::vector<int> extra;
    for (int c = 0; c < question.choices.size(); ++c) {
        if (std::find(question.matches.begin(), question.matches.end(), c) ==
            question.matches.end()) {
            extra.push_back(c);
        }
    }
    return extra;
}

Question withoutChoice(Question question, int choice)
{
    if (choice < 0 || choice >= question.choices.size()) {
        return question;
    }
    question.choices.removeAt(choice);
    for (int &match : question.matches) {
        match = match == choice ? -1 : match - (match > choice ? 1 : 0);
    }
    return question;
}

Question withoutItem(Question question, int item)
{
    if (item < 0 || item >= question.items.size()) {
        return question;
    }
    question.matches.resize(std::size_t(question.items.size()), -1);
    const int answer = question.matches[std::size_t(item)];
    question.items.removeAt(item);
    question.matches.erase(question.matches.begin() + item);
    if (answer >= 0 && std::find(question.matches.begin(), question.matches.end(), answer) ==
                           question.matches.end()) {
        question = withoutChoice(std::move(question), answer);
    }
    return question;
}

Question withItemAnswer(Question question, int item, const QString &text)
{
    if (item < 0 || item >= question.items.size()) {
        return question;
    }
    question.matches.resize(std::size_t(question.items.size()), -1);
    const int old = question.matches[std::size_t(item)];
    const auto sharedBy = [&question, item](int choice) {
        for (std::size_t i = 0; i < question.matches.size(); ++i) {
            if (int(i) != item && question.matches[i] == choice) {
                return true;
            }
        }
        return false;
    };
    const bool own = old >= 0 && old < question.choices.size() && !sharedBy(old);
    for (int c = 0; c < question.choices.size(); ++c) {
        if (c != old && question.choices.at(c) == text) {
            question.matches[std::size_t(item)] = c;
            return own ? withoutChoice(std::move(question), old) : question;
        }
    }
    if (own) {
        question.choices[old] = text;
    } else {
        question.choices << text;
        question.matches[std::size_t(item)] = int(question.choices.size() - 1);
    }
    return question;
}

} // namespace kovra
