#include "notesoptionsdialog.h"
#include "ui_notesoptionsdialog.h"

#include "core/icore.h"
#include "core/options/ioptionpage.h"

#include <QPushButton>

NotesOptionsDialog::NotesOptionsDialog()
    : IOptionsDlg(nullptr, Qt::WindowFlags())
    , m_pUi(new Ui::NotesOptionsDialog)
{
    m_pUi->setupUi(this);
    // The base class's slots, connected by name as the framework intends.
    connect(m_pUi->m_pButtons->button(QDialogButtonBox::Ok), SIGNAL(clicked()), this, SLOT(onOK()));
    connect(m_pUi->m_pButtons->button(QDialogButtonBox::Cancel), SIGNAL(clicked()), this, SLOT(onCancel()));
    connect(m_pUi->m_pButtons->button(QDialogButtonBox::Apply), SIGNAL(clicked()), this, SLOT(onApply()));
    connect(m_pUi->m_pPageList, SIGNAL(currentRowChanged(int)), this, SLOT(onPageChanged(int)));
}

NotesOptionsDialog::~NotesOptionsDialog()
{
    delete m_pUi;
}

void NotesOptionsDialog::addOptionPage(IOptionPage *pPage)
{
    m_lstPages.append(pPage);
    m_pUi->m_pPageStack->addWidget(pPage);   // the stack, a child of the dialog, takes the page
    m_pUi->m_pPageList->addItem(pPage->windowTitle());
    if (m_pUi->m_pPageList->currentRow() < 0)
        m_pUi->m_pPageList->setCurrentRow(0);
}

void NotesOptionsDialog::showOptionsDialog()
{
    for (IOptionPage *pPage : qAsConst(m_lstPages))
        pPage->initValues();
    exec();
}

void NotesOptionsDialog::onApply()
{
    saveAllChanges();
}

void NotesOptionsDialog::onCancel()
{
    discardAllChanges();
    reject();
}

void NotesOptionsDialog::onOK()
{
    saveAllChanges();
    accept();
}

void NotesOptionsDialog::onPageChanged(int nPage)
{
    if (nPage >= 0 && nPage < m_lstPages.size())
        m_pUi->m_pPageStack->setCurrentIndex(nPage);
}

void NotesOptionsDialog::saveAllChanges()
{
    for (IOptionPage *pPage : qAsConst(m_lstPages)) {
        if (pPage->isChanged())
            pPage->saveChanges();
    }
    ICore::saveSettings();
}

void NotesOptionsDialog::discardAllChanges()
{
    for (IOptionPage *pPage : qAsConst(m_lstPages))
        pPage->discardChanges();
}

void NotesOptionsDialog::setCurrentPage(int nPage)
{
    if (nPage >= 0 && nPage < m_lstPages.size())
        m_pUi->m_pPageList->setCurrentRow(nPage);
}
