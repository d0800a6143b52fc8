#include "core/ui/ztnotificationbar.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

class tst_ZTNotificationBar : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void formObjectNames();
    void showSetsVisibility_data();
    void showSetsVisibility();
    void typeSelectsIcon_data();
    void typeSelectsIcon();
    void showDropsEarlierReceivers();
    void closeButtonHidesWithoutSignal();
    void hideKeepsContent();

private:
    template <typename T>
    T *part(const char *name) const
    {
        return m_pBar->findChild<T *>(QString::fromLatin1(name));
    }

    QWidget *m_pParent = nullptr;
    ZTNotificationBar *m_pBar = nullptr;
};

void tst_ZTNotificationBar::init()
{
    m_pParent = new QWidget;
    m_pBar = new ZTNotificationBar(m_pParent);
    m_pBar->hide();
    m_pParent->show();
}

void tst_ZTNotificationBar::cleanup()
{
    delete m_pParent;
    m_pParent = nullptr;
    m_pBar = nullptr;
}

void tst_ZTNotificationBar::formObjectNames()
{
    QCOMPARE(m_pBar->objectName(), QStringLiteral("ZTNotificationBar"));
    QVERIFY(part<QWidget>("containerWidget"));
    QVERIFY(part<QLabel>("m_pIconLabel"));
    QVERIFY(part<QLabel>("m_pMessageLabel"));
    QVERIFY(part<QPushButton>("m_pButton"));
    QVERIFY(part<QToolButton>("m_pCloseButton"));
    QCOMPARE(m_pBar->frameShape(), QFrame::StyledPanel);
    QCOMPARE(m_pBar->frameShadow(), QFrame::Raised);
}

void tst_ZTNotificationBar::showSetsVisibility_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("buttonText");
    QTest::addColumn<bool>("closable");

    QTest::newRow("everything") << QStringLiteral("Saved.") << QStringLiteral("Undo") << true;
    QTest::newRow("empty message") << QString() << QStringLiteral("Retry") << true;
    QTest::newRow("no button") << QStringLiteral("Offline") << QString() << true;
    QTest::newRow("not closable") << QStringLiteral("Updating") << QStringLiteral("Details") << false;
    QTest::newRow("icon only") << QString() << QString() << false;
}

void tst_ZTNotificationBar::showSetsVisibility()
{
    QFETCH(QString, text);
    QFETCH(QString, buttonText);
    QFETCH(bool, closable);

    // Start from the opposite state so every part really changes.
    m_pBar->show(QStringLiteral("x"), ZTNotificationBar::Information, QStringLiteral("y"), !closable);
    m_pBar->show(text, ZTNotificationBar::Warning, buttonText, closable);

    QVERIFY(m_pBar->isVisible());
    QVERIFY(part<QLabel>("m_pIconLabel")->isVisible());
    QCOMPARE(part<QLabel>("m_pMessageLabel")->isVisible(), !text.isEmpty());
    QCOMPARE(part<QLabel>("m_pMessageLabel")->text(), text);
    QCOMPARE(part<QPushButton>("m_pButton")->isVisible(), !buttonText.isEmpty());
    QCOMPARE(part<QPushButton>("m_pButton")->text(), buttonText);
    QCOMPARE(part<QToolButton>("m_pCloseButton")->isVisible(), closable);
}

void tst_ZTNotificationBar::typeSelectsIcon_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("look");

    QTest::newRow("information") << 0 << QStringLiteral("information");
    QTest::newRow("warning") << 1 << QStringLiteral("warning");
    QTest::newRow("unknown value") << 7 << QStringLiteral("information");
    QTest::newRow("negative value") << -1 << QStringLiteral("information");
}

void tst_ZTNotificationBar::typeSelectsIcon()
{
    QFETCH(int, type);
    QFETCH(QString, look);
    m_pBar->show(QStringLiteral("Message"), static_cast<ZTNotificationBar::Type>(type), QString(), true);

    // Style sheets select the information or warning look on this property.
    QCOMPARE(m_pBar->property("type").toString(), look);

    const QString strImage = look == QLatin1String("warning") ? QStringLiteral(":/core/images/warning_16.png")
                                                                : QStringLiteral(":/core/images/info_16.png");
    const QPixmap expected(strImage);
    QVERIFY2(!expected.isNull(), qPrintable(strImage + QStringLiteral(" is not in the core's resources")));
    const QPixmap shown = part<QLabel>("m_pIconLabel")->pixmap(Qt::ReturnByValue);
    QCOMPARE(shown.toImage(), expected.toImage());
}

void tst_ZTNotificationBar::showDropsEarlierReceivers()
{
    QPushButton *pButton = part<QPushButton>("m_pButton");
    int nEarly = 0;
    int nLate = 0;

    m_pBar->show(QStringLiteral("First"), ZTNotificationBar::Information, QStringLiteral("Act"), true);
    connect(m_pBar, &ZTNotificationBar::buttonClicked, this, [&nEarly] { ++nEarly; });
    pButton->click();
    QCOMPARE(nEarly, 1);

    m_pBar->show(QStringLiteral("Second"), ZTNotificationBar::Information, QStringLiteral("Act"), true);
    connect(m_pBar, &ZTNotificationBar::buttonClicked, this, [&nLate] { ++nLate; });
    pButton->click();
    pButton->click();
    QCOMPARE(nEarly, 1);
    QCOMPARE(nLate, 2);
}

void tst_ZTNotificationBar::closeButtonHidesWithoutSignal()
{
    m_pBar->show(QStringLiteral("Closable"), ZTNotificationBar::Warning, QStringLiteral("Act"), true);
    QSignalSpy spy(m_pBar, &ZTNotificationBar::buttonClicked);
    QVERIFY(!part<QToolButton>("m_pCloseButton")->icon().isNull());
    part<QToolButton>("m_pCloseButton")->click();
    QVERIFY(!m_pBar->isVisible());
    QCOMPARE(spy.count(), 0);
}

void tst_ZTNotificationBar::hideKeepsContent()
{
    m_pBar->show(QStringLiteral("Kept"), ZTNotificationBar::Warning, QStringLiteral("Act"), false);
    m_pBar->hide();
    QCOMPARE(part<QLabel>("m_pMessageLabel")->text(), QStringLiteral("Kept"));
    QCOMPARE(part<QPushButton>("m_pButton")->text(), QStringLiteral("Act"));
}

QTEST_MAIN(tst_ZTNotificationBar)
#include "tst_ztnotificationbar.moc"
