// SPDX-License-Identifier: GPL-3.0-or-later
#include "ziparchive.h"

#include <algorithm>
#include <cstring>
#include <unzip.h>
#include <zip.h>

namespace kovra {

namespace {

// The bytes minizip reads or writes through its file functions: a growing array when writing,
// the caller's bytes when reading.
struct Memory
{
    QByteArray *written = nullptr;
    const char *data = nullptr;
    qint64 size = 0;
    qint64 at = 0;
};

voidpf ZCALLBACK openMemory(voidpf opaque, const void * /*name*/, int /*mode*/)
{
    return opaque;
}

uLong ZCALLBACK readMemory(voidpf /*opaque*/, voidpf stream, void *buffer, uLong size)
{
    auto *memory = static_cast<Memory *>(stream);
    const qint64 count =
        std::clamp<qint64>(memory->size - memory->at, 0, static_cast<qint64>(size));
    if (count > 0) {
        std::memcpy(buffer, memory->data + memory->at, static_cast<std::size_t>(count));
        memory->at += count;
    }
    return static_cast<uLong>(count);
}

uLong ZCALLBACK writeMemory(voidpf /*opaque*/, voidpf stream, const void *buffer, uLong size)
{
    auto *memory = static_cast<Memory *>(stream);
    if (memory->written == nullptr) {
        return 0;
    }
    const qint64 end = memory->at + static_cast<qint64>(size);
    if (end > memory->written->size()) {
        memory->written->resize(end);
    }
    if (size > 0) {
        std::memcpy(memory->written->data() + memory->at, buffer, size);
    }
    memory->at = end;
    memory->data = memory->written->constData();
    memory->size = memory->written->size();
    return size;
}

ZPOS64_T ZCALLBACK tellMemory(voidpf /*opaque*/, voidpf stream)
{
    return static_cast<ZPOS64_T>(static_cast<Memory *>(stream)->at);
}

long ZCALLBACK seekMemory(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *memory = static_cast<Memory *>(stream);
    qint64 base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_CUR:
        base = memory->at;
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        base = memory->size;
        break;
    case ZLIB_FILEFUNC_SEEK_SET:
        break;
    default:
        return -1;
    }
    if (offset > static_cast<ZPOS64_T>(memory->size - base)) {
        return -1;
    }
    memory->at = base + static_cast<qint64>(offset);
    return 0;
}

int ZCALLBACK closeMemory(voidpf /*opaque*/, voidpf /*stream*/)
{
    return 0;
}

int ZCALLBACK memoryError(voidpf /*opaque*/, voidpf /*stream*/)
{
    return 0;
}

zlib_filefunc64_def functionsFor(Memory &memory)
{
    return {openMemory, readMemory,  writeMemory, tellMemory,
            seekMemory, closeMemory, memoryError, &memory};
}

quint32 littleEndian(const char *at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8U) | static_cast<uchar>(at[i]);
    }
    return value;
}

constexpr qsizetype kEndRecord = 22; // the end of the central directory, without its comment
constexpr qsizetype kDirectoryEntry = 46;
constexpr qsizetype kLocalHeader = 30;
constexpr qsizetype kLongestComment = 0xFFFF;

// Where the end of the central directory lies: searched from the end back over the longest
// comment, the record whose comment reaches the end of the bytes first, else the last record;
// -1 when there is none.
qsizetype endOfDirectory(const QByteArray &bytes)
{
    const qsizetype last = bytes.size() - kEndRecord;
    qsizetype found = -1;
    for (qsizetype at = last; at >= 0 && at >= last - kLongestComment; --at) {
        if (std::memcmp(bytes.constData() + at, "PK\5\6", 4) == 0) {
            if (at + kEndRecord + littleEndian(bytes.constData() + at + 20, 2) == bytes.size()) {
                return at;
            }
            found = found < 0 ? at : found;
        }
    }
    return found;
}

