<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
</TS>
