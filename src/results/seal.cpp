// SPDX-License-Identifier: GPL-3.0-or-later
#include "seal.h"

#include "model/test.h"
#include "resultfile.h"

#include <sodium.h>

namespace kovra {

static_assert(kMinSealedBytes == crypto_box_SEALBYTES);
static_assert(kSealKeyBytes == crypto_box_PUBLICKEYBYTES &&
              kSealKeyBytes == crypto_box_SECRETKEYBYTES);

namespace {

bool started()
{
    // Safe to call again and from several threads; -1 only when it cannot start.
    static const bool ready = sodium_init() >= 0;
    return ready;
}

auto bytesOf(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

auto bytesOf(QByteArray &array)
{
    return reinterpret_cast<unsigned char *>(array.data());
}

} // namespace

qint64 maxSealedBytes()
{
    return kMaxResultFileBytes + qint64{crypto_box_SEALBYTES};
}

std::optional<SealKeys> makeSealKeys()
{
    if (!started()) {
        return std::nullopt;
    }
    SealKeys keys{QByteArray(crypto_box_PUBLICKEYBYTES, Qt::Uninitialized),
                  QByteArray(crypto_box_SECRETKEYBYTES, Qt::Uninitialized)};
    if (crypto_box_keypair(bytesOf(keys.publicKey), bytesOf(keys.secretKey)) != 0) {
        return std::nullopt;
    }
    return keys;
}

std::optional<QByteArray> sealFor(const QByteArray &publicKey, const QByteArray &plain)
{
    if (!started() || publicKey.size() != qsizetype{crypto_box_PUBLICKEYBYTES} ||
        plain.size() > kMaxResultFileBytes) {
        return std::nullopt;
    }
    QByteArray sealed(plain.size() + qsizetype{crypto_box_SEALBYTES}, Qt::Uninitialized);
    if (crypto_box_seal(bytesOf(sealed), bytesOf(plain),
                        static_cast<unsigned long long>(plain.size()), bytesOf(publicKey)) != 0) {
        return std::nullopt;
    }
    return sealed;
}

std::optional<QByteArray> unsealWith(const SealKeys &keys, const QByteArray &sealed)
{
    if (!started() || keys.publicKey.size() != qsizetype{crypto_box_PUBLICKEYBYTES} ||
        keys.secretKey.size() != qsizetype{crypto_box_SECRETKEYBYTES} ||
        sealed.size() < qsizetype{crypto_box_SEALBYTES} || sealed.size() > maxSealedBytes()) {
        return std::nullopt;
    }
    QByteArray plain(sealed.size() - qsizetype{crypto_box_SEALBYTES}, Qt::Uninitialized);
    if (crypto_box_seal_open(bytesOf(plain), bytesOf(sealed),
                             static_cast<unsigned long long>(sealed.size()),
                             bytesOf(keys.publicKey), bytesOf(keys.secretKey)) != 0) {
        return std::nullopt;
    }
    return plain;
}

} // namespace kovra
