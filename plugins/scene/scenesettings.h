#pragma once

#include <QObject>
#include <QString>

// The scene plug-in's own settings, kept in the group "Designer" of the
// application's settings. That the group exists tells the main window that
// the application was set up before, so it is written at every settings save.
class SceneSettings : public QObject
{
    Q_OBJECT

public:
    static SceneSettings *instance();

    static QString lastFolder();
    static void setLastFolder(const QString &strFolder);
    static QString updateUrl();
    static void setUpdateUrl(const QString &strUrl);
    // Seconds between automatic update checks: 0 (off, the default), a day
    // or a week.
    static int updateCheckInterval();
    static void setUpdateCheckInterval(int nSeconds);
    static bool showBreakpoints();
    static void setShowBreakpoints(bool bShow);
    // Whether editors show their undo history dock (default true).
    static bool showUndoHistory();
    static void setShowUndoHistory(bool bShow);
    // Writes the group, so the next start is not taken for the first one.
    static void save();

signals:
    // Something the editors draw (breakpoint guides) changed.
    void changed();
    // The update address or the automatic check interval changed.
    void updatesChanged();

private:
    SceneSettings() = default;
};
