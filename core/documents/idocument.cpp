#include "core/documents/idocument.h"
#include "core/documents/idocument_p.h"

#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "core/iui.h"
#include "core/mainwindow.h"

#include <QFileInfo>
#include <QUndoStack>

IDocument::IDocument(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<IDocumentPrivate>())
{
}

IDocument::~IDocument() = default;

bool IDocument::isModified() const
{
    // A document without a stack yet has no edits of its own to lose.
    const bool bClean = !m_pUndoStack || m_pUndoStack->isClean();
    return !bClean || isTempDocument();
}

void IDocument::submitCommand(QUndoCommand *)
{
}

bool IDocument::isTempDocument() const
{
    return m_bIsTempDocument;
}

QString IDocument::getFileName()
{
    return m_strFileName;
}

void IDocument::setFileName(const QString &strFileName)
{
    m_strFileName = strFileName;
}

QUndoStack *IDocument::getUndoStack()
{
    return m_pUndoStack;
}

void IDocument::setIsTempDocument(bool bIsTempDocument)
{
    m_bIsTempDocument = bIsTempDocument;
}

bool IDocument::isOpenAsBackup() const
{
    return m_bOpenAsBackup;
}

void IDocument::setOpenAsBackup(bool bOpenAsBackup)
{
    m_bOpenAsBackup = bOpenAsBackup;
}

bool IDocument::open()
{
    emit aboutToOpen();
    return true;
}

bool IDocument::close()
{
    const CloseAnswer answer = askToSave();
    if (answer == Cancelled)
        return false;
    closeAnswered(answer);
    return true;
}

IDocument::CloseAnswer IDocument::askToSave()
{
    if (!isModified())
        return NothingToSave;
    const QString strBaseName = QFileInfo(m_strFileName).completeBaseName();
    QWidget *pParent = ICore::getMainWindow();
    const QMessageBox::StandardButton answer =
        IUi::question(pParent, QStringLiteral(ZELTO_APP_TITLE), tr("Save changes made to %1?").arg(strBaseName),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        if (isTempDocument()) {
            const QString strOldFileName = m_strFileName;
            if (!saveAs())
                return Cancelled;   // the save-as dialog is where the user saw why
            IRecentFilesManager::getInstance()->removeFile(strOldFileName);
            IRecentFilesManager::getInstance()->addFile(m_strFileName);
        } else {
            d->m_bSaveDeclined = false;
            const bool bSaved = save();
            const bool bReported = d->m_bSaveDeclined;
            d->m_bSaveDeclined = false;
            if (!bSaved) {
                // A No to a question of save() is the user's choice, not a
                // failure; a failure save() reported itself needs no second box.
                if (!bReported)
                    IUi::information(pParent, QStringLiteral(ZELTO_APP_TITLE),
                                     tr("Could not save project %1.").arg(strBaseName), QMessageBox::Ok,
                                     QMessageBox::Ok);
                return Cancelled;
            }
        }
        return Saved;
    case QMessageBox::No:
        return Discarded;
    default:
        return Cancelled;
    }
}

void IDocument::closeAnswered(CloseAnswer answer)
{
    if (answer == Cancelled)
        return;
    // A temporary project the user chose not to keep must not stay in the
    // recent list pointing at a folder that is about to go. Only now: a quit
    // cancelled at another project's question leaves it open and listed.
    if (answer == Discarded && isTempDocument())
        IRecentFilesManager::getInstance()->removeFile(m_strFileName);
    emit aboutToClose();
}

void IDocument::setSaveDeclined()
{
    d->m_bSaveDeclined = true;
}

void IDocument::setSaveFailureReported()
{
    d->m_bSaveDeclined = true;
}

bool IDocument::save()
{
    return false;
}

bool IDocument::save(const QString &)
{
    return false;
}

bool IDocument::saveAs()
{
    return false;
}

bool IDocument::revert()
{
    return false;
}

void IDocument::cleanTempDir()
{
}

bool IDocument::saveBackup()
{
    return false;
}

bool IDocument::reload()
{
    return false;
}
