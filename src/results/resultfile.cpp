// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultfile.h"

#include "content/cp1251.h"
#include "content/danni.h"
#include "content/kinds_json.h"
#include "content/test_content.h"
#include "seal.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QStringDecoder>
#include <cmath>
#include <variant>

namespace kovra {

namespace {

// Whether the bytes are a sealed box rather than text: a box is bytes without form, which are
// not UTF-8 but by a chance too small to count (a box is a KiB at least).
bool looksSealed(const QByteArray &bytes)
{
    if (bytes.size() < kMinSealedBytes) {
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes); // decoded here, when it is made a text
    return utf8.hasError();
}

// The texts a pupil answers: the title, each question and its choices, not the key, so that a
// corrected key keeps the results of its test.
QByteArray questionTexts(const Test &test)
{
    QByteArray texts = cp1251Row(test.title);
    for (const Question &question : test.questions) {
        texts += '\x1f' + cp1251Row(question.text);
        for (const QString &choice : question.choices) {
            texts += '\x1f' + cp1251Row(choice);
        }
        // Matching's items, which single choice has none of.
        for (const QString &item : question.items) {
            texts += '\x1d' + item.toUtf8();
        }
        texts += '\x1e';
    }
    return texts;
}

static_assert(kMaxResultQuestion == kMaxPoolQuestions);

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

const char *verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Right:
        return "right";
    case Verdict::Wrong:
        return "wrong";
    case Verdict::None:
        break;
    }
    return "none";
}

QString timeText(const QDateTime &time)
{
    // With the offset from UTC, so that a time read on another computer is the same moment.
    return time.isValid() ? time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate)
                          : QString();
}

QByteArray signedForm(const QJsonObject &withoutChecksum)
{
    return QJsonDocument(withoutChecksum).toJson(QJsonDocument::Indented);
}

QByteArray mac(const QByteArray &bytes, const QByteArray &key)
{
    return QMessageAuthenticationCode::hash(bytes, key, QCryptographicHash::Sha256).toHex();
}

// Reads the fields of a parsed object, each checked for its type and limits; the first fault
// is kept and named by its field.
class FieldReader
{
public:
    [[nodiscard]] const std::optional<QString> &fault() const { return m_fault; }

    QString text(const QJsonObject &object, const char *name, const QString &place,
                 qsizetype most = kMaxResultTextChars)
    {
        const QJsonValue value = object.value(QLatin1String(name));
        if (!value.isString() || value.toString().size() > most) {
            bad(place + QLatin1String(name));
            return {};
        }
        return value.toString();
    }
    int number(const QJsonObject &object, const char *name, const QString &place, int least,
               int most)
    {
        const QJsonValue value = object.value(QLatin1String(name));
        const double number = value.toDouble(-1e9);
        // The range first: a number beyond an int's is not converted to one.
        if (!value.isDouble() || !(number >= least && number <= most) ||
            number != std::floor(number)) {
            bad(place + QLatin1String(name));
            return least;
        }
        return static_cast<int>(number);
    }
    QDateTime time(const QJsonObject &object, const char *name, const QString &place, bool optional)
    {
        const QString written = text(object, name, place, 40);
        if (written.isEmpty() && optional) {
            return {};
        }
        const QDateTime time = QDateTime::fromString(written, Qt::ISODate);
        if (!time.isValid()) {
            bad(place + QLatin1String(name));
        }
        return time;
    }
    QByteArray hex(const QJsonObject &object, const char *name, const QString &place)
    {
        const QString written = text(object, name, place, 64);
        static const QString digits = QStringLiteral("0123456789abcdef");
        const bool ok =
            written.size() == 64 && std::all_of(written.begin(), written.end(),
                                                [](QChar ch) { return digits.contains(ch); });
        if (!ok) {
            bad(place + QLatin1String(name));
        }
        return written.toLatin1();
    }
    void bad(const QString &field)
    {
        if (!m_fault) {
            m_fault = field;
        }
    }

private:
    std::optional<QString> m_fault;
};

// A list of texts, each within its length, the list within `most`; none when it is not one.
std::optional<QStringList> readTexts(const QJsonValue &value, qsizetype most)
{
    if (!value.isArray() || value.toArray().size() > most) {
        return std::nullopt;
    }
    QStringList texts;
    for (const QJsonValue text : value.toArray()) {
        if (!text.isString() || text.toString().size() > kMaxResultTextChars) {
            return std::nullopt;
        }
        texts << text.toString();
    }
    return texts;
}