// 2026-01-01 00:00 in the archive's DOS form: a fixed time, so that the same test makes the
// same file.
constexpr uLong kFixedDosDate = (uLong{2026 - 1980} << 25U) | (1U << 21U) | (1U << 16U);
constexpr uLong kMadeOnUnix = (3U << 8U) | 20U;
constexpr uLong kUtf8Names = 1U << 11U;

} // namespace

struct ZipWriter::State
{
    QByteArray bytes;
    Memory memory{&bytes};
    zipFile archive = nullptr;
    bool ok = false;
};

ZipWriter::ZipWriter() : m_state(std::make_unique<State>())
{
    zlib_filefunc64_def functions = functionsFor(m_state->memory);
    m_state->archive = zipOpen2_64("memory", APPEND_STATUS_CREATE, nullptr, &functions);
    m_state->ok = m_state->archive != nullptr;
}

ZipWriter::~ZipWriter()
{
    if (m_state->archive != nullptr) {
        zipClose(m_state->archive, nullptr);
    }
}

bool ZipWriter::add(const QByteArray &name, const QByteArray &bytes, bool compress, quint32 mode)
{
    if (!m_state->ok) {
        return false;
    }
    zip_fileinfo info{};
    info.dosDate = kFixedDosDate;
    info.external_fa = uLong{mode} << 16U;
    const int method = compress ? Z_DEFLATED : 0;
    const int level = compress ? Z_BEST_COMPRESSION : 0;
    m_state->ok = zipOpenNewFileInZip4_64(m_state->archive, name.constData(), &info, nullptr, 0,
                                          nullptr, 0, nullptr, method, level, 0, -MAX_WBITS,
                                          DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                                          kMadeOnUnix, kUtf8Names, 0) == ZIP_OK &&
                  zipWriteInFileInZip(m_state->archive, bytes.constData(),
                                      static_cast<unsigned>(bytes.size())) == ZIP_OK &&
                  zipCloseFileInZip(m_state->archive) == ZIP_OK;
    return m_state->ok;
}

std::optional<QByteArray> ZipWriter::finish()
{
    const bool closed =
        m_state->archive != nullptr && zipClose(m_state->archive, nullptr) == ZIP_OK;
    m_state->archive = nullptr;
    if (!m_state->ok || !closed) {
        return std::nullopt;
    }
    return m_state->bytes;
}

namespace {
// The reader's own faults, beside minizip's and zlib's codes.
constexpr int kNoArchive = -1000;    // no archive at all
constexpr int kOverlap = -1001;      // entries overlap, or lie out of order
constexpr int kMethod = -1002;       // packed by a method other than stored or deflated
constexpr int kZip64 = -1003;        // a ZIP64 archive, which a test never needs
constexpr int kSizeMismatch = -1004; // an entry's size is not what its header says
} // namespace

struct ZipReader::State
{
    explicit State(const QByteArray &archiveBytes) : bytes(archiveBytes) {}

    const QByteArray &bytes;
    Memory memory;
    unzFile archive = nullptr;
    int fault = 0;
    qint64 entries = 0;
    qsizetype end = -1; // the end of the central directory
    QString faultEntry;

    bool check(int code)
    {
        fault = code == UNZ_OK ? 0 : code;
        return code == UNZ_OK;
    }
};

ZipReader::ZipReader(const QByteArray &bytes) : m_state(std::make_unique<State>(bytes))
{
    // minizip is shown the bytes up to the end of the central directory: it finds that record
    // where this reader does, and a comment longer than minizip searches through is read.
    m_state->end = endOfDirectory(bytes);
    m_state->memory.data = bytes.constData();
    m_state->memory.size = m_state->end < 0 ? bytes.size() : m_state->end + kEndRecord;
    // minizip takes the archive as ZIP64 wherever it finds that record's locator in its search.
    const qsizetype from = std::max<qsizetype>(0, m_state->memory.size - kLongestComment - 1024);
    if (QByteArrayView(bytes).sliced(from, m_state->memory.size - from).contains("PK\6\7")) {
        m_state->fault = kZip64;
        return;
    }
    zlib_filefunc64_def functions = functionsFor(m_state->memory);
    m_state->archive = unzOpen2_64("memory", &functions);
    unz_global_info64 global{};
    if (m_state->archive == nullptr) {
        m_state->fault = kNoArchive;
    } else if (m_state->check(unzGetGlobalInfo64(m_state->archive, &global))) {
        m_state->entries = static_cast<qint64>(global.number_entry);
    }
}

