#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/contextmanager.h"
#include "core/documents/editormanager.h"
#include "core/i18n/ilanguagemanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/ui/menumnemonics.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testdocumentfactory.h"
#include "tests/common/testhost.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A menu's entries as the user reads them; "-" is a separator.
QStringList entries(const QList<QAction *> &lstActions)
{
    QStringList lstTexts;
    for (QAction *pAction : lstActions) {
        if (pAction->isSeparator())
            lstTexts << QStringLiteral("-");
        else if (pAction->isVisible())
            lstTexts << pAction->text();
    }
    return lstTexts;
}

QMenu *containerMenu(const char *id)
{
    return ActionManager::getActionContainer(QString::fromLatin1(id))->getMenu();
}

QMenu *languageMenu()
{
    return containerMenu("MenuBar.View")->findChild<QMenu *>();
}

// A German catalogue beside the executable makes German a choice.
QString germanCatalogue()
{
    const QString strCatalogue = QCoreApplication::applicationDirPath() + QStringLiteral("/translations/zelto_de.qm");
    QDir().mkpath(QFileInfo(strCatalogue).absolutePath());
    QFile(strCatalogue).open(QIODevice::WriteOnly);
    return strCatalogue;
}

} // namespace

class tst_MainWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void declaredCommands_data();
    void declaredCommands();
    void menuLayout();
    void everyMenuEntryHasItsOwnMnemonic_data();
    void everyMenuEntryHasItsOwnMnemonic();
    void toolbarAndStatusBar();
    void languageMenuKeepsRunningLanguage();
    void focusIntoMenuKeepsContext();
    void editCommandsComeFromTheContextOrTheField();
    void preferencesDialogIsCreatedOnce();
    void restartGoesThroughTheClose();   // ends the run: last

private:
    TestSupport::TestHost m_host;
};

void tst_MainWindowCommands::init()
{
    ICore::settings()->clear();
}

void tst_MainWindowCommands::declaredCommands_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("enabled");

    const QKeySequence none;
    QTest::newRow("New") << "File.New" << "&New" << QKeySequence(QKeySequence::New) << "Create a new project" << true;
    QTest::newRow("Open") << "File.Open_Project" << "&Open Project" << QKeySequence(QKeySequence::Open)
                          << "Open an existing project" << true;
    QTest::newRow("Save") << "File.Save" << "&Save" << QKeySequence(QKeySequence::Save) << "Save the current project"
                          << false;
    // No platform key for Save As here: the conventional one.
    QTest::newRow("Other Project") << "File.SaveAs.Project" << "&Other Project"
                                   << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)
                                   << "Save the current project as a new one" << false;
    QTest::newRow("Close") << "File.Close" << "&Close" << QKeySequence(QKeySequence::Close)
                           << "Close the current project" << false;
    QTest::newRow("Preview scene") << "File.Preview_Current_Scene_In_Browser" << "Preview Current Scene in &Browser"
                                   << QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S) << QString() << true;
    QTest::newRow("Preview project") << "File.Preview_Project_In_Browser" << "Preview Pro&ject in Browser"
                                     << QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P) << QString() << true;
    QTest::newRow("Export") << "File.Export_To_HTML5" << "&Export to HTML5"
                            << QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E) << QString() << true;
    QTest::newRow("Exit") << "File.Exit" << "E&xit" << QKeySequence(QKeySequence::Quit) << "Quit the program" << true;
    // Disabled until an editor or a focused text field gives them behaviour.
    QTest::newRow("Cut") << "Edit.Cut" << "Cu&t" << QKeySequence(QKeySequence::Cut)
                         << "Move the selection to the clipboard" << false;
    QTest::newRow("Copy") << "Edit.Copy" << "&Copy" << QKeySequence(QKeySequence::Copy)
                          << "Copy the selection to the clipboard" << false;
    QTest::newRow("Paste") << "Edit.Paste" << "P&aste" << QKeySequence(QKeySequence::Paste)
                           << "Insert what the clipboard holds" << false;
    QTest::newRow("Duplicate") << "Edit.Duplicate" << "Dupl&icate" << QKeySequence(Qt::CTRL | Qt::Key_D)
                               << "Copy the selection and paste it in one step" << false;
    QTest::newRow("Delete") << "Edit.Delete" << "De&lete" << QKeySequence(QKeySequence::Delete)
                            << "Delete the selection" << false;
    QTest::newRow("Select All") << "Edit.Select_All" << "&Select All" << QKeySequence(QKeySequence::SelectAll)
                                << "Select everything" << false;
    QTest::newRow("Preferences") << "Edit.Preferences" << "&Preferences" << QKeySequence(QKeySequence::Preferences)
                                 << QString() << true;
    QTest::newRow("About") << "Help.About" << "&About" << none << QString() << true;
    QTest::newRow("Help Contents") << "Help.Help_Contents" << "&Help Contents" << QKeySequence(Qt::Key_F1)
                                   << QString() << true;
    QTest::newRow("Community") << "Help.Community" << "User &Community" << none << QString() << true;
    QTest::newRow("Updates") << "Help.CheckUpdates" << "Check &Updates..." << none << QString() << true;
    QTest::newRow("Account") << "Help.UserAccount" << "&My Account" << none << QString() << true;
}

