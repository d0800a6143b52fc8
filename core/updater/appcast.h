#pragma once

#include <QByteArray>
#include <QString>

// One platform's entry of a JSON appcast, as the update checker reads it:
// {"updates": {"<platform>": {"latest-version": ..., ...}}}. Pure, with no
// network and no user interface, so it can be fed any bytes. Missing or
// non-text members read as empty strings; so does every member of an appcast
// whose top level is an array.
class Appcast
{
public:
    QString strLatestVersion;
    QString strChangelog;
    QString strDownloadUrl;
    QString strOpenUrl;
    QString strSha256;
    // "ed25519-signature": the signature of the installer's bytes alone,
    // base64. Written for versions before signed statements; never trusted.
    QString strSignature;
    // "update-statement": the installer's signed statement (UpdateStatement).
    QString strStatement;
    // "update-signature": the signature of the statement's UTF-8 bytes, base64.
    QString strStatementSignature;

    // False when data is not JSON, or an object in it repeats a key (an
    // appcast is written by a program, never that way).
    static bool parse(const QByteArray &data, const QString &strPlatform, Appcast *pEntry);

    // See Updater::compareVersions().
    static bool compareVersions(const QString &x, const QString &y);
};
