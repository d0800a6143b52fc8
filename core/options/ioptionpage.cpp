#include "core/options/ioptionpage.h"

IOptionPage::IOptionPage(QWidget *parent)
    : QWidget(parent)
{
}

IOptionPage::~IOptionPage() = default;

bool IOptionPage::isChanged()
{
    return m_bChanged;
}

void IOptionPage::setChanged(bool)
{
    m_bChanged = true;
}

void IOptionPage::initValues()
{
    m_bNeedInitConfig2UI = true;
}

void IOptionPage::saveChanges()
{
    m_bChanged = false;
}

void IOptionPage::discardChanges()
{
    m_bChanged = false;
}

void IOptionPage::setNeedInitConfig2UI()
{
    m_bNeedInitConfig2UI = false;
}
