#pragma once

#include "core/core_global.h"

#include <QObject>

class IDocument;

// Base of every editor. An editor is bound to one document once, right after
// it is created, and re-emits the document's notifications as its own.
class CORE_EXPORT IEditor : public QObject
{
    Q_OBJECT

public:
    IEditor();
    ~IEditor() override;

    IDocument *getDocument() const;
    void setDocument(IDocument *pDocument);

signals:
    void documentLoaded();
    void documentDataChanged(QObject *pUpdateInfo);
    void documentUnloading();
    void documentTitleChanged();
    void documentModifyChanged(bool isModified);
    void aboutToActivate();
    void aboutToDeactivate();
    void undoStackChanged();

private:
    IDocument *m_pDocument = nullptr;   // not owned
};
