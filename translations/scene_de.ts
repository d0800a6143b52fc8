<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BreakpointsOptionPage</name>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>Breakpoints</source>
        <translation>Breakpoints</translation>
    </message>
    <message>
        <source>Breakpoints are the stage widths and heights at which a responsive scene changes its layout. Checked breakpoints are in use.</source>
        <translation>Breakpoints sind die Bühnenbreiten und -höhen, bei denen eine responsive Szene ihr Layout ändert. Angehakte Breakpoints sind in Gebrauch.</translation>
    </message>
    <message>
        <source>Widths (horizontal)</source>
        <translation>Breiten (horizontal)</translation>
    </message>
    <message>
        <source>Heights (vertical)</source>
        <translation>Höhen (vertikal)</translation>
    </message>
    <message>
        <source>Show breakpoints as guides in the editor</source>
        <translation>Breakpoints im Editor als Hilfslinien zeigen</translation>
    </message>
    <message>
        <source>Reset to Defaults</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>GeneralOptionPage</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Back up open projects automatically</source>
        <translation>Offene Projekte automatisch sichern</translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> Sekunden</translation>
    </message>
    <message>
        <source>Automatic backup</source>
        <translation>Automatische Sicherung</translation>
    </message>
    <message>
        <source>Back up every:</source>
        <translation>Sichern alle:</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>Theme:</source>
        <translation>Design:</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Aktualisierungen</translation>
    </message>
    <message>
        <source>Update address:</source>
        <translation>Aktualisierungsadresse:</translation>
    </message>
    <message>
        <source>Address of the update feed (JSON)</source>
        <translation>Adresse des Aktualisierungs-Feeds (JSON)</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Check for updates automatically:</source>
        <translation>Automatisch nach Updates suchen:</translation>
    </message>
    <message>
        <source>A new theme is used at once, a new language from the next start.</source>
        <translation>Ein neues Design gilt sofort, eine neue Sprache ab dem nächsten Start.</translation>
    </message>
    <message>
        <source>Show the welcome page</source>
        <translation>Die Startseite zeigen</translation>
    </message>
    <message>
        <source>Reopen the projects of the last session</source>
        <translation>Die Projekte der letzten Sitzung wieder öffnen</translation>
    </message>
    <message>
        <source>Start-up</source>
        <translation>Programmstart</translation>
    </message>
    <message>
        <source>On start-up:</source>
        <translation>Beim Start:</translation>
    </message>
</context>
<context>
    <name>HtmlExporter</name>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>NewSceneDialog</name>
    <message>
        <source>New Project</source>
        <translation>Neues Projekt</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>HD video (1280 x 720)</source>
        <translation>HD-Video (1280 x 720)</translation>
    </message>
    <message>
        <source>Full HD video (1920 x 1080)</source>
        <translation>Full-HD-Video (1920 x 1080)</translation>
    </message>
    <message>
        <source>Banner (728 x 90)</source>
        <translation>Banner (728 x 90)</translation>
    </message>
    <message>
        <source>Rectangle ad (300 x 250)</source>
        <translation>Rechteck-Anzeige (300 x 250)</translation>
    </message>
    <message>
        <source>Phone (375 x 667)</source>
        <translation>Telefon (375 x 667)</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source> fps</source>
        <translation> fps</translation>
    </message>
    <message>
        <source>Responsive: the stage scales with the browser window</source>
        <translation>Responsiv: Die Bühne passt sich dem Browserfenster an</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Ordner:</translation>
    </message>
    <message>
        <source>&amp;Preset:</source>
        <translation>&amp;Vorlage:</translation>
    </message>
    <message>
        <source>Stage &amp;width:</source>
        <translation>Bühnen&amp;breite:</translation>
    </message>
    <message>
        <source>Stage &amp;height:</source>
        <translation>Bühnen&amp;höhe:</translation>
    </message>
    <message>
        <source>Frame &amp;rate:</source>
        <translation>Bild&amp;rate:</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>Enter a name for the project.</source>
        <translation>Geben Sie einen Namen für das Projekt ein.</translation>
    </message>
    <message>
        <source>A project name cannot contain \ / : * ? &quot; &lt; &gt; | or start or end with a dot.</source>
        <translation>Ein Projektname darf \ / : * ? &quot; &lt; &gt; | nicht enthalten und nicht mit einem Punkt beginnen oder enden.</translation>
    </message>
    <message>
        <source>The project name is too long.</source>
        <translation>Der Projektname ist zu lang.</translation>
    </message>
    <message>
        <source>Choose a folder for the project.</source>
        <translation>Wählen Sie einen Ordner für das Projekt.</translation>
    </message>
    <message>
        <source>A project named %1 already exists in this folder.</source>
        <translation>In diesem Ordner gibt es bereits ein Projekt namens %1.</translation>
    </message>
    <message>
        <source>The folder does not exist yet; it will be created.</source>
        <translation>Den Ordner gibt es noch nicht; er wird angelegt.</translation>
    </message>
    <message>
        <source>The project will be saved as %1.</source>
        <translation>Das Projekt wird als %1 gespeichert.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Choose a Folder</source>
        <translation>Ordner wählen</translation>
    </message>
