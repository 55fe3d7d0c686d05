// SPDX-License-Identifier: GPL-3.0-or-later
// Test files: written from a folder and read back, their figures fitted, and hostile files
// refused with words.
#include "content/builtin.h"
#include "content/dump.h"
#include "content/figures.h"
#include "content/translation.h"
#include "testfile/fitting.h"
#include "testfile/testfile.h"
#include "testfile/ziparchive.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <functional>
#include <tuple>

using namespace kovra;
using namespace Qt::Literals::StringLiterals;

namespace {

QString fixtures()
{
    return qEnvironmentVariable("KOVRA_FIXTURES");
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

// A photograph: colours that change everywhere. A drawing: black lines on white.
QImage photo(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            line[x] = qRgb((x * 7 + y) % 256, (y * 5 + x * x / 97) % 256, (x ^ y) % 256);
        }
    }
    return image;
}

QImage drawing(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawPolygon(QPolygon({{10, size.height() - 10},
                                  {size.width() - 10, size.height() - 10},
                                  {size.width() / 2, 10}}));
    return image;
}

// A content folder of three questions whose figures are given as files.
QString writeFolder(const QTemporaryDir &dir, const QList<QByteArray> &figures)
{
    QJsonArray questions;
    QDir(dir.path()).mkdir(u"figures"_s);
    for (int i = 0; i < 3; ++i) {
        QJsonObject question{{u"text"_s, u"Въпрос %1?"_s.arg(i + 1)},
                             {u"choices"_s, QJsonArray{u"да"_s, u"не"_s}},
                             {u"key"_s, u"да"_s},
                             {u"explanation"_s, QJsonArray{u"Защото."_s}}};
        if (i < figures.size()) {
            const QString name = u"figures/f%1.%2"_s.arg(i).arg(
                figures[i].startsWith("\x89PNG") ? u"png"_s : u"jpg"_s);
            QFile file(dir.filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write(figures[i]);
            question.insert(u"figure"_s, name);
        }
        questions.append(question);
    }
    const QJsonObject set{
        {u"settings"_s, QJsonArray{u"Настройки"_s, u"Фраза - 0"_s, u"Тото - 0"_s, u"Заглавие"_s,
                                   u"Описание - 1"_s, u"Обяснения - 1"_s}},
        {u"questions"_s, questions}};
    QFile file(dir.filePath(u"content.json"_s));
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(set).toJson());
    return dir.path();
}

// A ZIP archive of the given entries, each with its Unix mode.
using Entry = std::tuple<QByteArray, QByteArray, quint32>;
QByteArray zipOf(const QList<Entry> &entries)
{
    ZipWriter archive;
    for (const auto &[name, data, mode] : entries) {
        archive.add(name, data, true, mode);
    }
    return archive.finish().value_or(QByteArray());
}

QByteArray sound()
{
    const std::optional<TestFiles> files = readContentFolder(fixtures() + u"/small"_s).files;
    return makeTestArchive(*files).archive.value_or(QByteArray());
}

// The small fixture's files with one entry replaced or added.
QByteArray soundWith(const QByteArray &name, const QByteArray &bytes, quint32 mode = 0100644)
{
    const std::optional<TestFiles> files = readTestArchive(sound()).files;
    QList<Entry> entries{{"content.json", files->json, 0100644}};
    if (name != "figures/q01.jpg") {
        entries.append({"figures/q01.jpg", *files->figures(u"figures/q01.jpg"_s), 0100644});
    }
    entries.append({name, bytes, mode});
    return zipOf(entries);
}

// Bytes with `value` written at `at`, little-endian in `size` bytes.
QByteArray patched(QByteArray bytes, qsizetype at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

// A test of `count` questions, each naming `figure`, as one file or, `distinct`, as a file of
// its own ("#" in the question is its number).
QByteArray testOf(int count, const QByteArray &question, const QByteArray &figure = {},
                  bool distinct = false)
{
    QByteArray json = R"({"settings": ["1 - 0", "2 - 0", "3 - 0", "4", "5 - 1", "6 - 0"],
                          "questions": [)";
    QList<Entry> entries;
    for (int i = 0; i < count; ++i) {
        const QByteArray number = distinct ? QByteArray::number(i) : "0";
        json += (i > 0 ? "," : "") + QByteArray(question).replace("#", number) + "\n";
        if (!figure.isEmpty() && (distinct || i == 0)) {
            entries.append({"figures/q" + number + ".png", figure, 0100644});
        }
    }
    entries.prepend({"content.json", json + "]}", 0100644});
    return zipOf(entries);
}
constexpr char kQuestion[] = R"({"text": "Q", "choices": ["a", "b"], "key": "a",
    "explanation": ["E"], "figure": "figures/q#.png"})";

