#include "core/icore.h"
#include "core/mainwindow.h"
#include "tests/common/testhost.h"

#include <QSettings>
#include <QtTest>

class tst_ICore : public QObject
{
    Q_OBJECT

private slots:
    void lifetimeFollowsMainWindow();
    void settingsScopes();
    void saveSettingsPersistsHandlerValues();
    void saveSettingsSyncsBothScopesEachTime();

private:
    TestSupport::TestHost m_host;
};

void tst_ICore::lifetimeFollowsMainWindow()
{
    QVERIFY(!ICore::getInstance());
    QVERIFY(!ICore::getMainWindow());
    {
        MainWindow window;
        QVERIFY(ICore::getInstance());
        QCOMPARE(ICore::getMainWindow(), &window);
    }
    QVERIFY(!ICore::getInstance());
    QVERIFY(!ICore::getMainWindow());
}

void tst_ICore::settingsScopes()
{
    QSettings *user = ICore::settings(QSettings::UserScope);
    QSettings *system = ICore::settings(QSettings::SystemScope);
    QVERIFY(user);
    QVERIFY(system);
    QVERIFY(user != system);
    QCOMPARE(ICore::settings(), user);
    QCOMPARE(ICore::settings(QSettings::SystemScope), system);
    QVERIFY(user->fileName().startsWith(m_host.settingsPath()));
}

void tst_ICore::saveSettingsPersistsHandlerValues()
{
    MainWindow window;
    connect(ICore::getInstance(), &ICore::aboutToSaveSettings, this,
            [] { ICore::settings()->setValue(QStringLiteral("Test/Written"), 42); });
    ICore::saveSettings();
    QSettings onDisk(ICore::settings()->fileName(), QSettings::IniFormat);
    QCOMPARE(onDisk.value(QStringLiteral("Test/Written")).toInt(), 42);
}

void tst_ICore::saveSettingsSyncsBothScopesEachTime()
{
    MainWindow window;
    QSignalSpy spy(ICore::getInstance(), &ICore::aboutToSaveSettings);
    int nRound = 0;
    connect(ICore::getInstance(), &ICore::aboutToSaveSettings, this, [&nRound] {
        ICore::settings(QSettings::UserScope)->setValue(QStringLiteral("Test/Round"), nRound);
        ICore::settings(QSettings::SystemScope)->setValue(QStringLiteral("Test/Round"), nRound);
    });
    for (nRound = 1; nRound <= 2; ++nRound) {
        ICore::saveSettings();
        QCOMPARE(spy.count(), nRound);
        for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
            QSettings onDisk(ICore::settings(scope)->fileName(), QSettings::IniFormat);
            QCOMPARE(onDisk.value(QStringLiteral("Test/Round")).toInt(), nRound);
        }
    }
    // The slot form, as other plug-ins invoke it by name.
    QVERIFY(QMetaObject::invokeMethod(ICore::getInstance(), "saveSettings"));
    QCOMPARE(spy.count(), 3);
}

QTEST_MAIN(tst_ICore)
#include "tst_icore.moc"
