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

QTEST_MAIN(tst_ICore)
#include "tst_icore.moc"
