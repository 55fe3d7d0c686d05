// SPDX-License-Identifier: GPL-3.0-or-later
#include "marking.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace kovra {

namespace {

// Credits that add up to all but a rounding of it (three thirds written 33.33333) are whole.
constexpr double kCreditSlack = 1e-4;

double within(double credit)
{
    if (credit > 1 - kCreditSlack) {
        return 1;
    }
    return credit < kCreditSlack ? 0 : credit;
}

double severalCredit(const Question &question, const QStringList &picked)
{
    double sum = 0;
    bool exact = true;
    for (qsizetype i = 0; i < question.choices.size(); ++i) {
        const double weight = i < qsizetype(question.weights.size()) ? question.weights[i] : 0;
        const bool ticked = picked.contains(question.choices.at(i));
        sum += ticked ? weight : 0;
        exact = exact && ticked == (weight > 0);
    }
    if (question.allOrNothing) {
        return exact ? 1 : 0;
    }
    return within(sum);
}

double matchingCredit(const Question &question, const QStringList &picked)
{
    if (question.items.isEmpty()) {
        return 0;
    }
    int right = 0;
    for (qsizetype i = 0; i < question.items.size() && i < qsizetype(question.matches.size());
         ++i) {
        const QString answer = question.choices.value(question.matches[i]);
        right += !answer.isEmpty() && picked.value(i) == answer ? 1 : 0;
    }
    return within(double(right) / double(question.items.size()));
}

double typedCredit(const Question &question, const QString &typed)
{
    for (const Accepted &accepted : question.accepted) {
        if (typedMatches(accepted.text, typed, question.caseMatters)) {
            return within(accepted.credit);
        }
    }
    return 0;
}

double numberCredit(const Question &question, const QString &typed)
{
    const std::optional<TypedNumber> number = typedNumber(question, typed);
    if (!number) {
        return 0;
    }
    // The unit's penalty: a share of the answer's credit, or taken off it.
    const auto penalised = [&](double credit) {
        credit = within(credit);
        if (number->unitRight) {
            return credit;
        }
        const double penalty = std::clamp(question.unitPenalty, 0.0, 1.0);
        return within(credit - (question.unitPenaltyOfQuestion ? penalty : penalty * credit));
    };
    for (const Accepted &accepted : question.accepted) {
        if (accepted.text.trimmed() == u"*") {
            return penalised(accepted.credit);
        }
        const std::optional<double> right = leadingNumber(accepted.text);
        if (!right) {
            continue;
        }
        // A value binary cannot hold exactly (0,1 + 0,2) is still within its tolerance.
        const double slack = 1e-12 * std::max(1.0, std::abs(*right));
        if (std::abs(number->value - *right) <= std::abs(accepted.tolerance) + slack) {
            return penalised(accepted.credit);
        }
    }
    return 0;
}

bool isBlank(QChar ch)
{
    return ch.isSpace() || ch == QChar(0x202F) || ch == QChar(0x2009);
}

} // namespace

bool Response::isEmpty() const
{
    return typed.trimmed().isEmpty() &&
           std::all_of(picked.begin(), picked.end(), [](const QString &t) { return t.isEmpty(); });
}

double creditOf(const Question &question, const Response &response)
{
    if (response.isEmpty()) {
        return 0;
    }
    switch (question.kind) {
    case QuestionKind::Single:
        return response.picked.size() == 1 && question.hasRight() &&
                       response.picked.front() == question.rightText()
                   ? 1
                   : 0;
    case QuestionKind::Several:
        return severalCredit(question, response.picked);
    case QuestionKind::Typed:
        return typedCredit(question, response.typed);
    case QuestionKind::Number:
        return numberCredit(question, response.typed);
    case QuestionKind::Matching:
        return matchingCredit(question, response.picked);
    }
    return 0;
}

QString withUnit(const Question &question, const QString &value)
{
    if (question.units.empty() || question.units.front().name.isEmpty()) {
        return value;
    }
    const QString &unit = question.units.front().name;
    return question.unitFirst ? unit + u' ' + value : value + u' ' + unit;
}

QString withDecimalComma(QString text)
{
    static const QRegularExpression point(QStringLiteral("(\\d)\\.(\\d)"));
    return text.replace(point, QStringLiteral("\\1,\\2"));
}

QString rightAnswerText(const Question &question)
{
    QStringList parts;
    switch (question.kind) {
    case QuestionKind::Single:
        return question.rightText();
    case QuestionKind::Several:
        for (qsizetype i = 0; i < question.choices.size(); ++i) {
            if (i < qsizetype(question.weights.size()) && question.weights[std::size_t(i)] > 0) {
                parts << question.choices.at(i);
            }
        }
        break;
    case QuestionKind::Typed:
    case QuestionKind::Number:
        for (const Accepted &accepted : question.accepted) {
            if (accepted.credit >= 1 - kCreditSlack) {
                const bool number = question.kind == QuestionKind::Number;
                if (!number) {
                    return accepted.text;
                }
                const QString value =
                    accepted.tolerance > 0
                        ? QStringLiteral("%1 ± %2").arg(accepted.text).arg(accepted.tolerance)
                        : accepted.text;
                return withUnit(question, value);
            }
        }
        break;
    case QuestionKind::Matching:
        for (qsizetype i = 0; i < question.items.size(); ++i) {
            parts << question.items.at(i) + QStringLiteral(" → ") +
                         question.choices.value(
                             i < qsizetype(question.matches.size()) ? question.matches[i] : -1);
        }
        break;
    }
    return parts.join(QStringLiteral("; "));
}

