#pragma once

#include "core/core_global.h"

#include <QFrame>

#include <memory>

class ZTNotificationBarPrivate;

/**
 * A one-line message strip between the menu bar and the work area: an icon,
 * a message, an optional action button and an optional close button.
 *
 * The main window's title bar owns the one bar; plug-ins reach it through
 * MainWindow::getNotificationBar() or, more simply, MainWindow::showNotification()
 * and MainWindow::hideNotification(). A message stays until it is replaced,
 * closed or hidden; there is no queue. GUI thread only.
 */
class CORE_EXPORT ZTNotificationBar : public QFrame
{
    Q_OBJECT

public:
    /** The icon the bar shows. */
    enum Type {
        Information = 0,   ///< The information icon (also for any value other than Warning).
        Warning = 1        ///< The warning icon.
    };

    /** A hidden bar; the title bar makes the one the application uses. */
    explicit ZTNotificationBar(QWidget *parent);
    /** Destroys the bar and its widgets. */
    ~ZTNotificationBar() override;

    /**
     * Shows @p text with the icon of @p type, an action button labelled
     * @p buttonText (none when empty) and a close button when @p closable,
     * replacing the whole content.
     *
     * Every receiver of buttonClicked() is dropped, so connect after calling show().
     */
    void show(const QString &text, ZTNotificationBar::Type type, const QString &buttonText, bool closable);

signals:
    /** The user clicked the action button. Receivers connected before the last show() are not called. */
    void buttonClicked();

private:
    std::unique_ptr<ZTNotificationBarPrivate> d;
};
