#include "core/documents/documentfactories_p.h"

#include "core/documents/idocumentfactory.h"
#include "extensionsystem/pluginmanager.h"

#include <QFileInfo>
#include <QReadLocker>

QList<IDocumentFactory *> DocumentFactories::all()
{
    QList<QObject *> lstObjects;
    {
        QReadLocker locker(ExtensionSystem::PluginManager::listLock());
        lstObjects = ExtensionSystem::PluginManager::allObjects();
    }
    QList<IDocumentFactory *> lstFactories;
    for (QObject *pObject : qAsConst(lstObjects)) {
        if (auto *pFactory = qobject_cast<IDocumentFactory *>(pObject))
            lstFactories.append(pFactory);
    }
    return lstFactories;
}

IDocumentFactory *DocumentFactories::forFile(const QString &strFileName)
{
    return forFile(all(), strFileName);
}

IDocumentFactory *DocumentFactories::forFile(const QList<IDocumentFactory *> &lstFactories,
                                             const QString &strFileName)
{
    const QString strSuffix = QFileInfo(strFileName).suffix().toLower();
    for (IDocumentFactory *pFactory : lstFactories) {
        if (pFactory->getSupportedSuffixes().contains(strSuffix))
            return pFactory;
    }
    return nullptr;
}
