#include "sceneproject.h"

#include "projectfile.h"
#include "sceneanimation.h"
#include "tararchive.h"

#include "core/core_global.h"
#include "core/documents/pathcheck.h"
#include "core/welcome/jsonkeyscanner.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace {

const char s_projectEntry[] = "project.json";

const struct {
    SceneItem::Type type;
    const char *name;
} s_typeNames[] = {
    {SceneItem::Rectangle, "rectangle"},
    {SceneItem::Ellipse, "ellipse"},
    {SceneItem::Text, "text"},
    {SceneItem::Image, "image"},
};

QString typeName(SceneItem::Type type)
{
    for (const auto &entry : s_typeNames) {
        if (entry.type == type)
            return QString::fromLatin1(entry.name);
    }
    return QString();
}

bool typeFromName(const QString &strName, SceneItem::Type *pType)
{
    for (const auto &entry : s_typeNames) {
        if (strName == QLatin1String(entry.name)) {
            *pType = entry.type;
            return true;
        }
    }
    return false;
}

bool readNumber(const QJsonObject &object, const char *pKey, double dMin, double dMax, double *pValue)
{
    const QJsonValue value = object.value(QLatin1String(pKey));
    if (!value.isDouble())
        return false;
    *pValue = value.toDouble();
    return std::isfinite(*pValue) && *pValue >= dMin && *pValue <= dMax;
}

QJsonObject itemToJson(const SceneItem &item)
{
    QJsonObject object;
    object.insert(QStringLiteral("id"), item.strId);
    // Written only where they differ from what a file without them means.
    if (!item.strName.isEmpty())
        object.insert(QStringLiteral("name"), item.strName);
    if (item.bHidden)
        object.insert(QStringLiteral("hidden"), true);
    if (item.bLocked)
        object.insert(QStringLiteral("locked"), true);
    object.insert(QStringLiteral("type"), typeName(item.type));
    object.insert(QStringLiteral("x"), item.rect.x());
    object.insert(QStringLiteral("y"), item.rect.y());
    object.insert(QStringLiteral("width"), item.rect.width());
    object.insert(QStringLiteral("height"), item.rect.height());
    object.insert(QStringLiteral("rotation"), item.dRotation);
    object.insert(QStringLiteral("opacity"), item.dOpacity);
    object.insert(QStringLiteral("fill"), item.fill.name(QColor::HexArgb));
    object.insert(QStringLiteral("stroke"), item.stroke.name(QColor::HexArgb));
    if (item.type == SceneItem::Text) {
        object.insert(QStringLiteral("text"), item.strText);
        object.insert(QStringLiteral("fontSize"), item.nFontSize);
    }
    if (item.type == SceneItem::Image)
        object.insert(QStringLiteral("image"), item.strImage);

    QJsonObject keyframes;
    for (int p = 0; p < SceneItem::PropertyCount; ++p) {
        const auto property = SceneItem::Property(p);
        if (item.tracks[p].isEmpty())
            continue;
        QJsonArray track;
        for (const Keyframe &keyframe : item.tracks[p]) {
            QJsonObject entry;
            entry.insert(QStringLiteral("time"), keyframe.dTime);
            if (property == SceneItem::Fill)
                entry.insert(QStringLiteral("value"), keyframe.value.value<QColor>().name(QColor::HexArgb));
            else
                entry.insert(QStringLiteral("value"), keyframe.value.toDouble());
            entry.insert(QStringLiteral("easing"), SceneAnimation::easingKey(keyframe.easing));
            track.append(entry);
        }
        keyframes.insert(SceneAnimation::propertyKey(property), track);
    }
    if (!keyframes.isEmpty())
        object.insert(QStringLiteral("keyframes"), keyframes);
    return object;
}

// The values a property may take, whatever a file says.
void propertyRange(SceneItem::Property property, double *pMin, double *pMax)
{
    const double dLimit = SceneProject::s_dMaxCoordinate;
    *pMin = property == SceneItem::Width || property == SceneItem::Height || property == SceneItem::Opacity ? 0 : -dLimit;
    *pMax = property == SceneItem::Opacity ? 1 : dLimit;
}

