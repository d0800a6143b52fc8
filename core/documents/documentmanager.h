#pragma once

#include "core/core_global.h"
#include "core/documents/breakpoint.h"

#include <QList>
#include <QObject>
#include <QPair>

QT_BEGIN_NAMESPACE
class QSettings;
class QUndoGroup;
QT_END_NAMESPACE

class DocumentManagerPrivate;
class IDocument;
class MainWindow;

// The process-wide registry of open documents: one undo group for all of
// them, one auto-backup timer per document, the breakpoint lists and their
// settings. The interface is static; the one object (created by the main
// window) parents the backup timers and receives their timeouts.
class CORE_EXPORT DocumentManager : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    ~DocumentManager() override;

    static DocumentManager *getInstance();

    static void addDocument(IDocument *pDocument);
    static bool removeDocument(IDocument *pDocument);
    static const QList<IDocument *> &getDocuments();
    static QUndoGroup *getUndoGroup();

    static bool isAutobackupEnabled();
    static void setAutoBackupEnabled(bool bEnabled);
    static int getAutobackupTimeout();
    static void setAutobackupTimeout(int nSeconds);
    static void startWaitingBackup(IDocument *pDocument);
    static void stopWaitingBackup(IDocument *pDocument);

    static QList<QPair<int, bool>> getHBreakpoints();
    static QList<QPair<int, bool>> getVBreakpoints();
    static void setHBreakpoints(QList<QPair<int, bool>> lstBreakpoints);
    static void setVBreakpoints(QList<QPair<int, bool>> lstBreakpoints);
    static void initBreakpoints(QList<QPair<int, bool>> &lstHBreakpoints,
                                QList<QPair<int, bool>> &lstVBreakpoints, bool bReset);

    static void setSettings(QSettings *pSettings);
    static void readSettings();
    static void saveSettings();

private slots:
    void onScheduleBackup();

private:
    DocumentManager();

    DocumentManagerPrivate *d;   // owned
};
