#include "scenedocument.h"

#include "projectfile.h"
#include "sceneeditcommand.h"
#include "scenesettings.h"

#include "core/core_global.h"
#include "core/icore.h"
#include "core/iui.h"
#include "core/mainwindow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTime>
#include <QUndoStack>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

Q_LOGGING_CATEGORY(lcSceneDocument, "zelto.scene.document")

namespace {

const char s_backupSuffix[] = ".backup";
// Room for the temporary name a backup is first written under
// (".<name>.<up to seven letters and digits>").
const int s_nTemporaryNameRoom = 9;
// How much of the project's name a backup in the data folder keeps, so a user
// looking there can tell the backups apart.
const int s_nReadableNameLength = 40;

// The longest file name the folder's file system takes.
int maxNameLength(const QString &strFolder)
{
#ifdef Q_OS_UNIX
    errno = 0;
    const long nMax = ::pathconf(QFile::encodeName(strFolder).constData(), _PC_NAME_MAX);
    if (nMax > 0)
        return int(qMin<long>(nMax, 4096));
#else
    Q_UNUSED(strFolder)
#endif
    return 255;
}

// Whether a file named strFile, and its temporary twin, fit the file system.
bool nameFits(const QString &strFile)
{
    const QFileInfo info(strFile);
    return QFile::encodeName(info.fileName()).size() + s_nTemporaryNameRoom <= maxNameLength(info.absolutePath());
}

// The backup of a project whose own name leaves no room for the suffix: in
// a folder of the user's data, under a name that stands for the project's
// path (a hash of it) with the start of the project's name to read.
QString dataFolderBackupName(const QString &strProject)
{
    const QFileInfo info(strProject);
    const QString strCanonical = info.canonicalFilePath();
    const QString strKey = strCanonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : strCanonical;
    const QByteArray hash = QCryptographicHash::hash(strKey.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    QString strReadable = info.completeBaseName().left(s_nReadableNameLength);
    for (QChar &c : strReadable) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    }
    return SceneDocument::backupFolder() + QLatin1Char('/') + QString::fromLatin1(hash) + QLatin1Char('-')
           + strReadable + QLatin1String(s_backupSuffix);
}

QWidget *mainWindow()
{
    return ICore::getMainWindow();
}

} // namespace

SceneDocument::SceneDocument(QObject *parent)
    : IDocument(parent)
{
    m_pUndoStack = new QUndoStack(this);
    connect(m_pUndoStack, &QUndoStack::cleanChanged, this, [this](bool bClean) {
        emit modifyChanged(!bClean || isTempDocument());
        emit titleChanged();
    });
    connect(this, &IDocument::aboutToOpen, this, &SceneDocument::onOpened);
    connect(this, &IDocument::aboutToClose, this, &SceneDocument::onClosing);
}

SceneDocument::~SceneDocument() = default;

bool SceneDocument::initNewDocument(int value1, int value2, int value3, bool option)
{
    if (value1 < SceneProject::s_nMinStageSize || value1 > SceneProject::s_nMaxStageSize
        || value2 < SceneProject::s_nMinStageSize || value2 > SceneProject::s_nMaxStageSize
        || value3 < SceneProject::s_nMinFps || value3 > SceneProject::s_nMaxFps)
        return false;
    m_project = SceneProject();
    m_project.m_nWidth = value1;
    m_project.m_nHeight = value2;
    m_project.m_nFps = value3;
    m_project.m_bResponsive = option;
    m_nFileFormat = SceneProject::s_nFormatVersion;
    m_pUndoStack->clear();
    emit dataChanged(nullptr);
    return true;
}

void SceneDocument::submitCommand(QUndoCommand *pCommand)
{
    if (pCommand)
        m_pUndoStack->push(pCommand);
}

void SceneDocument::changeProject(const QString &strText, const SceneProject &project)
{
    if (project.m_lstScenes == m_project.m_lstScenes && project.m_bLoop == m_project.m_bLoop
        && project.m_mapImages == m_project.m_mapImages)
        return;
    submitCommand(new SceneEditCommand(this, strText, m_project, project));
}

void SceneDocument::changeItems(const QString &strText, int nScene, const QList<SceneItem> &lstItems)
{
    if (nScene < 0 || nScene >= m_project.m_lstScenes.size())
        return;
    SceneProject project = m_project;
    project.m_lstScenes[nScene].lstItems = lstItems;
    changeProject(strText, project);
}

void SceneDocument::setProject(const SceneProject &project)
{
    m_project = project;
    emit dataChanged(nullptr);
}

