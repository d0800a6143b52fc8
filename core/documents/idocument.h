#pragma once

#include "core/core_global.h"

#include <QObject>
#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QUndoCommand;
class QUndoStack;
QT_END_NAMESPACE

class IDocumentPrivate;

/**
 * Base of every document the application edits.
 *
 * Concrete document types live in other plug-ins, which derive from it and
 * create their documents through an IDocumentFactory; the core drives them
 * only through these operations. A document is created by the factory, given
 * a file name, then either set up as new (initNewDocument()) or loaded
 * (open()); the main window then binds an editor, registers both and emits
 * aboutToOpen(). It is closed with close() and destroyed by the main window
 * after requestClosing() (see @ref documents).
 *
 * The concrete document creates its QUndoStack and stores it in
 * m_pUndoStack in its constructor; the main window puts it into the shared
 * undo group, whose clean state drives the Save command. GUI thread only.
 */
class CORE_EXPORT IDocument : public QObject
{
    Q_OBJECT

public:
    /** What became of a document's unsaved changes once the user was asked about them before closing it. */
    enum CloseAnswer {
        NothingToSave,   ///< It had no unsaved changes; nobody was asked.
        Saved,           ///< The user chose to save, and saving succeeded.
        Discarded,       ///< The user chose not to save: the changes go when it closes.
        Cancelled        ///< The user cancelled, declined a question of saving, or saving failed: it stays open.
    };

    /** A document with no file name, neither temporary nor opened from a backup. */
    explicit IDocument(QObject *parent = nullptr);
    /** Does not delete the undo stack; the concrete document does. */
    ~IDocument() override;

    /** True when the undo stack is not clean, or the document is temporary (it was never saved under a chosen name). */
    virtual bool isModified() const;
    /** Lets an editor hand an edit to the document, which pushes it on its undo stack; the base does nothing with it. */
    virtual void submitCommand(QUndoCommand *pCommand);
    /**
     * Sets a freshly created document up from the values of the new-document
     * dialog (ICreateDocumentDlg), in the dialog's order; what they mean is the
     * document type's business. The file name is set already.
     *
     * @return false when the document cannot be set up; the main window then deletes it
     */
    virtual bool initNewDocument(int value1, int value2, int value3, bool option) = 0;
    /** Whether the document lives in a temporary place and has no file name chosen by the user yet. */
    virtual bool isTempDocument() const;

