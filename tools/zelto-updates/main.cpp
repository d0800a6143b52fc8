// zelto-updates: the publisher's side of signed updates. Makes an Ed25519
// key pair, signs the statements that bind installers to their releases,
// checks them and writes appcast entries that the application's update
// checker reads.

#include "app/qttranslationspath.h"
#include "core/updater/updatesignature.h"
#include "core/updater/updatestatement.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>
#include <QTranslator>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// The translation context of the tool's texts.
class ZeltoUpdates
{
    Q_DECLARE_TR_FUNCTIONS(ZeltoUpdates)
};

namespace {

// Exit statuses: 1 when the work failed (a file, a key or a signature),
// 2 when the command line was wrong.
const int s_nFailed = 1;
const int s_nUsage = 2;

const char s_keyFileName[] = "ed25519.key";
// A key file is one line; an appcast the application reads is at most 1 MiB.
const qint64 s_nMaxKeyFileSize = 4096;
const qint64 s_nMaxAppcastSize = 1024 * 1024;

void print(FILE *pStream, const QString &strText)
{
    std::fputs(qPrintable(strText + QLatin1Char('\n')), pStream);
}

int fail(const QString &strMessage, int nStatus = s_nFailed)
{
    print(stderr, QStringLiteral("zelto-updates: ") + strMessage);
    return nStatus;
}

QString native(const QString &strPath)
{
    return QDir::toNativeSeparators(strPath);
}

// The installed tool sits beside the application's catalogues, as in the build tree.
void installTranslators(QCoreApplication &app)
{
    const QLocale locale;
    auto *pTool = new QTranslator(&app);
    if (pTool->load(locale, QStringLiteral("zelto"), QStringLiteral("_"),
                    QCoreApplication::applicationDirPath() + QStringLiteral("/translations")))
        QCoreApplication::installTranslator(pTool);
    auto *pQt = new QTranslator(&app);
    if (pQt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  qtTranslationsPath()))
        QCoreApplication::installTranslator(pQt);
}

// Parses the command's arguments; on --help prints it and exits, on an error
// says what is wrong. nPositional counts the command itself.
bool parse(QCommandLineParser &parser, const QStringList &arguments, int nMinPositional, int nMaxPositional,
           int *pStatus)
{
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(arguments)) {
        *pStatus = fail(parser.errorText(), s_nUsage);
        return false;
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    const int nCount = parser.positionalArguments().size();
    if (nCount < nMinPositional || nCount > nMaxPositional) {
        *pStatus = fail(ZeltoUpdates::tr("wrong number of arguments; see %1 --help").arg(parser.positionalArguments().value(0)),
                        s_nUsage);
        return false;
    }
    return true;
}

// The options several commands take.
QCommandLineOption keyOption()
{
    return QCommandLineOption(QStringLiteral("key"), ZeltoUpdates::tr("The secret key file from generate-keys."),
                              QStringLiteral("FILE"));
}

QCommandLineOption versionOption()
{
    return QCommandLineOption(QStringLiteral("version"), ZeltoUpdates::tr("The installer's version, e.g. 2.1.0."),
                              QStringLiteral("V"));
}

QCommandLineOption platformOption()
{
    return QCommandLineOption(QStringLiteral("platform"), ZeltoUpdates::tr("The platform key, e.g. linux or windows."),
                              QStringLiteral("NAME"));
}

bool requireOptions(const QCommandLineParser &parser, const QList<QCommandLineOption> &options, int *pStatus)
{
    for (const QCommandLineOption &option : options) {
        if (parser.value(option).isEmpty()) {
            *pStatus = fail(ZeltoUpdates::tr("the option --%1 is missing").arg(option.names().constFirst()), s_nUsage);
            return false;
        }
    }
    return true;
}

