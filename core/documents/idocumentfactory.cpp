#include "core/documents/idocumentfactory.h"

IDocumentFactory::IDocumentFactory(QObject *parent)
    : QObject(parent)
{
}

IDocumentFactory::~IDocumentFactory() = default;

QString IDocumentFactory::getDocumentTypeName()
{
    const QStringList lstSuffixes = getSupportedSuffixes();
    return tr("%1 documents").arg(lstSuffixes.isEmpty() ? QString() : lstSuffixes.constFirst().toUpper());
}
