#include "core/options/ioptionpage.h"
#include "core/options/ioptionpage_p.h"

IOptionPage::IOptionPage(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<IOptionPagePrivate>())
{
}

IOptionPage::~IOptionPage() = default;

bool IOptionPage::isChanged()
{
    return d->m_bChanged;
}

void IOptionPage::setChanged(bool)
{
    d->m_bChanged = true;
}

void IOptionPage::initValues()
{
    d->m_bNeedInitConfig2UI = true;
}

void IOptionPage::saveChanges()
{
    d->m_bChanged = false;
}

void IOptionPage::discardChanges()
{
    d->m_bChanged = false;
}

void IOptionPage::setNeedInitConfig2UI()
{
    d->m_bNeedInitConfig2UI = false;
}

bool IOptionPage::needsInitConfig2UI() const
{
    return d->m_bNeedInitConfig2UI;
}