// Opens strPath for reading when it is a regular file (a link to one is
// fine). Anything else, a FIFO, a device or a folder, is refused at once: it
// could block the tool or feed it without end.
bool openRegularFile(const QString &strPath, QFile *pFile, QString *pError)
{
#ifdef Q_OS_UNIX
    // Non-blocking, so that opening a FIFO returns at once; the mode is
    // looked at on what was opened, not on a name that may change meanwhile.
    const int fd = ::open(QFile::encodeName(strPath).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int nError = errno;
        *pError = ZeltoUpdates::tr("cannot read %1: %2")
                      .arg(native(strPath), nError == ENOENT ? ZeltoUpdates::tr("no such file")
                                                             : QString::fromLocal8Bit(std::strerror(nError)));
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *pError = ZeltoUpdates::tr("%1 is not a regular file").arg(native(strPath));
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!pFile->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *pError = ZeltoUpdates::tr("cannot read %1: %2").arg(native(strPath), pFile->errorString());
        return false;
    }
    return true;
#else
    const QFileInfo info(strPath);
    if (info.exists() && !info.isFile()) {
        *pError = ZeltoUpdates::tr("%1 is not a regular file").arg(native(strPath));
        return false;
    }
    pFile->setFileName(strPath);
    if (!pFile->open(QIODevice::ReadOnly)) {
        *pError = ZeltoUpdates::tr("cannot read %1: %2")
                      .arg(native(strPath), info.exists() ? pFile->errorString() : ZeltoUpdates::tr("no such file"));
        return false;
    }
    return true;
#endif
}

// The secret key from a key file written by generate-keys.
QByteArray readSecretKey(const QString &strPath, QString *pError)
{
    QFile file;
    if (!openRegularFile(strPath, &file, pError))
        return QByteArray();
    const QByteArray text = file.read(s_nMaxKeyFileSize + 1);
    const QByteArray secretKey = UpdateSignature::decode(QString::fromLatin1(text), UpdateSignature::SecretKeySize);
    if (text.size() > s_nMaxKeyFileSize || UpdateSignature::publicKeyOf(secretKey).isEmpty()) {
        *pError = ZeltoUpdates::tr("%1 is not a secret key made by zelto-updates generate-keys").arg(native(strPath));
        return QByteArray();
    }
    if (file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther))
        print(stderr, ZeltoUpdates::tr("zelto-updates: warning: others can read the secret key %1").arg(native(strPath)));
    return secretKey;
}

// The SHA-256 and SHA-512 of an installer, read once.
bool digestsOf(const QString &strPath, QByteArray *pSha256, QByteArray *pSha512, QString *pError)
{
    QFile file;
    if (!openRegularFile(strPath, &file, pError))
        return false;
    QCryptographicHash sha256(QCryptographicHash::Sha256);
    QCryptographicHash sha512(QCryptographicHash::Sha512);
    if (!sha256.addData(&file) || !file.seek(0) || !sha512.addData(&file)) {
        *pError = ZeltoUpdates::tr("cannot read %1: %2").arg(native(strPath), file.errorString());
        return false;
    }
    *pSha256 = sha256.result();
    *pSha512 = sha512.result();
    return true;
}

// The name the application saves a download as: the last "/" part of its
// address, which must be a plain file name.
QString fileNameOf(const QString &strUrl)
{
    const QString strName = strUrl.split(QLatin1Char('/'), Qt::KeepEmptyParts).constLast();
    if (strName.isEmpty() || strName == QLatin1String(".") || strName == QLatin1String("..")
        || strName.contains(QLatin1Char('\\')) || strName.contains(QLatin1Char(':')))
        return QString();
    return strName;
}

// The statement of the installer strPath as the given release, and its
// signature; false with *pError set when it cannot be made.
bool signRelease(const QString &strPath, UpdateStatement statement, const QByteArray &secretKey,
                 QJsonObject *pEntry, QString *pError)
{
    QByteArray sha256;
    if (!digestsOf(strPath, &sha256, &statement.sha512, pError))
        return false;
    const QByteArray text = statement.text();
    if (text.isEmpty()) {
        *pError = ZeltoUpdates::tr("a file name, version or platform holds a control character");
        return false;
    }
    pEntry->insert(QStringLiteral("update-statement"), QString::fromUtf8(text));
    pEntry->insert(QStringLiteral("update-signature"),
                   QString::fromLatin1(UpdateSignature::sign(text, secretKey).toBase64()));
    pEntry->insert(QStringLiteral("sha256"), QString::fromLatin1(sha256.toHex()));
    return true;
}