QString cyrillicLookAlikes(const QString &text)
{
    static const QString latin = QStringLiteral("aceopxyABCEHKMOPTX");
    static const QString cyrillic = QStringLiteral("асеорхуАВСЕНКМОРТХ");
    QString form = text;
    for (QChar &ch : form) {
        const auto at = latin.indexOf(ch);
        if (at >= 0) {
            ch = cyrillic.at(at);
        }
    }
    return form;
}

QString typedForm(const QString &text, bool caseMatters)
{
    QString form;
    form.reserve(text.size());
    bool blank = false;
    for (QChar ch : text) {
        if (isBlank(ch)) {
            blank = !form.isEmpty();
            continue;
        }
        if (blank) {
            form += u' ';
            blank = false;
        }
        form += ch;
    }
    form = cyrillicLookAlikes(form);
    return caseMatters ? form : form.toCaseFolded();
}

bool typedMatches(const QString &accepted, const QString &typed, bool caseMatters)
{
    const QString want = typedForm(accepted, caseMatters);
    const QString got = typedForm(typed, caseMatters);
    if (got.isEmpty()) {
        return false;
    }
    // The accepted text as characters, a star that stands for any text marked apart.
    std::vector<std::pair<QChar, bool>> pattern;
    for (qsizetype i = 0; i < want.size(); ++i) {
        if (want.at(i) == u'\\' && i + 1 < want.size() && want.at(i + 1) == u'*') {
            pattern.emplace_back(u'*', false);
            ++i;
        } else {
            pattern.emplace_back(want.at(i), want.at(i) == u'*');
        }
    }
    // Stars matched the fewest characters first, going back to the last star on a miss.
    std::size_t p = 0;
    qsizetype g = 0;
    std::optional<std::size_t> star;
    qsizetype starAt = 0;
    while (g < got.size()) {
        if (p < pattern.size() && !pattern[p].second && pattern[p].first == got.at(g)) {
            ++p;
            ++g;
        } else if (p < pattern.size() && pattern[p].second) {
            star = p++;
            starAt = g;
        } else if (star) {
            p = *star + 1;
            g = ++starAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p].second) {
        ++p;
    }
    return p == pattern.size();
}

std::optional<double> leadingNumber(const QString &text, QString *rest)
{
    QString number;
    qsizetype at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && isBlank(text.at(at))) {
            ++at;
        }
    };
    skipBlanks();
    if (at < text.size() &&
        (text.at(at) == u'-' || text.at(at) == QChar(0x2212) || text.at(at) == u'+')) {
        number += text.at(at) == u'+' ? u'+' : u'-';
        ++at;
        skipBlanks();
    }
    bool digits = false;
    bool point = false;
    for (; at < text.size(); ++at) {
        const QChar ch = text.at(at);
        if (ch.isDigit() && ch.unicode() < 128) {
            number += ch;
            digits = true;
        } else if ((ch == u',' || ch == u'.') && !point && at + 1 < text.size() &&
                   text.at(at + 1).isDigit()) {
            number += u'.';
            point = true;
        } else if (isBlank(ch) && digits && at + 1 < text.size() && text.at(at + 1).isDigit()) {
            continue; // a blank between groups of digits
        } else {
            break;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    if (at + 1 < text.size() && (text.at(at) == u'e' || text.at(at) == u'E')) {
        qsizetype end = at + 1;
        QString exponent = QStringLiteral("e");
        if (text.at(end) == u'-' || text.at(end) == u'+') {
            exponent += text.at(end++);
        }
        const qsizetype first = end;
        while (end < text.size() && text.at(end).isDigit() && text.at(end).unicode() < 128) {
            exponent += text.at(end++);
        }
        if (end > first) {
            number += exponent;
            at = end;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    if (rest) {
        *rest = text.mid(at).trimmed();
    }
    return value;
}

std::optional<TypedNumber> typedNumber(const Question &question, const QString &typed)
{
    const QString text = typed.trimmed();
    const bool penalty = question.unitPenalty > 0 && !question.units.empty();
    // The unit written before the number, when the question writes it so.
    QString before;
    qsizetype start = 0;
    if (question.unitFirst && !question.unitsIgnored) {
        while (start < text.size() && !text.at(start).isDigit() && text.at(start) != u'-' &&
               text.at(start) != QChar(0x2212) && text.at(start) != u'+') {
            ++start;
        }
        before = text.left(start).trimmed();
    }
    QString rest;
    const std::optional<double> value = leadingNumber(text.mid(start), &rest);
    if (!value) {
        return std::nullopt;
    }
    if (question.unitsIgnored) {
        return TypedNumber{.value = *value};
    }
    const QString unitText = question.unitFirst ? before : rest;
    if (question.unitFirst && !rest.isEmpty()) {
        return std::nullopt; // a text after a number whose unit goes before it
    }
    if (unitText.isEmpty()) {
        return TypedNumber{.value = *value, .unitRight = !penalty};
    }
    for (const Unit &unit : question.units) {
        if (unit.name.trimmed() == unitText && unit.multiplier != 0) {
            return TypedNumber{.value = *value / unit.multiplier};
        }
    }
    if (penalty) {
        return TypedNumber{.value = *value, .unitRight = false};
    }
    return std::nullopt;
}

} // namespace kovra