</context>
<context>
    <name>QKeySequenceEdit</name>
    <message>
        <source>Press shortcut</source>
        <translation>Geben Sie ein Tastenkürzel ein</translation>
    </message>
</context>
<context>
    <name>SceneAnimation</name>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Drehung</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>Deckkraft</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Ease In</source>
        <translation>Langsam beginnen</translation>
    </message>
    <message>
        <source>Ease Out</source>
        <translation>Langsam enden</translation>
    </message>
    <message>
        <source>Ease In-Out</source>
        <translation>Langsam beginnen und enden</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Sprung</translation>
    </message>
</context>
<context>
    <name>SceneClipboard</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>The clipboard holds nothing that can be pasted into a scene.</source>
        <translation>Die Zwischenablage enthält nichts, was in eine Szene eingefügt werden kann.</translation>
    </message>
    <message>
        <source>The items on the clipboard cannot be pasted: %1</source>
        <translation>Die Elemente in der Zwischenablage können nicht eingefügt werden: %1</translation>
    </message>
    <message>
        <source>they are too large.</source>
        <translation>sie sind zu groß.</translation>
    </message>
    <message>
        <source>they are not the items of one scene.</source>
        <translation>sie sind nicht die Elemente einer Szene.</translation>
    </message>
    <message>
        <source>the image %1: %2</source>
        <translation>das Bild %1: %2</translation>
    </message>
    <message>
        <source>the image %1.</source>
        <translation>das Bild %1.</translation>
    </message>
</context>
<context>
    <name>SceneItem</name>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
</context>
<context>
    <name>SceneCommandHandler</name>
    <message>
        <source>Open or create a project first.</source>
        <translation>Öffnen oder erstellen Sie zuerst ein Projekt.</translation>
    </message>
    <message>
        <source>Export to HTML5</source>
        <translation>Nach HTML5 exportieren</translation>
    </message>
    <message>
        <source>HTML pages (*.html)</source>
        <translation>HTML-Seiten (*.html)</translation>
    </message>
    <message>
        <source>Exported %1 to %2.</source>
        <translation>%1 wurde nach %2 exportiert.</translation>
    </message>
    <message>
        <source>No web browser could be started. The preview is at %1.</source>
        <translation>Es konnte kein Webbrowser gestartet werden. Die Vorschau liegt unter %1.</translation>
    </message>
    <message>
        <source>%1 %2

Make HTML5 animation scenes: shapes, text and images on a stage, exported as one web page.

Built with Qt %3.</source>
        <translation>%1 %2

HTML5-Animationsszenen gestalten: Formen, Texte und Bilder auf einer Bühne, exportiert als eine Webseite.

Erstellt mit Qt %3.</translation>
    </message>
    <message>
        <source>No update address is configured. Enter one under Edit &gt; Preferences &gt; General.</source>
        <translation>Es ist keine Aktualisierungsadresse eingestellt. Geben Sie eine unter Bearbeiten &gt; Einstellungen &gt; Allgemein ein.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
