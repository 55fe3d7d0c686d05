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
    // Walks the directory and every entry's local header, at most `most` entries: each entry's
    // bytes lie after the one before it and before the directory, and are stored or deflated.
    // False on a fault, whose entry faultEntry() names.
    bool checkLayout(qint64 most);
    // The name of the entry the last fault of checkLayout() was found in.
    [[nodiscard]] QString faultEntry() const;

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
    // The current entry's bytes, unpacked and checked against the size and check sum its
    // directory entry gives, at most `limit`: none when its size passes the limit (no fault),
    // or on a fault (SizeMismatch when the data holds more or less than its size).
    [[nodiscard]] std::optional<QByteArray> read(qint64 limit);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace kovra
