#include "core/actionmanager/proxyaction.h"

ProxyAction::ProxyAction(QObject *parent)
    : QAction(parent)
{
    // A new shortcut also emits changed(), so the tool tip always shows it.
    connect(this, &QAction::changed, this, &ProxyAction::updateToolTipWithKeySequence);
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
    disconnect(this, &QAction::changed, this, &ProxyAction::updateToolTipWithKeySequence);

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
        updateToolTipWithKeySequence();
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
    connect(this, &QAction::changed, this, &ProxyAction::updateToolTipWithKeySequence);
}

void ProxyAction::connectAction()
{
    if (!m_pTarget)
        return;
    connect(m_pTarget.data(), &QAction::changed, this, &ProxyAction::actionChanged);
    // Signal to signal: triggering a menu entry runs the owning plug-in's slots.
    connect(this, &QAction::triggered, m_pTarget.data(), &QAction::triggered);
    connect(this, &QAction::toggled, m_pTarget.data(), &QAction::setChecked);
}

void ProxyAction::disconnectAction()
{
    if (!m_pTarget)
        return;
    disconnect(m_pTarget.data(), &QAction::changed, this, &ProxyAction::actionChanged);
    disconnect(this, &QAction::triggered, m_pTarget.data(), &QAction::triggered);
    disconnect(this, &QAction::toggled, m_pTarget.data(), &QAction::setChecked);
}
