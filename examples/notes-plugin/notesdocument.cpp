#include "notesdocument.h"

#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/ui/ztnotificationbar.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPlainTextDocumentLayout>
#include <QSaveFile>
#include <QTextDocument>
#include <QUndoCommand>
#include <QUndoStack>

Q_LOGGING_CATEGORY(lcNotes, "zelto.notes")

namespace {

// One edit of the text as a step of the document's undo stack. The text
// document keeps the edit itself; the step only moves it back and forth, so
// the stack's clean state tells the main window whether the note is saved.
class TextEditStep : public QUndoCommand
{
public:
    explicit TextEditStep(QTextDocument *pText)
        : m_pText(pText)
    {
        setText(QCoreApplication::translate("NotesDocument", "Typing"));
    }

    void undo() override { m_pText->undo(); }
    void redo() override
    {
        // Pushing the step runs redo() once; the edit has happened already.
        if (m_bDone)
            m_pText->redo();
        m_bDone = true;
    }

private:
    QTextDocument *m_pText;
    bool m_bDone = false;
};

} // namespace

//! [document-undo]
NotesDocument::NotesDocument(QObject *parent)
    : IDocument(parent)
    , m_pText(new QTextDocument(this))
{
    // The core reads the stack from m_pUndoStack, so it must exist before the
    // document is registered; the document owns it.
    m_pUndoStack = new QUndoStack(this);
    m_pText->setDocumentLayout(new QPlainTextDocumentLayout(m_pText));
    connect(m_pText, &QTextDocument::undoCommandAdded, this, [this]() {
        if (!m_bLoading)
            m_pUndoStack->push(new TextEditStep(m_pText));
    });
    connect(m_pUndoStack, &QUndoStack::cleanChanged, this,
            [this](bool bClean) { emit modifyChanged(!bClean); });
}
//! [document-undo]

NotesDocument::~NotesDocument() = default;

QString NotesDocument::title() const
{
    return QFileInfo(m_strFileName).completeBaseName();
}

bool NotesDocument::initNewDocument(int, int, int, bool)
{
    // A new note is empty; the main window saves it right away.
    m_bLoading = true;
    m_pText->setPlainText(QString());
    m_bLoading = false;
    m_pUndoStack->clear();
    m_pText->setModified(false);
    return true;
}

//! [document-open]
bool NotesDocument::open()
{
    if (!load())
        return false;
    emit aboutToOpen();
    return true;
}

bool NotesDocument::load()
{
    // The file comes from outside: bounded, and only UTF-8 text, so that
    // saving it again can never change bytes the user did not edit.
    QFile file(m_strFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        reportProblem(tr("Could not open the note %1: %2").arg(m_strFileName, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        reportProblem(tr("The note %1 is larger than 16 MB; it was not opened.").arg(m_strFileName));
        return false;
    }
    const QString strText = QString::fromUtf8(bytes);
    if (bytes.contains('\0') || strText.toUtf8() != bytes) {
        reportProblem(tr("The file %1 is not UTF-8 text; it was not opened.").arg(m_strFileName));
        return false;
    }
    m_bLoading = true;
    m_pText->setPlainText(strText);
    m_bLoading = false;
    m_pUndoStack->clear();
    m_pText->setModified(false);
    return true;
}
//! [document-open]

bool NotesDocument::save()
{
    return save(m_strFileName);
}

bool NotesDocument::save(const QString &strFile)
{
    // Written to a temporary file and renamed: a failed save never leaves
    // half a note behind.
    QSaveFile file(strFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_pText->toPlainText().toUtf8()) < 0 || !file.commit()) {
        reportProblem(tr("Could not save the note %1: %2").arg(strFile, file.errorString()));
        return false;
    }
    if (strFile == m_strFileName)
        markSaved();
    return true;
}

bool NotesDocument::saveAs()
{
    QFileDialog dialog(ICore::getMainWindow(), tr("Save Note As"), m_strFileName, tr("Notes (*.note)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("note"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString strFile = dialog.selectedFiles().constFirst();
    if (!save(strFile))
        return false;
    m_strFileName = strFile;
    markSaved();
    emit titleChanged();
    return true;
}

bool NotesDocument::revert()
{
    return load();
}

void NotesDocument::markSaved()
{
    m_pUndoStack->setClean();
    // The text document merges typing into its last undo step while it is
    // modified; an edit after a save must start a step of its own, or the
    // undo stack would still count as clean.
    m_pText->setModified(false);
}

//! [notification]
void NotesDocument::reportProblem(const QString &strText)
{
    // A problem with one file is worth a line, not a modal box: the bar
    // stays until the user closes it or the next message replaces it.
    qCWarning(lcNotes, "%s", qUtf8Printable(strText.left(200)));
    if (MainWindow *pMainWindow = ICore::getMainWindow())
        pMainWindow->showNotification(strText, ZTNotificationBar::Warning, QString(), true);
}
//! [notification]
