#pragma once

// The notes plug-in's settings, kept in the application's user settings
// (ICore::settings()) under the group "Notes".
namespace NotesSettings {

// "Notes/WrapLines": whether editors wrap long lines at the window edge (default true).
bool wrapLines();
void setWrapLines(bool bWrap);

} // namespace NotesSettings