</context>
<context>
    <name>SceneDocument</name>
    <message>
        <source>These images of %1 were not opened and show as missing:

%2</source>
        <translation>Diese Bilder von %1 wurden nicht geöffnet und erscheinen als fehlend:

%2</translation>
    </message>
    <message>
        <source>%1 is read-only.

Save over it anyway? It stays read-only.</source>
        <translation>%1 ist schreibgeschützt.

Trotzdem darüber speichern? Die Datei bleibt schreibgeschützt.</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weiteres</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not open the project %1.

%2</source>
        <translation>Das Projekt %1 konnte nicht geöffnet werden.

%2</translation>
    </message>
    <message>
        <source>Restored %1 from its automatic backup.</source>
        <translation>%1 wurde aus der automatischen Sicherung wiederhergestellt.</translation>
    </message>
    <message>
        <source>Opened %1.</source>
        <translation>%1 wurde geöffnet.</translation>
    </message>
    <message>
        <source>Could not save the project.

%1</source>
        <translation>Das Projekt konnte nicht gespeichert werden.

%1</translation>
    </message>
    <message>
        <source>Saving %1 failed.</source>
        <translation>Das Speichern von %1 ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Saved %1.</source>
        <translation>%1 wurde gespeichert.</translation>
    </message>
    <message>
        <source>Zelto Rideved projects (*.zelto)</source>
        <translation>Zelto-Rideved-Projekte (*.zelto)</translation>
    </message>
    <message>
        <source>Packed Zelto Rideved projects (*.zeltopack)</source>
        <translation>Gepackte Zelto-Rideved-Projekte (*.zeltopack)</translation>
    </message>
    <message>
        <source>Save Project As</source>
        <translation>Projekt speichern unter</translation>
    </message>
    <message>
        <source>Reverted %1 to the saved project.</source>
        <translation>%1 wurde auf das gespeicherte Projekt zurückgesetzt.</translation>
    </message>
    <message>
        <source>The automatic backup failed: %1</source>
        <translation>Die automatische Sicherung ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Backup of %1 saved at %2.</source>
        <translation>Sicherung von %1 um %2 gespeichert.</translation>
    </message>
    <message>
        <source>%1 was restored from its automatic backup with changes that were not saved.</source>
        <translation>%1 wurde mit nicht gespeicherten Änderungen aus der automatischen Sicherung wiederhergestellt.</translation>
    </message>
    <message>
        <source>Revert to Saved</source>
        <translation>Gespeicherte Fassung wiederherstellen</translation>
    </message>
    <message>
        <source>%1 was saved by an older version of Zelto Rideved (project format %2). Saving it now writes project format %3, which older versions cannot open.

Save it in the new format?</source>
        <translation>%1 wurde mit einer älteren Version von Zelto Rideved gespeichert (Projektformat %2). Beim Speichern wird jetzt Projektformat %3 geschrieben, das ältere Versionen nicht öffnen können.

Im neuen Format speichern?</translation>
    </message>
    <message>
        <source>%1 was not saved; the file is unchanged.</source>
        <translation>%1 wurde nicht gespeichert; die Datei ist unverändert.</translation>
    </message>
    <message>
        <source>Reloaded %1 from disk.</source>
        <translation>%1 wurde neu vom Datenträger geladen.</translation>
    </message>
    <message>
        <source>The automatic backup of %1 failed: %2</source>
        <translation>Die automatische Sicherung von %1 ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>ScenePlugin</name>
    <message>
        <source>The scene plug-in has no option %1.</source>
        <translation>Das Szenen-Plug-in hat keine Option %1.</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>SceneDocumentFactory</name>
    <message>
        <source>Open Project</source>
        <translation>Projekt öffnen</translation>
    </message>
    <message>
        <source>Zelto Rideved projects (*.zelto *.zeltopack)</source>
        <translation>Zelto-Rideved-Projekte (*.zelto *.zeltopack)</translation>
    </message>
    <message>
        <source>Animation project</source>
        <translation>Animationsprojekt</translation>
    </message>
