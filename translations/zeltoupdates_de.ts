<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ZeltoUpdates</name>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="87"/>
        <source>wrong number of arguments; see %1 --help</source>
        <translation>falsche Anzahl von Argumenten; siehe %1 --help</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="98"/>
        <source>the option --%1 is missing</source>
        <translation>die Option --%1 fehlt</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="116"/>
        <source>%1 is not a secret key made by zelto-updates generate-keys</source>
        <translation>%1 ist kein mit zelto-updates generate-keys erzeugter geheimer Schlüssel</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="120"/>
        <source>zelto-updates: warning: others can read the secret key %1</source>
        <translation>zelto-updates: Warnung: andere können den geheimen Schlüssel %1 lesen</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="128"/>
        <location filename="../tools/zelto-updates/main.cpp" line="261"/>
        <location filename="../tools/zelto-updates/main.cpp" line="320"/>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="129"/>
        <source>no such file</source>
        <translation>Datei nicht vorhanden</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="139"/>
        <source>Makes a new Ed25519 key pair for signing updates. The secret key goes to DIR/%1, readable by you only; keep it out of version control. The public key is printed in base64: give it to QSimpleUpdater::setPublicKey() in the application.</source>
        <translation>Erzeugt ein neues Ed25519-Schlüsselpaar zum Signieren von Aktualisierungen. Der geheime Schlüssel wird in DIR/%1 gespeichert und ist nur für Sie lesbar; nehmen Sie ihn nicht in die Versionsverwaltung auf. Der öffentliche Schlüssel wird in Base64 ausgegeben: Übergeben Sie ihn in der Anwendung an QSimpleUpdater::setPublicKey().</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="143"/>
        <location filename="../tools/zelto-updates/main.cpp" line="187"/>
        <location filename="../tools/zelto-updates/main.cpp" line="216"/>
        <location filename="../tools/zelto-updates/main.cpp" line="275"/>
        <source>The command.</source>
        <translation>Der Befehl.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="144"/>
        <source>The folder for the secret key; made if missing.</source>
        <translation>Der Ordner für den geheimen Schlüssel; wird angelegt, falls er fehlt.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="151"/>
        <source>cannot make the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="156"/>
        <source>the system&apos;s random source failed</source>
        <translation>die Zufallsquelle des Systems ist ausgefallen</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="162"/>
        <source>%1 exists already; it is not replaced</source>
        <translation>%1 existiert bereits und wird nicht ersetzt</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="164"/>
        <location filename="../tools/zelto-updates/main.cpp" line="173"/>
        <location filename="../tools/zelto-updates/main.cpp" line="359"/>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="177"/>
        <source>Wrote the secret key to %1. Keep it secret and keep a copy: updates signed with another key are refused.</source>
        <translation>Der geheime Schlüssel wurde in %1 geschrieben. Halten Sie ihn geheim und bewahren Sie eine Kopie auf: Mit einem anderen Schlüssel signierte Aktualisierungen werden abgelehnt.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="188"/>
        <source>The file to sign.</source>
        <translation>Die zu signierende Datei.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="189"/>
        <location filename="../tools/zelto-updates/main.cpp" line="285"/>
        <source>The secret key file from generate-keys.</source>
        <translation>Die Datei mit dem geheimen Schlüssel von generate-keys.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="205"/>
        <location filename="../tools/zelto-updates/main.cpp" line="338"/>
        <source>cannot sign %1: %2</source>
        <translation>%1 kann nicht signiert werden: %2</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="217"/>
        <source>The signed file.</source>
        <translation>Die signierte Datei.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="218"/>
        <source>The public key in base64.</source>
        <translation>Der öffentliche Schlüssel in Base64.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="230"/>
        <source>the public key is not 32 bytes in base64</source>
        <translation>der öffentliche Schlüssel sind keine 32 Bytes in Base64</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="271"/>
        <source>Writes the entry of one platform into an appcast: &quot;latest-version&quot;, &quot;download-url&quot;, &quot;changelog&quot;, &quot;open-url&quot;, the installer&apos;s &quot;sha256&quot;, its signed &quot;update-statement&quot; and &quot;update-signature&quot;, and the &quot;ed25519-signature&quot; that versions before signed statements check. The entry is replaced as a whole; the other platforms stay as they are. Without APPCAST.json the appcast is printed.</source>
        <translation>Schreibt den Eintrag einer Plattform in einen Appcast: &quot;latest-version&quot;, &quot;download-url&quot;, &quot;changelog&quot;, &quot;open-url&quot;, &quot;sha256&quot; des Installationsprogramms, seine signierte Erklärung &quot;update-statement&quot; mit &quot;update-signature&quot; und die &quot;ed25519-signature&quot;, die Versionen vor den signierten Erklärungen prüfen. Der Eintrag wird als Ganzes ersetzt; die anderen Plattformen bleiben unverändert. Ohne APPCAST.json wird der Appcast ausgegeben.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="276"/>
        <source>The installer the entry offers.</source>
        <translation>Das Installationsprogramm, das der Eintrag anbietet.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="277"/>
        <source>The appcast to write or update.</source>
        <translation>Der zu schreibende oder zu aktualisierende Appcast.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="279"/>
        <source>The platform key, e.g. linux or windows.</source>
        <translation>Der Plattformschlüssel, z. B. linux oder windows.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="281"/>
        <source>The installer&apos;s version, e.g. 2.1.0.</source>
        <translation>Die Version des Installationsprogramms, z. B. 2.1.0.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="283"/>
        <source>The http(s) address the installer is downloaded from.</source>
        <translation>Die http(s)-Adresse, von der das Installationsprogramm heruntergeladen wird.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="288"/>
        <source>The release notes: an http(s) address or HTML text.</source>
        <translation>Die Versionshinweise: eine http(s)-Adresse oder HTML-Text.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="291"/>
        <source>A page the application opens instead of downloading.</source>
        <translation>Eine Seite, die die Anwendung statt des Herunterladens öffnet.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="301"/>
        <source>the version %1 is not numbers separated by dots</source>
        <translation>die Version %1 besteht nicht aus durch Punkte getrennten Zahlen</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="303"/>
        <source>the download address %1 is not an http(s) address</source>
        <translation>die Download-Adresse %1 ist keine http(s)-Adresse</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="305"/>
        <source>the page %1 is not an http(s) address</source>
        <translation>die Seite %1 ist keine http(s)-Adresse</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="323"/>
        <source>%1 is larger than an appcast may be (1 MiB)</source>
        <translation>%1 ist größer, als ein Appcast sein darf (1 MiB)</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="329"/>
        <source>%1 is not an appcast; it is left as it is</source>
        <translation>%1 ist kein Appcast; die Datei bleibt unverändert</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="360"/>
        <source>Wrote the %1 entry of %2.</source>
        <translation>Der Eintrag %1 von %2 wurde geschrieben.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="366"/>
        <source>Usage: zelto-updates COMMAND [options] [arguments]
