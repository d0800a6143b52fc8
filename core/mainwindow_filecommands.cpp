// MainWindow: project file commands, the recent projects menu and help.
#include "core/mainwindow.h"

#include "core/documents/documentmanager.h"
#include "core/documents/editormanager.h"
#include "core/documents/idocument.h"
#include "core/documents/idocumentfactory.h"
#include "core/documents/ieditor.h"
#include "extensionsystem/pluginmanager.h"

#include <QMenu>
#include <QReadLocker>

QList<IDocumentFactory *> MainWindow::documentFactories()
{
    QList<QObject *> lstObjects;
    {
        QReadLocker locker(ExtensionSystem::PluginManager::listLock());
        lstObjects = ExtensionSystem::PluginManager::allObjects();
    }
    QList<IDocumentFactory *> lstFactories;
    for (QObject *pObject : qAsConst(lstObjects)) {
        if (auto *pFactory = qobject_cast<IDocumentFactory *>(pObject))
            lstFactories.append(pFactory);
    }
    return lstFactories;
}

IDocumentFactory *MainWindow::selectDocumentFactory()
{
    const QList<IDocumentFactory *> lstFactories = documentFactories();
    return lstFactories.isEmpty() ? nullptr : lstFactories.first();
}

void MainWindow::fileNew()
{
}

void MainWindow::fileOpen()
{
}

void MainWindow::fileSave()
{
}

void MainWindow::fileSaveAs()
{
}

void MainWindow::fileClose()
{
}

void MainWindow::fileExit()
{
    close();
}

bool MainWindow::loadFile(QString)
{
    return false;
}

bool MainWindow::loadOpenedDocument(IDocument *, bool)
{
    return false;
}

void MainWindow::openFilesPassedAsArguments()
{
}

void MainWindow::onDocumentRequestClosing(bool bDeleteLater)
{
    auto *pDocument = qobject_cast<IDocument *>(sender());
    if (!pDocument)
        return;

    IEditor *pEditor = EditorManager::getEditorOfDocument(pDocument);
    EditorManager::removeEditor(pEditor);
    DocumentManager::removeDocument(pDocument);
    if (pEditor) {
        if (bDeleteLater)
            pEditor->deleteLater();
        else
            delete pEditor;
    }
    if (pDocument->isTempDocument())
        pDocument->cleanTempDir();
    delete pDocument;   // Qt copes with a sender deleted inside its own signal

    emit updateWindowFilePath(QString());
    setVisibleWelcomeWidget(EditorManager::getEditors().isEmpty());
    if (m_pSaveAsMenu) {
        IEditor *pActive = EditorManager::activeEditor();
        m_pSaveAsMenu->setEnabled(pActive && pActive->getDocument());
    }
}

void MainWindow::onDocStatusChanged(QString)
{
}

void MainWindow::updateRecentFileActions()
{
}

void MainWindow::recentFileOpen()
{
}

void MainWindow::onHelpContents()
{
}
