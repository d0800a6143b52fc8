#include "core/updater/updatesignature.h"

#include <QFile>

#include <sodium.h>

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
