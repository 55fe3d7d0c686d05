// SPDX-License-Identifier: GPL-3.0-or-later
// Moodle XML written from a test: each kind of question as a type of Moodle XML, so that it reads
// back the same; a figure embedded in the question text as a PNG.
#include "bank.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <optional>

namespace kovra::importer {

namespace {

// A fraction in percent, to the seven digits Moodle's own fractions have (33.33333).
QString fraction(double credit)
{
    return QString::number(credit * 100, 'g', 7);
}

QString moodleType(const Question &question)
{
    switch (question.kind) {
    case QuestionKind::Single:
        return QStringLiteral("multichoice");
    case QuestionKind::Several:
        return question.allOrNothing ? QStringLiteral("multichoiceset")
                                     : QStringLiteral("multichoice");
    case QuestionKind::Typed:
        return QStringLiteral("shortanswer");
    case QuestionKind::Number:
        return QStringLiteral("numerical");
    case QuestionKind::Matching:
        return QStringLiteral("matching");
    }
    return {};
}

class XmlWriter
{
public:
    explicit XmlWriter(QByteArray *out) : m_xml(out) { m_xml.setAutoFormatting(true); }
    void question(const Question &question, int number, const QByteArray &png);
    QXmlStreamWriter &xml() { return m_xml; }

private:
    // <element format="html"><text>html</text></element>
    void htmlText(const QString &element, const QString &html)
    {
        m_xml.writeStartElement(element);
        m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        m_xml.writeTextElement(QStringLiteral("text"), html);
        m_xml.writeEndElement();
    }
    void questionText(const Question &question, int number, const QByteArray &png);
    // <answer fraction=".." format=".."><text>..</text>[<tolerance>..</tolerance>]</answer>
    void answer(double credit, const QString &text, bool html,
                std::optional<double> tolerance = std::nullopt);
    void choices(const Question &question);
    void accepted(const Question &question);
    void matching(const Question &question);

