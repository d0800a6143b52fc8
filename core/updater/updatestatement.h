#pragma once

#include <QByteArray>
#include <QString>

// What a publisher signs for one installer: the release it belongs to (file
// name, version, platform) and the SHA-512 of its bytes, as one short text.
// A signature over the bytes alone would let an old installer, validly
// signed long ago, be offered as a new release; over this text it cannot.
//
//   zelto-update 1
//   file: zelto-2.1.0.deb
//   version: 2.1.0
//   platform: linux
//   sha512: <the digest in 128 lower-case hex digits>
//
// Every line ends in a line feed, the last one too; the text is UTF-8. Pure,
// with no key and no file, so it can be fed any bytes.
class UpdateStatement
{
public:
    QString strFile;
    QString strVersion;
    QString strPlatform;
    QByteArray sha512;   // the 64 bytes of the digest

    // The text to sign; empty when a value cannot be written in it (empty,
    // or holding a control character such as a line break) or the digest is
    // not 64 bytes.
    QByteArray text() const;

    // Reads a text exactly as text() writes it; false for anything else,
    // leaving *pStatement as it was.
    static bool parse(const QByteArray &text, UpdateStatement *pStatement);
};