// A JPEG whose header claims a size its data does not have.
QByteArray claimingJpeg(quint16 side)
{
    QByteArray bytes = encoded(drawing({40, 40}), "jpeg");
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    for (const qsizetype at : {frame + 5, frame + 7}) {
        bytes[at] = char(side >> 8);
        bytes[at + 1] = char(side & 0xFF);
    }
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(ProblemKind)

class TestTestFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writtenFileReadsBack_data();
    void writtenFileReadsBack();
    void badFileRefused_data();
    void badFileRefused();
};

void TestTestFile::writtenFileReadsBack_data()
{
    QTest::addColumn<QList<QByteArray>>("figures"); // none: the built-in set
    QTest::addColumn<QList<QSize>>("stored");       // the size each figure is held in
    QTest::addColumn<QList<QSize>>("kept");         // the size of its file in the test file
    QTest::addColumn<QByteArrayList>("suffixes");
    QTest::addColumn<int>("fitted");
    QTest::newRow("built-in set") << QList<QByteArray>() << QList<QSize>() << QList<QSize>()
                                  << QByteArrayList() << 0;
    QTest::newRow("a photo shrinks, a drawing turns crisp, a small one stays as it is")
        << QList<QByteArray>{encoded(photo({4000, 3000}), "jpeg"),
                             encoded(drawing({1600, 1200}), "jpeg"),
                             encoded(drawing({120, 90}), "png")}
        << QList<QSize>{{365, 274}, {365, 274}, {120, 90}}
        << QList<QSize>{{800, 600}, {800, 600}, {120, 90}} << QByteArrayList{"jpg", "png", "png"}
        << 2;
    QTest::newRow("GIF, BMP and WebP are written as PNG or JPEG")
        << QList<QByteArray>{QByteArray("GIF89a\1\0\1\0\x80\0\0\xff\xff\xff\0\0\0,"
                                        "\0\0\0\0\1\0\1\0\0\2\2D\1\0;",
                                        35),
                             encoded(drawing({120, 90}), "bmp"), encoded(photo({900, 548}), "webp")}
        << QList<QSize>{{1, 1}, {120, 90}, {450, 274}}
        << QList<QSize>{{1, 1}, {120, 90}, {800, 487}} << QByteArrayList{"png", "png", "jpg"} << 3;
    QTest::newRow("a 4000 x 3000 photo read back at 800 pixels on its long side, either way up")
        << QList<QByteArray>{encoded(photo({4000, 3000}), "jpeg"),
                             encoded(photo({3000, 4000}), "jpeg")}
        << QList<QSize>{{365, 274}, {205, 274}} << QList<QSize>{{800, 600}, {600, 800}}
        << QByteArrayList{"jpg", "jpg"} << 2;
}

