// zelto-updates: the publisher's side of signed updates. Makes an Ed25519
// key pair, signs installers, checks signatures and writes appcast entries
// that the application's update checker reads.

#include "app/qttranslationspath.h"
#include "core/updater/updatesignature.h"

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

#include <cstdio>

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

// The secret key from a key file written by generate-keys.
QByteArray readSecretKey(const QString &strPath, QString *pError)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = ZeltoUpdates::tr("cannot read the key %1: %2").arg(native(strPath), file.errorString());
        return QByteArray();
    }
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

bool checkReadable(const QString &strPath, QString *pError)
{
    QFile file(strPath);
    if (!QFileInfo(strPath).isFile() || !file.open(QIODevice::ReadOnly)) {
        *pError = ZeltoUpdates::tr("cannot read %1: %2")
                      .arg(native(strPath), QFileInfo::exists(strPath) ? file.errorString() : ZeltoUpdates::tr("no such file"));
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
    if (!QDir().mkpath(strDir))
        return fail(ZeltoUpdates::tr("cannot make the folder %1").arg(native(strDir)));
    const QString strPath = QDir(strDir).filePath(QLatin1String(s_keyFileName));
    QByteArray publicKey;
    QByteArray secretKey;
    if (!UpdateSignature::generateKeyPair(&publicKey, &secretKey))
        return fail(ZeltoUpdates::tr("the system's random source failed"));

    // Never over an existing key: losing it locks every installed copy out
    // of updates.
    QFile file(strPath);
    if (file.exists())
        return fail(ZeltoUpdates::tr("%1 exists already; it is not replaced").arg(native(strPath)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(ZeltoUpdates::tr("cannot write %1: %2").arg(native(strPath), file.errorString()));
    // Private before the secret goes in.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.remove();
        return fail(ZeltoUpdates::tr("cannot make %1 private: %2").arg(native(strPath), file.errorString()));
    }
    if (file.write(secretKey.toBase64() + '\n') < 0 || !file.flush()) {
        const QString strError = file.errorString();
        file.remove();
        return fail(ZeltoUpdates::tr("cannot write %1: %2").arg(native(strPath), strError));
    }
    file.close();
    print(stdout, QString::fromLatin1(publicKey.toBase64()));
    print(stderr, ZeltoUpdates::tr("Wrote the secret key to %1. Keep it secret and keep a copy: updates signed with "
                     "another key are refused.")
                      .arg(native(strPath)));
    return 0;
}

int sign(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(ZeltoUpdates::tr("Prints the Ed25519 signature of INSTALLER in base64."));
    parser.addPositionalArgument(QStringLiteral("sign"), ZeltoUpdates::tr("The command."), QStringLiteral("sign"));
    parser.addPositionalArgument(QStringLiteral("INSTALLER"), ZeltoUpdates::tr("The file to sign."));
    const QCommandLineOption key(QStringLiteral("key"), ZeltoUpdates::tr("The secret key file from generate-keys."),
                                 QStringLiteral("FILE"));
    parser.addOption(key);
    int nStatus = 0;
    if (!parse(parser, arguments, 2, 2, &nStatus) || !requireOptions(parser, {key}, &nStatus))
        return nStatus;

    QString strError;
    const QByteArray secretKey = readSecretKey(parser.value(key), &strError);
    if (secretKey.isEmpty())
        return fail(strError);
    const QString strInstaller = parser.positionalArguments().at(1);
    if (!checkReadable(strInstaller, &strError))
        return fail(strError);
    const QByteArray signature = UpdateSignature::signFile(strInstaller, secretKey, &strError);
    if (signature.isEmpty())
        return fail(ZeltoUpdates::tr("cannot sign %1: %2").arg(native(strInstaller), strError));
    print(stdout, QString::fromLatin1(signature.toBase64()));
    return 0;
}

int verify(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        ZeltoUpdates::tr("Checks an Ed25519 signature of INSTALLER as the application does. The exit status is 0 only "
           "for a valid signature."));
    parser.addPositionalArgument(QStringLiteral("verify"), ZeltoUpdates::tr("The command."), QStringLiteral("verify"));
    parser.addPositionalArgument(QStringLiteral("INSTALLER"), ZeltoUpdates::tr("The signed file."));
    const QCommandLineOption publicKey(QStringLiteral("public-key"), ZeltoUpdates::tr("The public key in base64."),
                                       QStringLiteral("BASE64"));
    const QCommandLineOption signature(QStringLiteral("signature"), ZeltoUpdates::tr("The signature in base64."),
                                       QStringLiteral("BASE64"));
    parser.addOption(publicKey);
    parser.addOption(signature);
    int nStatus = 0;
    if (!parse(parser, arguments, 2, 2, &nStatus) || !requireOptions(parser, {publicKey, signature}, &nStatus))
        return nStatus;

    const QByteArray key = UpdateSignature::decode(parser.value(publicKey), UpdateSignature::PublicKeySize);
    if (key.isEmpty())
        return fail(ZeltoUpdates::tr("the public key is not 32 bytes in base64"));
    const QByteArray bytes = UpdateSignature::decode(parser.value(signature), UpdateSignature::SignatureSize);
    if (bytes.isEmpty())
        return fail(ZeltoUpdates::tr("the signature is not 64 bytes in base64"));
    const QString strInstaller = parser.positionalArguments().at(1);
    QString strError;
    if (!checkReadable(strInstaller, &strError))
        return fail(strError);
    switch (UpdateSignature::verifyFile(strInstaller, key, bytes)) {
    case UpdateSignature::Valid:
        print(stdout, ZeltoUpdates::tr("The signature of %1 is valid.").arg(native(strInstaller)));
        return 0;
    case UpdateSignature::Unreadable:
        return fail(ZeltoUpdates::tr("cannot read %1").arg(native(strInstaller)));
    default:
        return fail(ZeltoUpdates::tr("the signature of %1 is not valid").arg(native(strInstaller)));
    }
}

bool isWebAddress(const QString &strUrl)
{
    const QUrl url(strUrl, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
}

QString sha256Of(const QString &strPath, QString *pError)
{
    QFile file(strPath);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        *pError = ZeltoUpdates::tr("cannot read %1: %2").arg(native(strPath), file.errorString());
        return QString();
    }
    return QString::fromLatin1(hash.result().toHex());
}

int appcast(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        ZeltoUpdates::tr("Writes the entry of one platform into an appcast: \"latest-version\", \"download-url\", "
           "\"changelog\", \"open-url\", and the installer's \"sha256\" and \"ed25519-signature\". The entry "
           "is replaced as a whole; the other platforms stay as they are. Without APPCAST.json the appcast "
           "is printed."));
    parser.addPositionalArgument(QStringLiteral("appcast"), ZeltoUpdates::tr("The command."), QStringLiteral("appcast"));
    parser.addPositionalArgument(QStringLiteral("INSTALLER"), ZeltoUpdates::tr("The installer the entry offers."));
    parser.addPositionalArgument(QStringLiteral("APPCAST.json"), ZeltoUpdates::tr("The appcast to write or update."),
                                 QStringLiteral("[APPCAST.json]"));
    const QCommandLineOption platform(QStringLiteral("platform"), ZeltoUpdates::tr("The platform key, e.g. linux or windows."),
                                      QStringLiteral("NAME"));
    const QCommandLineOption version(QStringLiteral("version"), ZeltoUpdates::tr("The installer's version, e.g. 2.1.0."),
                                     QStringLiteral("V"));
    const QCommandLineOption url(QStringLiteral("url"), ZeltoUpdates::tr("The http(s) address the installer is downloaded from."),
                                 QStringLiteral("URL"));
    const QCommandLineOption key(QStringLiteral("key"), ZeltoUpdates::tr("The secret key file from generate-keys."),
                                 QStringLiteral("FILE"));
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
    if (parser.isSet(openUrl) && !parser.value(openUrl).isEmpty() && !isWebAddress(parser.value(openUrl)))
        return fail(ZeltoUpdates::tr("the page %1 is not an http(s) address").arg(parser.value(openUrl)), s_nUsage);

    QString strError;
    const QByteArray secretKey = readSecretKey(parser.value(key), &strError);
    if (secretKey.isEmpty())
        return fail(strError);
    const QString strInstaller = parser.positionalArguments().at(1);
    const QString strAppcast = parser.positionalArguments().value(2);
    if (!checkReadable(strInstaller, &strError))
        return fail(strError);

    QJsonObject document;
    if (!strAppcast.isEmpty() && QFileInfo::exists(strAppcast)) {
        QFile file(strAppcast);
        if (!file.open(QIODevice::ReadOnly))
            return fail(ZeltoUpdates::tr("cannot read %1: %2").arg(native(strAppcast), file.errorString()));
        const QByteArray data = file.read(s_nMaxAppcastSize + 1);
        if (data.size() > s_nMaxAppcastSize)
            return fail(ZeltoUpdates::tr("%1 is larger than an appcast may be (1 MiB)").arg(native(strAppcast)));
        QJsonParseError error;
        const QJsonDocument parsed = QJsonDocument::fromJson(data, &error);
        if (!parsed.isObject()
            || (parsed.object().contains(QLatin1String("updates"))
                && !parsed.object().value(QLatin1String("updates")).isObject()))
            return fail(ZeltoUpdates::tr("%1 is not an appcast; it is left as it is").arg(native(strAppcast)));
        document = parsed.object();
    }

    const QString strSha256 = sha256Of(strInstaller, &strError);
    if (strSha256.isEmpty())
        return fail(strError);
    const QByteArray signature = UpdateSignature::signFile(strInstaller, secretKey, &strError);
    if (signature.isEmpty())
        return fail(ZeltoUpdates::tr("cannot sign %1: %2").arg(native(strInstaller), strError));

    QJsonObject entry;
    entry.insert(QStringLiteral("latest-version"), parser.value(version));
    entry.insert(QStringLiteral("changelog"), parser.value(changelog));
    entry.insert(QStringLiteral("download-url"), parser.value(url));
    entry.insert(QStringLiteral("open-url"), parser.value(openUrl));
    entry.insert(QStringLiteral("sha256"), strSha256);
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
              "  sign --key FILE INSTALLER\n"
              "                           print the installer's signature\n"
              "  verify --public-key BASE64 --signature BASE64 INSTALLER\n"
              "                           check a signature (exit status 0 when valid)\n"
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
