// The notes plug-in as a user meets it: the plug-in host loads the installed
// core (and whatever else is installed) and this build's notes plug-in; a
// note is opened, edited, undone, saved, closed and opened again through the
// main window's own commands.
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/proxyaction.h"
#include "core/documents/editormanager.h"
#include "core/documents/idocument.h"
#include "core/documents/ieditor.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/options/ioptionpage.h"
#include "core/options/ioptionsdlg.h"
#include "core/ui/ztnotificationbar.h"
#include "core/welcome/imainmdiarea.h"
#include "extensionsystem/plugininfo.h"
#include "extensionsystem/pluginmanager.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using ExtensionSystem::PluginManager;

class tst_NotesPlugin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void openEditSaveAndReopen();
    void refusesFilesThatAreNotText_data();
    void refusesFilesThatAreNotText();
    void preferencesPageWrapsLines();

private:
    QString writeNote(const QString &strName, const QByteArray &bytes);
    QPlainTextEdit *openNote(const QString &strFile);
    void trigger(const char *id);

    QTemporaryDir m_dir;
    PluginManager *m_pManager = nullptr;
};

QString tst_NotesPlugin::writeNote(const QString &strName, const QByteArray &bytes)
{
    const QString strFile = m_dir.filePath(strName);
    QFile file(strFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return strFile;
}

QPlainTextEdit *tst_NotesPlugin::openNote(const QString &strFile)
{
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (!pMainWindow->loadFile(strFile))
        return nullptr;
    QMdiSubWindow *pSubWindow = pMainWindow->getMdiArea()->activeSubWindow();
    auto *pEdit = pSubWindow ? qobject_cast<QPlainTextEdit *>(pSubWindow->widget()) : nullptr;
    if (pEdit) {
        // Focus moves the commands into the editor's context, as a click would.
        pMainWindow->activateWindow();
        QApplication::setActiveWindow(pMainWindow);
        pEdit->setFocus();
    }
    return pEdit;
}

void tst_NotesPlugin::trigger(const char *id)
{
    ContextAction *pCommand = ActionManager::getAction(QLatin1String(id));
    QVERIFY2(pCommand, id);
    QVERIFY2(pCommand->getAction()->isEnabled(), id);
    pCommand->getAction()->trigger();
}

void tst_NotesPlugin::initTestCase()
{
    QVERIFY(m_dir.isValid());
    //! [test-host]
    // What the zelto executable does, with settings of the test's own.
    m_pManager = new PluginManager;
    PluginManager::setSettingsPath(m_dir.filePath(QStringLiteral("settings")));
    PluginManager::setPluginPaths({QStringLiteral(ZELTO_PLUGIN_DIR), QStringLiteral(NOTES_PLUGIN_DIR)});
    PluginManager::loadPlugins();
    //! [test-host]
    QVERIFY2(!PluginManager::hasFatalError(), qPrintable(PluginManager::fatalErrorString()));
    ExtensionSystem::PluginInfo *pNotes = PluginManager::pluginByName(QStringLiteral("notes"));
    QVERIFY2(pNotes && pNotes->state() == ExtensionSystem::PluginInfo::Running,
             qPrintable(PluginManager::allErrors().join(QLatin1Char('\n'))));
    QVERIFY(ICore::getMainWindow());
    QVERIFY(QTest::qWaitForWindowExposed(ICore::getMainWindow()));
}

void tst_NotesPlugin::cleanupTestCase()
{
    if (m_pManager)
        PluginManager::shutdown();
    delete m_pManager;
}

void tst_NotesPlugin::openEditSaveAndReopen()
{
    const QString strFile = writeNote(QStringLiteral("shopping.note"), "milk\n");
    QPlainTextEdit *pEdit = openNote(strFile);
    QVERIFY(pEdit);
    QCOMPARE(pEdit->toPlainText(), QStringLiteral("milk\n"));
    QTRY_VERIFY(ActionManager::getAction(QStringLiteral("Edit.Insert_Date"))->getAction()->isEnabled());

    // Typing is one undo step; the date is inserted by its command's shortcut.
    pEdit->moveCursor(QTextCursor::End);
    QTest::keyClicks(pEdit, QStringLiteral("eggs "));
    QTest::keyClick(pEdit, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    const QString strEdited = pEdit->toPlainText();
    QVERIFY2(strEdited.startsWith(QStringLiteral("milk\neggs ") + QDate::currentDate().toString(Qt::ISODate)),
             qPrintable(strEdited));
    QVERIFY(ActionManager::getAction(QStringLiteral("File.Save"))->getAction()->isEnabled());

    // Undo and Redo go through the note's undo stack, and so does the Save state.
    IDocument *pDocument = EditorManager::activeEditor()->getDocument();
    QTest::keySequence(pEdit, QKeySequence::Undo);
    QTest::keySequence(pEdit, QKeySequence::Undo);
    QCOMPARE(pEdit->toPlainText(), QStringLiteral("milk\n"));
    QVERIFY(!pDocument->isModified());
    QTest::keySequence(pEdit, QKeySequence::Redo);
    QTest::keySequence(pEdit, QKeySequence::Redo);
    QCOMPARE(pEdit->toPlainText(), strEdited);

    trigger("File.Save");
    QFile saved(strFile);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), strEdited);
    QVERIFY(!pDocument->isModified());
    // An edit after saving counts as a change again.
    QTest::keyClicks(pEdit, QStringLiteral("!"));
    QVERIFY(pDocument->isModified());
    QTest::keySequence(pEdit, QKeySequence::Undo);
    QVERIFY(!pDocument->isModified());

    trigger("File.Close");
    QTRY_VERIFY(EditorManager::getEditors().isEmpty());
    QTRY_VERIFY(ICore::getMainWindow()->getMdiArea()->subWindowList().isEmpty());

    pEdit = openNote(strFile);
    QVERIFY(pEdit);
    QCOMPARE(pEdit->toPlainText(), strEdited);

    // Edit > Copy and Paste are the note's own while its text has the focus.
    pEdit->selectAll();
    QTRY_VERIFY(ActionManager::getAction(QStringLiteral("Edit.Copy"))->getAction()->isEnabled());
    auto *pCopy = qobject_cast<ProxyAction *>(ActionManager::getAction(QStringLiteral("Edit.Copy"))->getAction());
    QVERIFY(pCopy && pCopy->action() && pCopy->action()->parent() == pEdit);
    trigger("Edit.Copy");
    QCOMPARE(QApplication::clipboard()->text(), strEdited);
    pEdit->moveCursor(QTextCursor::End);
    trigger("Edit.Paste");
    QCOMPARE(pEdit->toPlainText(), strEdited + strEdited);
    QTest::keySequence(pEdit, QKeySequence::Undo);
    QVERIFY(!EditorManager::activeEditor()->getDocument()->isModified());
    trigger("File.Close");
    QTRY_VERIFY(EditorManager::getEditors().isEmpty());
}

