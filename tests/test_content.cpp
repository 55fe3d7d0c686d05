// Loading and checking content sets, and the dump of what the player holds.
#include "content/builtin.h"
#include "content/cp1251.h"
#include "content/dump.h"
#include "content/loader.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <functional>

using namespace kovra;

namespace {

QString fixtures()
{
    return qEnvironmentVariable("KOVRA_FIXTURES");
}

QJsonObject question(const QString &text, const QStringList &choices, const QString &key)
{
    return QJsonObject{{QStringLiteral("text"), text},
                       {QStringLiteral("choices"), QJsonArray::fromStringList(choices)},
                       {QStringLiteral("key"), key},
                       {QStringLiteral("explanation"), QJsonArray{QStringLiteral("Защото.")}}};
}

// A valid set: three questions, the check setting off.
QJsonObject validSet()
{
    QJsonArray questions;
    for (int i = 1; i <= 3; ++i) {
        questions.append(
            question(QStringLiteral("Въпрос %1 ___ ?").arg(i),
                     {QStringLiteral("40°"), QStringLiteral("50°"), QStringLiteral("60°")},
                     QStringLiteral("40°")));
    }
    return QJsonObject{
        {QStringLiteral("settings"),
         QJsonArray{QStringLiteral("Настройки - последната цифра"),
                    QStringLiteral("ЧЕО - фраза от 2 части - 0"),
                    QStringLiteral("Проверка за Тото - 0"), QStringLiteral("Заглавие"),
                    QStringLiteral("Дава описание - 1"), QStringLiteral("Дава обяснения - 0")}},
        {QStringLiteral("questions"), questions}};
}

QByteArray tinyJpeg()
{
    QImage image(90, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
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
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
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
    return std::nullopt;
}

using Mutation = std::function<void(QJsonObject &)>;

void editQuestion(QJsonObject &set, int index, const std::function<void(QJsonObject &)> &edit)
{
    QJsonArray questions = set.value(QStringLiteral("questions")).toArray();
    QJsonObject q = questions.at(index).toObject();
    edit(q);
    questions.replace(index, q);
    set.insert(QStringLiteral("questions"), questions);
}

void setQuestionCount(QJsonObject &set, int count)
{
    QJsonArray questions;
    for (int i = 0; i < count; ++i) {
        questions.append(question(QStringLiteral("В ___ %1").arg(i),
                                  {QStringLiteral("да"), QStringLiteral("не")},
                                  QStringLiteral("да")));
    }
    set.insert(QStringLiteral("questions"), questions);
}

void setSetting(QJsonObject &set, int row, const QString &text)
{
    QJsonArray settings = set.value(QStringLiteral("settings")).toArray();
    settings.replace(row, text);
    set.insert(QStringLiteral("settings"), settings);
}

} // namespace

Q_DECLARE_METATYPE(Mutation)
Q_DECLARE_METATYPE(ProblemKind)
Q_DECLARE_METATYPE(Severity)

class TestContent : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void validSetLoads();
    void problems_data();
    void problems();
    void malformedFile();
    void problemsOnOneLine();
    void placeholders();
    void figures();
    void figureCheck();
    void dumpOfFixture();
    void dumpEscapes();
    void builtInSetLoads();
};