bool readValue(const QJsonObject &object, const char *pKey, SceneItem::Property property, QVariant *pValue)
{
    if (property == SceneItem::Fill) {
        const QColor color(object.value(QLatin1String(pKey)).toString());
        *pValue = color;
        return color.isValid();
    }
    double dMin = 0, dMax = 0, dValue = 0;
    propertyRange(property, &dMin, &dMax);
    if (!readNumber(object, pKey, dMin, dMax, &dValue))
        return false;
    *pValue = dValue;
    return true;
}

bool readKeyframes(const QJsonValue &value, double dDuration, SceneItem *pItem)
{
    if (value.isUndefined())
        return true;
    if (!value.isObject())
        return false;
    const QJsonObject keyframes = value.toObject();
    for (auto it = keyframes.begin(); it != keyframes.end(); ++it) {
        SceneItem::Property property;
        if (!SceneAnimation::propertyFromKey(it.key(), &property) || !pItem->isAnimatable(property)
            || !it.value().isArray())
            return false;
        QList<Keyframe> track;
        for (const QJsonValue &entryValue : it.value().toArray()) {
            const QJsonObject entry = entryValue.toObject();
            Keyframe keyframe;
            if (!readNumber(entry, "time", 0, dDuration, &keyframe.dTime)
                || !readValue(entry, "value", property, &keyframe.value)
                || !SceneAnimation::easingFromKey(entry.value(QStringLiteral("easing")).toString(QStringLiteral("linear")),
                                                  &keyframe.easing))
                return false;
            track.append(keyframe);
        }
        std::sort(track.begin(), track.end(),
                  [](const Keyframe &a, const Keyframe &b) { return a.dTime < b.dTime; });
        for (int i = 1; i < track.size(); ++i) {
            if (SceneAnimation::sameTime(track.at(i - 1).dTime, track.at(i).dTime))
                return false;
        }
        pItem->tracks[property] = track;
    }
    return true;
}

// Reads the items of one scene. Format 1 files have no rotation, opacity or
// keyframes.
bool readItems(const QJsonValue &itemsValue, bool bAnimation, Scene *pResult, QString *pProblem)
{
    if (!itemsValue.isArray() && !itemsValue.isUndefined()) {
        *pProblem = SceneProject::tr("the list of items is not a list.");
        return false;
    }
    QSet<QString> setIds;
    const QJsonArray items = itemsValue.toArray();
    for (int i = 0; i < items.size(); ++i) {
        const QJsonObject object = items.at(i).toObject();
        SceneItem item;
        item.strId = object.value(QStringLiteral("id")).toString();
        double dX = 0, dY = 0, dW = 0, dH = 0;
        const double dLimit = SceneProject::s_dMaxCoordinate;
        if (item.strId.isEmpty() || setIds.contains(item.strId)
            || !typeFromName(object.value(QStringLiteral("type")).toString(), &item.type)
            || !readNumber(object, "x", -dLimit, dLimit, &dX) || !readNumber(object, "y", -dLimit, dLimit, &dY)
            || !readNumber(object, "width", 0, dLimit, &dW) || !readNumber(object, "height", 0, dLimit, &dH)) {
            *pProblem = SceneProject::tr("item %1 is not valid.").arg(i + 1);
            return false;
        }
        setIds.insert(item.strId);
        item.rect = QRectF(dX, dY, dW, dH);
        item.strName = object.value(QStringLiteral("name")).toString().trimmed();
        item.bHidden = object.value(QStringLiteral("hidden")).toBool(false);
        item.bLocked = object.value(QStringLiteral("locked")).toBool(false);
        const QColor fill(object.value(QStringLiteral("fill")).toString());
        const QColor stroke(object.value(QStringLiteral("stroke")).toString());
        if (fill.isValid())
            item.fill = fill;
        if (stroke.isValid())
            item.stroke = stroke;
        // Only a text item has a text: one given to another shape would be
        // kept unseen and lost at the next save.
        if (item.type == SceneItem::Text) {
            item.strText = object.value(QStringLiteral("text")).toString();
            item.nFontSize = qBound(4, object.value(QStringLiteral("fontSize")).toInt(24), 1000);
        }
        if (item.type == SceneItem::Image) {
            item.strImage = object.value(QStringLiteral("image")).toString();
            if (!SceneProject::isValidImageRef(item.strImage)) {
                *pProblem = SceneProject::tr("item %1 names an image outside the project.").arg(i + 1);
                return false;
            }
        }
        if (bAnimation) {
            QVariant rotation = 0.0, opacity = 1.0;
            if ((object.contains(QStringLiteral("rotation")) && !readValue(object, "rotation", SceneItem::Rotation, &rotation))
                || (object.contains(QStringLiteral("opacity")) && !readValue(object, "opacity", SceneItem::Opacity, &opacity))
                || !readKeyframes(object.value(QStringLiteral("keyframes")), pResult->dDuration, &item)) {
                *pProblem = SceneProject::tr("item %1 has damaged animation values.").arg(i + 1);
                return false;
            }
            item.dRotation = rotation.toDouble();
            item.dOpacity = opacity.toDouble();
        }
        pResult->lstItems.append(item);
    }
    return true;
}

} // namespace