// A new folder is made closed; one that exists must be this user's and
// closed to others' writing, or the key could be swapped for theirs.
bool preparePrivateFolder(const QString &strDir, QString *pError)
{
#ifdef Q_OS_UNIX
    const QFileInfo folder(strDir);
    if (!folder.exists()) {
        if (!QDir().mkpath(folder.absolutePath())
            || (::mkdir(QFile::encodeName(strDir).constData(), S_IRWXU) != 0 && errno != EEXIST)) {
            *pError = ZeltoUpdates::tr("cannot make the folder %1").arg(native(strDir));
            return false;
        }
    }
    struct stat info;
    if (::lstat(QFile::encodeName(strDir).constData(), &info) != 0 || !S_ISDIR(info.st_mode)
        || info.st_uid != ::geteuid() || (info.st_mode & (S_IWGRP | S_IWOTH))) {
        *pError = ZeltoUpdates::tr("%1 is not a folder of yours that only you can write").arg(native(strDir));
        return false;
    }
    return true;
#else
    if (!QDir().mkpath(strDir)) {
        *pError = ZeltoUpdates::tr("cannot make the folder %1").arg(native(strDir));
        return false;
    }
    return true;
#endif
}

// Writes the secret key into a new file that is private from its first
// byte: made with mode 0600, never over an existing file or through a link.
bool writeSecretKey(const QString &strPath, const QByteArray &data, QString *pError)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(strPath).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        *pError = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *pError = file.errorString();
        return false;
    }
#else
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)
        || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        *pError = file.errorString();
        return false;
    }
#endif
    if (file.write(data) != data.size() || !file.flush()) {
        *pError = file.errorString();
        file.close();
        QFile::remove(strPath);
        return false;
    }
    return true;
}

int generateKeys(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        ZeltoUpdates::tr("Makes a new Ed25519 key pair for signing updates. The secret key goes to DIR/%1, readable by "
           "you only; keep it out of version control. The public key is printed in base64: give it to "
           "QSimpleUpdater::setPublicKey() in the application.")
            .arg(QLatin1String(s_keyFileName)));
    parser.addPositionalArgument(QStringLiteral("generate-keys"), ZeltoUpdates::tr("The command."), QStringLiteral("generate-keys"));
    parser.addPositionalArgument(QStringLiteral("DIR"), ZeltoUpdates::tr("The folder for the secret key; made if missing."));
    int nStatus = 0;
    if (!parse(parser, arguments, 2, 2, &nStatus))
        return nStatus;

    const QString strDir = parser.positionalArguments().at(1);
    QString strError;
    if (!preparePrivateFolder(strDir, &strError))
        return fail(strError);
    const QString strPath = QDir(strDir).filePath(QLatin1String(s_keyFileName));
    QByteArray publicKey;
    QByteArray secretKey;
    if (!UpdateSignature::generateKeyPair(&publicKey, &secretKey))
        return fail(ZeltoUpdates::tr("the system's random source failed"));

    // Never over an existing key: losing it locks every installed copy out
    // of updates.
    if (QFileInfo::exists(strPath) || QFileInfo(strPath).isSymLink())
        return fail(ZeltoUpdates::tr("%1 exists already; it is not replaced").arg(native(strPath)));
    if (!writeSecretKey(strPath, secretKey.toBase64() + '\n', &strError))
        return fail(ZeltoUpdates::tr("cannot write %1: %2").arg(native(strPath), strError));
    print(stdout, QString::fromLatin1(publicKey.toBase64()));
    print(stderr, ZeltoUpdates::tr("Wrote the secret key to %1. Keep it secret and keep a copy: updates signed with "
                     "another key are refused.")
                      .arg(native(strPath)));
    return 0;
}