void tst_MainWindowCommands::declaredCommands()
{
    QFETCH(QString, id);
    QFETCH(QString, text);
    QFETCH(QKeySequence, shortcut);
    QFETCH(QString, description);
    QFETCH(bool, enabled);

    MainWindow window;
    ContextAction *pCommand = ActionManager::getAction(id);
    QVERIFY(pCommand);
    QCOMPARE(pCommand->getAction()->text(), text);
    QCOMPARE(pCommand->getDefaultKeySequence(), shortcut);
    QCOMPARE(pCommand->getKeySequence(), shortcut);
    QCOMPARE(pCommand->getDescription(), description);
    QCOMPARE(pCommand->getAction()->isEnabled(), enabled);
}

void tst_MainWindowCommands::menuLayout()
{
    MainWindow window;
    QMenuBar *pMenuBar = ActionManager::getActionContainer(QStringLiteral("Zelto.MenuBar"))->getMenuBar();
    QVERIFY(pMenuBar);
    QVERIFY(window.isAncestorOf(pMenuBar));   // placed in the title bar
    QCOMPARE(entries(pMenuBar->actions()), (QStringList{"&File", "&Edit", "&View", "&Help"}));
    QCOMPARE(entries(containerMenu("MenuBar.File")->actions()),
             (QStringList{"&New", "&Open Project", "Recent &Projects", "-", "&Save", "Save &As", "&Close", "-",
                          "Preview Current Scene in &Browser", "Preview Pro&ject in Browser", "&Export to HTML5", "-",
                          "E&xit"}));
    QCOMPARE(entries(containerMenu("File.SaveAs")->actions()), QStringList{"&Other Project"});
    QCOMPARE(entries(containerMenu("MenuBar.Edit")->actions()),
             (QStringList{"&Undo", "&Redo", "-", "Cu&t", "&Copy", "P&aste", "Dupl&icate", "De&lete", "&Select All", "-",
                          "&Preferences"}));
    QCOMPARE(entries(containerMenu("MenuBar.View")->actions()),
             (QStringList{"&Language", "&Theme", "-", "&Next Project", "&Previous Project"}));
    QCOMPARE(entries(containerMenu("MenuBar.Help")->actions()),
             (QStringList{"&About", "&Help Contents", "&Find Command...", "User &Community", "Check &Updates...", "-",
                          "&My Account"}));

    // Nothing open yet: nothing to save or close.
    QVERIFY(!containerMenu("File.SaveAs")->isEnabled());
    QVERIFY(!containerMenu("File.SaveAs")->menuAction()->isEnabled());
}

void tst_MainWindowCommands::everyMenuEntryHasItsOwnMnemonic_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QString();
    QTest::newRow("German") << QStringLiteral("de");
}

