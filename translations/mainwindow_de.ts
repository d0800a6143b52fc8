<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../core/mainwindow_actions.cpp" line="+70"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Create a new project</source>
        <translation>Ein neues Projekt anlegen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Open Project</source>
        <translation>Projekt ö&amp;ffnen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Open an existing project</source>
        <translation>Ein vorhandenes Projekt öffnen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Recent Projects</source>
        <translation>Zuletzt verwendete Projekte</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save the current project</source>
        <translation>Das aktuelle Projekt speichern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Other Project</source>
        <translation>Anderes Projekt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save the current project as a new one</source>
        <translation>Das aktuelle Projekt als neues Projekt speichern</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Close</source>
        <translation>Sch&amp;ließen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Close the current project</source>
        <translation>Das aktuelle Projekt schließen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Preview Current Scene in Browser</source>
        <translation>Aktuelle Szene im Browser anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Preview Project in Browser</source>
        <translation>Projekt im Browser anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Export to HTML5</source>
        <translation>Als HTML5 exportieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit the program</source>
        <translation>Das Programm beenden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Preferences</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help Contents</source>
        <translation>Hilfeinhalt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>User Community</source>
        <translation>Benutzer-Community</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check Updates...</source>
        <translation>Nach Updates suchen...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>My Account</source>
        <translation>Mein Konto</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>The language change will take effect when the application starts again.
Restart now?</source>
        <translation>Die geänderte Sprache gilt ab dem nächsten Start der Anwendung.
Jetzt neu starten?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Failed to change language.</source>
        <translation>Die Sprache konnte nicht geändert werden.</translation>
    </message>
    <message>
        <location filename="../core/mainwindow_filecommands.cpp" line="+207"/>
        <source>Cannot open this file type.</source>
        <translation>Dieser Dateityp kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Cannot open these files: their type is not supported.</source>
        <translation>Diese Dateien können nicht geöffnet werden: ihr Typ wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 files were tried; the others were not opened.</source>
        <translation>Nur die ersten %1 von %2 Dateien wurden versucht; die übrigen wurden nicht geöffnet.</translation>
    </message>
    <message>
        <location line="+133"/>
        <source>The project [%1] no longer exists.
Do you want to remove this entry from history?</source>
        <translation>Das Projekt [%1] existiert nicht mehr.
Möchten Sie diesen Eintrag aus dem Verlauf entfernen?</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Could not open help file.</source>
        <translation>Die Hilfedatei konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Help document is missing.</source>
        <translation>Das Hilfedokument fehlt.</translation>
    </message>
</context>
</TS>
