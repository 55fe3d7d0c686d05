// SPDX-License-Identifier: GPL-3.0-or-later
#include "testfile.h"

#include "content/content_json.h"
#include "fitting.h"
#include "ziparchive.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <memory>

namespace kovra {

namespace {

constexpr char kMimeTypeEntry[] = "mimetype";
constexpr char kPaperFolder[] = "figures/paper/";

// The name of an entry without its ending ("figures/q01"), by which a figure's paper copy is
// found whatever format each is stored in.
QString withoutEnding(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > name.lastIndexOf(QLatin1Char('/')) ? name.left(dot) : name;
}

TestFilesResult refused(Problem problem)
{
    return {std::nullopt, {std::move(problem)}};
}

TestFilesResult refused(ProblemKind kind, const QString &text = {})
{
    return refused({.kind = kind, .text = text});
}

TestFilesResult refused(ZipFault fault, const QString &entry = {})
{
    return refused({.kind = ProblemKind::NotATestFile, .text = entry, .zip = fault});
}

TestFilesResult refusedCount(ProblemKind kind, qint64 count, qint64 limit)
{
    return refused({.kind = kind, .count = count, .limit = limit});
}

// A name under which no file may lie: the archive is never unpacked to disk, but a name that
// would climb out of a folder or name a drive marks a file made to do harm.
bool unsafeName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1Char(':')) || name.contains(QChar(0))) {
        return true;
    }
    const QStringList parts = name.split(QLatin1Char('/'));
    return std::any_of(parts.begin(), parts.end(),
                       [](const QString &part) { return part == QLatin1String(".."); });
}

// Every entry of the archive read, with its limits; a refusal when one passes them.
std::optional<TestFilesResult> readEntries(ZipReader &archive, FigureUse use,
                                           QHash<QString, QByteArray> &entries)
{
    qint64 unpacked = 0;
    int seen = 0;
    for (bool more = archive.goToFirst(); more; more = archive.goToNext()) {
        if (++seen > kMaxTestFileEntries) {
            return refusedCount(ProblemKind::TooManyEntries, seen, kMaxTestFileEntries);
        }
        const std::optional<ZipReader::Entry> info = archive.entry();
        if (!info) {
            return refused(archive.fault().value_or(ZipFault::Unknown));
        }
        const QString &name = info->name;
        if (unsafeName(name)) {
            return refused(ProblemKind::UnsafeEntryName, name);
        }
        if (info->link) {
            return refused(ProblemKind::EntryIsLink, name);
        }
        if (info->encrypted) {
            return refused(ProblemKind::EncryptedEntry, name);
        }
        if (name.endsWith(QLatin1Char('/'))) {
            continue; // a folder
        }
        if (entries.contains(name)) {
            return refused(ProblemKind::DuplicateEntry, name);
        }
        if (use == FigureUse::Screen && name.startsWith(QLatin1String(kPaperFolder))) {
            continue; // not read: the player shows the screen's figures
        }
        const qint64 limit =
            std::min(kMaxUnpackedBytes - unpacked,
                     name == QLatin1String(kContentFileName) ? kMaxContentBytes : kMaxEntryBytes);
        std::optional<QByteArray> entry = archive.read(limit);
        if (!entry) {
            const std::optional<ZipFault> fault = archive.fault();
            return fault ? refused(*fault, name)
                         : refused({.kind = ProblemKind::UnpackedTooLarge,
                                    .text = name,
                                    .count = kMaxContentBytes / kMiB,
                                    .limit = kMaxEntryBytes / kMiB,
                                    .width = static_cast<int>(kMaxUnpackedBytes / kMiB)});
        }
        unpacked += entry->size();
        entries.insert(name, *entry);
    }
    if (archive.fault()) {
        return refused(archive.fault().value_or(ZipFault::Unknown));
    }
    return std::nullopt;
}

// content.json and the figures it names; for paper, a figure's name gives its paper copy where
// there is one.
TestFiles testFiles(std::shared_ptr<QHash<QString, QByteArray>> entries)
{
    const QByteArray json = entries->take(QLatin1String(kContentFileName));
    auto paper = std::make_shared<QHash<QString, QString>>();
    for (auto it = entries->cbegin(); it != entries->cend(); ++it) {
        if (it.key().startsWith(QLatin1String(kPaperFolder))) {
            paper->insert(QStringLiteral("figures/") +
                              withoutEnding(it.key().mid(qsizetype(sizeof kPaperFolder) - 1)),
                          it.key());
        }
    }
    const FigureFiles figures = [entries, paper](const QString &name) -> std::optional<QByteArray> {
        const auto it = entries->constFind(paper->value(withoutEnding(name), name));
        return it == entries->cend() ? std::nullopt : std::optional<QByteArray>(*it);
    };
    return TestFiles{json, figures, FigureSource::TestFile};
}

} // namespace