void TestContent::validSetLoads()
{
    const LoadResult result =
        loadContent(QJsonDocument(validSet()).toJson(), figureFiles, FigureCheck::Full);
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
    QTest::addColumn<QString>("field");
    using K = ProblemKind;
    const auto err = Severity::Error;
    const auto warn = Severity::Warning;

    QTest::newRow("settings missing")
        << Mutation([](QJsonObject &s) { s.remove(QStringLiteral("settings")); }) << K::MissingField
        << err << 0 << QStringLiteral("settings");
    QTest::newRow("five settings rows") << Mutation([](QJsonObject &s) {
        QJsonArray rows = s.value(QStringLiteral("settings")).toArray();
        rows.removeLast();
        s.insert(QStringLiteral("settings"), rows);
    }) << K::SettingsCount << err << 0 << QStringLiteral("settings");
    QTest::newRow("misspelt field") << Mutation([](QJsonObject &s) {
        editQuestion(s, 1, [](QJsonObject &q) {
            q.insert(QStringLiteral("figur"), QStringLiteral("figures/good.jpg"));
        });
    }) << K::UnknownField << err << 2
                                    << QStringLiteral("figur");
    QTest::newRow("key missing") << Mutation([](QJsonObject &s) {
        editQuestion(s, 2, [](QJsonObject &q) { q.remove(QStringLiteral("key")); });
    }) << K::MissingField << err << 3
                                 << QStringLiteral("key");
    QTest::newRow("choices not an array") << Mutation([](QJsonObject &s) {
        editQuestion(s, 0, [](QJsonObject &q) { q.insert(QStringLiteral("choices"), 4); });
    }) << K::WrongType << err << 1 << QStringLiteral("choices");
    QTest::newRow("a choice is a number") << Mutation([](QJsonObject &s) {
        editQuestion(s, 0, [](QJsonObject &q) {
            q.insert(QStringLiteral("choices"), QJsonArray{QStringLiteral("40°"), 50});
        });
    }) << K::WrongType << err << 1 << QStringLiteral("choices[1]");
    QTest::newRow("one choice") << Mutation([](QJsonObject &s) {
        editQuestion(s, 0, [](QJsonObject &q) {
            q.insert(QStringLiteral("choices"), QJsonArray{QStringLiteral("40°")});
        });
    }) << K::ChoiceCount << err << 1
                                << QStringLiteral("choices");
    QTest::newRow("six choices") << Mutation([](QJsonObject &s) {
        editQuestion(s, 1, [](QJsonObject &q) {
            q.insert(QStringLiteral("choices"),
                     QJsonArray{QStringLiteral("40°"), QStringLiteral("1"), QStringLiteral("2"),
                                QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
        });
    }) << K::ChoiceCount << err << 2
                                 << QStringLiteral("choices");
    QTest::newRow("two questions, check off")
        << Mutation([](QJsonObject &s) { setQuestionCount(s, 2); }) << K::QuestionCount << err << 0
        << QStringLiteral("questions");
    QTest::newRow("thirty questions, check off")
        << Mutation([](QJsonObject &s) { setQuestionCount(s, 30); }) << K::QuestionCount << err << 0
        << QStringLiteral("questions");
    QTest::newRow("one question, check on") << Mutation([](QJsonObject &s) {
        setSetting(s, 2, QStringLiteral("Проверка за Тото - 1"));
        setQuestionCount(s, 1);
    }) << K::QuestionCount << err << 0 << QStringLiteral("questions");
    QTest::newRow("29 questions, check on") << Mutation([](QJsonObject &s) {
        setSetting(s, 2, QStringLiteral("Проверка за Тото - 1"));
        setQuestionCount(s, 29);
    }) << K::QuestionCount << err << 0 << QStringLiteral("questions");
    QTest::newRow("key with a trailing blank") << Mutation([](QJsonObject &s) {
        editQuestion(
            s, 1, [](QJsonObject &q) { q.insert(QStringLiteral("key"), QStringLiteral("40° ")); });
    }) << K::KeyMatchesNone << err << 2 << QStringLiteral("key");
    QTest::newRow("key with a Latin letter") << Mutation([](QJsonObject &s) {
        editQuestion(s, 0, [](QJsonObject &q) {
            q.insert(QStringLiteral("choices"),
                     QJsonArray{QStringLiteral("\u0430\u0431"), QStringLiteral("вг")});
            q.insert(QStringLiteral("key"), QStringLiteral("a\u0431"));
        });
    }) << K::KeyMatchesNone << err << 1 << QStringLiteral("key");
    QTest::newRow("key matching two choices") << Mutation([](QJsonObject &s) {
        editQuestion(s, 2, [](QJsonObject &q) {
            q.insert(QStringLiteral("choices"),
                     QJsonArray{QStringLiteral("40°"), QStringLiteral("40°"), QStringLiteral("5")});
        });
    }) << K::KeyMatchesSeveral << err << 3 << QStringLiteral("key");
    QTest::newRow("character outside Windows-1251") << Mutation([](QJsonObject &s) {
        editQuestion(s, 1, [](QJsonObject &q) {
            q.insert(QStringLiteral("text"), QStringLiteral("α ___"));
        });
    }) << K::NotWindows1251 << err << 2 << QStringLiteral("text");
    QTest::newRow("line break in a choice") << Mutation([](QJsonObject &s) {
        editQuestion(s, 0, [](QJsonObject &q) {
            q.insert(QStringLiteral("choices"),
                     QJsonArray{QStringLiteral("40°"), QStringLiteral("5\n0")});
        });
    }) << K::LineBreak << err << 1 << QStringLiteral("choices[1]");
    QTest::newRow("missing figure") << Mutation([](QJsonObject &s) {
        editQuestion(s, 0, [](QJsonObject &q) {
            q.insert(QStringLiteral("figure"), QStringLiteral("figures/none.jpg"));
        });
    }) << K::FigureMissing << err << 1
                                    << QStringLiteral("figure");
    QTest::newRow("corrupt figure") << Mutation([](QJsonObject &s) {
        editQuestion(s, 2, [](QJsonObject &q) {
            q.insert(QStringLiteral("figure"), QStringLiteral("figures/broken.jpg"));
        });
    }) << K::FigureCorrupt << err << 3
                                    << QStringLiteral("figure");
    QTest::newRow("figure outside the folder") << Mutation([](QJsonObject &s) {
        editQuestion(s, 2, [](QJsonObject &q) {
            q.insert(QStringLiteral("figure"), QStringLiteral("../etc/x.jpg"));
        });
    }) << K::FigureName << err << 3 << QStringLiteral("figure");
    QTest::newRow("phrase mode without a blank") << Mutation([](QJsonObject &s) {
        setSetting(s, 1, QStringLiteral("ЧЕО - фраза от 2 части - 1"));
        editQuestion(s, 1, [](QJsonObject &q) {
            q.insert(QStringLiteral("text"), QStringLiteral("Без празно място"));
        });
    }) << K::NoBlank << err << 2 << QStringLiteral("text");
    QTest::newRow("empty explanation") << Mutation([](QJsonObject &s) {
        editQuestion(s, 0,
                     [](QJsonObject &q) { q.insert(QStringLiteral("explanation"), QJsonArray()); });
    }) << K::NoExplanation << err << 1 << QStringLiteral("explanation");
    QTest::newRow("flag 2 warns") << Mutation([](QJsonObject &s) {
        setSetting(s, 5, QStringLiteral("Дава обяснения - 2"));
    }) << K::FlagNotBinary << warn << 0
                                  << QStringLiteral("settings[5]");
    QTest::newRow("flag letter warns") << Mutation([](QJsonObject &s) {
        setSetting(s, 1, QStringLiteral("ЧЕО - фраза от 2 части - а"));
    }) << K::FlagNotBinary << warn << 0 << QStringLiteral("settings[1]");
    QTest::newRow("look-alike choices warn") << Mutation([](QJsonObject &s) {
        editQuestion(s, 0, [](QJsonObject &q) {
            q.insert(
                QStringLiteral("choices"),
                QJsonArray{QStringLiteral("40°"), QStringLiteral("\u0410B"), QStringLiteral("AB")});
        });
    }) << K::LookAlike << warn << 1 << QStringLiteral("choices");
    QTest::newRow("choices differing in blanks warn") << Mutation([](QJsonObject &s) {
        editQuestion(s, 0, [](QJsonObject &q) {
            q.insert(QStringLiteral("choices"),
                     QJsonArray{QStringLiteral("40°"), QStringLiteral("2 : 1"),
                                QStringLiteral("2 :  1")});
        });
    }) << K::LookAlike << warn << 1 << QStringLiteral("choices");
}

void TestContent::problems()
{
    QFETCH(Mutation, mutation);
    QFETCH(ProblemKind, kind);
    QFETCH(Severity, severity);
    QFETCH(int, question);
    QFETCH(QString, field);
    QJsonObject set = validSet();
    mutation(set);
    const LoadResult result =
        loadContent(QJsonDocument(set).toJson(), figureFiles, FigureCheck::Full);
    const auto found = std::find_if(result.problems.begin(), result.problems.end(),
                                    [&](const Problem &p) { return p.kind == kind; });
    QVERIFY2(found != result.problems.end(), "the expected problem was not reported");
    QCOMPARE(found->severity, severity);
    QCOMPARE(found->question, question);
    QCOMPARE(found->field, field);
    QCOMPARE(result.content.has_value(), severity == Severity::Warning);
    const QString words = describe(*found);
    QVERIFY(words.startsWith(severity == Severity::Error ? QLatin1String("error: ")
                                                         : QLatin1String("warning: ")));
    QVERIFY2(words.contains(field), qPrintable(words));
    if (question > 0) {
        QVERIFY2(words.contains(QStringLiteral("question %1,").arg(question)), qPrintable(words));
    }
}

void TestContent::malformedFile()
{
    const QByteArray inputs[] = {"", "{", "[1, 2]", "{\"settings\": }", "\xff\xfe{}"};
    for (const QByteArray &input : inputs) {
        const LoadResult result = loadContent(input, figureFiles, FigureCheck::Full);
        QVERIFY(!result.content);
        QVERIFY(!result.problems.empty());
        QCOMPARE(result.problems.front().severity, Severity::Error);
    }
    const LoadResult missing =
        loadContentFolder(QStringLiteral("/nonexistent/folder"), FigureCheck::Full);
    QVERIFY(!missing.content);
    QCOMPARE(missing.problems.front().kind, ProblemKind::Unreadable);
}

void TestContent::problemsOnOneLine()
{
    // Names and texts from the file come back in the words with their control characters
    // escaped, so that every problem stays one line.
    QJsonObject set = validSet();
    set.insert(QStringLiteral("sett\nings"), 1);
    editQuestion(set, 0, [](QJsonObject &q) {
        q.insert(QStringLiteral("figure"), QStringLiteral("figures/a\r\nb.jpg"));
    });
    editQuestion(set, 1, [](QJsonObject &q) {
        q.insert(QStringLiteral("key"), QStringLiteral("40\u000b\u0004"));
    });
    const LoadResult result =
        loadContent(QJsonDocument(set).toJson(), figureFiles, FigureCheck::Full);
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
                                      "\u00ABfigures/a\\r\\nb.jpg\u00BB is not a plain relative "
                                      "file name"));
    QCOMPARE(lines[2],
             QStringLiteral("error: question 2, field \"key\" \u00AB40\\u000b\\u0004\u00BB "
                            "equals no choice exactly (blanks, case and letters count)"));
}

