// Finding commands by name: the ranking of what the user typed, and the
// palette in a main window, run by the keyboard alone.
#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/contextmanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/ui/commandpalette.h"
#include "core/ui/commandpalettemodel.h"
#include "tests/common/testhost.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QSettings>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QStringList shownTexts(const CommandPaletteModel &model)
{
    QStringList lstTexts;
    for (int i = 0; i < model.rowCount(); ++i)
        lstTexts << model.index(i, 0).data().toString();
    return lstTexts;
}

} // namespace

class tst_CommandPalette : public QObject
{
    Q_OBJECT

private slots:
    void ranking_data();
    void ranking();
    void runsInTheContextItOpenedIn();

private:
    TestSupport::TestHost m_host;
};

void tst_CommandPalette::ranking_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("first");   // the commands shown first, in this order
    QTest::addColumn<int>("count");           // how many are shown

    QTest::newRow("nothing typed: the recent command, then menu order")
        << "" << QStringList{"Preferences", "Save", "Other Project", "Open Project", "Export to HTML5",
                             "Preview Project in Browser", "Undo Move", "Help Contents"} << 8;
    QTest::newRow("a word: in the text first, then in the path") << "save" << QStringList{"Save", "Other Project"}
                                                                 << 2;
    QTest::newRow("letter case does not count") << "SAVE" << QStringList{"Save", "Other Project"} << 2;
    QTest::newRow("every word must be found") << "oth proj" << QStringList{"Other Project"} << 1;
    QTest::newRow("letters at word starts") << "pib" << QStringList{"Preview Project in Browser"} << 1;
    QTest::newRow("letters within one word, in menu order when equal")
        << "prj" << QStringList{"Other Project", "Open Project", "Preview Project in Browser"} << 3;
    QTest::newRow("a piece beats scattered letters") << "ht" << QStringList{"Export to HTML5", "Help Contents"} << 2;
    QTest::newRow("scattered letters start a word") << "new" << QStringList() << 0;
    QTest::newRow("scattered letters are not looked for in the path") << "fsv" << QStringList() << 0;
    QTest::newRow("the recent command ahead of an equal match")
        << "pre" << QStringList{"Preferences", "Preview Project in Browser"} << 4;
    QTest::newRow("nothing matches") << "zzz" << QStringList() << 0;
}

void tst_CommandPalette::ranking()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, first);
    QFETCH(int, count);
    CommandPaletteModel model;
    model.setEntries({
        {"File.Save", "Save", "File > Save", "Ctrl+S", -1},
        {"File.SaveAs.Project", "Other Project", "File > Save As > Other Project", "Ctrl+Shift+S", -1},
        {"File.Open_Project", "Open Project", "File > Open Project", "Ctrl+O", -1},
        {"File.Export_To_HTML5", "Export to HTML5", "File > Export to HTML5", "Ctrl+Alt+E", -1},
        {"File.Preview_Project_In_Browser", "Preview Project in Browser", "File > Preview Project in Browser",
         "Ctrl+Alt+P", -1},
        {"Edit.Undo", "Undo Move", "Edit > Undo Move", "Ctrl+Z", -1},
        {"Edit.Preferences", "Preferences", "Edit > Preferences", "", 0},
        {"Help.Help_Contents", "Help Contents", "Help > Help Contents", "F1", -1},
    });
    model.setFilter(typed);
    QVERIFY2(shownTexts(model).mid(0, first.size()) == first, qPrintable(shownTexts(model).join(", ")));
    QVERIFY2(model.rowCount() == count, qPrintable(shownTexts(model).join(", ")));
}