void TestTestFile::writtenFileReadsBack()
{
    QFETCH(QList<QByteArray>, figures);
    QFETCH(QList<QSize>, stored);
    QFETCH(QList<QSize>, kept);
    QFETCH(QByteArrayList, suffixes);
    QFETCH(int, fitted);
    QTemporaryDir dir;
    const QString folder =
        figures.isEmpty() ? QString::fromLatin1(kBuiltInFolder) : writeFolder(dir, figures);
    const std::optional<TestFiles> files = readContentFolder(folder).files;
    QVERIFY(files);
    const WrittenTest written = makeTestArchive(*files);
    QVERIFY(written.archive);
    QCOMPARE(makeTestArchive(*files).archive, written.archive); // the same files, the same bytes
    QCOMPARE(QByteArray(written.archive->mid(30, 32)),
             QByteArray("mimetypeapplication/x-kovra-test"));

    const QString path = dir.filePath(u"test.kovra"_s);
    QVERIFY(saveFile(path, *written.archive).empty());
    const LoadResult read = loadTestFile(path);
    QVERIFY(read.content);
    // The same lists; the figures differ only where they were fitted.
    const QByteArray before = dumpContent(*loadContent(files->json, files->figures).content);
    const QByteArray after = dumpContent(*read.content);
    const auto lists = [](const QByteArray &dump) { return dump.left(dump.indexOf("Picture1(")); };
    QCOMPARE(lists(after), lists(before));
    QCOMPARE(written.fittedFigures, fitted);
    const TestFiles inside = *readTestArchive(*written.archive, FigureUse::Paper).files;
    for (int i = 0; i < stored.size(); ++i) {
        QCOMPARE(read.content->Picture1(i + 1).size(), stored[i]);
        const auto bytes = inside.figures(u"figures/q%1.%2"_s.arg(i + 1, 2, 10, QChar(u'0'))
                                              .arg(QString::fromLatin1(suffixes[i])));
        QVERIFY2(bytes, qPrintable(QString::number(i)));
        QCOMPARE(QImage::fromData(*bytes).size(), kept[i]);
        const bool jpegOrPng =
            figures[i].startsWith("\x89PNG") || figures[i].startsWith("\xFF\xD8");
        if (jpegOrPng && kept[i] == QImage::fromData(figures[i]).size()) {
            QCOMPARE(*bytes, figures[i]); // kept byte for byte
        }
    }
}

