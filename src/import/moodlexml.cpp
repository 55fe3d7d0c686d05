// SPDX-License-Identifier: GPL-3.0-or-later
// Moodle XML, read with QXmlStreamReader: the elements of each question, which moodlexml_take.cpp
// makes a question of its kind of; a type no test holds is left out with a warning that names it.
// No DTD is read (so no entity is declared or expanded; an entity of HTML written in a text where
// XML has none, &uarr;, is read as its one character), elements nest at most a few levels deep,
// and no text is longer than a question may be, or than a figure may be for an embedded picture.
#include "moodlexml.h"

#include "testfile/testfile.h"
#include "text.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>
#include <algorithm>

namespace kovra::importer {

namespace {

// <quiz><question><questiontext><file> is four deep; Moodle's exports go to six.
constexpr int kMaxDepth = 12;
// The base64 text of the largest figure file a bank may embed.
constexpr qsizetype kMaxEncodedChars = kMaxEntryBytes / 3 * 4 + 4;

// The named entities of HTML, which exports of HTML written by hand hold undeclared; each one
// character, so that nothing expands.
class HtmlEntities : public QXmlStreamEntityResolver
{
public:
    QString resolveUndeclaredEntity(const QString &name) override
    {
        const std::optional<char16_t> code = namedEntity(name);
        return code ? QString(QChar(*code)) : QString();
    }
};

class XmlReader
{
public:
    XmlReader(QIODevice *device, Bank &bank) : m_xml(device), m_bank(bank)
    {
        m_xml.setEntityResolver(&m_entities);
    }
    void read();
    [[nodiscard]] int lastLine() const;

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
    // `markup`: an HTML text, whose elements written as XML inside it (<br/>, not &lt;br&gt;)
    // are kept as its tags, not dropped with the text run together.
    bool elementText(QString &out, qsizetype most = kMaxQuestionChars, bool markup = false);
    // Its format by its "format" attribute; without one, HTML unless `htmlByDefault` is false.
    bool readText(XmlText &text, bool htmlByDefault = true);
    bool readQuestion(XmlQuestion &question);
    bool readQuestionText(XmlQuestion &question);
    bool readAnswer(XmlQuestion &question);
    bool readSubquestion(XmlQuestion &question);
    bool readUnits(XmlQuestion &question);
    void take(XmlQuestion &question);
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

