#include "core/documents/documentfilewatcher.h"

#include "core/core_global.h"
#include "core/documents/idocument.h"
#include "core/icore.h"
#include "core/iui.h"
#include "core/mainwindow.h"
#include "extensionsystem/platform.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPointer>
#include <QUndoStack>

Q_LOGGING_CATEGORY(lcFileWatcher, "zelto.core.documents")

DocumentFileWatcher::DocumentFileWatcher(QObject *parent)
    : QObject(parent)
{
    m_watcher.setParent(this);
    m_settleTimer.setParent(this);
    m_settleTimer.setSingleShot(true);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DocumentFileWatcher::onFileChanged);
    connect(&m_settleTimer, &QTimer::timeout, this, &DocumentFileWatcher::checkPending);
}

DocumentFileWatcher::~DocumentFileWatcher() = default;

// The content's hash; "unreadable" for a file that is there but cannot be
// read, and nothing for a file that is not there. Only a regular file is
// read: a FIFO put in its place would block the application for good. A file
// beyond s_nMaxHashedSize is known by its size and time of change instead:
// another program growing it to gigabytes must not stall the window while
// it is read through.
QByteArray DocumentFileWatcher::fingerprintOf(const QString &strPath)
{
    static const qint64 s_nMaxHashedSize = 64 * 1024 * 1024;
    QFile file(strPath);
    if (!file.exists())
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QString strError;
    if (ExtensionSystem::Platform::openRegularFile(&file, &strError) != ExtensionSystem::Platform::Opened)
        return QByteArrayLiteral("unreadable");
    if (file.size() > s_nMaxHashedSize) {
        const QFileInfo info(file);
        return QByteArrayLiteral("size ") + QByteArray::number(info.size()) + QByteArrayLiteral(" changed ")
            + QByteArray::number(info.lastModified().toMSecsSinceEpoch());
    }
    if (!hash.addData(&file))
        return QByteArrayLiteral("unreadable");
    return hash.result();
}

void DocumentFileWatcher::follow(const QString &strPath)
{
    // A file replaced by an atomic save is a new file: the watch on the old
    // one went with it and is made again.
    if (!strPath.isEmpty() && QFileInfo::exists(strPath) && !m_watcher.files().contains(strPath))
        m_watcher.addPath(strPath);
}

void DocumentFileWatcher::unfollow(const QString &strPath)
{
    for (const Watched &watched : qAsConst(m_hashDocuments)) {
        if (watched.strPath == strPath)
            return;   // another document still has it
    }
    if (m_watcher.files().contains(strPath))
        m_watcher.removePath(strPath);
}

void DocumentFileWatcher::addDocument(IDocument *pDocument)
{
    if (!pDocument || m_hashDocuments.contains(pDocument))
        return;
    Watched watched;
    watched.strPath = pDocument->getFileName();
    watched.fingerprint = fingerprintOf(watched.strPath);
    m_hashDocuments.insert(pDocument, watched);
    follow(watched.strPath);
}

void DocumentFileWatcher::removeDocument(IDocument *pDocument)
{
    const auto it = m_hashDocuments.find(pDocument);
    if (it == m_hashDocuments.end())
        return;
    const QString strPath = it->strPath;
    m_hashDocuments.erase(it);
    unfollow(strPath);
}

void DocumentFileWatcher::takeFileAsOwn(IDocument *pDocument)
{
    const auto it = m_hashDocuments.find(pDocument);
    if (it == m_hashDocuments.end())
        return;
    const QString strOldPath = it->strPath;
    it->strPath = pDocument->getFileName();
    it->fingerprint = fingerprintOf(it->strPath);
    it->bPending = false;
    const QString strNewPath = it->strPath;
    if (strOldPath != strNewPath)
        unfollow(strOldPath);
    follow(strNewPath);
}

void DocumentFileWatcher::onFileChanged(const QString &strPath)
{
    for (Watched &watched : m_hashDocuments) {
        if (watched.strPath == strPath)
            watched.bPending = true;
    }
    follow(strPath);
    // Programs write in steps (truncate, write, rename): the file is looked
    // at once it stayed quiet for a moment.
    m_settleTimer.start(s_nSettleMs);
}

bool DocumentFileWatcher::mayAskNow() const
{
    // A question over another dialog, or one that closes an open menu,
    // would take the user by surprise.
    return !m_bAsking && !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
}

void DocumentFileWatcher::checkPending()
{
    if (!mayAskNow()) {
        m_settleTimer.start(s_nRetryMs);
        return;
    }
    QList<QPointer<IDocument>> lstPending;
    for (auto it = m_hashDocuments.cbegin(); it != m_hashDocuments.cend(); ++it) {
        if (it->bPending)
            lstPending.append(it.key());
    }
    // A question runs an event loop: a document may close meanwhile.
    for (const QPointer<IDocument> &pDocument : qAsConst(lstPending)) {
        if (pDocument && m_hashDocuments.contains(pDocument))
            check(pDocument);
    }
}

void DocumentFileWatcher::check(IDocument *pDocument)
{
    Watched &watched = m_hashDocuments[pDocument];
    watched.bPending = false;
    follow(watched.strPath);
    const QByteArray fingerprint = fingerprintOf(watched.strPath);
    if (fingerprint == watched.fingerprint)
        return;
    // Taken as seen before asking: the same change never asks twice.
    watched.fingerprint = fingerprint;
    if (fingerprint.isEmpty())
        tellRemoved(pDocument);
    else
        askToReload(pDocument);
}

void DocumentFileWatcher::askToReload(IDocument *pDocument)
{
    const QString strFile = QDir::toNativeSeparators(pDocument->getFileName());
    qCInfo(lcFileWatcher, "%s was changed by another program.", qUtf8Printable(strFile));
    // Unsaved work is dropped only when the user says so explicitly.
    const bool bModified = pDocument->isModified();
    const QString strText =
        bModified ? tr("The file %1 has been changed on disk, and the project has unsaved changes.\n"
                       "Do you want to reload it and lose your changes?")
                        .arg(strFile)
                  : tr("The file %1 has been changed on disk. Do you want to reload it?").arg(strFile);
    const QPointer<IDocument> pGuard(pDocument);
    m_bAsking = true;
    const QMessageBox::StandardButton answer =
        IUi::question(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE), strText,
                      QMessageBox::Yes | QMessageBox::No, bModified ? QMessageBox::No : QMessageBox::Yes);
    m_bAsking = false;
    if (!pGuard || !m_hashDocuments.contains(pDocument))
        return;
    if (answer == QMessageBox::Yes && pDocument->reload())
        takeFileAsOwn(pDocument);
    else
        markModified(pDocument);   // what is open differs from the file
}

void DocumentFileWatcher::tellRemoved(IDocument *pDocument)
{
    const QString strFile = QDir::toNativeSeparators(pDocument->getFileName());
    qCInfo(lcFileWatcher, "%s was deleted or moved by another program.", qUtf8Printable(strFile));
    const QPointer<IDocument> pGuard(pDocument);
    m_bAsking = true;
    IUi::information(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                     tr("The file %1 has been deleted or moved by another program.\n"
                        "The project stays open and counts as changed: save it to write the file again.")
                         .arg(strFile),
                     QMessageBox::Ok, QMessageBox::Ok);
    m_bAsking = false;
    if (pGuard && m_hashDocuments.contains(pDocument))
        markModified(pDocument);
}

void DocumentFileWatcher::markModified(IDocument *pDocument)
{
    // An undo stack that can never become clean again: Save stays enabled
    // and closing asks about the changes.
    if (QUndoStack *pStack = pDocument->getUndoStack())
        pStack->resetClean();
}