</context>
<context>
    <name>SceneEditor</name>
    <message>
        <source>Scene Editor</source>
        <translation>Szeneneditor</translation>
    </message>
    <message>
        <source>Play or pause the scene</source>
        <translation>Die Szene abspielen oder anhalten</translation>
    </message>
    <message>
        <source>Add a rectangle to the scene</source>
        <translation>Der Szene ein Rechteck hinzufügen</translation>
    </message>
    <message>
        <source>Add an ellipse to the scene</source>
        <translation>Der Szene eine Ellipse hinzufügen</translation>
    </message>
    <message>
        <source>Add a text to the scene</source>
        <translation>Der Szene einen Text hinzufügen</translation>
    </message>
    <message>
        <source>Add an image file to the scene</source>
        <translation>Der Szene eine Bilddatei hinzufügen</translation>
    </message>
    <message>
        <source>Show or hide the undo history</source>
        <translation>Den Änderungsverlauf ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Key every property of the selected items at the playhead</source>
        <translation>Alle Eigenschaften der ausgewählten Objekte am Abspielkopf als Keyframe setzen</translation>
    </message>
    <message>
        <source>Move the playhead one frame back</source>
        <translation>Den Abspielkopf ein Bild zurück bewegen</translation>
    </message>
    <message>
        <source>Move the playhead one frame on</source>
        <translation>Den Abspielkopf ein Bild weiter bewegen</translation>
    </message>
    <message>
        <source>Move the playhead to the start of the scene</source>
        <translation>Den Abspielkopf an den Anfang der Szene setzen</translation>
    </message>
    <message>
        <source>Move the playhead to the end of the scene</source>
        <translation>Den Abspielkopf an das Ende der Szene setzen</translation>
    </message>
    <message>
        <source>Stop playing and go back to the start</source>
        <translation>Das Abspielen beenden und zum Anfang zurückkehren</translation>
    </message>
    <message>
        <source>Turn looping on or off</source>
        <translation>Die Endlosschleife ein- oder ausschalten</translation>
    </message>
    <message>
        <source>Turn auto-key on or off</source>
        <translation>Auto-Keyframe ein- oder ausschalten</translation>
    </message>
    <message>
        <source>Add a scene after the current one</source>
        <translation>Nach der aktuellen Szene eine Szene hinzufügen</translation>
    </message>
    <message>
        <source>Duplicate the current scene</source>
        <translation>Die aktuelle Szene duplizieren</translation>
    </message>
    <message>
        <source>Rename the current scene</source>
        <translation>Die aktuelle Szene umbenennen</translation>
    </message>
    <message>
        <source>Delete the current scene</source>
        <translation>Die aktuelle Szene löschen</translation>
    </message>
    <message>
        <source>Move the current scene one place earlier</source>
        <translation>Die aktuelle Szene um eine Stelle nach vorn verschieben</translation>
    </message>
    <message>
        <source>Move the current scene one place later</source>
        <translation>Die aktuelle Szene um eine Stelle nach hinten verschieben</translation>
    </message>
    <message>
        <source>Rename the selected item</source>
        <translation>Das ausgewählte Element umbenennen</translation>
    </message>
    <message>
        <source>Move the selected items one step to the front</source>
        <translation>Die ausgewählten Elemente eine Ebene nach vorne bringen</translation>
    </message>
    <message>
        <source>Move the selected items one step to the back</source>
        <translation>Die ausgewählten Elemente eine Ebene nach hinten bringen</translation>
    </message>
    <message>
        <source>Move the selected items in front of all others</source>
        <translation>Die ausgewählten Elemente vor alle anderen bringen</translation>
    </message>
    <message>
        <source>Move the selected items behind all others</source>
        <translation>Die ausgewählten Elemente hinter alle anderen bringen</translation>
    </message>
