#include "notesoptionpage.h"
#include "ui_notesoptionpage.h"

#include "noteseditor.h"
#include "notessettings.h"

#include "core/documents/editormanager.h"

//! [option-page]
NotesOptionPage::NotesOptionPage(QWidget *parent)
    : IOptionPage(parent)
    , m_pUi(new Ui::NotesOptionPage)
{
    m_pUi->setupUi(this);   // the form's window title names the page in the dialog
    connect(m_pUi->m_pWrapCheck, &QAbstractButton::toggled, this, [this]() {
        setChanged(true);
        emit dataChanged();
    });
}

NotesOptionPage::~NotesOptionPage()
{
    delete m_pUi;
}

// The dialog calls this each time it opens: the page shows what is stored.
void NotesOptionPage::initValues()
{
    IOptionPage::initValues();
    const QSignalBlocker blocker(m_pUi->m_pWrapCheck);
    m_pUi->m_pWrapCheck->setChecked(NotesSettings::wrapLines());
    setNeedInitConfig2UI();
}

void NotesOptionPage::saveChanges()
{
    const bool bWrap = m_pUi->m_pWrapCheck->isChecked();
    NotesSettings::setWrapLines(bWrap);
    for (IEditor *pEditor : EditorManager::getEditors()) {
        if (auto *pNotesEditor = qobject_cast<NotesEditor *>(pEditor))
            pNotesEditor->setWrapLines(bWrap);
    }
    IOptionPage::saveChanges();
}

void NotesOptionPage::discardChanges()
{
    initValues();
    IOptionPage::discardChanges();
}
//! [option-page]