QString SceneDocument::addImage(const QByteArray &data, const QString &strSuffix)
{
    return m_project.addImage(data, strSuffix);
}

QString SceneDocument::getBackupFileName() const
{
    if (m_strFileName.isEmpty())
        return QString();
    // Beside the project first; a name too long for that goes to the user's data folder.
    const QString strBeside = m_strFileName + QLatin1String(s_backupSuffix);
    return nameFits(strBeside) ? strBeside : dataFolderBackupName(m_strFileName);
}

QString SceneDocument::backupFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

QString SceneDocument::getTitle() const
{
    return QFileInfo(m_strFileName).completeBaseName();
}

bool SceneDocument::loadFrom(const QString &strFile, QString *pError)
{
    SceneProject project;
    int nFormat = SceneProject::s_nFormatVersion;
    QStringList lstRefused;
    if (!project.load(strFile, pError, &nFormat, &lstRefused))
        return false;
    if (!lstRefused.isEmpty())
        warnRefusedImages(lstRefused);
    m_project = project;
    if (strFile == m_strFileName) {
        m_nFileFormat = nFormat;
    } else {
        // Restored from the backup: what counts is the format of the project file.
        SceneProject saved;
        QString strIgnored;
        m_nFileFormat = saved.load(m_strFileName, &strIgnored, &nFormat) ? nFormat : SceneProject::s_nFormatVersion;
    }
    return true;
}

void SceneDocument::warnRefusedImages(const QStringList &lstRefused)
{
    qCWarning(lcSceneDocument, "Left out images of %s: %s", qUtf8Printable(QDir::toNativeSeparators(m_strFileName)),
              qUtf8Printable(lstRefused.join(QLatin1String("; ")).left(200)));
    // A long list is cut: the first ones say what went wrong.
    const int nShown = 10;
    QString strList = QStringList(lstRefused.mid(0, nShown)).join(QLatin1Char('\n'));
    if (lstRefused.size() > nShown)
        strList += QLatin1Char('\n') + tr("and %n more", nullptr, lstRefused.size() - nShown);
    IUi::warning(mainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                 tr("These images of %1 were not opened and show as missing:\n\n%2").arg(getTitle(), strList),
                 QMessageBox::Ok, QMessageBox::Ok);
}