</context>
<context>
    <name>SceneEditorWidget</name>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Image...</source>
        <translation>Bild...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Breakpoint Guides</source>
        <translation>Breakpoint-Hilfslinien</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Wählen...</translation>
    </message>
    <message>
        <source>&lt;b&gt;Selected item&lt;/b&gt;</source>
        <translation>&lt;b&gt;Ausgewähltes Element&lt;/b&gt;</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Font size:</source>
        <translation>Schriftgröße:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Add Rectangle</source>
        <translation>Rechteck hinzufügen</translation>
    </message>
    <message>
        <source>Add Ellipse</source>
        <translation>Ellipse hinzufügen</translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation>Text hinzufügen</translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation>Bild hinzufügen</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.gif *.svg *.webp)</source>
        <translation>Bilder (*.png *.jpg *.jpeg *.gif *.svg *.webp)</translation>
    </message>
    <message>
        <source>%1 is not an image that can be used.</source>
        <translation>%1 ist kein verwendbares Bild.</translation>
    </message>
    <message>
        <source>%1 was not added: %2</source>
        <translation>%1 wurde nicht hinzugefügt: %2</translation>
    </message>
    <message>
        <source>Delete Item</source>
        <translation>Element löschen</translation>
    </message>
    <message>
        <source>Delete Items</source>
        <translation>Elemente löschen</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Change Item</source>
        <translation>Element ändern</translation>
    </message>
    <message>
        <source>Choose Colour</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <source>Change Colour</source>
        <translation>Farbe ändern</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Abspielen/Pause</translation>
    </message>
    <message>
        <source>Auto-Key</source>
        <translation>Auto-Keyframe</translation>
    </message>
    <message>
        <source>Changes away from the start of the scene add keyframes</source>
        <translation>Änderungen nach dem Anfang der Szene fügen Keyframes hinzu</translation>
    </message>
    <message>
        <source>°</source>
        <translation>°</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Drehung:</translation>
    </message>
    <message>
        <source>Opacity:</source>
        <translation>Deckkraft:</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Change Opacity</source>
        <translation>Deckkraft ändern</translation>
    </message>
    <message>
        <source>Add Scene</source>
        <translation>Szene hinzufügen</translation>
    </message>
    <message>
        <source>%1 Copy</source>
        <translation>%1 Kopie</translation>
    </message>
    <message>
        <source>Duplicate Scene</source>
        <translation>Szene duplizieren</translation>
    </message>
    <message>
        <source>Delete Scene</source>
        <translation>Szene löschen</translation>
    </message>
    <message>
        <source>Rename Scene</source>
        <translation>Szene umbenennen</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Move Scene</source>
        <translation>Szene verschieben</translation>
    </message>
    <message>
        <source>Change Scene Duration</source>
        <translation>Szenendauer ändern</translation>
    </message>
    <message>
        <source>Turn Loop On</source>
        <translation>Endlosschleife einschalten</translation>
    </message>
    <message>
        <source>Turn Loop Off</source>
        <translation>Endlosschleife ausschalten</translation>
    </message>
    <message>
        <source>Opened</source>
        <translation>Geöffnet</translation>
    </message>
    <message>
        <source>Undo History</source>
        <translation>Änderungsverlauf</translation>
    </message>
    <message>
        <source>Undo &amp;History</source>
        <translation>&amp;Änderungsverlauf</translation>
    </message>
    <message>
        <source>Change Font Size</source>
        <translation>Schriftgröße ändern</translation>
    </message>
    <message>
        <source>Change Text</source>
        <translation>Text ändern</translation>
    </message>
    <message>
        <source>Add Keyframe</source>
        <translation>Keyframe hinzufügen</translation>
    </message>
    <message>
        <source>Previous Frame</source>
        <translation>Vorheriges Bild</translation>
    </message>
    <message>
        <source>Next Frame</source>
        <translation>Nächstes Bild</translation>
    </message>
    <message>
        <source>Go to Start</source>
        <translation>Zum Anfang</translation>
    </message>
    <message>
        <source>Go to End</source>
        <translation>Zum Ende</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Umbenennen...</translation>
    </message>
    <message>
        <source>Bring Forward</source>
        <translation>Eine Ebene nach vorne</translation>
    </message>
    <message>
        <source>Send Backward</source>
        <translation>Eine Ebene nach hinten</translation>
    </message>
    <message>
        <source>Bring to Front</source>
        <translation>In den Vordergrund</translation>
    </message>
    <message>
        <source>Send to Back</source>
        <translation>In den Hintergrund</translation>
    </message>
    <message>
        <source>Rename Item</source>
        <translation>Element umbenennen</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Einblenden</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Sperren</translation>
    </message>
    <message>
        <source>Unlock</source>
        <translation>Entsperren</translation>
    </message>
    <message>
        <source>Hide in the Editor</source>
        <translation>Im Editor ausblenden</translation>
    </message>
