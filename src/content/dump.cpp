// SPDX-License-Identifier: GPL-3.0-or-later
#include "dump.h"

#include "cp1251.h"
#include "figures.h"
#include "kinds_json.h"

namespace kovra {

QString escapeDumpText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        default:
            // Never a terminal's escape or another control character, raw.
            if (ch.category() == QChar::Other_Control) {
                out += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
            } else {
                out += ch;
            }
        }
    }
    return out;
}

QString unescapeDumpText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\\') || i + 1 == text.size()) {
            out += text.at(i);
            continue;
        }
        const QChar next = text.at(++i);
        switch (next.unicode()) {
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 'u':
            if (bool ok = false; i + 4 < text.size()) {
                const ushort code = text.mid(i + 1, 4).toUShort(&ok, 16);
                if (ok) {
                    out += QChar(code);
                    i += 4;
                    break;
                }
            }
            out += next;
            break;
        default:
            out += next;
        }
    }
    return out;
}

namespace {

void dumpList(QByteArray &out, const QString &name, const TextList &list)
{
    for (int row = 0; row < list.listCount(); ++row) {
        out += QStringLiteral("%1[%2]\t%3\n")
                   .arg(name)
                   .arg(row)
                   .arg(escapeDumpText(fromCp1251(list.list(row))))
                   .toUtf8();
    }
}

QString percentText(double credit)
{
    return QString::number(credit * 100, 'g', 7) + u'%';
}

// What marks a question of another kind than single choice, a line for each of its parts.
void dumpKind(QByteArray &out, const Question &question, int k)
{
    QStringList lines{QStringLiteral("Kind(%1)\t%2%3")
                          .arg(k)
                          .arg(kindName(question.kind), question.allOrNothing
                                                            ? QStringLiteral("\tall or nothing")
                                                            : QString())};
    const auto line = [&](const char *name, qsizetype i, const QStringList &cells) {
        QStringList escaped;
        for (const QString &cell : cells) {
            escaped << escapeDumpText(cell);
        }
        lines << QStringLiteral("%1(%2)[%3]\t%4")
                     .arg(QLatin1String(name))
                     .arg(k)
                     .arg(i)
                     .arg(escaped.join(u'\t'));
    };
    for (qsizetype i = 0; i < question.choices.size(); ++i) {
        const bool weighted = i < qsizetype(question.weights.size());
        line(question.kind == QuestionKind::Matching ? "Offered" : "Choice", i,
             {question.choices.at(i),
              weighted ? percentText(question.weights[std::size_t(i)]) : QString()});
    }
    for (std::size_t i = 0; i < question.accepted.size(); ++i) {
        const Accepted &accepted = question.accepted[i];
        QStringList cells{accepted.text, percentText(accepted.credit)};
        if (question.kind == QuestionKind::Number) {
            cells << QStringLiteral("±%1").arg(accepted.tolerance);
        }
        line("Answer", qsizetype(i), cells);
    }
    for (std::size_t i = 0; i < question.units.size(); ++i) {
        line("Unit", qsizetype(i),
             {question.units[i].name, QString::number(question.units[i].multiplier)});
    }
    for (qsizetype i = 0; i < question.items.size(); ++i) {
        const int match = i < qsizetype(question.matches.size()) ? question.matches[i] : -1;
        line("Item", i, {question.items.at(i), question.choices.value(match)});
    }
    if (question.caseMatters) {
        lines << QStringLiteral("CaseMatters(%1)").arg(k);
    }
    if (question.unitsIgnored) {
        lines << QStringLiteral("UnitsIgnored(%1)").arg(k);
    }
    if (question.unitFirst) {
        lines << QStringLiteral("UnitFirst(%1)").arg(k);
    }
    if (question.unitPenalty != 0) {
        lines << QStringLiteral("UnitPenalty(%1)\t%2%3")
                     .arg(k)
                     .arg(question.unitPenalty * 100)
                     .arg(question.unitPenaltyOfQuestion ? QStringLiteral("\tof the point")
                                                         : QString());
    }
    out += (lines.join(u'\n') + u'\n').toUtf8();
}

} // namespace

QByteArray dumpContent(const KOVRA_Danni &content, const Test *test)
{
    QByteArray out;
    for (int k = 0; k < KOVRA_Danni::kQuestionLists; ++k) {
        dumpList(out, QStringLiteral("List1(%1)").arg(k), content.List1(k));
    }
    for (int c = KOVRA_Danni::kMinChoices; c <= KOVRA_Danni::kMaxChoices; ++c) {
        dumpList(out, QStringLiteral("Poredica(%1)").arg(c), content.Poredica(c));
    }
    for (int k = 0; k < KOVRA_Danni::kFigureSlots; ++k) {
        dumpList(out, QStringLiteral("Obqsnenie(%1)").arg(k), content.Obqsnenie(k));
    }
    dumpList(out, QStringLiteral("List2"), content.List2());
    dumpList(out, QStringLiteral("Text1(0)"), content.Text1(0));
    for (int k = 0; k < KOVRA_Danni::kFigureSlots; ++k) {
        const QImage &figure = content.Picture1(k);
        out += figure.isNull() ? QStringLiteral("Picture1(%1)\tnone\n").arg(k).toUtf8()
                               : QStringLiteral("Picture1(%1)\t%2x%3\n")
                                     .arg(k)
                                     .arg(figure.width())
                                     .arg(figure.height())
                                     .toUtf8();
    }
    if (test && test->draw > 0) {
        out += QStringLiteral("Draw\t%1\n").arg(test->draw).toUtf8();
        const auto rows = [](const QStringList &lines) {
            TextList list;
            for (const QString &line : lines) {
                list.addItem(cp1251Row(line));
            }
            return list;
        };
        for (std::size_t i = 0; i < test->questions.size(); ++i) {
            const Question &question = test->questions[i];
            const int k = static_cast<int>(i) + 1;
            dumpList(out, QStringLiteral("Bank(%1)").arg(k),
                     rows(QStringList{question.text} + question.choices));
            dumpList(out, QStringLiteral("BankKey(%1)").arg(k),
                     rows({question.choices.value(question.right)}));
            dumpList(out, QStringLiteral("BankExplanation(%1)").arg(k), rows(question.explanation));
            const QSize size =
                question.figure.isEmpty()
                    ? QSize()
                    : decodeFigure(question.figure.bytes, question.figure.format).size();
            out += (size.isEmpty() ? QStringLiteral("BankFigure(%1)\tnone\n").arg(k)
                                   : QStringLiteral("BankFigure(%1)\t%2x%3\n")
                                         .arg(k)
                                         .arg(size.width())
                                         .arg(size.height()))
                       .toUtf8();
        }
    }
    for (std::size_t i = 0; test && i < test->questions.size(); ++i) {
        if (!test->questions[i].isSingle()) {
            dumpKind(out, test->questions[i], int(i) + 1);
        }
    }
    return out;
}

} // namespace kovra
