#pragma once

#include "core/core_global.h"

#include <QList>
#include <QObject>

class EditorManagerPrivate;
class IDocument;
class IEditor;
class MainWindow;

// The process-wide registry of editors and of the one active editor; the
// main window's file commands act on the active editor's document.
class CORE_EXPORT EditorManager : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    ~EditorManager() override;

    static EditorManager *getInstance();

    static void addEditor(IEditor *pEditor);
    static bool removeEditor(IEditor *pEditor);
    static IEditor *activeEditor();
    static IEditor *getEditorOfDocument(IDocument *pDocument);
    static const QList<IEditor *> &getEditors();

signals:
    void editorActivated(IEditor *pEditor);
    // For an editor deleted while active, pEditor is already being destroyed:
    // receivers may compare it but must not use it.
    void editorDeactivated(IEditor *pEditor);

public slots:
    static void activateEditor(IEditor *pEditor);

private slots:
    void editorDestroyed(QObject *pObject);

private:
    EditorManager();

    EditorManagerPrivate *d;   // owned
};