void TestContent::placeholders()
{
    const LoadResult result =
        loadContent(QJsonDocument(validSet()).toJson(), figureFiles, FigureCheck::Full);
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
    editQuestion(set, 1, [](QJsonObject &q) {
        q.insert(QStringLiteral("figure"), QStringLiteral("figures/good.jpg"));
    });
    editQuestion(set, 2, [](QJsonObject &q) { q.insert(QStringLiteral("figure"), QJsonValue()); });
    const LoadResult result =
        loadContent(QJsonDocument(set).toJson(), figureFiles, FigureCheck::Full);
    QVERIFY(result.content);
    QVERIFY(result.content->Picture1(1).isNull());
    QCOMPARE(result.content->Picture1(2).size(), QSize(90, 100));
    QVERIFY(result.content->Picture1(3).isNull());
}

void TestContent::figureCheck()
{
    const auto loadWith = [](const QString &figure, FigureCheck check) {
        QJsonObject set = validSet();
        editQuestion(set, 1,
                     [&figure](QJsonObject &q) { q.insert(QStringLiteral("figure"), figure); });
        return loadContent(QJsonDocument(set).toJson(), figureFiles, check);
    };
    const QString cut = QStringLiteral("figures/cut.png");
    {
        QByteArray bytes = cutPng();
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "png");
        QCOMPARE(reader.size(), QSize(90, 100));
    }

    // The full check decodes the file and finds the fault past the header.
    const LoadResult full = loadWith(cut, FigureCheck::Full);
    QVERIFY(!full.content);
    QCOMPARE(full.problems.size(), std::size_t(1));
    QCOMPARE(full.problems.front().kind, ProblemKind::FigureCorrupt);
    QCOMPARE(full.problems.front().question, 2);
    QCOMPARE(full.problems.front().detail, cut);

    // The header check reads no further than the size: the set loads, and the figure shows
    // empty when it is read.
    const LoadResult header = loadWith(cut, FigureCheck::Header);
    QVERIFY(header.content);
    QVERIFY(header.problems.empty());
    QVERIFY(header.content->Picture1(2).isNull());

    // Both refuse a file whose header does not read, and take a sound one.
    for (const FigureCheck check : {FigureCheck::Full, FigureCheck::Header}) {
        const LoadResult broken = loadWith(QStringLiteral("figures/broken.jpg"), check);
        QVERIFY(!broken.content);
        QCOMPARE(broken.problems.front().kind, ProblemKind::FigureCorrupt);
        const LoadResult good = loadWith(QStringLiteral("figures/good.jpg"), check);
        QVERIFY(good.content);
        QCOMPARE(good.content->Picture1(2).size(), QSize(90, 100));
    }
}

void TestContent::dumpOfFixture()
{
    const LoadResult result =
        loadContentFolder(fixtures() + QStringLiteral("/small"), FigureCheck::Full);
    for (const Problem &p : result.problems) {
        qWarning() << describe(p);
    }
    QVERIFY(result.content);
    QFile expected(fixtures() + QStringLiteral("/small.dump"));
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
    const QString text = QStringLiteral("a\tb\\n\r\nc\\");
    QCOMPARE(escapeDumpText(text), QStringLiteral("a\\tb\\\\n\\r\\nc\\\\"));
    QCOMPARE(unescapeDumpText(escapeDumpText(text)), text);
}

void TestContent::builtInSetLoads()
{
    const LoadResult result = loadBuiltInContent(FigureCheck::Full);
    for (const Problem &p : result.problems) {
        qWarning() << describe(p);
    }
    QVERIFY(result.content);
    QVERIFY(result.problems.empty());
}

QTEST_GUILESS_MAIN(TestContent)
#include "test_content.moc"
