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

/**
 * The process-wide registry of open documents: one undo group for all of
 * them, one auto-backup timer per document, the breakpoint lists and their
 * settings. It also watches the files of the registered documents: when
 * another program changes one, the user is asked whether to reload it
 * (IDocument::reload()); when one is deleted or moved, the user is told and
 * the document counts as modified, so saving writes it again.
 *
 * The interface is static; the one object, created by the main window before
 * any plug-in is initialised, parents the backup timers and receives their
 * timeouts. The main window registers and unregisters the documents it opens;
 * plug-ins read the registry and change the settings. The registry never
 * deletes a document. GUI thread only.
 *
 * Settings (in the host's user settings): "AutoBackup.Enable" (default true)
 * and "AutoBackup.Interval" (seconds, default 300) in the group "Zelto"; the
 * arrays "Horizontal" and "Vertical" of "Value" and "Enable" in the group
 * "Breakpoints".
 */
class CORE_EXPORT DocumentManager : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    /** Frees the registry and the timers; documents are not deleted. */
    ~DocumentManager() override;

    /** The registry object, or nullptr before the main window created it. */
    static DocumentManager *getInstance();

    /**
     * Registers @p pDocument: puts its undo stack into the undo group, gives
     * it an idle backup timer and watches its file. Null or registered
     * documents are ignored. The main window does this for every document it
     * opens.
     */
    static void addDocument(IDocument *pDocument);
    /**
     * Unregisters @p pDocument: takes its undo stack out of the group,
     * deletes its backup timer and stops watching its file. The document
     * itself is not deleted.
     *
     * @return false when the document was not registered; true otherwise (also for nullptr)
     */
    static bool removeDocument(IDocument *pDocument);
    /**
     * Tells the registry that the application itself has just written the file
     * of @p pDocument (saved it, perhaps under a new name): the file as it is
     * now belongs to the document, so this change is never reported as one by
     * another program, and the watch follows a new file name.
     *
     * The main window calls it after its New, Save and Save As commands; a
     * plug-in that writes a registered document's file on its own calls it
     * after a successful save. Documents that are not registered are ignored.
     */
    static void documentSaved(IDocument *pDocument);
    /** The registered documents, in registration order. */
    static const QList<IDocument *> &getDocuments();
    /** The undo group holding every registered document's stack; its active stack is the active editor's. Owned by the registry. */
    static QUndoGroup *getUndoGroup();

    /** Whether open documents are backed up on a timer (default true). */
    static bool isAutobackupEnabled();
    /** Switches the automatic backups; running timers are neither started nor stopped. */
    static void setAutoBackupEnabled(bool bEnabled);
    /** The seconds between backups (default 300). */
    static int getAutobackupTimeout();
    /** Sets the seconds between backups; takes effect when each timer next starts. */
    static void setAutobackupTimeout(int nSeconds);
    /**
     * (Re)starts @p pDocument's backup timer: IDocument::saveBackup() is
     * called one interval from now, and then one interval after each backup.
     */
    static void startWaitingBackup(IDocument *pDocument);
    /** Stops @p pDocument's backup timer. */
    static void stopWaitingBackup(IDocument *pDocument);
    /**
     * Backs up at once every registered document with unsaved changes
     * (IDocument::saveBackup()), whether automatic backups are on or not.
     * The main window does this when the application ends with documents
     * still open (told to by the system, for example), so their work is
     * kept without a question nobody would answer.
     */
    static void backUpModifiedDocuments();

    /** A copy of the stored horizontal breakpoints (Breakpoint records). */
    static QList<QPair<int, bool>> getHBreakpoints();
    /** A copy of the stored vertical breakpoints (Breakpoint records). */
    static QList<QPair<int, bool>> getVBreakpoints();
    /** Replaces the horizontal breakpoints; saveSettings() writes them. */
    static void setHBreakpoints(QList<QPair<int, bool>> lstBreakpoints);
    /** Replaces the vertical breakpoints; saveSettings() writes them. */
    static void setVBreakpoints(QList<QPair<int, bool>> lstBreakpoints);
    /**
     * Fills the two lists with the stored breakpoints, or with the defaults
     * (horizontal 375, 667, 768, 1024 and 1280, enabled; vertical 345, 522,
     * 620, 674 and 930, disabled) when @p bReset is true or nothing is stored.
     */
    static void initBreakpoints(QList<QPair<int, bool>> &lstHBreakpoints,
                                QList<QPair<int, bool>> &lstVBreakpoints, bool bReset);

    /** The settings readSettings() and saveSettings() use; not owned. The main window passes the host's user settings. */
    static void setSettings(QSettings *pSettings);
    /** Reads the backup switch, the interval and the breakpoints; missing keys keep the current values. */
    static void readSettings();
    /** Writes the backup switch, the interval and the breakpoints; writing to disk is left to ICore::saveSettings(). */
    static void saveSettings();

private slots:
    void onScheduleBackup();

private:
    DocumentManager();

    DocumentManagerPrivate *d;   // owned
};