    /** The path of the document's file. */
    QString getFileName();
    /** Sets the path of the document's file; emits nothing. */
    void setFileName(const QString &strFileName);
    /** The document's undo stack (m_pUndoStack), owned by the concrete document; nullptr if it made none. */
    QUndoStack *getUndoStack();
    /** Marks the document as temporary; see isTempDocument(). */
    void setIsTempDocument(bool bIsTempDocument);
    /** Whether the document was opened from an automatic backup; Save stays enabled for it. */
    bool isOpenAsBackup() const;
    /** Marks the document as opened from an automatic backup. */
    void setOpenAsBackup(bool bOpenAsBackup);
    /**
     * The question of close() without the closing, for closing several
     * documents at once where nothing may close before every question is
     * answered (quitting the application): when the document is modified,
     * asks whether to save it and saves it on Yes, as close() does. Nothing
     * is emitted and the document stays open; follow it with closeAnswered()
     * once every document had its answer, or with nothing when another one
     * was cancelled.
     *
     * @return Cancelled when the document must stay open (the user was told
     *         why when saving failed); the other values when it may close
     */
    CloseAnswer askToSave();
    /**
     * Closes after askToSave() gave @p answer, without asking again: drops a
     * temporary document the user chose not to keep from the recent projects
     * list and emits aboutToClose(). Whoever called it emits
     * requestClosing() next. Does nothing for Cancelled.
     */
    void closeAnswered(CloseAnswer answer);

public slots:
    /**
     * Loads the document from getFileName(). The base emits aboutToOpen() and
     * returns true; concrete documents read their file.
     *
     * @return false when the file cannot be read, after telling the user why;
     *         the main window then deletes the document
     */
    virtual bool open();
    /**
     * Asks to close the document: when it is modified, asks the user whether to
     * save it ("Save changes made to ...?") and saves it (saveAs() for a
     * temporary document). Emits aboutToClose() when it may go. It destroys
     * nothing: whoever called it emits requestClosing() next.
     *
     * @return false when the user cancelled, declined a question of save()
     *         (see setSaveDeclined()) or saving failed (the user is told);
     *         the document then stays open, unchanged
     *
     * Quitting the application does not call it: the main window asks every
     * document with askToSave() first and closes them all with
     * closeAnswered() only when none was cancelled.
     */
    virtual bool close();
    /**
     * Writes the document to getFileName().
     *
     * @return true on success, after marking the undo stack clean (the main
     *         window then disables Save); false on failure, after telling the
     *         user. The base returns false.
     */
    virtual bool save();
    /** Writes the document to @p strFile. The base returns false. */
    virtual bool save(const QString &strFile);
    /**
     * Asks the user for a new file name and writes the document there, making
     * it the document's file name. The base returns false.
     *
     * @return false when the user cancelled or writing failed
     */
    virtual bool saveAs();
    /** Goes back to the saved file, dropping unsaved changes. The base returns false. */
    virtual bool revert();
    /** Removes the temporary files of a temporary document; the main window calls it before deleting one. The base does nothing. */
    virtual void cleanTempDir();
    /**
     * Writes an automatic backup of unsaved work; the DocumentManager's timer
     * calls it every interval and ignores the result. The base returns false.
     */
    virtual bool saveBackup();
    /**
     * Reads the document again from getFileName(), dropping what is open,
     * after another program changed the file. The DocumentManager watches
     * the files of the registered documents and calls it once the user agreed
     * to reload; the document's undo stack should end up clean.
     *
     * The base does nothing and returns false: a document type that cannot
     * reload keeps what it has open, and counts as modified.
     *
     * @return false when the file could not be read (after telling the user
     *         why); the document then stays as it was
     */
    virtual bool reload();

signals:
    /** The content is ready: emitted by the base open() and by the main window once an editor is bound. Editors relay it as IEditor::documentLoaded(). */
    void aboutToOpen();
    /** The document is about to go: emitted by close() when it returns true. Editors relay it as IEditor::documentUnloading(). */
    void aboutToClose();
    /** For concrete documents to emit when the content changed; @p pObject describes the change. */
    void dataChanged(QObject *pObject);
    /** For concrete documents to emit when the title shown for the document changed. */
    void titleChanged();
    /** For concrete documents to emit when the modified state changed. */
    void modifyChanged(bool isModified);
    /** For concrete documents to emit when the undo stack changed. */
    void undoStackChanged();
    /** For concrete documents to emit a status bar text; the main window shows it while this document belongs to the active editor. */
    void statusChanged(const QString &strStatusTip);
    /**
     * Asks the main window to unregister and delete the document and its
     * editor; emitted after a successful close(). With @p deleteLater the
     * editor is deleted later (safe when the close came from inside it),
     * else at once; the document is deleted at once.
     */
    void requestClosing(bool deleteLater = false);

protected:
    /**
     * Tells close() that the save() it called was declined by the user, not
     * failed. A document whose save() asks the user something (whether to
     * replace a read-only file, say) and returns false on No calls this
     * before it returns; close() then keeps the document open without
     * reporting a failed save. Outside close() it has no effect.
     */
    void setSaveDeclined();
    /**
     * Tells close() that the save() it called failed and has told the user
     * why already (a message box with the reason, say); close() then keeps
     * the document open without a second message. Outside close() it has no
     * effect.
     */
    void setSaveFailureReported();

    QString m_strFileName;   ///< The path of the document's file; see getFileName().
    /**
     * The document's undo stack. Created and owned by the concrete document,
     * which stores it here before the document is registered or asked
     * isModified(); never deleted here.
     */
    QUndoStack *m_pUndoStack = nullptr;
    bool m_bIsTempDocument = false;   ///< See isTempDocument().
    bool m_bOpenAsBackup = false;     ///< See isOpenAsBackup().

private:
    std::unique_ptr<IDocumentPrivate> d;
};
