#include "core/ui/imainmenuwidget.h"

#include "core/iui.h"
#include "core/ui/mouseposition_p.h"
#include "core/ui/ztnotificationbar.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QVBoxLayout>

namespace {

const char kImageFolder[] = ":/core/images/";

QIcon titleBarIcon(const char *name)
{
    return IUi::getIcon(QString::fromLatin1(name), IUi::SizeNone, QString::fromLatin1(kImageFolder));
}

} // namespace

IMainMenuWidget::IMainMenuWidget(QWidget *parent, const QString &title, const QIcon &icon)
    : QWidget(parent)
{
    m_pLayout = new QVBoxLayout(this);
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pLayout->setSpacing(0);

    auto *pTitleRow = new QHBoxLayout;
    pTitleRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    m_pAccountLabel = new QLabel(this);
    m_pAccountLabel->setObjectName(QStringLiteral("m_pAccountLabel"));
    m_pAccountLabel->setAccessibleDescription(tr("Opens your account"));
    // The link is reached with Tab and followed with Enter, as in a browser.
    m_pAccountLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    pTitleRow->addWidget(m_pAccountLabel, 0, Qt::AlignLeft | Qt::AlignBottom);

    m_pMinimizeButton = new QPushButton(this);
    m_pMinimizeButton->setObjectName(QStringLiteral("m_pMinimizeButton"));
    m_pMinimizeButton->setToolTip(tr("Minimize"));
    m_pMinimizeButton->setAccessibleName(tr("Minimize"));
    m_pMinimizeButton->setAccessibleDescription(tr("Hides the window in the task bar"));
    m_pMinimizeButton->setIcon(titleBarIcon("minimize"));
    pTitleRow->addWidget(m_pMinimizeButton);

    m_pMaximizeButton = new QPushButton(this);
    m_pMaximizeButton->setObjectName(QStringLiteral("m_pMaximizeButton"));
    m_pMaximizeButton->setIcon(titleBarIcon("maximize"));
    pTitleRow->addWidget(m_pMaximizeButton);

    m_pCloseButton = new QPushButton(this);
    m_pCloseButton->setObjectName(QStringLiteral("m_pCloseButton"));
    m_pCloseButton->setToolTip(tr("Close"));
    m_pCloseButton->setAccessibleName(tr("Close"));
    m_pCloseButton->setAccessibleDescription(tr("Closes the application"));
    m_pCloseButton->setIcon(titleBarIcon("close"));
    pTitleRow->addWidget(m_pCloseButton);

    m_pLayout->addLayout(pTitleRow);

    m_pNotificationBar = new ZTNotificationBar(this);
    m_pLayout->addWidget(m_pNotificationBar);
    m_pNotificationBar->hide();

    connect(m_pMinimizeButton, &QPushButton::clicked, this, &IMainMenuWidget::showMinimized);
    connect(m_pMaximizeButton, &QPushButton::clicked, this, &IMainMenuWidget::showMaximized);
    connect(m_pCloseButton, &QPushButton::clicked, this, &IMainMenuWidget::close);

    setAccountLinkText(tr("Sign In"));
    updateMaximized(false);
    updateWindowFilePath(QString());
    setWindowIcon(icon);
    setWindowTitle(title);
}

IMainMenuWidget::~IMainMenuWidget()
{
    disconnect(m_pMinimizeButton, &QPushButton::clicked, this, &IMainMenuWidget::showMinimized);
    disconnect(m_pMaximizeButton, &QPushButton::clicked, this, &IMainMenuWidget::showMaximized);
    disconnect(m_pCloseButton, &QPushButton::clicked, this, &IMainMenuWidget::close);
}

void IMainMenuWidget::setAccountLinkText(const QString &text)
{
    m_pAccountLabel->setText(QStringLiteral("<a href='#' style='color:#f7941d;'>%1</a>").arg(text));
    m_pAccountLabel->setAccessibleName(text);
}

QLabel *IMainMenuWidget::accountLinkLabel() const
{
    return m_pAccountLabel;
}

ZTNotificationBar *IMainMenuWidget::notificationBar() const
{
    return m_pNotificationBar;
}

void IMainMenuWidget::insertMenuBar(QWidget *menuBar)
{
    m_pLayout->insertWidget(1, menuBar);
}

void IMainMenuWidget::updateWindowFilePath(const QString &fileName)
{
    // The product name is never translated.
    const QString strTitle = QStringLiteral(ZELTO_APP_TITLE);
    setWindowTitle(fileName.isEmpty() ? strTitle : QStringLiteral("%1 - %2").arg(fileName, strTitle));
    // The caption is painted, so screen readers hear it through the name.
    setAccessibleName(windowTitle());
    update();
}

void IMainMenuWidget::updateModified(bool bIsModified)
{
    setWindowModified(bIsModified);
    update();
}

void IMainMenuWidget::updateMaximized(bool bIsMaximized)
{
    if (bIsMaximized) {
        m_pMaximizeButton->setToolTip(tr("Restore Down"));
        m_pMaximizeButton->setAccessibleName(tr("Restore Down"));
        m_pMaximizeButton->setAccessibleDescription(tr("Gives the window its former size"));
        m_pMaximizeButton->setIcon(titleBarIcon("restore"));
    } else {
        m_pMaximizeButton->setToolTip(tr("Maximize"));
        m_pMaximizeButton->setAccessibleName(tr("Maximize"));
        m_pMaximizeButton->setAccessibleDescription(tr("Makes the window fill the screen"));
        m_pMaximizeButton->setIcon(titleBarIcon("maximize"));
    }
    update();
}

