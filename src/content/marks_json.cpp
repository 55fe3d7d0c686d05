// SPDX-License-Identifier: GPL-3.0-or-later
#include "marks_json.h"

#include <QByteArray>
#include <cmath>

namespace kovra {

namespace {

// A key in Base64 of exactly its bytes; none otherwise. Its length is checked before it is
// decoded.
std::optional<QByteArray> keyOf(const QJsonValue &value)
{
    constexpr qsizetype kBase64Chars = (kSealKeyBytes + 2) / 3 * 4;
    if (!value.isString() || value.toString().size() != kBase64Chars) {
        return std::nullopt;
    }
    const auto decoded = QByteArray::fromBase64Encoding(value.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != kSealKeyBytes) {
        return std::nullopt;
    }
    return decoded.decoded;
}

} // namespace

std::optional<ForMarks> readMarks(const QJsonValue &value, const ProblemSink &add,
                                  bool keysRequired)
{
    const QJsonObject object = value.toObject();
    bool ok = true;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() != QLatin1String("minutes") && it.key() != QLatin1String("seal") &&
            it.key() != QLatin1String("secret")) {
            add({.kind = ProblemKind::UnknownField, .place = {ContentField::Marks, -1, it.key()}});
            ok = false;
        }
    }
    ForMarks marks;
    const QJsonValue minutes = object.value(QStringLiteral("minutes"));
    if (!minutes.isUndefined()) {
        const double number = minutes.toDouble(-1);
        if (!minutes.isDouble() || number != std::floor(number) || number < 0 ||
            number > kMaxMinutes) {
            add({.kind = ProblemKind::MarksMinutes,
                 .place = {ContentField::MarksMinutes},
                 .limit = kMaxMinutes});
            ok = false;
        } else {
            marks.minutes = static_cast<int>(number);
        }
    }
    // A test for marks is first saved with its keys; the pupils' copy has no secret.
    const auto key = [&](const char *name, ContentField field, bool required) {
        const QJsonValue found = object.value(QLatin1String(name));
        if (found.isUndefined() && !required) {
            return QByteArray();
        }
        std::optional<QByteArray> bytes = keyOf(found);
        if (!bytes) {
            add({.kind = ProblemKind::MarksKey, .place = {field}, .limit = kSealKeyBytes});
            ok = false;
        }
        return bytes.value_or(QByteArray());
    };
    marks.publicKey = key("seal", ContentField::MarksSeal, keysRequired);
    marks.secretKey = key("secret", ContentField::MarksSecret, false);
    return ok ? std::optional(marks) : std::nullopt;
}

QJsonObject marksJson(const ForMarks &marks)
{
    QJsonObject object{{QStringLiteral("minutes"), marks.minutes}};
    if (!marks.publicKey.isEmpty()) {
        object.insert(QStringLiteral("seal"), QString::fromLatin1(marks.publicKey.toBase64()));
    }
    if (!marks.secretKey.isEmpty()) {
        object.insert(QStringLiteral("secret"), QString::fromLatin1(marks.secretKey.toBase64()));
    }
    return object;
}

} // namespace kovra
