// SPDX-License-Identifier: GPL-3.0-or-later
#include "testfile.h"

#include "figures.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <memory>
#include <sys/stat.h>
#include <zip.h>

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

struct ZipCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using Zip = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

QString zipWords(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
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

bool isLink(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0) {
        return false;
    }
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

// Reads an entry to its end, at most `limit` bytes; none when it holds more, whatever its
// header says, or does not unpack.
std::optional<QByteArray> readEntry(zip_t *archive, zip_uint64_t index, qint64 limit,
                                    QString &fault)
{
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file) {
        fault = QString::fromLocal8Bit(zip_strerror(archive));
        return std::nullopt;
    }
    QByteArray bytes;
    constexpr qint64 kChunk = 64 * 1024;
    for (;;) {
        const qint64 at = bytes.size();
        const qint64 want = std::min(kChunk, limit + 1 - at);
        if (want <= 0) {
            return std::nullopt; // past the limit
        }
        bytes.resize(at + want);
        const zip_int64_t got =
            zip_fread(file.get(), bytes.data() + at, static_cast<zip_uint64_t>(want));
        if (got < 0) {
            fault = QString::fromLocal8Bit(zip_file_strerror(file.get()));
            return std::nullopt;
        }
        bytes.resize(at + got);
        if (got == 0) {
            return bytes;
        }
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
        return figure.readAll();
    };
    return {TestFiles{file.readAll(), figures}, {}};
}

TestFilesResult readTestArchive(const QByteArray &bytes)
{
    if (bytes.size() > kMaxTestFileBytes) {
        return refused(ProblemKind::FileTooLarge, QString::number(bytes.size()));
    }
    if (bytes.isEmpty()) {
        return refused(ProblemKind::NotATestFile, QStringLiteral("the file is empty"));
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(
        bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error);
    Zip archive(source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error)
                       : nullptr);
    if (!archive) {
        if (source) {
            zip_source_free(source);
        }
        const QString words = zipWords(&error);
        zip_error_fini(&error);
        return refused(ProblemKind::NotATestFile, words);
    }
    zip_error_fini(&error);

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count > kMaxTestFileEntries) {
        return refused(ProblemKind::TooManyEntries, QString::number(count));
    }
    auto entries = std::make_shared<QHash<QString, QByteArray>>();
    qint64 unpacked = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) {
            return refused(ProblemKind::NotATestFile,
                           QString::fromLocal8Bit(zip_strerror(archive.get())));
        }
        const QString name = QString::fromUtf8(stat.name);
        if (unsafeName(name)) {
            return refused(ProblemKind::UnsafeEntryName, name);
        }
        if (isLink(archive.get(), index)) {
            return refused(ProblemKind::EntryIsLink, name);
        }
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
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
        QString fault;
        std::optional<QByteArray> data = readEntry(archive.get(), index, limit, fault);
        if (!data) {
            return fault.isEmpty() ? refused(ProblemKind::UnpackedTooLarge, name)
                                   : refused(ProblemKind::NotATestFile,
                                             QStringLiteral("%1: %2").arg(name, fault));
        }
        unpacked += data->size();
        entries->insert(name, std::move(*data));
    }
    const auto content = entries->constFind(QLatin1String(kContentFileName));
    if (content == entries->cend()) {
        return refused(ProblemKind::NoContentFile);
    }
    const auto type = entries->constFind(QLatin1String(kMimeTypeEntry));
    if (type != entries->cend() && type->trimmed() != kTestFileMimeType) {
        return refused(ProblemKind::NotATestFile,
                       QStringLiteral("%1 is not %2")
                           .arg(QLatin1String(kMimeTypeEntry), QLatin1String(kTestFileMimeType)));
    }
    const QByteArray json = *content;
    entries->remove(QLatin1String(kContentFileName));
    const FigureFiles figures = [entries](const QString &name) -> std::optional<QByteArray> {
        const auto it = entries->constFind(name);
        return it == entries->cend() ? std::nullopt : std::optional<QByteArray>(*it);
    };
    return {TestFiles{json, figures}, {}};
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
    return loadContent(read.files->json, read.files->figures);
}

