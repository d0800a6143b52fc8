#include "core/iui.h"
#include "core/iui_p.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

template class ISingleton<IUi>;

IUi::IUi()
    : d(std::make_unique<IUiPrivate>())
{
}

IUi::~IUi() = default;

int IUi::loadCount() const
{
    return d->m_nLoadCount;
}

static QString sizeSuffix(int size)
{
    switch (size) {
    case IUi::Size12: return QStringLiteral("_12");
    case IUi::Size16: return QStringLiteral("_16");
    case IUi::Size24: return QStringLiteral("_24");
    case IUi::Size32: return QStringLiteral("_32");
    case IUi::Size48: return QStringLiteral("_48");
    case IUi::Size64: return QStringLiteral("_64");
    default: return QString();
    }
}

QString IUi::imageFileName(const QString &name, int state, int size)
{
    const QString stateSuffix = state == StateDisabled ? QStringLiteral("_d") : QString();
    return QStringLiteral("%1%2%3.png").arg(name, sizeSuffix(size), stateSuffix);
}

QPixmap IUi::getPixmap(const QString &name, int state, int size, const QString &folder)
{
    return getInstance()->pixmap(name, state, size, folder);
}

QPixmap IUi::pixmap(const QString &name, int state, int size, const QString &folder)
{
    const QString key = QFileInfo(QDir(folder), imageFileName(name, state, size)).absoluteFilePath();
    const auto it = d->m_pixmapCache.constFind(key);
    if (it != d->m_pixmapCache.constEnd() && !it->isNull())
        return *it;

    ++d->m_nLoadCount;
    // Our images are all PNG. Named as such, the reader decodes them itself;
    // left to guess, it would first load every image plug-in installed to ask
    // each whether it reads "png", which costs the start-up several plug-ins
    // and the libraries they link.
    QPixmap loaded;
    if (QFileInfo::exists(key)) {
        QImageReader reader(key, "png");
        reader.setAutoDetectImageFormat(false);
        loaded = QPixmap::fromImage(reader.read());
    }
    if (loaded.isNull()) {
        // A transparent placeholder, never uninitialised memory; not cached,
        // so the file is tried again next time.
        QPixmap placeholder(16, 16);
        placeholder.fill(Qt::transparent);
        return placeholder;
    }
    d->m_pixmapCache.insert(key, loaded);
    return loaded;
}

QIcon IUi::getIcon(const QString &name, int size, const QString &folder)
{
    QIcon icon;
    icon.addPixmap(getPixmap(name, StateNormal, size, folder), QIcon::Normal, QIcon::On);
    icon.addPixmap(getPixmap(name, StateDisabled, size, folder), QIcon::Disabled, QIcon::On);
    return icon;
}

QMessageBox::StandardButton IUi::showMessageBox(const QString &kind, QWidget *parent, const QString &title,
                                                const QString &text, QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setStandardButtons(buttons);
    box.setDefaultButton(defaultButton);
    box.setIconPixmap(getPixmap(kind, StateNormal, Size32, QStringLiteral(":/designer/images/")));
    if (box.exec() == -1)
        return QMessageBox::Cancel;
    return box.standardButton(box.clickedButton());
}

QMessageBox::StandardButton IUi::information(QWidget *parent, const QString &title, const QString &text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    return showMessageBox(QStringLiteral("information"), parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton IUi::question(QWidget *parent, const QString &title, const QString &text,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton defaultButton)
{
    return showMessageBox(QStringLiteral("question"), parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton IUi::warning(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton)
{
    return showMessageBox(QStringLiteral("warning"), parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton IUi::critical(QWidget *parent, const QString &title, const QString &text,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton defaultButton)
{
    return showMessageBox(QStringLiteral("critical"), parent, title, text, buttons, defaultButton);
}
