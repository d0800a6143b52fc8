#include "core/ui/eventfilter.h"
#include "core/ui/ishadowborderframe.h"

#include <QApplication>
#include <QtTest>

// Clicking a shadow frame activates it; the frame hands the activation back
// to the window it surrounds.
class tst_ShadowBorderActivation : public QObject
{
    Q_OBJECT

private slots:
    void frameHandsActivationBack();
};

void tst_ShadowBorderActivation::frameHandsActivationBack()
{
    QWidget main;
    main.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    main.setGeometry(100, 100, 400, 300);
    EventFilter filter(&main);
    qApp->installEventFilter(&filter);
    auto *pFrame = new IShadowBorderFrame(&main, 0);
    connect(&filter, &EventFilter::activationChangeFiltered, pFrame, &IShadowBorderFrame::activationChangeFiltered);

    main.show();
    pFrame->updateBorder(true);
    pFrame->show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(QTest::qWaitForWindowExposed(pFrame));

    QApplication::setActiveWindow(pFrame);
    pFrame->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    qApp->removeEventFilter(&filter);
}

QTEST_MAIN(tst_ShadowBorderActivation)
#include "tst_shadowborderactivation.moc"
