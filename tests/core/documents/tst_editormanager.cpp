#include "core/documents/editormanager.h"
#include "core/mainwindow.h"
#include "tests/common/testhost.h"
#include "tests/common/testdocument.h"

#include <QSignalSpy>
#include <QtTest>

// Records the activation signals of the manager and of a set of editors in
// the order they arrive, as "name:signal".
class Recorder : public QObject
{
public:
    void watch(IEditor *pEditor, const QString &strName)
    {
        m_names.insert(pEditor, strName);
        connect(pEditor, &IEditor::aboutToActivate, this, [=] { m_lst << strName + QStringLiteral(":aboutToActivate"); });
        connect(pEditor, &IEditor::aboutToDeactivate, this,
                [=] { m_lst << strName + QStringLiteral(":aboutToDeactivate"); });
    }
    void watchManager()
    {
        connect(EditorManager::getInstance(), &EditorManager::editorActivated, this,
                [=](IEditor *p) { m_lst << QStringLiteral("activated:") + m_names.value(p); });
        connect(EditorManager::getInstance(), &EditorManager::editorDeactivated, this,
                [=](IEditor *p) { m_lst << QStringLiteral("deactivated:") + m_names.value(p); });
    }
    QStringList take()
    {
        const QStringList lst = m_lst;
        m_lst.clear();
        return lst;
    }

private:
    QHash<IEditor *, QString> m_names;
    QStringList m_lst;
};

class tst_EditorManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void registration();
    void activationSignalsInOrder();
    void removingTheActiveEditorActivatesItsSuccessor_data();
    void removingTheActiveEditorActivatesItsSuccessor();
    void removingAnInactiveEditorKeepsTheActiveOne();
    void deletedEditorLeavesTheRegistry();
    void deletedActiveEditorHandsOverToItsSuccessor();
    void deletedUnregisteredActiveEditorIsForgotten();
    void editorOfDocument();
    void editorRelaysDocumentSignals();

private:
    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
};

void tst_EditorManager::initTestCase()
{
    m_pWindow = new MainWindow;
    QVERIFY(EditorManager::getInstance());
}

void tst_EditorManager::cleanupTestCase()
{
    delete m_pWindow;
    QVERIFY(!EditorManager::getInstance());
    QVERIFY(!EditorManager::activeEditor());
}

void tst_EditorManager::cleanup()
{
    EditorManager::activateEditor(nullptr);
    const QList<IEditor *> lstLeft = EditorManager::getEditors();
    for (IEditor *pEditor : lstLeft)
        EditorManager::removeEditor(pEditor);
}

void tst_EditorManager::registration()
{
    TestEditor a, b, unregistered;
    EditorManager::addEditor(nullptr);
    EditorManager::addEditor(&a);
    EditorManager::addEditor(&b);
    EditorManager::addEditor(&a);
    QCOMPARE(EditorManager::getEditors(), QList<IEditor *>({&a, &b}));
    QVERIFY(!EditorManager::activeEditor());   // registering does not activate

    QVERIFY(EditorManager::removeEditor(nullptr));
    QVERIFY(!EditorManager::removeEditor(&unregistered));
    QVERIFY(EditorManager::removeEditor(&a));
    QCOMPARE(EditorManager::getEditors(), QList<IEditor *>({&b}));
}

