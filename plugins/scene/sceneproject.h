#pragma once

#include "scene.h"

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The content of a scene project and its two file forms: a JSON project file
// with its images in an "images" folder beside it (".zelto"), and the same
// JSON and images packed into one tar archive (".zeltopack"). Pure data, no
// user interface, so the format can be tested on its own.
//
// A project holds one or more scenes on one stage. Files of format 1 knew a
// single scene without animation; they are read as such, and always written
// in the current format.
class SceneProject
{
    Q_DECLARE_TR_FUNCTIONS(SceneProject)

public:
    // Raised whenever a change to the format would mislead an older reader.
    static const int s_nFormatVersion = 2;

    static const int s_nMinStageSize = 16;
    static const int s_nMaxStageSize = 8192;
    static const int s_nMinFps = 1;
    static const int s_nMaxFps = 120;
    static constexpr double s_dMinDuration = 0.1;
    static constexpr double s_dMaxDuration = 3600;
    // Positions and sizes lie within this many pixels of the stage's corner.
    static constexpr double s_dMaxCoordinate = 1e6;
    // Decoded images of more pixels are refused where they come from outside.
    static constexpr qint64 s_nMaxImagePixels = qint64(8192) * 8192;

    SceneProject();

    int m_nWidth = 1280;
    int m_nHeight = 720;
    int m_nFps = 24;
    bool m_bResponsive = false;
    QColor m_background = Qt::white;
    // The exported page starts again after its last scene.
    bool m_bLoop = false;
    // Never empty: a project always has a scene to show.
    QList<Scene> m_lstScenes;
    // Image data by reference ("images/<name>"); entries no item uses are
    // not written.
    QMap<QString, QByteArray> m_mapImages;

    QByteArray toJson() const;
    // pFormat, when given, receives the format version the data was written in.
    bool fromJson(const QByteArray &json, QString *pError, int *pFormat = nullptr);

    // The form follows the file name: ".zeltopack" and backups are packed.
    bool save(const QString &strFile, QString *pError) const;
    // The form is recognised from the content, whatever the suffix. Images
    // that are not regular files inside the project folder, or too large,
    // are left out as if missing; pRefusedImages, when given, receives one
    // line for each ("images/a.png: the reason").
    bool load(const QString &strFile, QString *pError, int *pFormat = nullptr, QStringList *pRefusedImages = nullptr);

    QByteArray toPack(QString *pError) const;
    bool fromPack(const QByteArray &data, QString *pError, int *pFormat = nullptr);

    // Stores image data under a name derived from its content and returns the
    // reference to use in an item.
    QString addImage(const QByteArray &data, const QString &strSuffix);
    QString newItemId(int nScene) const;
    static QString newSceneId();
    QString newSceneName() const;
    // The index of the scene with this id, or -1.
    int sceneIndex(const QString &strId) const;
    // All scenes, one after another, in seconds.
    double duration() const;

    // Image references of all items, each once, in the order of the scenes.
    QStringList imagesInUse() const;

    static bool isPackFile(const QString &strFile);
    static bool isValidImageRef(const QString &strRef);
    // Whether data is an image that can be shown, of at most s_nMaxImagePixels
    // (read from its header, nothing decoded); false with the reason when not.
    static bool checkImage(const QByteArray &data, QString *pProblem);
    static QString imageMimeType(const QString &strRef);
};
