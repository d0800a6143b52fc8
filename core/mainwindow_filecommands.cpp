// MainWindow: project file commands, the recent projects menu and help.
#include "core/mainwindow.h"
#include "core/mainwindow_p.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/coreids.h"
#include "core/documents/documentmanager.h"
#include "core/documents/documentfactories_p.h"
#include "core/documents/editormanager.h"
#include "core/documents/icreatedocumentdlg.h"
#include "core/documents/idocument.h"
#include "core/documents/idocumentfactory.h"
#include "core/documents/ieditor.h"
#include "core/i18n/ilanguagemanager.h"
#include "core/irecentfilesmanager.h"
#include "core/iui.h"
#include "core/welcome/imainmdiarea.h"
#include "extensionsystem/pluginmanager.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QReadLocker>
#include <QStatusBar>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUrl>

QList<IDocumentFactory *> MainWindow::documentFactories()
{
    return DocumentFactories::all();
}

IDocumentFactory *MainWindow::selectDocumentFactory()
{
    const QList<IDocumentFactory *> lstFactories = documentFactories();
    return lstFactories.isEmpty() ? nullptr : lstFactories.first();
}

// With several document types the user first picks the one to create; with
// one there is nothing to ask. nullptr: there is no type, or the user cancelled.
static IDocumentFactory *chooseNewDocumentFactory(QWidget *pParent, const QList<IDocumentFactory *> &lstFactories)
{
    if (lstFactories.size() < 2)
        return lstFactories.isEmpty() ? nullptr : lstFactories.first();
    QStringList lstNames;
    for (IDocumentFactory *pFactory : lstFactories)
        lstNames << pFactory->getDocumentTypeName();
    bool bChosen = false;
    const QString strName = QInputDialog::getItem(pParent, QStringLiteral(ZELTO_APP_TITLE),
                                                  MainWindow::tr("Type of the new document:"), lstNames, 0, false,
                                                  &bChosen);
    const int nIndex = bChosen ? lstNames.indexOf(strName) : -1;
    return nIndex < 0 ? nullptr : lstFactories.at(nIndex);
}

void MainWindow::fileNew()
{
    IDocumentFactory *pFactory = chooseNewDocumentFactory(this, documentFactories());
    if (!pFactory)
        return;

    IDocument *pDocument = pFactory->createDocument();
    ICreateDocumentDlg *pDialog = pFactory->createNewDocumentDialog();
    if (!pDocument || !pDialog) {
        delete pDocument;
        delete pDialog;
        return;
    }

    if (pDialog->exec() != QDialog::Accepted) {
        delete pDocument;
        delete pDialog;
        return;
    }
    const int nValue1 = pDialog->getValue1();
    const int nValue2 = pDialog->getValue2();
    const int nValue3 = pDialog->getValue3();
    const QString strFilePath = pDialog->getFilePath();
    if (strFilePath.isEmpty()) {
        delete pDocument;
        delete pDialog;
        return;
    }

    IRecentFilesManager::getInstance()->addFile(strFilePath);
    pDocument->setFileName(strFilePath);
    if (!pDocument->initNewDocument(nValue1, nValue2, nValue3, pDialog->getOption())) {
        delete pDocument;
    } else {
        IEditor *pEditor = pFactory->createEditor();
        if (!pEditor) {
            delete pDocument;
            setVisibleWelcomeWidget(EditorManager::getEditors().isEmpty());
            delete pDialog;
            return;
        }
        pEditor->setDocument(pDocument);
        DocumentManager::addDocument(pDocument);
        EditorManager::addEditor(pEditor);
        d->m_pSaveAction->setEnabled(true);
        if (QUndoStack *pStack = pDocument->getUndoStack()) {
            DocumentManager::getUndoGroup()->addStack(pStack);
            DocumentManager::getUndoGroup()->setActiveStack(pStack);
        }
        connect(pDocument, &IDocument::requestClosing, this, &MainWindow::onDocumentRequestClosing);
        connect(pDocument, &IDocument::statusChanged, this, &MainWindow::onDocStatusChanged);
        clearStatusOnEdit(pDocument);
        EditorManager::activateEditor(pEditor);
        emit pDocument->aboutToOpen();
        // The new project is written at once, so it exists on disk from the start.
        if (pDocument->save())
            DocumentManager::documentSaved(pDocument);
        if (DocumentManager::isAutobackupEnabled())
            DocumentManager::startWaitingBackup(pDocument);
    }
    setVisibleWelcomeWidget(EditorManager::getEditors().isEmpty());
    delete pDialog;
}

