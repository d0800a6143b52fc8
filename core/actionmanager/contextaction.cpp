#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/contextaction_p.h"

#include "core/actionmanager/proxyaction.h"
#include "core/icore.h"
#include "core/mainwindow.h"

#include <algorithm>

const ContextActionPrivate::ContextEntry *ContextActionPrivate::find(const QWidget *context) const
{
    for (const ContextEntry &entry : m_contextActions) {
        if (entry.pContext == context)
            return &entry;
    }
    return nullptr;
}

ContextAction::ContextAction(const QString &id)
    : QObject(nullptr)
    , d(std::make_unique<ContextActionPrivate>())
{
    d->m_strId = id;
    d->m_pAction = new ProxyAction(this);
    d->m_pAction->setShortcutVisibleInToolTip(true);
    connect(d->m_pAction, &QAction::changed, this, &ContextAction::updateActiveState);
}

ContextAction::~ContextAction()
{
    delete d->m_pAction;
}

QString ContextAction::getId() const
{
    return d->m_strId;
}

QString ContextAction::getDescription() const
{
    return d->m_strDescription;
}

void ContextAction::setDescription(const QString &description)
{
    d->m_strDescription = description;
}

QAction *ContextAction::getAction() const
{
    return d->m_pAction;
}

QKeySequence ContextAction::getKeySequence() const
{
    return d->m_pAction->shortcut();
}

void ContextAction::setKeySequence(const QKeySequence &keySequence)
{
    if (!keySequence.isEmpty() && keySequence == d->m_defaultKeySequence && !d->m_lstAlternateKeySequences.isEmpty())
        d->m_pAction->setShortcuts(QList<QKeySequence>{keySequence} + d->m_lstAlternateKeySequences);
    else
        d->m_pAction->setShortcut(keySequence);
}

QKeySequence ContextAction::getDefaultKeySequence() const
{
    return d->m_defaultKeySequence;
}

void ContextAction::setDefaultKeySequence(const QKeySequence &keySequence)
{
    setDefaultKeySequences({keySequence});
}

void ContextAction::setDefaultKeySequences(const QList<QKeySequence> &lstKeySequences)
{
    d->m_defaultKeySequence = lstKeySequences.value(0);
    d->m_lstAlternateKeySequences = lstKeySequences.mid(1);
    // Applied again when kept: a saved shortcut equal to the default gets
    // the default's other keys.
    if (!d->m_bKeySequenceSaved && d->m_pAction->shortcut().isEmpty())
        setKeySequence(d->m_defaultKeySequence);
    else
        setKeySequence(d->m_pAction->shortcut());
}

QList<QKeySequence> ContextAction::getDefaultKeySequences() const
{
    if (d->m_defaultKeySequence.isEmpty())
        return {};
    return QList<QKeySequence>{d->m_defaultKeySequence} + d->m_lstAlternateKeySequences;
}

bool ContextAction::isEmpty() const
{
    return d->m_contextActions.isEmpty();
}

bool ContextAction::isSeparator() const
{
    return d->m_pAction && d->m_pAction->isSeparator();
}

void ContextAction::setVisible(bool visible)
{
    for (const ContextActionPrivate::ContextEntry &entry : qAsConst(d->m_contextActions)) {
        if (entry.pAction)
            entry.pAction->setVisible(visible);
    }
}

void ContextAction::setCurrentContext(QWidget *context)
{
    d->m_pCurrentContext = context;
    if (const ContextActionPrivate::ContextEntry *entry = d->find(context)) {
        d->m_pAction->setAction(entry->pAction.data());
    } else {
        d->m_pCurrentContext = ICore::getMainWindow();
        const ContextActionPrivate::ContextEntry *fallback = d->find(d->m_pCurrentContext);
        d->m_pAction->setAction(fallback ? fallback->pAction.data() : nullptr);
    }
    updateActiveState();
}

bool ContextAction::isActive() const
{
    return true;
}

bool ContextAction::hasAttribute(ActionAttribute) const
{
    return true;
}

void ContextAction::setAttribute(ActionAttribute)
{
}

void ContextAction::removeAttribute(ActionAttribute)
{
}

bool ContextAction::isScriptable() const
{
    return true;
}

bool ContextAction::isScriptable(const QString &) const
{
    return true;
}

QString ContextAction::stringWithAppendedShortcut(const QString &) const
{
    return QString();
}

void ContextAction::updateActiveState()
{
    setActive(d->m_pAction->isEnabled() && d->m_pAction->isVisible() && !d->m_pAction->isSeparator());
}

void ContextAction::addOverrideAction(QAction *action, QWidget *context, bool)
{
    // The first contribution gives the command its looks, once.
    if (d->m_contextActions.isEmpty())
        d->m_pAction->initialize(action);
    // One action per context widget: a later one for the same widget is ignored.
    if (!d->find(context))
        d->m_contextActions.append({context, action});
    setCurrentContext(context);
}

void ContextAction::removeOverrideAction(QAction *action)
{
    // Also sweeps entries whose action was destroyed elsewhere.
    auto &entries = d->m_contextActions;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [action](const ContextActionPrivate::ContextEntry &entry) {
                                     return entry.pAction.isNull() || entry.pAction.data() == action;
                                 }),
                  entries.end());
    setCurrentContext(d->m_pCurrentContext);
}

void ContextAction::setActive(bool active)
{
    if (active == d->m_bActive)
        return;
    d->m_bActive = active;
    emit activeStateChanged();
}
