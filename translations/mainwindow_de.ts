<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../core/mainwindow_actions.cpp" line="+88"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <location line="+2"/>
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
        <location line="+26"/>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save the current project</source>
        <translation>Das aktuelle Projekt speichern</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Save the current project as a new one</source>
        <translation>Das aktuelle Projekt als neues Projekt speichern</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Close</source>
        <translation>Sch&amp;ließen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Close the current project</source>
        <translation>Das aktuelle Projekt schließen</translation>
    </message>
    <message>
        <location line="-46"/>
        <source>Recent &amp;Projects</source>
        <translation>&amp;Zuletzt verwendete Projekte</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Clear List</source>
        <translation>Liste &amp;leeren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Empty the list of recent projects</source>
        <translation>Die Liste der zuletzt verwendeten Projekte leeren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Remove Missing Projects</source>
        <translation>&amp;Fehlende Projekte entfernen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove the projects that no longer exist from the list</source>
        <translation>Die nicht mehr vorhandenen Projekte aus der Liste entfernen</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Save &amp;As</source>
        <translation>Speichern &amp;unter</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Other Project</source>
        <translation>&amp;Anderes Projekt</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Preview Current Scene in &amp;Browser</source>
        <translation>&amp;Aktuelle Szene im Browser anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Preview Pro&amp;ject in Browser</source>
        <translation>Pro&amp;jekt im Browser anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Export to HTML5</source>
        <translation>Als HTML5 e&amp;xportieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quit the program</source>
        <translation>Das Programm beenden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Preferences</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Next Project</source>
        <translation>&amp;Nächstes Projekt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bring the next project&apos;s tab to the front</source>
        <translation>Die Registerkarte des nächsten Projekts nach vorn holen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Previous Project</source>
        <translation>&amp;Vorheriges Projekt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bring the previous project&apos;s tab to the front</source>
        <translation>Die Registerkarte des vorigen Projekts nach vorn holen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Help Contents</source>
        <translation>&amp;Hilfeinhalt</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Find Command...</source>
        <translation>Befehl &amp;suchen...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Find a command by its name and run it</source>
        <translation>Einen Befehl über seinen Namen finden und ausführen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>User &amp;Community</source>
        <translation>Benutzer-&amp;Community</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check &amp;Updates...</source>
        <translation>Nach &amp;Updates suchen...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;My Account</source>
        <translation>&amp;Mein Konto</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>&amp;Theme</source>
        <translation>&amp;Design</translation>
    </message>
    <message>
        <location line="-47"/>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>The language change will take effect when the application starts again.
Restart now?</source>
        <translation>Die geänderte Sprache gilt ab dem nächsten Start der Anwendung.
Jetzt neu starten?</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Failed to change language.</source>
        <translation>Die Sprache konnte nicht geändert werden.</translation>
    </message>
    <message>
        <location filename="../core/mainwindow_filecommands.cpp" line="+213"/>
        <location line="+86"/>
        <source>Cannot open this file type.</source>
        <translation>Dieser Dateityp kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cannot open these files: their type is not supported.</source>
        <translation>Diese Dateien können nicht geöffnet werden: ihr Typ wird nicht unterstützt.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Only the first %1 of %2 files were tried; the others were not opened.</source>
        <translation>Nur die ersten %1 von %2 Dateien wurden versucht; die übrigen wurden nicht geöffnet.</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>Every project in the list still exists.</source>
        <translation>Alle Projekte der Liste sind noch vorhanden.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Missing projects removed from the list: %1</source>
        <translation>Aus der Liste entfernte fehlende Projekte: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The project [%1] no longer exists.
Do you want to remove this entry from history?</source>
        <translation>Das Projekt [%1] existiert nicht mehr.
Möchten Sie diesen Eintrag aus dem Verlauf entfernen?</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Could not open help file.

The user guide is the PDF file
%1

Install a program that shows PDF files, or open the file with a web browser.</source>
        <translation>Die Hilfedatei konnte nicht geöffnet werden.

Das Benutzerhandbuch ist die PDF-Datei
%1

Installieren Sie ein Programm, das PDF-Dateien anzeigt, oder öffnen Sie die Datei mit einem Webbrowser.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Help document is missing.</source>
        <translation>Das Hilfedokument fehlt.</translation>
    </message>
    <message>
        <source>Type of the new document:</source>
        <translation>Art des neuen Dokuments:</translation>
    </message>
    <message>
        <source>All supported files (%1)</source>
        <translation>Alle unterstützten Dateien (%1)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>These projects of the last session no longer exist and were not reopened:</source>
        <translation>Diese Projekte der letzten Sitzung gibt es nicht mehr; sie wurden nicht wieder geöffnet:</translation>
    </message>
</context>
</TS>
