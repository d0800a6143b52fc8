#pragma once

#include "core/core_global.h"

#include <QKeySequence>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class ActionManager;
class ProxyAction;

// One command of the application ("File.New"). Plug-ins contribute a QAction
// per context widget; the command's single visible action, a proxy, follows
// the action of the current context and falls back to the main window's.
// Only the action manager creates and destroys commands.
class CORE_EXPORT ContextAction : public QObject
{
    Q_OBJECT
    friend class ActionManager;

public:
    // Accepted for the plug-ins that pass them; no behaviour depends on them.
    enum ActionAttribute {
        Hide = 0x01,
        UpdateText = 0x02,
        UpdateIcon = 0x04,
        NonConfigurable = 0x08
    };

    ~ContextAction() override;

    QString getId() const;
    QString getDescription() const;
    void setDescription(const QString &description);
    QAction *getAction() const;
    QKeySequence getKeySequence() const;
    // While the command has its default shortcut, the default's other keys
    // work too; any other shortcut is the only key.
    void setKeySequence(const QKeySequence &keySequence);
    QKeySequence getDefaultKeySequence() const;
    void setDefaultKeySequence(const QKeySequence &keySequence);
    /**
     * Gives the command its default keys: the first is its shortcut, shown in
     * menus and changed by the user; the others (Ctrl+F4 beside Ctrl+W for
     * Close) work as well for as long as the command keeps that shortcut.
     *
     * A shortcut read from the user's settings outranks the default, also
     * when the user cleared it.
     */
    void setDefaultKeySequences(const QList<QKeySequence> &lstKeySequences);
    bool isEmpty() const;
    bool isSeparator() const;
    void setVisible(bool visible);
    void setCurrentContext(QWidget *context);
    bool isActive() const;
    bool hasAttribute(ActionAttribute attribute) const;
    void setAttribute(ActionAttribute attribute);
    void removeAttribute(ActionAttribute attribute);
    bool isScriptable() const;
    bool isScriptable(const QString &context) const;
    QString stringWithAppendedShortcut(const QString &str) const;

signals:
    void keySequenceChanged();
    void activeStateChanged();

private slots:
    void updateActiveState();

private:
    explicit ContextAction(const QString &id);

    void addOverrideAction(QAction *action, QWidget *context, bool scriptable);
    void removeOverrideAction(QAction *action);
    void setActive(bool active);

    QString m_strId;
    QWidget *m_pCurrentContext = nullptr;          // not owned
    QKeySequence m_defaultKeySequence;
    QList<QKeySequence> m_lstAlternateKeySequences;   // the default's other keys
    bool m_bKeySequenceSaved = false;              // the user's choice came from the settings
    QString m_strDescription;
    ProxyAction *m_pAction = nullptr;              // child of this object
    QMap<QWidget *, QPointer<QAction>> m_contextActionMap;
    bool m_bActive = false;
};
