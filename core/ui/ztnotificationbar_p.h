#pragma once

namespace Ui {
class ZTNotificationBar;
}

// ZTNotificationBar's state, out of the installed header.
class ZTNotificationBarPrivate
{
public:
    Ui::ZTNotificationBar *m_pUi = nullptr;   // deleted by the bar
};
