// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and checking content sets, and the dump of what the player holds.
#include "content/builtin.h"
#include "content/content_json.h"
#include "content/cp1251.h"
#include "content/dump.h"
#include "content/loader.h"
#include "content/packed.h"
#include "content/player_set.h"
#include "content/translation.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTest>
#include <cstring>
#include <functional>

using namespace kovra;
using namespace Qt::Literals::StringLiterals;

namespace {

QString fixtures()
{
    return qEnvironmentVariable("KOVRA_FIXTURES");
}

QJsonObject question(const QString &text, const QStringList &choices, const QString &key)
{
    return QJsonObject{{u"text"_s, text},
                       {u"choices"_s, QJsonArray::fromStringList(choices)},
                       {u"key"_s, key},
                       {u"explanation"_s, QJsonArray{u"Защото."_s}}};
}

// A valid set: three questions, the check setting off.
QJsonObject validSet()
{
    QJsonArray questions;
    for (int i = 1; i <= 3; ++i) {
        questions.append(
            question(u"Въпрос %1 ___ ?"_s.arg(i), {u"40°"_s, u"50°"_s, u"60°"_s}, u"40°"_s));
    }
    return QJsonObject{
        {u"settings"_s, QJsonArray{u"Настройки - последната цифра"_s,
                                   u"ЧЕО - фраза от 2 части - 0"_s, u"Проверка за Тото - 0"_s,
                                   u"Заглавие"_s, u"Дава описание - 1"_s, u"Дава обяснения - 0"_s}},
        {u"questions"_s, questions}};
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray tinyJpeg()
{
    QImage image(90, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return encoded(image, "JPEG");
}

// A PNG file cut short after its header and the start of its pixel data: its header names
// a size, but it does not decode.
QByteArray cutPng()
{
    QImage image(90, 100, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 2, y * 2, (x * y) % 256));
        }
    }
    const QByteArray bytes = encoded(image, "PNG");
    return bytes.left(bytes.size() / 2);
}

std::optional<QByteArray> figureFiles(const QString &name)
{
    if (name == QLatin1String("figures/good.jpg")) {
        return tinyJpeg();
    }
    if (name == QLatin1String("figures/broken.jpg")) {
        return QByteArray("\xff\xd8\xff not really a picture");
    }
    if (name == QLatin1String("figures/cut.png")) {
        return cutPng();
    }
    if (name == QLatin1String("figures/huge.jpg")) {
        return QByteArray(33 * 1024 * 1024, '\xFF');
    }
    return std::nullopt;
}

using Mutation = std::function<void(QJsonObject &)>;

void editQuestion(QJsonObject &set, int index, const std::function<void(QJsonObject &)> &edit)
{
    QJsonArray questions = set.value(u"questions"_s).toArray();
    QJsonObject q = questions.at(index).toObject();
    edit(q);
    questions.replace(index, q);
    set.insert(u"questions"_s, questions);
}

void setQuestionCount(QJsonObject &set, int count)
{
    QJsonArray questions;
    for (int i = 0; i < count; ++i) {
        questions.append(question(u"В ___ %1"_s.arg(i), {u"да"_s, u"не"_s}, u"да"_s));
    }
    set.insert(u"questions"_s, questions);
}

// Mutations for the table of problems.
Mutation setField(int index, const QString &field, const QJsonValue &value)
{
    return [=](QJsonObject &s) {
        editQuestion(s, index, [&](QJsonObject &q) { q.insert(field, value); });
    };
}

Mutation removeField(int index, const QString &field)
{
    return
        [=](QJsonObject &s) { editQuestion(s, index, [&](QJsonObject &q) { q.remove(field); }); };
}

Mutation setChoices(int index, const QStringList &choices)
{
    return setField(index, u"choices"_s, QJsonArray::fromStringList(choices));
}

