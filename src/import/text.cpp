// SPDX-License-Identifier: GPL-3.0-or-later
#include "text.h"

#include "content/cp1251.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace kovra::importer {

namespace {

QString decodeEntities(const QString &text)
{
    static const QHash<QString, QChar> named = {
        {QStringLiteral("amp"), QLatin1Char('&')},   {QStringLiteral("lt"), QLatin1Char('<')},
        {QStringLiteral("gt"), QLatin1Char('>')},    {QStringLiteral("quot"), QLatin1Char('"')},
        {QStringLiteral("apos"), QLatin1Char('\'')}, {QStringLiteral("nbsp"), QLatin1Char(' ')},
        {QStringLiteral("deg"), QChar(0x00B0)},      {QStringLiteral("laquo"), QChar(0x00AB)},
        {QStringLiteral("raquo"), QChar(0x00BB)},    {QStringLiteral("ndash"), QChar(0x2013)},
        {QStringLiteral("mdash"), QChar(0x2014)},    {QStringLiteral("hellip"), QChar(0x2026)},
        {QStringLiteral("bdquo"), QChar(0x201E)},    {QStringLiteral("ldquo"), QChar(0x201C)},
        {QStringLiteral("rdquo"), QChar(0x201D)},    {QStringLiteral("plusmn"), QChar(0x00B1)},
        {QStringLiteral("middot"), QChar(0x00B7)},   {QStringLiteral("sect"), QChar(0x00A7)},
        {QStringLiteral("copy"), QChar(0x00A9)},     {QStringLiteral("times"), QChar(0x00D7)},
        {QStringLiteral("ne"), QChar(0x2260)},       {QStringLiteral("le"), QChar(0x2264)},
        {QStringLiteral("ge"), QChar(0x2265)},
    };
    static const QRegularExpression entity(
        QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9A-Fa-f]{1,6}|[A-Za-z]{2,8});"));
    QString out;
    qsizetype from = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(text).mid(from, match.capturedStart() - from);
        from = match.capturedEnd();
        const QString name = match.captured(1);
        char32_t code = 0;
        if (name.startsWith(QLatin1String("#x")) || name.startsWith(QLatin1String("#X"))) {
            code = name.mid(2).toUInt(nullptr, 16);
        } else if (name.startsWith(QLatin1Char('#'))) {
            code = name.mid(1).toUInt();
        } else if (const auto found = named.constFind(name); found != named.constEnd()) {
            code = found->unicode();
        }
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
            out += match.captured(0);
        } else {
            out += QString::fromUcs4(&code, 1);
        }
    }
    out += QStringView(text).mid(from);
    return out;
}

} // namespace

QString decodeBank(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(bytes.sliced(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromCp1251(bytes) : text;
}

QStringList sourceLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    return lines;
}

int lastLine(const QStringList &lines)
{
    return int(lines.size()) - (lines.size() > 1 && lines.back().isEmpty() ? 1 : 0);
}

// Tags out, entities decoded; a line break, paragraph or list item is a blank. A tag ends at the
// next '<' as well, so that text full of unclosed tags is read in one pass.
QString fromHtml(const QString &html)
{
    static const QRegularExpression breaks(
        QStringLiteral("<\\s*(br|/?p|/?div|/?li|/?tr|/?td|/?h[1-6])\\b[^<>]*>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[A-Za-z/!][^<>]*>"));
    QString text = html;
    text.replace(breaks, QStringLiteral(" "));
    text.remove(tags);
    return decodeEntities(text);
}

} // namespace kovra::importer