ZipReader::~ZipReader()
{
    if (m_state->archive != nullptr) {
        unzClose(m_state->archive);
    }
}

bool ZipReader::isOpen() const
{
    return m_state->archive != nullptr && m_state->fault == 0;
}

std::optional<ZipFault> ZipReader::fault() const
{
    switch (m_state->fault) {
    case UNZ_OK:
        return std::nullopt;
    case UNZ_CRCERROR:
        return ZipFault::ChecksumMismatch;
    case kNoArchive:
        return ZipFault::NoDirectory;
    case UNZ_BADZIPFILE:
        return ZipFault::DirectoryDamaged;
    case UNZ_ERRNO:
        return ZipFault::EndsEarly;
    case Z_DATA_ERROR:
        return ZipFault::DataDamaged;
    case Z_BUF_ERROR:
        return ZipFault::EndsEarly;
    case Z_MEM_ERROR:
        return ZipFault::NoMemory;
    case kOverlap:
        return ZipFault::Overlap;
    case kMethod:
        return ZipFault::Method;
    case kZip64:
        return ZipFault::Zip64;
    case kSizeMismatch:
        return ZipFault::SizeMismatch;
    default:
        return ZipFault::Unknown;
    }
}

qint64 ZipReader::entryCount() const
{
    return m_state->entries;
}

QString ZipReader::faultEntry() const
{
    return m_state->faultEntry;
}

bool ZipReader::checkLayout(qint64 most)
{
    const char *data = m_state->bytes.constData();
    const qsizetype end = m_state->end;
    const auto fail = [this](int code, const QString &entry = {}) {
        m_state->fault = code;
        m_state->faultEntry = entry;
        return false;
    };
    if (end < 0) {
        return fail(kNoArchive);
    }
    const qint64 count = littleEndian(data + end + 10, 2);
    const qint64 directory = littleEndian(data + end + 16, 4);
    if (count != m_state->entries || directory + qint64{littleEndian(data + end + 12, 4)} > end) {
        return fail(UNZ_BADZIPFILE);
    }
    qint64 at = directory;
    qint64 previousEnd = 0;
    for (qint64 i = 0; i < std::min(count, most); ++i) {
        if (at + kDirectoryEntry > end || std::memcmp(data + at, "PK\1\2", 4) != 0) {
            return fail(UNZ_BADZIPFILE);
        }
        const quint32 flags = littleEndian(data + at + 8, 2);
        const quint32 method = littleEndian(data + at + 10, 2);
        const qint64 packed = littleEndian(data + at + 20, 4);
        const qint64 nameSize = littleEndian(data + at + 28, 2);
        const qint64 local = littleEndian(data + at + 42, 4);
        const qint64 next = at + kDirectoryEntry + nameSize + littleEndian(data + at + 30, 2) +
                            littleEndian(data + at + 32, 2);
        if (next > end) {
            return fail(UNZ_BADZIPFILE);
        }
        const QByteArray rawName(data + at + kDirectoryEntry, nameSize);
        const QString name =
            (flags & kUtf8Names) != 0 ? QString::fromUtf8(rawName) : QString::fromLatin1(rawName);
        if (packed == 0xFFFFFFFF || local == 0xFFFFFFFF ||
            littleEndian(data + at + 24, 4) == 0xFFFFFFFF) {
            return fail(kZip64, name);
        }
        if (method != 0 && method != Z_DEFLATED) {
            return fail(kMethod, name);
        }
        // The entry's local header and data, and the descriptor after them where its flag says.
        if (local < previousEnd || local + kLocalHeader > directory ||
            std::memcmp(data + local, "PK\3\4", 4) != 0) {
            return fail(kOverlap, name);
        }
        qint64 entryEnd = local + kLocalHeader + littleEndian(data + local + 26, 2) +
                          littleEndian(data + local + 28, 2) + packed;
        if ((flags & 8U) != 0) {
            const bool signature =
                entryEnd + 4 <= directory && std::memcmp(data + entryEnd, "PK\7\10", 4) == 0;
            entryEnd += signature ? 16 : 12;
        }
        if (entryEnd > directory) {
            return fail(kOverlap, name);
        }
        previousEnd = entryEnd;
        at = next;
    }
    return true;
}

