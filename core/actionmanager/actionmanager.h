#pragma once

#include "core/core_global.h"

#include <QList>
#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QAction;
class QSettings;
class QWidget;
QT_END_NAMESPACE

class ActionContainer;
class ContextAction;
class MainWindow;

// The process-wide registry of commands and menu containers, keyed by
// identifier. It routes every command to the current context and keeps the
// user's shortcuts in the settings group "Shortcuts".
class CORE_EXPORT ActionManager : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    ~ActionManager() override;

    static ActionManager *getInstance();
    static void initialize();
    static void setSettings(QSettings *settings);

    static ContextAction *registerAction(QAction *action, const QString &id, QWidget *context,
                                         bool scriptable = false);
    static void unregisterAction(QAction *action, const QString &id,
                                 const QString &context = QString());
    static ContextAction *getAction(const QString &id);
    static QList<ContextAction *> getActions();

    static ActionContainer *getActionContainer(const QString &id);
    static ActionContainer *createMenuContainer(const QString &title, const QString &id);
    static ActionContainer *createMenuBarContainer(const QString &id);

    static void setContext(QWidget *widget);

    static void readFromSettings();
    static void saveSettings();
    static void resetToDefault();

signals:
    void commandListChanged();
    void commandAdded(const QString &strId);

private:
    ActionManager();
    static void applySavedShortcut(QSettings *settings, ContextAction *command);
};