// Question `index` made a right one of another kind, its key of that kind.
Mutation kindOf(int index, const QString &kind)
{
    static const std::map<QString, QJsonObject> fields{
        {u"several"_s, {{u"weights"_s, QJsonArray{50, 50, -100}}}},
        {u"typed"_s, {{u"answers"_s, QJsonArray{QJsonObject{{u"text"_s, u"София"_s}}}}}},
        {u"number"_s,
         {{u"answers"_s, QJsonArray{QJsonObject{{u"value"_s, u"2,5"_s}, {u"tolerance"_s, 0.1}}}},
          {u"units"_s, QJsonArray{QJsonObject{{u"name"_s, u"$"_s}}}},
          {u"unitFirst"_s, true},
          {u"unitPenalty"_s, 10},
          {u"unitPenaltyOfQuestion"_s, true}}},
        {u"matching"_s,
         {{u"items"_s, QJsonArray{u"a"_s, u"b"_s}},
          {u"matches"_s, QJsonArray{u"40°"_s, u"50°"_s}}}},
    };
    return [=](QJsonObject &s) {
        editQuestion(s, index, [&](QJsonObject &q) {
            q.remove(u"key"_s);
            if (kind == u"typed" || kind == u"number") {
                q.remove(u"choices"_s);
            }
            q.insert(u"type"_s, kind);
            for (auto it = fields.at(kind).begin(); it != fields.at(kind).end(); ++it) {
                q.insert(it.key(), it.value());
            }
        });
    };
}

Mutation questionCount(int count)
{
    return [count](QJsonObject &s) { setQuestionCount(s, count); };
}

Mutation setSettingTo(int row, const QString &text)
{
    return [=](QJsonObject &s) {
        QJsonArray settings = s.value(u"settings"_s).toArray();
        settings.replace(row, text);
        s.insert(u"settings"_s, settings);
    };
}

Mutation both(const Mutation &first, const Mutation &second)
{
    return [=](QJsonObject &s) {
        first(s);
        second(s);
    };
}

LoadResult load(const QJsonObject &set)
{
    return loadContent(QJsonDocument(set).toJson(), figureFiles);
}

} // namespace

namespace kovra {
// A place as a failed comparison shows it.
char *toString(const Place &place)
{
    return QTest::toString(u"%1 (field %2)"_s.arg(contentName(place)).arg(int(place.field)));
}
} // namespace kovra

Q_DECLARE_METATYPE(Mutation)
Q_DECLARE_METATYPE(ProblemKind)
Q_DECLARE_METATYPE(Severity)
Q_DECLARE_METATYPE(Place)

class TestContent : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void validSetLoads();
    void problems_data();
    void problems();
    void kindsReadBack_data();
    void kindsReadBack();
    void malformedFile();
    void problemsOnOneLine();
    void placeWords_data();
    void placeWords();
    void everyKindHasWords();
    void placeholders();
    void figures();
    void figureCheck();
    void dumpOfFixture();
    void dumpEscapes();
    void builtInSetLoads();
    void packedSetReadsBack_data();
    void packedSetReadsBack();
    void damagedPackRefused_data();
    void damagedPackRefused();
    void playerSetIsTheBuiltInSet();
};

void TestContent::validSetLoads()
{
    const LoadResult result = load(validSet());
    QVERIFY(result.problems.empty());
    QVERIFY(result.content.has_value());
    QCOMPARE(result.content->List1(0).listCount(), 3);
    QCOMPARE(result.content->List1(0).list(0), QByteArray("40\xb0"));
}

