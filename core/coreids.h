#pragma once

/**
 * The identifiers of the main window's menus and commands.
 *
 * Plug-ins find a menu with ActionManager::getActionContainer() and a command
 * with ActionManager::getAction() by these names instead of spelling the
 * strings: a mistyped name does not compile, where a mistyped string would
 * be a menu entry that does nothing. The strings never change, since the
 * user's saved shortcuts and web pages refer to them.
 *
 * @code
 * ActionContainer *pHelp = ActionManager::getActionContainer(QLatin1String(CoreIds::MenuBarHelp));
 * @endcode
 *
 * See @ref commands for the commands the core only declares and plug-ins
 * give their behaviour.
 */
struct CoreIds
{
    /** The menu bar. */
    static constexpr char MenuBar[] = "Zelto.MenuBar";
    /** The File menu. */
    static constexpr char MenuBarFile[] = "MenuBar.File";
    /** The Edit menu. */
    static constexpr char MenuBarEdit[] = "MenuBar.Edit";
    /** The View menu. */
    static constexpr char MenuBarView[] = "MenuBar.View";
    /** The Help menu. */
    static constexpr char MenuBarHelp[] = "MenuBar.Help";
    /** The File > Recent Projects menu; its commands' identifiers start with this and a dot. */
    static constexpr char FileRecentProjects[] = "File.Recent_Projects";
    /** The File > Save As menu. */
    static constexpr char FileSaveAs[] = "File.SaveAs";

    /** File > New. */
    static constexpr char FileNew[] = "File.New";
    /** File > Open Project. */
    static constexpr char FileOpenProject[] = "File.Open_Project";
    /** The start of the recent projects' commands, followed by their number from 1 to 10. */
    static constexpr char FileRecentProjectsProject[] = "File.Recent_Projects.Project_";
    /** File > Recent Projects > Clear List. */
    static constexpr char FileRecentProjectsClearList[] = "File.Recent_Projects.Clear_List";
    /** File > Recent Projects > Remove Missing Projects. */
    static constexpr char FileRecentProjectsRemoveMissing[] = "File.Recent_Projects.Remove_Missing";
    /** File > Save. */
    static constexpr char FileSave[] = "File.Save";
    /** File > Save As > Other Project. */
    static constexpr char FileSaveAsProject[] = "File.SaveAs.Project";
    /** File > Close. */
    static constexpr char FileClose[] = "File.Close";
    /** File > Preview Current Scene in Browser; declared only, a plug-in connects to it. */
    static constexpr char FilePreviewCurrentSceneInBrowser[] = "File.Preview_Current_Scene_In_Browser";
    /** File > Preview Project in Browser; declared only, a plug-in connects to it. */
    static constexpr char FilePreviewProjectInBrowser[] = "File.Preview_Project_In_Browser";
    /** File > Export to HTML5; declared only, a plug-in connects to it. */
    static constexpr char FileExportToHtml5[] = "File.Export_To_HTML5";
    /** File > Exit. */
    static constexpr char FileExit[] = "File.Exit";

    /** Edit > Undo. */
    static constexpr char EditUndo[] = "Edit.Undo";
    /** Edit > Redo. */
    static constexpr char EditRedo[] = "Edit.Redo";
    /** Edit > Cut; an editor gives it behaviour, else it is disabled. */
    static constexpr char EditCut[] = "Edit.Cut";
    /** Edit > Copy; an editor gives it behaviour, else it is disabled. */
    static constexpr char EditCopy[] = "Edit.Copy";
    /** Edit > Paste; an editor gives it behaviour, else it is disabled. */
    static constexpr char EditPaste[] = "Edit.Paste";
    /** Edit > Duplicate; an editor gives it behaviour, else it is disabled. */
    static constexpr char EditDuplicate[] = "Edit.Duplicate";
    /** Edit > Delete; an editor gives it behaviour, else it is disabled. */
    static constexpr char EditDelete[] = "Edit.Delete";
    /** Edit > Select All; an editor gives it behaviour, else it is disabled. */
    static constexpr char EditSelectAll[] = "Edit.Select_All";
    /** Edit > Preferences. */
    static constexpr char EditPreferences[] = "Edit.Preferences";

    /** View > Next Project. */
    static constexpr char ViewNextProject[] = "View.Next_Project";
    /** View > Previous Project. */
    static constexpr char ViewPreviousProject[] = "View.Previous_Project";

    /** Help > About; declared only, a plug-in connects to it. */
    static constexpr char HelpAbout[] = "Help.About";
    /** Help > Help Contents. */
    static constexpr char HelpHelpContents[] = "Help.Help_Contents";
    /** Help > Find Command. */
    static constexpr char HelpFindCommand[] = "Help.Find_Command";
    /** Help > User Community; declared only, a plug-in connects to it. */
    static constexpr char HelpCommunity[] = "Help.Community";
    /** Help > Check Updates; declared only, a plug-in connects to it. */
    static constexpr char HelpCheckUpdates[] = "Help.CheckUpdates";
    /** Help > My Account; declared only, a plug-in connects to it. */
    static constexpr char HelpUserAccount[] = "Help.UserAccount";
};
