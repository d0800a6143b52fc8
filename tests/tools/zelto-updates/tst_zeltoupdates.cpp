#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Runs the publishers' tool as a publisher would, and checks its signatures
// with another Ed25519 implementation (openssl).
class tst_ZeltoUpdates : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commands();
    void failures_data();
    void failures();

private:
    struct Run
    {
        int nStatus = -1;
        QString strOut;
        QString strErr;
    };
    Run run(const QStringList &arguments) const;
    // Whether openssl, another Ed25519 implementation, accepts the base64
    // signature of the file strPath with the tool's public key.
    bool opensslVerifies(const QString &strPath, const QString &strSignature) const;
    QString path(const QString &strName) const { return m_dir.filePath(strName); }

    QTemporaryDir m_dir;
    QString m_strPublicKey;
};

tst_ZeltoUpdates::Run tst_ZeltoUpdates::run(const QStringList &arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.remove(QStringLiteral("LANGUAGE"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZELTO_UPDATES_TOOL), arguments);
    Run result;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        result.nStatus = process.exitCode();
    result.strOut = QString::fromUtf8(process.readAllStandardOutput());
    result.strErr = QString::fromUtf8(process.readAllStandardError());
    return result;
}

static bool writeFile(const QString &strPath, const QByteArray &data)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

bool tst_ZeltoUpdates::opensslVerifies(const QString &strPath, const QString &strSignature) const
{
    // openssl takes the raw key wrapped as a SubjectPublicKeyInfo (DER).
    const QString strOpenssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (strOpenssl.isEmpty()
        || !writeFile(path(QStringLiteral("public.der")), QByteArray::fromHex("302a300506032b6570032100")
                                                              + QByteArray::fromBase64(m_strPublicKey.toLatin1()))
        || !writeFile(path(QStringLiteral("signature.bin")), QByteArray::fromBase64(strSignature.toLatin1())))
        return false;
    QProcess openssl;
    openssl.start(strOpenssl, {QStringLiteral("pkeyutl"), QStringLiteral("-verify"), QStringLiteral("-rawin"),
                               QStringLiteral("-pubin"), QStringLiteral("-keyform"), QStringLiteral("DER"),
                               QStringLiteral("-inkey"), path(QStringLiteral("public.der")), QStringLiteral("-in"),
                               strPath, QStringLiteral("-sigfile"), path(QStringLiteral("signature.bin"))});
    return openssl.waitForFinished(60000) && openssl.exitStatus() == QProcess::NormalExit && openssl.exitCode() == 0;
}

void tst_ZeltoUpdates::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeFile(path(QStringLiteral("setup.bin")), QByteArray(300000, 'z') + "end"));
    // Files that would block a reader, or are not files at all.
    QCOMPARE(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo"))).constData(), 0600), 0);
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("open")));
    QVERIFY(QFile::setPermissions(path(QStringLiteral("open")), QFileDevice::Permissions(0x7777)));
    // The key's folder and file are private whatever the umask says.
    const mode_t previous = ::umask(0);
    const Run keys = run({QStringLiteral("generate-keys"), path(QStringLiteral("keys"))});
    ::umask(previous);
    QCOMPARE(keys.nStatus, 0);
    m_strPublicKey = keys.strOut.trimmed();
    QCOMPARE(QByteArray::fromBase64(m_strPublicKey.toLatin1()).size(), 32);
}

