#pragma once

#include "core/core_global.h"

#include <QObject>
#include <QSettings>

class MainWindow;

// The access point through which other plug-ins reach the application's
// settings and its main window. The main window creates the one instance and
// destroys it; outside that lifetime the static getters answer null.
class CORE_EXPORT ICore : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    ~ICore() override;

    static ICore *getInstance();
    static MainWindow *getMainWindow();
    static QSettings *settings(QSettings::Scope scope = QSettings::UserScope);

public slots:
    static void saveSettings();

signals:
    void aboutToSaveSettings();

private:
    explicit ICore(MainWindow *mainWindow);
};
