#include "core/documents/idocumentfactory.h"

IDocumentFactory::IDocumentFactory(QObject *parent)
    : QObject(parent)
{
}

IDocumentFactory::~IDocumentFactory() = default;
