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
// The fault of bytes that hold no archive at all.
constexpr int kNoArchive = -1000;
} // namespace

struct ZipReader::State
{
    Memory memory;
    unzFile archive = nullptr;
    int fault = 0;
    qint64 entries = 0;

    bool check(int code)
    {
        fault = code == UNZ_OK ? 0 : code;
        return code == UNZ_OK;
    }
};

ZipReader::ZipReader(const QByteArray &bytes) : m_state(std::make_unique<State>())
{
    m_state->memory.data = bytes.constData();
    m_state->memory.size = bytes.size();
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
    default:
        return ZipFault::Unknown;
    }
}

qint64 ZipReader::entryCount() const
{
    return m_state->entries;
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
    if (!m_state->check(unzOpenCurrentFile(m_state->archive))) {
        return std::nullopt;
    }
    QByteArray bytes;
    constexpr qint64 kChunk = qint64{64} * 1024;
    for (;;) {
        const qint64 at = bytes.size();
        const qint64 want = std::min(kChunk, limit + 1 - at);
        if (want <= 0) {
            unzCloseCurrentFile(m_state->archive);
            m_state->fault = UNZ_OK;
            return std::nullopt; // past the limit
        }
        bytes.resize(at + want);
        const int got =
            unzReadCurrentFile(m_state->archive, bytes.data() + at, static_cast<unsigned>(want));
        if (got < 0) {
            unzCloseCurrentFile(m_state->archive);
            m_state->fault = got;
            return std::nullopt;
        }
        bytes.resize(at + got);
        if (got == 0) {
            break;
        }
    }
    if (!m_state->check(unzCloseCurrentFile(m_state->archive))) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace kovra
