#include "core/actionmanager/actionmanager.h"

#include "core/actionmanager/actionmanager_p.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/contextaction_p.h"
#include "core/actionmanager/menuactioncontainer.h"
#include "core/actionmanager/menubaractioncontainer.h"
#include "core/actionmanager/shortcutsettings.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "extensionsystem/pluginmanager.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

namespace {

const char kShortcutsGroup[] = "Shortcuts";

ActionManager *s_pInstance = nullptr;
ActionManagerPrivate *s_pPrivate = nullptr;

// The registry normally comes with the manager the main window creates; a
// plug-in that calls in earlier still gets a working (if unannounced) one.
ActionManagerPrivate *d()
{
    if (!s_pPrivate)
        s_pPrivate = new ActionManagerPrivate;
    return s_pPrivate;
}

} // namespace

ActionManagerPrivate::ActionManagerPrivate()
    : QObject(nullptr)
{
}

void ActionManagerPrivate::containerDestroyed()
{
    // destroyed() comes from QObject's destructor, so only the address is used.
    QObject *container = sender();
    for (auto it = m_mapContainers.begin(); it != m_mapContainers.end(); ++it) {
        if (it.value() == container) {
            m_mapContainers.erase(it);
            return;
        }
    }
}

ActionManager::ActionManager()
    : QObject(nullptr)
{
    // A second manager (a second main window, as in tests) starts afresh.
    delete s_pPrivate;
    s_pPrivate = new ActionManagerPrivate;
    s_pInstance = this;
}

ActionManager::~ActionManager()
{
    if (s_pInstance == this) {
        delete s_pPrivate;
        s_pPrivate = nullptr;
        s_pInstance = nullptr;
    }
}

ActionManager *ActionManager::getInstance()
{
    return s_pInstance;
}

void ActionManager::initialize()
{
    d()->m_pSettings = ExtensionSystem::PluginManager::settings();
}

void ActionManager::setSettings(QSettings *settings)
{
    d()->m_pSettings = settings;
}

// A key in the group is the user's choice, an empty value a cleared
// shortcut; without a key the command keeps, or gets back, its default.
void ActionManager::applySavedShortcut(QSettings *settings, ContextAction *command)
{
    QKeySequence sequence;
    command->d->m_bKeySequenceSaved = ShortcutSettings::read(settings, command->getId(), &sequence);
    command->setKeySequence(command->d->m_bKeySequenceSaved ? sequence : command->getDefaultKeySequence());
}

ContextAction *ActionManager::registerAction(QAction *action, const QString &id, QWidget *context,
                                             bool scriptable)
{
    ContextAction *command = d()->m_mapActions.value(id);
    if (!command) {
        command = new ContextAction(id);
        d()->m_mapActions.insert(id, command);
        d()->m_lstCommands.append(command);
        if (QSettings *settings = d()->m_pSettings) {
            settings->beginGroup(QLatin1String(kShortcutsGroup));
            applySavedShortcut(settings, command);
            settings->endGroup();
        }
        QAction *proxy = command->getAction();
        proxy->setObjectName(id);
        command->setCurrentContext(d()->m_pContext);
        // The main window holds every command so that its shortcut works even
        // when no menu shows it.
        if (MainWindow *mainWindow = ICore::getMainWindow())
            mainWindow->addAction(proxy);
        proxy->setShortcutContext(Qt::ApplicationShortcut);
    }
    command->addOverrideAction(action, context, scriptable);
    if (s_pInstance) {
        emit s_pInstance->commandListChanged();
        emit s_pInstance->commandAdded(id);
    }
    return command;
}

void ActionManager::unregisterAction(QAction *action, const QString &id, const QString &)
{
    ContextAction *command = d()->m_mapActions.value(id);
    if (!command)
        return;
    command->removeOverrideAction(action);
    if (command->isEmpty()) {
        if (MainWindow *mainWindow = ICore::getMainWindow())
            mainWindow->removeAction(command->getAction());
        d()->m_mapActions.remove(id);
        d()->m_lstCommands.removeOne(command);
        delete command;
    }
    if (s_pInstance)
        emit s_pInstance->commandListChanged();
}

ContextAction *ActionManager::getAction(const QString &id)
{
    return d()->m_mapActions.value(id);
}

QList<ContextAction *> ActionManager::getActions()
{
    return d()->m_mapActions.values();
}

ActionContainer *ActionManager::getActionContainer(const QString &id)
{
    return d()->m_mapContainers.value(id);
}

ActionContainer *ActionManager::createMenuContainer(const QString &title, const QString &id)
{
    if (ActionContainer *existing = d()->m_mapContainers.value(id))
        return existing;
    // Nobody owns the menu: it lives as long as the application, like the
    // container, which only refers to it.
    auto *menu = new QMenu(title);
    menu->setObjectName(id);
    auto *container = new MenuActionContainer(id);
    container->setMenu(menu);
    d()->m_mapContainers.insert(id, container);
    connect(container, &QObject::destroyed, d(), &ActionManagerPrivate::containerDestroyed);
    return container;
}

ActionContainer *ActionManager::createMenuBarContainer(const QString &id)
{
    if (ActionContainer *existing = d()->m_mapContainers.value(id))
        return existing;
    // The caller places the menu bar in a window, which then owns it.
    auto *menuBar = new QMenuBar;
    menuBar->setObjectName(id);
    auto *container = new MenuBarActionContainer(id);
    container->setMenuBar(menuBar);
    d()->m_mapContainers.insert(id, container);
    connect(container, &QObject::destroyed, d(), &ActionManagerPrivate::containerDestroyed);
    return container;
}

void ActionManager::setContext(QWidget *widget)
{
    d()->m_pContext = widget;
    for (ContextAction *command : qAsConst(d()->m_lstCommands))
        command->setCurrentContext(widget);
}

QWidget *ActionManager::getContext()
{
    return d()->m_pContext;
}

void ActionManager::readFromSettings()
{
    QSettings *settings = d()->m_pSettings;
    if (!settings)
        return;
    settings->beginGroup(QLatin1String(kShortcutsGroup));
    for (ContextAction *command : qAsConst(d()->m_mapActions)) {
        if (!command->isSeparator())
            applySavedShortcut(settings, command);
    }
    settings->endGroup();
}

void ActionManager::saveSettings()
{
    QSettings *settings = d()->m_pSettings;
    if (!settings)
        return;
    settings->beginGroup(QLatin1String(kShortcutsGroup));
    for (ContextAction *command : qAsConst(d()->m_mapActions)) {
        if (command->isSeparator())
            continue;
        ShortcutSettings::write(settings, command->getId(), command->getKeySequence(),
                                command->getDefaultKeySequence());
    }
    settings->endGroup();
}

void ActionManager::resetToDefault()
{
    for (ContextAction *command : qAsConst(d()->m_mapActions)) {
        if (!command->isSeparator())
            command->setKeySequence(command->getDefaultKeySequence());
    }
}
