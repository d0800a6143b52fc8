#pragma once

#include <QByteArray>
#include <QString>

// Ed25519 signatures, in the standard form (RFC 8032) that any Ed25519 tool
// can make and check. The application checks the signed statements of
// installers (UpdateStatement) with it; the publishers' tool (zelto-updates)
// makes them with it.
class UpdateSignature
{
public:
    static const int PublicKeySize = 32;
    // libsodium's form: the 32-byte seed followed by the public key.
    static const int SecretKeySize = 64;
    static const int SignatureSize = 64;

    // The bytes of base64 text when it is exactly nSize bytes long; empty for
    // anything else (also for stray characters).
    static QByteArray decode(const QString &strBase64, int nSize);

    // True when signature is a valid signature of message made with the
    // secret key of publicKey; false for anything else, a malformed key too.
    static bool verify(const QByteArray &message, const QByteArray &publicKey, const QByteArray &signature);

    // A new key pair; false when the system's random source failed.
    static bool generateKeyPair(QByteArray *pPublicKey, QByteArray *pSecretKey);
    // The public key of secretKey, or empty when secretKey is not a
    // consistent Ed25519 secret key.
    static QByteArray publicKeyOf(const QByteArray &secretKey);
    // The signature of message; empty when secretKey is no Ed25519 secret key.
    static QByteArray sign(const QByteArray &message, const QByteArray &secretKey);
    // The signature over the bytes of strPath, the form versions before signed
    // statements check; empty with *pError set on failure.
    static QByteArray signFile(const QString &strPath, const QByteArray &secretKey, QString *pError);
};
