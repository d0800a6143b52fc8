#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/i18n/ithemesmanager.h"
#include "core/iui.h"
#include "core/mainwindow.h"
#include "tests/common/testhost.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QSettings>
#include <QTranslator>
#include <QtTest>

namespace {

const char kThemeKey[] = "Zelto/Theme";

QStringList ids(const QList<ThemesInfo *> &lstThemes)
{
    QStringList lstIds;
    for (const ThemesInfo *pInfo : lstThemes) {
        // Listed themes carry their display name in both fields.
        if (pInfo->id != pInfo->name)
            return {QStringLiteral("id and name differ: %1/%2").arg(pInfo->id, pInfo->name)};
        lstIds << pInfo->id;
    }
    return lstIds;
}

// Each file holds a style sheet that names it, so the test sees which was applied.
QString sheetOf(const QString &strFile)
{
    return QStringLiteral("/* %1 */ QWidget { color: #123456; }").arg(strFile);
}

} // namespace

class tst_ThemesManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listsThemes_data();
    void listsThemes();
    void firstStartAppliesDark();
    void appliesSavedTheme();
    void themeIdIsCaseSensitive_data();
    void themeIdIsCaseSensitive();
    void missingDarkFileAppliesNothing();
    void saveThemesTakesListedIdsOnly();
    void switchesThemeWhileRunning();
    void extensionButtonsShowThemeArrow();
    void shippedThemesShowFocusAndTicks_data();
    void shippedThemesShowFocusAndTicks();
    void shippedThemesShowTranslatedNames();

private:
    void createThemes(const QStringList &lstFiles);

    TestSupport::TestHost m_host;
    QString m_strFolder;
};

void tst_ThemesManager::init()
{
    m_strFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/resources/styles");
    QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/resources")).removeRecursively();
    m_host.settings()->remove(kThemeKey);
    qApp->setStyleSheet(QString());
}

void tst_ThemesManager::cleanup()
{
    QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/resources")).removeRecursively();
    m_host.settings()->remove(kThemeKey);
    qApp->setStyleSheet(QString());
}

void tst_ThemesManager::createThemes(const QStringList &lstFiles)
{
    QVERIFY(QDir().mkpath(m_strFolder));
    for (const QString &strFile : lstFiles) {
        QFile file(m_strFolder + QLatin1Char('/') + strFile);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write(sheetOf(strFile).toUtf8());
    }
}

void tst_ThemesManager::listsThemes_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no folder") << QStringList() << QStringLiteral("Dark") << QStringList();
    QTest::newRow("display names")
        << QStringList{"zelto_light_blue.qss", "zelto_dark.qss", "zelto_light.qss"} << QStringLiteral("Dark")
        << QStringList{"Dark", "Light", "Light_blue"};
    QTest::newRow("listed whatever is saved")
        << QStringList{"zelto_dark.qss", "zelto_light.qss"} << QStringLiteral("Light")
        << QStringList{"Dark", "Light"};
    QTest::newRow("only the first letter is raised")
        << QStringList{"zelto_highContrast.qss"} << QStringLiteral("Dark") << QStringList{"HighContrast"};
    QTest::newRow("other files are ignored")
        << QStringList{"zelto_dark.qss", "dark.qss", "zelto_light.css"} << QStringLiteral("Dark")
        << QStringList{"Dark"};
}

void tst_ThemesManager::listsThemes()
{
    QFETCH(QStringList, files);
    QFETCH(QString, saved);
    QFETCH(QStringList, expected);
    if (!files.isEmpty())
        createThemes(files);
    m_host.settings()->setValue(kThemeKey, saved);

    IThemesManager &manager = IThemesManager::getInstance();
    manager.initialize();
    QCOMPARE(ids(manager.getThemes()), expected);
}

void tst_ThemesManager::firstStartAppliesDark()
{
    createThemes({"zelto_dark.qss", "zelto_light.qss"});
    QVERIFY(!m_host.settings()->contains(kThemeKey));

    IThemesManager &manager = IThemesManager::getInstance();
    QVERIFY(manager.initialize());
    QCOMPARE(m_host.settings()->value(kThemeKey).toString(), QStringLiteral("Dark"));
    QCOMPARE(qApp->styleSheet(), sheetOf("zelto_dark.qss"));
    QCOMPARE(manager.getCurrentThemeId(), QStringLiteral("Dark"));
    QCOMPARE(manager.getCurrentThemeName(), QStringLiteral("Dark"));
}

void tst_ThemesManager::appliesSavedTheme()
{
    createThemes({"zelto_dark.qss", "zelto_light.qss"});
    m_host.settings()->setValue(kThemeKey, QStringLiteral("Light"));

    IThemesManager &manager = IThemesManager::getInstance();
    QVERIFY(manager.initialize());
    QCOMPARE(qApp->styleSheet(), sheetOf("zelto_light.qss"));
    QCOMPARE(manager.getCurrentThemeId(), QStringLiteral("Light"));
    QCOMPARE(manager.getSaveThemeId(), QStringLiteral("Light"));
}