</context>
<context>
    <name>SceneOptionsDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Some shortcuts are used by more than one command:

%1

Give each command its own shortcut or clear one of them.</source>
        <translation>Einige Tastenkürzel werden von mehr als einem Befehl verwendet:

%1

Geben Sie jedem Befehl sein eigenes Tastenkürzel oder löschen Sie eines davon.</translation>
    </message>
</context>
<context>
    <name>SceneProject</name>
    <message>
        <source>its size cannot be read before it is decoded</source>
        <translation>seine Größe lässt sich vor dem Dekodieren nicht lesen</translation>
    </message>
    <message>
        <source>it measures %1 × %2 pixels; images of up to %3 megapixels and %4 pixels on a side are opened</source>
        <translation>es misst %1 × %2 Pixel; geöffnet werden Bilder mit bis zu %3 Megapixeln und %4 Pixeln Kantenlänge</translation>
    </message>
    <message>
        <source>an object in it names the same key twice.</source>
        <translation>ein Objekt darin nennt denselben Schlüssel zweimal.</translation>
    </message>
    <message>
        <source>Could not save the images: the folder %1 leads outside the project folder.</source>
        <translation>Die Bilder konnten nicht gespeichert werden: Der Ordner %1 führt aus dem Projektordner hinaus.</translation>
    </message>
    <message>
        <source>Could not replace %1, which is not an image file.</source>
        <translation>%1 ist keine Bilddatei und konnte nicht ersetzt werden.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>This file is not a Zelto Rideved project.</source>
        <translation>Diese Datei ist kein Zelto-Rideved-Projekt.</translation>
    </message>
    <message>
        <source>This project was saved by a newer version of Zelto Rideved (project format %1). This version reads project formats up to %2. Please update Zelto Rideved to open it.</source>
        <translation>Dieses Projekt wurde mit einer neueren Version von Zelto Rideved gespeichert (Projektformat %1). Diese Version liest Projektformate bis %2. Bitte aktualisieren Sie Zelto Rideved, um es zu öffnen.</translation>
    </message>
    <message>
        <source>The project is damaged: %1</source>
        <translation>Das Projekt ist beschädigt: %1</translation>
    </message>
    <message>
        <source>the stage size or frame rate is missing or out of range.</source>
        <translation>Die Bühnengröße oder Bildrate fehlt oder liegt außerhalb des erlaubten Bereichs.</translation>
    </message>
    <message>
        <source>the list of items is not a list.</source>
        <translation>Die Liste der Elemente ist keine Liste.</translation>
    </message>
    <message>
        <source>item %1 is not valid.</source>
        <translation>Element %1 ist ungültig.</translation>
    </message>
    <message>
        <source>item %1 names an image outside the project.</source>
        <translation>Element %1 verweist auf ein Bild außerhalb des Projekts.</translation>
    </message>
    <message>
        <source>The packed project holds no %1.</source>
        <translation>Das gepackte Projekt enthält keine Datei %1.</translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>item %1 has damaged animation values.</source>
        <translation>Element %1 hat beschädigte Animationswerte.</translation>
    </message>
    <message>
        <source>it holds no scenes.</source>
        <translation>es enthält keine Szenen.</translation>
    </message>
    <message>
        <source>scene %1 has no valid duration.</source>
        <translation>Szene %1 hat keine gültige Dauer.</translation>
    </message>
    <message>
        <source>scene %1: %2</source>
        <translation>Szene %1: %2</translation>
    </message>
    <message>
        <source>Scene %1</source>
        <translation>Szene %1</translation>
    </message>
    <message>
        <source>it is not an image that can be shown.</source>
        <translation>es ist kein Bild, das angezeigt werden kann.</translation>
    </message>
