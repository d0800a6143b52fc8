#include "core/documents/documentmanager.h"
#include "core/documents/editormanager.h"
#include "core/documents/ieditor.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/options/ioptionsdlg.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testdocument.h"
#include "tests/common/testdocumentfactory.h"
#include "tests/common/testhost.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QtTest>

class tst_MainWindowDocuments : public QObject
{
    Q_OBJECT

private slots:
    void noFactoryNoOptionsDialog();
    void firstFactoryInPoolOrder_data();
    void firstFactoryInPoolOrder();
    void quitClosesNothingBeforeEveryAnswer();
    void closeTakesDocumentsWithoutEditorsToo();
    void forceQuitClosesEverything();

private:
    // Registers a modified document with its editor the way the file
    // commands do, closing included.
    static TestDocument *openDocument(MainWindow *pWindow, const QString &strFileName, bool bWithEditor = true);

    TestSupport::TestHost m_host;
};

TestDocument *tst_MainWindowDocuments::openDocument(MainWindow *pWindow, const QString &strFileName,
                                                    bool bWithEditor)
{
    auto *pDocument = new TestDocument(strFileName);
    pDocument->makeEdit();
    DocumentManager::addDocument(pDocument);
    connect(pDocument, SIGNAL(requestClosing(bool)), pWindow, SLOT(onDocumentRequestClosing(bool)));
    if (bWithEditor) {
        auto *pEditor = new TestEditor;
        pEditor->setDocument(pDocument);
        EditorManager::addEditor(pEditor);
        EditorManager::activateEditor(pEditor);
    }
    return pDocument;
}

void tst_MainWindowDocuments::noFactoryNoOptionsDialog()
{
    MainWindow window;
    QObject unrelated;
    ExtensionSystem::PluginManager::addObject(&unrelated);
    QCOMPARE(window.getOptionsDialog(), nullptr);
    ExtensionSystem::PluginManager::removeObject(&unrelated);
}

void tst_MainWindowDocuments::firstFactoryInPoolOrder_data()
{
    QTest::addColumn<bool>("bReversed");
    QTest::newRow("first added first") << false;
    QTest::newRow("second added first") << true;
}

void tst_MainWindowDocuments::firstFactoryInPoolOrder()
{
    QFETCH(bool, bReversed);
    MainWindow window;
    QObject unrelated;
    TestDocumentFactory first, second;
    first.setObjectName(QStringLiteral("first"));
    second.setObjectName(QStringLiteral("second"));
    TestDocumentFactory *pExpected = bReversed ? &second : &first;
    TestDocumentFactory *pOther = bReversed ? &first : &second;
    ExtensionSystem::PluginManager::addObject(&unrelated);
    ExtensionSystem::PluginManager::addObject(pExpected);
    ExtensionSystem::PluginManager::addObject(pOther);

    IOptionsDlg *pDialog = window.getOptionsDialog();
    QVERIFY(pDialog);
    QCOMPARE(pDialog->objectName(), pExpected->objectName());
    QCOMPARE(window.getOptionsDialog(), pDialog);   // made once, then kept
    QCOMPARE(pExpected->m_nOptionsDialogsCreated, 1);
    QCOMPARE(pOther->m_nOptionsDialogsCreated, 0);

    ExtensionSystem::PluginManager::removeObject(pOther);
    ExtensionSystem::PluginManager::removeObject(pExpected);
    ExtensionSystem::PluginManager::removeObject(&unrelated);
    delete pDialog;
}