void tst_ZeltoUpdates::commands()
{
    const QString strKey = path(QStringLiteral("keys/ed25519.key"));
    const QString strInstaller = path(QStringLiteral("setup.bin"));
    // Modes 0700 and 0600: the owner reads and writes, nobody else anything.
    QCOMPARE(int(QFile::permissions(path(QStringLiteral("keys"))) & 0x7777), 0x7700);
    QCOMPARE(int(QFile::permissions(strKey) & 0x7777), 0x6600);

    const Run signature = run({QStringLiteral("sign"), QStringLiteral("--key"), strKey, QStringLiteral("--version"),
                               QStringLiteral("2.1.0"), QStringLiteral("--platform"), QStringLiteral("linux"),
                               strInstaller});
    QCOMPARE(signature.nStatus, 0);
    const QJsonObject signedRelease = QJsonDocument::fromJson(signature.strOut.toUtf8()).object();
    const QString strStatement = signedRelease.value(QLatin1String("update-statement")).toString();
    const QString strSignature = signedRelease.value(QLatin1String("update-signature")).toString();
    QFile installer(strInstaller);
    QVERIFY(installer.open(QIODevice::ReadOnly));
    const QByteArray content = installer.readAll();
    const QByteArray sha512 = QCryptographicHash::hash(content, QCryptographicHash::Sha512).toHex();
    QCOMPARE(strStatement, QStringLiteral("zelto-update 1\nfile: setup.bin\nversion: 2.1.0\nplatform: linux\nsha512: ")
                               + QString::fromLatin1(sha512) + QLatin1Char('\n'));

    QVERIFY(writeFile(path(QStringLiteral("statement.txt")), strStatement.toUtf8()));
    QVERIFY(opensslVerifies(path(QStringLiteral("statement.txt")), strSignature));

    // An existing appcast keeps its other platforms; the entry is replaced whole.
    const QString strAppcast = path(QStringLiteral("appcast.json"));
    QVERIFY(writeFile(strAppcast, R"({"updates": {"windows": {"latest-version": "1.0"},
                                      "linux": {"latest-version": "1.0", "extra": 1}}})"));
    const Run appcast = run({QStringLiteral("appcast"), QStringLiteral("--platform"), QStringLiteral("linux"),
                             QStringLiteral("--version"), QStringLiteral("2.1.0"), QStringLiteral("--url"),
                             QStringLiteral("https://downloads.pelum.example/setup.bin"), QStringLiteral("--key"),
                             strKey, QStringLiteral("--changelog"), QStringLiteral("https://pelum.example/notes"),
                             strInstaller, strAppcast});
    QVERIFY2(appcast.nStatus == 0, qPrintable(appcast.strErr));
    QFile file(strAppcast);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject updates = QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("updates")).toObject();
    QCOMPARE(updates.value(QLatin1String("windows")).toObject().value(QLatin1String("latest-version")).toString(),
             QStringLiteral("1.0"));
    const QJsonObject expected{
        {QStringLiteral("latest-version"), QStringLiteral("2.1.0")},
        {QStringLiteral("download-url"), QStringLiteral("https://downloads.pelum.example/setup.bin")},
        {QStringLiteral("changelog"), QStringLiteral("https://pelum.example/notes")},
        {QStringLiteral("open-url"), QString()},
        {QStringLiteral("sha256"),
         QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex())},
        // Ed25519 signatures are deterministic.
        {QStringLiteral("update-statement"), strStatement},
        {QStringLiteral("update-signature"), strSignature}};
    QJsonObject entry = updates.value(QLatin1String("linux")).toObject();
    // For versions before signed statements: the bytes alone.
    QVERIFY(opensslVerifies(strInstaller, entry.take(QLatin1String("ed25519-signature")).toString()));
    QCOMPARE(entry, expected);

    // The entry holds for this installer, and for no other.
    const QStringList verify = {QStringLiteral("verify"), QStringLiteral("--public-key"), m_strPublicKey,
                                QStringLiteral("--appcast"), strAppcast, QStringLiteral("--platform")};
    QCOMPARE(run(verify + QStringList{QStringLiteral("linux"), strInstaller}).nStatus, 0);
    QVERIFY(writeFile(path(QStringLiteral("tampered.bin")), QByteArray(300000, 'z') + "End"));
    QCOMPARE(run(verify + QStringList{QStringLiteral("linux"), path(QStringLiteral("tampered.bin"))}).nStatus, 1);
    QCOMPARE(run(verify + QStringList{QStringLiteral("windows"), strInstaller}).nStatus, 1);
}

void tst_ZeltoUpdates::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    // %1 is the test's folder.
    const QString strKey = QStringLiteral("%1/keys/ed25519.key");
    const QString strInstaller = QStringLiteral("%1/setup.bin");
    const QStringList sign = {"sign", "--version", "2", "--platform", "linux", "--key"};
    QTest::newRow("missing installer") << sign + QStringList{strKey, "%1/missing.bin"} << 1
                                       << "cannot read %1/missing.bin: no such file";
    QTest::newRow("bad key") << sign + QStringList{strInstaller, strInstaller} << 1
                             << "%1/setup.bin is not a secret key made by zelto-updates generate-keys";
    // Refused at once, never waited on.
    QTest::newRow("key is a FIFO") << sign + QStringList{"%1/fifo", strInstaller} << 1
                                   << "%1/fifo is not a regular file";
    QTest::newRow("installer is a folder") << sign + QStringList{strKey, "%1/keys"} << 1
                                           << "%1/keys is not a regular file";
    QTest::newRow("appcast is a FIFO")
        << QStringList{"appcast", "--platform", "linux", "--version", "2", "--url", "https://pelum.example/s",
                       "--key", strKey, strInstaller, "%1/fifo"}
        << 1 << "%1/fifo is not a regular file";
    QTest::newRow("keys into a folder others can write") << QStringList{"generate-keys", "%1/open"} << 1
                                                         << "%1/open is not a folder of yours that only you can write";
    QTest::newRow("bad public key")
        << QStringList{"verify", "--public-key", "AAAA", "--appcast", "%1/fifo", "--platform", "linux", strInstaller}
        << 1 << "the public key is not 32 bytes in base64";
    QTest::newRow("not an appcast")
        << QStringList{"appcast", "--platform", "linux", "--version", "2", "--url", "https://pelum.example/s",
                       "--key", strKey, strInstaller, strInstaller}
        << 1 << "%1/setup.bin is not an appcast; it is left as it is";
    QTest::newRow("key exists") << QStringList{"generate-keys", "%1/keys"} << 1
                                << "%1/keys/ed25519.key exists already; it is not replaced";
    QTest::newRow("missing option") << QStringList{"verify", "--appcast", "x", "--platform", "linux", strInstaller}
                                    << 2 << "the option --public-key is missing";
    QTest::newRow("unknown command") << QStringList{"publish"} << 2 << "unknown command publish";
    for (const char *command : {"generate-keys", "sign", "verify", "appcast"})
        QTest::newRow(command) << QStringList{command, "--help"} << 0 << QString::fromLatin1(command);
}

void tst_ZeltoUpdates::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    for (QString &strArgument : arguments)
        strArgument = strArgument.arg(m_dir.path());
    const Run result = run(arguments);
    QCOMPARE(result.nStatus, status);
    const QString strShown = status == 0 ? result.strOut : result.strErr;
    QVERIFY2(strShown.contains(output.arg(m_dir.path())), qPrintable(strShown));
}

QTEST_MAIN(tst_ZeltoUpdates)
#include "tst_zeltoupdates.moc"