void tst_EditorManager::activationSignalsInOrder()
{
    TestEditor a, b;
    Recorder recorder;
    recorder.watch(&a, QStringLiteral("A"));
    recorder.watch(&b, QStringLiteral("B"));
    recorder.watchManager();
    EditorManager::addEditor(&a);
    EditorManager::addEditor(&b);

    EditorManager::activateEditor(&a);
    QCOMPARE(recorder.take(), QStringList({"A:aboutToActivate", "activated:A"}));
    EditorManager::activateEditor(&a);
    QCOMPARE(recorder.take(), QStringList());
    EditorManager::activateEditor(&b);
    QCOMPARE(recorder.take(),
             QStringList({"A:aboutToDeactivate", "deactivated:A", "B:aboutToActivate", "activated:B"}));
    EditorManager::activateEditor(nullptr);
    QCOMPARE(recorder.take(), QStringList({"B:aboutToDeactivate", "deactivated:B"}));
    QVERIFY(!EditorManager::activeEditor());
    EditorManager::activateEditor(nullptr);
    QCOMPARE(recorder.take(), QStringList());

    // Activation does not need registration.
    TestEditor outsider;
    EditorManager::activateEditor(&outsider);
    QCOMPARE(EditorManager::activeEditor(), &outsider);
    EditorManager::activateEditor(nullptr);
}

void tst_EditorManager::removingTheActiveEditorActivatesItsSuccessor_data()
{
    QTest::addColumn<int>("nEditors");
    QTest::addColumn<int>("nActive");
    QTest::addColumn<int>("nSuccessor");   // -1: none
    QTest::addColumn<QStringList>("lstSignals");

    QTest::newRow("middle of three: the next") << 3 << 1 << 2
        << QStringList({"E1:aboutToDeactivate", "deactivated:E1", "E2:aboutToActivate", "activated:E2"});
    QTest::newRow("last of three: the previous") << 3 << 2 << 1
        << QStringList({"E2:aboutToDeactivate", "deactivated:E2", "E1:aboutToActivate", "activated:E1"});
    QTest::newRow("first of three: the next") << 3 << 0 << 1
        << QStringList({"E0:aboutToDeactivate", "deactivated:E0", "E1:aboutToActivate", "activated:E1"});
    QTest::newRow("the only one: none") << 1 << 0 << -1
        << QStringList({"E0:aboutToDeactivate", "deactivated:E0"});
}

void tst_EditorManager::removingTheActiveEditorActivatesItsSuccessor()
{
    QFETCH(int, nEditors);
    QFETCH(int, nActive);
    QFETCH(int, nSuccessor);
    QFETCH(QStringList, lstSignals);

    TestEditor editors[3];
    Recorder recorder;
    recorder.watchManager();
    for (int i = 0; i < nEditors; ++i) {
        recorder.watch(&editors[i], QStringLiteral("E%1").arg(i));
        EditorManager::addEditor(&editors[i]);
    }
    EditorManager::activateEditor(&editors[nActive]);
    recorder.take();

    QVERIFY(EditorManager::removeEditor(&editors[nActive]));
    QCOMPARE(recorder.take(), lstSignals);
    QCOMPARE(EditorManager::activeEditor(), nSuccessor < 0 ? nullptr : &editors[nSuccessor]);
    QCOMPARE(EditorManager::getEditors().size(), nEditors - 1);
}

void tst_EditorManager::removingAnInactiveEditorKeepsTheActiveOne()
{
    TestEditor a, b;
    Recorder recorder;
    recorder.watch(&a, QStringLiteral("A"));
    recorder.watch(&b, QStringLiteral("B"));
    recorder.watchManager();
    EditorManager::addEditor(&a);
    EditorManager::addEditor(&b);
    EditorManager::activateEditor(&a);
    recorder.take();
    QVERIFY(EditorManager::removeEditor(&b));
    QCOMPARE(recorder.take(), QStringList());
    QCOMPARE(EditorManager::activeEditor(), &a);

    // A removed editor no longer tells the manager when it goes.
    auto *pRemoved = new TestEditor;
    EditorManager::addEditor(pRemoved);
    QVERIFY(EditorManager::removeEditor(pRemoved));
    QSignalSpy spy(EditorManager::getInstance(), &EditorManager::editorDeactivated);
    delete pRemoved;
    QCOMPARE(spy.count(), 0);
    QCOMPARE(EditorManager::getEditors(), QList<IEditor *>({&a}));
}