void TestContent::problems_data()
{
    QTest::addColumn<Mutation>("mutation");
    QTest::addColumn<ProblemKind>("kind");
    QTest::addColumn<Severity>("severity");
    QTest::addColumn<int>("question");
    QTest::addColumn<Place>("place");
    using K = ProblemKind;
    using F = ContentField;
    const auto add = [](const char *name, const Mutation &mutation, K kind, int question,
                        const Place &place, Severity severity = Severity::Error) {
        QTest::newRow(name) << mutation << kind << severity << question << place;
    };
    const auto checkOn = setSettingTo(2, u"Проверка за Тото - 1"_s);

    add("settings missing", [](QJsonObject &s) { s.remove(u"settings"_s); }, K::MissingField, 0,
        {F::Settings});
    add("five settings rows",
        [](QJsonObject &s) {
            QJsonArray rows = s.value(u"settings"_s).toArray();
            rows.removeLast();
            s.insert(u"settings"_s, rows);
        },
        K::SettingsCount, 0, {F::Settings});
    add("misspelt field", setField(1, u"figur"_s, u"figures/good.jpg"_s), K::UnknownField, 2,
        {F::Unknown, -1, u"figur"_s});
    add("key missing", removeField(2, u"key"_s), K::MissingField, 3, {F::Key});
    add("choices not an array", setField(0, u"choices"_s, 4), K::WrongType, 1, {F::Choices});
    add("a choice is a number", setField(0, u"choices"_s, QJsonArray{u"40°"_s, 50}), K::WrongType,
        1, {F::Choices, 1});
    add("one choice", setChoices(0, {u"40°"_s}), K::ChoiceCount, 1, {F::Choices});
    add("six choices", setChoices(1, {u"40°"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}),
        K::ChoiceCount, 2, {F::Choices});
    add("two questions, check off", questionCount(2), K::QuestionCount, 0, {F::Questions});
    add("thirty questions, check off", questionCount(30), K::QuestionCount, 0, {F::Questions});
    add("one question, check on", both(checkOn, questionCount(1)), K::QuestionCount, 0,
        {F::Questions});
    add("29 questions, check on", both(checkOn, questionCount(29)), K::QuestionCount, 0,
        {F::Questions});
    add("key with a trailing blank", setField(1, u"key"_s, u"40° "_s), K::KeyLooksLike, 2,
        {F::Key});
    add("key with a Latin letter",
        both(setChoices(0, {u"\u0430\u0431"_s, u"вг"_s}), setField(0, u"key"_s, u"a\u0431"_s)),
        K::KeyLooksLike, 1, {F::Key});
    add("key like no choice", setField(1, u"key"_s, u"41°"_s), K::KeyMatchesNone, 2, {F::Key});
    add("key matching two choices", setChoices(2, {u"40°"_s, u"40°"_s, u"5"_s}),
        K::KeyMatchesSeveral, 3, {F::Key});
    add("terminal escape in a text", setField(1, u"text"_s, u"α \u001b[2J ___"_s),
        K::ControlCharacter, 2, {F::Text});
    add("empty choice", setChoices(0, {u"40°"_s, u" "_s}), K::EmptyChoice, 1, {F::Choices, 1});
    add("line break in a choice", setChoices(0, {u"40°"_s, u"5\n0"_s}), K::LineBreak, 1,
        {F::Choices, 1});
    add("missing figure", setField(0, u"figure"_s, u"figures/none.jpg"_s), K::FigureMissing, 1,
        {F::Figure});
    add("corrupt figure", setField(2, u"figure"_s, u"figures/broken.jpg"_s), K::FigureCorrupt, 3,
        {F::Figure});
    add("figure file past its limit", setField(2, u"figure"_s, u"figures/huge.jpg"_s),
        K::FigureFileTooLarge, 3, {F::Figure});
    add("figure outside the folder", setField(2, u"figure"_s, u"../etc/x.jpg"_s), K::FigureName, 3,
        {F::Figure});
    add("phrase mode without a blank",
        both(setSettingTo(1, u"ЧЕО - фраза от 2 части - 1"_s),
             setField(1, u"text"_s, u"Без празно място"_s)),
        K::NoBlank, 2, {F::Text});
    add("empty explanation", setField(0, u"explanation"_s, QJsonArray()), K::NoExplanation, 1,
        {F::Explanation});
    add("flag 2 warns", setSettingTo(5, u"Дава обяснения - 2"_s), K::FlagNotBinary, 0,
        {F::Settings, 5}, Severity::Warning);
    add("flag letter warns", setSettingTo(1, u"ЧЕО - фраза от 2 части - а"_s), K::FlagNotBinary, 0,
        {F::Settings, 1}, Severity::Warning);
    add("results not an object", [](QJsonObject &s) { s.insert(u"results"_s, u"/tmp"_s); },
        K::WrongType, 0, {F::Results});
    add("results with a misspelt field",
        [](QJsonObject &s) {
            s.insert(u"results"_s, QJsonObject{{u"foldr"_s, u""_s}});
        },
        K::UnknownField, 0, {F::Results, -1, u"foldr"_s});
    add("no kind of question", setField(1, u"type"_s, u"essay"_s), K::KindUnknown, 2, {F::Type});
    add("a type not a text", setField(1, u"type"_s, 3), K::WrongType, 2, {F::Type});
    add("a key in a typed answer", both(kindOf(0, u"typed"_s), setField(0, u"key"_s, u"a"_s)),
        K::UnknownField, 1, {F::Unknown, -1, u"key"_s});
    add("weights fewer than choices",
        both(kindOf(2, u"several"_s), setField(2, u"weights"_s, QJsonArray{100})), K::ListCount, 3,
        {F::Weights});
    add("weights adding up to 80%",
        both(kindOf(2, u"several"_s), setField(2, u"weights"_s, QJsonArray{50, 30, 0})),
        K::CreditSum, 3, {F::Weights});
    add("a weight over 100%",
        both(kindOf(2, u"several"_s), setField(2, u"weights"_s, QJsonArray{150, 0, 0})),
        K::CreditRange, 3, {F::Weights, 0});
    add("several of eleven choices",
        both(kindOf(2, u"several"_s),
             both(setField(2, u"choices"_s, QJsonArray{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}),
                  setField(2, u"weights"_s, QJsonArray{100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}))),
        K::ChoiceCount, 3, {F::Choices});
    add("a weight not a number",
        both(kindOf(2, u"several"_s), setField(2, u"weights"_s, QJsonArray{u"50"_s, 50, 0})),
        K::WrongType, 3, {F::Weights, 0});
    add("typed answers without full credit",
        both(kindOf(0, u"typed"_s),
             setField(0, u"answers"_s,
                      QJsonArray{QJsonObject{{u"text"_s, u"а"_s}, {u"percent"_s, 50}}})),
        K::NoFullCredit, 1, {F::Answers});
    add("typed answer empty",
        both(kindOf(0, u"typed"_s),
             setField(0, u"answers"_s, QJsonArray{QJsonObject{{u"text"_s, u" "_s}}})),
        K::EmptyAnswer, 1, {F::Answers, 0});
    add("typed answers missing", both(kindOf(0, u"typed"_s), removeField(0, u"answers"_s)),
        K::MissingField, 1, {F::Answers});
    add("number not a number",
        both(kindOf(0, u"number"_s),
             setField(0, u"answers"_s, QJsonArray{QJsonObject{{u"value"_s, u"две"_s}}})),
        K::NotANumber, 1, {F::Answers, 0});
    add("a unit of no name",
        both(kindOf(0, u"number"_s),
             setField(0, u"units"_s, QJsonArray{QJsonObject{{u"name"_s, u""_s}}})),
        K::EmptyAnswer, 1, {F::Units, 0});
    add("a unit's penalty over 100%",
        both(kindOf(0, u"number"_s), setField(0, u"unitPenalty"_s, 150)), K::CreditRange, 1,
        {F::UnitPenalty});
    add("matching one item",
        both(both(kindOf(1, u"matching"_s), setField(1, u"items"_s, QJsonArray{u"a"_s})),
             setField(1, u"matches"_s, QJsonArray{u"40°"_s})),
        K::ChoiceCount, 2, {F::Items});
    add("an item's answer offered nowhere",
        both(kindOf(1, u"matching"_s), setField(1, u"matches"_s, QJsonArray{u"40°"_s, u"41°"_s})),
        K::KeyMatchesNone, 2, {F::Matches, 1});
    add("an item's answer offered twice",
        both(kindOf(1, u"matching"_s), setChoices(1, {u"40°"_s, u"40°"_s, u"50°"_s})),
        K::KeyMatchesSeveral, 2, {F::Matches, 0});
    add("answers fewer than items",
        both(kindOf(1, u"matching"_s), setField(1, u"matches"_s, QJsonArray{u"40°"_s})),
        K::ListCount, 2, {F::Matches});
    add("phrase mode with a typed answer",
        both(setSettingTo(1, u"ЧЕО - фраза от 2 части - 1"_s), kindOf(2, u"typed"_s)),
        K::KindSetting, 3, {F::Type});
    add("the repeat check with matching", both(checkOn, kindOf(1, u"matching"_s)), K::KindSetting,
        2, {F::Type});
    add("look-alike choices warn", setChoices(0, {u"40°"_s, u"\u0410B"_s, u"AB"_s}), K::LookAlike,
        1, {F::Choices}, Severity::Warning);
    add("choices differing in blanks warn", setChoices(0, {u"40°"_s, u"2 : 1"_s, u"2 :  1"_s}),
        K::LookAlike, 1, {F::Choices}, Severity::Warning);
}

