#include "core/actionmanager/contextaction.h"

#include "core/actionmanager/proxyaction.h"
#include "core/icore.h"
#include "core/mainwindow.h"

ContextAction::ContextAction(const QString &id)
    : QObject(nullptr)
    , m_strId(id)
{
    m_pAction = new ProxyAction(this);
    m_pAction->setShortcutVisibleInToolTip(true);
    connect(m_pAction, &QAction::changed, this, &ContextAction::updateActiveState);
}

ContextAction::~ContextAction()
{
    delete m_pAction;
}

QString ContextAction::getId() const
{
    return m_strId;
}

QString ContextAction::getDescription() const
{
    return m_strDescription;
}

void ContextAction::setDescription(const QString &description)
{
    m_strDescription = description;
}

QAction *ContextAction::getAction() const
{
    return m_pAction;
}

QKeySequence ContextAction::getKeySequence() const
{
    return m_pAction->shortcut();
}

void ContextAction::setKeySequence(const QKeySequence &keySequence)
{
    if (!keySequence.isEmpty() && keySequence == m_defaultKeySequence && !m_lstAlternateKeySequences.isEmpty())
        m_pAction->setShortcuts(QList<QKeySequence>{keySequence} + m_lstAlternateKeySequences);
    else
        m_pAction->setShortcut(keySequence);
}

QKeySequence ContextAction::getDefaultKeySequence() const
{
    return m_defaultKeySequence;
}

void ContextAction::setDefaultKeySequence(const QKeySequence &keySequence)
{
    setDefaultKeySequences({keySequence});
}

void ContextAction::setDefaultKeySequences(const QList<QKeySequence> &lstKeySequences)
{
    m_defaultKeySequence = lstKeySequences.value(0);
    m_lstAlternateKeySequences = lstKeySequences.mid(1);
    // Applied again when kept: a saved shortcut equal to the default gets
    // the default's other keys.
    if (!m_bKeySequenceSaved && m_pAction->shortcut().isEmpty())
        setKeySequence(m_defaultKeySequence);
    else
        setKeySequence(m_pAction->shortcut());
}

QList<QKeySequence> ContextAction::getDefaultKeySequences() const
{
    if (m_defaultKeySequence.isEmpty())
        return {};
    return QList<QKeySequence>{m_defaultKeySequence} + m_lstAlternateKeySequences;
}

bool ContextAction::isEmpty() const
{
    return m_contextActionMap.isEmpty();
}

bool ContextAction::isSeparator() const
{
    return m_pAction && m_pAction->isSeparator();
}

void ContextAction::setVisible(bool visible)
{
    for (const QPointer<QAction> &action : qAsConst(m_contextActionMap)) {
        if (action)
            action->setVisible(visible);
    }
}

void ContextAction::setCurrentContext(QWidget *context)
{
    m_pCurrentContext = context;
    const auto it = m_contextActionMap.constFind(context);
    if (it != m_contextActionMap.constEnd()) {
        m_pAction->setAction(it->data());
    } else {
        m_pCurrentContext = ICore::getMainWindow();
        m_pAction->setAction(m_contextActionMap.value(m_pCurrentContext).data());
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
    setActive(m_pAction->isEnabled() && m_pAction->isVisible() && !m_pAction->isSeparator());
}

void ContextAction::addOverrideAction(QAction *action, QWidget *context, bool)
{
    // The first contribution gives the command its looks, once.
    if (m_contextActionMap.isEmpty())
        m_pAction->initialize(action);
    // One action per context widget: a later one for the same widget is ignored.
    if (!m_contextActionMap.contains(context))
        m_contextActionMap.insert(context, action);
    setCurrentContext(context);
}

void ContextAction::removeOverrideAction(QAction *action)
{
    // Also sweeps entries whose action was destroyed elsewhere.
    for (auto it = m_contextActionMap.begin(); it != m_contextActionMap.end();) {
        if (it->isNull() || it->data() == action)
            it = m_contextActionMap.erase(it);
        else
            ++it;
    }
    setCurrentContext(m_pCurrentContext);
}

void ContextAction::setActive(bool active)
{
    if (active == m_bActive)
        return;
    m_bActive = active;
    emit activeStateChanged();
}
