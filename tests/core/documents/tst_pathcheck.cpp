#include "core/documents/pathcheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The rule that keeps files from outside inside their folder, with links.
class tst_PathCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void isInside_data();
    void isInside();

private:
    QTemporaryDir m_dir;
};

void tst_PathCheck::initTestCase()
{
    // <dir>/app holds a file, a subfolder and links out; <dir>/app2 shares
    // the folder's name as a prefix; <dir>/outside is elsewhere.
    QDir root(m_dir.path());
    QVERIFY(root.mkpath(QStringLiteral("app/sub")) && root.mkpath(QStringLiteral("app2"))
            && root.mkpath(QStringLiteral("outside")));
    for (const char *pName : {"app/a.zelto", "app/sub/b.zelto", "app2/c.zelto", "outside/secret"}) {
        QFile file(root.filePath(QLatin1String(pName)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(root.filePath(QStringLiteral("outside/secret")), root.filePath(QStringLiteral("app/out"))));
    QVERIFY(QFile::link(QStringLiteral("../outside"), root.filePath(QStringLiteral("app/outdir"))));
    QVERIFY(QFile::link(root.filePath(QStringLiteral("app/a.zelto")), root.filePath(QStringLiteral("outside/in"))));
    QVERIFY(QFile::link(root.filePath(QStringLiteral("app")), root.filePath(QStringLiteral("applink"))));
}

void tst_PathCheck::isInside_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("inside");
    QTest::newRow("file in the folder") << "app/a.zelto" << "app" << true;
    QTest::newRow("file in a subfolder") << "app/sub/b.zelto" << "app" << true;
    QTest::newRow("subfolder") << "app/sub" << "app" << true;
    QTest::newRow("the folder itself") << "app" << "app" << false;
    QTest::newRow("folder named with a prefix of it") << "app2/c.zelto" << "app" << false;
    QTest::newRow("dot-dot out") << "app/sub/../../outside/secret" << "app" << false;
    QTest::newRow("link in it to a file outside") << "app/out" << "app" << false;
    QTest::newRow("through a linked folder out") << "app/outdir/secret" << "app" << false;
    QTest::newRow("link outside to a file in it") << "outside/in" << "app" << true;
    QTest::newRow("folder named by a link") << "app/a.zelto" << "applink" << true;
    QTest::newRow("missing file") << "app/missing.zelto" << "app" << false;
    QTest::newRow("missing folder") << "app/a.zelto" << "gone" << false;
    QTest::newRow("file as the folder") << "app/a.zelto" << "app/a.zelto" << false;
}

void tst_PathCheck::isInside()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(bool, inside);
    const QDir root(m_dir.path());
    QCOMPARE(PathCheck::isInside(root.filePath(path), root.filePath(folder)), inside);
}

QTEST_GUILESS_MAIN(tst_PathCheck)
#include "tst_pathcheck.moc"
