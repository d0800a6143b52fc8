#include "sceneoptionsdialog.h"

#include "breakpointsoptionpage.h"
#include "generaloptionpage.h"
#include "shortcutsoptionpage.h"

#include "core/core_global.h"
#include "core/icore.h"
#include "core/iui.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

SceneOptionsDialog::SceneOptionsDialog()
    : IOptionsDlg(nullptr, Qt::WindowFlags())
{
    setObjectName(QStringLiteral("SceneOptionsDialog"));
    setWindowTitle(tr("Preferences"));
    m_pPageList = new QListWidget(this);
    m_pPageList->setObjectName(QStringLiteral("m_pPageList"));
    m_pPageList->setFixedWidth(170);
    m_pPageStack = new QStackedWidget(this);
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);

    auto *pBody = new QHBoxLayout();
    pBody->addWidget(m_pPageList);
    pBody->addWidget(m_pPageStack, 1);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pBody, 1);
    pLayout->addWidget(m_pButtons);
    resize(760, 520);

    m_pGeneralPage = new GeneralOptionPage(m_pPageStack);
    m_pBreakpointsPage = new BreakpointsOptionPage(m_pPageStack);
    m_pShortcutsPage = new ShortcutsOptionPage(m_pPageStack);
    addOptionPage(m_pGeneralPage);
    addOptionPage(m_pBreakpointsPage);
    addOptionPage(m_pShortcutsPage);

    // The base class's slots, connected by name as the framework intends.
    connect(m_pButtons->button(QDialogButtonBox::Ok), SIGNAL(clicked()), this, SLOT(onOK()));
    connect(m_pButtons->button(QDialogButtonBox::Cancel), SIGNAL(clicked()), this, SLOT(onCancel()));
    connect(m_pButtons->button(QDialogButtonBox::Apply), SIGNAL(clicked()), this, SLOT(onApply()));
    connect(m_pPageList, SIGNAL(currentRowChanged(int)), this, SLOT(onPageChanged(int)));
    m_pPageList->setCurrentRow(0);
}

SceneOptionsDialog::~SceneOptionsDialog() = default;

void SceneOptionsDialog::addOptionPage(IOptionPage *pPage)
{
    m_lstPages.append(pPage);
    m_pPageStack->addWidget(pPage);
    m_pPageList->addItem(pPage->windowTitle());
}

void SceneOptionsDialog::showOptionsDialog()
{
    // Every opening starts from the stored configuration.
    for (IOptionPage *pPage : qAsConst(m_lstPages))
        pPage->initValues();
    exec();
}

void SceneOptionsDialog::onApply()
{
    applyChanges();
}

void SceneOptionsDialog::onCancel()
{
    discardAllChanges();
    reject();
}

void SceneOptionsDialog::onOK()
{
    if (applyChanges())
        accept();
}

void SceneOptionsDialog::onPageChanged(int nPage)
{
    if (nPage >= 0 && nPage < m_lstPages.size())
        m_pPageStack->setCurrentIndex(nPage);
}

bool SceneOptionsDialog::applyChanges()
{
    // Two commands on one key would make the key do nothing; that is settled
    // before anything is written.
    const QStringList lstConflicts = m_pShortcutsPage->conflicts();
    if (!lstConflicts.isEmpty()) {
        setCurrentPage(m_lstPages.indexOf(m_pShortcutsPage));
        IUi::warning(this, QStringLiteral(ZELTO_APP_TITLE),
                     tr("Some shortcuts are used by more than one command:\n\n%1\n\nGive each command its own "
                        "shortcut or clear one of them.")
                         .arg(lstConflicts.join(QLatin1Char('\n'))),
                     QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    saveAllChanges();
    return true;
}

void SceneOptionsDialog::saveAllChanges()
{
    for (IOptionPage *pPage : qAsConst(m_lstPages)) {
        if (pPage->isChanged())
            pPage->saveChanges();
    }
    ICore::saveSettings();
}

void SceneOptionsDialog::discardAllChanges()
{
    for (IOptionPage *pPage : qAsConst(m_lstPages))
        pPage->discardChanges();
}

void SceneOptionsDialog::setCurrentPage(int nPage)
{
    if (nPage >= 0 && nPage < m_lstPages.size())
        m_pPageList->setCurrentRow(nPage);
}

void SceneOptionsDialog::closeEvent(QCloseEvent *pEvent)
{
    discardAllChanges();
    IOptionsDlg::closeEvent(pEvent);
}
