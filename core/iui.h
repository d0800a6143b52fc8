#pragma once

#include "core/core_global.h"
#include "core/isingleton.h"

#include <QIcon>
#include <QMap>
#include <QMessageBox>
#include <QPixmap>
#include <QString>

#include <memory>

class IUi;
// One instance for the whole process, also when other plug-ins ask for it:
// the singleton's statics live in this library only.
extern template class CORE_EXPORT ISingleton<IUi>;

class IUiPrivate;

/**
 * One look for the whole application: named images with size and state
 * suffixes, loaded once and cached, and message boxes that carry the
 * application's own icons.
 *
 * Use the static operations; they work on the one instance (ISingleton),
 * which lives until the process ends. GUI thread only: the image cache has no
 * lock.
 *
 * Message boxes are titled, by convention, #ZELTO_APP_TITLE and parented to the
 * main window (ICore::getMainWindow()):
 * @code
 * IUi::warning(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE), tr("Could not save %1.").arg(name),
 *              QMessageBox::Ok, QMessageBox::Ok);
 * @endcode
 */
class CORE_EXPORT IUi : public ISingleton<IUi>
{
public:
    /** Size codes select the file name suffix "_12" ... "_64"; any other code adds none. */
    enum IconSize {
        SizeNone = 0,   ///< No size suffix.
        Size12 = 1,     ///< "_12"
        Size16 = 2,     ///< "_16", the size of menu and toolbar images.
        Size24 = 3,     ///< "_24"
        Size32 = 4,     ///< "_32", the size of the message box images.
        Size48 = 5,     ///< "_48"
        Size64 = 6      ///< "_64"
    };

    /** Image states; only StateDisabled adds a suffix ("_d"). */
    enum IconState {
        StateActive = 1,   ///< No suffix.
        StateNormal = 2,   ///< No suffix.
        StateDisabled = 4  ///< "_d", the greyed image.
    };

    /**
     * The image @p name in @p folder (a folder or a resource folder such as
     * ":/core/images/"), with the suffixes of the IconState @p state and the
     * IconSize @p size: "save", StateDisabled, Size16 names save_16_d.png.
     *
     * Each file is read once and then served from the cache.
     *
     * @return the image, or a transparent 16 x 16 pixmap when the file is
     *         missing or unreadable (not cached, so a later call tries again)
     */
    static QPixmap getPixmap(const QString &name, int state, int size, const QString &folder);
    /** An icon holding the normal and the disabled (StateDisabled) image of @p name at @p size, from getPixmap(). */
    static QIcon getIcon(const QString &name, int size, const QString &folder);

    /** Composes the image file name for a name, state and size: "%1%2%3.png". */
    static QString imageFileName(const QString &name, int state, int size);

    /**
     * Shows a modal information box with the application's icon and returns
     * the button the user chose, or QMessageBox::Cancel when the box was closed
     * without one. @p defaultButton is the one Enter presses. GUI thread only.
     */
    static QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton);
    /** Shows a modal question box; otherwise as information(). */
    static QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton);
    /** Shows a modal warning box; otherwise as information(). */
    static QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton defaultButton);
    /** Shows a modal box for a serious error; otherwise as information(). */
    static QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton);

    /** How many image files were read from disk or resources (a cache hit reads none). */
    int loadCount() const;

private:
    friend class ISingleton<IUi>;
    IUi();
    ~IUi() override;

    QPixmap pixmap(const QString &name, int state, int size, const QString &folder);
    static QMessageBox::StandardButton showMessageBox(const QString &kind, QWidget *parent, const QString &title,
                                                      const QString &text, QMessageBox::StandardButtons buttons,
                                                      QMessageBox::StandardButton defaultButton);

    std::unique_ptr<IUiPrivate> d;
};