void tst_MainWindowCommands::everyMenuEntryHasItsOwnMnemonic()
{
    QFETCH(QString, language);
    QTranslator translator;
    if (!language.isEmpty()) {
        QVERIFY(translator.load(qEnvironmentVariable("ZELTO_BUILD_DIR") + QStringLiteral("/bin/translations/zelto_")
                                + language + QStringLiteral(".qm")));
        QCoreApplication::installTranslator(&translator);
    }
    ICore::settings()->setValue(QStringLiteral("Zelto/RecentProjects"),
                                QStringList{QStringLiteral("/p/one.zelto"), QStringLiteral("/p/two & three.zelto")});
    MainWindow window;
    QCoreApplication::removeTranslator(&translator);
    QMenuBar *pMenuBar = ActionManager::getActionContainer(QStringLiteral("Zelto.MenuBar"))->getMenuBar();
    window.show();

    // Each menu as the user opens it, its submenus too.
    QList<QWidget *> lstMenus{pMenuBar};
    for (int i = 0; i < lstMenus.size(); ++i) {
        QWidget *pMenu = lstMenus.at(i);
        if (auto *pPopup = qobject_cast<QMenu *>(pMenu)) {
            pPopup->popup(window.mapToGlobal(QPoint(20, 20)));
            pPopup->hide();
        }
        QSet<QChar> setTaken;
        for (QAction *pAction : pMenu->actions()) {
            if (pAction->isSeparator() || !pAction->isVisible())
                continue;
            if (pAction->menu())
                lstMenus << pAction->menu();
            const QChar mnemonic = MenuMnemonics::mnemonicOf(pAction->text());
            QVERIFY2(!mnemonic.isNull(), qPrintable(pAction->text()));
            QVERIFY2(!setTaken.contains(mnemonic), qPrintable(pAction->text()));
            setTaken.insert(mnemonic);
        }
    }
    QVERIFY(lstMenus.size() >= 9);   // the menu bar, four menus, Recent Projects, Save As, Language, Theme
    // The ampersand of a path is shown, not taken for a mnemonic.
    QCOMPARE(MenuMnemonics::strip(containerMenu("File.Recent_Projects")->actions().at(1)->text()),
             QStringLiteral("2. /p/two & three.zelto"));
}

void tst_MainWindowCommands::toolbarAndStatusBar()
{
    MainWindow window;
    QToolBar *pToolbar = window.getFileToolbar();
    QVERIFY(pToolbar);
    QCOMPARE(pToolbar->objectName(), QStringLiteral("m_pFileToolbar"));
    QCOMPARE(pToolbar->windowTitle(), QStringLiteral("File"));
    QCOMPARE(entries(pToolbar->actions()),
             (QStringList{"&New", "&Open Project", "&Save", "-", "Preview Current Scene in &Browser",
                          "Preview Pro&ject in Browser", "&Export to HTML5"}));
    QVERIFY(!commandAction("File.New")->icon().isNull());
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Ready"));
}

void tst_MainWindowCommands::languageMenuKeepsRunningLanguage()
{
    // A German catalogue beside the executable makes German a choice; with
    // no language saved the application runs in English.
    const QString strCatalogue = germanCatalogue();
    QVERIFY(ILanguageManager::getInstance().initialize());

    MainWindow window;
    QMenu *pMenu = languageMenu();
    QVERIFY(pMenu);
    QCOMPARE(pMenu->title(), QStringLiteral("&Language"));
    const QList<QAction *> lstActions = pMenu->actions();
    QCOMPARE(lstActions.size(), 2);
    QAction *pEnglish = lstActions.at(0);
    QAction *pGerman = lstActions.at(1);
    QCOMPARE(pEnglish->data().toString(), QStringLiteral("en_US"));
    QCOMPARE(pGerman->text(), QStringLiteral("Deutsch (Germany)"));
    QVERIFY(pEnglish->isChecked());

    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);   // not now
    pGerman->trigger();
    QCOMPARE(answerer.records().size(), 1);
    QCOMPARE(answerer.records().first().text,
             QStringLiteral("The language change will take effect when the application starts again.\n"
                            "Restart now?"));
    QVERIFY(!ExtensionSystem::PluginManager::isRestartRequested());
    QVERIFY(pEnglish->isChecked());
    QVERIFY(!pGerman->isChecked());
    QCOMPARE(ILanguageManager::getInstance().getSaveLangId(), QStringLiteral("de_DE"));

    // The running language again: nothing to say.
    pEnglish->trigger();
    QCOMPARE(answerer.records().size(), 1);
    QVERIFY(pEnglish->isChecked());

    QFile::remove(strCatalogue);
    ICore::settings()->remove(QStringLiteral("Zelto/Language"));
    ILanguageManager::getInstance().initialize();
}

