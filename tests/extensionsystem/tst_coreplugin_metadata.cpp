#include "extensionsystem/iplugin.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPluginLoader>
#include <QtTest>

// The built core plug-in file must be found by the host: its Qt metadata,
// read without loading the library, carries our interface identifier, the
// plug-in class and the metadata of core/core.json.
class tst_CorePluginMetadata : public QObject
{
    Q_OBJECT

private slots:
    void metadataOfTheBuiltFile();
};

void tst_CorePluginMetadata::metadataOfTheBuiltFile()
{
    QPluginLoader loader(QStringLiteral(ZELTO_CORE_PLUGIN_FILE));
    const QJsonObject metaData = loader.metaData();
    QVERIFY(!loader.isLoaded());
    QCOMPARE(metaData.value(QStringLiteral("IID")).toString(), QStringLiteral(ZELTO_PLUGIN_IID));
    QCOMPARE(metaData.value(QStringLiteral("className")).toString(), QStringLiteral("CorePlugin"));

    QFile source(QStringLiteral(ZELTO_CORE_METADATA_FILE));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(source.readAll()).object();
    QVERIFY(!expected.isEmpty());
    const QJsonObject actual = metaData.value(QStringLiteral("MetaData")).toObject();
    QCOMPARE(actual.keys(), expected.keys());
    QCOMPARE(actual, expected);
    QCOMPARE(actual.value(QStringLiteral("Name")).toString(), QStringLiteral("core"));
    QCOMPARE(actual.value(QStringLiteral("Required")).toBool(), true);
}

QTEST_MAIN(tst_CorePluginMetadata)
#include "tst_coreplugin_metadata.moc"
