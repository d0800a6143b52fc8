#include "extensionsystem/iplugin.h"
#include "extensionsystem/pluginmanager.h"
#include "extensionsystem/plugininfo.h"
#include "tests/common/testhost.h"

#include <QDir>
#include <QJsonArray>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QtTest>

using ExtensionSystem::PluginManager;
using ExtensionSystem::PluginInfo;

class tst_PluginManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void metadataReadsBackWithoutLoading();
    void discoveryKeepsOnlyOurPlugins();
    void lifecycleFollowsDependencies();
    void failuresAreIsolated_data();
    void failuresAreIsolated();
    void requiredFailureStopsStartup();
    void versionCompare_data();
    void versionCompare();

private:
    static QString folder(const char *name)
    {
        return QStringLiteral(ZELTO_TEST_PLUGIN_ROOT "/") + QLatin1String(name);
    }
    static QStringList calls() { return qApp->property("zeltoTestCalls").toStringList(); }
    // The calls of one kind, in order, as plug-in names.
    static QStringList callsOf(const QString &call)
    {
        QStringList names;
        const QStringList all = calls();
        for (const QString &line : all) {
            const QStringList parts = line.split(QLatin1Char(':'));
            if (parts.value(1) == call)
                names.append(parts.first());
        }
        return names;
    }
};

void tst_PluginManager::init()
{
    qApp->setProperty("zeltoTestCalls", QStringList());
}

void tst_PluginManager::metadataReadsBackWithoutLoading()
{
    QPluginLoader loader(QDir(folder("chain")).filePath(QStringLiteral("libgamma.so")));
    const QJsonObject metaData = loader.metaData();
    QCOMPARE(metaData.value(QStringLiteral("IID")).toString(), QStringLiteral(ZELTO_PLUGIN_IID));
    QCOMPARE(metaData.value(QStringLiteral("className")).toString(), QStringLiteral("GammaPlugin"));
    const QJsonObject own = metaData.value(QStringLiteral("MetaData")).toObject();
    QCOMPARE(own.value(QStringLiteral("Name")).toString(), QStringLiteral("gamma"));
    QCOMPARE(own.value(QStringLiteral("Version")).toString(), QStringLiteral("1.2.0"));
    QCOMPARE(own.value(QStringLiteral("Dependencies")).toArray().size(), 2);
    QVERIFY(!loader.isLoaded());
    QVERIFY(calls().isEmpty());
}

void tst_PluginManager::discoveryKeepsOnlyOurPlugins()
{
    TestSupport::TestHost host;
    PluginManager::setPluginPaths({folder("chain"), folder("does-not-exist")});
    PluginManager::loadPlugins();

    QStringList names;
    const QVector<PluginInfo *> plugins = PluginManager::plugins();
    for (const PluginInfo *pInfo : plugins)
        names.append(pInfo->name());
    names.sort();
    QCOMPARE(names, QStringList({"alpha", "beta", "gamma"}));
    QVERIFY(!PluginManager::hasError());

    const PluginInfo *gamma = PluginManager::pluginByName(QStringLiteral("gamma"));
    QVERIFY(gamma);
    QCOMPARE(gamma->version(), QStringLiteral("1.2.0"));
    QCOMPARE(gamma->compatVersion(), QStringLiteral("1.0.0"));
    QVERIFY(!gamma->isRequired());
    QCOMPARE(gamma->dependencies().size(), 2);
    QCOMPARE(gamma->dependencies().at(0).name, QStringLiteral("beta"));
    QCOMPARE(gamma->dependencyInfos().at(1), PluginManager::pluginByName(QStringLiteral("alpha")));
    QVERIFY(gamma->filePath().endsWith(QStringLiteral("libgamma.so")));
    QCOMPARE(gamma->state(), PluginInfo::Running);
    QVERIFY(qobject_cast<ExtensionSystem::IPlugin *>(gamma->plugin()));
}

