#pragma once

#include <QList>
#include <QString>

class IDocumentFactory;

// The document types the plug-ins brought: the IDocumentFactory objects of
// the host's object pool, in pool order. Every way a file arrives (File >
// Open, a drop, the welcome page, the command line, another start of the
// application) finds its type here, so none of them knows a suffix of its own.
class DocumentFactories
{
public:
    // Every factory of the pool, in pool order; read under the pool's lock.
    static QList<IDocumentFactory *> all();
    // The first factory whose IDocumentFactory::getSupportedSuffixes() holds
    // the suffix of strFileName in lower case; nullptr when none does.
    static IDocumentFactory *forFile(const QString &strFileName);
    static IDocumentFactory *forFile(const QList<IDocumentFactory *> &lstFactories, const QString &strFileName);
};