void TestTestFile::badFileRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("path"); // instead of the bytes: a path that is no test file
    QTest::addColumn<ProblemKind>("kind");
    QTest::addColumn<QString>("words"); // part of the message

    const QByteArray whole = sound();
    QByteArray damaged = whole;
    damaged[damaged.indexOf("content.json") + 40] = '\x55';
    const auto row = [](const char *name, const QByteArray &bytes, ProblemKind kind,
                        const QString &words, const QString &path = {}) {
        QTest::newRow(name) << bytes << path << kind << words;
    };
    row("empty", QByteArray(), ProblemKind::NotATestFile, u"not a test file"_s);
    row("not a ZIP archive", "{\"settings\": []}", ProblemKind::NotATestFile, u"not a test file"_s);
    row("cut short", whole.left(whole.size() - 30), ProblemKind::NotATestFile, u"cut short"_s);
    row("damaged", damaged, ProblemKind::NotATestFile, u"content.json"_s);
    row("ZIP bomb", soundWith("figures/big.png", QByteArray(33 * 1024 * 1024, '\0')),
        ProblemKind::UnpackedTooLarge, u"ZIP bomb"_s);
    row("oversized content", zipOf({{"content.json", QByteArray(9 * 1024 * 1024, ' '), 0100644}}),
        ProblemKind::UnpackedTooLarge, u"content.json"_s);
    row("malformed content", zipOf({{"content.json", "{\"settings\": [", 0100644}}),
        ProblemKind::Malformed, u"not valid JSON"_s);
    row("climbing name", soundWith("../evil.sh", "x"), ProblemKind::UnsafeEntryName,
        u"../evil.sh"_s);
    row("absolute name", soundWith("/etc/evil", "x"), ProblemKind::UnsafeEntryName, u"/etc/evil"_s);
    row("link", soundWith("figures/q02.jpg", "/etc/passwd", 0120777), ProblemKind::EntryIsLink,
        u"figures/q02.jpg"_s);
    row("no content file",
        zipOf({{"figures/q01.jpg", encoded(drawing({40, 40}), "jpeg"), 0100644}}),
        ProblemKind::NoContentFile, u"content.json"_s);
    row(
        "too many files",
        [] {
            QList<Entry> entries;
            for (int i = 0; i <= kMaxTestFileEntries; ++i) {
                entries.append({"f" + QByteArray::number(i), "x", 0100644});
            }
            return zipOf(entries);
        }(),
        ProblemKind::TooManyEntries, QString::number(kMaxTestFileEntries + 1));
    row("figure claiming 30000 x 30000", soundWith("figures/q01.jpg", claimingJpeg(30000)),
        ProblemKind::FigureTooLarge, u"30000 × 30000"_s);
    row("figure that is no image", soundWith("figures/q01.jpg", "\xFF\xD8\xFF, a JPEG, it says"),
        ProblemKind::FigureCorrupt, u"figures/q01.jpg"_s);
    // Each of the following would hold a core or hundreds of megabytes if it were not refused
    // before the bytes it guards, or read in bounded time and memory.
    const QByteArray gif("GIF89a\1\0\1\0\x80\0\0\xff\xff\xff\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;",
                         35);
    row("GIF figure in a test file", soundWith("figures/q01.jpg", gif), ProblemKind::FigureFormat,
        u"not a JPEG or PNG"_s);
    row("BMP figure in a test file", soundWith("figures/q01.jpg", encoded(drawing({9, 9}), "bmp")),
        ProblemKind::FigureFormat, u"figures/q01.jpg"_s);
    QByteArray scans = encoded(photo({64, 64}), "jpeg");
    scans.insert(scans.size() - 2, QByteArray("\xFF\xDA\0\x08\1\1\0\0\x3F\0\0", 11).repeated(5000));
    row("JPEG of 5000 scans", soundWith("figures/q01.jpg", scans), ProblemKind::FigureScans,
        u"more than 64 scans"_s);
    const QByteArray png = encoded(drawing({64, 64}), "png");
    // A text chunk that unpacks to 8 MiB, its check sum left wrong: never unpacked.
    const QByteArray text =
        "zTXtComment" + QByteArray(2, '\0') + qCompress(QByteArray(8 << 20, 'x')).mid(4);
    QByteArray texts(4, '\0');
    qToBigEndian<quint32>(quint32(text.size() - 4), texts.data());
    texts += text + "CRC!";
    row("PNG of 300 compressed texts",
        soundWith("figures/q01.jpg", QByteArray(png).insert(33, texts.repeated(300))),
        ProblemKind::FigureChunks, u"more than 256 ancillary"_s);
    row("PNG of 200 compressed texts",
        testOf(3, kQuestion, QByteArray(png).insert(33, texts.repeated(200))), ProblemKind::NotKept,
        {});
    const quint32 side = qToBigEndian(7000U);
    row("PNG of 49 million pixels",
        testOf(3, kQuestion, patched(patched(png, 16, side, 4), 20, side, 4)),
        ProblemKind::FigureTooLargeWhole, u"7000 × 7000"_s);
    QImage white(4000, 3000, QImage::Format_RGB32);
    white.fill(Qt::white);
    row("four PNG figures of 12 million pixels",
        testOf(4, kQuestion, encoded(white.convertToFormat(QImage::Format_Mono), "png"), true),
        ProblemKind::FiguresTooLargeInAll, u"40 million pixels in all"_s);
    row("JPEG of 49 million pixels named by 29 questions",
        testOf(29, kQuestion, claimingJpeg(7000)), ProblemKind::NotKept, {});
    row("20000 choices",
        testOf(3, "{\"text\": \"Q\", \"key\": \"a\", \"explanation\": [\"E\"], \"choices\": [" +
                      QByteArray("\"a\",").repeated(19999) + "\"a\"]}"),
        ProblemKind::ChoiceCount, u"has 20000"_s);
    QByteArray faults = "{";
    for (int i = 0; i < 300000; ++i) {
        faults += "\"x" + QByteArray::number(i) + "\": 0, ";
    }
    row("300000 faults", zipOf({{"content.json", faults + "\"y\": 0}", 0100644}}),
        ProblemKind::UnknownField, u"more problems"_s);
    // Any character is held, one beyond the Basic Multilingual Plane too; half of one is not.
    row("half of a character outside the BMP",
        testOf(3, "{\"text\": \"\\ud83d\", \"choices\": [\"a\", \"b\"], \"key\": \"a\", "
                  "\"explanation\": [\"E\"]}"),
        ProblemKind::NotWindows1251, u"(U+d83d)"_s);
    const QByteArray two = zipOf({{"content.json", "{}", 0100644}, {"b", "b", 0100644}});
    const qsizetype directory = two.indexOf("PK\1\2");
    const qsizetype second = two.indexOf("PK\1\2", directory + 1);
    row("overlapping entries", patched(two, second + 42, 0, 4), ProblemKind::NotATestFile,
        u"overlap"_s);
    row("bzip2 entry", patched(patched(two, 8, 12, 2), directory + 10, 12, 2),
        ProblemKind::NotATestFile, u"other than stored or deflated"_s);
    const QByteArray stored = [] {
        ZipWriter w;
        w.add("content.json", "{}", false);
        return *w.finish();
    }();
    const qsizetype storedAt = stored.indexOf("PK\1\2");
    row("wrong CRC, size claiming more",
        patched(patched(patched(patched(stored, 14, 1, 4), 22, 9, 4), storedAt + 16, 1, 4),
                storedAt + 24, 9, 4),
        ProblemKind::NotATestFile, u"size differs"_s);
    row("wrong CRC in both headers", patched(patched(stored, 14, 1, 4), storedAt + 16, 1, 4),
        ProblemKind::NotATestFile, u"check sum"_s);
    row("long comment", patched(whole, whole.size() - 2, 0xFFFF, 2) + QByteArray(0xFFFF, 'c'),
        ProblemKind::NotKept, {});
    row("missing path", {}, ProblemKind::NoSuchFile, u"does not exist"_s, u"missing.kovra"_s);
    row("a folder", {}, ProblemKind::IsAFolder, u"a folder"_s, u"."_s);
    row("larger than a test file may be", {}, ProblemKind::FileTooLarge, u"67108865 bytes"_s,
        u"big"_s);
}

