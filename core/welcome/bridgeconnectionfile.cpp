#include "core/welcome/bridgeconnectionfile.h"

#include "core/welcome/welcomelogging_p.h"
#include "extensionsystem/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const char kFolderName[] = "zelto-rideved";
const QFileDevice::Permissions kPrivateFolder = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                | QFileDevice::ExeOwner | QFileDevice::ReadUser
                                                | QFileDevice::WriteUser | QFileDevice::ExeUser;
const QFileDevice::Permissions kPrivateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ReadUser | QFileDevice::WriteUser;

// The subfolder of the runtime folder, made private; empty when that fails.
// The runtime folder itself is checked by Qt (this user's, mode 0700).
QString privateFolder()
{
    const QString strRuntime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (strRuntime.isEmpty())
        return QString();
    QDir runtime(strRuntime);
    const QString strFolder = runtime.absoluteFilePath(QLatin1String(kFolderName));
    if (!QFileInfo(strFolder).exists())
        runtime.mkdir(QLatin1String(kFolderName));
    // Only a real folder of this user is written into, never one a link
    // points to; setting the mode fails for a folder of another user.
    const QFileInfo folder(strFolder);
    if (folder.isSymLink() || !folder.isDir() || folder.ownerId() != QFileInfo(strRuntime).ownerId()
        || !QFile::setPermissions(strFolder, kPrivateFolder))
        return QString();
    return strFolder;
}

// Removes the files that instances which are no longer running (killed,
// crashed) left behind. Only this user's regular files of the file's own
// name pattern are touched; anything else in the folder stays.
void removeStaleFiles(const QString &strFolder)
{
    static const QRegularExpression s_name(QStringLiteral("^bridge-([1-9][0-9]{0,9})\\.json$"));
    const QDir folder(strFolder);
    const uint nOwner = QFileInfo(strFolder).ownerId();
    const QFileInfoList lstEntries = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : lstEntries) {
        const QRegularExpressionMatch match = s_name.match(entry.fileName());
        if (!match.hasMatch() || entry.isSymLink() || !entry.isFile() || entry.ownerId() != nOwner)
            continue;
        const qint64 nPid = match.captured(1).toLongLong();
        if (nPid == QCoreApplication::applicationPid() || ExtensionSystem::Platform::isProcessRunning(nPid))
            continue;
        if (QFile::remove(entry.absoluteFilePath()))
            qCInfo(lcWelcome, "Removed the connection file of a bridge that no longer runs: %s",
                   qUtf8Printable(entry.fileName()));
    }
}

} // namespace

BridgeConnectionFile::~BridgeConnectionFile()
{
    remove();
}

bool BridgeConnectionFile::write(quint16 nPort, const QString &strToken)
{
    remove();
    const QString strFolder = privateFolder();
    if (strFolder.isEmpty()) {
        qCWarning(lcWelcome, "No private runtime folder; the bridge's connection file is not written.");
        return false;
    }
    removeStaleFiles(strFolder);
    const QString strPath = QDir(strFolder).absoluteFilePath(
        QStringLiteral("bridge-%1.json").arg(QCoreApplication::applicationPid()));
    QSaveFile file(strPath);
    const QJsonObject content{ { QStringLiteral("port"), int(nPort) }, { QStringLiteral("token"), strToken } };
    // The mode is set before anything is written, on the temporary file that
    // replaces the old one in one step.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(kPrivateFile)
        || file.write(QJsonDocument(content).toJson(QJsonDocument::Compact)) < 0 || !file.commit()) {
        qCWarning(lcWelcome, "Cannot write the bridge's connection file %s: %s", qUtf8Printable(strPath),
                  qUtf8Printable(file.errorString()));
        return false;
    }
    m_strPath = strPath;
    return true;
}

void BridgeConnectionFile::remove()
{
    if (m_strPath.isEmpty())
        return;
    QFile::remove(m_strPath);
    m_strPath.clear();
}