void tst_EditorManager::deletedEditorLeavesTheRegistry()
{
    TestEditor a;
    auto *pDoomed = new TestEditor;
    EditorManager::addEditor(&a);
    EditorManager::addEditor(pDoomed);
    EditorManager::activateEditor(&a);
    delete pDoomed;
    QCOMPARE(EditorManager::getEditors(), QList<IEditor *>({&a}));
    QCOMPARE(EditorManager::activeEditor(), &a);
}

void tst_EditorManager::deletedActiveEditorHandsOverToItsSuccessor()
{
    TestEditor a, c;
    auto *pDoomed = new TestEditor;
    Recorder recorder;
    recorder.watch(&a, QStringLiteral("A"));
    recorder.watch(pDoomed, QStringLiteral("B"));
    recorder.watch(&c, QStringLiteral("C"));
    recorder.watchManager();
    EditorManager::addEditor(&a);
    EditorManager::addEditor(pDoomed);
    EditorManager::addEditor(&c);
    EditorManager::activateEditor(pDoomed);
    recorder.take();

    delete pDoomed;
    // The dying editor cannot emit anything itself; the manager still
    // announces the change.
    QCOMPARE(recorder.take(), QStringList({"deactivated:B", "C:aboutToActivate", "activated:C"}));
    QCOMPARE(EditorManager::activeEditor(), &c);
    QCOMPARE(EditorManager::getEditors(), QList<IEditor *>({&a, &c}));
}

void tst_EditorManager::deletedUnregisteredActiveEditorIsForgotten()
{
    auto *pStray = new TestEditor;
    EditorManager::activateEditor(pStray);
    QSignalSpy deactivated(EditorManager::getInstance(), &EditorManager::editorDeactivated);
    delete pStray;
    QVERIFY(!EditorManager::activeEditor());
    QCOMPARE(deactivated.size(), 1);
}

void tst_EditorManager::editorOfDocument()
{
    TestDocument doc, other;
    TestEditor first, second;
    first.setDocument(&doc);
    second.setDocument(&doc);
    EditorManager::addEditor(&first);
    EditorManager::addEditor(&second);
    QCOMPARE(EditorManager::getEditorOfDocument(&doc), &first);
    QCOMPARE(EditorManager::getEditorOfDocument(&other), nullptr);
    QCOMPARE(EditorManager::getEditorOfDocument(nullptr), nullptr);
}

void tst_EditorManager::editorRelaysDocumentSignals()
{
    TestDocument doc;
    TestEditor editor;
    QCOMPARE(editor.getDocument(), nullptr);
    editor.setDocument(&doc);
    QCOMPARE(editor.getDocument(), &doc);

    QSignalSpy loaded(&editor, &IEditor::documentLoaded);
    QSignalSpy data(&editor, &IEditor::documentDataChanged);
    QSignalSpy unloading(&editor, &IEditor::documentUnloading);
    QSignalSpy title(&editor, &IEditor::documentTitleChanged);
    QSignalSpy modify(&editor, &IEditor::documentModifyChanged);
    QSignalSpy undo(&editor, &IEditor::undoStackChanged);

    QVERIFY(doc.open());
    emit doc.dataChanged(&doc);
    emit doc.titleChanged();
    emit doc.modifyChanged(true);
    emit doc.undoStackChanged();
    QVERIFY(doc.close());   // unmodified: no prompt

    QCOMPARE(loaded.count(), 1);
    QCOMPARE(data.count(), 1);
    QCOMPARE(data.at(0).at(0).value<QObject *>(), &doc);
    QCOMPARE(unloading.count(), 1);
    QCOMPARE(title.count(), 1);
    QCOMPARE(modify.count(), 1);
    QCOMPARE(modify.at(0).at(0).toBool(), true);
    QCOMPARE(undo.count(), 1);
}

QTEST_MAIN(tst_EditorManager)
#include "tst_editormanager.moc"
