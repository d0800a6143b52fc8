#pragma once

#include <QPointer>
#include <QWidget>

class ZTHTMLExposingWelcome;

// IMainMdiArea's state, out of the installed header.
class IMainMdiAreaPrivate
{
public:
    QPointer<QWidget> m_pWelcomeWidget;
    ZTHTMLExposingWelcome *m_pWelcome = nullptr;   // child of this area
};
