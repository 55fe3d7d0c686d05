// SPDX-License-Identifier: GPL-3.0-or-later
// Moodle XML, read with QXmlStreamReader: single-answer multiple-choice and true/false questions;
// every other type is left out with a warning that names it. No DTD is read (so no entity is
// declared or expanded), elements nest at most a few levels deep, and no text is longer than a
// question may be, or than a figure may be for an embedded picture.
#include "bank.h"
#include "testfile/testfile.h"
#include "text.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>

namespace kovra::importer {

namespace {

// <quiz><question><questiontext><file> is four deep; Moodle's exports go to six.
constexpr int kMaxDepth = 12;
// The base64 text of the largest figure file a bank may embed.
constexpr qsizetype kMaxEncodedChars = kMaxEntryBytes / 3 * 4 + 4;

// A text element of a question: its format and its text.
struct XmlText
{
    QString text;
    bool html = true;
};

struct XmlAnswer
{
    double fraction = 0;
    XmlText text;
    XmlText feedback;
};

struct XmlQuestion
{
    QString type;
    QString name;
    int line = 0;
    XmlText text;
    XmlText generalFeedback;
    std::vector<XmlAnswer> answers;
    bool single = true;
    std::vector<std::pair<QString, QByteArray>> files; // embedded in the question text
};

class XmlReader
{
public:
    XmlReader(QIODevice *device, Bank &bank) : m_xml(device), m_bank(bank) {}
    void read();

private:
    // Moves to the next start or end element, refusing what is not allowed; false at the end or
    // on an error.
    bool nextElement();
    // The next child started within the element entered at `depth`; End at that element's end,
    // Stopped on an error or at the end of the input.
    enum class Step
    {
        Child,
        End,
        Stopped
    };
    Step nextChild(int depth);
    // Whether the element just started holds HTML, by its "format" attribute.
    [[nodiscard]] bool htmlFormat() const
    {
        const QStringView format = m_xml.attributes().value(QLatin1StringView("format"));
        return format != u"plain_text" && format != u"markdown";
    }
    // The text of the element just started, up to its end; false on an error or when too long.
    bool elementText(QString &out, qsizetype most = kMaxQuestionChars);
    bool readText(XmlText &text);
    bool readQuestion(XmlQuestion &question);
    bool readQuestionText(XmlQuestion &question);
    bool readAnswer(XmlQuestion &question);
    void take(XmlQuestion &question);
    bool takeTrueFalse(const XmlQuestion &question, Question &out);
    bool takeMultichoice(const XmlQuestion &question, Question &out);
    void fail(const QString &words)
    {
        if (!m_failed) {
            m_bank.error({.kind = ProblemKind::BankXml,
                          .line = int(std::max<qint64>(1, m_xml.lineNumber())),
                          .column = int(m_xml.columnNumber()),
                          .text = words});
        }
        m_failed = true;
    }

    QXmlStreamReader m_xml;
    Bank &m_bank;
    int m_depth = 0;
    bool m_failed = false;
};

bool XmlReader::nextElement()
{
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::DTD:
            fail(QStringLiteral("DTD"));
            return false;
        case QXmlStreamReader::EntityReference:
            fail(QStringLiteral("&%1;").arg(m_xml.name()));
            return false;
        case QXmlStreamReader::StartElement:
            if (++m_depth > kMaxDepth) {
                fail(QStringLiteral("depth > %1").arg(kMaxDepth));
                return false;
            }
            return true;
        case QXmlStreamReader::EndElement:
            --m_depth;
            return true;
        default:
            break;
        }
    }
    if (m_xml.hasError()) {
        fail(m_xml.errorString());
    }
    return false;
}

XmlReader::Step XmlReader::nextChild(int depth)
{
    while (nextElement()) {
        if (m_xml.isEndElement() && m_depth < depth) {
            return Step::End;
        }
        if (m_xml.isStartElement()) {
            return Step::Child;
        }
    }
    return Step::Stopped;
}

bool XmlReader::elementText(QString &out, qsizetype most)
{
    out.clear();
    const int depth = m_depth;
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::Characters:
            if (out.size() + m_xml.text().size() > most) {
                fail(QStringLiteral("<%1> > %2").arg(m_xml.name()).arg(most));
                return false;
            }
            out += m_xml.text();
            break;
        case QXmlStreamReader::StartElement:
            if (++m_depth > kMaxDepth) {
                fail(QStringLiteral("depth > %1").arg(kMaxDepth));
                return false;
            }
            break;
        case QXmlStreamReader::EndElement:
            if (--m_depth < depth) {
                return true;
            }
            break;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            fail(QStringLiteral("DTD"));
            return false;
        default:
            break;
        }
    }
    fail(m_xml.hasError() ? m_xml.errorString() : QStringLiteral("end"));
    return false;
}

// An element such as <questiontext format="html"><text>..</text><file ..>..</file></...>.
bool XmlReader::readText(XmlText &text)
{
    text.html = htmlFormat();
    const int depth = m_depth;
    Step step = Step::Stopped;
    while ((step = nextChild(depth)) == Step::Child) {
        if (m_xml.name() == u"text") {
            if (!elementText(text.text)) {
                return false;
            }
        } else {
            QString ignored;
            if (!elementText(ignored, kMaxEncodedChars)) {
                return false;
            }
        }
    }
    return step == Step::End;
}

