// The files of open projects, changed, replaced and deleted by another
// program while the main window has them open.
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/documents/documentfilewatcher.h"
#include "core/documents/documentmanager.h"
#include "core/mainwindow.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testdocumentfactory.h"
#include "tests/common/testhost.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <cstdio>
#include <sys/stat.h>
#endif

namespace {

// Another program writing the file, in one step as editors do.
bool writeElsewhere(const QString &strPath, const QByteArray &content)
{
    QSaveFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
}

} // namespace

class tst_DocumentFileWatcher : public QObject
{
    Q_OBJECT

private slots:
    void changesOnDisk();
#ifdef Q_OS_UNIX
    void fifoInPlaceOfTheFile();
#endif

private:
    TestSupport::TestHost m_host;
};

void tst_DocumentFileWatcher::changesOnDisk()
{
    QTemporaryDir dir;
    const QString strFile = dir.filePath(QStringLiteral("watched.zelto"));
    QVERIFY(writeProjectFile(strFile));
    TestDocumentFactory factory;
    ExtensionSystem::PluginManager::addObject(&factory);
    MainWindow window;
    QVERIFY(window.loadFile(strFile));
    FactoryDocument *pDocument = factory.m_lstDocuments.last();
    QTimer *pSettle = DocumentManager::getInstance()->findChild<DocumentFileWatcher *>()->findChild<QTimer *>();
    TestSupport::ModalAnswerer answerer;

    // Changed by another program: reloaded when the user agrees.
    answerer.answer(QMessageBox::Yes);
    QVERIFY(writeElsewhere(strFile, "changed"));
    QVERIFY(answerer.waitForAnswers(1));
    QCOMPARE(answerer.records().at(0).text,
             QStringLiteral("The file %1 has been changed on disk. Do you want to reload it?")
                 .arg(QDir::toNativeSeparators(strFile)));
    QCOMPARE(pDocument->m_nReloadCount, 1);
    QVERIFY(!pDocument->isModified());

    // A burst of writes asks once; keeping what is open marks it modified.
    answerer.answer(QMessageBox::No);
    for (int i = 0; i < 5; ++i)
        QVERIFY(writeElsewhere(strFile, "burst " + QByteArray::number(i)));
    QVERIFY(answerer.waitForAnswers(2));
    QCOMPARE(pDocument->m_nReloadCount, 1);
    QVERIFY(pDocument->isModified());

    // The application's own save (a new file in place of the old) asks nothing.
    commandAction("File.Save")->trigger();
    QCOMPARE(pDocument->m_nSaveCount, 1);
    QVERIFY(!pDocument->isModified());

    // While a dialog is open the question waits for it.
    answerer.answerWith([&](QWidget *pDialog) {
        QSignalSpy settled(pSettle, &QTimer::timeout);
        QVERIFY(writeElsewhere(strFile, "while a dialog is open"));
        QTRY_VERIFY(settled.size() >= 2);   // looked at, then held back
        QCOMPARE(answerer.records().size(), 3);
        static_cast<QDialog *>(pDialog)->accept();
    });
    answerer.answer(QMessageBox::Yes);
    QDialog dialog(&window);
    dialog.exec();
    QVERIFY(answerer.waitForAnswers(4));
    QCOMPARE(pDocument->m_nReloadCount, 2);

    // Deleted: the user is told and the project counts as changed.
    answerer.answer(QMessageBox::Ok);
    QVERIFY(QFile::remove(strFile));
    QVERIFY(answerer.waitForAnswers(5));
    QVERIFY(answerer.records().at(4).text.startsWith(
        QStringLiteral("The file %1 has been deleted or moved").arg(QDir::toNativeSeparators(strFile))));
    QVERIFY(pDocument->isModified());
    QVERIFY(commandAction("File.Save")->isEnabled());
    // Every question so far was asked once, none for the own save.
    QCOMPARE(answerer.records().size(), 5);

    pDocument->getUndoStack()->setClean();
    ExtensionSystem::PluginManager::removeObject(&factory);
}

#ifdef Q_OS_UNIX
// A FIFO put in the file's place has no writer: reading it would block the
// application for good. It is taken for a file that changed.
void tst_DocumentFileWatcher::fifoInPlaceOfTheFile()
{
    QTemporaryDir dir;
    const QString strFile = dir.filePath(QStringLiteral("watched.zelto"));
    const QString strFifo = dir.filePath(QStringLiteral("fifo"));
    QVERIFY(writeProjectFile(strFile));
    TestDocumentFactory factory;
    ExtensionSystem::PluginManager::addObject(&factory);
    MainWindow window;
    QVERIFY(window.loadFile(strFile));
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);

    QCOMPARE(::mkfifo(QFile::encodeName(strFifo).constData(), 0600), 0);
    QCOMPARE(std::rename(QFile::encodeName(strFifo).constData(), QFile::encodeName(strFile).constData()), 0);
    QVERIFY(answerer.waitForAnswers(1));
    QVERIFY(answerer.records().at(0).text.startsWith(
        QStringLiteral("The file %1 has been changed on disk").arg(QDir::toNativeSeparators(strFile))));

    factory.m_lstDocuments.last()->getUndoStack()->setClean();
    ExtensionSystem::PluginManager::removeObject(&factory);
}
#endif

QTEST_MAIN(tst_DocumentFileWatcher)
#include "tst_documentfilewatcher.moc"