    HtmlEntities m_entities; // before the reader that uses it, and outlives it
    QXmlStreamReader m_xml;
    Bank &m_bank;
    int m_rootEnd = 0; // the line of </quiz>
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
            if (--m_depth == 0) {
                m_rootEnd = int(m_xml.lineNumber());
            }
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

bool XmlReader::elementText(QString &out, qsizetype most, bool markup)
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
            if (markup) {
                out += u'<';
                out += m_xml.name();
                for (const QXmlStreamAttribute &attribute : m_xml.attributes()) {
                    out += QStringLiteral(" ") + attribute.name().toString() +
                           QStringLiteral("=\"") + attribute.value().toString().toHtmlEscaped() +
                           u'"';
                }
                out += u'>';
                if (out.size() > most) {
                    fail(QStringLiteral("<text> > %1").arg(most));
                    return false;
                }
            }
            break;
        case QXmlStreamReader::EndElement:
            if (--m_depth < depth) {
                return true;
            }
            if (markup) {
                out += QStringLiteral("</") + m_xml.name().toString() + u'>';
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
bool XmlReader::readText(XmlText &text, bool htmlByDefault)
{
    text.html = htmlFormat() &&
                (htmlByDefault || m_xml.attributes().hasAttribute(QLatin1StringView("format")));
    const int depth = m_depth;
    Step step = Step::Stopped;
    while ((step = nextChild(depth)) == Step::Child) {
        if (m_xml.name() == u"text") {
            if (!elementText(text.text, kMaxQuestionChars, text.html)) {
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
        const bool text = m_xml.name() == u"text";
        if (!elementText(content, base64 ? kMaxEntryBytes / 3 * 4 + 4 : kMaxQuestionChars,
                         text && question.text.html)) {
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
        const QStringView name = m_xml.name();
        const bool read = name == u"text"
                              ? elementText(answer.text.text, kMaxQuestionChars, answer.text.html)
                          : name == u"feedback"  ? readText(answer.feedback)
                          : name == u"tolerance" ? elementText(answer.tolerance)
                                                 : elementText(ignored, kMaxEncodedChars);
        if (!read) {
            return false;
        }
    }
    if (m_failed) {
        return false;
    }
    if (question.answers.size() < kMostXmlListed) {
        question.answers.push_back(std::move(answer));
    }
    return true;
}

// <subquestion format=".."><text>item</text><answer><text>match</text></answer></subquestion>;
// the answer is plain text unless its format says otherwise.
bool XmlReader::readSubquestion(XmlQuestion &question)
{
    XmlSubquestion sub;
    sub.text.html = htmlFormat();
    const int inner = m_depth;
    while (nextChild(inner) == Step::Child) {
        QString ignored;
        const bool read = m_xml.name() == u"text"
                              ? elementText(sub.text.text, kMaxQuestionChars, sub.text.html)
                          : m_xml.name() == u"answer" ? readText(sub.answer, false)
                                                      : elementText(ignored, kMaxEncodedChars);
        if (!read) {
            return false;
        }
    }
    if (m_failed) {
        return false;
    }
    if (question.subquestions.size() < kMostXmlListed) {
        question.subquestions.push_back(std::move(sub));
    }
    return true;
}

// <units><unit><unit_name>m</unit_name><multiplier>1</multiplier></unit>...</units>
bool XmlReader::readUnits(XmlQuestion &question)
{
    const int units = m_depth;
    while (nextChild(units) == Step::Child) {
        QString ignored;
        if (m_xml.name() != u"unit") {
            if (!elementText(ignored)) {
                return false;
            }
            continue;
        }
        XmlUnit unit;
        const int inner = m_depth;
        while (nextChild(inner) == Step::Child) {
            const QStringView name = m_xml.name();
            if (!elementText(name == u"unit_name"    ? unit.name
                             : name == u"multiplier" ? unit.multiplier
                                                     : ignored)) {
                return false;
            }
        }
        if (m_failed) {
            return false;
        }
        if (question.units.size() < kMostXmlListed) {
            question.units.push_back(std::move(unit));
        }
    }
    return !m_failed;
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
        } else if (name == u"answer") {
            read = readAnswer(question);
        } else if (name == u"subquestion") {
            read = readSubquestion(question);
        } else if (name == u"units") {
            read = readUnits(question);
        } else if (name == u"single" || name == u"usecase" || name == u"showunits" ||
                   name == u"unitrole" || name == u"unitsleft" || name == u"unitgradingtype" ||
                   name == u"unitpenalty") {
            const QString key = name.toString();
            read = elementText(question.settings[key]);
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

void XmlReader::take(XmlQuestion &question)
{
    const int line = question.line;
    if (question.type == u"category") {
        return;
    }
    if (!xmlTypeRead(question.type)) {
        m_bank.skipped(line, SkipReason::OtherType, question.name, question.type);
        return;
    }
    qsizetype tags = question.text.text.count(u'<') + question.generalFeedback.text.count(u'<');
    for (const XmlAnswer &answer : question.answers) {
        tags += answer.text.text.count(u'<') + answer.feedback.text.count(u'<');
    }
    for (const XmlSubquestion &sub : question.subquestions) {
        tags += sub.text.text.count(u'<') + sub.answer.text.count(u'<');
    }
    if (!m_bank.htmlWithinLimits(tags, line)) {
        return;
    }
    Question out;
    out.source = {line, line};
    out.text = plain(question.text);
    out.explanation = plainLines(question.generalFeedback);
    out.figure.bytes = firstPicture(question);
    if (!takeXmlQuestion(question, out, m_bank)) {
        return;
    }
    if (out.text.isEmpty() && question.name.isEmpty()) {
        m_bank.skipped(line, SkipReason::NoText);
        return;
    }
    if (out.text.isEmpty()) { // its name, as a bank's title
        out.text = question.name;
        m_bank.error({.kind = ProblemKind::BankTitleAsText,
                      .severity = Severity::Warning,
                      .line = line,
                      .text = question.name});
    }
    m_bank.add(std::move(out));
}

int XmlReader::lastLine() const
{
    return m_rootEnd > 0 ? m_rootEnd : std::max(1, int(m_xml.lineNumber()));
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

int readMoodleXml(QIODevice *device, Bank &bank)
{
    XmlReader reader(device, bank);
    reader.read();
    return reader.lastLine();
}

} // namespace kovra::importer
