#include "core/documents/documentmanager.h"
#include "core/documents/editormanager.h"
#include "core/mainwindow.h"
#include "core/options/ioptionsdlg.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testdocument.h"
#include "tests/common/testdocumentfactory.h"
#include "tests/common/testhost.h"

#include <QPointer>
#include <QtTest>

class tst_MainWindowDocuments : public QObject
{
    Q_OBJECT

private slots:
    void noFactoryNoOptionsDialog();
    void firstFactoryInPoolOrder_data();
    void firstFactoryInPoolOrder();
    void closeStopsAtTheFirstRefusal();
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

void tst_MainWindowDocuments::closeStopsAtTheFirstRefusal()
{
    MainWindow window;
    QPointer<TestDocument> pFirst = openDocument(&window, QStringLiteral("/w/first.zelto"));
    QPointer<TestDocument> pSecond = openDocument(&window, QStringLiteral("/w/second.zelto"));

    // The last editor's document is asked first; cancelling the second
    // prompt keeps the window and what is still open.
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);
    answerer.answer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QCOMPARE(answerer.records().size(), 2);
    QCOMPARE(answerer.records().at(0).text, QStringLiteral("Save changes made to second?"));
    QCOMPARE(answerer.records().at(1).text, QStringLiteral("Save changes made to first?"));
    QVERIFY(!pSecond);
    QVERIFY(pFirst);
    QCOMPARE(DocumentManager::getDocuments(), QList<IDocument *>({pFirst.data()}));
    QCOMPARE(EditorManager::getEditors().size(), 1);
    QCOMPARE(EditorManager::activeEditor(), EditorManager::getEditorOfDocument(pFirst));

    answerer.answer(QMessageBox::No);
    QVERIFY(window.close());
    QVERIFY(!pFirst);
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
    QVERIFY(!pEdited);
    QVERIFY(pLoose);   // refused: stays registered
    QCOMPARE(nCleaned, 0);
    QCOMPARE(DocumentManager::getDocuments(), QList<IDocument *>({pLoose.data()}));

    answerer.answer(QMessageBox::No);
    QVERIFY(window.close());
    QVERIFY(!pLoose);
    QCOMPARE(nCleaned, 1);
    QCOMPARE(answerer.records().size(), 3);
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