SceneProject::SceneProject()
{
    Scene scene;
    scene.strId = newSceneId();
    scene.strName = newSceneName();
    m_lstScenes.append(scene);
}

QByteArray SceneProject::toJson() const
{
    QJsonObject stage;
    stage.insert(QStringLiteral("width"), m_nWidth);
    stage.insert(QStringLiteral("height"), m_nHeight);
    stage.insert(QStringLiteral("fps"), m_nFps);
    stage.insert(QStringLiteral("responsive"), m_bResponsive);
    stage.insert(QStringLiteral("background"), m_background.name(QColor::HexArgb));

    QJsonArray scenes;
    for (const Scene &scene : m_lstScenes) {
        QJsonArray items;
        for (const SceneItem &item : scene.lstItems)
            items.append(itemToJson(item));
        QJsonObject object;
        object.insert(QStringLiteral("name"), scene.strName);
        object.insert(QStringLiteral("duration"), scene.dDuration);
        object.insert(QStringLiteral("items"), items);
        scenes.append(object);
    }

    QJsonObject root;
    root.insert(QStringLiteral("format"), s_nFormatVersion);
    root.insert(QStringLiteral("application"), QStringLiteral(ZELTO_APP_TITLE));
    root.insert(QStringLiteral("stage"), stage);
    root.insert(QStringLiteral("loop"), m_bLoop);
    root.insert(QStringLiteral("scenes"), scenes);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool SceneProject::fromJson(const QByteArray &json, QString *pError, int *pFormat)
{
    const QString strInvalid = tr("This file is not a Zelto Rideved project.");
    const QString strDamaged = tr("The project is damaged: %1");
    // Checked before Qt's reader, which would quietly drop all but one of the
    // values (and keep the memory of the dropped ones).
    if (JsonKeyScanner::hasRepeatedKey(json)) {
        *pError = strDamaged.arg(tr("an object in it names the same key twice."));
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *pError = strInvalid;
        return false;
    }
    const QJsonObject root = document.object();
    const QJsonValue format = root.value(QStringLiteral("format"));
    if (!format.isDouble() || format.toDouble() < 1 || format.toDouble() != std::floor(format.toDouble())) {
        *pError = strInvalid;
        return false;
    }
    if (format.toDouble() > s_nFormatVersion) {
        *pError = tr("This project was saved by a newer version of Zelto Rideved (project format %1). "
                     "This version reads project formats up to %2. Please update Zelto Rideved to open it.")
                      .arg(format.toDouble())
                      .arg(s_nFormatVersion);
        return false;
    }
    const int nFormat = format.toInt();

    SceneProject project;
    const QJsonObject stage = root.value(QStringLiteral("stage")).toObject();
    double dWidth = 0, dHeight = 0, dFps = 0;
    if (!readNumber(stage, "width", s_nMinStageSize, s_nMaxStageSize, &dWidth)
        || !readNumber(stage, "height", s_nMinStageSize, s_nMaxStageSize, &dHeight)
        || !readNumber(stage, "fps", s_nMinFps, s_nMaxFps, &dFps)) {
        *pError = strDamaged.arg(tr("the stage size or frame rate is missing or out of range."));
        return false;
    }
    project.m_nWidth = int(dWidth);
    project.m_nHeight = int(dHeight);
    project.m_nFps = int(dFps);
    project.m_bResponsive = stage.value(QStringLiteral("responsive")).toBool(false);
    const QColor background(stage.value(QStringLiteral("background")).toString(QStringLiteral("#ffffff")));
    project.m_background = background.isValid() ? background : QColor(Qt::white);
    project.m_bLoop = root.value(QStringLiteral("loop")).toBool(false);

    QString strProblem;
    if (nFormat == 1) {
        // One scene, its items at the top level, nothing animated.
        if (!readItems(root.value(QStringLiteral("items")), false, &project.m_lstScenes[0], &strProblem)) {
            *pError = strDamaged.arg(strProblem);
            return false;
        }
    } else {
        const QJsonValue scenesValue = root.value(QStringLiteral("scenes"));
        if (!scenesValue.isArray() || scenesValue.toArray().isEmpty()) {
            *pError = strDamaged.arg(tr("it holds no scenes."));
            return false;
        }
        project.m_lstScenes.clear();
        const QJsonArray scenes = scenesValue.toArray();
        for (int i = 0; i < scenes.size(); ++i) {
            const QJsonObject object = scenes.at(i).toObject();
            Scene scene;
            scene.strId = project.newSceneId();
            scene.strName = object.value(QStringLiteral("name")).toString().trimmed();
            if (scene.strName.isEmpty())
                scene.strName = project.newSceneName();
            if (!readNumber(object, "duration", s_dMinDuration, s_dMaxDuration, &scene.dDuration)) {
                *pError = strDamaged.arg(tr("scene %1 has no valid duration.").arg(i + 1));
                return false;
            }
            if (!readItems(object.value(QStringLiteral("items")), true, &scene, &strProblem)) {
                *pError = strDamaged.arg(tr("scene %1: %2").arg(i + 1).arg(strProblem));
                return false;
            }
            project.m_lstScenes.append(scene);
        }
    }
    *this = project;
    if (pFormat)
        *pFormat = nFormat;
    return true;
}

QByteArray SceneProject::toPack(QString *pError) const
{
    QList<TarArchive::Entry> lstEntries;
    lstEntries.append(TarArchive::Entry(QString::fromLatin1(s_projectEntry), toJson()));
    for (const QString &strImage : imagesInUse()) {
        if (m_mapImages.contains(strImage))
            lstEntries.append(TarArchive::Entry(strImage, m_mapImages.value(strImage)));
    }
    return TarArchive::write(lstEntries, pError);
}

bool SceneProject::fromPack(const QByteArray &data, QString *pError, int *pFormat, QStringList *pRefusedImages)
{
    QList<TarArchive::Entry> lstEntries;
    if (!TarArchive::read(data, &lstEntries, pError))
        return false;
    QByteArray json;
    bool bFound = false;
    QMap<QString, QByteArray> mapImages;
    QStringList lstRefused;
    for (const TarArchive::Entry &entry : qAsConst(lstEntries)) {
        if (entry.first == QLatin1String(s_projectEntry)) {
            json = entry.second;
            bFound = true;
        } else if (isValidImageRef(entry.first)) {
            // The same limits as for the images beside a project file: a
            // refused image is missing, and so never written back either.
            QString strProblem = entry.second.size() > ProjectFile::s_nMaxImageSize
                                     ? ProjectFile::tooLargeReason(ProjectFile::s_nMaxImageSize)
                                     : imageSizeProblem(entry.second);
            if (strProblem.isEmpty())
                mapImages.insert(entry.first, entry.second);
            else
                lstRefused.append(tr("%1: %2").arg(entry.first, strProblem));
        }
        // Anything else in the archive is ignored: it is never extracted.
    }
    if (!bFound) {
        *pError = tr("The packed project holds no %1.").arg(QString::fromLatin1(s_projectEntry));
        return false;
    }
    if (!fromJson(json, pError, pFormat))
        return false;
    m_mapImages = mapImages;
    if (pRefusedImages)
        *pRefusedImages += lstRefused;
    return true;
}

bool SceneProject::save(const QString &strFile, QString *pError) const
{
    if (isPackFile(strFile)) {
        const QByteArray pack = toPack(pError);
        return !pack.isEmpty() && ProjectFile::write(strFile, pack, pError);
    }

    // Images first: a project file never points at images that are not there.
    const QDir folder = QFileInfo(strFile).absoluteDir();
    for (const QString &strImage : imagesInUse()) {
        if (!m_mapImages.contains(strImage))
            continue;
        const QString strImageFile = folder.absoluteFilePath(strImage);
        const QString strImageFolder = QFileInfo(strImageFile).absolutePath();
        if (!folder.mkpath(strImageFolder)) {
            *pError = tr("Could not create the folder %1.").arg(QDir::toNativeSeparators(strImageFolder));
            return false;
        }
        // Nothing is written through a link out of the project folder.
        if (!PathCheck::isInside(strImageFolder, folder.absolutePath())) {
            *pError = tr("Could not save the images: the folder %1 leads outside the project folder.")
                          .arg(QDir::toNativeSeparators(strImageFolder));
            return false;
        }
        // Names are derived from the content, so a file of the same name and
        // size already holds these bytes. Anything else under the name (a
        // link, a FIFO) is not the project's and is replaced, never written
        // through.
        const QFileInfo existing(strImageFile);
        const QByteArray &data = m_mapImages[strImage];
        if (!existing.isSymLink() && existing.isFile() && existing.size() == data.size())
            continue;
        if (!ProjectFile::writeOwn(QFileInfo(strImageFolder).canonicalFilePath() + QLatin1Char('/')
                                       + existing.fileName(),
                                   data, pError))
            return false;
    }
    return ProjectFile::write(strFile, toJson(), pError);
}

bool SceneProject::load(const QString &strFile, QString *pError, int *pFormat, QStringList *pRefusedImages)
{
    QByteArray data;
    if (!ProjectFile::read(strFile, ProjectFile::s_nMaxProjectSize, &data, pError))
        return false;
    if (TarArchive::looksLikeTar(data))
        return fromPack(data, pError, pFormat, pRefusedImages);

    SceneProject project;
    if (!project.fromJson(data, pError, pFormat))
        return false;
    // Missing images are not fatal: the items stay and show a placeholder,
    // so the rest of the work can still be opened and saved. Refused ones
    // are missing too, with the reason.
    const QString strFolder = QFileInfo(strFile).absolutePath();
    for (const QString &strImage : project.imagesInUse()) {
        QByteArray image;
        QString strProblem;
        if (ProjectFile::readInside(strFolder, strImage, ProjectFile::s_nMaxImageSize, &image, &strProblem)
            && (strProblem = imageSizeProblem(image)).isEmpty())
            project.m_mapImages.insert(strImage, image);
        else if (!strProblem.isEmpty() && pRefusedImages)
            pRefusedImages->append(tr("%1: %2").arg(strImage, strProblem));
    }
    *this = project;
    return true;
}

QString SceneProject::addImage(const QByteArray &data, const QString &strSuffix)
{
    QString strExtension = strSuffix.toLower();
    if (!QRegularExpression(QStringLiteral("^[a-z0-9]{1,5}$")).match(strExtension).hasMatch())
        strExtension = QStringLiteral("png");
    const QString strRef = QStringLiteral("images/%1.%2")
                               .arg(QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1)
                                                            .toHex()
                                                            .left(16)),
                                    strExtension);
    m_mapImages.insert(strRef, data);
    return strRef;
}