void tst_MainWindowDocuments::quitClosesNothingBeforeEveryAnswer()
{
    MainWindow window;
    QPointer<TestDocument> pFirst = openDocument(&window, QStringLiteral("/w/first.zelto"));
    QPointer<TestDocument> pSecond = openDocument(&window, QStringLiteral("/w/second.zelto"));
    EditorManager::activateEditor(EditorManager::getEditorOfDocument(pFirst));

    // Answers one question, noting which project was in front while it asked.
    QStringList lstInFront;
    TestSupport::ModalAnswerer answerer;
    const auto answer = [&](QMessageBox::StandardButton button) {
        answerer.answerWith([&lstInFront, button](QWidget *pModal) {
            IEditor *pActive = EditorManager::activeEditor();
            lstInFront << (pActive ? pActive->getDocument()->getFileName() : QString());
            auto *pBox = qobject_cast<QMessageBox *>(pModal);
            if (pBox && pBox->button(button))
                pBox->button(button)->click();
            else
                pModal->close();   // not the question: the comparisons below fail
        });
    };
    const auto bothOpenAndChanged = [&]() {
        return pFirst && pSecond && pFirst->isModified() && pSecond->isModified()
               && DocumentManager::getDocuments().size() == 2 && EditorManager::getEditors().size() == 2;
    };

    // Cancel at the first question; the last opened is asked first, in front.
    answer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QVERIFY(bothOpenAndChanged());
    QCOMPARE(lstInFront, QStringList({"/w/second.zelto"}));

    // No to the first, then Cancel: the first is not lost either.
    lstInFront.clear();
    answer(QMessageBox::No);
    answer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QVERIFY(bothOpenAndChanged());
    QCOMPARE(lstInFront, QStringList({"/w/second.zelto", "/w/first.zelto"}));
    QCOMPARE(answerer.records().at(2).text, QStringLiteral("Save changes made to first?"));

    // A save that fails keeps everything open as well, with one box saying so.
    pSecond->m_bSaveResult = false;
    answer(QMessageBox::Yes);
    answerer.answer(QMessageBox::Ok);
    QVERIFY(!window.close());
    QVERIFY(bothOpenAndChanged());
    QCOMPARE(answerer.records().last().text, QStringLiteral("Could not save project second."));

    // Every question answered: now everything goes. The session keeps the
    // project that was in front before the questions brought others there.
    EditorManager::activateEditor(EditorManager::getEditorOfDocument(pSecond));
    answer(QMessageBox::No);
    answer(QMessageBox::No);
    QVERIFY(window.close());
    QCOMPARE(ICore::settings()->value(QStringLiteral("Zelto/SessionCurrentProject")).toString(),
             QStringLiteral("/w/second.zelto"));
    QVERIFY(!pFirst);
    QVERIFY(!pSecond);
    QVERIFY(DocumentManager::getDocuments().isEmpty());
    QVERIFY(EditorManager::getEditors().isEmpty());
}

void tst_MainWindowDocuments::closeTakesDocumentsWithoutEditorsToo()
{
    MainWindow window;
    QPointer<TestDocument> pEdited = openDocument(&window, QStringLiteral("/w/edited.zelto"));
    QPointer<TestDocument> pLoose = openDocument(&window, QStringLiteral("/w/loose.zelto"), false);
    pLoose->setIsTempDocument(true);
    int nCleaned = 0;
    connect(pLoose, &TestDocument::tempDirCleaned, this, [&] { ++nCleaned; });

    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);
    answerer.answer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QVERIFY(pEdited);
    QVERIFY(pLoose);   // refused: both stay registered
    QCOMPARE(nCleaned, 0);
    QCOMPARE(answerer.records().at(1).text, QStringLiteral("Save changes made to loose?"));

    answerer.answer(QMessageBox::No);
    answerer.answer(QMessageBox::No);
    QVERIFY(window.close());
    QVERIFY(!pEdited);
    QVERIFY(!pLoose);
    QCOMPARE(nCleaned, 1);
    QCOMPARE(answerer.records().size(), 4);
}

void tst_MainWindowDocuments::forceQuitClosesEverything()
{
    MainWindow window;
    QPointer<TestDocument> pFirst = openDocument(&window, QStringLiteral("/w/a.zelto"));
    QPointer<TestDocument> pSecond = openDocument(&window, QStringLiteral("/w/b.zelto"));
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Cancel);   // nothing can veto a forced quit
    answerer.answer(QMessageBox::Cancel);
    window.forceQuit();
    QVERIFY(!pFirst);
    QVERIFY(!pSecond);
    QVERIFY(EditorManager::getEditors().isEmpty());
    QVERIFY(DocumentManager::getDocuments().isEmpty());
}

QTEST_MAIN(tst_MainWindowDocuments)
#include "tst_mainwindowdocuments.moc"
