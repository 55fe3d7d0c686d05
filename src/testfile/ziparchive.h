// SPDX-License-Identifier: GPL-3.0-or-later
// ZIP archives held in memory, read and written with zlib's minizip: what a test file is made
// of. The library's fault codes stay inside: a reader's fault is a ZipFault.
#pragma once

#include "content/problems.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace kovra {

// An archive made entry by entry: the same entries give the same bytes.
class ZipWriter
{
public:
    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    // Adds a file with its Unix mode, stored as it is or deflated; false once any step failed.
    bool add(const QByteArray &name, const QByteArray &bytes, bool compress,
             quint32 mode = 0100644);
    // The archive; none when any step failed.
    [[nodiscard]] std::optional<QByteArray> finish();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// An archive read from bytes that outlive the reader, one entry after the other.
class ZipReader
{
public:
    explicit ZipReader(const QByteArray &bytes);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    [[nodiscard]] bool isOpen() const;
    // The last fault; none when there was none.
    [[nodiscard]] std::optional<ZipFault> fault() const;
    // The number of entries its directory claims.
    [[nodiscard]] qint64 entryCount() const;

    // To the first or the next entry: false at the end, or on a fault.
    bool goToFirst();
    bool goToNext();

    struct Entry
    {
        QString name;
        bool encrypted = false;
        bool link = false; // a symbolic link, by its Unix mode
    };
    // The current entry's header; none on a fault.
    [[nodiscard]] std::optional<Entry> entry();
    // The current entry's bytes, unpacked and checked against its check sum, at most `limit`:
    // none when it holds more, whatever its header says (fault() 0), or on a fault.
    [[nodiscard]] std::optional<QByteArray> read(qint64 limit);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace kovra
