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
        <location filename="../core/updater/downloader.cpp" line="62"/>
        <location filename="../core/updater/downloader.cpp" line="139"/>
        <location filename="../core/updater/downloader.cpp" line="420"/>
        <location filename="../core/updater/downloader.cpp" line="455"/>
        <source>Downloading Updates</source>
        <translation>Aktualisierungen werden heruntergeladen</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.ui" line="110"/>
        <location filename="../core/updater/downloader.cpp" line="140"/>
        <location filename="../core/updater/downloader.cpp" line="421"/>
        <location filename="../core/updater/downloader.cpp" line="434"/>
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
        <location filename="../core/updater/downloader.cpp" line="138"/>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="140"/>
        <location filename="../core/updater/downloader.cpp" line="421"/>
        <location filename="../core/updater/downloader.cpp" line="466"/>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="280"/>
        <source>Cannot find downloaded update!</source>
        <translation>Die heruntergeladene Aktualisierung wurde nicht gefunden!</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="319"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="320"/>
        <source>Download complete!</source>
        <translation>Download abgeschlossen!</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="321"/>
        <source>The installer will open separately</source>
        <translation>Das Installationsprogramm wird separat geöffnet</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="328"/>
        <source>In order to install the update, you need to quit the application.</source>
        <translation>Um die Aktualisierung zu installieren, müssen Sie die Anwendung beenden.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="330"/>
        <source>Click OK to begin installing the update.</source>
        <translation>Klicken Sie auf OK, um mit der Installation der Aktualisierung zu beginnen.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="311"/>
        <source>Click Open to apply the update.</source>
        <translation>Klicken Sie auf Öffnen, um die Aktualisierung anzuwenden.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="225"/>
        <source>the server sent a part of the update that does not fit</source>
        <translation>der Server hat einen Teil der Aktualisierung gesendet, der nicht passt</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="290"/>
        <source>The update was not installed because a project is still open. Save or close your projects, then click Open to install the update.</source>
        <translation>Die Aktualisierung wurde nicht installiert, weil noch ein Projekt geöffnet ist. Speichern oder schließen Sie Ihre Projekte und klicken Sie dann auf Öffnen, um die Aktualisierung zu installieren.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="301"/>
        <source>The installer could not be started. Start it yourself:
%1</source>
        <translation>Das Installationsprogramm konnte nicht gestartet werden. Starten Sie es selbst:
%1</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="356"/>
        <source>Are you sure you want to cancel the download?</source>
        <translation>Möchten Sie den Download wirklich abbrechen?</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="441"/>
        <location filename="../core/updater/downloader.cpp" line="449"/>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="443"/>
        <location filename="../core/updater/downloader.cpp" line="451"/>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="445"/>
        <location filename="../core/updater/downloader.cpp" line="453"/>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="455"/>
        <source>of</source>
        <translation>von</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="471"/>
        <source>About %1 hours</source>
        <translation>Etwa %1 Stunden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="475"/>
        <source>About 1 minute</source>
        <translation>Etwa 1 Minute</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="475"/>
        <source>About %1 minutes</source>
        <translation>Etwa %1 Minuten</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="478"/>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="478"/>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="518"/>
        <source>the SHA-256 checksum of the downloaded file does not match</source>
        <translation>die SHA-256-Prüfsumme der heruntergeladenen Datei stimmt nicht überein</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="554"/>
        <source>The connection was lost. Trying again...</source>
        <translation>Die Verbindung wurde unterbrochen. Neuer Versuch...</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="572"/>
        <source>the update could not be verified</source>
        <translation>die Aktualisierung konnte nicht überprüft werden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="577"/>
        <source>the update could not be verified because it is not signed</source>
        <translation>die Aktualisierung konnte nicht überprüft werden, weil sie nicht signiert ist</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="582"/>
        <source>Verifying the update...</source>
        <translation>Aktualisierung wird überprüft...</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="611"/>
        <source>the downloaded file cannot be read</source>
        <translation>die heruntergeladene Datei kann nicht gelesen werden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="617"/>
        <source>the update could not be verified because its signature is not valid</source>
        <translation>die Aktualisierung konnte nicht überprüft werden, weil ihre Signatur ungültig ist</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="634"/>
        <source>cannot replace %1</source>
        <translation>%1 kann nicht ersetzt werden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="656"/>
        <location filename="../core/updater/downloader.cpp" line="666"/>
        <source>Cannot download update: %1.</source>
        <translation>Die Aktualisierung kann nicht heruntergeladen werden: %1.</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <location filename="../core/updater/updater.cpp" line="415"/>
        <source>Congratulations! You are running the latest version of %1</source>
        <translation>Glückwunsch! Sie verwenden die neueste Version von %1</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="417"/>
        <source>No updates are available at the moment.</source>
        <translation>Derzeit sind keine Aktualisierungen verfügbar.</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="445"/>
        <source>&lt;b&gt;%1 %2 has been released!&lt;/b&gt;</source>
        <translation>&lt;b&gt;%1 %2 ist erschienen!&lt;/b&gt;</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="504"/>
        <source>The update cannot be opened because its address is not a web address.</source>
        <translation>Die Aktualisierung kann nicht geöffnet werden, weil ihre Adresse keine Webadresse ist.</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="337"/>
        <source>too many redirects</source>
        <translation>zu viele Weiterleitungen</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="326"/>
        <source>the server redirected to an unsafe address</source>
        <translation>der Server leitete auf eine unsichere Adresse weiter</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="151"/>
        <source>the server does not answer</source>
        <translation>der Server antwortet nicht</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="153"/>
        <source>the server answers too slowly</source>
        <translation>der Server antwortet zu langsam</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="137"/>
        <source>the answer is too large</source>
        <translation>die Antwort ist zu groß</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="365"/>
        <source>the answer is not an update description</source>
        <translation>die Antwort ist keine Aktualisierungsbeschreibung</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="392"/>
        <source>Could not check for updates: %1.</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen: %1.</translation>
    </message>
</context>
<context>
    <name>ZTReleaseNoteDlg</name>
    <message>
        <location filename="../core/updater/ztreleasenotedlg.cpp" line="83"/>
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
        <location filename="../core/updater/ztreleasenotedlg.ui" line="134"/>
        <source>Skip This Version</source>
        <translation>Diese Version überspringen</translation>
    </message>
    <message>
        <location filename="../core/updater/ztreleasenotedlg.ui" line="160"/>
        <source>Remind Me Later</source>
        <translation>Später erinnern</translation>
    </message>
    <message>
        <location filename="../core/updater/ztreleasenotedlg.ui" line="176"/>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location filename="../core/updater/ztreleasenotedlg.ui" line="192"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>