int sign(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        ZeltoUpdates::tr("Prints the signed statement of INSTALLER as version V for platform NAME: the appcast "
                         "members \"update-statement\" and \"update-signature\", as JSON."));
    parser.addPositionalArgument(QStringLiteral("sign"), ZeltoUpdates::tr("The command."), QStringLiteral("sign"));
    parser.addPositionalArgument(QStringLiteral("INSTALLER"), ZeltoUpdates::tr("The file to sign."));
    const QCommandLineOption key = keyOption();
    const QCommandLineOption version = versionOption();
    const QCommandLineOption platform = platformOption();
    const QCommandLineOption name(QStringLiteral("name"),
                                  ZeltoUpdates::tr("The file name users download it as (the last part of its address); "
                                                   "by default the name of INSTALLER."),
                                  QStringLiteral("FILE"));
    for (const QCommandLineOption &option : {key, version, platform, name})
        parser.addOption(option);
    int nStatus = 0;
    if (!parse(parser, arguments, 2, 2, &nStatus) || !requireOptions(parser, {key, version, platform}, &nStatus))
        return nStatus;

    QString strError;
    const QByteArray secretKey = readSecretKey(parser.value(key), &strError);
    if (secretKey.isEmpty())
        return fail(strError);
    const QString strInstaller = parser.positionalArguments().at(1);
    UpdateStatement statement;
    statement.strFile = parser.isSet(name) ? parser.value(name) : QFileInfo(strInstaller).fileName();
    statement.strVersion = parser.value(version);
    statement.strPlatform = parser.value(platform);
    QJsonObject members;
    if (!signRelease(strInstaller, statement, secretKey, &members, &strError))
        return fail(ZeltoUpdates::tr("cannot sign %1: %2").arg(native(strInstaller), strError));
    members.remove(QStringLiteral("sha256"));
    std::fputs(QJsonDocument(members).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}

// The appcast at strPath, which must be a JSON object whose "updates", if
// any, is an object too.
bool readAppcast(const QString &strPath, QJsonObject *pDocument, QString *pError)
{
    QFile file;
    if (!openRegularFile(strPath, &file, pError))
        return false;
    const QByteArray data = file.read(s_nMaxAppcastSize + 1);
    if (data.size() > s_nMaxAppcastSize) {
        *pError = ZeltoUpdates::tr("%1 is larger than an appcast may be (1 MiB)").arg(native(strPath));
        return false;
    }
    const QJsonDocument parsed = QJsonDocument::fromJson(data);
    if (!parsed.isObject()
        || (parsed.object().contains(QLatin1String("updates"))
            && !parsed.object().value(QLatin1String("updates")).isObject())) {
        *pError = ZeltoUpdates::tr("%1 is not an appcast; it is left as it is").arg(native(strPath));
        return false;
    }
    *pDocument = parsed.object();
    return true;
}

int verify(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        ZeltoUpdates::tr("Checks the entry of platform NAME in APPCAST.json for INSTALLER as the application does: "
                         "its statement signed with the key, naming the file of its download address, its version "
                         "and NAME, and the SHA-512 of INSTALLER. The exit status is 0 only when all of it holds."));
    parser.addPositionalArgument(QStringLiteral("verify"), ZeltoUpdates::tr("The command."), QStringLiteral("verify"));
    parser.addPositionalArgument(QStringLiteral("INSTALLER"), ZeltoUpdates::tr("The signed file."));
    const QCommandLineOption publicKey(QStringLiteral("public-key"), ZeltoUpdates::tr("The public key in base64."),
                                       QStringLiteral("BASE64"));
    const QCommandLineOption appcastFile(QStringLiteral("appcast"), ZeltoUpdates::tr("The appcast to check."),
                                         QStringLiteral("APPCAST.json"));
    const QCommandLineOption platform = platformOption();
    for (const QCommandLineOption &option : {publicKey, appcastFile, platform})
        parser.addOption(option);
    int nStatus = 0;
    if (!parse(parser, arguments, 2, 2, &nStatus)
        || !requireOptions(parser, {publicKey, appcastFile, platform}, &nStatus))
        return nStatus;

    const QByteArray key = UpdateSignature::decode(parser.value(publicKey), UpdateSignature::PublicKeySize);
    if (key.isEmpty())
        return fail(ZeltoUpdates::tr("the public key is not 32 bytes in base64"));
    QString strError;
    QJsonObject document;
    if (!readAppcast(parser.value(appcastFile), &document, &strError))
        return fail(strError);
    const QJsonObject entry =
        document.value(QLatin1String("updates")).toObject().value(parser.value(platform)).toObject();
    const QByteArray text = entry.value(QLatin1String("update-statement")).toString().toUtf8();
    const QByteArray signature = UpdateSignature::decode(entry.value(QLatin1String("update-signature")).toString(),
                                                         UpdateSignature::SignatureSize);
    UpdateStatement statement;
    if (!UpdateSignature::verify(text, key, signature) || !UpdateStatement::parse(text, &statement))
        return fail(ZeltoUpdates::tr("the entry %1 has no statement signed with this key").arg(parser.value(platform)));
    if (statement.strFile != fileNameOf(entry.value(QLatin1String("download-url")).toString())
        || statement.strVersion != entry.value(QLatin1String("latest-version")).toString()
        || statement.strPlatform != parser.value(platform))
        return fail(ZeltoUpdates::tr("the statement is signed for %1 %2 on %3, not for this entry")
                        .arg(statement.strFile, statement.strVersion, statement.strPlatform));
    const QString strInstaller = parser.positionalArguments().at(1);
    QByteArray sha256;
    QByteArray sha512;
    if (!digestsOf(strInstaller, &sha256, &sha512, &strError))
        return fail(strError);
    if (sha512 != statement.sha512)
        return fail(ZeltoUpdates::tr("%1 is not the file the statement signs").arg(native(strInstaller)));
    print(stdout, ZeltoUpdates::tr("The signed statement of %1 holds: %2 %3 for %4.")
                      .arg(native(strInstaller), statement.strFile, statement.strVersion, statement.strPlatform));
    return 0;
}

