#include "core/actionmanager/proxyaction.h"
#include "core/actionmanager/proxyaction_p.h"

ProxyAction::ProxyAction(QObject *parent)
    : QAction(parent)
    , d(std::make_unique<ProxyActionPrivate>())
{
    // A new shortcut also emits changed(), so the tool tip always shows it.
    connect(this, &QAction::changed, this, &ProxyAction::updateToolTipWithKeySequence);
    // Triggering the proxy (a menu entry, a shortcut) runs the target's
    // triggered() receivers, the owning plug-in's slots; toggling it checks
    // the target.
    connect(this, &QAction::triggered, this, [this](bool bChecked) {
        if (d->m_bConnected && d->m_pTarget)
            emit d->m_pTarget->triggered(bChecked);
    });
    connect(this, &QAction::toggled, this, [this](bool bChecked) {
        if (d->m_bConnected && d->m_pTarget)
            d->m_pTarget->setChecked(bChecked);
    });
    updateState();
}

ProxyAction::~ProxyAction() = default;

void ProxyAction::initialize(QAction *action)
{
    update(action, true);
}

void ProxyAction::setAction(QAction *action)
{
    // A destroyed target reads null, so setAction(nullptr) then changes nothing.
    if (action == d->m_pTarget.data())
        return;
    disconnectAction();
    d->m_pTarget = action;
    // Connect to a target only the first time it becomes one.
    if (action && !d->m_lstConnectedTargets.contains(action)) {
        connect(action, &QAction::changed, this, &ProxyAction::actionChanged);
        connect(action, &QObject::destroyed, this,
                [this, action] { d->m_lstConnectedTargets.removeOne(action); });
        d->m_lstConnectedTargets.append(action);
    }
    connectAction();
    updateState();
}

QAction *ProxyAction::action() const
{
    return d->m_pTarget.data();
}

void ProxyAction::setAttribute(Attribute attribute)
{
    d->m_nAttributes |= attribute;
    updateState();
}

void ProxyAction::removeAttribute(Attribute attribute)
{
    d->m_nAttributes &= ~attribute;
    updateState();
}

bool ProxyAction::hasAttribute(Attribute attribute) const
{
    return (d->m_nAttributes & attribute) != 0;
}

void ProxyAction::setShortcutVisibleInToolTip(bool visible)
{
    d->m_bShowShortcut = visible;
    updateToolTipWithKeySequence();
}

bool ProxyAction::shortcutVisibleInToolTip() const
{
    return d->m_bShowShortcut;
}

QString ProxyAction::stringWithAppendedShortcut(const QString &str, const QKeySequence &shortcut)
{
    return QStringLiteral("%1\t%2").arg(str, shortcut.toString(QKeySequence::NativeText));
}

void ProxyAction::actionChanged()
{
    // Former targets stay connected; only the current one is listened to.
    QObject *source = sender();
    if (source && (!d->m_bConnected || source != d->m_pTarget.data()))
        return;
    update(d->m_pTarget.data(), false);
}

void ProxyAction::updateState()
{
    if (d->m_pTarget) {
        update(d->m_pTarget.data(), false);
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
    if (d->m_bCopying)
        return;
    applyToolTip();
}

void ProxyAction::applyToolTip()
{
    // Setting the tool tip emits changed(), which lands here again.
    if (d->m_bUpdatingToolTip)
        return;
    d->m_bUpdatingToolTip = true;
    const QKeySequence sequence = shortcut();
    if (!d->m_bShowShortcut || sequence.isEmpty())
        setToolTip(d->m_strToolTip);
    else
        setToolTip(stringWithAppendedShortcut(d->m_strToolTip, sequence));
    d->m_bUpdatingToolTip = false;
}

void ProxyAction::update(QAction *action, bool initialize)
{
    if (!action)
        return;
    // While copying, the proxy's own changes must not flow back into the
    // target, and the tool tip is rebuilt once instead of at every step.
    disconnectAction();
    d->m_bCopying = true;

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
        d->m_strToolTip = action->toolTip();
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
    d->m_bCopying = false;
}

void ProxyAction::connectAction()
{
    if (!d->m_pTarget)
        return;
    d->m_bConnected = true;
}

void ProxyAction::disconnectAction()
{
    if (!d->m_pTarget)
        return;
    d->m_bConnected = false;
}