void tst_CommandPalette::runsInTheContextItOpenedIn()
{
    MainWindow window;
    // A pane with a command of its own, enabled only while the focus is in it.
    auto *pPane = new QLineEdit(&window);
    auto *pOutside = new QLineEdit(&window);
    window.setCentralWidget(new QWidget);
    auto *pLayout = new QVBoxLayout(window.centralWidget());
    pLayout->addWidget(pPane);
    pLayout->addWidget(pOutside);
    ContextManager::registerContext(pPane, QStringLiteral("Test.Pane"), QStringLiteral("Pane"));
    auto *pPaneAction = new QAction(QStringLiteral("&Frobnicate Pane"), pPane);
    ActionManager::registerAction(pPaneAction, QStringLiteral("Test.Frobnicate"), pPane)
        ->setDefaultKeySequence(QKeySequence(Qt::CTRL | Qt::Key_F7));
    QSignalSpy ran(pPaneAction, &QAction::triggered);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const auto openPalette = [&](QWidget *pFocus) -> CommandPalette * {
        pFocus->setFocus();
        QTest::keyClick(pFocus, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        auto *pPalette = window.findChild<CommandPalette *>();
        return pPalette && pPalette->isVisible() ? pPalette : nullptr;
    };

    // Outside the pane its command is disabled, so not offered.
    CommandPalette *pPalette = openPalette(pOutside);
    QVERIFY(pPalette);
    QTRY_VERIFY(pPalette->filterEdit()->hasFocus());
    QTest::keyClicks(pPalette->filterEdit(), QStringLiteral("frob"));
    QCOMPARE(pPalette->model()->rowCount(), 0);
    QTest::keyClick(pPalette->filterEdit(), Qt::Key_Escape);
    QVERIFY(!pPalette->isVisible());

    // From the pane it is, with its menu path (none) and shortcut; Enter runs
    // it there, although the palette has the focus meanwhile.
    QVERIFY(openPalette(pPane));
    QTest::keyClicks(pPalette->filterEdit(), QStringLiteral("frob pan"));
    QCOMPARE(pPalette->model()->rowCount(), 1);
    const QModelIndex first = pPalette->model()->index(0, 0);
    QCOMPARE(first.data().toString(), QStringLiteral("Frobnicate Pane"));
    QCOMPARE(first.data(CommandPaletteModel::ShortcutRole).toString(),
             QKeySequence(Qt::CTRL | Qt::Key_F7).toString(QKeySequence::NativeText));
    QTest::keyClick(pPalette->filterEdit(), Qt::Key_Return);
    QVERIFY(!pPalette->isVisible());
    QTRY_COMPARE(ran.size(), 1);
    QTRY_VERIFY(pPane->hasFocus());

    // It comes first the next time; the arrow keys move through the list,
    // which shows where each command sits in the menus.
    QVERIFY(openPalette(pPane));
    QCOMPARE(pPalette->model()->index(0, 0).data().toString(), QStringLiteral("Frobnicate Pane"));
    QCOMPARE(ICore::settings()->value(QStringLiteral("Zelto/RecentCommands")).toStringList(),
             QStringList{QStringLiteral("Test.Frobnicate")});
    QTest::keyClick(pPalette->filterEdit(), Qt::Key_Down);
    const QModelIndex second = pPalette->list()->currentIndex();
    QCOMPARE(second.row(), 1);
    QCOMPARE(second.data(CommandPaletteModel::PathRole).toString(), QStringLiteral("File > New"));
    QTest::keyClick(pPalette->filterEdit(), Qt::Key_Escape);

    // Opened from the menu bar's keyboard mode (Alt, then Help > Find
    // Command), the palette still offers and runs the pane's commands, and
    // the focus goes back to the pane, not to the menu bar.
    pPane->setFocus();
    QTRY_VERIFY(pPane->hasFocus());
    QMenuBar *pMenuBar = ActionManager::getActionContainer(QStringLiteral("Zelto.MenuBar"))->getMenuBar();
    pMenuBar->setFocus();
    QTRY_VERIFY(pMenuBar->hasFocus());
    ActionManager::getAction(QStringLiteral("Help.Find_Command"))->getAction()->trigger();
    QVERIFY(pPalette->isVisible());
    QTest::keyClicks(pPalette->filterEdit(), QStringLiteral("frob"));
    QCOMPARE(pPalette->model()->rowCount(), 1);
    QTest::keyClick(pPalette->filterEdit(), Qt::Key_Return);
    QTRY_COMPARE(ran.size(), 2);
    QTRY_VERIFY(pPane->hasFocus());
    ContextManager::unregisterContext(pPane, QStringLiteral("Test.Pane"));
}

QTEST_MAIN(tst_CommandPalette)
#include "tst_commandpalette.moc"
