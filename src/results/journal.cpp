// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal.h"

#include "model/test.h"
#include "recorder.h"
#include "resultfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace kovra {

namespace {

constexpr QFileDevice::Permissions kUserOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr int kMaxJournalSlot = 4; // five choices at most
constexpr qint64 kMaxJournalMs = qint64{kMaxMinutes} * 60 * 1000;

// An answer of another kind as the journal keeps it: {"picked": [texts], "typed": text}, each
// within the limits the window gives it; none when it is not one.
std::optional<Response> readResponse(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    const QJsonValue picked = object.value(QLatin1String("picked"));
    const QJsonValue typed = object.value(QLatin1String("typed"));
    if (!value.isObject() || !picked.isArray() || picked.toArray().size() > kMaxResultOffered ||
        !typed.isString() || typed.toString().size() > kMaxTypedChars) {
        return std::nullopt;
    }
    Response response;
    response.typed = typed.toString();
    for (const QJsonValue &text : picked.toArray()) {
        if (!text.isString() || text.toString().size() > kMaxResultTextChars) {
            return std::nullopt;
        }
        response.picked << text.toString();
    }
    return response;
}

QJsonObject responseObject(const Response &response)
{
    return {{QStringLiteral("picked"), QJsonArray::fromStringList(response.picked)},
            {QStringLiteral("typed"), response.typed}};
}

} // namespace

QString journalPath(const TestIdentity &test, const Pupil &pupil, const QString &folder)
{
    const QString base =
        folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                               QStringLiteral("/runs")
                         : folder;
    // The copy and the pupil, as a name that tells neither.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(test.sha256);
    hash.addData(test.questions);
    hash.addData(QByteArray(1, '\x1f') + pupil.name.simplified().toUtf8() + '\x1f' +
                 pupil.group.simplified().toUtf8());
    return QDir(base).filePath(QString::fromLatin1(hash.result().toHex().left(32)) +
                               QStringLiteral(".json"));
}

std::optional<Journal> readJournal(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxJournalBytes) {
        return std::nullopt;
    }
    const QJsonObject root = QJsonDocument::fromJson(file.read(kMaxJournalBytes)).object();
    Journal journal;
    const QJsonValue seed = root.value(QLatin1String("seed"));
    const double left = root.value(QLatin1String("left")).toDouble(-1);
    journal.resultFile = root.value(QLatin1String("result")).toString();
    journal.started =
        QDateTime::fromString(root.value(QLatin1String("started")).toString(), Qt::ISODateWithMs);
    journal.leftMs = static_cast<qint64>(left);
    journal.handedIn = root.value(QLatin1String("handedIn")).toBool();
    if (!seed.isDouble() || seed.toDouble() < 0 || seed.toDouble() > 4294967295.0 || left < 0 ||
        left > kMaxJournalMs || journal.resultFile.isEmpty() || !journal.started.isValid()) {
        return std::nullopt;
    }
    journal.seed = static_cast<unsigned>(seed.toDouble());
    const QJsonArray slots = root.value(QLatin1String("slots")).toArray();
    if (slots.size() > kMaxResultPositions) {
        return std::nullopt;
    }
    for (const QJsonValue &slot : slots) {
        const int value = slot.toInt(-2);
        if (value < -1 || value > kMaxJournalSlot) {
            return std::nullopt;
        }
        journal.slots.push_back(value);
    }
    const QJsonArray responses = root.value(QLatin1String("responses")).toArray();
    if (responses.size() > kMaxResultPositions) {
        return std::nullopt;
    }
    for (const QJsonValue &value : responses) {
        std::optional<Response> response = readResponse(value);
        if (!response) {
            return std::nullopt;
        }
        journal.responses.push_back(std::move(*response));
    }
    return journal;
}

bool writeJournal(const QString &path, const Journal &journal)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder, kUserOnly | QFileDevice::ExeOwner)) {
        return false;
    }
    QJsonArray slots;
    for (const int slot : journal.slots) {
        slots.append(slot);
    }
    QJsonArray responses;
    for (const Response &response : journal.responses) {
        responses.append(responseObject(response));
    }
    const QJsonObject root{
        {QStringLiteral("seed"), static_cast<double>(journal.seed)},
        {QStringLiteral("result"), journal.resultFile},
        {QStringLiteral("started"), journal.started.toString(Qt::ISODateWithMs)},
        {QStringLiteral("left"), static_cast<double>(journal.leftMs)},
        {QStringLiteral("slots"), slots},
        {QStringLiteral("responses"), responses},
        {QStringLiteral("handedIn"), journal.handedIn},
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(QJsonDocument(root).toJson(QJsonDocument::Compact));
    // Its folder is the user's alone already; the file is too.
    return file.commit() && QFile::setPermissions(path, kUserOnly);
}

} // namespace kovra
