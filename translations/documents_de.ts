<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DocumentFileWatcher</name>
    <message>
        <location filename="../core/documents/documentfilewatcher.cpp" line="+159"/>
        <source>The file %1 has been changed on disk, and the project has unsaved changes.
Do you want to reload it and lose your changes?</source>
        <translation>Die Datei %1 wurde auf dem Datenträger geändert, und das Projekt hat ungespeicherte Änderungen.
Möchten Sie sie neu laden und Ihre Änderungen verwerfen?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file %1 has been changed on disk. Do you want to reload it?</source>
        <translation>Die Datei %1 wurde auf dem Datenträger geändert. Möchten Sie sie neu laden?</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The file %1 has been deleted or moved by another program.
The project stays open and counts as changed: save it to write the file again.</source>
        <translation>Die Datei %1 wurde von einem anderen Programm gelöscht oder verschoben.
Das Projekt bleibt geöffnet und gilt als geändert: Speichern Sie es, um die Datei wieder zu schreiben.</translation>
    </message>
</context>
<context>
    <name>IDocument</name>
    <message>
        <location filename="../core/documents/idocument.cpp" line="+76"/>
        <source>Save changes made to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Could not save project %1.</source>
        <translation>Das Projekt %1 konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>StandardEditCommands</name>
    <message>
        <location filename="../core/documents/standardeditcommands.cpp" line="+26"/>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move the selection to the clipboard</source>
        <translation>Die Auswahl in die Zwischenablage verschieben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy the selection to the clipboard</source>
        <translation>Die Auswahl in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>P&amp;aste</source>
        <translation>E&amp;infügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Insert what the clipboard holds</source>
        <translation>Den Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dupl&amp;icate</source>
        <translation>&amp;Duplizieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy the selection and paste it in one step</source>
        <translation>Die Auswahl in einem Schritt kopieren und einfügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>De&amp;lete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete the selection</source>
        <translation>Die Auswahl löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Select All</source>
        <translation>Alles a&amp;uswählen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select everything</source>
        <translation>Alles auswählen</translation>
    </message>
</context>
<context>
    <name>UndoRedoCommands</name>
    <message>
        <location filename="../core/documents/undoredocommands.cpp" line="+88"/>
        <source>Undo the last change</source>
        <translation>Die letzte Änderung rückgängig machen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Redo the last undone change</source>
        <translation>Die zuletzt rückgängig gemachte Änderung wiederholen</translation>
    </message>
    <message>
        <location line="+85"/>
        <source>&amp;Undo Typing</source>
        <translation>&amp;Rückgängig: Eingabe</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Redo Typing</source>
        <translation>&amp;Wiederholen: Eingabe</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
</context>
</TS>
