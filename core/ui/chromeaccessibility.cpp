#include "core/ui/chromeaccessibility.h"

#include "core/ui/imainmenuwidget.h"
#include "core/ui/ishadowborderframe.h"
#include "core/ui/ztnotificationbar.h"

#include <QAccessibleWidget>

namespace {

// A frame that only draws a shadow: nothing to read or to press.
class IgnoredFrame : public QAccessibleWidget
{
public:
    explicit IgnoredFrame(QWidget *pWidget)
        : QAccessibleWidget(pWidget, QAccessible::NoRole)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        state.focusable = false;
        return state;
    }

    QString text(QAccessible::Text) const override { return QString(); }
};

} // namespace

void ChromeAccessibility::install()
{
    static bool s_bInstalled = false;
    if (s_bInstalled)
        return;
    s_bInstalled = true;
    QAccessible::installFactory(&ChromeAccessibility::create);
}

QAccessibleInterface *ChromeAccessibility::create(const QString &strClassName, QObject *pObject)
{
    if (strClassName == QLatin1String("IShadowBorderFrame"))
        return new IgnoredFrame(static_cast<IShadowBorderFrame *>(pObject));
    if (strClassName == QLatin1String("IMainMenuWidget"))
        return new QAccessibleWidget(static_cast<IMainMenuWidget *>(pObject), QAccessible::TitleBar);
    if (strClassName == QLatin1String("ZTNotificationBar"))
        return new QAccessibleWidget(static_cast<ZTNotificationBar *>(pObject), QAccessible::AlertMessage);
    return nullptr;
}
