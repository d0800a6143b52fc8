#include "core/updater/updatesignature.h"

#include <QFile>

#include <sodium.h>

#include <vector>

// Large enough that reading costs little next to hashing, small enough to
// stay out of the way of everything else.
static const qint64 s_nReadSize = 1024 * 1024;

static bool sodiumReady()
{
    // sodium_init() is safe to call from several threads; it picks the
    // fastest code for this processor once.
    static const bool bReady = sodium_init() >= 0;
    return bReady;
}

static const unsigned char *bytes(const QByteArray &data)
{
    return reinterpret_cast<const unsigned char *>(data.constData());
}

QByteArray UpdateSignature::decode(const QString &strBase64, int nSize)
{
    const QByteArray::FromBase64Result decoded = QByteArray::fromBase64Encoding(
        strBase64.trimmed().toLatin1(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != nSize)
        return QByteArray();
    return decoded.decoded;
}

bool UpdateSignature::verify(const QByteArray &message, const QByteArray &publicKey, const QByteArray &signature)
{
    if (!sodiumReady() || publicKey.size() != PublicKeySize || signature.size() != SignatureSize)
        return false;
    // libsodium refuses a non-canonical S and keys or R of small order, so
    // a signature cannot be altered into another valid one.
    const auto nSize = static_cast<unsigned long long>(message.size());
    return crypto_sign_verify_detached(bytes(signature), bytes(message), nSize, bytes(publicKey)) == 0;
}

// Ed25519 verification needs the message only inside one SHA-512 over
// R || A || message, so the file can be hashed as it is read; the rest is
// the group equation [S]B = R + [h]A, checked as [S]B - [h]A == R. The
// checks on the way follow libsodium's own verification: a reduced S (no
// malleable signatures), and R and A proper points of the prime-order group
// (which every key made by an Ed25519 key generator is).
UpdateSignature::Result UpdateSignature::verifyFile(const QString &strPath, const QByteArray &publicKey,
                                                    const QByteArray &signature, const std::atomic<bool> *pCancel)
{
    if (!sodiumReady() || publicKey.size() != PublicKeySize || signature.size() != SignatureSize)
        return Invalid;
    const unsigned char *pA = bytes(publicKey);
    const unsigned char *pR = bytes(signature);
    const unsigned char *pS = pR + 32;
    if (!crypto_core_ed25519_is_valid_point(pA) || !crypto_core_ed25519_is_valid_point(pR))
        return Invalid;
    unsigned char wide[64] = {};
    unsigned char reduced[32];
    std::copy(pS, pS + 32, wide);
    crypto_core_ed25519_scalar_reduce(reduced, wide);
    if (sodium_memcmp(reduced, pS, 32) != 0)
        return Invalid;

    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return Unreadable;
    crypto_hash_sha512_state state;
    crypto_hash_sha512_init(&state);
    crypto_hash_sha512_update(&state, pR, 32);
    crypto_hash_sha512_update(&state, pA, 32);
    std::vector<char> buffer(static_cast<size_t>(s_nReadSize));
    for (;;) {
        if (pCancel && pCancel->load())
            return Cancelled;
        const qint64 nRead = file.read(buffer.data(), s_nReadSize);
        if (nRead < 0)
            return Unreadable;
        if (nRead == 0)
            break;
        crypto_hash_sha512_update(&state, reinterpret_cast<const unsigned char *>(buffer.data()),
                                  static_cast<unsigned long long>(nRead));
    }
    unsigned char digest[64];
    crypto_hash_sha512_final(&state, digest);
    unsigned char h[32];
    crypto_core_ed25519_scalar_reduce(h, digest);

    unsigned char sB[32];
    unsigned char hA[32];
    unsigned char check[32];
    // These refuse a zero scalar and a result at infinity, which a real
    // signature never gives.
    if (crypto_scalarmult_ed25519_base_noclamp(sB, pS) != 0 || crypto_scalarmult_ed25519_noclamp(hA, h, pA) != 0
        || crypto_core_ed25519_sub(check, sB, hA) != 0)
        return Invalid;
    return sodium_memcmp(check, pR, 32) == 0 ? Valid : Invalid;
}

bool UpdateSignature::generateKeyPair(QByteArray *pPublicKey, QByteArray *pSecretKey)
{
    if (!sodiumReady())
        return false;
    QByteArray publicKey(PublicKeySize, Qt::Uninitialized);
    QByteArray secretKey(SecretKeySize, Qt::Uninitialized);
    if (crypto_sign_keypair(reinterpret_cast<unsigned char *>(publicKey.data()),
                            reinterpret_cast<unsigned char *>(secretKey.data()))
        != 0)
        return false;
    *pPublicKey = publicKey;
    *pSecretKey = secretKey;
    return true;
}

QByteArray UpdateSignature::publicKeyOf(const QByteArray &secretKey)
{
    if (!sodiumReady() || secretKey.size() != SecretKeySize)
        return QByteArray();
    // The key pair grown from the seed must end in the same public key, or
    // the file was damaged or is not one of ours.
    QByteArray publicKey(PublicKeySize, Qt::Uninitialized);
    QByteArray regrown(SecretKeySize, Qt::Uninitialized);
    if (crypto_sign_seed_keypair(reinterpret_cast<unsigned char *>(publicKey.data()),
                                 reinterpret_cast<unsigned char *>(regrown.data()), bytes(secretKey))
        != 0)
        return QByteArray();
    const bool bSame = sodium_memcmp(regrown.constData(), secretKey.constData(), SecretKeySize) == 0;
    sodium_memzero(regrown.data(), static_cast<size_t>(regrown.size()));
    return bSame ? publicKey : QByteArray();
}

QByteArray UpdateSignature::sign(const QByteArray &message, const QByteArray &secretKey)
{
    if (!sodiumReady() || publicKeyOf(secretKey).isEmpty())
        return QByteArray();
    QByteArray signature(SignatureSize, Qt::Uninitialized);
    crypto_sign_detached(reinterpret_cast<unsigned char *>(signature.data()), nullptr, bytes(message),
                         static_cast<unsigned long long>(message.size()), bytes(secretKey));
    return signature;
}

QByteArray UpdateSignature::signFile(const QString &strPath, const QByteArray &secretKey, QString *pError)
{
    if (!sodiumReady() || publicKeyOf(secretKey).isEmpty()) {
        *pError = QStringLiteral("not an Ed25519 secret key");
        return QByteArray();
    }
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = file.errorString();
        return QByteArray();
    }
    // Signing hashes the message twice, so it takes it whole: mapped, the
    // file is read from the disk as the hash goes, not copied into memory.
    const qint64 nSize = file.size();
    const uchar *pMessage = nullptr;
    if (nSize > 0) {
        pMessage = file.map(0, nSize);
        if (!pMessage) {
            *pError = file.errorString();
            return QByteArray();
        }
    }
    static const unsigned char s_empty = 0;
    QByteArray signature(SignatureSize, Qt::Uninitialized);
    crypto_sign_detached(reinterpret_cast<unsigned char *>(signature.data()), nullptr,
                         pMessage ? pMessage : &s_empty, static_cast<unsigned long long>(nSize), bytes(secretKey));
    return signature;
}
