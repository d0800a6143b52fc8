// The interpolation the editor plays and the exporter writes: easings as
// CSS defines them, values held before the first and after the last
// keyframe, colours mixed premultiplied.
#include "sceneanimation.h"

#include <QtTest>

class tst_SceneAnimation : public QObject
{
    Q_OBJECT

private slots:
    void valueAt_data();
    void valueAt();
};

Q_DECLARE_METATYPE(Keyframe::Easing)

void tst_SceneAnimation::valueAt_data()
{
    QTest::addColumn<Keyframe::Easing>("easing");
    QTest::addColumn<QVariant>("from");   // at 1 s
    QTest::addColumn<QVariant>("to");     // at 3 s
    QTest::addColumn<double>("time");
    QTest::addColumn<QVariant>("expected");
    const QVariant zero = 0.0, hundred = 100.0;
    QTest::newRow("before the first keyframe") << Keyframe::EaseIn << zero << hundred << 0.0 << QVariant(0.0);
    QTest::newRow("after the last keyframe") << Keyframe::Linear << zero << hundred << 9.0 << QVariant(100.0);
    QTest::newRow("linear") << Keyframe::Linear << zero << hundred << 1.5 << QVariant(25.0);
    QTest::newRow("ease-in half way") << Keyframe::EaseIn << zero << hundred << 2.0 << QVariant(31.5357);
    QTest::newRow("ease-out half way") << Keyframe::EaseOut << zero << hundred << 2.0 << QVariant(68.4643);
    QTest::newRow("ease-in-out a quarter") << Keyframe::EaseInOut << zero << hundred << 1.5 << QVariant(12.9162);
    QTest::newRow("ease-in-out half way") << Keyframe::EaseInOut << zero << hundred << 2.0 << QVariant(50.0);
    QTest::newRow("step holds") << Keyframe::Step << zero << hundred << 2.99 << QVariant(0.0);
    QTest::newRow("step jumps at the next keyframe") << Keyframe::Step << zero << hundred << 3.0 << QVariant(100.0);
    // Premultiplied, a transparent red gives nothing of its red.
    QTest::newRow("colour from transparent")
        << Keyframe::Linear << QVariant(QColor(255, 0, 0, 0)) << QVariant(QColor(0, 0, 255)) << 2.0
        << QVariant(QColor(0, 0, 255, 128));
    QTest::newRow("colour half transparent")
        << Keyframe::Linear << QVariant(QColor(255, 0, 0, 255)) << QVariant(QColor(0, 0, 255, 51)) << 2.0
        << QVariant(QColor(213, 0, 43, 153));
}

void tst_SceneAnimation::valueAt()
{
    QFETCH(Keyframe::Easing, easing);
    QFETCH(QVariant, from);
    QFETCH(QVariant, to);
    QFETCH(double, time);
    QFETCH(QVariant, expected);
    Keyframe first;
    first.dTime = 1;
    first.value = from;
    first.easing = easing;
    Keyframe second;
    second.dTime = 3;
    second.value = to;
    const QVariant value = SceneAnimation::valueAt({first, second}, time);
    if (expected.userType() == QMetaType::QColor) {
        const QColor color = value.value<QColor>(), wanted = expected.value<QColor>();
        QVERIFY2(qAbs(color.red() - wanted.red()) <= 1 && qAbs(color.green() - wanted.green()) <= 1
                     && qAbs(color.blue() - wanted.blue()) <= 1 && qAbs(color.alpha() - wanted.alpha()) <= 1,
                 qPrintable(color.name(QColor::HexArgb)));
    } else {
        QVERIFY2(qAbs(value.toDouble() - expected.toDouble()) < 0.001, qPrintable(value.toString()));
    }
}

QTEST_GUILESS_MAIN(tst_SceneAnimation)
#include "tst_sceneanimation.moc"
