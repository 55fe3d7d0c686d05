// SPDX-License-Identifier: GPL-3.0-or-later
// HTML made plain by a reader of its own: tags out, entities decoded, blocks and line breaks as
// line feeds. It lays nothing out, so no length in a style (2em, 120%) and no font asks for the
// font database, which a program without a window does not have; and it takes time in step with
// the text, however deep its tags nest.
#include "text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace kovra::importer {

namespace {

struct Entity
{
    char name[9];
    char16_t code;
};

// The named character references of HTML 4 and &apos;, sorted by name byte for byte.
constexpr Entity kEntities[] = {
    {"AElig", 0x00C6},   {"Aacute", 0x00C1},  {"Acirc", 0x00C2},    {"Agrave", 0x00C0},
    {"Alpha", 0x0391},   {"Aring", 0x00C5},   {"Atilde", 0x00C3},   {"Auml", 0x00C4},
    {"Beta", 0x0392},    {"Ccedil", 0x00C7},  {"Chi", 0x03A7},      {"Dagger", 0x2021},
    {"Delta", 0x0394},   {"ETH", 0x00D0},     {"Eacute", 0x00C9},   {"Ecirc", 0x00CA},
    {"Egrave", 0x00C8},  {"Epsilon", 0x0395}, {"Eta", 0x0397},      {"Euml", 0x00CB},
    {"Gamma", 0x0393},   {"Iacute", 0x00CD},  {"Icirc", 0x00CE},    {"Igrave", 0x00CC},
    {"Iota", 0x0399},    {"Iuml", 0x00CF},    {"Kappa", 0x039A},    {"Lambda", 0x039B},
    {"Mu", 0x039C},      {"Ntilde", 0x00D1},  {"Nu", 0x039D},       {"OElig", 0x0152},
    {"Oacute", 0x00D3},  {"Ocirc", 0x00D4},   {"Ograve", 0x00D2},   {"Omega", 0x03A9},
    {"Omicron", 0x039F}, {"Oslash", 0x00D8},  {"Otilde", 0x00D5},   {"Ouml", 0x00D6},
    {"Phi", 0x03A6},     {"Pi", 0x03A0},      {"Prime", 0x2033},    {"Psi", 0x03A8},
    {"Rho", 0x03A1},     {"Scaron", 0x0160},  {"Sigma", 0x03A3},    {"THORN", 0x00DE},
    {"Tau", 0x03A4},     {"Theta", 0x0398},   {"Uacute", 0x00DA},   {"Ucirc", 0x00DB},
    {"Ugrave", 0x00D9},  {"Upsilon", 0x03A5}, {"Uuml", 0x00DC},     {"Xi", 0x039E},
    {"Yacute", 0x00DD},  {"Yuml", 0x0178},    {"Zeta", 0x0396},     {"aacute", 0x00E1},
    {"acirc", 0x00E2},   {"acute", 0x00B4},   {"aelig", 0x00E6},    {"agrave", 0x00E0},
    {"alefsym", 0x2135}, {"alpha", 0x03B1},   {"amp", 0x0026},      {"and", 0x2227},
    {"ang", 0x2220},     {"apos", 0x0027},    {"aring", 0x00E5},    {"asymp", 0x2248},
    {"atilde", 0x00E3},  {"auml", 0x00E4},    {"bdquo", 0x201E},    {"beta", 0x03B2},
    {"brvbar", 0x00A6},  {"bull", 0x2022},    {"cap", 0x2229},      {"ccedil", 0x00E7},
    {"cedil", 0x00B8},   {"cent", 0x00A2},    {"chi", 0x03C7},      {"circ", 0x02C6},
    {"clubs", 0x2663},   {"cong", 0x2245},    {"copy", 0x00A9},     {"crarr", 0x21B5},
    {"cup", 0x222A},     {"curren", 0x00A4},  {"dArr", 0x21D3},     {"dagger", 0x2020},
    {"darr", 0x2193},    {"deg", 0x00B0},     {"delta", 0x03B4},    {"diams", 0x2666},
    {"divide", 0x00F7},  {"eacute", 0x00E9},  {"ecirc", 0x00EA},    {"egrave", 0x00E8},
    {"empty", 0x2205},   {"emsp", 0x2003},    {"ensp", 0x2002},     {"epsilon", 0x03B5},
    {"equiv", 0x2261},   {"eta", 0x03B7},     {"eth", 0x00F0},      {"euml", 0x00EB},
    {"euro", 0x20AC},    {"exist", 0x2203},   {"fnof", 0x0192},     {"forall", 0x2200},
    {"frac12", 0x00BD},  {"frac14", 0x00BC},  {"frac34", 0x00BE},   {"frasl", 0x2044},
    {"gamma", 0x03B3},   {"ge", 0x2265},      {"gt", 0x003E},       {"hArr", 0x21D4},
    {"harr", 0x2194},    {"hearts", 0x2665},  {"hellip", 0x2026},   {"iacute", 0x00ED},
    {"icirc", 0x00EE},   {"iexcl", 0x00A1},   {"igrave", 0x00EC},   {"image", 0x2111},
    {"infin", 0x221E},   {"int", 0x222B},     {"iota", 0x03B9},     {"iquest", 0x00BF},
    {"isin", 0x2208},    {"iuml", 0x00EF},    {"kappa", 0x03BA},    {"lArr", 0x21D0},
    {"lambda", 0x03BB},  {"lang", 0x2329},    {"laquo", 0x00AB},    {"larr", 0x2190},
    {"lceil", 0x2308},   {"ldquo", 0x201C},   {"le", 0x2264},       {"lfloor", 0x230A},
    {"lowast", 0x2217},  {"loz", 0x25CA},     {"lrm", 0x200E},      {"lsaquo", 0x2039},
    {"lsquo", 0x2018},   {"lt", 0x003C},      {"macr", 0x00AF},     {"mdash", 0x2014},
    {"micro", 0x00B5},   {"middot", 0x00B7},  {"minus", 0x2212},    {"mu", 0x03BC},
    {"nabla", 0x2207},   {"nbsp", 0x00A0},    {"ndash", 0x2013},    {"ne", 0x2260},
    {"ni", 0x220B},      {"not", 0x00AC},     {"notin", 0x2209},    {"nsub", 0x2284},
    {"ntilde", 0x00F1},  {"nu", 0x03BD},      {"oacute", 0x00F3},   {"ocirc", 0x00F4},
    {"oelig", 0x0153},   {"ograve", 0x00F2},  {"oline", 0x203E},    {"omega", 0x03C9},
    {"omicron", 0x03BF}, {"oplus", 0x2295},   {"or", 0x2228},       {"ordf", 0x00AA},
    {"ordm", 0x00BA},    {"oslash", 0x00F8},  {"otilde", 0x00F5},   {"otimes", 0x2297},
    {"ouml", 0x00F6},    {"para", 0x00B6},    {"part", 0x2202},     {"permil", 0x2030},
    {"perp", 0x22A5},    {"phi", 0x03C6},     {"pi", 0x03C0},       {"piv", 0x03D6},
    {"plusmn", 0x00B1},  {"pound", 0x00A3},   {"prime", 0x2032},    {"prod", 0x220F},
    {"prop", 0x221D},    {"psi", 0x03C8},     {"quot", 0x0022},     {"rArr", 0x21D2},
    {"radic", 0x221A},   {"rang", 0x232A},    {"raquo", 0x00BB},    {"rarr", 0x2192},
    {"rceil", 0x2309},   {"rdquo", 0x201D},   {"real", 0x211C},     {"reg", 0x00AE},
    {"rfloor", 0x230B},  {"rho", 0x03C1},     {"rlm", 0x200F},      {"rsaquo", 0x203A},
    {"rsquo", 0x2019},   {"sbquo", 0x201A},   {"scaron", 0x0161},   {"sdot", 0x22C5},
    {"sect", 0x00A7},    {"shy", 0x00AD},     {"sigma", 0x03C3},    {"sigmaf", 0x03C2},
    {"sim", 0x223C},     {"spades", 0x2660},  {"sub", 0x2282},      {"sube", 0x2286},
    {"sum", 0x2211},     {"sup", 0x2283},     {"sup1", 0x00B9},     {"sup2", 0x00B2},
    {"sup3", 0x00B3},    {"supe", 0x2287},    {"szlig", 0x00DF},    {"tau", 0x03C4},
    {"there4", 0x2234},  {"theta", 0x03B8},   {"thetasym", 0x03D1}, {"thinsp", 0x2009},
    {"thorn", 0x00FE},   {"tilde", 0x02DC},   {"times", 0x00D7},    {"trade", 0x2122},
    {"uArr", 0x21D1},    {"uacute", 0x00FA},  {"uarr", 0x2191},     {"ucirc", 0x00FB},
    {"ugrave", 0x00F9},  {"uml", 0x00A8},     {"upsih", 0x03D2},    {"upsilon", 0x03C5},
    {"uuml", 0x00FC},    {"weierp", 0x2118},  {"xi", 0x03BE},       {"yacute", 0x00FD},
    {"yen", 0x00A5},     {"yuml", 0x00FF},    {"zeta", 0x03B6},     {"zwj", 0x200D},
    {"zwnj", 0x200C},
};

// Numeric references in 0x80..0x9F name the characters of Windows-1252 there, as browsers read
// them; the five codes that it leaves unused stay as they are.
constexpr std::array<char16_t, 32> kWindows1252{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The most characters between '&' and ';' of a reference that is read: the longest name has 8,
// "#x10FFFF" has 8; longer runs are text.
constexpr qsizetype kMaxReferenceChars = 12;

enum class Element
{
    Inline, // its text runs on: <b>, <span>, <a>, <tt>, <pre>, and any tag not named below
    Block,  // starts and ends a line: paragraphs, headings, list items, table cells, ...
    Break,  // <br>
    Hidden, // its content is not text: <head>, <script>, <style>, <title>, <template>
};

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isHtmlSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

Element elementKind(QStringView name)
{
    static constexpr const char *blocks[] = {
        "address", "article", "aside",  "blockquote", "caption", "center",   "dd",
        "details", "dialog",  "div",    "dl",         "dt",      "fieldset", "figcaption",
        "figure",  "footer",  "form",   "h1",         "h2",      "h3",       "h4",
        "h5",      "h6",      "header", "hr",         "legend",  "li",       "main",
        "menu",    "nav",     "ol",     "p",          "section", "summary",  "table",
        "tbody",   "td",      "tfoot",  "th",         "thead",   "tr",       "ul"};
    static constexpr const char *hidden[] = {"head", "script", "style", "template", "title"};
    const auto named = [name](const char *candidate) {
        return name.compare(QLatin1StringView(candidate), Qt::CaseInsensitive) == 0;
    };
    if (named("br")) {
        return Element::Break;
    }
    if (std::any_of(std::begin(hidden), std::end(hidden), named)) {
        return Element::Hidden;
    }
    return std::any_of(std::begin(blocks), std::end(blocks), named) ? Element::Block
                                                                    : Element::Inline;
}

// The code point of a numeric reference's digits ("#38", "#x26"), or nullopt when they are not
// all digits. One that names no character (0, a surrogate, past U+10FFFF) is U+FFFD.
std::optional<char32_t> numericReference(QStringView digits)
{
    const bool hex = digits.startsWith(u'x') || digits.startsWith(u'X');
    digits = digits.sliced(hex ? 1 : 0);
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    char32_t code = 0;
    for (const QChar c : digits) {
        const int digit = c >= u'0' && c <= u'9'          ? c.unicode() - u'0'
                          : hex && c >= u'a' && c <= u'f' ? c.unicode() - u'a' + 10
                          : hex && c >= u'A' && c <= u'F' ? c.unicode() - u'A' + 10
                                                          : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        code = std::min<char32_t>(code * (hex ? 16 : 10) + char32_t(digit), 0x110000);
    }
    if (code >= 0x80 && code < 0xA0) {
        return kWindows1252[code - 0x80];
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code == 0 || surrogate || code > 0x10FFFF ? U'\uFFFD' : code;
}

// The character of the reference that starts at `at` ('&'), and the place after its ';'.
std::optional<std::pair<char32_t, qsizetype>> referenceAt(QStringView html, qsizetype at)
{
    const qsizetype semicolon = html.sliced(at + 1)
                                    .first(std::min(html.size() - at - 1, kMaxReferenceChars + 1))
                                    .indexOf(u';');
    if (semicolon <= 0) {
        return std::nullopt;
    }
    const QStringView name = html.sliced(at + 1, semicolon);
    const qsizetype end = at + 1 + semicolon + 1;
    if (name.startsWith(u'#')) {
        const std::optional<char32_t> code = numericReference(name.sliced(1));
        return code ? std::optional(std::pair{*code, end}) : std::nullopt;
    }
    const std::optional<char16_t> code = namedEntity(name);
    return code ? std::optional(std::pair{char32_t(*code), end}) : std::nullopt;
}

// The place after the end of the markup that starts at `at` ('<' before a letter, '/', '!' or
// '?'): a comment runs to "-->", a tag to the '>' outside its quoted values; the end of the text
// when it never ends.
qsizetype markupEnd(QStringView html, qsizetype at)
{
    if (html.sliced(at).startsWith(u"<!--")) {
        const qsizetype close = html.indexOf(u"-->", at + 4);
        return close < 0 ? html.size() : close + 3;
    }
    QChar quote;
    bool value = false; // after an attribute's '=', where a quote starts its value
    for (qsizetype i = at + 1; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (!quote.isNull()) {
            quote = c == quote ? QChar() : quote;
        } else if (c == u'>') {
            return i + 1;
        } else if (value && (c == u'"' || c == u'\'')) {
            quote = c;
        }
        value = quote.isNull() && (c == u'=' || (value && isHtmlSpace(c)));
    }
    return html.size();
}

// Reads HTML into plain text, one pass from the start to the end.
class PlainReader
{
public:
    explicit PlainReader(QStringView html) : m_html(html) { m_text.reserve(html.size()); }
    QString read();

private:
    void character(char32_t c);
    qsizetype tag(qsizetype at);

    QStringView m_html;
    QString m_text;
};

void PlainReader::character(char32_t c)
{
    if (c == QChar::Nbsp || (c < 0x80 && isHtmlSpace(QChar(c)))) {
        m_text += u' ';
    } else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
        m_text += u'\n';
    } else if (c > 0xFFFF) {
        m_text += QStringView(QChar::fromUcs4(c));
    } else if (c != QChar::ObjectReplacementCharacter) {
        m_text += QChar(char16_t(c));
    }
}

// Reads the markup at `at` and returns the place after it.
qsizetype PlainReader::tag(qsizetype at)
{
    const qsizetype end = markupEnd(m_html, at);
    const bool closing = m_html.at(at + 1) == u'/';
    const qsizetype from = at + (closing ? 2 : 1);
    qsizetype to = from;
    while (to < end && (isAsciiLetter(m_html.at(to)) || m_html.at(to).isDigit())) {
        ++to;
    }
    if (to == from || !isAsciiLetter(m_html.at(from))) {
        return end; // a comment, a declaration, a processing instruction, "</ >"
    }
    const QStringView name = m_html.sliced(from, to - from);
    switch (elementKind(name)) {
    case Element::Inline:
        return end;
    case Element::Block:
    case Element::Break:
        m_text += u'\n';
        return end;
    case Element::Hidden:
        break;
    }
    if (closing) {
        return end;
    }
    // Up to its closing tag, or the end of the text when it has none.
    for (qsizetype close = m_html.indexOf(u"</", end); close >= 0;
         close = m_html.indexOf(u"</", close + 2)) {
        const QStringView after = m_html.sliced(close + 2);
        if (after.startsWith(name, Qt::CaseInsensitive) &&
            (after.size() == name.size() || !isAsciiLetter(after.at(name.size())))) {
            return markupEnd(m_html, close);
        }
    }
    return m_html.size();
}

QString PlainReader::read()
{
    qsizetype at = 0;
    while (at < m_html.size()) {
        const QChar c = m_html.at(at);
        const QChar next = at + 1 < m_html.size() ? m_html.at(at + 1) : QChar();
        if (c == u'<' && (isAsciiLetter(next) || next == u'/' || next == u'!' || next == u'?')) {
            at = tag(at);
        } else if (const auto reference = c == u'&' ? referenceAt(m_html, at) : std::nullopt) {
            character(reference->first);
            at = reference->second;
        } else {
            character(c.unicode());
            ++at;
        }
    }
    return m_text;
}

} // namespace

QString fromHtml(const QString &html)
{
    if (!html.contains(u'<') && !html.contains(u'&')) {
        return html;
    }
    // The lines of the text, joined into one.
    return fromHtmlLines(html).replace(u'\n', u' ');
}

QString fromHtmlLines(const QString &html)
{
    if (!html.contains(u'<') && !html.contains(u'&')) {
        return html;
    }
    return PlainReader(html).read();
}

std::optional<char16_t> namedEntity(QStringView name)
{
    if (name.isEmpty() || name.size() >= qsizetype(sizeof(Entity::name))) {
        return std::nullopt;
    }
    const QByteArray latin = name.toLatin1();
    const auto found = std::lower_bound(std::begin(kEntities), std::end(kEntities), latin,
                                        [](const Entity &entity, const QByteArray &key) {
                                            return std::strcmp(entity.name, key.constData()) < 0;
                                        });
    if (found == std::end(kEntities) || latin != found->name) {
        return std::nullopt;
    }
    return found->code;
}

} // namespace kovra::importer
