#pragma once

#include "sceneitem.h"

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QString>

// The content of a scene project and its two file forms: a JSON project file
// with its images in an "images" folder beside it (".zelto"), and the same
// JSON and images packed into one tar archive (".zeltopack"). Pure data, no
// user interface, so the format can be tested on its own.
class SceneProject
{
    Q_DECLARE_TR_FUNCTIONS(SceneProject)

public:
    // Raised whenever a change to the format would mislead an older reader.
    static const int s_nFormatVersion = 1;

    static const int s_nMinStageSize = 16;
    static const int s_nMaxStageSize = 8192;
    static const int s_nMinFps = 1;
    static const int s_nMaxFps = 120;

    int m_nWidth = 1280;
    int m_nHeight = 720;
    int m_nFps = 24;
    bool m_bResponsive = false;
    QColor m_background = Qt::white;
    QList<SceneItem> m_lstItems;
    // Image data by reference ("images/<name>"); entries no item uses are
    // not written.
    QMap<QString, QByteArray> m_mapImages;

    QByteArray toJson() const;
    bool fromJson(const QByteArray &json, QString *pError);

    // The form follows the file name: ".zeltopack" and backups are packed.
    bool save(const QString &strFile, QString *pError) const;
    // The form is recognised from the content, whatever the suffix.
    bool load(const QString &strFile, QString *pError);

    QByteArray toPack(QString *pError) const;
    bool fromPack(const QByteArray &data, QString *pError);

    // Stores image data under a name derived from its content and returns the
    // reference to use in an item.
    QString addImage(const QByteArray &data, const QString &strSuffix);
    QString newItemId() const;

    static bool isPackFile(const QString &strFile);
    static bool isValidImageRef(const QString &strRef);
    static QString imageMimeType(const QString &strRef);
};