void tst_PluginManager::lifecycleFollowsDependencies()
{
    TestSupport::TestHost host;
    PluginManager::setArguments({QStringLiteral("first.zelto"), QStringLiteral("second.zelto")});
    PluginManager::setPluginPaths({folder("chain")});
    QSignalSpy done(host.manager(), &PluginManager::initializationDone);

    // A second instance that calls in during start-up waits for the plug-ins.
    PluginManager::handleSecondInstance({QStringLiteral("-x")}, QStringLiteral("/work"),
                                        {QStringLiteral("early.zelto")});
    QVERIFY(callsOf(QStringLiteral("secondInstanceCommand")).isEmpty());

    PluginManager::loadPlugins();
    const QStringList forward({"alpha", "beta", "gamma"});
    const QStringList backward({"gamma", "beta", "alpha"});
    QCOMPARE(callsOf(QStringLiteral("construct")), forward);
    QCOMPARE(callsOf(QStringLiteral("initialize")), forward);
    QCOMPARE(callsOf(QStringLiteral("extensionsInitialized")), backward);
    QVERIFY(calls().contains(QStringLiteral("alpha:initialize:first.zelto,second.zelto")));
    // Every construction comes before the first initialize.
    QCOMPARE(calls().indexOf(QStringLiteral("gamma:construct")) + 1,
             calls().indexOf(QStringLiteral("alpha:initialize:first.zelto,second.zelto")));
    QVERIFY(callsOf(QStringLiteral("lateInitialize")).isEmpty());

    QVERIFY(done.wait(5000));
    QCOMPARE(callsOf(QStringLiteral("lateInitialize")), backward);
    QCOMPARE(callsOf(QStringLiteral("secondInstanceCommand")), forward);
    QVERIFY(calls().contains(QStringLiteral("beta:secondInstanceCommand:-x|/work|early.zelto")));

    PluginManager::handleSecondInstance({}, QStringLiteral("/w"), {QStringLiteral("a"), QStringLiteral("b")});
    QVERIFY(calls().contains(QStringLiteral("gamma:secondInstanceCommand:|/w|a,b")));

    qApp->setProperty("zeltoTestCalls", QStringList());
    PluginManager::shutdown();
    QCOMPARE(callsOf(QStringLiteral("aboutToShutdown")), backward);
    QCOMPARE(callsOf(QStringLiteral("delete")), backward);
    QCOMPARE(calls().size(), 6);
    QCOMPARE(PluginManager::pluginByName(QStringLiteral("alpha"))->state(), PluginInfo::Deleted);
    QVERIFY(!PluginManager::pluginByName(QStringLiteral("alpha"))->plugin());
}

void tst_PluginManager::failuresAreIsolated_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("error");

    QTest::newRow("healthy neighbour runs") << "alpha" << int(PluginInfo::Running) << QString();
    QTest::newRow("missing dependency") << "delta" << int(PluginInfo::Read)
                                        << "The plug-in \"nosuch\" it depends on was not found.";
    QTest::newRow("depends on a failed one") << "epsilon" << int(PluginInfo::Resolved)
                                             << "Skipped because the plug-in \"delta\" it depends on failed.";
    QTest::newRow("cycle, first member") << "xray" << int(PluginInfo::Resolved)
                                         << "Circular dependency: xray -> yankee -> xray.";
    QTest::newRow("cycle, second member") << "yankee" << int(PluginInfo::Resolved)
                                          << "Circular dependency: xray -> yankee -> xray.";
    QTest::newRow("too old a dependency") << "oldie" << int(PluginInfo::Read)
                                          << "It needs \"alpha\" in version 2.0.0, but version 1.0.0";
    QTest::newRow("library does not load") << "broken" << int(PluginInfo::Resolved)
                                           << "The library could not be loaded:";
    QTest::newRow("after a library that does not load") << "afterbroken" << int(PluginInfo::Resolved)
                                                         << "Skipped because the plug-in \"broken\"";
    QTest::newRow("initialize fails") << "refuser" << int(PluginInfo::Loaded)
                                      << "Initialization failed: refuser refuses to start.";
    QTest::newRow("after a failed initialize") << "afterrefuser" << int(PluginInfo::Loaded)
                                               << "Skipped because the plug-in \"refuser\"";
}