void tst_ThemesManager::themeIdIsCaseSensitive_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("savedAfter");

    QTest::newRow("dark listed: reset to Dark")
        << QStringList{"zelto_dark.qss", "zelto_light.qss"} << QStringLiteral("Dark");
    QTest::newRow("dark not listed: kept") << QStringList{"zelto_light.qss"} << QStringLiteral("light");
}

void tst_ThemesManager::themeIdIsCaseSensitive()
{
    QFETCH(QStringList, files);
    QFETCH(QString, savedAfter);
    createThemes(files);
    m_host.settings()->setValue(kThemeKey, QStringLiteral("light"));

    IThemesManager &manager = IThemesManager::getInstance();
    QVERIFY(!manager.initialize());
    QCOMPARE(qApp->styleSheet(), QString());
    QCOMPARE(manager.getCurrentThemeId(), QString());
    QCOMPARE(manager.getCurrentThemeName(), QString());
    QCOMPARE(manager.getSaveThemeId(), savedAfter);
}

void tst_ThemesManager::missingDarkFileAppliesNothing()
{
    createThemes({"zelto_light.qss"});

    IThemesManager &manager = IThemesManager::getInstance();
    QVERIFY(!manager.initialize());
    QCOMPARE(qApp->styleSheet(), QString());
    QCOMPARE(manager.getCurrentThemeId(), QString());
    QCOMPARE(manager.getSaveThemeId(), QStringLiteral("Dark"));
}

void tst_ThemesManager::saveThemesTakesListedIdsOnly()
{
    createThemes({"zelto_dark.qss", "zelto_light.qss"});
    IThemesManager &manager = IThemesManager::getInstance();
    QVERIFY(manager.initialize());

    QVERIFY(!manager.saveThemes(QStringLiteral("light")));
    QVERIFY(!manager.saveThemes(QStringLiteral("Blue")));
    QCOMPARE(manager.getSaveThemeId(), QStringLiteral("Dark"));

    QVERIFY(manager.saveThemes(QStringLiteral("Light")));
    QCOMPARE(manager.getSaveThemeId(), QStringLiteral("Light"));
    // The applied theme stays until the next start.
    QCOMPARE(manager.getCurrentThemeId(), QStringLiteral("Dark"));
    QCOMPARE(qApp->styleSheet(), sheetOf("zelto_dark.qss"));
}

void tst_ThemesManager::switchesThemeWhileRunning()
{
    createThemes({"zelto_dark.qss", "zelto_light.qss", "zelto_gone.qss"});
    IThemesManager &manager = IThemesManager::getInstance();
    QVERIFY(manager.initialize());
    MainWindow window;
    QMenu *pThemeMenu = nullptr;
    for (QAction *pAction : ActionManager::getActionContainer(QStringLiteral("MenuBar.View"))->getMenu()->actions()) {
        if (pAction->menu() && pAction->menu()->actions().size() == 3)
            pThemeMenu = pAction->menu();
    }
    QVERIFY(pThemeMenu);
    const auto checked = [pThemeMenu]() {
        for (QAction *pAction : pThemeMenu->actions()) {
            if (pAction->isChecked())
                return pAction->data().toString();
        }
        return QString();
    };
    QCOMPARE(checked(), QStringLiteral("Dark"));
    QSignalSpy changed(&manager, &IThemesManager::themeChanged);

    // View > Theme applies the theme at once and keeps it for the next start.
    pThemeMenu->actions().at(2)->trigger();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().first().toString(), QStringLiteral("Light"));
    QCOMPARE(qApp->styleSheet(), sheetOf("zelto_light.qss"));
    QCOMPARE(manager.getCurrentThemeId(), QStringLiteral("Light"));
    QCOMPARE(manager.getSaveThemeId(), QStringLiteral("Light"));
    QCOMPARE(checked(), QStringLiteral("Light"));

    // The same theme again changes nothing; an unknown or unreadable one is refused.
    QVERIFY(manager.applyTheme(QStringLiteral("Light")));
    QVERIFY(!manager.applyTheme(QStringLiteral("light")));
    QVERIFY(QFile::remove(m_strFolder + QStringLiteral("/zelto_gone.qss")));
    pThemeMenu->actions().at(1)->trigger();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(checked(), QStringLiteral("Light"));
    QCOMPARE(qApp->styleSheet(), sheetOf("zelto_light.qss"));

    // A switch from elsewhere (the preferences) moves the mark too.
    QVERIFY(manager.applyTheme(QStringLiteral("Dark")));
    QCOMPARE(checked(), QStringLiteral("Dark"));
    QCOMPARE(qApp->styleSheet(), sheetOf("zelto_dark.qss"));
}

