// Loads the built plug-in file the way the host does, without linking its code.
#include "extensionsystem/iplugin.h"
#include "tests/common/testhost.h"

#include <QApplication>
#include <QJsonArray>
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

private:
    TestSupport::TestHost m_host;
};

void tst_CorePluginLoader::metaData()
{
    QPluginLoader loader(QStringLiteral(ZELTO_CORE_PLUGIN_FILE));
    const QJsonObject meta = loader.metaData();
    QCOMPARE(meta.value(QStringLiteral("IID")).toString(), QStringLiteral("com.PELUM.Zelto.Plugin"));
    QCOMPARE(meta.value(QStringLiteral("className")).toString(), QStringLiteral("CorePlugin"));
    const QJsonObject data = meta.value(QStringLiteral("MetaData")).toObject();
    QCOMPARE(data.value(QStringLiteral("Name")).toString(), QStringLiteral("core"));
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

QTEST_MAIN(tst_CorePluginLoader)
#include "tst_corepluginloader.moc"