// Its pictures come as <file name=".." encoding="base64"> beside the text.
bool XmlReader::readQuestionText(XmlQuestion &question)
{
    question.text.html = htmlFormat();
    const int inner = m_depth;
    while (nextChild(inner) == Step::Child) {
        const bool base64 = m_xml.name() == u"file" &&
                            m_xml.attributes().value(QLatin1StringView("encoding")) == u"base64";
        const QString fileName = m_xml.attributes().value(QLatin1StringView("name")).toString();
        QString content;
        if (!elementText(content, base64 ? kMaxEntryBytes / 3 * 4 + 4 : kMaxQuestionChars)) {
            return false;
        }
        if (m_xml.name() == u"text") {
            question.text.text = content;
        } else if (base64) {
            question.files.emplace_back(fileName, QByteArray::fromBase64(content.toLatin1()));
        }
    }
    return !m_failed;
}

bool XmlReader::readAnswer(XmlQuestion &question)
{
    XmlAnswer answer;
    answer.fraction = m_xml.attributes().value(QLatin1StringView("fraction")).toDouble();
    answer.text.html = htmlFormat();
    const int inner = m_depth;
    while (nextChild(inner) == Step::Child) {
        QString ignored;
        const bool read = m_xml.name() == u"text"       ? elementText(answer.text.text)
                          : m_xml.name() == u"feedback" ? readText(answer.feedback)
                                                        : elementText(ignored, kMaxEncodedChars);
        if (!read) {
            return false;
        }
    }
    if (m_failed) {
        return false;
    }
    if (question.answers.size() < 64) {
        question.answers.push_back(std::move(answer));
    }
    return true;
}

bool XmlReader::readQuestion(XmlQuestion &question)
{
    const int depth = m_depth;
    Step step = Step::Stopped;
    while ((step = nextChild(depth)) == Step::Child) {
        const QStringView name = m_xml.name();
        bool read = true;
        if (name == u"name") {
            XmlText text;
            read = readText(text);
            question.name = text.text.simplified();
        } else if (name == u"questiontext") {
            read = readQuestionText(question);
        } else if (name == u"generalfeedback") {
            read = readText(question.generalFeedback);
        } else if (name == u"single") {
            QString single;
            read = elementText(single);
            question.single = single.trimmed() != u"false" && single.trimmed() != u"0";
        } else if (name == u"answer") {
            read = readAnswer(question);
        } else {
            QString ignored;
            read = elementText(ignored, kMaxEncodedChars);
        }
        if (!read) {
            return false;
        }
    }
    return step == Step::End;
}

QString plain(const XmlText &text)
{
    return (text.html ? fromHtml(text.text) : text.text).simplified();
}

// A feedback's lines: each paragraph or line break of it starts an explanation line.
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

// The picture the question text shows first: the file its first <img> names, else its first
// file.
QByteArray firstPicture(const XmlQuestion &question)
{
    static const QRegularExpression image(
        QStringLiteral("<img[^>]*src\\s*=\\s*[\"']@@PLUGINFILE@@/([^\"'?]*)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = image.match(question.text.text);
    if (match.hasMatch()) {
        const QString name = QUrl::fromPercentEncoding(match.captured(1).toUtf8());
        for (const auto &[fileName, bytes] : question.files) {
            if (fileName == name || fileName == QFileInfo(name).fileName()) {
                return bytes;
            }
        }
    }
    return question.files.empty() ? QByteArray() : question.files.front().second;
}

namespace {

bool rightAnswer(const XmlAnswer &answer)
{
    return answer.fraction >= 99.99;
}

} // namespace

bool XmlReader::takeTrueFalse(const XmlQuestion &question, Question &out)
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
        m_bank.skipped(question.line, SkipReason::NoRight, question.name);
        return false;
    }
    return true;
}

bool XmlReader::takeMultichoice(const XmlQuestion &question, Question &out)
{
    if (!question.single) {
        m_bank.skipped(question.line, SkipReason::Multiple, question.name);
        return false;
    }
    int rights = 0;
    bool weighted = false;
    QStringList wrongFeedback;
    QStringList written; // the choices as written
    for (const XmlAnswer &answer : question.answers) {
        const QString text = plain(answer.text);
        if (text.isEmpty()) {
            continue; // as Moodle leaves an answer without text out
        }
        weighted = weighted || (std::abs(answer.fraction) > 0.01 && !rightAnswer(answer));
        out.choices << text;
        written << answer.text.text.simplified();
        const QString feedback = plain(answer.feedback);
        if (rightAnswer(answer)) {
            ++rights;
            out.right = static_cast<int>(out.choices.size() - 1);
            if (!feedback.isEmpty()) {
                out.explanation << feedback;
            }
        } else if (!feedback.isEmpty()) {
            wrongFeedback << text + QStringLiteral(": ") + feedback;
        }
    }
    out.explanation << wrongFeedback;
    const std::optional<SkipReason> reason = weighted      ? SkipReason::Weights
                                             : rights == 0 ? SkipReason::NoRight
                                             : rights > 1  ? SkipReason::SeveralRight
                                             : out.choices.size() > KOVRA_Danni::kMaxChoices
                                                 ? SkipReason::TooManyAnswers
                                                 : std::optional<SkipReason>();
    if (reason) {
        m_bank.skipped(question.line, *reason, question.name);
        return false;
    }
    if (const std::optional<QString> same = sameOnceFlat(out.choices, written)) {
        m_bank.skipped(question.line, SkipReason::SameChoices, question.name, *same);
        return false;
    }
    return true;
}

