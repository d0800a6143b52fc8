#pragma once

#include "extensionsystem/iplugin.h"

QT_BEGIN_NAMESPACE
class QAction;
QT_END_NAMESPACE

class NotesDocumentFactory;

// Plain-text notes: the document type (its factory in the object pool), the
// commands File > New Note... and Edit > Insert Date, and the "Notes" page of
// the preferences.
class NotesPlugin : public ExtensionSystem::IPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.PELUM.Zelto.Plugin" FILE "notes.json")

public:
    NotesPlugin();
    ~NotesPlugin() override;

    bool initialize(const QStringList &arguments, QString *errorString) override;
    void extensionsInitialized() override;
    ShutdownFlag aboutToShutdown() override;

private slots:
    void newNote();

private:
    NotesDocumentFactory *m_pFactory = nullptr;   // child of the plug-in
    bool m_bFactoryInPool = false;
    QAction *m_pNewNoteAction = nullptr;          // children of the plug-in
    QAction *m_pInsertDateAction = nullptr;
};
