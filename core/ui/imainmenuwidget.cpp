#include "core/ui/imainmenuwidget.h"

#include "core/ui/ztnotificationbar.h"

#include <QIcon>
#include <QLabel>

IMainMenuWidget::IMainMenuWidget(QWidget *parent, const QString &title, const QIcon &icon)
    : QWidget(parent)
{
    setWindowIcon(icon);
    setWindowTitle(title);
}

IMainMenuWidget::~IMainMenuWidget() = default;
void IMainMenuWidget::setAccountLinkText(const QString &) {}
QLabel *IMainMenuWidget::accountLinkLabel() const { return m_pAccountLabel; }
ZTNotificationBar *IMainMenuWidget::notificationBar() const { return m_pNotificationBar; }
void IMainMenuWidget::insertMenuBar(QWidget *) {}
void IMainMenuWidget::updateWindowFilePath(const QString &) {}
void IMainMenuWidget::updateModified(bool) {}
void IMainMenuWidget::updateMaximized(bool) {}
void IMainMenuWidget::showMinimized() {}
void IMainMenuWidget::showMaximized() {}
void IMainMenuWidget::close() {}
void IMainMenuWidget::paintEvent(QPaintEvent *) {}
void IMainMenuWidget::mousePressEvent(QMouseEvent *) {}
void IMainMenuWidget::mouseReleaseEvent(QMouseEvent *) {}
void IMainMenuWidget::mouseDoubleClickEvent(QMouseEvent *) {}
void IMainMenuWidget::mouseMoveEvent(QMouseEvent *) {}
void IMainMenuWidget::contextMenuEvent(QContextMenuEvent *) {}
