#include "breakpointsoptionpage.h"

#include "scenesettings.h"

#include "core/documents/documentmanager.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QList<QPair<int, bool>> readList(const QListWidget *pList)
{
    QList<QPair<int, bool>> lstBreakpoints;
    for (int i = 0; i < pList->count(); ++i) {
        const QListWidgetItem *pItem = pList->item(i);
        lstBreakpoints.append(qMakePair(pItem->data(Qt::UserRole).toInt(), pItem->checkState() == Qt::Checked));
    }
    return lstBreakpoints;
}

void addToList(QListWidget *pList, int nValue, bool bEnabled)
{
    // Kept sorted and without duplicates: one guide per value.
    int nRow = 0;
    for (; nRow < pList->count(); ++nRow) {
        const int nExisting = pList->item(nRow)->data(Qt::UserRole).toInt();
        if (nExisting == nValue)
            return;
        if (nExisting > nValue)
            break;
    }
    auto *pItem = new QListWidgetItem(BreakpointsOptionPage::tr("%1 px").arg(nValue));
    pItem->setData(Qt::UserRole, nValue);
    pItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    pItem->setCheckState(bEnabled ? Qt::Checked : Qt::Unchecked);
    pList->insertItem(nRow, pItem);
}

void fillList(QListWidget *pList, const QList<QPair<int, bool>> &lstBreakpoints)
{
    pList->clear();
    for (const auto &breakpoint : lstBreakpoints)
        addToList(pList, breakpoint.first, breakpoint.second);
}

} // namespace

BreakpointsOptionPage::BreakpointsOptionPage(QWidget *parent)
    : IOptionPage(parent)
{
    setWindowTitle(tr("Breakpoints"));
    setObjectName(QStringLiteral("BreakpointsOptionPage"));
    auto *pIntro = new QLabel(tr("Breakpoints are the stage widths and heights at which a responsive scene "
                                 "changes its layout. Checked breakpoints are in use."),
                              this);
    pIntro->setWordWrap(true);
    auto *pLists = new QHBoxLayout();
    pLists->addWidget(createListBox(tr("Widths (horizontal)"), &m_pHList));
    pLists->addWidget(createListBox(tr("Heights (vertical)"), &m_pVList));
    m_pShowGuidesCheck = new QCheckBox(tr("Show breakpoints as guides in the editor"), this);
    auto *pResetButton = new QPushButton(tr("Reset to Defaults"), this);
    pResetButton->setObjectName(QStringLiteral("m_pResetButton"));
    auto *pBottom = new QHBoxLayout();
    pBottom->addWidget(m_pShowGuidesCheck);
    pBottom->addStretch(1);
    pBottom->addWidget(pResetButton);

    auto *pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pIntro);
    pLayout->addLayout(pLists, 1);
    pLayout->addLayout(pBottom);

    connect(pResetButton, &QPushButton::clicked, this, &BreakpointsOptionPage::resetToDefaults);
    connect(m_pShowGuidesCheck, &QCheckBox::toggled, this, &BreakpointsOptionPage::markChanged);
    connect(m_pHList, &QListWidget::itemChanged, this, &BreakpointsOptionPage::markChanged);
    connect(m_pVList, &QListWidget::itemChanged, this, &BreakpointsOptionPage::markChanged);
    initValues();
}

BreakpointsOptionPage::~BreakpointsOptionPage() = default;

QWidget *BreakpointsOptionPage::createListBox(const QString &strTitle, QListWidget **ppList)
{
    auto *pBox = new QGroupBox(strTitle, this);
    auto *pList = new QListWidget(pBox);
    auto *pSpin = new QSpinBox(pBox);
    pSpin->setRange(1, 10000);
    pSpin->setValue(1024);
    pSpin->setSuffix(tr(" px"));
    auto *pAddButton = new QPushButton(tr("Add"), pBox);
    auto *pRemoveButton = new QPushButton(tr("Remove"), pBox);
    auto *pButtons = new QHBoxLayout();
    pButtons->addWidget(pSpin, 1);
    pButtons->addWidget(pAddButton);
    pButtons->addWidget(pRemoveButton);
    auto *pLayout = new QVBoxLayout(pBox);
    pLayout->addWidget(pList, 1);
    pLayout->addLayout(pButtons);
    connect(pAddButton, &QPushButton::clicked, this, [this, pList, pSpin]() {
        addToList(pList, pSpin->value(), true);
        markChanged();
    });
    connect(pRemoveButton, &QPushButton::clicked, this, [this, pList]() {
        delete pList->currentItem();
        markChanged();
    });
    *ppList = pList;
    return pBox;
}

void BreakpointsOptionPage::markChanged()
{
    if (!needsInitConfig2UI()) {
        setChanged(true);
        emit dataChanged();
    }
}

QList<QPair<int, bool>> BreakpointsOptionPage::horizontal() const
{
    return readList(m_pHList);
}

QList<QPair<int, bool>> BreakpointsOptionPage::vertical() const
{
    return readList(m_pVList);
}

void BreakpointsOptionPage::setBreakpoints(const QList<QPair<int, bool>> &lstHorizontal,
                                           const QList<QPair<int, bool>> &lstVertical)
{
    fillList(m_pHList, lstHorizontal);
    fillList(m_pVList, lstVertical);
    markChanged();
}

void BreakpointsOptionPage::initValues()
{
    IOptionPage::initValues();
    QList<QPair<int, bool>> lstH = DocumentManager::getHBreakpoints();
    QList<QPair<int, bool>> lstV = DocumentManager::getVBreakpoints();
    // Nothing stored yet: start from the defaults.
    if (lstH.isEmpty() && lstV.isEmpty())
        DocumentManager::initBreakpoints(lstH, lstV, true);
    fillList(m_pHList, lstH);
    fillList(m_pVList, lstV);
    m_pShowGuidesCheck->setChecked(SceneSettings::showBreakpoints());
    setNeedInitConfig2UI();
}

void BreakpointsOptionPage::resetToDefaults()
{
    QList<QPair<int, bool>> lstH;
    QList<QPair<int, bool>> lstV;
    DocumentManager::initBreakpoints(lstH, lstV, true);
    setBreakpoints(lstH, lstV);
}

void BreakpointsOptionPage::saveChanges()
{
    DocumentManager::setHBreakpoints(horizontal());
    DocumentManager::setVBreakpoints(vertical());
    DocumentManager::saveSettings();
    SceneSettings::setShowBreakpoints(m_pShowGuidesCheck->isChecked());   // redraws the editors
    IOptionPage::saveChanges();
}

void BreakpointsOptionPage::discardChanges()
{
    initValues();
    IOptionPage::discardChanges();
}