namespace {

// Builds a ZIP archive in memory, entry by entry, with the same bytes for the same entries.
class ArchiveWriter
{
public:
    ArchiveWriter()
    {
        zip_error_init(&m_error);
        m_out = zip_source_buffer_create(nullptr, 0, 0, &m_error);
        if (m_out) {
            zip_source_keep(m_out);
            m_archive = zip_open_from_source(m_out, ZIP_CREATE | ZIP_TRUNCATE, &m_error);
        }
    }
    ~ArchiveWriter()
    {
        if (m_archive) {
            zip_discard(m_archive);
        }
        if (m_out) {
            zip_source_free(m_out);
        }
        zip_error_fini(&m_error);
    }
    ArchiveWriter(const ArchiveWriter &) = delete;
    ArchiveWriter &operator=(const ArchiveWriter &) = delete;

    // The bytes must live until finish().
    bool add(const char *name, const QByteArray &bytes, bool compress)
    {
        if (!m_archive) {
            return false;
        }
        zip_source_t *source = zip_source_buffer(m_archive, bytes.constData(),
                                                 static_cast<zip_uint64_t>(bytes.size()), 0);
        const zip_int64_t index =
            source ? zip_file_add(m_archive, name, source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source) {
                zip_source_free(source);
            }
            return false;
        }
        const auto at = static_cast<zip_uint64_t>(index);
        // A fixed time: the same test makes the same file.
        static const time_t kTime =
            QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
        return zip_set_file_compression(m_archive, at, compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                        compress ? 9 : 0) == 0 &&
               zip_file_set_mtime(m_archive, at, kTime, 0) == 0;
    }

    std::optional<QByteArray> finish()
    {
        if (!m_archive || zip_close(m_archive) != 0) {
            return std::nullopt;
        }
        m_archive = nullptr;
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_source_stat(m_out, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            zip_source_open(m_out) != 0) {
            return std::nullopt;
        }
        QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        const zip_int64_t read =
            zip_source_read(m_out, bytes.data(), static_cast<zip_uint64_t>(bytes.size()));
        zip_source_close(m_out);
        if (read != bytes.size()) {
            return std::nullopt;
        }
        return bytes;
    }

private:
    zip_error_t m_error;
    zip_source_t *m_out = nullptr;
    zip_t *m_archive = nullptr;
};

} // namespace

WrittenTest makeTestArchive(const TestFiles &files)
{
    WrittenTest written;
    written.checked = loadContent(files.json, files.figures);
    if (!written.checked.content) {
        return written;
    }
    // The set passed every rule: content.json is an object of questions, every figure reads.
    QJsonObject root = QJsonDocument::fromJson(files.json).object();
    QJsonArray questions = root.value(QStringLiteral("questions")).toArray();
    std::vector<std::pair<QByteArray, QByteArray>> figures; // stored name, bytes
    for (qsizetype i = 0; i < questions.size(); ++i) {
        QJsonObject question = questions.at(i).toObject();
        const QJsonValue name = question.value(QStringLiteral("figure"));
        if (!name.isString()) {
            question.remove(QStringLiteral("figure"));
            questions[i] = question;
            continue;
        }
        const std::optional<QByteArray> bytes = files.figures(name.toString());
        const std::optional<FittedFigure> fitted =
            bytes ? fitFigureFile(*bytes, QFileInfo(name.toString()).suffix().toLower().toLatin1())
                  : std::nullopt;
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
        question.insert(QStringLiteral("figure"), QString::fromUtf8(stored));
        questions[i] = question;
        figures.emplace_back(stored, fitted->bytes);
    }
    root.insert(QStringLiteral("questions"), questions);
    const QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Indented);

    ArchiveWriter writer;
    const QByteArray type(kTestFileMimeType);
    bool ok = writer.add(kMimeTypeEntry, type, false) && writer.add(kContentFileName, json, true);
    for (const auto &[name, bytes] : figures) {
        // Figures are compressed images already.
        ok = ok && writer.add(name.constData(), bytes, false);
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
