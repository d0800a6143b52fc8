#include "sceneclipboard.h"

#include "projectfile.h"

#include <QFileInfo>
#include <QMimeData>

const char SceneClipboard::s_mimeType[] = "application/x-zelto-items";

QMimeData *SceneClipboard::mimeData(const SceneProject &project, int nScene, const QStringList &lstIds)
{
    SceneProject copy;
    copy.m_nWidth = project.m_nWidth;
    copy.m_nHeight = project.m_nHeight;
    copy.m_nFps = project.m_nFps;
    const Scene &source = project.m_lstScenes.at(nScene);
    Scene &scene = copy.m_lstScenes[0];
    // The keyframes must fit the scene they travel in.
    scene.dDuration = source.dDuration;
    QStringList lstNames;
    for (const SceneItem &item : source.lstItems) {
        if (!lstIds.contains(item.strId))
            continue;
        scene.lstItems.append(item);
        if (item.type == SceneItem::Image && project.m_mapImages.contains(item.strImage))
            copy.m_mapImages.insert(item.strImage, project.m_mapImages.value(item.strImage));
        lstNames.append(tr("%1 (%2)").arg(item.displayName(), SceneItem::typeLabel(item.type)));
    }
    auto *pData = new QMimeData;
    QString strError;
    const QByteArray pack = copy.toPack(&strError);
    if (!pack.isEmpty())
        pData->setData(QLatin1String(s_mimeType), pack);
    pData->setText(lstNames.join(QLatin1Char('\n')));
    return pData;
}

bool SceneClipboard::read(const QMimeData *pData, SceneProject *pItems, QString *pError)
{
    if (!pData || !pData->hasFormat(QLatin1String(s_mimeType))) {
        *pError = tr("The clipboard holds nothing that can be pasted into a scene.");
        return false;
    }
    return read(pData->data(QLatin1String(s_mimeType)), pItems, pError);
}

bool SceneClipboard::read(const QByteArray &data, SceneProject *pItems, QString *pError)
{
    const QString strRefused = tr("The items on the clipboard cannot be pasted: %1");
    if (data.size() > ProjectFile::s_nMaxProjectSize) {
        *pError = strRefused.arg(tr("they are too large."));
        return false;
    }
    SceneProject items;
    QString strProblem;
    QStringList lstRefusedImages;
    if (!items.fromPack(data, &strProblem, nullptr, &lstRefusedImages)) {
        *pError = strRefused.arg(strProblem);
        return false;
    }
    // A project opens without an image it refuses; a paste that would lose
    // one is refused whole, so the user knows why.
    if (!lstRefusedImages.isEmpty()) {
        *pError = strRefused.arg(tr("the image %1.").arg(lstRefusedImages.first()));
        return false;
    }
    if (items.m_lstScenes.size() != 1) {
        *pError = strRefused.arg(tr("they are not the items of one scene."));
        return false;
    }
    for (const QString &strImage : items.imagesInUse()) {
        const auto image = items.m_mapImages.constFind(strImage);
        if (image != items.m_mapImages.constEnd() && !SceneProject::checkImage(*image, &strProblem)) {
            *pError = strRefused.arg(tr("the image %1: %2").arg(strImage, strProblem));
            return false;
        }
    }
    *pItems = items;
    return true;
}

QStringList SceneClipboard::paste(SceneProject *pProject, int nScene, const SceneProject &items, double dOffset)
{
    QStringList lstIds;
    if (nScene < 0 || nScene >= pProject->m_lstScenes.size() || items.m_lstScenes.isEmpty())
        return lstIds;
    const double dLimit = SceneProject::s_dMaxCoordinate;
    const auto moved = [&](double dValue) { return qBound(-dLimit, dValue + dOffset, dLimit); };
    double dLastKeyframe = 0;
    for (SceneItem item : items.m_lstScenes.constFirst().lstItems) {
        item.strId = pProject->newItemId(nScene);
        item.rect.moveTopLeft(QPointF(moved(item.rect.x()), moved(item.rect.y())));
        for (SceneItem::Property property : {SceneItem::X, SceneItem::Y}) {
            for (Keyframe &keyframe : item.tracks[property])
                keyframe.value = moved(keyframe.value.toDouble());
        }
        for (const QList<Keyframe> &track : item.tracks) {
            if (!track.isEmpty())
                dLastKeyframe = qMax(dLastKeyframe, track.constLast().dTime);
        }
        // Stored again under the name its content gives, which may be one
        // this project already has; never under a name the data chose.
        if (item.type == SceneItem::Image && items.m_mapImages.contains(item.strImage))
            item.strImage = pProject->addImage(items.m_mapImages.value(item.strImage), QFileInfo(item.strImage).suffix());
        pProject->m_lstScenes[nScene].lstItems.append(item);
        lstIds.append(item.strId);
    }
    Scene &scene = pProject->m_lstScenes[nScene];
    scene.dDuration = qMax(scene.dDuration, dLastKeyframe);
    return lstIds;
}