void TestContent::problems()
{
    QFETCH(Mutation, mutation);
    QFETCH(ProblemKind, kind);
    QFETCH(Severity, severity);
    QFETCH(int, question);
    QFETCH(Place, place);
    QJsonObject set = validSet();
    mutation(set);
    const LoadResult result = load(set);
    const auto found = std::find_if(result.problems.begin(), result.problems.end(),
                                    [&](const Problem &p) { return p.kind == kind; });
    QVERIFY2(found != result.problems.end(), "the expected problem was not reported");
    QCOMPARE(found->severity, severity);
    QCOMPARE(found->question, question);
    QCOMPARE(found->place, place);
    QCOMPARE(result.content.has_value(), severity == Severity::Warning);
    const QString words = describe(*found);
    QVERIFY(words.startsWith(severity == Severity::Error ? QLatin1String("error: ")
                                                         : QLatin1String("warning: ")));
    QVERIFY2(words.contains(u"field \"%1\""_s.arg(contentName(place))), qPrintable(words));
    if (question > 0) {
        QVERIFY2(words.contains(u"question %1,"_s.arg(question)), qPrintable(words));
    }
}

void TestContent::malformedFile()
{
    const QByteArray inputs[] = {"", "{", "[1, 2]", "{\"settings\": }", "\xff\xfe{}"};
    for (const QByteArray &input : inputs) {
        const LoadResult result = loadContent(input, figureFiles);
        QVERIFY(!result.content);
        QVERIFY(!result.problems.empty());
        QCOMPARE(result.problems.front().severity, Severity::Error);
    }
    const LoadResult missing = loadContentFolder(u"/nonexistent/folder"_s);
    QVERIFY(!missing.content);
    QCOMPARE(missing.problems.front().kind, ProblemKind::Unreadable);
}

