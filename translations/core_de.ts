<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>IMainMenuWidget</name>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="49"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="252"/>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="55"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="128"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="221"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="253"/>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="61"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="255"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="75"/>
        <source>Sign In</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="125"/>
        <source>Restore Down</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="250"/>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
</context>
<context>
    <name>IThemesManager</name>
    <message>
        <location filename="../core/i18n/ithemesmanager.cpp" line="19"/>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <location filename="../core/i18n/ithemesmanager.cpp" line="20"/>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
</context>
</TS>
