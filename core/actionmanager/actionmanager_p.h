#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QVector>

QT_BEGIN_NAMESPACE
class QSettings;
class QWidget;
QT_END_NAMESPACE

class ActionContainer;
class ContextAction;

// The action manager's state. A QObject of its own so that it can hear the
// containers' destroyed() signals.
class ActionManagerPrivate : public QObject
{
    Q_OBJECT

public:
    ActionManagerPrivate();

    // Neither map owns its values: commands are deleted by unregisterAction,
    // containers by whoever deletes them.
    QMap<QString, ContextAction *> m_mapActions;
    // The same commands in the order they were registered, which is about the
    // order their objects lie in memory. A context switch visits every
    // command; walking the map instead jumps through the heap in the order of
    // the identifiers and, with thousands of commands, waits on memory at
    // nearly every step.
    QVector<ContextAction *> m_lstCommands;
    QMap<QString, ActionContainer *> m_mapContainers;
    QWidget *m_pContext = nullptr;    // not owned
    QSettings *m_pSettings = nullptr; // not owned

public slots:
    void containerDestroyed();
};