// The answer to a question of another kind: its choices or answers offered, the ones picked
// among them (or an empty pick of an item), or the text typed; its verdict, and its credit.
std::optional<ResultAnswer> readKindAnswer(const QJsonObject &object, const QString &at,
                                           FieldReader &fields, ResultAnswer answer)
{
    const QString type = fields.text(object, "type", at, 10);
    static const std::pair<const char *, QuestionKind> kinds[] = {
        {"several", QuestionKind::Several},
        {"typed", QuestionKind::Typed},
        {"number", QuestionKind::Number},
        {"matching", QuestionKind::Matching}};
    const auto kind = std::find_if(std::begin(kinds), std::end(kinds),
                                   [&](const auto &k) { return type == QLatin1String(k.first); });
    const std::optional<QStringList> choices =
        readTexts(object.value(QLatin1String("choices")), kMaxResultOffered);
    const std::optional<QStringList> picked =
        readTexts(object.value(QLatin1String("picked")), kMaxResultOffered);
    if (kind == std::end(kinds) || !choices || !picked) {
        fields.bad(at + QLatin1String(kind == std::end(kinds) ? "type" : "picked"));
        return std::nullopt;
    }
    answer.kind = kind->second;
    answer.choices = *choices;
    answer.response.picked = *picked;
    for (const QString &text : *picked) {
        if (!text.isEmpty() && !choices->contains(text)) {
            fields.bad(at + QLatin1String("picked"));
        }
    }
    answer.response.typed = fields.text(object, "typed", at);
    const QString verdict = fields.text(object, "verdict", at, 5);
    answer.verdict = verdict == QLatin1String("right")   ? Verdict::Right
                     : verdict == QLatin1String("wrong") ? Verdict::Wrong
                                                         : Verdict::None;
    if (verdict != QLatin1String("none") && answer.verdict == Verdict::None) {
        fields.bad(at + QLatin1String("verdict"));
    }
    if (const QJsonValue credit = object.value(QLatin1String("credit")); !credit.isUndefined()) {
        if (!credit.isDouble() || !(credit.toDouble() >= 0 && credit.toDouble() <= 1)) {
            fields.bad(at + QLatin1String("credit"));
        }
        answer.credit = credit.toDouble();
    }
    answer.time = fields.time(object, "time", at, !answer.isAnswered());
    return answer;
}

std::optional<ResultAnswer> readAnswer(const QJsonValue &value, const QString &place,
                                       FieldReader &fields)
{
    if (!value.isObject()) {
        fields.bad(place);
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    const QString at = place + QLatin1Char('.');
    ResultAnswer answer;
    answer.question = fields.number(object, "question", at, 0, kMaxResultQuestion);
    answer.text = fields.text(object, "text", at);
    if (object.contains(QLatin1String("type"))) {
        return readKindAnswer(object, at, fields, std::move(answer));
    }
    const QJsonValue choices = object.value(QLatin1String("choices"));
    if (!choices.isArray() || choices.toArray().size() < 2 ||
        choices.toArray().size() > kMaxResultChoices) {
        fields.bad(at + QLatin1String("choices"));
        return std::nullopt;
    }
    for (const QJsonValue choice : choices.toArray()) {
        if (!choice.isString() || choice.toString().size() > kMaxResultTextChars) {
            fields.bad(at + QLatin1String("choices"));
            return std::nullopt;
        }
        answer.choices << choice.toString();
    }
    const QJsonValue chosen = object.value(QLatin1String("chosen"));
    const QString verdict = fields.text(object, "verdict", at, 5);
    if (chosen.isNull() && verdict == QLatin1String("none")) {
        answer.verdict = Verdict::None;
    } else if (chosen.isString() && answer.choices.contains(chosen.toString()) &&
               (verdict == QLatin1String("right") || verdict == QLatin1String("wrong") ||
                verdict == QLatin1String("none"))) {
        // "none" with a choice: a test for marks, whose copy has no key to mark it by.
        answer.chosen = static_cast<int>(answer.choices.indexOf(chosen.toString()));
        answer.verdict = verdict == QLatin1String("right")   ? Verdict::Right
                         : verdict == QLatin1String("wrong") ? Verdict::Wrong
                                                             : Verdict::None;
    } else {
        fields.bad(at + QLatin1String("chosen"));
    }
    answer.time = fields.time(object, "time", at, !answer.chosen);
    return answer;
}

} // namespace