</context>
<context>
    <name>ShortcutsOptionPage</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>Alle zurücksetzen</translation>
    </message>
    <message>
        <source>Shortcut:</source>
        <translation>Tastenkürzel:</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Used more than once: %1</source>
        <translation>Mehrfach verwendet: %1</translation>
    </message>
</context>
<context>
    <name>TarArchive</name>
    <message>
        <source>The file name %1 is too long for a packed project.</source>
        <translation>Der Dateiname %1 ist für ein gepacktes Projekt zu lang.</translation>
    </message>
    <message>
        <source>The packed project is damaged.</source>
        <translation>Das gepackte Projekt ist beschädigt.</translation>
    </message>
</context>
<context>
    <name>TimelineView</name>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 s, %2</source>
        <translation>%1 s, %2</translation>
    </message>
    <message>
        <source>Easing</source>
        <translation>Beschleunigung</translation>
    </message>
    <message>
        <source>Delete Keyframe</source>
        <translation>Keyframe löschen</translation>
    </message>
    <message>
        <source>Delete Keyframes</source>
        <translation>Keyframes löschen</translation>
    </message>
    <message>
        <source>Add Keyframe</source>
        <translation>Keyframe hinzufügen</translation>
    </message>
    <message>
        <source>Move Keyframe</source>
        <translation>Keyframe verschieben</translation>
    </message>
    <message>
        <source>Move Keyframes</source>
        <translation>Keyframes verschieben</translation>
    </message>
    <message>
        <source>Set Easing</source>
        <translation>Beschleunigung festlegen</translation>
    </message>
    <message>
        <source>All Properties</source>
        <translation>Alle Eigenschaften</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Add Keyframes</source>
        <translation>Keyframes hinzufügen</translation>
    </message>
</context>
<context>
    <name>TimelineWidget</name>
    <message>
        <source>The scene shown</source>
        <translation>Die angezeigte Szene</translation>
    </message>
    <message>
        <source>Scenes</source>
        <translation>Szenen</translation>
    </message>
    <message>
        <source> Duration: </source>
        <translation> Dauer: </translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Endlosschleife</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Add Scene</source>
        <translation>Szene hinzufügen</translation>
    </message>
    <message>
        <source>Duplicate Scene</source>
        <translation>Szene duplizieren</translation>
    </message>
    <message>
        <source>Rename Scene...</source>
        <translation>Szene umbenennen...</translation>
    </message>
    <message>
        <source>Delete Scene</source>
        <translation>Szene löschen</translation>
    </message>
    <message>
        <source>Move Scene Earlier</source>
        <translation>Szene nach vorn verschieben</translation>
    </message>
    <message>
        <source>Move Scene Later</source>
        <translation>Szene nach hinten verschieben</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>%1 s / %2 s</source>
        <translation>%1 s / %2 s</translation>
    </message>
    <message>
        <source>Start again after the end: the scene here, all scenes in the exported page</source>
        <translation>Nach dem Ende von vorn beginnen: hier die Szene, in der exportierten Seite alle Szenen</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <source>it does not exist</source>
        <translation>existiert nicht</translation>
    </message>
    <message>
        <source>it is larger than %1, the most Zelto Rideved reads</source>
        <translation>größer als %1, mehr liest Zelto Rideved nicht</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>%1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>it leads outside the project folder</source>
        <translation>führt aus dem Projektordner hinaus</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>the reason is unknown</source>
        <translation>der Grund ist unbekannt</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>das Speicherkontingent ist aufgebraucht</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>keine Berechtigung</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>das Dateisystem ist schreibgeschützt</translation>
    </message>
</context>
</TS>
