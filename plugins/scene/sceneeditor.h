#pragma once

#include "core/documents/ieditor.h"

#include <QPointer>

QT_BEGIN_NAMESPACE
class QAction;
class QMdiSubWindow;
QT_END_NAMESPACE

class SceneDocument;
class SceneEditorWidget;

// The editor of a scene project: a SceneEditorWidget in a subwindow of the
// main window's work area. Its widget is a command context of its own, for
// the editor's commands (play, add shapes, the undo history, rename and
// stacking) and for the core's Edit commands, which act on the stage's items.
class SceneEditor : public IEditor
{
    Q_OBJECT

public:
    SceneEditor();
    ~SceneEditor() override;

    SceneEditorWidget *getWidget() const;
    SceneDocument *getSceneDocument() const;

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;

private slots:
    void onDocumentLoaded();
    void onActivate();
    void updateCaption();
    // The document is closing: the window and the commands go at once, even
    // when the editor object itself is deleted later.
    void detach();

private:
    void registerCommands();
    void unregisterCommands();

    QPointer<SceneDocument> m_pSceneDocument;   // cleared when the document is deleted
    QPointer<SceneEditorWidget> m_pWidget;   // owned: deleted with the editor
    QPointer<QMdiSubWindow> m_pSubWindow;    // owned by the work area; closed with the editor
    bool m_bCommandsRegistered = false;
};
