#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

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

void tst_ZeltoUpdates::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeFile(path(QStringLiteral("setup.bin")), QByteArray(300000, 'z') + "end"));
    const Run keys = run({QStringLiteral("generate-keys"), path(QStringLiteral("keys"))});
    QCOMPARE(keys.nStatus, 0);
    m_strPublicKey = keys.strOut.trimmed();
    QCOMPARE(QByteArray::fromBase64(m_strPublicKey.toLatin1()).size(), 32);
}

void tst_ZeltoUpdates::commands()
{
    const QString strKey = path(QStringLiteral("keys/ed25519.key"));
    const QString strInstaller = path(QStringLiteral("setup.bin"));
    // Mode 0600: the owner reads and writes, nobody else anything.
    const QFileDevice::Permissions mode = QFile::permissions(strKey);
    QVERIFY(mode.testFlag(QFileDevice::ReadOwner) && mode.testFlag(QFileDevice::WriteOwner));
    QCOMPARE(int(mode & 0x0177), 0);

    const Run signature = run({QStringLiteral("sign"), QStringLiteral("--key"), strKey, strInstaller});
    QCOMPARE(signature.nStatus, 0);
    const QString strSignature = signature.strOut.trimmed();

    // openssl takes the raw key wrapped as a SubjectPublicKeyInfo (DER).
    const QString strOpenssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    QVERIFY2(!strOpenssl.isEmpty(), "openssl is needed to check the signatures");
    QVERIFY(writeFile(path(QStringLiteral("public.der")),
                      QByteArray::fromHex("302a300506032b6570032100") + QByteArray::fromBase64(m_strPublicKey.toLatin1())));
    QVERIFY(writeFile(path(QStringLiteral("setup.sig")), QByteArray::fromBase64(strSignature.toLatin1())));
    QProcess openssl;
    openssl.start(strOpenssl, {QStringLiteral("pkeyutl"), QStringLiteral("-verify"), QStringLiteral("-rawin"),
                               QStringLiteral("-pubin"), QStringLiteral("-keyform"), QStringLiteral("DER"),
                               QStringLiteral("-inkey"), path(QStringLiteral("public.der")), QStringLiteral("-in"),
                               strInstaller, QStringLiteral("-sigfile"), path(QStringLiteral("setup.sig"))});
    QVERIFY(openssl.waitForFinished(60000));
    QVERIFY2(openssl.exitCode() == 0, openssl.readAllStandardError().constData());

    const QStringList verify = {QStringLiteral("verify"), QStringLiteral("--public-key"), m_strPublicKey,
                                QStringLiteral("--signature"), strSignature};
    QCOMPARE(run(verify + QStringList(strInstaller)).nStatus, 0);
    QVERIFY(writeFile(path(QStringLiteral("tampered.bin")), QByteArray(300000, 'z') + "End"));
    QCOMPARE(run(verify + QStringList(path(QStringLiteral("tampered.bin")))).nStatus, 1);

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
    QFile installer(strInstaller);
    QVERIFY(installer.open(QIODevice::ReadOnly));
    const QJsonObject expected{
        {QStringLiteral("latest-version"), QStringLiteral("2.1.0")},
        {QStringLiteral("download-url"), QStringLiteral("https://downloads.pelum.example/setup.bin")},
        {QStringLiteral("changelog"), QStringLiteral("https://pelum.example/notes")},
        {QStringLiteral("open-url"), QString()},
        {QStringLiteral("sha256"),
         QString::fromLatin1(QCryptographicHash::hash(installer.readAll(), QCryptographicHash::Sha256).toHex())},
        // Ed25519 signatures are deterministic.
        {QStringLiteral("ed25519-signature"), strSignature}};
    QCOMPARE(updates.value(QLatin1String("linux")).toObject(), expected);
}

void tst_ZeltoUpdates::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    // %1 is the test's folder.
    const QString strKey = QStringLiteral("%1/keys/ed25519.key");
    const QString strInstaller = QStringLiteral("%1/setup.bin");
    QTest::newRow("missing installer") << QStringList{"sign", "--key", strKey, "%1/missing.bin"} << 1
                                       << "cannot read %1/missing.bin: no such file";
    QTest::newRow("bad key") << QStringList{"sign", "--key", strInstaller, strInstaller} << 1
                             << "%1/setup.bin is not a secret key made by zelto-updates generate-keys";
    QTest::newRow("bad public key") << QStringList{"verify", "--public-key", "AAAA", "--signature", "AAAA", strInstaller}
                                    << 1 << "the public key is not 32 bytes in base64";
    QTest::newRow("not an appcast")
        << QStringList{"appcast", "--platform", "linux", "--version", "2", "--url", "https://pelum.example/s",
                       "--key", strKey, strInstaller, strInstaller}
        << 1 << "%1/setup.bin is not an appcast; it is left as it is";
    QTest::newRow("key exists") << QStringList{"generate-keys", "%1/keys"} << 1
                                << "%1/keys/ed25519.key exists already; it is not replaced";
    QTest::newRow("missing option") << QStringList{"verify", "--signature", "AAAA", strInstaller} << 2
                                    << "the option --public-key is missing";
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
