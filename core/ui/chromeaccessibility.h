#pragma once

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QAccessibleInterface;
class QObject;
class QString;
QT_END_NAMESPACE

// What assistive tools (screen readers) learn about the window chrome the
// core paints itself: the title bar is a title bar, the notification bar an
// alert, and the shadow frames around the window, which only draw a shadow,
// are left out.
class ChromeAccessibility
{
public:
    // Registers the chrome's accessible interfaces with Qt; once is enough.
    static void install();

private:
    static QAccessibleInterface *create(const QString &strClassName, QObject *pObject);
};