bool isWebAddress(const QString &strUrl)
{
    const QUrl url(strUrl, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
}

int appcast(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        ZeltoUpdates::tr("Writes the entry of one platform into an appcast: \"latest-version\", \"download-url\", "
           "\"changelog\", \"open-url\", the installer's \"sha256\", its signed \"update-statement\" and "
           "\"update-signature\", and the \"ed25519-signature\" that versions before signed statements "
           "check. The entry is replaced as a whole; the other platforms stay as they are. Without "
           "APPCAST.json the appcast is printed."));
    parser.addPositionalArgument(QStringLiteral("appcast"), ZeltoUpdates::tr("The command."), QStringLiteral("appcast"));
    parser.addPositionalArgument(QStringLiteral("INSTALLER"), ZeltoUpdates::tr("The installer the entry offers."));
    parser.addPositionalArgument(QStringLiteral("APPCAST.json"), ZeltoUpdates::tr("The appcast to write or update."),
                                 QStringLiteral("[APPCAST.json]"));
    const QCommandLineOption platform = platformOption();
    const QCommandLineOption version = versionOption();
    const QCommandLineOption url(QStringLiteral("url"), ZeltoUpdates::tr("The http(s) address the installer is downloaded from."),
                                 QStringLiteral("URL"));
    const QCommandLineOption key = keyOption();
    const QCommandLineOption changelog(QStringLiteral("changelog"),
                                       ZeltoUpdates::tr("The release notes: an http(s) address or HTML text."),
                                       QStringLiteral("URL"));
    const QCommandLineOption openUrl(QStringLiteral("open-url"),
                                     ZeltoUpdates::tr("A page the application opens instead of downloading."),
                                     QStringLiteral("URL"));
    for (const QCommandLineOption &option : {platform, version, url, key, changelog, openUrl})
        parser.addOption(option);
    int nStatus = 0;
    if (!parse(parser, arguments, 2, 3, &nStatus) || !requireOptions(parser, {platform, version, url, key}, &nStatus))
        return nStatus;

    static const QRegularExpression s_version(QStringLiteral("^\\d+(\\.\\d+)*$"));
    if (!s_version.match(parser.value(version)).hasMatch())
        return fail(ZeltoUpdates::tr("the version %1 is not numbers separated by dots").arg(parser.value(version)), s_nUsage);
    if (!isWebAddress(parser.value(url)))
        return fail(ZeltoUpdates::tr("the download address %1 is not an http(s) address").arg(parser.value(url)), s_nUsage);
    if (fileNameOf(parser.value(url)).isEmpty())
        return fail(ZeltoUpdates::tr("the download address %1 does not end in a file name").arg(parser.value(url)),
                    s_nUsage);
    if (parser.isSet(openUrl) && !parser.value(openUrl).isEmpty() && !isWebAddress(parser.value(openUrl)))
        return fail(ZeltoUpdates::tr("the page %1 is not an http(s) address").arg(parser.value(openUrl)), s_nUsage);

    QString strError;
    const QByteArray secretKey = readSecretKey(parser.value(key), &strError);
    if (secretKey.isEmpty())
        return fail(strError);
    const QString strInstaller = parser.positionalArguments().at(1);
    const QString strAppcast = parser.positionalArguments().value(2);

    QJsonObject document;
    if (!strAppcast.isEmpty() && (QFileInfo::exists(strAppcast) || QFileInfo(strAppcast).isSymLink())
        && !readAppcast(strAppcast, &document, &strError))
        return fail(strError);

    UpdateStatement statement;
    statement.strFile = fileNameOf(parser.value(url));
    statement.strVersion = parser.value(version);
    statement.strPlatform = parser.value(platform);
    QJsonObject entry;
    if (!signRelease(strInstaller, statement, secretKey, &entry, &strError))
        return fail(ZeltoUpdates::tr("cannot sign %1: %2").arg(native(strInstaller), strError));
    // Earlier versions check this signature of the bytes alone; this one
    // never trusts it, as it binds the installer to no release.
    const QByteArray signature = UpdateSignature::signFile(strInstaller, secretKey, &strError);
    if (signature.isEmpty())
        return fail(ZeltoUpdates::tr("cannot sign %1: %2").arg(native(strInstaller), strError));

    entry.insert(QStringLiteral("latest-version"), parser.value(version));
    entry.insert(QStringLiteral("changelog"), parser.value(changelog));
    entry.insert(QStringLiteral("download-url"), parser.value(url));
    entry.insert(QStringLiteral("open-url"), parser.value(openUrl));
    entry.insert(QStringLiteral("ed25519-signature"), QString::fromLatin1(signature.toBase64()));
    QJsonObject updates = document.value(QLatin1String("updates")).toObject();
    updates.insert(parser.value(platform), entry);
    document.insert(QStringLiteral("updates"), updates);
    const QByteArray json = QJsonDocument(document).toJson(QJsonDocument::Indented);

    if (strAppcast.isEmpty()) {
        std::fputs(json.constData(), stdout);
        return 0;
    }
    // Written whole or not at all: a half-written appcast would reach every user.
    QSaveFile file(strAppcast);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit())
        return fail(ZeltoUpdates::tr("cannot write %1: %2").arg(native(strAppcast), file.errorString()));
    print(stderr, ZeltoUpdates::tr("Wrote the %1 entry of %2.").arg(parser.value(platform), native(strAppcast)));
    return 0;
}