void TestContent::kindsReadBack_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("dump");
    QTest::newRow("several") << u"several"_s << u"Choice(1)[2]\t60°\t-100%"_s;
    QTest::newRow("typed") << u"typed"_s << u"Answer(1)[0]\tСофия\t100%"_s;
    QTest::newRow("number") << u"number"_s << u"Answer(1)[0]\t2,5\t100%\t±0.1"_s;
    QTest::newRow("number's unit before it, and its penalty")
        << u"number"_s << u"UnitFirst(1)\nUnitPenalty(1)\t10\tof the point"_s;
    QTest::newRow("matching") << u"matching"_s << u"Item(1)[1]\tb\t50°"_s;
}

// Each kind of question is read, written and read again the same, its pupils' copy without a
// key.
void TestContent::kindsReadBack()
{
    QFETCH(QString, kind);
    QFETCH(QString, dump);
    QJsonObject set = validSet();
    kindOf(0, kind)(set);
    const LoadResult result = load(set);
    for (const Problem &problem : result.problems) {
        QFAIL(qPrintable(describe(problem)));
    }
    const Test &test = *result.test;
    QVERIFY(test.questions.front().hasKey());
    QVERIFY2(dumpContent(*result.content, &test).contains(dump.toUtf8() + '\n'),
             dumpContent(*result.content, &test).constData());
    const LoadResult again = loadContent(contentJson(test, {}), figureFiles);
    QVERIFY(again.problems.empty());
    QCOMPARE(*again.test, test);

    Test forMarks = test;
    forMarks.forMarks =
        ForMarks{.publicKey = QByteArray(32, 'p'), .secretKey = QByteArray(32, 's')};
    const QByteArray copyJson = contentJson(pupilsCopy(forMarks), {});
    for (const char *field : {"weights", "answers", "matches", "key"}) {
        QVERIFY2(!copyJson.contains(field), field);
    }
    const LoadResult copy = loadContent(copyJson, figureFiles);
    QVERIFY(copy.problems.empty());
    QVERIFY(!copy.test->questions.front().hasKey());
}

void TestContent::problemsOnOneLine()
{
    // Names and texts from the file come back in the words with their control characters
    // escaped, so that every problem stays one line.
    QJsonObject set = validSet();
    set.insert(u"sett\nings"_s, 1);
    setField(0, u"figure"_s, u"figures/a\r\nb.jpg"_s)(set);
    setField(1, u"key"_s, u"40\u000b\u0004"_s)(set);
    const LoadResult result = load(set);
    QVERIFY(!result.content);
    QStringList lines;
    for (const Problem &p : result.problems) {
        lines << describe(p);
    }
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0],
             QStringLiteral("error: field \"sett\\nings\" is not a field of the content format "
                            "(misspelt?)"));
    QCOMPARE(lines[1], QStringLiteral("error: question 1, field \"figure\" "
                                      "\u201Cfigures/a\\r\\nb.jpg\u201D is not a plain relative "
                                      "file name"));
    QCOMPARE(lines[2], QStringLiteral("error: question 2, field \"key\" holds the control "
                                      "character U+000b, which no text may"));
}

