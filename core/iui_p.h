#pragma once

#include <QMap>
#include <QPixmap>
#include <QString>

// IUi's state, out of the installed header.
class IUiPrivate
{
public:
    QMap<QString, QPixmap> m_pixmapCache;
    int m_nLoadCount = 0;
};