bool SceneDocument::mayReplaceReadOnly(const QString &strFile)
{
    if (!ProjectFile::isReadOnly(strFile))
        return true;
    const QMessageBox::StandardButton answer =
        IUi::question(mainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                      tr("%1 is read-only.\n\nSave over it anyway? It stays read-only.")
                          .arg(QDir::toNativeSeparators(strFile)),
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes || declineSave(strFile);
}

bool SceneDocument::mayUpgrade(const QString &strFile)
{
    if (m_nFileFormat >= SceneProject::s_nFormatVersion || QFileInfo(strFile) != QFileInfo(m_strFileName)
        || !QFileInfo::exists(strFile))
        return true;
    const QMessageBox::StandardButton answer = IUi::question(
        mainWindow(), QStringLiteral(ZELTO_APP_TITLE),
        tr("%1 was saved by an older version of Zelto Rideved (project format %2). Saving it now writes project "
           "format %3, which older versions cannot open.\n\nSave it in the new format?")
            .arg(getTitle())
            .arg(m_nFileFormat)
            .arg(SceneProject::s_nFormatVersion),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes || declineSave(strFile);
}

bool SceneDocument::declineSave(const QString &strFile)
{
    emit statusChanged(tr("%1 was not saved; the file is unchanged.").arg(QFileInfo(strFile).completeBaseName()));
    setSaveDeclined();
    return false;
}

bool SceneDocument::open()
{
    const QFileInfo projectInfo(m_strFileName);
    const QFileInfo backupInfo(getBackupFileName());
    QString strError;

    // A backup not older than the project holds work that was never saved:
    // the application ended (or crashed) while the project was being edited.
    // Saving removes the backup, so a tie in the clock's resolution (a backup
    // written right after a save) still means unsaved work.
    // A link in the backup's place was not written by the application: its
    // target is nobody's backup of this project.
    bool bRestored = false;
    if (backupInfo.isSymLink())
        qCWarning(lcSceneDocument, "Ignoring %s: it is a link, not a backup.",
                  qUtf8Printable(QDir::toNativeSeparators(backupInfo.filePath())));
    else if (backupInfo.exists()
             && (!projectInfo.exists() || backupInfo.lastModified() >= projectInfo.lastModified())) {
        if (loadFrom(backupInfo.filePath(), &strError))
            bRestored = true;
        else
            qCWarning(lcSceneDocument, "Ignoring the unreadable backup %s: %s",
                      qUtf8Printable(QDir::toNativeSeparators(backupInfo.filePath())), qUtf8Printable(strError));
    }
    if (!bRestored && !loadFrom(m_strFileName, &strError)) {
        IUi::warning(mainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                     tr("Could not open the project %1.\n\n%2")
                         .arg(QDir::toNativeSeparators(m_strFileName), strError),
                     QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }

    m_pUndoStack->clear();
    setOpenAsBackup(bRestored);
    // Restored work differs from the file on disk: it counts as modified
    // until it is saved, and undo cannot bring the stack back to clean.
    if (bRestored)
        m_pUndoStack->resetClean();
    emit dataChanged(nullptr);
    m_strOpenedStatus = bRestored ? tr("Restored %1 from its automatic backup.").arg(getTitle())
                                  : tr("Opened %1.").arg(getTitle());
    return true;
}

bool SceneDocument::save()
{
    return save(m_strFileName);
}

bool SceneDocument::save(const QString &strFile)
{
    if (strFile.isEmpty() || !mayUpgrade(strFile) || !mayReplaceReadOnly(strFile))
        return false;
    QString strError;
    if (!m_project.save(strFile, &strError)) {
        IUi::warning(mainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                     tr("Could not save the project.\n\n%1").arg(strError), QMessageBox::Ok, QMessageBox::Ok);
        emit statusChanged(tr("Saving %1 failed.").arg(QFileInfo(strFile).completeBaseName()));
        setSaveFailureReported();   // the box above said why: one box is enough
        return false;
    }
    // Writing elsewhere is a copy; only the document's own file makes it clean.
    if (QFileInfo(strFile) == QFileInfo(m_strFileName)) {
        m_nFileFormat = SceneProject::s_nFormatVersion;
        m_pUndoStack->setClean();
        if (isOpenAsBackup()) {
            setOpenAsBackup(false);
            if (MainWindow *pMainWindow = ICore::getMainWindow())
                pMainWindow->hideNotification();
        }
        removeBackup();
        emit modifyChanged(false);
    }
    emit statusChanged(tr("Saved %1.").arg(QDir::toNativeSeparators(strFile)));
    return true;
}

bool SceneDocument::saveAs()
{
    const QString strFolder = m_strFileName.isEmpty() ? SceneSettings::lastFolder()
                                                      : QFileInfo(m_strFileName).absolutePath();
    const QString strProjects = tr("Zelto Rideved projects (*.zelto)");
    const QString strPacked = tr("Packed Zelto Rideved projects (*.zeltopack)");
    QFileDialog dialog(mainWindow(), tr("Save Project As"), strFolder, strProjects + QLatin1String(";;") + strPacked);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("zelto"));
    if (!m_strFileName.isEmpty())
        dialog.selectFile(QFileInfo(m_strFileName).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;

    QString strFile = dialog.selectedFiles().constFirst();
    const QString strSuffix = QFileInfo(strFile).suffix().toLower();
    if (strSuffix != QLatin1String("zelto") && strSuffix != QLatin1String("zeltopack"))
        strFile += dialog.selectedNameFilter() == strPacked ? QStringLiteral(".zeltopack") : QStringLiteral(".zelto");
    return saveAs(strFile);
}

bool SceneDocument::saveAs(const QString &strFile)
{
    if (!save(strFile))
        return false;
    removeBackup();   // the backup of the old name
    setFileName(strFile);
    m_nFileFormat = SceneProject::s_nFormatVersion;
    setIsTempDocument(false);
    m_pUndoStack->setClean();
    setOpenAsBackup(false);
    SceneSettings::setLastFolder(QFileInfo(strFile).absolutePath());
    emit modifyChanged(false);
    emit titleChanged();
    return true;
}

bool SceneDocument::revert()
{
    // Offered by the notification of a restored backup, which goes with it.
    if (!readAgain(tr("Reverted %1 to the saved project.").arg(getTitle())))
        return false;
    if (MainWindow *pMainWindow = ICore::getMainWindow())
        pMainWindow->hideNotification();
    return true;
}

bool SceneDocument::reload()
{
    const bool bRestored = isOpenAsBackup();
    if (!readAgain(tr("Reloaded %1 from disk.").arg(getTitle())))
        return false;
    if (bRestored) {
        if (MainWindow *pMainWindow = ICore::getMainWindow())
            pMainWindow->hideNotification();
    }
    return true;
}

bool SceneDocument::readAgain(const QString &strStatus)
{
    QString strError;
    if (!loadFrom(m_strFileName, &strError)) {
        IUi::warning(mainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                     tr("Could not open the project %1.\n\n%2").arg(QDir::toNativeSeparators(m_strFileName), strError),
                     QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    m_pUndoStack->clear();
    m_pUndoStack->setClean();
    // The user chose the project on disk over unsaved work and its backup.
    setOpenAsBackup(false);
    removeBackup();
    emit dataChanged(nullptr);
    emit modifyChanged(false);
    emit statusChanged(strStatus);
    return true;
}

void SceneDocument::cleanTempDir()
{
    removeBackup();
}

bool SceneDocument::saveBackup()
{
    const QString strBackup = getBackupFileName();
    if (strBackup.isEmpty())
        return false;
    // Nothing unsaved: a backup would only be taken for lost work next time.
    if (!isModified()) {
        removeBackup();
        return true;
    }
    // The backup's name is ours, but the folder is the user's and perhaps
    // others': never written through a link there.
    QString strError;
    QByteArray pack;
    if (!prepareBackupFolder(strBackup, &strError) || (pack = m_project.toPack(&strError)).isEmpty()
        || !ProjectFile::writeOwn(strBackup, pack, &strError)) {
        // Said once, where it is seen: a failure that repeats at every
        // interval says nothing new until a backup succeeded again.
        if (!m_bBackupFailureReported) {
            m_bBackupFailureReported = true;
            qCWarning(lcSceneDocument, "Could not write the backup %s: %s",
                      qUtf8Printable(QDir::toNativeSeparators(strBackup)), qUtf8Printable(strError));
            emit statusChanged(tr("The automatic backup failed: %1").arg(strError));
            // The bar has one line: a long name is cut in the middle, so the reason still shows.
            QString strTitle = getTitle();
            if (strTitle.size() > s_nReadableNameLength)
                strTitle = strTitle.left(s_nReadableNameLength / 2) + QChar(0x2026)
                           + strTitle.right(s_nReadableNameLength / 2 - 1);
            if (MainWindow *pMainWindow = ICore::getMainWindow())
                pMainWindow->showNotification(tr("The automatic backup of %1 failed: %2").arg(strTitle, strError),
                                              ZTNotificationBar::Warning, QString(), true);
        }
        return false;
    }
    m_bBackupFailureReported = false;
    emit statusChanged(tr("Backup of %1 saved at %2.")
                           .arg(getTitle(), QLocale().toString(QTime::currentTime(), QLocale::ShortFormat)));
    return true;
}

bool SceneDocument::prepareBackupFolder(const QString &strBackup, QString *pError) const
{
    // Only the data folder's backups need a folder made; it holds the user's
    // work, so nobody else may read it.
    const QString strFolder = backupFolder();
    if (QFileInfo(strBackup).absolutePath() != QFileInfo(strFolder).absoluteFilePath() || QFileInfo(strFolder).isDir())
        return true;
    if (!QDir().mkpath(strFolder)
        || !QFile::setPermissions(strFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
        *pError = tr("Could not create the folder %1.").arg(QDir::toNativeSeparators(strFolder));
        return false;
    }
    return true;
}

void SceneDocument::removeBackup()
{
    const QString strBackup = getBackupFileName();
    if (!strBackup.isEmpty() && QFile::exists(strBackup) && !QFile::remove(strBackup))
        qCWarning(lcSceneDocument, "Could not remove the backup %s",
                  qUtf8Printable(QDir::toNativeSeparators(strBackup)));
}

void SceneDocument::onOpened()
{
    if (!m_strOpenedStatus.isEmpty()) {
        emit statusChanged(m_strOpenedStatus);
        m_strOpenedStatus.clear();
    }
    if (isOpenAsBackup())
        showRestoredNotification();
}

void SceneDocument::onClosing()
{
    // Closing is the user's decision about unsaved work, either way.
    removeBackup();
    if (isOpenAsBackup()) {
        if (MainWindow *pMainWindow = ICore::getMainWindow())
            pMainWindow->hideNotification();
    }
}

void SceneDocument::showRestoredNotification()
{
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (!pMainWindow)
        return;
    //! [notification-button]
    pMainWindow->showNotification(
        tr("%1 was restored from its automatic backup with changes that were not saved.").arg(getTitle()),
        ZTNotificationBar::Information, tr("Revert to Saved"), true);
    // show() dropped every earlier receiver, so connect only now.
    if (ZTNotificationBar *pBar = pMainWindow->getNotificationBar())
        connect(pBar, &ZTNotificationBar::buttonClicked, this, [this]() { revert(); });
    //! [notification-button]
}