QString overview()
{
    return ZeltoUpdates::tr("Usage: zelto-updates COMMAND [options] [arguments]\n"
              "Signs updates for the application's update checker.\n\n"
              "Commands:\n"
              "  generate-keys DIR        make a key pair; the secret key goes to DIR/%1\n"
              "  sign --key FILE --version V --platform NAME [--name FILE] INSTALLER\n"
              "                           print the installer's signed statement\n"
              "  verify --public-key BASE64 --appcast APPCAST.json --platform NAME INSTALLER\n"
              "                           check an appcast entry (exit status 0 when it holds)\n"
              "  appcast --platform NAME --version V --url URL --key FILE\n"
              "          [--changelog URL] [--open-url URL] INSTALLER [APPCAST.json]\n"
              "                           write the platform's entry of an appcast\n\n"
              "zelto-updates COMMAND --help describes a command.")
        .arg(QLatin1String(s_keyFileName));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelto-updates"));
    installTranslators(app);

    const QStringList arguments = QCoreApplication::arguments();
    const QString strCommand = arguments.value(1);
    if (strCommand == QLatin1String("generate-keys"))
        return generateKeys(arguments);
    if (strCommand == QLatin1String("sign"))
        return sign(arguments);
    if (strCommand == QLatin1String("verify"))
        return verify(arguments);
    if (strCommand == QLatin1String("appcast"))
        return appcast(arguments);
    if (strCommand == QLatin1String("--help") || strCommand == QLatin1String("-h")) {
        print(stdout, overview());
        return 0;
    }
    print(stderr, overview());
    return strCommand.isEmpty() ? s_nUsage : fail(ZeltoUpdates::tr("unknown command %1").arg(strCommand), s_nUsage);
}
