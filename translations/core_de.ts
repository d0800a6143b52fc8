<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandPalette</name>
    <message>
        <location filename="../core/ui/commandpalette.cpp" line="110"/>
        <source>Find Command</source>
        <translation>Befehl suchen</translation>
    </message>
    <message>
        <location filename="../core/ui/commandpalette.cpp" line="115"/>
        <source>Type the name of a command</source>
        <translation>Namen eines Befehls eingeben</translation>
    </message>
    <message>
        <location filename="../core/ui/commandpalette.cpp" line="116"/>
        <source>Command name</source>
        <translation>Befehlsname</translation>
    </message>
    <message>
        <location filename="../core/ui/commandpalette.cpp" line="118"/>
        <source>Type part of a command&apos;s name. The arrow keys choose a command, Enter runs it, Escape closes.</source>
        <translation>Geben Sie einen Teil des Befehlsnamens ein. Die Pfeiltasten wählen einen Befehl, die Eingabetaste führt ihn aus, Esc schließt.</translation>
    </message>
    <message>
        <location filename="../core/ui/commandpalette.cpp" line="124"/>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <location filename="../core/ui/commandpalette.cpp" line="133"/>
        <source>No command matches.</source>
        <translation>Kein Befehl passt.</translation>
    </message>
</context>
<context>
    <name>IMainMenuWidget</name>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="51"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="52"/>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="136"/>
        <source>Gives the window its former size</source>
        <translation>Gibt dem Fenster seine vorige Größe</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="139"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="140"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="257"/>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="64"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="65"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="44"/>
        <source>Opens your account</source>
        <translation>Öffnet Ihr Konto</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="53"/>
        <source>Hides the window in the task bar</source>
        <translation>Legt das Fenster in der Taskleiste ab</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="66"/>
        <source>Closes the application</source>
        <translation>Schließt die Anwendung</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="80"/>
        <source>Sign In</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="134"/>
        <location filename="../core/ui/imainmenuwidget.cpp" line="135"/>
        <source>Restore Down</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="141"/>
        <source>Makes the window fill the screen</source>
        <translation>Lässt das Fenster den Bildschirm füllen</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="286"/>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="288"/>
        <source>Mi&amp;nimize</source>
        <translation>M&amp;inimieren</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="289"/>
        <source>Ma&amp;ximize</source>
        <translation>Ma&amp;ximieren</translation>
    </message>
    <message>
        <location filename="../core/ui/imainmenuwidget.cpp" line="291"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>IThemesManager</name>
    <message>
        <location filename="../core/i18n/ithemesmanager.cpp" line="18"/>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <location filename="../core/i18n/ithemesmanager.cpp" line="19"/>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
</context>
<context>
    <name>ZTNotificationBar</name>
    <message>
        <location filename="../core/ui/ztnotificationbar.ui" line="17"/>
        <source>Notification</source>
        <translation>Benachrichtigung</translation>
    </message>
    <message>
        <location filename="../core/ui/ztnotificationbar.ui" line="92"/>
        <source>Acts on the notification</source>
        <translation>Führt die Aktion der Benachrichtigung aus</translation>
    </message>
    <message>
        <location filename="../core/ui/ztnotificationbar.ui" line="115"/>
        <location filename="../core/ui/ztnotificationbar.ui" line="118"/>
        <source>Close Notification</source>
        <translation>Benachrichtigung schließen</translation>
    </message>
    <message>
        <location filename="../core/ui/ztnotificationbar.ui" line="121"/>
        <source>Hides the notification</source>
        <translation>Blendet die Benachrichtigung aus</translation>
    </message>
</context>
</TS>