bool ZipReader::goToFirst()
{
    return m_state->archive != nullptr && m_state->check(unzGoToFirstFile(m_state->archive));
}

bool ZipReader::goToNext()
{
    const int code = unzGoToNextFile(m_state->archive);
    return code != UNZ_END_OF_LIST_OF_FILE && m_state->check(code);
}

std::optional<ZipReader::Entry> ZipReader::entry()
{
    unz_file_info64 info{};
    if (!m_state->check(
            unzGetCurrentFileInfo64(m_state->archive, &info, nullptr, 0, nullptr, 0, nullptr, 0))) {
        return std::nullopt;
    }
    QByteArray name(static_cast<qsizetype>(info.size_filename), '\0');
    if (!m_state->check(unzGetCurrentFileInfo64(m_state->archive, &info, name.data(),
                                                static_cast<uLong>(name.size()), nullptr, 0,
                                                nullptr, 0))) {
        return std::nullopt;
    }
    constexpr uLong kFileType = 0170000;
    constexpr uLong kLink = 0120000;
    Entry entry;
    entry.name =
        (info.flag & kUtf8Names) != 0 ? QString::fromUtf8(name) : QString::fromLatin1(name);
    entry.encrypted = (info.flag & 1U) != 0;
    entry.link = ((info.external_fa >> 16U) & kFileType) == kLink;
    return entry;
}

std::optional<QByteArray> ZipReader::read(qint64 limit)
{
    unz_file_info64 info{};
    if (!m_state->check(
            unzGetCurrentFileInfo64(m_state->archive, &info, nullptr, 0, nullptr, 0, nullptr, 0))) {
        return std::nullopt;
    }
    const auto size = static_cast<qint64>(info.uncompressed_size);
    if (size > limit) {
        m_state->fault = 0;
        return std::nullopt; // past the limit, before a byte is unpacked
    }
    if (!m_state->check(unzOpenCurrentFile(m_state->archive))) {
        return std::nullopt;
    }
    // The data may hold more than its size says: one byte more is read to find out.
    QByteArray bytes(size + 1, Qt::Uninitialized);
    qint64 at = 0;
    while (at < bytes.size()) {
        constexpr qint64 kChunk = qint64{64} * 1024;
        const int got = unzReadCurrentFile(m_state->archive, bytes.data() + at,
                                           static_cast<unsigned>(std::min(kChunk, size + 1 - at)));
        if (got < 0) {
            unzCloseCurrentFile(m_state->archive);
            m_state->fault = got;
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        at += got;
    }
    // Closing an entry read to its end compares the CRC of what was unpacked, which the reads
    // kept, with the directory's: a second pass over the bytes would only repeat it.
    const int closed = unzCloseCurrentFile(m_state->archive);
    bytes.truncate(at);
    if (at != size) {
        m_state->fault = kSizeMismatch;
        return std::nullopt;
    }
    if (closed != UNZ_OK) {
        m_state->fault = closed;
        return std::nullopt;
    }
    m_state->fault = 0;
    return bytes;
}

} // namespace kovra