void TestTestFile::badFileRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, path);
    QFETCH(ProblemKind, kind);
    QFETCH(QString, words);
    QTemporaryDir dir;
    QFile file(dir.filePath(path.isEmpty() ? u"test.kovra"_s : path));
    if (path.isEmpty() || path == u"big"_s) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        if (path == u"big"_s) {
            file.resize(kMaxTestFileBytes + 1);
        }
        file.close();
    }
    if (const QString out = qEnvironmentVariable("KOVRA_HOSTILE_OUT"); !out.isEmpty()) {
        QFile::copy(file.fileName(), out + u'/' + QString::fromLatin1(QTest::currentDataTag()));
    }
    QTest::failOnWarning(QRegularExpression(u".*"_s)); // no library noise
    const LoadResult loaded = loadTestFile(file.fileName());
    QVERIFY(loaded.problems.size() <= kMaxProblemsKept + 1);
    if (words.isEmpty()) { // read in bounded time and memory, and accepted
        QVERIFY2(
            loaded.content,
            qPrintable(loaded.problems.empty() ? QString() : describe(loaded.problems.front())));
        return;
    }
    QVERIFY(!loaded.content);
    QVERIFY(!loaded.problems.empty());
    const auto found = std::find_if(loaded.problems.begin(), loaded.problems.end(),
                                    [kind](const Problem &p) { return p.kind == kind; });
    const Problem &problem = found == loaded.problems.end() ? loaded.problems.front() : *found;
    QCOMPARE(problem.kind, kind);
    const QString last = describe(loaded.problems.back());
    QVERIFY2(describe(problem).contains(words) || last.contains(words), qPrintable(last));
    // In the program's language every word is Bulgarian, but for names, numbers and formats.
    QVERIFY(installTranslation(QLocale(QLocale::Bulgarian)));
    QString bulgarian = describe(problem);
    installTranslation(QLocale(QLocale::English));
    bulgarian.remove(QRegularExpression(
        u"«[^»]*»|„[^“]*“|[\\w/]+\\.json|\\b(ZIP|JSON|MiB|UTF-8|JPEG|PNG|GIF|BMP|WebP|ZIP64)\\b|\\d+ × \\d+|Windows-1251|U\\+[0-9a-f]+"_s));
    QVERIFY2(!bulgarian.contains(QRegularExpression(u"[A-Za-z]"_s)), qPrintable(bulgarian));
}

QTEST_GUILESS_MAIN(TestTestFile)
#include "test_testfile.moc"
