// SPDX-License-Identifier: GPL-3.0-or-later
// GIFT's numbers: the answers after '#'.
#include "bank.h"
#include "model/marking.h"

#include <QRegularExpression>
#include <cmath>

namespace kovra::importer {

// A number's answers after '#': "value:tolerance", "least..most", or several, each after '='
// with its weight; feedback after a '#' left out. False when none is a number.
bool takeGiftNumber(const QString &plain, Question &question)
{
    question.kind = QuestionKind::Number;
    const QStringList pieces = plain.trimmed().startsWith(u'=')
                                   ? plain.split(u'=', Qt::SkipEmptyParts)
                                   : QStringList{plain};
    static const QRegularExpression weight(QStringLiteral("^\\s*%(-?[0-9.,]+)%"));
    for (QString piece : pieces) {
        piece = piece.section(u'#', 0, 0).trimmed();
        double credit = 1;
        if (const QRegularExpressionMatch m = weight.match(piece); m.hasMatch()) {
            credit = m.captured(1).replace(u',', u'.').toDouble() / 100;
            piece = piece.mid(m.capturedLength()).trimmed();
        }
        const qsizetype range = piece.indexOf(QStringLiteral(".."));
        const QString first = range >= 0 ? piece.left(range) : piece.section(u':', 0, 0);
        QString rest;
        const std::optional<double> value = leadingNumber(first, &rest);
        const std::optional<double> other =
            range >= 0 ? leadingNumber(piece.mid(range + 2))
                       : (piece.contains(u':') ? leadingNumber(piece.section(u':', 1))
                                               : std::optional<double>(0));
        if (!value || !other || !rest.isEmpty()) {
            continue;
        }
        const double middle = range >= 0 ? (*value + *other) / 2 : *value;
        question.accepted.push_back(
            {.text = QString::number(middle, 'g', 15),
             .credit = credit,
             .tolerance = range >= 0 ? std::abs(*other - *value) / 2 : std::abs(*other)});
    }
    return !question.accepted.empty();
}

} // namespace kovra::importer