void TestContent::placeWords_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QString>("forFile");   // as a content file's author reads it
    QTest::addColumn<QString>("forWindow"); // as the teacher's window labels it
    using F = ContentField;
    const auto add = [](const char *row, const Place &place, const char *file, const char *window) {
        QTest::newRow(row) << place << QString::fromUtf8(file) << QString::fromUtf8(window);
    };
    add("choice 3", {F::Choices, 2}, "field \"choices[2]\"", "choice 3");
    add("the choices", {F::Choices}, "field \"choices\"", "the choices");
    add("line 2 of the explanation", {F::Explanation, 1}, "field \"explanation[1]\"",
        "line 2 of the explanation");
    add("the explanation", {F::Explanation}, "field \"explanation\"", "the explanation");
    add("the key", {F::Key}, "field \"key\"", "the right choice");
    add("the text", {F::Text}, "field \"text\"", "the question's text");
    add("the figure", {F::Figure}, "field \"figure\"", "the figure");
    add("the title", {F::Settings, 3}, "field \"settings[3]\"", "the settings");
    add("a note's row", {F::Note, 0}, "field \"note[0]\"", "field \"note[0]\"");
    add("the questions", {F::Questions}, "field \"questions\"", "the test");
    add("the draw", {F::Draw}, "field \"draw\"", "questions for each pupil");
    add("the results' folder", {F::ResultsFolder}, "field \"results.folder\"",
        "the results folder");
    add("unknown in the results", {F::Results, -1, u"foldr"_s}, "field \"results.foldr\"",
        "the results folder");
    // An unknown name that looks like a place is only a name.
    add("unknown like a choice", {F::Unknown, -1, u"choices[2]"_s}, "field \"choices[2]\"",
        "field \"choices[2]\"");
    add("unknown and empty", {F::Unknown, -1, QString()}, "", "");
}

// The place in a problem's words: the content file's own names, or the window's labels.
void TestContent::placeWords()
{
    QFETCH(Place, place);
    QFETCH(QString, forFile);
    QFETCH(QString, forWindow);
    const Problem problem{.kind = ProblemKind::MissingField, .question = 2, .place = place};
    const auto said = [](const QString &where) {
        return u"error: question 2%1 is missing"_s.arg(where.isEmpty() ? where : u", "_s + where);
    };
    QCOMPARE(describe(problem), said(forFile));
    QCOMPARE(describe(problem, Audience::Window), said(forWindow));
}

// Every kind of problem has words of its own, in English and in Bulgarian.
void TestContent::everyKindHasWords()
{
    QStringList english;
    for (int kind = 0; kind <= int(ProblemKind::NotKept); ++kind) {
        english << describe(
            {.kind = ProblemKind(kind), .text = u"x"_s, .json = QJsonParseError::IllegalValue});
        QVERIFY2(!english.back().isEmpty() && !english.back().endsWith(u' '),
                 qPrintable(english.back()));
    }
    QVERIFY(installTranslation(QLocale(QLocale::Bulgarian)));
    const auto restore = qScopeGuard([] { installTranslation(QLocale(QLocale::English)); });
    for (int kind = 0; kind <= int(ProblemKind::NotKept); ++kind) {
        const QString bulgarian = describe(
            {.kind = ProblemKind(kind), .text = u"x"_s, .json = QJsonParseError::IllegalValue});
        QVERIFY2(bulgarian != english.at(kind), qPrintable(bulgarian));
    }
}

void TestContent::placeholders()
{
    const LoadResult result = load(validSet());
    QVERIFY(result.content);
    const KOVRA_Danni &content = *result.content;
    QCOMPARE(content.List1(4).listCount(), 1);
    QCOMPARE(content.List1(4).list(0), w1251("List1(4) - въпрос от теста"));
    QCOMPARE(content.List1(39).list(0), w1251("List1(39) - въпрос от теста"));
    QCOMPARE(content.Obqsnenie(0).listCount(), 1);
    QCOMPARE(content.Obqsnenie(4).list(0), w1251("Обяснение 4"));
    QCOMPARE(content.Obqsnenie(29).list(0), w1251("Обяснение 29"));
    for (int k = 0; k < KOVRA_Danni::kFigureSlots; ++k) {
        QVERIFY(content.Picture1(k).isNull());
    }
}

void TestContent::figures()
{
    QJsonObject set = validSet();
    setField(1, u"figure"_s, u"figures/good.jpg"_s)(set);
    setField(2, u"figure"_s, QJsonValue())(set);
    const LoadResult result = load(set);
    QVERIFY(result.content);
    QVERIFY(result.content->Picture1(1).isNull());
    QCOMPARE(result.content->Picture1(2).size(), QSize(90, 100));
    QVERIFY(result.content->Picture1(3).isNull());
}