void tst_MainWindowCommands::focusIntoMenuKeepsContext()
{
    MainWindow window;
    auto *pCentral = new QWidget;
    auto *pEditor = new QLineEdit(pCentral);
    auto *pOther = new QLineEdit(pCentral);
    auto *pLayout = new QVBoxLayout(pCentral);
    pLayout->addWidget(pEditor);
    pLayout->addWidget(pOther);
    window.setCentralWidget(pCentral);
    ContextManager::registerContext(pEditor, QStringLiteral("Test.Editor"), QStringLiteral("Editor"));
    QAction editorNew(QStringLiteral("New scene"), nullptr);
    ActionManager::registerAction(&editorNew, QStringLiteral("File.New"), pEditor);
    QSignalSpy editorSpy(&editorNew, &QAction::triggered);

    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    pEditor->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), pEditor);
    commandAction("File.New")->trigger();
    QCOMPARE(editorSpy.count(), 1);

    // The focus now is on a widget of another context, but the change that
    // reaches the window is one into a menu: the editor keeps the commands.
    {
        const QSignalBlocker blocker(qApp);
        pOther->setFocus();
    }
    QMenu menu;
    QVERIFY(QMetaObject::invokeMethod(&window, "updateFocusWidget", Q_ARG(QWidget *, pEditor),
                                      Q_ARG(QWidget *, &menu)));
    commandAction("File.New")->trigger();
    QCOMPARE(editorSpy.count(), 2);

    // An ordinary focus change does move them.
    QVERIFY(QMetaObject::invokeMethod(&window, "updateFocusWidget", Q_ARG(QWidget *, pEditor),
                                      Q_ARG(QWidget *, pOther)));
    commandAction("File.New")->trigger();
    QCOMPARE(editorSpy.count(), 2);
    ActionManager::unregisterAction(&editorNew, QStringLiteral("File.New"));
}

void tst_MainWindowCommands::editCommandsComeFromTheContextOrTheField()
{
    MainWindow window;
    auto *pCentral = new QWidget;
    auto *pEditor = new QWidget(pCentral);   // an editor with a field of its own
    pEditor->setFocusPolicy(Qt::StrongFocus);
    auto *pField = new QLineEdit(QStringLiteral("field text"), pEditor);
    new QVBoxLayout(pEditor);
    pEditor->layout()->addWidget(pField);
    auto *pNote = new QPlainTextEdit(QStringLiteral("note text"), pCentral);   // an editor that is a text field
    auto *pLayout = new QVBoxLayout(pCentral);
    pLayout->addWidget(pEditor);
    pLayout->addWidget(pNote);
    window.setCentralWidget(pCentral);
    ContextManager::registerContext(pEditor, QStringLiteral("Test.Editor"), QStringLiteral("Editor"));
    ContextManager::registerContext(pNote, QStringLiteral("Test.Note"), QStringLiteral("Note"));
    QAction editorCopy(QStringLiteral("Copy items"), nullptr);
    QAction noteCopy(QStringLiteral("Copy note"), nullptr);
    ActionManager::registerAction(&editorCopy, QStringLiteral("Edit.Copy"), pEditor);
    ActionManager::registerAction(&noteCopy, QStringLiteral("Edit.Copy"), pNote);
    QSignalSpy editorSpy(&editorCopy, &QAction::triggered);
    QSignalSpy noteSpy(&noteCopy, &QAction::triggered);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // The editor's own action; where it gives none, the command is disabled.
    pEditor->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), pEditor);
    QTRY_VERIFY(commandAction("Edit.Copy")->isEnabled());
    for (const char *id : {"Edit.Cut", "Edit.Paste", "Edit.Duplicate", "Edit.Delete", "Edit.Select_All"})
        QVERIFY2(!commandAction(id)->isEnabled(), id);
    commandAction("Edit.Copy")->trigger();
    QCOMPARE(editorSpy.count(), 1);

    // A text field inside it keeps its own Cut, Copy and Paste.
    pField->setFocus();
    pField->selectAll();
    QTRY_VERIFY(commandAction("Edit.Cut")->isEnabled());
    QCoreApplication::processEvents();   // the commands follow the focus once the window has
    commandAction("Edit.Copy")->trigger();
    QCOMPARE(editorSpy.count(), 1);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("field text"));
    commandAction("Edit.Cut")->trigger();
    QVERIFY(pField->text().isEmpty());
    QVERIFY(!commandAction("Edit.Duplicate")->isEnabled());
    commandAction("Edit.Paste")->trigger();
    QCOMPARE(pField->text(), QStringLiteral("field text"));

    // An editor that is a text field speaks for it; for what it leaves out, the field acts.
    pNote->setFocus();
    pNote->selectAll();
    QTRY_VERIFY(commandAction("Edit.Cut")->isEnabled());
    QCoreApplication::processEvents();
    commandAction("Edit.Copy")->trigger();
    QCOMPARE(noteSpy.count(), 1);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("field text"));
    commandAction("Edit.Cut")->trigger();
    QVERIFY(pNote->toPlainText().isEmpty());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("note text"));

    ActionManager::unregisterAction(&editorCopy, QStringLiteral("Edit.Copy"));
    ActionManager::unregisterAction(&noteCopy, QStringLiteral("Edit.Copy"));
    ContextManager::unregisterContext(pEditor, QStringLiteral("Test.Editor"));
    ContextManager::unregisterContext(pNote, QStringLiteral("Test.Note"));
}