// One dialog for the files of every document type: a filter for each, and
// first one for all of them. It starts in the folder of the latest project.
static QString askFileToOpen(QWidget *pParent, const QList<IDocumentFactory *> &lstFactories)
{
    QStringList lstFilters;
    QStringList lstAllPatterns;
    for (IDocumentFactory *pFactory : lstFactories) {
        QStringList lstPatterns;
        const QStringList lstSuffixes = pFactory->getSupportedSuffixes();
        for (const QString &strSuffix : lstSuffixes)
            lstPatterns << QStringLiteral("*.") + strSuffix;
        if (lstPatterns.isEmpty())
            continue;
        lstFilters << QStringLiteral("%1 (%2)").arg(pFactory->getDocumentTypeName(), lstPatterns.join(QLatin1Char(' ')));
        lstAllPatterns << lstPatterns;
    }
    lstAllPatterns.removeDuplicates();
    lstFilters.prepend(MainWindow::tr("All supported files (%1)").arg(lstAllPatterns.join(QLatin1Char(' '))));

    const QStringList lstRecent = IRecentFilesManager::getInstance()->getRecentFiles();
    const QString strFolder = lstRecent.isEmpty() ? QString() : QFileInfo(lstRecent.constFirst()).absolutePath();
    QFileDialog dialog(pParent, MainWindow::tr("Open"), strFolder, lstFilters.join(QStringLiteral(";;")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void MainWindow::fileOpen()
{
    const QList<IDocumentFactory *> lstFactories = documentFactories();
    if (lstFactories.isEmpty())
        return;
    // One type keeps its own dialog, which may know more (the folder it was
    // last used in, say).
    const QString strFileName =
        lstFactories.size() == 1 ? lstFactories.first()->getOpenFileName() : askFileToOpen(this, lstFactories);
    if (!strFileName.isEmpty())
        loadFile(strFileName);
}

static IDocument *activeDocument()
{
    IEditor *pEditor = EditorManager::activeEditor();
    return pEditor ? pEditor->getDocument() : nullptr;
}

void MainWindow::fileSave()
{
    IDocument *pDocument = activeDocument();
    if (!pDocument)
        return;
    // A project that was never saved under a chosen name needs one first.
    if (pDocument->isTempDocument()) {
        fileSaveAs();
        return;
    }
    if (pDocument->save()) {
        DocumentManager::documentSaved(pDocument);
        d->m_pSaveAction->setEnabled(false);
    }
}

void MainWindow::fileSaveAs()
{
    IDocument *pDocument = activeDocument();
    if (!pDocument)
        return;
    const QString strOldFileName = pDocument->getFileName();
    const bool bWasTemp = pDocument->isTempDocument();
    if (pDocument->saveAs()) {
        DocumentManager::documentSaved(pDocument);
        IRecentFilesManager *pRecent = IRecentFilesManager::getInstance();
        // The temporary place is about to go; only the chosen one is worth remembering.
        if (bWasTemp)
            pRecent->removeFile(strOldFileName);
        pRecent->addFile(pDocument->getFileName());
        d->m_pSaveAction->setEnabled(false);
    } else if (pDocument->isTempDocument()) {
        d->m_pSaveAction->setEnabled(true);
    }
}

void MainWindow::fileClose()
{
    IDocument *pDocument = activeDocument();
    // Later deletion: the close may have been triggered from inside the editor.
    if (pDocument && pDocument->close())
        emit pDocument->requestClosing(true);
}

void MainWindow::fileExit()
{
    close();
}

bool MainWindow::loadFile(QString strFileName)
{
    strFileName = QDir::fromNativeSeparators(strFileName);

    // A file that does not exist has no canonical path: an empty one must
    // never match, or a missing file would "find" a project whose own file
    // was deleted meanwhile.
    const QString strCanonical = QFileInfo(strFileName).canonicalFilePath();
    if (!strCanonical.isEmpty()) {
        const QList<IEditor *> lstEditors = EditorManager::getEditors();
        for (IEditor *pEditor : lstEditors) {
            IDocument *pDocument = pEditor->getDocument();
            if (pDocument && QFileInfo(pDocument->getFileName()).canonicalFilePath() == strCanonical) {
                EditorManager::activateEditor(pEditor);
                return true;
            }
        }
    }

    IDocumentFactory *pFactory = DocumentFactories::forFile(strFileName);
    if (!pFactory) {
        IUi::information(this, QStringLiteral(ZELTO_APP_TITLE), tr("Cannot open this file type."), QMessageBox::Ok,
                         QMessageBox::Ok);
        return false;
    }

    IDocument *pDocument = pFactory->createDocument();
    if (!pDocument)
        return false;
    pDocument->setFileName(strFileName);
    if (pDocument->open() && loadOpenedDocument(pDocument, true))
        return true;

    // A document that failed to open has told the user why; one that got
    // no editor is not registered anywhere and goes too.
    delete pDocument;
    setVisibleWelcomeWidget(EditorManager::getEditors().isEmpty());
    return false;
}

bool MainWindow::loadOpenedDocument(IDocument *pDoc, bool bAddToRecentFile)
{
    if (!pDoc)
        return false;
    IDocumentFactory *pFactory = DocumentFactories::forFile(pDoc->getFileName());
    if (!pFactory)
        return false;

    // Without an editor nothing is registered and the caller keeps the
    // document; a project that never opened does not belong in the list.
    IEditor *pEditor = pFactory->createEditor();
    if (!pEditor)
        return false;
    if (bAddToRecentFile)
        IRecentFilesManager::getInstance()->addFile(pDoc->getFileName());

    pEditor->setDocument(pDoc);
    DocumentManager::addDocument(pDoc);
    EditorManager::addEditor(pEditor);
    QUndoStack *pStack = pDoc->getUndoStack();
    if (pStack)
        DocumentManager::getUndoGroup()->addStack(pStack);
    EditorManager::activateEditor(pEditor);
    if (pStack)
        DocumentManager::getUndoGroup()->setActiveStack(pStack);

    connect(pDoc, &IDocument::statusChanged, this, &MainWindow::onDocStatusChanged);
    connect(pDoc, &IDocument::requestClosing, this, &MainWindow::onDocumentRequestClosing);
    clearStatusOnEdit(pDoc);

    emit pDoc->aboutToOpen();
    if (DocumentManager::isAutobackupEnabled())
        DocumentManager::startWaitingBackup(pDoc);

    setVisibleWelcomeWidget(EditorManager::getEditors().isEmpty());
    return true;
}

void MainWindow::openFilesPassedAsArguments()
{
    // The last session first, so a project named on the command line ends
    // up in front. A restart of the application's own is given the files of
    // the first start again: what the user has open now is the session, and
    // a project closed since must not come back.
    if (reopenLastSession())
        return;
    // Relative names resolve against the process's current folder.
    const QStringList lstArguments = ExtensionSystem::PluginManager::arguments();
    for (const QString &strArgument : lstArguments)
        loadFile(strArgument);
}

// Another program names the files of a hand-over, and it may name thousands:
// one hand-over tries at most this many, and the files nothing can open are
// reported together in one box, which lists at most s_nMaxListedFiles names.
static const int s_nMaxHandedOverFiles = 32;
static const int s_nMaxListedNameLength = 200;

QString MainWindowPrivate::listedName(const QString &strPath)
{
    QString strName = QDir::toNativeSeparators(strPath);
    if (strName.size() > s_nMaxListedNameLength)
        strName = strName.left(s_nMaxListedNameLength / 2) + QChar(0x2026)
                  + strName.right(s_nMaxListedNameLength / 2 - 1);
    return strName;
}

void MainWindow::openHandedOverFiles(const QStringList &lstFileNames)
{
    const QList<IDocumentFactory *> lstFactories = documentFactories();
    const int nTried = qMin(lstFileNames.size(), s_nMaxHandedOverFiles);
    QStringList lstUnknown;
    for (int i = 0; i < nTried; ++i) {
        if (DocumentFactories::forFile(lstFactories, lstFileNames.at(i)))
            loadFile(lstFileNames.at(i));
        else
            lstUnknown << lstFileNames.at(i);
    }
    const int nSkipped = lstFileNames.size() - nTried;
    if (lstUnknown.isEmpty() && nSkipped == 0)
        return;
    if (lstUnknown.size() == 1 && nSkipped == 0) {
        IUi::information(this, QStringLiteral(ZELTO_APP_TITLE), tr("Cannot open this file type."), QMessageBox::Ok,
                         QMessageBox::Ok);
        return;
    }

    // The first line is ours, so the box never takes a name for rich text.
    QStringList lstLines;
    if (!lstUnknown.isEmpty()) {
        lstLines << tr("Cannot open these files: their type is not supported.") << QString();
        for (int i = 0; i < qMin(lstUnknown.size(), MainWindowPrivate::s_nMaxListedFiles); ++i)
            lstLines << MainWindowPrivate::listedName(lstUnknown.at(i));
        if (lstUnknown.size() > MainWindowPrivate::s_nMaxListedFiles)
            lstLines << tr("and %1 more").arg(lstUnknown.size() - MainWindowPrivate::s_nMaxListedFiles);
    }
    if (nSkipped > 0) {
        if (!lstLines.isEmpty())
            lstLines << QString();
        lstLines << tr("Only the first %1 of %2 files were tried; the others were not opened.")
                        .arg(nTried)
                        .arg(lstFileNames.size());
    }
    IUi::information(this, QStringLiteral(ZELTO_APP_TITLE), lstLines.join(QLatin1Char('\n')), QMessageBox::Ok,
                     QMessageBox::Ok);
}

void MainWindow::onDocumentRequestClosing(bool bDeleteLater)
{
    auto *pDocument = qobject_cast<IDocument *>(sender());
    if (!pDocument)
        return;

    IEditor *pEditor = EditorManager::getEditorOfDocument(pDocument);
    EditorManager::removeEditor(pEditor);
    DocumentManager::removeDocument(pDocument);
    d->m_hashStatusTexts.remove(pDocument);
    if (pEditor) {
        if (bDeleteLater)
            pEditor->deleteLater();
        else
            delete pEditor;
    }
    if (pDocument->isTempDocument())
        pDocument->cleanTempDir();
    delete pDocument;   // Qt copes with a sender deleted inside its own signal

    setVisibleWelcomeWidget(EditorManager::getEditors().isEmpty());
    // The caption, Save and Undo go to the project now in front, if any.
    followActiveEditor();
}

void MainWindow::onDocStatusChanged(QString strStatusTip)
{
    // Each project keeps its own text; one in the background shows when its
    // tab comes to the front, never over the active one's.
    auto *pSender = qobject_cast<IDocument *>(sender());
    if (!pSender || !DocumentManager::getDocuments().contains(pSender))
        return;
    d->m_hashStatusTexts.insert(pSender, strStatusTip);
    if (pSender == activeDocument())
        statusBar()->showMessage(strStatusTip, 0);
}

void MainWindow::clearStatusOnEdit(IDocument *pDocument)
{
    // "Saved ..." describes the project as it was: the next edit (or undo)
    // makes it out of date.
    QUndoStack *pStack = pDocument->getUndoStack();
    if (!pStack)
        return;
    connect(pStack, &QUndoStack::indexChanged, pDocument, [this, pDocument]() {
        if (d->m_hashStatusTexts.remove(pDocument) > 0 && pDocument == activeDocument())
            statusBar()->clearMessage();
    });
}

void MainWindow::showActiveStatus()
{
    const QString strText = d->m_hashStatusTexts.value(activeDocument());
    if (strText.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(strText, 0);
}

void MainWindow::updateRecentFileActions()
{
    IRecentFilesManager *pRecent = IRecentFilesManager::getInstance();
    const QStringList lstFiles = pRecent->getRecentFiles();
    const int nCount = qMin(pRecent->getCount(), d->m_recentActions.size());

    if (ActionContainer *pContainer = ActionManager::getActionContainer(QLatin1String(CoreIds::FileRecentProjects))) {
        if (QMenu *pMenu = pContainer->getMenu())
            pMenu->setEnabled(nCount != 0);
    }
    for (int i = 0; i < nCount; ++i) {
        const QString strPath = lstFiles.at(i);
        // The number is the entry's mnemonic (the tenth: its 0); an "&" in
        // the path is shown, not taken for one.
        QString strNumber = QString::number(i + 1);
        strNumber.insert(strNumber.size() - 1, QLatin1Char('&'));
        const QString strText =
            QStringLiteral("%1. %2").arg(strNumber, QString(strPath).replace(QLatin1Char('&'), QLatin1String("&&")));
        if (ContextAction *pCommand =
                ActionManager::getAction(QLatin1String(CoreIds::FileRecentProjectsProject) + QString::number(i + 1))) {
            pCommand->getAction()->setText(strText);
            pCommand->getAction()->setData(strPath);
            pCommand->getAction()->setVisible(true);
        }
        QAction *pAction = d->m_recentActions.at(i);
        pAction->setText(strText);
        pAction->setData(strPath);
        pAction->setVisible(true);
    }
    for (int i = nCount; i < d->m_recentActions.size(); ++i)
        d->m_recentActions.at(i)->setVisible(false);
}

void MainWindow::removeMissingRecentFiles()
{
    const int nRemoved = IRecentFilesManager::getInstance()->removeMissingFiles();
    statusBar()->showMessage(nRemoved == 0 ? tr("Every project in the list still exists.")
                                           : tr("Missing projects removed from the list: %1").arg(nRemoved),
                             0);
}

void MainWindow::recentFileOpen()
{
    auto *pAction = qobject_cast<QAction *>(sender());
    if (!pAction)
        return;
    const QString strPath = pAction->data().toString();
    if (QFileInfo::exists(strPath)) {
        loadFile(strPath);
        return;
    }
    const QMessageBox::StandardButton answer = IUi::question(
        this, QStringLiteral(ZELTO_APP_TITLE),
        tr("The project [%1] no longer exists.\nDo you want to remove this entry from history?").arg(strPath),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    IRecentFilesManager::getInstance()->removeFile(strPath);
    if (d->m_pMdiArea)
        emit d->m_pMdiArea->resetRecentFiles();   // the welcome page reloads its list
}

// The language part of a locale name ("de" of "de_DE"); a name without "_" whole.
static QString languageCode(const QString &strLocale)
{
    return strLocale.section(QLatin1Char('_'), 0, 0);
}

void MainWindow::onHelpContents()
{
    // The guide in the language the user chose in the application, else in
    // the system's, else in English.
    QStringList lstCodes;
    const QString strChosen = ILanguageManager::getInstance().getSaveLangId();
    if (!strChosen.isEmpty())
        lstCodes << languageCode(strChosen);
    lstCodes << languageCode(QLocale::system().name());
    lstCodes.removeDuplicates();
    const QDir appDir(QCoreApplication::applicationDirPath());

    QFileInfo helpFile;
    for (const QString &strCode : qAsConst(lstCodes)) {
        helpFile = QFileInfo(appDir, QStringLiteral("zelto_help_%1.pdf").arg(strCode));
        if (helpFile.exists())
            break;
        qInfo("Localized help file not found: %s", qUtf8Printable(helpFile.absoluteFilePath()));
    }
    if (!helpFile.exists()) {
        helpFile = QFileInfo(appDir, QStringLiteral("zelto_help_en.pdf"));
        qInfo("Trying to open English help file instead: %s", qUtf8Printable(helpFile.absoluteFilePath()));
    }

    if (!helpFile.exists()) {
        qInfo("Help file not found: %s", qUtf8Printable(helpFile.absoluteFilePath()));
        showHelpMessage(tr("Help document is missing."));
        return;
    }
    const QString strPath = helpFile.absoluteFilePath();
    const auto failed = [this, strPath]() {
        qInfo("Failed to open help file: %s", qUtf8Printable(strPath));
        // Most often no program for PDF files is installed: say where the
        // guide is, so the user can open it some other way.
        showHelpMessage(tr("Could not open help file.\n\nThe user guide is the PDF file\n%1\n\nInstall a program "
                           "that shows PDF files, or open the file with a web browser.")
                            .arg(QDir::toNativeSeparators(strPath)));
    };
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // QDesktopServices hands the file to xdg-open and answers true once it
    // started; that xdg-open found no viewer shows only in its exit status,
    // later. So it runs here, where its end is heard.
    auto *pOpener = new QProcess(this);
    pOpener->setStandardOutputFile(QProcess::nullDevice());
    pOpener->setStandardErrorFile(QProcess::nullDevice());
    connect(pOpener, &QProcess::errorOccurred, this, [pOpener, strPath, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        pOpener->deleteLater();
        // Without xdg-open the desktop's own way may still know a viewer.
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(strPath)))
            failed();
    });
    connect(pOpener, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [pOpener, failed](int nExitCode, QProcess::ExitStatus status) {
                pOpener->deleteLater();
                if (status != QProcess::NormalExit || nExitCode != 0)
                    failed();
            });
    pOpener->start(QStringLiteral("xdg-open"), {strPath});
#else
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(strPath)))
        failed();
#endif
}

void MainWindow::showHelpMessage(const QString &strMessage)
{
    QMessageBox box;
    box.setText(strMessage);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}
