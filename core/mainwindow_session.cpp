// MainWindow: the session, what was open at the last quit and where the
// window was, so the next start can come back to it.
#include "core/mainwindow.h"
#include "core/mainwindow_p.h"

#include "core/documents/editormanager.h"
#include "core/documents/idocument.h"
#include "core/documents/ieditor.h"
#include "core/icore.h"
#include "core/iui.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>

Q_LOGGING_CATEGORY(lcSession, "zelto.core.session")

namespace {

const char s_projectsKey[] = "Zelto/SessionProjects";
const char s_currentKey[] = "Zelto/SessionCurrentProject";
const char s_geometryKey[] = "Zelto/WindowGeometry";
const char s_stateKey[] = "Zelto/WindowState";
// Kept apart from the geometry, which knows only Qt's state: a maximised
// window made a pixel shorter for an auto-hidden taskbar is no longer
// maximised to Qt, but is to the user.
const char s_maximizedKey[] = "Zelto/WindowMaximized";
// Written by a restart the application asks for, read and removed by the
// next start: that start reopens the session whatever the preferences say.
const char s_reopenOnceKey[] = "Zelto/ReopenSessionOnce";

// The settings file is the user's to edit: a start reopens at most this many
// projects.
const int s_nMaxSessionProjects = 32;

} // namespace

void MainWindow::saveSession()
{
    QSettings *pSettings = ICore::settings();
    if (!pSettings)
        return;
    // Editors in the order they were opened, which is the order of the tabs;
    // a project never saved under a name of its own has nothing to reopen.
    QStringList lstProjects;
    for (IEditor *pEditor : EditorManager::getEditors()) {
        IDocument *pDocument = pEditor->getDocument();
        // A name given relative to the folder zelto was started in must
        // still lead to the project from elsewhere.
        const QString strFile =
            pDocument && !pDocument->isTempDocument() ? QFileInfo(pDocument->getFileName()).absoluteFilePath() : QString();
        if (!strFile.isEmpty() && !lstProjects.contains(strFile))
            lstProjects << strFile;
    }
    IEditor *pActive = EditorManager::activeEditor();
    IDocument *pCurrent = pActive ? pActive->getDocument() : nullptr;
    pSettings->setValue(QLatin1String(s_projectsKey), lstProjects);
    pSettings->setValue(QLatin1String(s_currentKey), pCurrent && !pCurrent->isTempDocument()
                                                         ? QFileInfo(pCurrent->getFileName()).absoluteFilePath()
                                                         : QString());
    pSettings->setValue(QLatin1String(s_geometryKey), saveGeometry());
    pSettings->setValue(QLatin1String(s_stateKey), saveState());
    pSettings->setValue(QLatin1String(s_maximizedKey),
                        bool(windowState() & Qt::WindowMaximized) || d->m_bShrunkWhileMaximized);
    pSettings->sync();
    d->m_bSessionSaved = true;
}

bool MainWindow::restoreWindowGeometry()
{
    QSettings *pSettings = ICore::settings();
    if (!pSettings)
        return false;
    // restoreGeometry() checks what it reads and keeps the window on a screen
    // that exists now; it also brings back the maximised state.
    if (!restoreGeometry(pSettings->value(QLatin1String(s_geometryKey)).toByteArray()))
        return false;
    restoreState(pSettings->value(QLatin1String(s_stateKey)).toByteArray());
    if (pSettings->value(QLatin1String(s_maximizedKey)).toBool())
        setWindowState(windowState() | Qt::WindowMaximized);
    return true;
}

bool MainWindow::reopenLastSession()
{
    QSettings *pSettings = ICore::settings();
    if (!pSettings)
        return false;
    const bool bAskedByRestart = pSettings->value(QLatin1String(s_reopenOnceKey)).toBool();
    if (pSettings->contains(QLatin1String(s_reopenOnceKey))) {
        pSettings->remove(QLatin1String(s_reopenOnceKey));
        pSettings->sync();
    }
    if (!bAskedByRestart && ICore::startupAction() != ICore::ReopenLastSession)
        return false;

    const QStringList lstProjects =
        pSettings->value(QLatin1String(s_projectsKey)).toStringList().mid(0, s_nMaxSessionProjects);
    const QString strCurrent = pSettings->value(QLatin1String(s_currentKey)).toString();
    QStringList lstMissing;
    for (const QString &strProject : lstProjects) {
        if (strProject.isEmpty())
            continue;
        if (!QFileInfo(strProject).isFile()) {
            lstMissing << strProject;
            continue;
        }
        // A project with a newer backup is restored by its document, as when
        // the user opens it; one that cannot be read says why itself.
        if (loadFile(strProject))
            qCInfo(lcSession, "Reopened %s from the last session.",
                   qUtf8Printable(QDir::toNativeSeparators(strProject)));
    }
    // The project that was in front comes to the front again.
    const QString strCanonical = QFileInfo(strCurrent).canonicalFilePath();
    for (IEditor *pEditor : EditorManager::getEditors()) {
        IDocument *pDocument = pEditor->getDocument();
        if (!strCanonical.isEmpty() && pDocument
            && QFileInfo(pDocument->getFileName()).canonicalFilePath() == strCanonical) {
            EditorManager::activateEditor(pEditor);
            break;
        }
    }

    if (lstMissing.isEmpty())
        return bAskedByRestart;
    for (const QString &strProject : qAsConst(lstMissing))
        qCWarning(lcSession, "Could not reopen %s: it no longer exists.",
                  qUtf8Printable(MainWindowPrivate::listedName(strProject)));
    QStringList lstLines;
    lstLines << tr("These projects of the last session no longer exist and were not reopened:") << QString();
    for (int i = 0; i < qMin(lstMissing.size(), MainWindowPrivate::s_nMaxListedFiles); ++i)
        lstLines << MainWindowPrivate::listedName(lstMissing.at(i));
    if (lstMissing.size() > MainWindowPrivate::s_nMaxListedFiles)
        lstLines << tr("and %1 more").arg(lstMissing.size() - MainWindowPrivate::s_nMaxListedFiles);
    IUi::information(this, QStringLiteral(ZELTO_APP_TITLE), lstLines.join(QLatin1Char('\n')), QMessageBox::Ok,
                     QMessageBox::Ok);
    return bAskedByRestart;
}

void MainWindow::reopenSessionAtNextStart()
{
    if (QSettings *pSettings = ICore::settings()) {
        pSettings->setValue(QLatin1String(s_reopenOnceKey), true);
        pSettings->sync();
    }
}