QString SceneProject::newItemId(int nScene) const
{
    const QList<SceneItem> &lstItems = m_lstScenes.at(nScene).lstItems;
    QSet<QString> setIds;
    for (const SceneItem &item : lstItems)
        setIds.insert(item.strId);
    for (int n = lstItems.size() + 1;; ++n) {
        const QString strId = QStringLiteral("item%1").arg(n);
        if (!setIds.contains(strId))
            return strId;
    }
}

QString SceneProject::newSceneId()
{
    // Ids live only while the project is open; a counter across all
    // projects keeps a scene's id from ever naming another one.
    static quint64 s_nNext = 0;
    return QStringLiteral("scene%1").arg(++s_nNext);
}

QString SceneProject::newSceneName() const
{
    QSet<QString> setNames;
    for (const Scene &scene : m_lstScenes)
        setNames.insert(scene.strName);
    for (int n = m_lstScenes.size() + 1;; ++n) {
        const QString strName = tr("Scene %1").arg(n);
        if (!setNames.contains(strName))
            return strName;
    }
}

int SceneProject::sceneIndex(const QString &strId) const
{
    for (int i = 0; i < m_lstScenes.size(); ++i) {
        if (m_lstScenes.at(i).strId == strId)
            return i;
    }
    return -1;
}

