#include "core/actionmanager/proxyaction.h"

ProxyAction::ProxyAction(QObject *parent)
    : QAction(parent)
{
    // A new shortcut also emits changed(), so the tool tip always shows it.
    connect(this, &QAction::changed, this, &ProxyAction::updateToolTipWithKeySequence);
    // Triggering the proxy (a menu entry, a shortcut) runs the target's
    // triggered() receivers, the owning plug-in's slots; toggling it checks
    // the target.
    connect(this, &QAction::triggered, this, [this](bool bChecked) {
        if (m_bConnected && m_pTarget)
            emit m_pTarget->triggered(bChecked);
    });
    connect(this, &QAction::toggled, this, [this](bool bChecked) {
        if (m_bConnected && m_pTarget)
            m_pTarget->setChecked(bChecked);
    });
    updateState();
}

void ProxyAction::initialize(QAction *action)
{
    update(action, true);
}

void ProxyAction::setAction(QAction *action)
{
    // A destroyed target reads null, so setAction(nullptr) then changes nothing.
    if (action == m_pTarget.data())
        return;
    disconnectAction();
    m_pTarget = action;
    // Connect to a target only the first time it becomes one.
    if (action && !m_lstConnectedTargets.contains(action)) {
        connect(action, &QAction::changed, this, &ProxyAction::actionChanged);
        connect(action, &QObject::destroyed, this,
                [this, action] { m_lstConnectedTargets.removeOne(action); });
        m_lstConnectedTargets.append(action);
    }
    connectAction();
    updateState();
}

QAction *ProxyAction::action() const
{
    return m_pTarget.data();
}

void ProxyAction::setAttribute(Attribute attribute)
{
    m_nAttributes |= attribute;
    updateState();
}

void ProxyAction::removeAttribute(Attribute attribute)
{
    m_nAttributes &= ~attribute;
    updateState();
}

bool ProxyAction::hasAttribute(Attribute attribute) const
{
    return (m_nAttributes & attribute) != 0;
}

void ProxyAction::setShortcutVisibleInToolTip(bool visible)
{
    m_bShowShortcut = visible;
    updateToolTipWithKeySequence();
}

bool ProxyAction::shortcutVisibleInToolTip() const
{
    return m_bShowShortcut;
}

QString ProxyAction::stringWithAppendedShortcut(const QString &str, const QKeySequence &shortcut)
{
    return QStringLiteral("%1\t%2").arg(str, shortcut.toString(QKeySequence::NativeText));
}

void ProxyAction::actionChanged()
{
    // Former targets stay connected; only the current one is listened to.
    QObject *source = sender();
    if (source && (!m_bConnected || source != m_pTarget.data()))
        return;
    update(m_pTarget.data(), false);
}

void ProxyAction::updateState()
{
    if (m_pTarget) {
        update(m_pTarget.data(), false);
        return;
    }
    if (hasAttribute(HideWhenNoAction))
        setVisible(false);
    setEnabled(false);
}

void ProxyAction::updateToolTipWithKeySequence()
{
    // While update() copies from the target, the tool tip is rebuilt once, at
    // the end, instead of at every change.
    if (m_bCopying)
        return;
    applyToolTip();
}

void ProxyAction::applyToolTip()
{
    // Setting the tool tip emits changed(), which lands here again.
    if (m_bUpdatingToolTip)
        return;
    m_bUpdatingToolTip = true;
    const QKeySequence sequence = shortcut();
    if (!m_bShowShortcut || sequence.isEmpty())
        setToolTip(m_strToolTip);
    else
        setToolTip(stringWithAppendedShortcut(m_strToolTip, sequence));
    m_bUpdatingToolTip = false;
}

void ProxyAction::update(QAction *action, bool initialize)
{
    if (!action)
        return;
    // While copying, the proxy's own changes must not flow back into the
    // target, and the tool tip is rebuilt once instead of at every step.
    disconnectAction();
    m_bCopying = true;

    if (initialize) {
        setSeparator(action->isSeparator());
        setMenuRole(action->menuRole());
    }
    if (initialize || hasAttribute(FollowIcon)) {
        setIcon(action->icon());
        setIconText(action->iconText());
        setIconVisibleInMenu(action->isIconVisibleInMenu());
    }
    if (initialize || hasAttribute(FollowText)) {
        setText(action->text());
        m_strToolTip = action->toolTip();
        applyToolTip();
        setStatusTip(action->statusTip());
        setWhatsThis(action->whatsThis());
    }
    setCheckable(action->isCheckable());
    if (!initialize) {
        setChecked(action->isChecked());
        setEnabled(action->isEnabled());
        setVisible(action->isVisible());
    }

    connectAction();
    m_bCopying = false;
}

void ProxyAction::connectAction()
{
    if (!m_pTarget)
        return;
    m_bConnected = true;
}

void ProxyAction::disconnectAction()
{
    if (!m_pTarget)
        return;
    m_bConnected = false;
}
