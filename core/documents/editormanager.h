#pragma once

#include "core/core_global.h"

#include <QList>
#include <QObject>

class EditorManagerPrivate;
class IDocument;
class IEditor;
class MainWindow;

/**
 * The process-wide registry of editors and of the one active editor; the
 * main window's file commands (Save, Save As, Close) act on the active
 * editor's document.
 *
 * The main window creates the one object before any plug-in is initialised,
 * and registers and activates the editors it creates. Editors that show their
 * document in a subwindow activate themselves when their subwindow becomes
 * active. The registry never deletes an editor. GUI thread only.
 */
class CORE_EXPORT EditorManager : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    /** Frees the registry; editors are not deleted. */
    ~EditorManager() override;

    /** The registry object, or nullptr before the main window created it. Connect to its signals through it. */
    static EditorManager *getInstance();

    /** Registers @p pEditor; it does not become active. Null or registered editors are ignored. */
    static void addEditor(IEditor *pEditor);
    /**
     * Unregisters @p pEditor; when it was active, the editor after it (or
     * before it, for the last one) becomes active. A destroyed editor leaves
     * the registry by itself.
     *
     * @return false when the editor was not registered; true otherwise (also for nullptr)
     */
    static bool removeEditor(IEditor *pEditor);
    /** The active editor, or nullptr. */
    static IEditor *activeEditor();
    /** The first registered editor bound to @p pDocument, or nullptr. */
    static IEditor *getEditorOfDocument(IDocument *pDocument);
    /** The registered editors, in registration order. */
    static const QList<IEditor *> &getEditors();

signals:
    /** @p pEditor became the active editor; emitted after its IEditor::aboutToActivate(). */
    void editorActivated(IEditor *pEditor);
    /**
     * @p pEditor stopped being the active editor; emitted after its
     * IEditor::aboutToDeactivate() and before the next editor is activated.
     * For an editor deleted while active, @p pEditor is already being
     * destroyed: receivers may compare it but must not use it.
     */
    void editorDeactivated(IEditor *pEditor);

public slots:
    /** Makes @p pEditor the active editor (nullptr: none); activating the active editor again does nothing. */
    static void activateEditor(IEditor *pEditor);

private slots:
    void editorDestroyed(QObject *pObject);

private:
    EditorManager();

    EditorManagerPrivate *d;   // owned
};