double SceneProject::duration() const
{
    double dDuration = 0;
    for (const Scene &scene : m_lstScenes)
        dDuration += scene.dDuration;
    return dDuration;
}

QStringList SceneProject::imagesInUse() const
{
    QStringList lstImages;
    QSet<QString> setSeen;
    for (const Scene &scene : m_lstScenes) {
        for (const SceneItem &item : scene.lstItems) {
            if (item.type == SceneItem::Image && !setSeen.contains(item.strImage)) {
                setSeen.insert(item.strImage);
                lstImages.append(item.strImage);
            }
        }
    }
    return lstImages;
}

bool SceneProject::isPackFile(const QString &strFile)
{
    const QString strSuffix = QFileInfo(strFile).suffix().toLower();
    return strSuffix == QLatin1String("zeltopack") || strSuffix == QLatin1String("backup");
}

bool SceneProject::isValidImageRef(const QString &strRef)
{
    // One plain file name inside "images/": nothing may point outside the
    // project folder, whatever a damaged or hostile file says.
    static const QRegularExpression s_ref(QStringLiteral("^images/[A-Za-z0-9_-][A-Za-z0-9_.-]{0,80}$"));
    return s_ref.match(strRef).hasMatch() && !strRef.contains(QLatin1String(".."));
}

bool SceneProject::checkImage(const QByteArray &data, QString *pProblem)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        *pProblem = tr("it is not an image that can be shown.");
        return false;
    }
    const QString strSize = imageSizeProblem(data);
    if (!strSize.isEmpty()) {
        *pProblem = strSize + QLatin1Char('.');
        return false;
    }
    return true;
}

