// SPDX-License-Identifier: GPL-3.0-or-later
#include "kind_paper.h"

#include "model/marking.h"
#include "model/test.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>

namespace kovra {

// The words of a question of each kind on paper, all of them here.
class KindPaper
{
    Q_DECLARE_TR_FUNCTIONS(kovra::KindPaper)
};

namespace {

const QString kLetters = QStringLiteral("АБВГДЕЖЗИКЛМ"); // as many as a question may have
// The line a typed answer is written on.
const QString kWriteLine = QStringLiteral("______________________________");
const QString kBlank = QStringLiteral("________");

QString text(const QString &plain)
{
    return plain.toHtmlEscaped();
}

QString lettered(const Question &question, qsizetype c)
{
    return QStringLiteral("%1) %2").arg(choiceLetter(c), text(question.choices.at(c)));
}

double weightOf(const Question &question, qsizetype c)
{
    return c < qsizetype(question.weights.size()) ? question.weights[std::size_t(c)] : 0;
}

// The answer matched to item i (from 0); -1 none.
int matchOf(const Question &question, qsizetype i)
{
    return i < qsizetype(question.matches.size()) ? question.matches[std::size_t(i)] : -1;
}

// Whether an accepted text has a star that stands for any text (not one written `\*`).
bool hasWildcard(const QString &accepted)
{
    for (qsizetype i = 0; i < accepted.size(); ++i) {
        if (accepted.at(i) == u'\\') {
            ++i;
        } else if (accepted.at(i) == u'*') {
            return true;
        }
    }
    return false;
}

QString unitName(const Question &question)
{
    return question.units.empty() ? QString() : question.units.front().name;
}

// The items numbered, a blank each, beside the answers offered, lettered.
QString matchingPaperHtml(const Question &question, int indent)
{
    QString html = QStringLiteral("<p style=\"margin-left: %1px\"><i>%2</i></p>")
                       .arg(indent)
                       .arg(text(KindPaper::tr("Write beside each the letter of its answer.")));
    html += QStringLiteral("<table cellpadding=\"4\" cellspacing=\"0\" border=\"0\">");
    const qsizetype rows = std::max(question.items.size(), question.choices.size());
    for (qsizetype r = 0; r < rows; ++r) {
        // A table's widths are in pixels of 96 to the inch on any device, unlike a margin.
        html += QStringLiteral("<tr><td width=\"24\"></td><td>%1</td><td width=\"24\"></td>"
                               "<td>%2</td></tr>")
                    .arg(r < question.items.size() ? QStringLiteral("%1. %2 %3")
                                                         .arg(r + 1)
                                                         .arg(text(question.items.at(r)), kBlank)
                                                   : QString(),
                         r < question.choices.size() ? lettered(question, r) : QString());
    }
    return html + QStringLiteral("</table>");
}

QString severalKeyHtml(const Question &question)
{
    QString html;
    for (qsizetype c = 0; c < question.choices.size(); ++c) {
        if (question.allOrNothing) {
            html += weightOf(question, c) > 0
                        ? QStringLiteral("<b>%1</b><br>").arg(lettered(question, c))
                        : QString();
        } else {
            html += QStringLiteral("<b>%1: %2</b><br>")
                        .arg(lettered(question, c), text(creditPercent(weightOf(question, c))));
        }
    }
    if (question.allOrNothing) {
        html += QStringLiteral("<i>%1</i><br>")
                    .arg(text(KindPaper::tr("All or nothing: these ticked, and no other.")));
    }
    return html;
}

// An answer accepted as the pupils would write it: in quotes, or a number with its tolerance
// and first unit.
QString acceptedText(const Question &question, const Accepted &accepted)
{
    if (question.kind != QuestionKind::Number) {
        return QStringLiteral("„%1“").arg(accepted.text);
    }
    // The value in the language's decimal sign, as the tolerance is: "3,14", not "3.14".
    QString rest;
    const std::optional<double> value = leadingNumber(accepted.text, &rest);
    const QString shown =
        value && rest.isEmpty() ? QLocale().toString(*value, 'g', 15) : accepted.text;
    const QString withTolerance =
        accepted.tolerance > 0
            ? QStringLiteral("%1 ± %2").arg(shown, QLocale().toString(accepted.tolerance))
            : shown;
    return withUnit(question, withTolerance);
}

QString acceptedKeyHtml(const Question &question)
{
    const bool number = question.kind == QuestionKind::Number;
    QString html;
    bool wildcard = false;
    for (const Accepted &accepted : question.accepted) {
        html +=
            QStringLiteral("<b>%1: %2</b><br>")
                .arg(text(acceptedText(question, accepted)), text(creditPercent(accepted.credit)));
        wildcard = wildcard || (!number && hasWildcard(accepted.text));
    }
    if (wildcard) {
        html +=
            QStringLiteral("<i>%1</i><br>").arg(text(KindPaper::tr("A * stands for any text.")));
    }
    if (!number) {
        html += QStringLiteral("<i>%1</i><br>")
                    .arg(text(question.caseMatters
                                  ? KindPaper::tr("Capital and small letters differ.")
                                  : KindPaper::tr("Capital and small letters are the same.")));
    }
    if (number && question.units.size() > 1) {
        QStringList units;
        for (const Unit &other : question.units) {
            units << (other.multiplier == 1
                          ? other.name
                          : QStringLiteral("%1 (× %2)")
                                .arg(other.name, QLocale().toString(other.multiplier)));
        }
        html += QStringLiteral("<i>%1</i><br>")
                    .arg(text(KindPaper::tr("Units: %1").arg(units.join(QStringLiteral("; ")))));
    }
    if (number && question.unitsIgnored) {
        html += QStringLiteral("<i>%1</i><br>")
                    .arg(text(KindPaper::tr("Any text after the number is let be.")));
    }
    if (number && question.unitPenalty > 0 && !question.units.empty() && !question.unitsIgnored) {
        const QString penalty = creditPercent(question.unitPenalty);
        html += QStringLiteral("<i>%1</i><br>")
                    .arg(text(question.unitPenaltyOfQuestion
                                  ? KindPaper::tr("Without a unit, or with another: %1 of the "
                                                  "point taken off.")
                                        .arg(penalty)
                                  : KindPaper::tr("Without a unit, or with another: %1 of the "
                                                  "answer's credit taken off.")
                                        .arg(penalty)));
    }
    return html;
}

QString matchingKeyHtml(const Question &question)
{
    QString html;
    for (qsizetype i = 0; i < question.items.size(); ++i) {
        const int match = matchOf(question, i);
        html += QStringLiteral("<b>%1. %2 → %3</b><br>")
                    .arg(i + 1)
                    .arg(text(question.items.at(i)), match >= 0 && match < question.choices.size()
                                                         ? lettered(question, match)
                                                         : QStringLiteral("?"));
    }
    return html;
}

} // namespace

QString choiceLetter(qsizetype index)
{
    return index >= 0 && index < kLetters.size() ? QString(kLetters.at(index))
                                                 : QStringLiteral("?");
}

QString answerPaperHtml(const Question &question, int indent)
{
    const QString lines = QStringLiteral("<p style=\"margin-left: %1px\">%2</p>").arg(indent);
    switch (question.kind) {
    case QuestionKind::Typed:
    case QuestionKind::Number: {
        const QString unit = question.kind == QuestionKind::Number ? unitName(question) : QString();
        const bool first = question.unitFirst && !unit.isEmpty();
        return lines.arg(
            QStringLiteral("%1 %2%3%4")
                .arg(text(KindPaper::tr("Answer:")),
                     first ? text(unit) + QStringLiteral(" ") : QString(), kWriteLine,
                     unit.isEmpty() || first ? QString() : QStringLiteral(" ") + text(unit)));
    }
    case QuestionKind::Matching:
        return matchingPaperHtml(question, indent);
    case QuestionKind::Single:
    case QuestionKind::Several:
        break;
    }
    const bool several = question.kind == QuestionKind::Several;
    QString choices =
        several ? QStringLiteral("<i>%1</i><br>")
                      .arg(text(KindPaper::tr("(there may be more than one right answer)")))
                : QString();
    for (qsizetype c = 0; c < question.choices.size(); ++c) {
        choices += (several ? QStringLiteral("☐ ") : QString()) + lettered(question, c) +
                   QStringLiteral("<br>");
    }
    return lines.arg(choices);
}

QString rightAnswerWords(const Question &question)
{
    if (question.kind == QuestionKind::Number) {
        // The first of full credit, as marking takes one.
        const auto full = std::find_if(question.accepted.begin(), question.accepted.end(),
                                       [](const Accepted &a) { return a.credit >= 1 - 1e-4; });
        return full == question.accepted.end() ? QString() : acceptedText(question, *full);
    }
    return rightAnswerText(question);
}

QString keyCellText(const Question &question)
{
    QStringList parts;
    switch (question.kind) {
    case QuestionKind::Single:
        return question.hasRight() ? choiceLetter(question.right) : QStringLiteral("?");
    case QuestionKind::Several:
        for (qsizetype c = 0; c < question.choices.size(); ++c) {
            if (weightOf(question, c) > 0) {
                parts << choiceLetter(c);
            }
        }
        return parts.isEmpty() ? QStringLiteral("?") : parts.join(QStringLiteral(", "));
    case QuestionKind::Typed:
    case QuestionKind::Number:
        break;
    case QuestionKind::Matching:
        for (qsizetype i = 0; i < question.items.size(); ++i) {
            parts << QString::number(i + 1) + choiceLetter(matchOf(question, i));
        }
        return parts.join(u' ');
    }
    const QString answer = rightAnswerWords(question);
    return answer.isEmpty() ? QStringLiteral("?") : answer;
}

QString keyAnswerHtml(const Question &question)
{
    switch (question.kind) {
    case QuestionKind::Single:
        return QStringLiteral("<b>%1) %2</b><br>")
            .arg(choiceLetter(question.hasRight() ? question.right : -1),
                 text(question.rightText()));
    case QuestionKind::Several:
        return severalKeyHtml(question);
    case QuestionKind::Typed:
    case QuestionKind::Number:
        return acceptedKeyHtml(question);
    case QuestionKind::Matching:
        return matchingKeyHtml(question);
    }
    return {};
}

QString creditPercent(double credit)
{
    return QStringLiteral("%1 %").arg(QLocale().toString(100 * credit, 'g', 4));
}

} // namespace kovra
