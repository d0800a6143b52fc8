#include "core/ui/chromestyle.h"

#include "core/i18n/ithemesmanager.h"
#include "core/iui.h"

#include <QApplication>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>

namespace {

const char kImageFolder[] = ":/core/images/";

// The arrow of the theme in use, looked up at each use so that it follows a
// change of theme; the platform style's icon for a theme without one.
class ExtensionArrowEngine : public QIconEngine
{
public:
    ExtensionArrowEngine(QStyle *pBase, QStyle::StandardPixmap which)
        : m_pBase(pBase)
        , m_which(which)
    {
    }

    void paint(QPainter *pPainter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(pPainter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) const override
    {
        return const_cast<ExtensionArrowEngine *>(this)->icon().availableSizes(mode, state);
    }
#else
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
#endif

    QIconEngine *clone() const override { return new ExtensionArrowEngine(m_pBase, m_which); }

private:
    QIcon icon()
    {
        const QString strTheme = IThemesManager::getInstance().getCurrentThemeId().toLower();
        if (m_icon.isNull() || strTheme != m_strTheme) {
            m_strTheme = strTheme;
            const QString strName = QStringLiteral("arrow_down_") + strTheme;
            const QString strFolder = QString::fromLatin1(kImageFolder);
            if (!strTheme.isEmpty() && QFileInfo::exists(strFolder + IUi::imageFileName(strName, IUi::StateNormal, IUi::SizeNone)))
                m_icon = QIcon(IUi::getPixmap(strName, IUi::StateNormal, IUi::SizeNone, strFolder));
            else if (m_pBase)
                m_icon = m_pBase->standardIcon(m_which);
        }
        return m_icon;
    }

    QPointer<QStyle> m_pBase;   // the application's style owns it
    QStyle::StandardPixmap m_which;
    QString m_strTheme;
    QIcon m_icon;
};

} // namespace

ChromeStyle::ChromeStyle(QStyle *pBase)
    : QProxyStyle(pBase)
{
}

void ChromeStyle::install()
{
    QStyle *pCurrent = QApplication::style();
    if (!pCurrent || qobject_cast<ChromeStyle *>(pCurrent) || pCurrent->inherits("QStyleSheetStyle"))
        return;
    // The application deletes its old style when given a new one: the base
    // is a fresh instance of the same style, owned by the proxy.
#if QT_VERSION >= QT_VERSION_CHECK(6, 1, 0)
    QStyle *pBase = QStyleFactory::create(pCurrent->name());
#else
    QStyle *pBase = QStyleFactory::create(pCurrent->objectName());
#endif
    if (!pBase)
        return;
    QApplication::setStyle(new ChromeStyle(pBase));
}

QIcon ChromeStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton || standardIcon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new ExtensionArrowEngine(baseStyle(), standardIcon));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}