    QXmlStreamWriter m_xml;
};

void XmlWriter::questionText(const Question &question, int number, const QByteArray &png)
{
    m_xml.writeStartElement(QStringLiteral("questiontext"));
    m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
    const QString figure = QStringLiteral("q%1.png").arg(number);
    QString text = QStringLiteral("<p>") + question.text.toHtmlEscaped() + QStringLiteral("</p>");
    if (!png.isEmpty()) {
        text += QStringLiteral("<p><img src=\"@@PLUGINFILE@@/%1\" alt=\"\"></p>").arg(figure);
    }
    m_xml.writeTextElement(QStringLiteral("text"), text);
    if (!png.isEmpty()) {
        m_xml.writeStartElement(QStringLiteral("file"));
        m_xml.writeAttribute(QStringLiteral("name"), figure);
        m_xml.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
        m_xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
        m_xml.writeCharacters(QString::fromLatin1(png.toBase64()));
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void XmlWriter::answer(double credit, const QString &text, bool html,
                       std::optional<double> tolerance)
{
    m_xml.writeStartElement(QStringLiteral("answer"));
    m_xml.writeAttribute(QStringLiteral("fraction"), fraction(credit));
    m_xml.writeAttribute(QStringLiteral("format"),
                         html ? QStringLiteral("html") : QStringLiteral("plain_text"));
    m_xml.writeTextElement(QStringLiteral("text"), html ? text.toHtmlEscaped() : text);
    if (tolerance) {
        m_xml.writeTextElement(QStringLiteral("tolerance"), QString::number(*tolerance, 'g', 15));
    }
    m_xml.writeEndElement();
}

// Single and several: the choices, each of its credit.
void XmlWriter::choices(const Question &question)
{
    if (question.kind == QuestionKind::Single || !question.allOrNothing) {
        m_xml.writeTextElement(QStringLiteral("single"), question.isSingle()
                                                             ? QStringLiteral("true")
                                                             : QStringLiteral("false"));
    }
    m_xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("true"));
    m_xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
    for (qsizetype c = 0; c < question.choices.size(); ++c) {
        const std::size_t at = std::size_t(c);
        const double credit = question.isSingle()            ? (c == question.right ? 1 : 0)
                              : at < question.weights.size() ? question.weights[at]
                                                             : 0;
        answer(credit, question.choices.at(c), true);
    }
}

// Typed and number: the answers accepted; a number's units, or none used at all.
void XmlWriter::accepted(const Question &question)
{
    const bool number = question.kind == QuestionKind::Number;
    if (!number) {
        m_xml.writeTextElement(QStringLiteral("usecase"),
                               question.caseMatters ? QStringLiteral("1") : QStringLiteral("0"));
    }
    for (const Accepted &accepted : question.accepted) {
        answer(accepted.credit,
               number ? accepted.text.trimmed().replace(u',', u'.') : accepted.text, false,
               number ? std::optional<double>(accepted.tolerance) : std::nullopt);
    }
    if (!number) {
        return;
    }
    if (!question.units.empty()) {
        m_xml.writeStartElement(QStringLiteral("units"));
        for (const Unit &unit : question.units) {
            m_xml.writeStartElement(QStringLiteral("unit"));
            m_xml.writeTextElement(QStringLiteral("multiplier"),
                                   QString::number(unit.multiplier, 'g', 15));
            m_xml.writeTextElement(QStringLiteral("unit_name"), unit.name);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }
    // A unit typed converts the number. Not graded (0): none may be left off; graded, a unit
    // left off loses a share of the answer's credit (1) or that much of the point (2). No unit
    // used at all: shown 3.
    const bool graded = question.unitPenalty > 0 && !question.units.empty();
    m_xml.writeTextElement(QStringLiteral("unitgradingtype"), !graded ? QStringLiteral("0")
                                                              : question.unitPenaltyOfQuestion
                                                                  ? QStringLiteral("2")
                                                                  : QStringLiteral("1"));
    m_xml.writeTextElement(QStringLiteral("unitpenalty"),
                           QString::number(graded ? question.unitPenalty : 0, 'g', 15));
    m_xml.writeTextElement(QStringLiteral("showunits"),
                           question.unitsIgnored ? QStringLiteral("3") : QStringLiteral("0"));
    m_xml.writeTextElement(QStringLiteral("unitsleft"),
                           question.unitFirst ? QStringLiteral("1") : QStringLiteral("0"));
}

// Each item a subquestion with its answer; each answer offered that matches no item a
// subquestion without text.
void XmlWriter::matching(const Question &question)
{
    m_xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("true"));
    const auto subquestion = [this](const QString &item, const QString &match) {
        m_xml.writeStartElement(QStringLiteral("subquestion"));
        m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        m_xml.writeTextElement(QStringLiteral("text"), item.toHtmlEscaped());
        m_xml.writeStartElement(QStringLiteral("answer"));
        m_xml.writeTextElement(QStringLiteral("text"), match);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    };
    for (qsizetype i = 0; i < question.items.size(); ++i) {
        const std::size_t at = std::size_t(i);
        subquestion(question.items.at(i), at < question.matches.size()
                                              ? question.choices.value(question.matches[at])
                                              : QString());
    }
    for (qsizetype c = 0; c < question.choices.size(); ++c) {
        if (std::find(question.matches.begin(), question.matches.end(), int(c)) ==
            question.matches.end()) {
            subquestion({}, question.choices.at(c));
        }
    }
}

void XmlWriter::question(const Question &question, int number, const QByteArray &png)
{
    m_xml.writeStartElement(QStringLiteral("question"));
    m_xml.writeAttribute(QStringLiteral("type"), moodleType(question));
    m_xml.writeStartElement(QStringLiteral("name"));
    m_xml.writeTextElement(QStringLiteral("text"), QStringLiteral("Q%1").arg(number));
    m_xml.writeEndElement();
    questionText(question, number, png);
    QString feedback;
    for (const QString &line : question.explanation) {
        feedback += QStringLiteral("<p>") + line.toHtmlEscaped() + QStringLiteral("</p>");
    }
    htmlText(QStringLiteral("generalfeedback"), feedback);
    m_xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
    m_xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0"));
    m_xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
    switch (question.kind) {
    case QuestionKind::Single:
    case QuestionKind::Several:
        choices(question);
        break;
    case QuestionKind::Typed:
    case QuestionKind::Number:
        accepted(question);
        break;
    case QuestionKind::Matching:
        matching(question);
        break;
    }
    m_xml.writeEndElement();
}

} // namespace

QByteArray writeMoodleXml(const std::vector<Question> &questions,
                          const std::vector<QByteArray> &figurePngs)
{
    QByteArray out;
    XmlWriter writer(&out);
    writer.xml().writeStartDocument();
    writer.xml().writeStartElement(QStringLiteral("quiz"));
    for (std::size_t i = 0; i < questions.size(); ++i) {
        writer.question(questions[i], int(i) + 1, figurePngs.at(i));
    }
    writer.xml().writeEndElement();
    writer.xml().writeEndDocument();
    return out;
}

} // namespace kovra::importer
