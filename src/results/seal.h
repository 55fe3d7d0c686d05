// SPDX-License-Identifier: GPL-3.0-or-later
// Sealing a pupil's answers for the teacher alone: a test for marks keeps a key pair, the
// teacher's test both keys and the pupils' copy the public one. A result sealed to the public
// key is opened only with the secret one; anyone else learns nothing of it but its size.
// Public-key sealed boxes of libsodium (X25519 and XSalsa20-Poly1305): no cryptography of our own.
#pragma once

#include <QByteArray>
#include <optional>

namespace kovra {

struct SealKeys
{
    QByteArray publicKey;
    QByteArray secretKey;
};

// The bytes a seal adds to what it seals: no sealed box is shorter.
inline constexpr qsizetype kMinSealedBytes = 48;

// The most a sealed result may take: a result file's limit and the seal's own bytes.
[[nodiscard]] qint64 maxSealedBytes();

// A new key pair; none when the library cannot start (no source of randomness).
[[nodiscard]] std::optional<SealKeys> makeSealKeys();

// The bytes sealed to the public key; none for a key that is not one, or bytes past the limit.
[[nodiscard]] std::optional<QByteArray> sealFor(const QByteArray &publicKey,
                                                const QByteArray &plain);

// The bytes a sealed box holds; none when it was sealed to another key, was changed, or is not
// a sealed box at all. Its size is checked before it is opened.
[[nodiscard]] std::optional<QByteArray> unsealWith(const SealKeys &keys, const QByteArray &sealed);

} // namespace kovra