Signs updates for the application&apos;s update checker.

Commands:
  generate-keys DIR        make a key pair; the secret key goes to DIR/%1
  sign --key FILE --version V --platform NAME [--name FILE] INSTALLER
                           print the installer&apos;s signed statement
  verify --public-key BASE64 --appcast APPCAST.json --platform NAME INSTALLER
                           check an appcast entry (exit status 0 when it holds)
  appcast --platform NAME --version V --url URL --key FILE
          [--changelog URL] [--open-url URL] INSTALLER [APPCAST.json]
                           write the platform&apos;s entry of an appcast

zelto-updates COMMAND --help describes a command.</source>
        <translation>Aufruf: zelto-updates BEFEHL [Optionen] [Argumente]
Signiert Aktualisierungen für die Aktualisierungsprüfung der Anwendung.

Befehle:
  generate-keys DIR        ein Schlüsselpaar erzeugen; der geheime Schlüssel kommt nach DIR/%1
  sign --key FILE --version V --platform NAME [--name FILE] INSTALLER
                           die signierte Erklärung des Installationsprogramms ausgeben
  verify --public-key BASE64 --appcast APPCAST.json --platform NAME INSTALLER
                           einen Appcast-Eintrag prüfen (Rückgabewert 0, wenn er zutrifft)
  appcast --platform NAME --version V --url URL --key FILE
          [--changelog URL] [--open-url URL] INSTALLER [APPCAST.json]
                           den Eintrag der Plattform in einem Appcast schreiben

zelto-updates BEFEHL --help beschreibt einen Befehl.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="404"/>
        <source>unknown command %1</source>
        <translation>unbekannter Befehl %1</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="134"/>
        <location filename="../tools/zelto-updates/main.cpp" line="147"/>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine reguläre Datei</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="221"/>
        <source>a file name, version or platform holds a control character</source>
        <translation>ein Dateiname, eine Version oder eine Plattform enthält ein Steuerzeichen</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="247"/>
        <source>%1 is not a folder of yours that only you can write</source>
        <translation>%1 ist kein eigener Ordner, in den nur Sie schreiben können</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="335"/>
        <source>Prints the signed statement of INSTALLER as version V for platform NAME: the appcast members &quot;update-statement&quot; and &quot;update-signature&quot;, as JSON.</source>
        <translation>Gibt die signierte Erklärung von INSTALLER als Version V für die Plattform NAME aus: die Appcast-Felder &quot;update-statement&quot; und &quot;update-signature&quot; als JSON.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="347"/>
        <source>The file name users download it as (the last part of its address); by default the name of INSTALLER.</source>
        <translation>Der Dateiname, unter dem es heruntergeladen wird (der letzte Teil seiner Adresse); ohne Angabe der Name von INSTALLER.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="400"/>
        <source>Checks the entry of platform NAME in APPCAST.json for INSTALLER as the application does: its statement signed with the key, naming the file of its download address, its version and NAME, and the SHA-512 of INSTALLER. The exit status is 0 only when all of it holds.</source>
        <translation>Prüft den Eintrag der Plattform NAME in APPCAST.json für INSTALLER so wie die Anwendung: seine mit dem Schlüssel signierte Erklärung, die die Datei seiner Download-Adresse, seine Version und NAME nennt, und den SHA-512 von INSTALLER. Der Rückgabewert ist nur dann 0, wenn all das zutrifft.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="407"/>
        <source>The appcast to check.</source>
        <translation>Der zu prüfende Appcast.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="433"/>
        <source>the entry %1 has no statement signed with this key</source>
        <translation>der Eintrag %1 hat keine mit diesem Schlüssel signierte Erklärung</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="437"/>
        <source>the statement is signed for %1 %2 on %3, not for this entry</source>
        <translation>die Erklärung ist für %1 %2 auf %3 signiert, nicht für diesen Eintrag</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="445"/>
        <source>%1 is not the file the statement signs</source>
        <translation>%1 ist nicht die Datei, für die die Erklärung signiert ist</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="446"/>
        <source>The signed statement of %1 holds: %2 %3 for %4.</source>
        <translation>Die signierte Erklärung von %1 trifft zu: %2 %3 für %4.</translation>
    </message>
    <message>
        <location filename="../tools/zelto-updates/main.cpp" line="497"/>
        <source>the download address %1 does not end in a file name</source>
        <translation>die Download-Adresse %1 endet nicht mit einem Dateinamen</translation>
    </message>
</context>
</TS>
