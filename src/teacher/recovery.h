// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's work kept aside while it is made, so that a window that dies loses at most a few
// seconds of it. Each window keeps its work in a folder of its own, which a lock file marks as
// in use while the window lives; a folder whose lock no live program holds is work to offer
// back. No widgets.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class QLockFile;

namespace kovra {

struct Test;

class RecoveryStore
{
public:
    // Work is kept in `kind` below the program's own data folder ("recovery", "try").
    explicit RecoveryStore(QString kind = QStringLiteral("recovery"));
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // Writes the test (content.json each time, a figure only when its bytes changed) and the file
    // it was opened from; false when the disk refused.
    bool keep(const Test &data, const QString &source);
    // Takes another folder's work as this store's own: it is locked, and deleted only when this
    // store drops it. False when a live program holds it.
    bool adopt(const QString &folder);
    // Deletes the work kept, once it is saved or given up.
    void drop();
    [[nodiscard]] QString folder() const { return m_folder; }
    // A folder of this kind, locked for this store, made on the first call.
    [[nodiscard]] QString ensureFolder();

    // The folders of work whose program ended without dropping it, newest first.
    [[nodiscard]] static QStringList abandoned(const QString &kind = QStringLiteral("recovery"));
    // The file a kept test was opened from, or empty.
    [[nodiscard]] static QString sourceOf(const QString &folder);
    // Deletes folders of `kind` no live program holds.
    static void removeAbandoned(const QString &kind);

private:
    QString m_kind;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    std::map<QString, QByteArray> m_figures; // the figure files written, by name
};

} // namespace kovra