void tst_MainWindowCommands::restartGoesThroughTheClose()
{
    const QString strCatalogue = germanCatalogue();
    QVERIFY(ILanguageManager::getInstance().initialize());
    TestDocumentFactory factory;
    ExtensionSystem::PluginManager::addObject(&factory);
    QTemporaryDir dir;
    const QString strProject = dir.filePath(QStringLiteral("unsaved.zelto"));
    QVERIFY(writeProjectFile(strProject));

    MainWindow window;
    window.show();
    QVERIFY(window.loadFile(strProject));
    factory.m_lstDocuments.last()->edit();
    QAction *pGerman = languageMenu()->actions().at(1);

    // Keeping the project open keeps the application running.
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Yes);      // restart now
    answerer.answer(QMessageBox::Cancel);   // do not close the project
    pGerman->trigger();
    QVERIFY(answerer.waitForAnswers(2));
    QCOMPARE(answerer.records().at(1).text, QStringLiteral("Save changes made to unsaved?"));
    QVERIFY(window.isVisible());
    QVERIFY(!ExtensionSystem::PluginManager::isRestartRequested());

    // Once everything is closed the host is asked to start again. The run
    // ends then, which ends every later event loop: this test runs last.
    answerer.answer(QMessageBox::Yes);
    answerer.answer(QMessageBox::No);       // close without saving
    pGerman->trigger();
    QVERIFY(answerer.waitForAnswers(4));
    QVERIFY(!window.isVisible());
    QVERIFY(EditorManager::getEditors().isEmpty());
    QVERIFY(ExtensionSystem::PluginManager::isRestartRequested());
    QCOMPARE(ICore::settings()->value(QStringLiteral("Zelto/Language")).toString(), QStringLiteral("de_DE"));
    // The next start reopens what was open, whatever the preferences say.
    QCOMPARE(ICore::settings()->value(QStringLiteral("Zelto/SessionProjects")).toStringList(), QStringList(strProject));
    QVERIFY(ICore::settings()->value(QStringLiteral("Zelto/ReopenSessionOnce")).toBool());
    QCOMPARE(ICore::startupAction(), ICore::ShowWelcomePage);

    ExtensionSystem::PluginManager::removeObject(&factory);
    QFile::remove(strCatalogue);
}

void tst_MainWindowCommands::preferencesDialogIsCreatedOnce()
{
    {
        // Without a document type there is no preferences dialog either.
        MainWindow window;
        commandAction("Edit.Preferences")->trigger();
        QVERIFY(!window.getOptionsDialog());
    }

    TestDocumentFactory factory;
    ExtensionSystem::PluginManager::addObject(&factory);
    {
        MainWindow window;
        commandAction("Edit.Preferences")->trigger();
        commandAction("Edit.Preferences")->trigger();
        QCOMPARE(factory.m_nOptionsDialogsCreated, 1);
        QVERIFY(factory.m_pOptionsDlg);
        QCOMPARE(factory.m_pOptionsDlg->m_nShown, 2);
        QCOMPARE(window.getOptionsDialog(), factory.m_pOptionsDlg.data());
    }
    ExtensionSystem::PluginManager::removeObject(&factory);
    delete factory.m_pOptionsDlg;   // kept by its user until the application ends
}

QTEST_MAIN(tst_MainWindowCommands)
#include "tst_mainwindowcommands.moc"
