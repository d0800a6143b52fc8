#pragma once

#include "core/core_global.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class Updater;

// The one place through which the application drives update checks: a
// registry of appcast URLs, each with its own Updater holding that URL's
// settings and results. Every operation takes the URL first and registers it
// on first use.
class CORE_EXPORT QSimpleUpdater : public QObject
{
    Q_OBJECT

signals:
    void checkingFinished(const QString &url);
    void appcastDownloaded(const QString &url, const QByteArray &data);
    void downloadFinished(const QString &url, const QString &filepath);

public:
    QSimpleUpdater();
    ~QSimpleUpdater() override;

    static QSimpleUpdater *getInstance();

    bool usesCustomAppcast(const QString &url) const;
    bool getNotifyOnUpdate(const QString &url) const;
    bool getNotifyOnFinish(const QString &url) const;
    bool getUpdateAvailable(const QString &url) const;
    bool getDownloaderEnabled(const QString &url) const;
    bool usesCustomInstallProcedures(const QString &url) const;

    QString getOpenUrl(const QString &url) const;
    QString getChangelog(const QString &url) const;
    QString getModuleName(const QString &url) const;
    QString getDownloadUrl(const QString &url) const;
    QString getPlatformKey(const QString &url) const;
    QString getLatestVersion(const QString &url) const;
    QString getModuleVersion(const QString &url) const;
    QString getUserAgentString(const QString &url) const;

public slots:
    void checkForUpdates(const QString &url, bool bSilentIfNoUpdate);
    void setModuleName(const QString &url, const QString &name);
    void setNotifyOnUpdate(const QString &url, bool notify);
    void setNotifyOnFinish(const QString &url, bool notify);
    void setPlatformKey(const QString &url, const QString &platform);
    void setModuleVersion(const QString &url, const QString &version);
    void setDownloaderEnabled(const QString &url, bool enabled);
    void setUserAgentString(const QString &url, const QString &agent);
    void setUseCustomAppcast(const QString &url, bool customAppcast);
    void setUseCustomInstallProcedures(const QString &url, bool custom);

private:
    Updater *getUpdater(const QString &url) const;
};
