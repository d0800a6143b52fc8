#pragma once

#include "core/documents/breakpoint.h"

#include <QList>
#include <QMap>

QT_BEGIN_NAMESPACE
class QSettings;
class QTimer;
class QUndoGroup;
QT_END_NAMESPACE

class DocumentFileWatcher;
class IDocument;

class DocumentManagerPrivate
{
public:
    DocumentManagerPrivate();
    ~DocumentManagerPrivate();

    QTimer *timerOf(IDocument *pDocument) const;

    QList<IDocument *> m_lstDocuments;          // not owned
    QUndoGroup *m_pUndoGroup;                   // owned
    bool m_bAutoBackupEnabled = true;
    int m_nAutoBackupInterval = 300;            // seconds
    QSettings *m_pSettings = nullptr;           // not owned
    QMap<QTimer *, IDocument *> m_mapBackupTimers;   // timers are children of the manager
    QList<Breakpoint> m_lstHBreakpoints;
    QList<Breakpoint> m_lstVBreakpoints;
    DocumentFileWatcher *m_pFileWatcher = nullptr;   // a child of the manager
};
