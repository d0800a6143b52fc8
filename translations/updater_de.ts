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
        <location filename="../core/updater/downloader.cpp" line="422"/>
        <location filename="../core/updater/downloader.cpp" line="457"/>
        <source>Downloading Updates</source>
        <translation>Aktualisierungen werden heruntergeladen</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.ui" line="110"/>
        <location filename="../core/updater/downloader.cpp" line="140"/>
        <location filename="../core/updater/downloader.cpp" line="423"/>
        <location filename="../core/updater/downloader.cpp" line="436"/>
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
        <location filename="../core/updater/downloader.cpp" line="423"/>
        <location filename="../core/updater/downloader.cpp" line="468"/>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="282"/>
        <source>Cannot find downloaded update!</source>
        <translation>Die heruntergeladene Aktualisierung wurde nicht gefunden!</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="321"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="322"/>
        <source>Download complete!</source>
        <translation>Download abgeschlossen!</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="323"/>
        <source>The installer will open separately</source>
        <translation>Das Installationsprogramm wird separat geöffnet</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="330"/>
        <source>In order to install the update, you need to quit the application.</source>
        <translation>Um die Aktualisierung zu installieren, müssen Sie die Anwendung beenden.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="332"/>
        <source>Click OK to begin installing the update.</source>
        <translation>Klicken Sie auf OK, um mit der Installation der Aktualisierung zu beginnen.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="313"/>
        <source>Click Open to apply the update.</source>
        <translation>Klicken Sie auf Öffnen, um die Aktualisierung anzuwenden.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="227"/>
        <source>the server sent a part of the update that does not fit</source>
        <translation>der Server hat einen Teil der Aktualisierung gesendet, der nicht passt</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="292"/>
        <source>The update was not installed because a project is still open. Save or close your projects, then click Open to install the update.</source>
        <translation>Die Aktualisierung wurde nicht installiert, weil noch ein Projekt geöffnet ist. Speichern oder schließen Sie Ihre Projekte und klicken Sie dann auf Öffnen, um die Aktualisierung zu installieren.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="303"/>
        <source>The installer could not be started. Start it yourself:
%1</source>
        <translation>Das Installationsprogramm konnte nicht gestartet werden. Starten Sie es selbst:
%1</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="358"/>
        <source>Are you sure you want to cancel the download?</source>
        <translation>Möchten Sie den Download wirklich abbrechen?</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="443"/>
        <location filename="../core/updater/downloader.cpp" line="451"/>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="445"/>
        <location filename="../core/updater/downloader.cpp" line="453"/>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="447"/>
        <location filename="../core/updater/downloader.cpp" line="455"/>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="457"/>
        <source>of</source>
        <translation>von</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="473"/>
        <source>About %1 hours</source>
        <translation>Etwa %1 Stunden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="477"/>
        <source>About 1 minute</source>
        <translation>Etwa 1 Minute</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="477"/>
        <source>About %1 minutes</source>
        <translation>Etwa %1 Minuten</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="480"/>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="480"/>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="520"/>
        <source>the SHA-256 checksum of the downloaded file does not match</source>
        <translation>die SHA-256-Prüfsumme der heruntergeladenen Datei stimmt nicht überein</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="556"/>
        <source>The connection was lost. Trying again...</source>
        <translation>Die Verbindung wurde unterbrochen. Neuer Versuch...</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="574"/>
        <source>the update could not be verified</source>
        <translation>die Aktualisierung konnte nicht überprüft werden</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="579"/>
        <source>the update could not be verified because it is not signed</source>
        <translation>die Aktualisierung konnte nicht überprüft werden, weil sie nicht signiert ist</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="619"/>
        <source>the update could not be verified because its signature is not valid</source>
        <translation>die Aktualisierung konnte nicht überprüft werden, weil ihre Signatur ungültig ist</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="658"/>
        <location filename="../core/updater/downloader.cpp" line="668"/>
        <source>Cannot download update: %1.</source>
        <translation>Die Aktualisierung kann nicht heruntergeladen werden: %1.</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="301"/>
        <source>the application has no key to verify updates with</source>
        <translation>die Anwendung hat keinen Schlüssel, um Aktualisierungen zu überprüfen</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="329"/>
        <source>the update is signed for another file or system</source>
        <translation>die Aktualisierung ist für eine andere Datei oder ein anderes System signiert</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="334"/>
        <source>the update is signed for another version</source>
        <translation>die Aktualisierung ist für eine andere Version signiert</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="339"/>
        <source>the update is not newer than the installed version</source>
        <translation>die Aktualisierung ist nicht neuer als die installierte Version</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="391"/>
        <source>other users can change files in %1</source>
        <translation>andere Benutzer können Dateien in %1 ändern</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="395"/>
        <source>no free file name for %1 in %2</source>
        <translation>kein freier Dateiname für %1 in %2</translation>
    </message>
    <message>
        <location filename="../core/updater/downloader.cpp" line="543"/>
        <source>The update was not installed because the downloaded file changed after it was checked.</source>
        <translation>Die Aktualisierung wurde nicht installiert, weil sich die heruntergeladene Datei nach der Prüfung geändert hat.</translation>
    </message>
</context>
<context>
    <name>ReleaseNotesView</name>
    <message>
        <location filename="../core/updater/releasenotesview.cpp" line="107"/>
        <source>&lt;p&gt;The release notes cannot be shown here. &lt;a href=&quot;%1&quot;&gt;Open them in the browser&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Versionshinweise können hier nicht angezeigt werden. &lt;a href=&quot;%1&quot;&gt;Im Browser öffnen&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <location filename="../core/updater/updater.cpp" line="424"/>
        <source>Congratulations! You are running the latest version of %1</source>
        <translation>Glückwunsch! Sie verwenden die neueste Version von %1</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="426"/>
        <source>No updates are available at the moment.</source>
        <translation>Derzeit sind keine Aktualisierungen verfügbar.</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="454"/>
        <source>&lt;b&gt;%1 %2 has been released!&lt;/b&gt;</source>
        <translation>&lt;b&gt;%1 %2 ist erschienen!&lt;/b&gt;</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="508"/>
        <source>The update cannot be opened because its address is not a web address.</source>
        <translation>Die Aktualisierung kann nicht geöffnet werden, weil ihre Adresse keine Webadresse ist.</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="346"/>
        <source>too many redirects</source>
        <translation>zu viele Weiterleitungen</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="335"/>
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
        <location filename="../core/updater/updater.cpp" line="374"/>
        <source>the answer is not an update description</source>
        <translation>die Antwort ist keine Aktualisierungsbeschreibung</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="401"/>
        <source>Could not check for updates: %1.</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen: %1.</translation>
    </message>
    <message>
        <location filename="../core/updater/updater.cpp" line="153"/>
        <source>the server sent a compressed answer</source>
        <translation>der Server hat eine komprimierte Antwort gesendet</translation>
    </message>
</context>
<context>
    <name>ZTReleaseNoteDlg</name>
    <message>
        <location filename="../core/updater/ztreleasenotedlg.cpp" line="42"/>
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