void TestContent::figureCheck()
{
    const auto loadWith = [](const QString &figure) {
        QJsonObject set = validSet();
        setField(1, u"figure"_s, figure)(set);
        return load(set);
    };
    const QString cut = u"figures/cut.png"_s;
    {
        QByteArray bytes = cutPng();
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "png");
        QCOMPARE(reader.size(), QSize(90, 100));
    }

    // The file is decoded: the fault past its header is found.
    const LoadResult full = loadWith(cut);
    QVERIFY(!full.content);
    QCOMPARE(full.problems.size(), std::size_t(1));
    QCOMPARE(full.problems.front().kind, ProblemKind::FigureCorrupt);
    QCOMPARE(full.problems.front().question, 2);
    QCOMPARE(full.problems.front().text, cut);

    // A file whose header does not read is refused, a sound one taken.
    const LoadResult broken = loadWith(u"figures/broken.jpg"_s);
    QVERIFY(!broken.content);
    QCOMPARE(broken.problems.front().kind, ProblemKind::FigureCorrupt);
    const LoadResult good = loadWith(u"figures/good.jpg"_s);
    QVERIFY(good.content);
    QCOMPARE(good.content->Picture1(2).size(), QSize(90, 100));

    // Figures are decoded together, yet their problems come in the order of the questions.
    QJsonObject set = validSet();
    both(setField(0, u"figure"_s, u"figures/broken.jpg"_s), removeField(1, u"key"_s))(set);
    both(setField(2, u"figure"_s, cut), setChoices(2, {u"40°"_s}))(set);
    QList<std::pair<int, ProblemKind>> order;
    for (const Problem &problem : load(set).problems) {
        order.append({problem.question, problem.kind});
    }
    using K = ProblemKind;
    const QList<std::pair<int, ProblemKind>> expected{
        {1, K::FigureCorrupt}, {2, K::MissingField}, {3, K::ChoiceCount}, {3, K::FigureCorrupt}};
    QCOMPARE(order, expected);
}

void TestContent::dumpOfFixture()
{
    const LoadResult result = loadContentFolder(fixtures() + u"/small"_s);
    for (const Problem &p : result.problems) {
        qWarning() << describe(p);
    }
    QVERIFY(result.content);
    QFile expected(fixtures() + u"/small.dump"_s);
    QVERIFY(expected.open(QIODevice::ReadOnly));
    const QByteArray dump = dumpContent(*result.content);
    QCOMPARE(dump, expected.readAll());

    // Every dumped text row reads back to the exact bytes the set holds.
    const QList<QByteArray> lines = dump.split('\n');
    int checked = 0;
    for (const QByteArray &line : lines) {
        if (!line.startsWith("List1(2)[")) {
            continue;
        }
        const int row = line.mid(9, line.indexOf(']') - 9).toInt();
        const QString text = unescapeDumpText(QString::fromUtf8(line.mid(line.indexOf('\t') + 1)));
        QCOMPARE(toCp1251(text).value_or(QByteArray()), result.content->List1(2).list(row));
        ++checked;
    }
    QCOMPARE(checked, result.content->List1(2).listCount());
}

void TestContent::dumpEscapes()
{
    const QString text = u"a\tb\\n\r\nc\\"_s;
    QCOMPARE(escapeDumpText(text), u"a\\tb\\\\n\\r\\nc\\\\"_s);
    QCOMPARE(unescapeDumpText(escapeDumpText(text)), text);
}

void TestContent::builtInSetLoads()
{
    const LoadResult result = loadBuiltInContent();
    for (const Problem &p : result.problems) {
        qWarning() << describe(p);
    }
    QVERIFY(result.content);
    QVERIFY(result.problems.empty());
}

namespace {

// Two sets hold the same rows and show the same pixels in every figure slot.
void compareSets(const KOVRA_Danni &actual, const KOVRA_Danni &expected)
{
    QCOMPARE(dumpContent(actual), dumpContent(expected));
    for (int k = 0; k < KOVRA_Danni::kFigureSlots; ++k) {
        const QImage a = actual.Picture1(k).convertToFormat(QImage::Format_ARGB32);
        const QImage b = expected.Picture1(k).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(a.size(), b.size());
        // Row by row with memcmp, which the address sanitizer checks.
        for (int y = 0; y < a.height(); ++y) {
            QVERIFY(std::memcmp(a.constScanLine(y), b.constScanLine(y),
                                static_cast<std::size_t>(a.width()) * 4) == 0);
        }
    }
}

KOVRA_Danni smallSet()
{
    std::optional<KOVRA_Danni> content = loadContentFolder(fixtures() + u"/small"_s).content;
    if (!content) {
        qFatal("the small fixture set does not load");
    }
    return std::move(*content);
}

} // namespace

