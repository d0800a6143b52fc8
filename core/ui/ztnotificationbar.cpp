#include "core/ui/ztnotificationbar.h"

#include "ui_ztnotificationbar.h"

#include <QPixmap>
#include <QStyle>

ZTNotificationBar::ZTNotificationBar(QWidget *parent)
    : QFrame(parent), m_pUi(new Ui::ZTNotificationBar)
{
    m_pUi->setupUi(this);
    connect(m_pUi->m_pCloseButton, &QToolButton::clicked, this, &QWidget::hide);
    QMetaObject::connectSlotsByName(this);
    connect(m_pUi->m_pButton, &QPushButton::clicked, this, &ZTNotificationBar::buttonClicked);
}

ZTNotificationBar::~ZTNotificationBar()
{
    disconnect(m_pUi->m_pButton, &QPushButton::clicked, this, &ZTNotificationBar::buttonClicked);
    delete m_pUi;
}

void ZTNotificationBar::show(const QString &text, ZTNotificationBar::Type type, const QString &buttonText,
                             bool closable)
{
    const bool bWarning = (type == Warning);
    m_pUi->m_pIconLabel->setPixmap(QPixmap(bWarning ? QStringLiteral(":/core/images/warning_16.png")
                                                    : QStringLiteral(":/core/images/info_16.png")));

    m_pUi->m_pMessageLabel->setText(text);
    // The bar has one line; a message longer than that is read whole here.
    m_pUi->m_pMessageLabel->setToolTip(text);
    m_pUi->m_pMessageLabel->setVisible(!text.isEmpty());
    // A screen reader reads the message with the bar.
    setAccessibleDescription(text);

    m_pUi->m_pButton->setText(buttonText);
    m_pUi->m_pButton->setVisible(!buttonText.isEmpty());

    m_pUi->m_pCloseButton->setVisible(closable);

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
