<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>IMainMdiArea</name>
    <message>
        <location filename="../core/welcome/imainmdiarea.cpp" line="+124"/>
        <source>Could not open file %1.</source>
        <translation>Die Datei %1 konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The project [%1] no longer exists.
Do you want to remove this entry from history?</source>
        <translation>Das Projekt [%1] existiert nicht mehr.
Möchten Sie diesen Eintrag aus dem Verlauf entfernen?</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Could not find the requested file.</source>
        <translation>Die angeforderte Datei wurde nicht gefunden.</translation>
    </message>
</context>
</TS>
