#pragma once

#include "core/core_global.h"
#include "core/isingleton.h"

#include <QIcon>
#include <QMap>
#include <QMessageBox>
#include <QPixmap>
#include <QString>

class IUi;
// One instance for the whole process, also when other plug-ins ask for it:
// the singleton's statics live in this library only.
extern template class CORE_EXPORT ISingleton<IUi>;

// One look for the whole application: named images with size and state
// suffixes, loaded once and cached, and message boxes that carry the
// application's own icons.
class CORE_EXPORT IUi : public ISingleton<IUi>
{
public:
    // Size codes select the suffix "_12" ... "_64"; any other code adds none.
    enum IconSize {
        SizeNone = 0,
        Size12 = 1,
        Size16 = 2,
        Size24 = 3,
        Size32 = 4,
        Size48 = 5,
        Size64 = 6
    };

    // Only Disabled adds a suffix ("_d").
    enum IconState {
        StateActive = 1,
        StateNormal = 2,
        StateDisabled = 4
    };

    static QPixmap getPixmap(const QString &name, int state, int size, const QString &folder);
    static QIcon getIcon(const QString &name, int size, const QString &folder);

    // Composes the image file name for a name, state and size: "%1%2%3.png".
    static QString imageFileName(const QString &name, int state, int size);

    static QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton);
    static QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton);
    static QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton defaultButton);
    static QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton);

    // How many image files were read from disk or resources (a cache hit reads none).
    int loadCount() const { return m_nLoadCount; }

private:
    friend class ISingleton<IUi>;
    IUi() = default;

    QPixmap pixmap(const QString &name, int state, int size, const QString &folder);
    static QMessageBox::StandardButton showMessageBox(const QString &kind, QWidget *parent, const QString &title,
                                                      const QString &text, QMessageBox::StandardButtons buttons,
                                                      QMessageBox::StandardButton defaultButton);

    QMap<QString, QPixmap> m_pixmapCache;
    int m_nLoadCount = 0;
};
