#pragma once

#include <QPoint>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QIcon;
class QLabel;
class QPushButton;
class QVBoxLayout;
QT_END_NAMESPACE

class ZTNotificationBar;

// The title bar of the frameless main window, installed as its menu widget.
// Stacks the title row (caption, account link, window buttons), the menu bar
// and the notification bar; paints the icon and caption itself and moves the
// window when dragged.
class IMainMenuWidget : public QWidget
{
    Q_OBJECT

public:
    IMainMenuWidget(QWidget *parent, const QString &title, const QIcon &icon);
    ~IMainMenuWidget() override;

    void setAccountLinkText(const QString &text);
    QLabel *accountLinkLabel() const;
    ZTNotificationBar *notificationBar() const;
    // Puts the menu bar between the title row and the notification bar.
    void insertMenuBar(QWidget *menuBar);
    // Where the caption is painted: beside the icon, up to the first of the
    // account link and the window buttons, so it never runs under them.
    QRect captionRect() const;
    // The caption as painted: "*" first when modified, elided to fit captionRect().
    QString shownCaption() const;

public slots:
    void updateWindowFilePath(const QString &fileName);
    void updateModified(bool bIsModified);
    void updateMaximized(bool bIsMaximized);

private slots:
    void showMinimized();
    void showMaximized();
    void close();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int titleStripHeight() const;

    QVBoxLayout *m_pLayout = nullptr;
    QLabel *m_pAccountLabel = nullptr;
    QPushButton *m_pMinimizeButton = nullptr;
    QPushButton *m_pMaximizeButton = nullptr;
    QPushButton *m_pCloseButton = nullptr;
    ZTNotificationBar *m_pNotificationBar = nullptr;
    QPoint m_pressGlobalPos;
    QPoint m_windowPosAtPress;
    bool m_bRestoredByDrag = false;
    bool m_bMousePressed = false;
};
