// Loads the built plug-in file the way the host does, without linking its code.
#include "extensionsystem/iplugin.h"
#include "tests/common/testhost.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QPluginLoader>
#include <QPointer>
#include <QtTest>

class tst_CorePluginLoader : public QObject
{
    Q_OBJECT

private slots:
    void metaData();
    void instanceIsKeptUntilDeleted();
    void startsWithoutWebEngine();

private:
    TestSupport::TestHost m_host;
};

// Read without loading the library, the file's Qt metadata carries our
// interface identifier, the plug-in class and core/core.json unchanged.
void tst_CorePluginLoader::metaData()
{
    QPluginLoader loader(QStringLiteral(ZELTO_CORE_PLUGIN_FILE));
    const QJsonObject meta = loader.metaData();
    QVERIFY(!loader.isLoaded());
    QCOMPARE(meta.value(QStringLiteral("IID")).toString(), QStringLiteral("com.PELUM.Zelto.Plugin"));
    QCOMPARE(meta.value(QStringLiteral("className")).toString(), QStringLiteral("CorePlugin"));

    QFile source(QStringLiteral(ZELTO_CORE_METADATA_FILE));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(source.readAll()).object();
    QVERIFY(!expected.isEmpty());
    const QJsonObject data = meta.value(QStringLiteral("MetaData")).toObject();
    QCOMPARE(data.keys(), expected.keys());
    QCOMPARE(data, expected);
    QCOMPARE(data.value(QStringLiteral("Name")).toString(), QStringLiteral("core"));
    QCOMPARE(data.value(QStringLiteral("Required")).toBool(), true);
    QVERIFY(data.value(QStringLiteral("Dependencies")).toArray().isEmpty());
}

void tst_CorePluginLoader::instanceIsKeptUntilDeleted()
{
    QPluginLoader loader(QStringLiteral(ZELTO_CORE_PLUGIN_FILE));
    QPointer<QObject> first = loader.instance();
    QVERIFY2(first, qPrintable(loader.errorString()));
    auto *plugin = qobject_cast<ExtensionSystem::IPlugin *>(first);
    QVERIFY(plugin);
    QCOMPARE(loader.instance(), first.data());

    QString error;
    QVERIFY(plugin->initialize(QStringList(), &error));
    QVERIFY(error.isEmpty());
    QVERIFY(plugin->lateInitialize());

    // The main window is the plug-in's only top-level widget besides its
    // menus, which are popup windows of their own.
    int nWindows = 0;
    for (QWidget *pWidget : QApplication::topLevelWidgets()) {
        if (!qobject_cast<QMenu *>(pWidget))
            ++nWindows;
    }
    QCOMPARE(nWindows, 1);
    delete first;
    QVERIFY(first.isNull());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());

    QPointer<QObject> second = loader.instance();
    QVERIFY(qobject_cast<ExtensionSystem::IPlugin *>(second));
    QCOMPARE(loader.instance(), second.data());
    delete second;
}

// The web engine costs start-up tens of milliseconds; the core loads it
// only when it shows release notes.
void tst_CorePluginLoader::startsWithoutWebEngine()
{
    QPluginLoader loader(QStringLiteral(ZELTO_CORE_PLUGIN_FILE));
    QPointer<QObject> pInstance = loader.instance();
    auto *plugin = qobject_cast<ExtensionSystem::IPlugin *>(pInstance);
    QVERIFY2(plugin, qPrintable(loader.errorString()));
    QString error;
    QVERIFY(plugin->initialize(QStringList(), &error));
    QVERIFY(plugin->lateInitialize());
#if defined(Q_OS_LINUX)
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY2(!maps.readAll().contains("WebEngine"), "the core plug-in loaded the web engine");
#endif
    delete pInstance;
}

QTEST_MAIN(tst_CorePluginLoader)
#include "tst_corepluginloader.moc"
