#pragma once

#include "core/core_global.h"

#include <QObject>

#include <memory>

class IDocument;

class IEditorPrivate;

/**
 * Base of every editor: the object through which the user works on one
 * document.
 *
 * An editor is created by an IDocumentFactory, bound to one document once,
 * right after it is created, and re-emits the document's notifications as its
 * own. The core has no editor widgets: a concrete editor makes its widget when
 * the document is loaded (documentLoaded()) and puts it into the main window's
 * work area (MainWindow::getMdiArea()).
 *
 * The main window owns the editor once it registered it, and deletes it when
 * its document closes; the editor does not own the document. GUI thread only.
 */
class CORE_EXPORT IEditor : public QObject
{
    Q_OBJECT

public:
    /** An editor without document and without parent. */
    IEditor();
    /** The EditorManager forgets a registered editor when it is destroyed. */
    ~IEditor() override;

    /** The bound document, or nullptr; not owned. */
    IDocument *getDocument() const;
    /** Binds @p pDocument and relays its signals as this editor's; call it once, right after creating the editor. */
    void setDocument(IDocument *pDocument);

signals:
    /** The document's content is ready (IDocument::aboutToOpen()): the moment to build the editor's widget. */
    void documentLoaded();
    /** Relays IDocument::dataChanged(). */
    void documentDataChanged(QObject *pUpdateInfo);
    /** The document is about to close (IDocument::aboutToClose()): take the widget down. */
    void documentUnloading();
    /** Relays IDocument::titleChanged(). */
    void documentTitleChanged();
    /** Relays IDocument::modifyChanged(). */
    void documentModifyChanged(bool isModified);
    /** The EditorManager is making this editor the active one; emitted before EditorManager::editorActivated(). */
    void aboutToActivate();
    /** The EditorManager is making another editor (or none) active; emitted before EditorManager::editorDeactivated(). */
    void aboutToDeactivate();
    /** Relays IDocument::undoStackChanged(). */
    void undoStackChanged();

private:
    std::unique_ptr<IEditorPrivate> d;
};