void tst_ThemesManager::extensionButtonsShowThemeArrow()
{
    // The shipped themes' arrow on the toolbar's button for what does not
    // fit, following a switch of theme; the style's own for another theme.
    createThemes({"zelto_dark.qss", "zelto_light.qss", "zelto_mine.qss"});
    IThemesManager &manager = IThemesManager::getInstance();
    QVERIFY(manager.initialize());
    QToolBar toolBar;
    auto *pButton = toolBar.findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    QVERIFY2(pButton, "the toolbar has no extension button");
    const auto image = [](const QIcon &icon) { return icon.pixmap(QSize(16, 16)).toImage(); };
    const auto arrow = [&image](const char *name) {
        return image(QIcon(IUi::getPixmap(QString::fromLatin1(name), IUi::StateNormal, IUi::SizeNone,
                                          QStringLiteral(":/core/images/"))));
    };
    QVERIFY(!arrow("arrow_down_dark").isNull());
    QCOMPARE(image(pButton->icon()), arrow("arrow_down_dark"));
    QVERIFY(manager.applyTheme(QStringLiteral("Light")));
    QCOMPARE(image(pButton->icon()), arrow("arrow_down_light"));
    QVERIFY(manager.applyTheme(QStringLiteral("Mine")));
    QVERIFY(!image(pButton->icon()).isNull());
    QVERIFY(image(pButton->icon()) != arrow("arrow_down_light"));
}

void tst_ThemesManager::shippedThemesShowFocusAndTicks_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QColor>("accent");
    QTest::addColumn<QColor>("tick");
    QTest::newRow("dark") << "dark" << QColor(0xf7, 0x94, 0x1d) << QColor(0x1b, 0x1c, 0x1f);
    QTest::newRow("light") << "light" << QColor(0xe0, 0x80, 0x0f) << QColor(Qt::white);
}

void tst_ThemesManager::shippedThemesShowFocusAndTicks()
{
    QFETCH(QString, theme);
    QFETCH(QColor, accent);
    QFETCH(QColor, tick);
    QFile sheet(qEnvironmentVariable("ZELTO_BUILD_DIR") + QStringLiteral("/bin/resources/styles/zelto_%1.qss").arg(theme));
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
    const auto count = [](const QImage &image, const QColor &colour) {
        int nCount = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                nCount += qAbs(pixel.red() - colour.red()) + qAbs(pixel.green() - colour.green())
                              + qAbs(pixel.blue() - colour.blue()) < 30;
            }
        }
        return nCount;
    };

    QWidget window;
    auto *pLayout = new QVBoxLayout(&window);
    auto *pBox = new QCheckBox(QStringLiteral("Back up"), &window);
    auto *pButton = new QPushButton(QStringLiteral("Apply"), &window);
    auto *pOther = new QPushButton(QStringLiteral("Cancel"), &window);
    pLayout->addWidget(pBox);
    pLayout->addWidget(pButton);
    pLayout->addWidget(pOther);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // A ticked box shows the tick on its filled square.
    pBox->setChecked(true);
    QStyleOptionButton option;
    option.initFrom(pBox);
    const QRect indicator = pBox->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, pBox);
    const QImage ticked = pBox->grab(indicator).toImage();
    QVERIFY(count(ticked, accent) > 20);
    QVERIFY2(count(ticked, tick) > 4, qPrintable(theme));

    // The button with the focus is framed in the accent colour; the other is not.
    pOther->setFocus();
    QTRY_VERIFY(pOther->hasFocus());
    QCOMPARE(count(pButton->grab().toImage(), accent), 0);
    pButton->setFocus();
    QTRY_VERIFY(pButton->hasFocus());
    QVERIFY(count(pButton->grab().toImage(), accent) > 20);
}

void tst_ThemesManager::shippedThemesShowTranslatedNames()
{
    createThemes({"zelto_dark.qss", "zelto_light.qss", "zelto_mine.qss"});
    QTranslator german;
    QVERIFY(german.load(qEnvironmentVariable("ZELTO_BUILD_DIR") + QStringLiteral("/bin/translations/zelto_de.qm")));
    QCoreApplication::installTranslator(&german);
    IThemesManager &manager = IThemesManager::getInstance();
    manager.initialize();
    QCoreApplication::removeTranslator(&german);

    QStringList lstIds, lstNames;
    for (const ThemesInfo *pInfo : manager.getThemes()) {
        lstIds << pInfo->id;
        lstNames << pInfo->name;
    }
    // The ids stay what the settings hold; a theme of the user's own keeps its name.
    QCOMPARE(lstIds, (QStringList{"Dark", "Light", "Mine"}));
    QCOMPARE(lstNames, (QStringList{"Dunkel", "Hell", "Mine"}));
    QCOMPARE(manager.getCurrentThemeName(), QStringLiteral("Dunkel"));
}

QTEST_MAIN(tst_ThemesManager)
#include "tst_themesmanager.moc"