TestIdentity identifyTest(const Test &test, const QByteArray &fileBytes)
{
    const QByteArray texts = questionTexts(test.forMarks ? pupilsCopy(test) : test);
    TestIdentity identity;
    if (test.forMarks) {
        identity.publicKey = test.forMarks->publicKey;
        identity.secretKey = test.forMarks->secretKey;
    }
    identity.title = test.title;
    identity.sha256 = sha256(fileBytes).toHex();
    identity.questions = sha256("kovra questions\n" + texts).toHex();
    identity.key = sha256("kovra result key\n" + texts);
    identity.runQuestions = test.runQuestions();
    identity.questionCount = static_cast<int>(test.questions.size());
    return identity;
}

QByteArray writeResult(const ResultRecord &record, const QByteArray &key)
{
    QJsonArray answers;
    for (const ResultAnswer &answer : record.answers) {
        QJsonObject object{
            {QStringLiteral("question"), answer.question},
            {QStringLiteral("text"), answer.text},
            {QStringLiteral("choices"), QJsonArray::fromStringList(answer.choices)},
            {QStringLiteral("chosen"), answer.chosen
                                           ? QJsonValue(answer.choices.value(*answer.chosen))
                                           : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("verdict"), QLatin1String(verdictName(answer.verdict))},
            {QStringLiteral("time"), timeText(answer.time)},
        };
        if (answer.kind != QuestionKind::Single) {
            object.remove(QStringLiteral("chosen"));
            object.insert(QStringLiteral("type"), kindName(answer.kind));
            object.insert(QStringLiteral("picked"),
                          QJsonArray::fromStringList(answer.response.picked));
            object.insert(QStringLiteral("typed"), answer.response.typed);
            if (answer.credit) {
                object.insert(QStringLiteral("credit"), *answer.credit);
            }
        }
        answers.append(object);
    }
    QJsonObject root{
        {QStringLiteral("format"), QLatin1String(kResultFormat)},
        {QStringLiteral("test"),
         QJsonObject{{QStringLiteral("title"), record.title},
                     {QStringLiteral("sha256"), QString::fromLatin1(record.testSha256)},
                     {QStringLiteral("questions"), QString::fromLatin1(record.questions)}}},
        {QStringLiteral("pupil"), QJsonObject{{QStringLiteral("name"), record.name},
                                              {QStringLiteral("class"), record.group}}},
        {QStringLiteral("computer"), record.computer},
        {QStringLiteral("started"), timeText(record.started)},
        {QStringLiteral("ended"), timeText(record.ended)},
        {QStringLiteral("evaluated"), record.evaluated},
        {QStringLiteral("right"), record.right},
        {QStringLiteral("answers"), answers},
    };
    root.insert(QStringLiteral("checksum"), QString::fromLatin1(mac(signedForm(root), key)));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ParsedResult parseResult(const QByteArray &bytes)
{
    ParsedResult parsed;
    const auto refuse = [&parsed](Problem problem) {
        parsed.problem = std::move(problem);
        return parsed;
    };
    if (bytes.size() > kMaxResultFileBytes) {
        return refuse({.kind = ProblemKind::ResultTooLarge, .count = bytes.size()});
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        // A test for marks' result, sealed, is bytes without form.
        if (looksSealed(bytes)) {
            return refuse({.kind = ProblemKind::ResultSealed});
        }
        return refuse({.kind = ProblemKind::ResultNotJson, .count = error.offset});
    }
    QJsonObject root = document.object();
    if (root.value(QLatin1String("format")).toString() != QLatin1String(kResultFormat)) {
        return refuse({.kind = ProblemKind::NotAResult});
    }
    FieldReader fields;
    ResultRecord record;
    const QJsonObject test = root.value(QLatin1String("test")).toObject();
    record.title = fields.text(test, "title", QStringLiteral("test."));
    record.testSha256 = fields.hex(test, "sha256", QStringLiteral("test."));
    record.questions = fields.hex(test, "questions", QStringLiteral("test."));
    const QJsonObject pupil = root.value(QLatin1String("pupil")).toObject();
    record.name = fields.text(pupil, "name", QStringLiteral("pupil."), kMaxPupilNameChars);
    record.group = fields.text(pupil, "class", QStringLiteral("pupil."), kMaxPupilNameChars);
    record.computer = fields.text(root, "computer", QString(), 256);
    record.started = fields.time(root, "started", QString(), false);
    record.ended = fields.time(root, "ended", QString(), true);
    const QJsonValue evaluated = root.value(QLatin1String("evaluated"));
    if (!evaluated.isBool()) {
        fields.bad(QStringLiteral("evaluated"));
    }
    record.evaluated = evaluated.toBool();
    record.right = fields.number(root, "right", QString(), 0, kMaxResultPositions);
    const QJsonValue answers = root.value(QLatin1String("answers"));
    if (!answers.isArray() || answers.toArray().size() < 1 ||
        answers.toArray().size() > kMaxResultPositions) {
        fields.bad(QStringLiteral("answers"));
    } else {
        const QJsonArray array = answers.toArray();
        for (qsizetype i = 0; i < array.size() && !fields.fault(); ++i) {
            if (auto answer =
                    readAnswer(array.at(i), QStringLiteral("answers[%1]").arg(i), fields)) {
                record.answers.push_back(std::move(*answer));
            }
        }
    }
    const QString checksum = root.value(QLatin1String("checksum")).toString();
    if (checksum.size() != 64) {
        fields.bad(QStringLiteral("checksum"));
    }
    if (fields.fault()) {
        return refuse({.kind = ProblemKind::ResultField, .text = *fields.fault()});
    }
    if (document.toJson(QJsonDocument::Indented) != bytes) {
        return refuse({.kind = ProblemKind::ResultNotAsWritten});
    }
    parsed.checksum = checksum.toLatin1();
    // The bytes are the written form: without the checksum's line, they are the signed form,
    // with no second serialization.
    const QByteArray line = "\n    \"checksum\": \"" + parsed.checksum + "\",";
    parsed.signedBytes = bytes;
    parsed.signedBytes.remove(bytes.indexOf(line) + 1, line.size());
    parsed.record = std::move(record);
    return parsed;
}

bool checksumHolds(const ParsedResult &parsed, const QByteArray &key)
{
    return parsed.record && mac(parsed.signedBytes, key) == parsed.checksum;
}

std::optional<QByteArray> resultBytes(const ResultRecord &record, const TestIdentity &test)
{
    QByteArray bytes = writeResult(record, test.key);
    if (!test.seals()) {
        return bytes;
    }
    // Blanks after the JSON, to a whole number of blocks: the size of a sealed file tells only
    // about how long the test is, not how long the chosen answers' texts are.
    bytes.append((kSealedBlockBytes - bytes.size() % kSealedBlockBytes) % kSealedBlockBytes, ' ');
    return sealFor(test.publicKey, bytes);
}

namespace {

ParsedResult refused(Problem problem)
{
    ParsedResult parsed;
    parsed.problem = std::move(problem);
    return parsed;
}

// A file's bytes, read no further than `limit` and its size checked before; or why not.
std::variant<QByteArray, Problem> readAtMost(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Problem{.kind = ProblemKind::ResultCannotOpen, .text = file.errorString()};
    }
    if (file.size() > limit) {
        return Problem{.kind = ProblemKind::ResultTooLarge, .count = file.size()};
    }
    // A file that grew since it was looked at is read no further than the limit.
    return file.read(limit + 1);
}

} // namespace

