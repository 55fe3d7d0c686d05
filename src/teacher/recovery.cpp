// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery.h"

#include "content/loader.h"
#include "teacher/document.h"
#include "testfile/testfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

namespace kovra {

namespace {

constexpr char kSourceFile[] = "source.txt";

QString base(const QString &kind)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QLatin1Char('/') + kind;
}

std::unique_ptr<QLockFile> lockFor(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(folder + QStringLiteral(".lock"));
    // Held for as long as the window lives; only a program that no longer runs leaves it.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

RecoveryStore::RecoveryStore(QString kind) : m_kind(std::move(kind)) {}

RecoveryStore::~RecoveryStore()
{
    // The lock alone: the work stays until drop() says it is no longer needed.
    if (m_lock) {
        m_lock->unlock();
    }
}

QString RecoveryStore::ensureFolder()
{
    if (!m_folder.isEmpty()) {
        return m_folder;
    }
    QDir().mkpath(base(m_kind));
    // The work may hold a test for marks' secret key: its user's alone.
    QFile::setPermissions(base(m_kind),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Locked before it is made, so that no other window takes it for abandoned meanwhile.
    const QString folder =
        base(m_kind) + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces);
    std::unique_ptr<QLockFile> lock = lockFor(folder);
    if (!lock->tryLock(0) || !QDir().mkpath(folder)) {
        return {};
    }
    m_lock = std::move(lock);
    m_folder = folder;
    m_figures.clear();
    return m_folder;
}

bool RecoveryStore::keep(const Test &data, const QString &source)
{
    const QString folder = ensureFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder + QStringLiteral("/figures"))) {
        return false;
    }
    const TestFiles files = filesOf(data);
    std::map<QString, QByteArray> figures;
    int number = 0;
    for (const Question &question : data.questions) {
        ++number;
        if (question.figure.isEmpty()) {
            continue;
        }
        const QString name = figureEntry(number, question.figure.suffix);
        const auto written = m_figures.find(name);
        if ((written == m_figures.end() || !written->second.isSharedWith(question.figure.bytes)) &&
            !saveFile(folder + QLatin1Char('/') + name, question.figure.bytes).empty()) {
            return false;
        }
        figures.emplace(name, question.figure.bytes);
    }
    m_figures = std::move(figures);
    // The test last: what it names is there before it.
    return saveFile(folder + QLatin1Char('/') + QLatin1String(kSourceFile), source.toUtf8())
               .empty() &&
           saveFile(folder + QLatin1Char('/') + QLatin1String(kContentFileName), files.json)
               .empty();
}

bool RecoveryStore::adopt(const QString &folder)
{
    std::unique_ptr<QLockFile> lock = lockFor(folder);
    if (!lock->tryLock(0)) {
        return false;
    }
    drop();
    m_lock = std::move(lock);
    m_folder = folder;
    m_figures.clear();
    return true;
}

void RecoveryStore::drop()
{
    if (!m_folder.isEmpty()) {
        QDir(m_folder).removeRecursively();
        m_folder.clear();
        m_figures.clear();
    }
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}

QStringList RecoveryStore::abandoned(const QString &kind)
{
    QStringList folders;
    const QFileInfoList found =
        QDir(base(kind)).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Time);
    for (const QFileInfo &info : found) {
        std::unique_ptr<QLockFile> lock = lockFor(info.absoluteFilePath());
        if (lock->tryLock(0)) {
            lock->unlock();
            folders << info.absoluteFilePath();
        }
    }
    return folders;
}

QString RecoveryStore::sourceOf(const QString &folder)
{
    QFile file(folder + QLatin1Char('/') + QLatin1String(kSourceFile));
    constexpr qint64 kMaxPath = 4096;
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.read(kMaxPath)) : QString();
}

void RecoveryStore::removeAbandoned(const QString &kind)
{
    for (const QString &folder : abandoned(kind)) {
        QDir(folder).removeRecursively();
    }
}

} // namespace kovra