void IMainMenuWidget::showMinimized()
{
    window()->showMinimized();
}

void IMainMenuWidget::showMaximized()
{
    QWidget *pWindow = window();
    if (pWindow->windowState() & Qt::WindowMaximized)
        pWindow->showNormal();
    else
        pWindow->showMaximized();
}

void IMainMenuWidget::close()
{
    window()->close();
}

int IMainMenuWidget::titleStripHeight() const
{
    QStyleOptionTitleBar option;
    option.initFrom(this);
    return style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, this);
}

QRect IMainMenuWidget::captionRect() const
{
    const int h = titleStripHeight();
    const int nLeft = (h - 3) + 10;   // after the icon
    int nRight = width() - h;
    for (const QWidget *pWidget : {static_cast<QWidget *>(m_pAccountLabel), static_cast<QWidget *>(m_pMinimizeButton),
                                   static_cast<QWidget *>(m_pMaximizeButton), static_cast<QWidget *>(m_pCloseButton)}) {
        if (!pWidget->isHidden())
            nRight = qMin(nRight, pWidget->geometry().left() - 8);
    }
    return QRect(nLeft, 0, qMax(0, nRight - nLeft), h);
}

QString IMainMenuWidget::shownCaption() const
{
    QString strCaption = windowTitle();
    if (isWindowModified())
        strCaption.prepend(QLatin1Char('*'));
    // The middle goes: the path's start and the project's name stay readable.
    return fontMetrics().elidedText(strCaption, Qt::ElideMiddle, captionRect().width());
}

void IMainMenuWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyle *pStyle = style();

    QStyleOptionTitleBar option;
    option.initFrom(this);
    const int h = titleStripHeight();
    option.rect = QRect(0, 0, width(), h);
    option.titleBarState = windowState();
    option.text = shownCaption();
    option.icon = windowIcon();
    // Only the strip's background comes from the style: the caption is drawn
    // beside the icon below, and the style would otherwise draw it twice.
    option.subControls &= ~QStyle::SC_TitleBarLabel;
    pStyle->drawComplexControl(QStyle::CC_TitleBar, &option, &painter, this);

    const QRect iconRect(3, 3, h - 3, h - 3);
    const QPixmap pixmap = option.icon.pixmap(h - 3, QIcon::Normal, QIcon::Off);
    pStyle->drawItemPixmap(&painter, iconRect, Qt::AlignLeft | Qt::AlignVCenter, pixmap);

    pStyle->drawItemText(&painter, captionRect(), Qt::AlignLeft | Qt::AlignVCenter, option.palette, true,
                         option.text, QPalette::Text);

    // Below the caption strip the style sheet paints the background.
    QStyleOption rest;
    rest.initFrom(this);
    rest.rect.setTop(h);
    pStyle->drawPrimitive(QStyle::PE_Widget, &rest, &painter, this);
}

void IMainMenuWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_bMousePressed = true;
    m_pressGlobalPos = globalMousePos(event);
    m_windowPosAtPress = window()->pos();
}

void IMainMenuWidget::mouseReleaseEvent(QMouseEvent *)
{
    m_bMousePressed = false;
}

void IMainMenuWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        showMaximized();
}

void IMainMenuWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_bMousePressed)
        return;

    QWidget *pWindow = window();
    const QPoint delta = globalMousePos(event) - m_pressGlobalPos;

    if (pWindow->windowState() == Qt::WindowMaximized) {
        // Only a drag to the right or downward pulls the window out of its
        // maximized state; the next move places it under the cursor.
        if (delta.x() > 5 || delta.y() > 5) {
            m_pMaximizeButton->setToolTip(tr("Maximize"));
            pWindow->showNormal();
            m_bRestoredByDrag = true;
        }
        return;
    }

    if (m_bRestoredByDrag) {
        const QRect windowRect = pWindow->geometry();
        const QRect desktopRect = screen()->virtualGeometry();
        int x = globalMousePos(event).x() - windowRect.width() / 2;
        const int y = desktopRect.y();
        if (x < desktopRect.x())
            x = desktopRect.x();
        if (x + windowRect.width() > desktopRect.x() + desktopRect.width())
            x = desktopRect.x() + desktopRect.width() - windowRect.width();
        pWindow->move(x, y);
        m_windowPosAtPress = QPoint(x, y);
        m_bRestoredByDrag = false;
    }

    pWindow->move(m_windowPosAtPress + delta);
}

void IMainMenuWidget::contextMenuEvent(QContextMenuEvent *event)
{
    const bool bMaximized = window()->windowState() & Qt::WindowMaximized;

    QMenu menu(this);
    QAction *pRestore = menu.addAction(tr("&Restore"), this, &IMainMenuWidget::showMaximized);
    pRestore->setEnabled(bMaximized);
    menu.addAction(tr("Mi&nimize"), this, &IMainMenuWidget::showMinimized);
    QAction *pMaximize = menu.addAction(tr("Ma&ximize"), this, &IMainMenuWidget::showMaximized);
    pMaximize->setEnabled(!bMaximized);
    menu.addAction(tr("&Close"), this, &IMainMenuWidget::close);
    menu.exec(mapToGlobal(event->pos()));
}