TestFilesResult readTestArchive(const QByteArray &bytes, FigureUse use)
{
    if (bytes.size() > kMaxTestFileBytes) {
        return refusedCount(ProblemKind::FileTooLarge, bytes.size(), kMaxTestFileBytes);
    }
    if (bytes.isEmpty()) {
        return refused(ZipFault::Empty);
    }
    ZipReader archive(bytes);
    if (!archive.isOpen()) {
        return refused(archive.fault().value_or(ZipFault::Unknown));
    }
    const qint64 count = archive.entryCount();
    if (count > kMaxTestFileEntries) {
        return refusedCount(ProblemKind::TooManyEntries, count, kMaxTestFileEntries);
    }
    if (!archive.checkLayout(kMaxTestFileEntries)) {
        return refused(archive.fault().value_or(ZipFault::Unknown), archive.faultEntry());
    }
    auto entries = std::make_shared<QHash<QString, QByteArray>>();
    if (std::optional<TestFilesResult> refusal = readEntries(archive, use, *entries)) {
        return std::move(*refusal);
    }
    if (!entries->contains(QLatin1String(kContentFileName))) {
        return refused(ProblemKind::NoContentFile);
    }
    const auto type = entries->constFind(QLatin1String(kMimeTypeEntry));
    if (type != entries->cend() && type->trimmed() != kTestFileMimeType) {
        return refused(ZipFault::WrongMimeType);
    }
    return {testFiles(std::move(entries)), {}};
}

TestFilesResult readTestFile(const QString &path, FigureUse use)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return refused(ProblemKind::NoSuchFile);
    }
    if (info.isDir()) {
        return refused(ProblemKind::IsAFolder);
    }
    if (info.size() > kMaxTestFileBytes) {
        return refusedCount(ProblemKind::FileTooLarge, info.size(), kMaxTestFileBytes);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refused(ProblemKind::CannotOpen, file.errorString());
    }
    // No further than its size when it was looked at, and the limit: a file that grew since is
    // read cut short, and refused as an archive. A buffer of the limit's size would take longer
    // to make than a test of photographs takes to read.
    const QByteArray bytes = file.read(std::min(info.size(), kMaxTestFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        return refused(ProblemKind::CannotOpen, file.errorString());
    }
    return readTestArchive(bytes, use);
}

LoadResult loadTestFile(const QString &path)
{
    TestFilesResult read = readTestFile(path);
    if (!read.files) {
        return {std::nullopt, std::move(read.problems)};
    }
    return loadContent(read.files->json, read.files->figures, read.files->source);
}

WrittenTest makeTestArchive(const Test &test, FigureSource source)
{
    WrittenTest written;
    written.checked = loadTest(test, source);
    if (!written.checked.test) {
        return written;
    }
    // The test passed every rule: every figure reads.
    const std::vector<Question> &questions = written.checked.test->questions;
    std::vector<QString> names(questions.size());
    std::vector<std::pair<QByteArray, QByteArray>> figures; // stored name, bytes
    QHash<const char *, QString> storedAs; // a file several questions name is stored once
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const QByteArray &bytes = questions[i].figure.bytes;
        if (bytes.isEmpty()) {
            continue;
        }
        if (const auto stored = storedAs.constFind(bytes.constData()); stored != storedAs.cend()) {
            names[i] = *stored;
            continue;
        }
        const std::optional<FittedFigures> fitted = fitFigureFile(bytes);
        if (!fitted) {
            written.checked.problems.push_back(
                {.kind = ProblemKind::FigureCorrupt,
                 .question = static_cast<int>(i + 1),
                 .place = {ContentField::Figure},
                 .text = figureEntry(static_cast<int>(i + 1), questions[i].figure.suffix)});
            written.checked.content.reset();
            written.checked.test.reset();
            return written;
        }
        written.fittedFigures += fitted->screen.refitted ? 1 : 0;
        const QString number = QStringLiteral("q%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        names[i] =
            QStringLiteral("figures/") + number + u'.' + QString::fromLatin1(fitted->screen.suffix);
        storedAs.insert(bytes.constData(), names[i]);
        figures.emplace_back(names[i].toUtf8(), fitted->screen.bytes);
        if (fitted->paper) {
            figures.emplace_back((QLatin1String(kPaperFolder) + number + u'.' +
                                  QString::fromLatin1(fitted->paper->suffix))
                                     .toUtf8(),
                                 fitted->paper->bytes);
        }
    }
    const QByteArray json = contentJson(*written.checked.test, names);

    ZipWriter writer;
    const QByteArray type(kTestFileMimeType);
    bool ok = writer.add(kMimeTypeEntry, type, false) && writer.add(kContentFileName, json, true);
    for (const auto &[name, bytes] : figures) {
        // Figures are compressed images already.
        ok = ok && writer.add(name, bytes, false);
    }
    written.archive = ok ? writer.finish() : std::nullopt;
    if (!written.archive) {
        written.checked.problems.push_back({.kind = ProblemKind::CannotWrite});
    }
    return written;
}

WrittenTest makeTestArchive(const TestFiles &files)
{
    LoadResult loaded = loadContent(files.json, files.figures, files.source);
    if (!loaded.test) {
        WrittenTest refused;
        refused.checked = std::move(loaded);
        return refused;
    }
    WrittenTest written = makeTestArchive(*loaded.test, files.source);
    for (Problem &problem : written.checked.problems) {
        if (problem.severity == Severity::Error) {
            loaded.problems.push_back(std::move(problem));
        }
    }
    written.checked.problems = std::move(loaded.problems);
    return written;
}

Problems saveFile(const QString &path, const QByteArray &bytes)
{
    // Unbuffered: a write cut short by a full disk is seen here; a buffered one is written out
    // at commit(), which then keeps the cut file as if it were whole. A write the disk cuts short
    // returns what it took, with no error: the rest is written again, and that write fails with
    // the system's reason (no space left, file too large).
    QSaveFile file(path);
    bool whole = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qsizetype at = 0; whole && at < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + at, bytes.size() - at);
        whole = written > 0;
        at += whole ? written : 0;
    }
    if (whole && file.commit()) {
        return {};
    }
    return {{.kind = ProblemKind::CannotWrite, .text = path, .other = file.errorString()}};
}

} // namespace kovra
