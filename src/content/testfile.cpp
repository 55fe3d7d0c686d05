// SPDX-License-Identifier: GPL-3.0-or-later
#include "testfile.h"

#include "figures.h"
#include "ziparchive.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <memory>
#include <unzip.h>

namespace kovra {

namespace {

constexpr char kMimeTypeEntry[] = "mimetype";

Problem fileProblem(ProblemKind kind, const QString &detail = {})
{
    return {kind, Severity::Error, 0, QString(), detail};
}

TestFilesResult refused(ProblemKind kind, const QString &detail = {})
{
    return {std::nullopt, {fileProblem(kind, detail)}};
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

// What the ZIP reader found, as the code of a NotATestFile detail that describe() words.
QString zipFault(int code)
{
    switch (code) {
    case UNZ_CRCERROR:
        return QStringLiteral("crc");
    case ZipReader::kNoArchive:
        return QStringLiteral("nodirectory");
    case ZipReader::kOverlap:
        return QStringLiteral("overlap");
    case ZipReader::kMethod:
        return QStringLiteral("method");
    case ZipReader::kZip64:
        return QStringLiteral("zip64");
    case ZipReader::kSizeMismatch:
        return QStringLiteral("size");
    case UNZ_ERRNO:
    case Z_BUF_ERROR:
        return QStringLiteral("short");
    case Z_DATA_ERROR:
        return QStringLiteral("data");
    case Z_MEM_ERROR:
        return QStringLiteral("memory");
    default: // UNZ_BADZIPFILE, and what minizip and zlib say of a header they cannot follow
        return QStringLiteral("damaged");
    }
}

} // namespace

TestFilesResult readContentFolder(const QString &folder)
{
    QFile file(folder + QLatin1Char('/') + QLatin1String(kContentFileName));
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt,
                {{ProblemKind::Unreadable, Severity::Error, 0, QString(), file.fileName()}}};
    }
    const FigureFiles figures = [folder](const QString &name) -> std::optional<QByteArray> {
        QFile figure(folder + QLatin1Char('/') + name);
        if (!figure.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        // One byte past the limit tells a file too large, without reading it all.
        return figure.read(std::min(figure.size(), kMaxEntryBytes) + 1);
    };
    return {TestFiles{file.readAll(), figures}, {}};
}

TestFilesResult readTestArchive(const QByteArray &bytes)
{
    if (bytes.size() > kMaxTestFileBytes) {
        return refused(ProblemKind::FileTooLarge, QString::number(bytes.size()));
    }
    if (bytes.isEmpty()) {
        return refused(ProblemKind::NotATestFile, QStringLiteral("empty"));
    }
    ZipReader archive(bytes);
    if (!archive.isOpen()) {
        return refused(ProblemKind::NotATestFile, zipFault(archive.fault()));
    }
    const qint64 count = archive.entryCount();
    if (count > kMaxTestFileEntries) {
        return refused(ProblemKind::TooManyEntries, QString::number(count));
    }
    if (!archive.checkLayout(kMaxTestFileEntries)) {
        const QString entry = archive.faultEntry();
        return refused(ProblemKind::NotATestFile,
                       entry.isEmpty() ? zipFault(archive.fault())
                                       : entry + QLatin1Char('\t') + zipFault(archive.fault()));
    }
    auto entries = std::make_shared<QHash<QString, QByteArray>>();
    qint64 unpacked = 0;
    int seen = 0;
    for (bool more = archive.goToFirst(); more; more = archive.goToNext()) {
        if (++seen > kMaxTestFileEntries) {
            return refused(ProblemKind::TooManyEntries, QString::number(seen));
        }
        const std::optional<ZipReader::Entry> info = archive.entry();
        if (!info) {
            return refused(ProblemKind::NotATestFile, zipFault(archive.fault()));
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
        if (entries->contains(name)) {
            return refused(ProblemKind::DuplicateEntry, name);
        }
        const qint64 limit =
            std::min(kMaxUnpackedBytes - unpacked,
                     name == QLatin1String(kContentFileName) ? kMaxContentBytes : kMaxEntryBytes);
        std::optional<QByteArray> entry = archive.read(limit);
        if (!entry) {
            return archive.fault() == 0
                       ? refused(ProblemKind::UnpackedTooLarge, name)
                       : refused(ProblemKind::NotATestFile,
                                 name + QLatin1Char('\t') + zipFault(archive.fault()));
        }
        unpacked += entry->size();
        entries->insert(name, *entry);
    }
    if (archive.fault() != 0) {
        return refused(ProblemKind::NotATestFile, zipFault(archive.fault()));
    }
    if (!entries->contains(QLatin1String(kContentFileName))) {
        return refused(ProblemKind::NoContentFile);
    }
    const auto type = entries->constFind(QLatin1String(kMimeTypeEntry));
    if (type != entries->cend() && type->trimmed() != kTestFileMimeType) {
        return refused(ProblemKind::NotATestFile, QStringLiteral("mimetype"));
    }
    const QByteArray json = entries->take(QLatin1String(kContentFileName));
    const FigureFiles figures = [entries](const QString &name) -> std::optional<QByteArray> {
        const auto it = entries->constFind(name);
        return it == entries->cend() ? std::nullopt : std::optional<QByteArray>(*it);
    };
    return {TestFiles{json, figures, FigureSource::TestFile}, {}};
}

TestFilesResult readTestFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return refused(ProblemKind::NoSuchFile);
    }
    if (info.isDir()) {
        return refused(ProblemKind::IsAFolder);
    }
    if (info.size() > kMaxTestFileBytes) {
        return refused(ProblemKind::FileTooLarge, QString::number(info.size()));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refused(ProblemKind::CannotOpen, file.errorString());
    }
    // A file that grew since it was looked at is read no further than the limit.
    const QByteArray bytes = file.read(kMaxTestFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return refused(ProblemKind::CannotOpen, file.errorString());
    }
    return readTestArchive(bytes);
}

