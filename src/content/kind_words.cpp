// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the problems of questions of the kinds but single choice.
#include "problem_words.h"

#include <QCoreApplication>

namespace kovra::problem_words {

std::optional<QString> kindWords(const Problem &p)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("kovra", text); };
    switch (p.kind) {
    case ProblemKind::KindUnknown:
        return tr("is %1, which is no kind of question: \"single\" (or none), \"several\", "
                  "\"typed\", \"number\" or \"matching\"")
            .arg(quoted(p.text));
    case ProblemKind::KindSetting:
        return (p.toto ? tr("is not of single choice, and the repeat check asks a question of "
                            "single choice again: turn the check off, or make the question one of "
                            "single choice")
                       : tr("is not of single choice, and the phrase mode puts a chosen choice "
                            "into the blank: turn the phrase mode off, or make the question one "
                            "of single choice"));
    case ProblemKind::CreditRange:
        return tr("is %1%, and a credit is from %2% to %3%")
            .arg(visible(p.text))
            .arg(p.least)
            .arg(p.limit);
    case ProblemKind::CreditSum:
        return tr("add up to %1% for the choices of credit above 0; they must add up to 100%")
            .arg(p.count);
    case ProblemKind::NoFullCredit:
        return tr("give none full credit (100%); at least one must");
    case ProblemKind::NotANumber:
        return tr("is %1, which is not a number").arg(quoted(p.text));
    case ProblemKind::ListCount:
        return tr("must have %1, one for each, has %2").arg(p.limit).arg(p.count);
    case ProblemKind::EmptyAnswer:
        return tr("is empty; it must have text");
    default:
        break;
    }
    return std::nullopt;
}

} // namespace kovra::problem_words
