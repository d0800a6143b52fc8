#pragma once

#include "core/core_global.h"

#include <QFrame>

namespace Ui {
class ZTNotificationBar;
}

// A one-line message strip between the menu bar and the work area: an icon,
// a message, an optional action button and an optional close button.
class CORE_EXPORT ZTNotificationBar : public QFrame
{
    Q_OBJECT

public:
    enum Type {
        Information = 0,
        Warning = 1
    };

    explicit ZTNotificationBar(QWidget *parent);
    ~ZTNotificationBar() override;

    // Replaces the whole content. Every receiver of buttonClicked() is
    // dropped, so connect after calling show().
    void show(const QString &text, ZTNotificationBar::Type type, const QString &buttonText, bool closable);

signals:
    void buttonClicked();

private:
    Ui::ZTNotificationBar *m_pUi;
};