void XmlReader::take(XmlQuestion &question)
{
    const int line = question.line;
    if (question.type == u"category") {
        return;
    }
    if (question.type != u"multichoice" && question.type != u"truefalse") {
        m_bank.skipped(line, SkipReason::OtherType, question.name, question.type);
        return;
    }
    qsizetype tags = question.text.text.count(u'<') + question.generalFeedback.text.count(u'<');
    for (const XmlAnswer &answer : question.answers) {
        tags += answer.text.text.count(u'<') + answer.feedback.text.count(u'<');
    }
    if (!m_bank.htmlWithinLimits(tags, line)) {
        return;
    }
    Question out;
    out.source = {line, line};
    out.text = plain(question.text);
    out.explanation = plainLines(question.generalFeedback);
    out.figure.bytes = firstPicture(question);
    const bool taken = question.type == u"truefalse" ? takeTrueFalse(question, out)
                                                     : takeMultichoice(question, out);
    if (!taken) {
        return;
    }
    if (out.text.isEmpty()) {
        m_bank.error(ProblemKind::BankEmptyQuestion, line);
        return;
    }
    m_bank.add(std::move(out));
}

void XmlReader::read()
{
    bool quiz = false;
    while (!m_bank.full() && nextElement()) {
        if (!m_xml.isStartElement()) {
            continue;
        }
        if (m_depth == 1) {
            if (m_xml.name() != u"quiz") {
                fail(QStringLiteral("<%1>").arg(m_xml.name()));
                return;
            }
            quiz = true;
            continue;
        }
        if (m_depth == 2 && m_xml.name() == u"question") {
            XmlQuestion question;
            question.type = m_xml.attributes().value(QLatin1StringView("type")).toString();
            question.line = int(m_xml.lineNumber());
            if (!readQuestion(question)) {
                return;
            }
            take(question);
            continue;
        }
        QString ignored;
        if (!elementText(ignored)) {
            return;
        }
    }
    if (!quiz && !m_failed) {
        fail(QStringLiteral("<quiz>"));
    }
}

} // namespace

void readMoodleXml(QIODevice *device, Bank &bank)
{
    XmlReader(device, bank).read();
}

QByteArray writeMoodleXml(const std::vector<Question> &questions,
                          const std::vector<QByteArray> &figurePngs)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));
    const auto htmlText = [&xml](const QString &element, const QString &html) {
        xml.writeStartElement(element);
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        xml.writeTextElement(QStringLiteral("text"), html);
        xml.writeEndElement();
    };
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const Question &question = questions[i];
        const QByteArray &png = figurePngs.at(i);
        xml.writeStartElement(QStringLiteral("question"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("multichoice"));
        xml.writeStartElement(QStringLiteral("name"));
        xml.writeTextElement(QStringLiteral("text"), QStringLiteral("Q%1").arg(i + 1));
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("questiontext"));
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        const QString figure = QStringLiteral("q%1.png").arg(i + 1);
        QString text =
            QStringLiteral("<p>") + question.text.toHtmlEscaped() + QStringLiteral("</p>");
        if (!png.isEmpty()) {
            text += QStringLiteral("<p><img src=\"@@PLUGINFILE@@/%1\" alt=\"\"></p>").arg(figure);
        }
        xml.writeTextElement(QStringLiteral("text"), text);
        if (!png.isEmpty()) {
            xml.writeStartElement(QStringLiteral("file"));
            xml.writeAttribute(QStringLiteral("name"), figure);
            xml.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
            xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
            xml.writeCharacters(QString::fromLatin1(png.toBase64()));
            xml.writeEndElement();
        }
        xml.writeEndElement();
        QString feedback;
        for (const QString &line : question.explanation) {
            feedback += QStringLiteral("<p>") + line.toHtmlEscaped() + QStringLiteral("</p>");
        }
        htmlText(QStringLiteral("generalfeedback"), feedback);
        xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
        xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("single"), QStringLiteral("true"));
        xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("true"));
        xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
        for (qsizetype c = 0; c < question.choices.size(); ++c) {
            xml.writeStartElement(QStringLiteral("answer"));
            xml.writeAttribute(QStringLiteral("fraction"),
                               c == question.right ? QStringLiteral("100") : QStringLiteral("0"));
            xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
            xml.writeTextElement(QStringLiteral("text"), question.choices.at(c).toHtmlEscaped());
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace kovra::importer