QString SceneProject::imageSizeProblem(const QByteArray &data)
{
    // Read as the editor will decode it: the format from the content.
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    // A format that cannot tell its size before decoding could hide any
    // size; bytes that are no image at all show as missing anyway.
    if (!size.isValid())
        return reader.canRead() ? tr("its size cannot be read before it is decoded") : QString();
    if (size.width() > s_nMaxImageSide || size.height() > s_nMaxImageSide
        || qint64(size.width()) * size.height() > s_nMaxImagePixels)
        return tr("it measures %1 × %2 pixels; images of up to %3 megapixels and %4 pixels on a side are opened")
            .arg(size.width())
            .arg(size.height())
            .arg(s_nMaxImagePixels / (1024 * 1024))
            .arg(s_nMaxImageSide);
    return QString();
}

QString SceneProject::imageMimeType(const QString &strRef)
{
    const QString strSuffix = QFileInfo(strRef).suffix().toLower();
    if (strSuffix == QLatin1String("jpg") || strSuffix == QLatin1String("jpeg"))
        return QStringLiteral("image/jpeg");
    if (strSuffix == QLatin1String("gif"))
        return QStringLiteral("image/gif");
    if (strSuffix == QLatin1String("svg"))
        return QStringLiteral("image/svg+xml");
    if (strSuffix == QLatin1String("webp"))
        return QStringLiteral("image/webp");
    return QStringLiteral("image/png");
}
