#include <QIcon>
#include <QImage>
#include <QtTest>

// The images other plug-ins take from the executable's resources load and
// have the size their users draw them at.
class tst_AppResources : public QObject
{
    Q_OBJECT

private slots:
    void imageLoads_data();
    void imageLoads();
};

void tst_AppResources::imageLoads_data()
{
    QTest::addColumn<QString>("path");
    for (const char *path : {":/app/images/app_icon.ico", ":/app/images/project_icon.ico",
                             ":/designer/images/information_32.png", ":/designer/images/question_32.png",
                             ":/designer/images/warning_32.png", ":/designer/images/critical_32.png"})
        QTest::newRow(path) << QString::fromLatin1(path);
}

void tst_AppResources::imageLoads()
{
    QFETCH(QString, path);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(image.hasAlphaChannel());
    const QIcon icon(path);
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.pixmap(32, 32).isNull());
}

QTEST_MAIN(tst_AppResources)
#include "tst_appresources.moc"
