// SPDX-License-Identifier: GPL-3.0-or-later
// GIFT written from a test: each kind of question as GIFT has it.
#include "bank.h"

#include <algorithm>

namespace kovra::importer {

namespace {

// Text with GIFT's marks escaped, so that it reads back as the same text.
QString giftEscaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        if (QStringView(u"~=#{}:\\").contains(ch)) {
            out += u'\\';
        }
        out += ch;
    }
    return out;
}

QString percent(double credit)
{
    return QStringLiteral("%") + QString::number(credit * 100, 'g', 7) + u'%';
}

// The answers between the braces, a line each.
QStringList giftAnswers(const Question &question)
{
    QStringList lines;
    switch (question.kind) {
    case QuestionKind::Single:
        for (qsizetype c = 0; c < question.choices.size(); ++c) {
            lines << (c == question.right ? u'=' : u'~') + giftEscaped(question.choices.at(c));
        }
        break;
    case QuestionKind::Several:
        // No '=': the pupil ticks any of them, each of its credit.
        for (qsizetype c = 0; c < question.choices.size(); ++c) {
            lines << u'~' + percent(question.weights.at(std::size_t(c))) +
                         giftEscaped(question.choices.at(c));
        }
        break;
    case QuestionKind::Typed:
        for (const Accepted &accepted : question.accepted) {
            lines << u'=' + percent(accepted.credit) + giftEscaped(accepted.text);
        }
        break;
    case QuestionKind::Number:
        lines << QStringLiteral("#");
        for (const Accepted &accepted : question.accepted) {
            // Concatenated: the weight's own '%' are no places for arg().
            lines << u'=' + percent(accepted.credit) + accepted.text.trimmed().replace(u',', u'.') +
                         u':' + QString::number(accepted.tolerance, 'g', 15);
        }
        break;
    case QuestionKind::Matching:
        for (qsizetype i = 0; i < question.items.size(); ++i) {
            lines << u'=' + giftEscaped(question.items.at(i)) + QStringLiteral(" -> ") +
                         giftEscaped(question.choices.value(question.matches.at(std::size_t(i))));
        }
        // An answer offered that matches no item, without an item before its arrow.
        for (qsizetype c = 0; c < question.choices.size(); ++c) {
            if (std::find(question.matches.begin(), question.matches.end(), int(c)) ==
                question.matches.end()) {
                lines << QStringLiteral("= -> ") + giftEscaped(question.choices.at(c));
            }
        }
        break;
    }
    return lines;
}

} // namespace

QByteArray writeGift(const std::vector<Question> &questions)
{
    QString out;
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const Question &question = questions[i];
        out += QStringLiteral("// question: %1\n::Q%1::[plain]%2 {\n")
                   .arg(i + 1)
                   .arg(giftEscaped(question.text));
        const QStringList answers = giftAnswers(question);
        out += answers.join(u'\n') + u'\n';
        QStringList lines;
        for (const QString &line : question.explanation) {
            lines << giftEscaped(line);
        }
        out +=
            QStringLiteral("####") + lines.join(QStringLiteral("\\n")) + QStringLiteral("\n}\n\n");
    }
    return out.toUtf8();
}

} // namespace kovra::importer
