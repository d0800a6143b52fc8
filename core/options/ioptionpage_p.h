#pragma once

// IOptionPage's state, out of the installed header; subclasses read it through the page's functions.
class IOptionPagePrivate
{
public:
    bool m_bChanged = false;              // The page holds unsaved edits; see isChanged().
    bool m_bNeedInitConfig2UI = false;    // The widgets must be refilled from the settings before they are next shown.
};
