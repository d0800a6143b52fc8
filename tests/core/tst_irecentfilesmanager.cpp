#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "tests/common/testhost.h"

#include <QSettings>
#include <QtTest>

class tst_IRecentFilesManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void addFileKeepsTheTenMostRecent();
    void addFileMovesAnExistingPathToTheFront();
    void pathsAreComparedExactly_data();
    void pathsAreComparedExactly();
    void aLongerStoredListIsCutOnTheNextAdd();
    void removeFileRemovesOneEntry();
    void removeFileOfAnUnknownPathKeepsTheList();

private:
    static QStringList stored();
    static void store(const QStringList &lstFiles);

    TestSupport::TestHost m_host;
};

static const char kKey[] = "Zelto/RecentProjects";

QStringList tst_IRecentFilesManager::stored()
{
    return ICore::settings()->value(QLatin1String(kKey)).toStringList();
}

void tst_IRecentFilesManager::store(const QStringList &lstFiles)
{
    ICore::settings()->setValue(QLatin1String(kKey), lstFiles);
}

void tst_IRecentFilesManager::init()
{
    ICore::settings()->remove(QLatin1String(kKey));
}

void tst_IRecentFilesManager::addFileKeepsTheTenMostRecent()
{
    IRecentFilesManager *pManager = IRecentFilesManager::getInstance();
    QCOMPARE(pManager, IRecentFilesManager::getInstance());
    QCOMPARE(pManager->getMaxCount(), 10);

    for (int i = 1; i <= 11; ++i)
        pManager->addFile(QStringLiteral("/p/%1.zelto").arg(i));

    const QStringList lstStored = stored();
    QCOMPARE(lstStored.size(), 10);
    QCOMPARE(lstStored.first(), QStringLiteral("/p/11.zelto"));
    QCOMPARE(lstStored.last(), QStringLiteral("/p/2.zelto"));   // the oldest, 1, is gone
    QCOMPARE(pManager->getRecentFiles(), lstStored);
    QCOMPARE(pManager->getCount(), 10);
}

void tst_IRecentFilesManager::addFileMovesAnExistingPathToTheFront()
{
    store({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("b")});
    IRecentFilesManager::getInstance()->addFile(QStringLiteral("b"));
    QCOMPARE(stored(), QStringList({QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("c")}));
}

void tst_IRecentFilesManager::pathsAreComparedExactly_data()
{
    QTest::addColumn<QString>("strFirst");
    QTest::addColumn<QString>("strSecond");
    QTest::newRow("letter case") << "C:/Work/scene.zelto" << "c:/work/scene.zelto";
    QTest::newRow("slash direction") << "C:/work/scene.zelto" << "C:\\work\\scene.zelto";
    QTest::newRow("trailing dot segment") << "/work/scene.zelto" << "/work/./scene.zelto";
}

void tst_IRecentFilesManager::pathsAreComparedExactly()
{
    QFETCH(QString, strFirst);
    QFETCH(QString, strSecond);
    IRecentFilesManager *pManager = IRecentFilesManager::getInstance();
    pManager->addFile(strFirst);
    pManager->addFile(strSecond);
    QCOMPARE(stored(), QStringList({strSecond, strFirst}));
    pManager->removeFile(strFirst);
    QCOMPARE(stored(), QStringList({strSecond}));
}

void tst_IRecentFilesManager::aLongerStoredListIsCutOnTheNextAdd()
{
    QStringList lstLong;
    for (int i = 0; i < 14; ++i)
        lstLong << QStringLiteral("/p/%1").arg(i);
    store(lstLong);

    IRecentFilesManager *pManager = IRecentFilesManager::getInstance();
    QCOMPARE(pManager->getRecentFiles(), lstLong.mid(0, 10));
    QCOMPARE(pManager->getCount(), 10);
    QCOMPARE(stored().size(), 14);   // reading does not change the stored list

    pManager->addFile(QStringLiteral("/p/new"));
    QCOMPARE(stored(), QStringList(QStringLiteral("/p/new")) + lstLong.mid(0, 9));

    store({QStringLiteral("x")});
    QCOMPARE(pManager->getRecentFiles().size(), 1);
    QCOMPARE(pManager->getCount(), 1);
}

void tst_IRecentFilesManager::removeFileRemovesOneEntry()
{
    store({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a")});
    IRecentFilesManager::getInstance()->removeFile(QStringLiteral("a"));
    QCOMPARE(stored(), QStringList({QStringLiteral("b"), QStringLiteral("a")}));
}

void tst_IRecentFilesManager::removeFileOfAnUnknownPathKeepsTheList()
{
    store({QStringLiteral("a"), QStringLiteral("b")});
    IRecentFilesManager::getInstance()->removeFile(QStringLiteral("c"));
    QCOMPARE(stored(), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
    QVERIFY(ICore::settings()->contains(QLatin1String(kKey)));
}

QTEST_MAIN(tst_IRecentFilesManager)
#include "tst_irecentfilesmanager.moc"