LoadResult loadTestFile(const QString &path)
{
    TestFilesResult read = readTestFile(path);
    if (!read.files) {
        return {std::nullopt, std::move(read.problems)};
    }
    return loadContent(read.files->json, read.files->figures, read.files->source);
}

WrittenTest makeTestArchive(const TestFiles &files)
{
    WrittenTest written;
    written.checked = loadContent(files.json, files.figures, files.source);
    if (!written.checked.content) {
        return written;
    }
    // The set passed every rule: content.json is an object of questions, every figure reads.
    QJsonObject root = QJsonDocument::fromJson(files.json).object();
    QJsonArray questions = root.value(QStringLiteral("questions")).toArray();
    std::vector<std::pair<QByteArray, QByteArray>> figures; // stored name, bytes
    QHash<QString, QString> storedAs; // a file several questions name is stored once
    for (qsizetype i = 0; i < questions.size(); ++i) {
        QJsonObject question = questions.at(i).toObject();
        const QJsonValue name = question.value(QStringLiteral("figure"));
        if (!name.isString()) {
            question.remove(QStringLiteral("figure"));
            questions[i] = question;
            continue;
        }
        if (const auto stored = storedAs.constFind(name.toString()); stored != storedAs.cend()) {
            question.insert(QStringLiteral("figure"), *stored);
            questions[i] = question;
            continue;
        }
        const std::optional<QByteArray> bytes = files.figures(name.toString());
        const std::optional<FittedFigure> fitted = bytes ? fitFigureFile(*bytes) : std::nullopt;
        if (!fitted) {
            written.checked.problems.push_back({ProblemKind::FigureCorrupt, Severity::Error,
                                                static_cast<int>(i + 1), QStringLiteral("figure"),
                                                name.toString()});
            written.checked.content.reset();
            return written;
        }
        written.fittedFigures += fitted->refitted ? 1 : 0;
        const QByteArray stored = QStringLiteral("figures/q%1.%2")
                                      .arg(i + 1, 2, 10, QLatin1Char('0'))
                                      .arg(QString::fromLatin1(fitted->suffix))
                                      .toUtf8();
        storedAs.insert(name.toString(), QString::fromUtf8(stored));
        question.insert(QStringLiteral("figure"), QString::fromUtf8(stored));
        questions[i] = question;
        figures.emplace_back(stored, fitted->bytes);
    }
    root.insert(QStringLiteral("questions"), questions);
    const QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Indented);

    ZipWriter writer;
    const QByteArray type(kTestFileMimeType);
    bool ok = writer.add(kMimeTypeEntry, type, false) && writer.add(kContentFileName, json, true);
    for (const auto &[name, bytes] : figures) {
        // Figures are compressed images already.
        ok = ok && writer.add(name, bytes, false);
    }
    written.archive = ok ? writer.finish() : std::nullopt;
    if (!written.archive) {
        written.checked.problems.push_back({ProblemKind::CannotWrite, Severity::Error, 0, QString(),
                                            QStringLiteral("%1\tthe archive could not be made")
                                                .arg(QLatin1String(kTestFileSuffix))});
    }
    return written;
}

Problems saveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return {};
    }
    return {{ProblemKind::CannotWrite, Severity::Error, 0, QString(),
             path + QLatin1Char('\t') + file.errorString()}};
}

} // namespace kovra
