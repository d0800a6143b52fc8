#include "core/ui/ztnotificationbar.h"
#include "core/ui/ztnotificationbar_p.h"

#include "core/iui.h"
#include "ui_ztnotificationbar.h"

#include <QIcon>
#include <QPixmap>
#include <QStyle>

ZTNotificationBar::ZTNotificationBar(QWidget *parent)
    : QFrame(parent)
    , d(std::make_unique<ZTNotificationBarPrivate>())
{
    d->m_pUi = new Ui::ZTNotificationBar;
    d->m_pUi->setupUi(this);
    // Set here rather than in the form, whose icon would be read by guessing
    // its format: see IUi::pixmap().
    d->m_pUi->m_pCloseButton->setIcon(
        QIcon(IUi::getPixmap(QStringLiteral("close"), IUi::StateNormal, IUi::SizeNone, QStringLiteral(":/core/images/"))));
    connect(d->m_pUi->m_pCloseButton, &QToolButton::clicked, this, &QWidget::hide);
    QMetaObject::connectSlotsByName(this);
    connect(d->m_pUi->m_pButton, &QPushButton::clicked, this, &ZTNotificationBar::buttonClicked);
}

ZTNotificationBar::~ZTNotificationBar()
{
    disconnect(d->m_pUi->m_pButton, &QPushButton::clicked, this, &ZTNotificationBar::buttonClicked);
    delete d->m_pUi;
}

void ZTNotificationBar::show(const QString &text, ZTNotificationBar::Type type, const QString &buttonText,
                             bool closable)
{
    const bool bWarning = (type == Warning);
    d->m_pUi->m_pIconLabel->setPixmap(QPixmap(bWarning ? QStringLiteral(":/core/images/warning_16.png")
                                                    : QStringLiteral(":/core/images/info_16.png")));

    d->m_pUi->m_pMessageLabel->setText(text);
    // The bar has one line; a message longer than that is read whole here.
    d->m_pUi->m_pMessageLabel->setToolTip(text);
    d->m_pUi->m_pMessageLabel->setVisible(!text.isEmpty());
    // A screen reader reads the message with the bar.
    setAccessibleDescription(text);

    d->m_pUi->m_pButton->setText(buttonText);
    d->m_pUi->m_pButton->setVisible(!buttonText.isEmpty());

    d->m_pUi->m_pCloseButton->setVisible(closable);

    // A receiver belongs to one message only: whoever shows the next one
    // connects again after show().
    disconnect(this, &ZTNotificationBar::buttonClicked, nullptr, nullptr);

    // Style sheets pick the information or warning look from this property;
    // re-polish so a change of type is drawn at once.
    setProperty("type", bWarning ? QStringLiteral("warning") : QStringLiteral("information"));
    style()->unpolish(this);
    style()->polish(this);
    const QList<QWidget *> lstChildren = findChildren<QWidget *>();
    for (QWidget *pChild : lstChildren) {
        pChild->style()->unpolish(pChild);
        pChild->style()->polish(pChild);
    }

    QWidget::show();
}