void tst_PluginManager::failuresAreIsolated()
{
    QFETCH(QString, plugin);
    QFETCH(int, state);
    QFETCH(QString, error);

    TestSupport::TestHost host;
    PluginManager::setPluginPaths({folder("failures")});
    PluginManager::loadPlugins();
    QVERIFY(!PluginManager::hasFatalError());

    const PluginInfo *pInfo = PluginManager::pluginByName(plugin);
    QVERIFY(pInfo);
    QCOMPARE(int(pInfo->state()), state);
    QCOMPARE(pInfo->hasError(), !error.isEmpty());
    QVERIFY2(pInfo->errorString().startsWith(error), qPrintable(pInfo->errorString()));
    if (!error.isEmpty()) {
        // The collected message names the plug-in, its file and the reason.
        const QString prefix = QStringLiteral("Plug-in \"%1\" (").arg(plugin);
        bool found = false;
        const QStringList errors = PluginManager::allErrors();
        for (const QString &message : errors)
            found = found || (message.startsWith(prefix) && message.contains(pInfo->errorString()));
        QVERIFY2(found, qPrintable(errors.join(QLatin1Char('\n'))));
        QVERIFY(!callsOf(QStringLiteral("extensionsInitialized")).contains(plugin));
    } else {
        QCOMPARE(callsOf(QStringLiteral("extensionsInitialized")), QStringList({plugin}));
    }
    QCOMPARE(PluginManager::allErrors().size(), 9);

    PluginManager::shutdown();
    // Whatever was constructed is deleted, failed or not.
    QCOMPARE(callsOf(QStringLiteral("delete")).size(), callsOf(QStringLiteral("construct")).size());
    QCOMPARE(callsOf(QStringLiteral("aboutToShutdown")), QStringList({"alpha"}));
}

void tst_PluginManager::requiredFailureStopsStartup()
{
    TestSupport::TestHost host;
    PluginManager::setPluginPaths({folder("required")});
    PluginManager::loadPlugins();

    QVERIFY(PluginManager::hasFatalError());
    QVERIFY(!PluginManager::isRunning());
    QVERIFY(PluginManager::fatalErrorString().startsWith(QStringLiteral("Plug-in \"vital\" (")));
    QVERIFY(PluginManager::fatalErrorString().endsWith(QStringLiteral("Initialization failed: vital refuses to start.")));
    QCOMPARE(callsOf(QStringLiteral("initialize")), QStringList({"alpha", "vital"}));
    QVERIFY(callsOf(QStringLiteral("extensionsInitialized")).isEmpty());
    QCOMPARE(PluginManager::pluginByName(QStringLiteral("zulu"))->state(), PluginInfo::Loaded);

    PluginManager::shutdown();
    QCOMPARE(callsOf(QStringLiteral("aboutToShutdown")), QStringList({"alpha"}));
    QCOMPARE(callsOf(QStringLiteral("delete")), QStringList({"zulu", "vital", "alpha"}));
}

void tst_PluginManager::versionCompare_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<int>("expected");
    QTest::newRow("equal") << "1.0.0" << "1.0.0" << 0;
    QTest::newRow("missing parts are zero") << "1.0" << "1.0.0" << 0;
    QTest::newRow("numeric, not textual") << "1.10.0" << "1.9.0" << 1;
    QTest::newRow("major wins") << "1.99" << "2.0" << -1;
}

void tst_PluginManager::versionCompare()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(int, expected);
    QCOMPARE(qBound(-1, PluginInfo::versionCompare(left, right), 1), expected);
    QCOMPARE(qBound(-1, PluginInfo::versionCompare(right, left), 1), -expected);
}

QTEST_MAIN(tst_PluginManager)
#include "tst_pluginmanager.moc"
