#pragma once

#include "core/documents/idocument.h"

QT_BEGIN_NAMESPACE
class QTextDocument;
QT_END_NAMESPACE

// A plain-text note: a UTF-8 text file with the suffix ".note". The text
// lives in a QTextDocument that the editor shows; each edit of it becomes a
// step on the document's QUndoStack, so the main window's Save command and
// the shared undo group follow the note's edits.
class NotesDocument : public IDocument
{
    Q_OBJECT

public:
    // Larger files are refused: a note is something a person typed.
    static const qint64 MaxFileSize = 16 * 1024 * 1024;

    explicit NotesDocument(QObject *parent = nullptr);
    ~NotesDocument() override;

    QTextDocument *textDocument() const { return m_pText; }
    QString title() const;

    bool initNewDocument(int value1, int value2, int value3, bool option) override;

public slots:
    bool open() override;
    bool save() override;
    bool save(const QString &strFile) override;
    bool saveAs() override;
    bool revert() override;

private:
    bool load();
    void markSaved();
    void reportProblem(const QString &strText);

    QTextDocument *m_pText;   // child of this document
    bool m_bLoading = false;  // while the text is replaced, it is not an edit
};
