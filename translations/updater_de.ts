<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Downloader</name>
    <message>
        <location filename="../core/updater/downloader.ui" line="20"/>
        <source>Updater</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.ui" line="87"/>
        <location filename="../core/updater/downloader.cpp" line="57"/>
        <location filename="../core/updater/downloader.cpp" line="123"/>
        <location filename="../core/updater/downloader.cpp" line="289"/>
        <location filename="../core/updater/downloader.cpp" line="324"/>
        <source>Downloading Updates</source>
        <translation>Aktualisierungen werden heruntergeladen</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.ui" line="110"/>
        <location filename="../core/updater/downloader.cpp" line="124"/>
        <location filename="../core/updater/downloader.cpp" line="290"/>
        <location filename="../core/updater/downloader.cpp" line="303"/>
        <source>Time Remaining</source>
        <translation>Verbleibende Zeit</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.ui" line="154"/>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.ui" line="161"/>
        <location filename="../core/updater/downloader.cpp" line="122"/>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="124"/>
        <location filename="../core/updater/downloader.cpp" line="290"/>
        <location filename="../core/updater/downloader.cpp" line="335"/>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="193"/>
        <source>Cannot find downloaded update!</source>
        <translation>Die heruntergeladene Aktualisierung wurde nicht gefunden!</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="206"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="207"/>
        <source>Download complete!</source>
        <translation>Download abgeschlossen!</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="208"/>
        <source>The installer will open separately</source>
        <translation>Das Installationsprogramm wird separat geöffnet</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="215"/>
        <source>In order to install the update, you need to quit the application.</source>
        <translation>Um die Aktualisierung zu installieren, müssen Sie die Anwendung beenden.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="217"/>
        <source>Click OK to begin installing the update.</source>
        <translation>Klicken Sie auf OK, um mit der Installation der Aktualisierung zu beginnen.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="225"/>
        <source>Click Open to apply the update.</source>
        <translation>Klicken Sie auf Öffnen, um die Aktualisierung anzuwenden.</translation>
    </message>
    <message>
        <source>The update was not installed because a project is still open. Save or close your projects, then click Open to install the update.</source>
        <translation>Die Aktualisierung wurde nicht installiert, weil noch ein Projekt geöffnet ist. Speichern oder schließen Sie Ihre Projekte und klicken Sie dann auf Öffnen, um die Aktualisierung zu installieren.</translation>
    </message>
    <message>
        <source>The installer could not be started. Start it yourself:
%1</source>
        <translation>Das Installationsprogramm konnte nicht gestartet werden. Starten Sie es selbst:
%1</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="240"/>
        <source>Are you sure you want to cancel the download?</source>
        <translation>Möchten Sie den Download wirklich abbrechen?</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="310"/>
        <location filename="../core/updater/downloader.cpp" line="318"/>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="312"/>
        <location filename="../core/updater/downloader.cpp" line="320"/>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="314"/>
        <location filename="../core/updater/downloader.cpp" line="322"/>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="324"/>
        <source>of</source>
        <translation>von</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="340"/>
        <source>About %1 hours</source>
        <translation>Etwa %1 Stunden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="344"/>
        <source>About 1 minute</source>
        <translation>Etwa 1 Minute</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="344"/>
        <source>About %1 minutes</source>
        <translation>Etwa %1 Minuten</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="347"/>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="347"/>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="386"/>
        <source>the SHA-256 checksum of the downloaded file does not match</source>
        <translation>die SHA-256-Prüfsumme der heruntergeladenen Datei stimmt nicht überein</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="392"/>
        <source>cannot replace %1</source>
        <translation>%1 kann nicht ersetzt werden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="414"/>
        <location filename="../core/updater/downloader.cpp" line="424"/>
        <source>Cannot download update: %1.</source>
        <translation>Die Aktualisierung kann nicht heruntergeladen werden: %1.</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <location filename="../core/updater/updater.cpp" line="194"/>
        <source>Congratulations! You are running the latest version of %1</source>
        <translation>Glückwunsch! Sie verwenden die neueste Version von %1</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="196"/>
        <source>No updates are available at the moment.</source>
        <translation>Derzeit sind keine Aktualisierungen verfügbar.</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="204"/>
        <source>&lt;b&gt;%1 %2 has been released!&lt;/b&gt;</source>
        <translation>&lt;b&gt;%1 %2 ist erschienen!&lt;/b&gt;</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="140"/>
        <source>too many redirects</source>
        <translation>zu viele Weiterleitungen</translation>
    </message>
    <message>
        <source>the server redirected to an unsafe address</source>
        <translation>der Server leitete auf eine unsichere Adresse weiter</translation>
    </message>
    <message>
        <source>the server does not answer</source>
        <translation>der Server antwortet nicht</translation>
    </message>
    <message>
        <source>the server answers too slowly</source>
        <translation>der Server antwortet zu langsam</translation>
    </message>
    <message>
        <source>the answer is too large</source>
        <translation>die Antwort ist zu groß</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="160"/>
        <source>the answer is not an update description</source>
        <translation>die Antwort ist keine Aktualisierungsbeschreibung</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="184"/>
        <source>Could not check for updates: %1.</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen: %1.</translation>
    </message>
</context>
<context>
    <name>ZTReleaseNoteDlg</name>
    <message>
        <location filename="../core/updater/ztreleasenotedlg.cpp" line="59"/>
        <source>&lt;h2&gt;Failed to load release notes.&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Die Versionshinweise konnten nicht geladen werden.&lt;/h2&gt;</translation>
    </message>
</context>
<context>
    <name>ZTReleaseNoteUI</name>
    <message>
        <location filename="../core/updater/ztreleasenotedlg.ui" line="31"/>
        <source>Update Available</source>
        <translation>Aktualisierung verfügbar</translation>
    </message>
    <message>
        <location filename="../core/updater/ztreleasenotedlg.ui" line="156"/>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location filename="../core/updater/ztreleasenotedlg.ui" line="172"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>