ParsedResult readResultFile(const QString &path, const TestIdentity &test)
{
    if (!test.seals()) {
        return readResultFile(path);
    }
    auto read = readAtMost(path, maxSealedBytes());
    if (auto *problem = std::get_if<Problem>(&read)) {
        return refused(std::move(*problem));
    }
    const QByteArray &bytes = std::get<QByteArray>(read);
    std::optional<QByteArray> plain;
    if (!test.secretKey.isEmpty()) {
        plain = unsealWith({test.publicKey, test.secretKey}, bytes);
    }
    if (!plain) {
        return refused({.kind = !looksSealed(bytes)        ? ProblemKind::ResultNotSealed
                                : test.secretKey.isEmpty() ? ProblemKind::ResultSealed
                                                           : ProblemKind::ResultSealedElsewhere});
    }
    // The blanks that fill its last block; the JSON itself ends with a line break.
    qsizetype end = plain->size();
    while (end > 0 && plain->at(end - 1) == ' ') {
        --end;
    }
    plain->truncate(end);
    return parseResult(*plain);
}

ParsedResult readResultFile(const QString &path)
{
    auto read = readAtMost(path, kMaxResultFileBytes);
    if (auto *problem = std::get_if<Problem>(&read)) {
        return refused(std::move(*problem));
    }
    return parseResult(std::get<QByteArray>(read));
}

QString resultFileName(const QString &group, const QString &name, const QDateTime &started)
{
    QString text = QStringLiteral("%1 %2 %3")
                       .arg(group, name, started.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
    for (QChar &ch : text) {
        if (ch.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(ch)) {
            ch = QLatin1Char('_');
        }
    }
    if (text.startsWith(QLatin1Char('.'))) {
        text.front() = QLatin1Char('_');
    }
    return text + QLatin1Char('.') + QLatin1String(kResultSuffix);
}

} // namespace kovra