void tst_NotesPlugin::refusesFilesThatAreNotText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("invalid UTF-8") << QByteArray("caf\xe9 au lait\n");
    QTest::newRow("NUL byte") << QByteArray("a\0b", 3);
    QTest::newRow("too large") << QByteArray(16 * 1024 * 1024 + 1, 'x');
}

void tst_NotesPlugin::refusesFilesThatAreNotText()
{
    QFETCH(QByteArray, bytes);
    const QString strFile = writeNote(QStringLiteral("binary.note"), bytes);
    QVERIFY(!ICore::getMainWindow()->loadFile(strFile));
    QVERIFY(EditorManager::getEditors().isEmpty());
    // The user is told in the notification bar, and the file is untouched.
    ZTNotificationBar *pBar = ICore::getMainWindow()->getNotificationBar();
    QVERIFY(pBar->isVisible());
    QVERIFY(pBar->findChild<QLabel *>(QStringLiteral("m_pMessageLabel"))->text().contains(strFile));
    QFile file(strFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    ICore::getMainWindow()->hideNotification();
}

void tst_NotesPlugin::preferencesPageWrapsLines()
{
    IOptionsDlg *pDialog = ICore::getMainWindow()->getOptionsDialog();
    QVERIFY(pDialog);
    auto *pPage = pDialog->findChild<IOptionPage *>(QStringLiteral("NotesOptionPage"));
    QVERIFY(pPage);
    QPlainTextEdit *pEdit = openNote(writeNote(QStringLiteral("wrap.note"), "a long line\n"));
    QVERIFY(pEdit);
    QCOMPARE(pEdit->lineWrapMode(), QPlainTextEdit::WidgetWidth);

    pPage->initValues();
    pPage->findChild<QCheckBox *>()->setChecked(false);
    QVERIFY(pPage->isChanged());
    pDialog->saveAllChanges();
    QCOMPARE(pEdit->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(ICore::settings()->value(QStringLiteral("Notes/WrapLines")).toBool(), false);
    trigger("File.Close");
    QTRY_VERIFY(EditorManager::getEditors().isEmpty());
}

QTEST_MAIN(tst_NotesPlugin)
#include "tst_notesplugin.moc"
