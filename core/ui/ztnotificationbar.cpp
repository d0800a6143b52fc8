#include "core/ui/ztnotificationbar.h"

#include "ui_ztnotificationbar.h"

ZTNotificationBar::ZTNotificationBar(QWidget *parent)
    : QFrame(parent), m_pUi(new Ui::ZTNotificationBar)
{
    m_pUi->setupUi(this);
    connect(m_pUi->m_pCloseButton, &QToolButton::clicked, this, &QWidget::hide);
    connect(m_pUi->m_pButton, &QPushButton::clicked, this, &ZTNotificationBar::buttonClicked);
}

ZTNotificationBar::~ZTNotificationBar()
{
    disconnect(m_pUi->m_pButton, &QPushButton::clicked, this, &ZTNotificationBar::buttonClicked);
    delete m_pUi;
}

void ZTNotificationBar::show(const QString &, ZTNotificationBar::Type, const QString &, bool)
{
    QWidget::show();
}
