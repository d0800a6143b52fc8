#pragma once

#include "core/core_global.h"

#include <QList>
#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QAction;
class QMenu;
class QMenuBar;
QT_END_NAMESPACE

class ContextAction;

// A registered menu or menu bar into which commands and submenus are inserted
// by reference. The container owns neither its widget nor its items.
class CORE_EXPORT ActionContainer : public QObject
{
    Q_OBJECT

public:
    // Stored for the plug-ins that set it; the container never hides or
    // disables its menu by itself.
    enum OnAllDisabledBehavior {
        Disable = 0,
        Hide,
        Show
    };

    ~ActionContainer() override;

    virtual void setMenu(QMenu *menu);
    virtual void setMenuBar(QMenuBar *menuBar);
    virtual QMenu *getMenu() const;
    virtual QMenuBar *getMenuBar() const;

protected:
    virtual void insertAction(QAction *before, QAction *action);

public:
    virtual void insertAction(ContextAction *action, ContextAction *before = nullptr);

protected:
    virtual void insertMenu(QAction *before, QMenu *menu);

public:
    virtual void insertMenu(ActionContainer *menu, ActionContainer *before = nullptr);
    virtual void insertMenu(ActionContainer *menu, ContextAction *before);
    virtual ContextAction *insertSeparator(ActionContainer *before = nullptr,
                                           QAction **separator = nullptr);
    virtual ContextAction *insertSeparator(ContextAction *before, QAction **separator = nullptr);

protected:
    virtual void removeMenu(QMenu *menu);
    virtual void removeAction(QAction *action);

public:
    void clear();
    OnAllDisabledBehavior onAllDisabledBehavior() const;
    void setOnAllDisabledBehavior(OnAllDisabledBehavior behavior);

protected:
    explicit ActionContainer(const QString &id);

private slots:
    void scheduleUpdate();
    void update();
    void itemDestroyed();

private:
    QList<QObject *> m_lstItems; // not owned
    OnAllDisabledBehavior m_onAllDisabledBehavior = Disable;
};