void TestContent::packedSetReadsBack_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<int>("figure"); // 0 none added, 1 colour, 2 grey with transparency
    QTest::addColumn<int>("offset");
    QTest::newRow("built-in set, grey figures") << u"built-in"_s << 0 << 0;
    QTest::newRow("small fixture") << u"small"_s << 0 << 0;
    QTest::newRow("a colour figure") << u"small"_s << 1 << 0;
    QTest::newRow("a grey figure with transparency") << u"small"_s << 2 << 0;
    // Pixel rows that do not lie on four-byte boundaries are copied.
    QTest::newRow("pixels off their boundary") << u"small"_s << 1 << 1;
}

void TestContent::packedSetReadsBack()
{
    QFETCH(QString, set);
    QFETCH(int, figure);
    QFETCH(int, offset);
    KOVRA_Danni content = set == u"built-in"_s ? *loadBuiltInContent().content : smallSet();
    if (figure == 1) {
        QImage colour(7, 5, QImage::Format_RGB32);
        colour.fill(qRgb(200, 30, 40));
        colour.setPixel(3, 2, qRgb(1, 2, 3));
        content.Picture1(3) = colour;
    } else if (figure == 2) {
        QImage grey(7, 5, QImage::Format_ARGB32);
        grey.fill(qRgba(90, 90, 90, 255));
        grey.setPixel(3, 2, qRgba(0, 0, 0, 0));
        content.Picture1(3) = grey;
    }
    std::optional<KOVRA_Danni> unpacked;
    {
        // The figures keep the bytes they lie in after the caller has let go of them; off their
        // boundaries they are copied, and nothing of the bytes is used once they are gone.
        const QByteArray packed = QByteArray(offset, 'x') + packContent(content);
        // The same set packs to the same bytes, the ends of the pixel rows included.
        QCOMPARE(packed.sliced(offset), packContent(content));
        unpacked = unpackContent(offset == 0 ? packed
                                             : QByteArray::fromRawData(packed.constData() + offset,
                                                                       packed.size() - offset));
    }
    QVERIFY(unpacked);
    compareSets(*unpacked, content);
}

void TestContent::damagedPackRefused_data()
{
    const QByteArray whole = packContent(smallSet());
    QTest::addColumn<QByteArray>("packed");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("another version") << QByteArray(whole).replace(7, 1, "2");
    QTest::newRow("a byte left over") << whole + '\0';
    // The first list's row count, then the first row's length.
    QTest::newRow("more rows than bytes") << QByteArray(whole).replace(8, 4, "\xff\xff\xff\x0f");
    QTest::newRow("a row past the end") << QByteArray(whole).replace(12, 4, "\xff\xff\xff\x7f");
    for (const qsizetype cut :
         {qsizetype(8), whole.size() / 3, whole.size() / 2, whole.size() - 1}) {
        QTest::addRow("cut to %lld of %lld bytes", qlonglong(cut), qlonglong(whole.size()))
            << whole.first(cut);
    }
    // The last figure slot of the small set holds none: its header is the last 16 bytes.
    const qsizetype last = whole.size() - 16;
    const auto figure = [&](const char *header) {
        return QByteArray(whole).replace(last, 16, QByteArray(header, 16));
    };
    QTest::newRow("unknown pixel format") << figure("\x02\0\0\0\x02\0\0\0\x07\0\0\0\x08\0\0\0");
    QTest::newRow("rows shorter than the width")
        << figure("\x09\0\0\0\x01\0\0\0\x18\0\0\0\x04\0\0\0");
    QTest::newRow("pixels past the end") << figure("\x04\0\0\0\x04\0\0\0\x18\0\0\0\x04\0\0\0");
}

void TestContent::damagedPackRefused()
{
    QFETCH(QByteArray, packed);
    QVERIFY(!unpackContent(packed));
}

void TestContent::playerSetIsTheBuiltInSet()
{
    const LoadResult player = loadPlayerContent();
    QVERIFY(player.problems.empty());
    QVERIFY(player.content);
    compareSets(*player.content, *loadBuiltInContent().content);
}

QTEST_GUILESS_MAIN(TestContent)
#include "test_content.moc"
