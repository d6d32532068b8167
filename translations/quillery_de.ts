<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AppInfo</name>
    <message>
        <source>Comments and suggestions: </source>
        <translation>Anmerkungen und Vorschläge: </translation>
    </message>
    <message>
        <source>Quillery version </source>
        <translation>Quillery Version </translation>
    </message>
    <message>
        <source>

Quillery keeps rich text, plain text, web pages, pictures, sounds and any other files together as the pages of one binder file.

On the web: </source>
        <translation>

Quillery hält Rich Text, Nur-Text, Webseiten, Bilder, Töne und beliebige andere Dateien als Seiten einer einzigen Sammelmappe zusammen.

Im Web: </translation>
    </message>
</context>
<context>
    <name>AuthorName</name>
    <message>
        <source>Author Name</source>
        <translation>Autorenname</translation>
    </message>
    <message>
        <source>Please type your name:</source>
        <translation>Bitte geben Sie Ihren Namen ein:</translation>
    </message>
    <message>
        <source>This name will be stored in new Quillery files to show you as the author and in existing files as the last person to save.  It is stored in the settings file here: &apos;</source>
        <translation>Dieser Name wird in neuen Quillery-Dateien als Autor und in bestehenden Dateien als zuletzt speichernde Person eingetragen.  Er wird in dieser Einstellungsdatei gespeichert: &apos;</translation>
    </message>
</context>
<context>
    <name>BinderImport</name>
    <message>
        <source>Import Binder</source>
        <translation>Sammelmappe importieren</translation>
    </message>
    <message>
        <source>Importing </source>
        <translation>Importiere </translation>
    </message>
    <message>
        <source>It is an encrypted binder; open it to copy its pages</source>
        <translation>Es ist eine verschlüsselte Sammelmappe; öffnen Sie sie, um ihre Seiten zu kopieren</translation>
    </message>
    <message>
        <source>Import Quillery Error</source>
        <translation>Fehler beim Importieren der Quillery-Datei</translation>
    </message>
    <message>
        <source>An error occurred when trying to import the Quillery &apos;</source>
        <translation>Fehler beim Importieren der Quillery-Datei &apos;</translation>
    </message>
    <message>
        <source>Import Quillery File</source>
        <translation>Quillery-Datei importieren</translation>
    </message>
    <message>
        <source>Quillery (*.qly)|*.qly|All files (*.*)|*.*</source>
        <translation>Quillery (*.qly)|*.qly|Alle Dateien (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>BinderMenus</name>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>Inser&amp;t</source>
        <translation>Einfü&amp;gen</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>E&amp;xportieren</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Page List &amp;Position</source>
        <translation>&amp;Position der Seitenliste</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>&amp;Gehe zu</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Aus&amp;schneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation>&amp;Löschen...</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>&amp;Eigenschaften...</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Rich Text Page...</source>
        <translation>&amp;Rich-Text-Seite...</translation>
    </message>
    <message>
        <source>&amp;Plain Text Page...</source>
        <translation>&amp;Nur-Text-Seite...</translation>
    </message>
    <message>
        <source>&amp;HTML Page...</source>
        <translation>&amp;HTML-Seite...</translation>
    </message>
    <message>
        <source>Pi&amp;cture...</source>
        <translation>&amp;Bild...</translation>
    </message>
    <message>
        <source>&amp;Sound...</source>
        <translation>&amp;Ton...</translation>
    </message>
    <message>
        <source>&amp;File...</source>
        <translation>&amp;Datei...</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
</context>
<context>
    <name>BinderOpener</name>
    <message>
        <source>File in Use</source>
        <translation>Datei in Gebrauch</translation>
    </message>
    <message>
        <source>File in Use by </source>
        <translation>Datei in Gebrauch bei </translation>
    </message>
    <message>
        <source>someone else</source>
        <translation>jemand anderem</translation>
    </message>
    <message>
        <source>it has been closed</source>
        <translation>sie geschlossen wurde</translation>
    </message>
    <message>
        <source> has closed it</source>
        <translation> sie geschlossen hat</translation>
    </message>
    <message>
        <source>The file you have opened is in use by </source>
        <translation>Die geöffnete Datei ist in Gebrauch bei </translation>
    </message>
    <message>
        <source>.  You will not be able to save changes to the file until </source>
        <translation>.  Sie können Änderungen an der Datei erst speichern, wenn </translation>
    </message>
    <message>
        <source> (even though &apos;[Read-Only]&apos; may still be displayed).  You can, however, save the file as another name.</source>
        <translation> (auch wenn noch &apos;[Schreibgeschützt]&apos; angezeigt wird).  Sie können die Datei jedoch unter einem anderen Namen speichern.</translation>
    </message>
    <message>
        <source>its page count does not match its lumps</source>
        <translation>ihre Seitenzahl passt nicht zu ihren Datenblöcken</translation>
    </message>
    <message>
        <source>Opened Read-Only</source>
        <translation>Schreibgeschützt geöffnet</translation>
    </message>
    <message>
        <source>&apos; is opened read-only, because Quillery cannot mark it as in use: </source>
        <translation>&apos; ist schreibgeschützt geöffnet, weil Quillery sie nicht als in Gebrauch markieren kann: </translation>
    </message>
    <message>
        <source>.  You can save it under another name.</source>
        <translation>.  Sie können sie unter einem anderen Namen speichern.</translation>
    </message>
    <message>
        <source>it has no record lump</source>
        <translation>sie hat keinen Datensatzblock</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>Fehler beim Öffnen</translation>
    </message>
    <message>
        <source>An error occurred when trying to open the file &apos;</source>
        <translation>Fehler beim Öffnen der Datei &apos;</translation>
    </message>
</context>
<context>
    <name>BinderRescue</name>
    <message>
        <source>Damaged Binder</source>
        <translation>Beschädigte Sammelmappe</translation>
    </message>
    <message>
        <source>&apos; is damaged.  Rescue the pages that can be read?</source>
        <translation>&apos; ist beschädigt.  Die lesbaren Seiten retten?</translation>
    </message>
    <message>
        <source>Nothing to Rescue</source>
        <translation>Nichts zu retten</translation>
    </message>
    <message>
        <source>No page of &apos;</source>
        <translation>Keine Seite von &apos;</translation>
    </message>
    <message>
        <source>&apos; can be read: </source>
        <translation>&apos; ist lesbar: </translation>
    </message>
    <message>
        <source>Save the Rescued Pages As</source>
        <translation>Gerettete Seiten speichern unter</translation>
    </message>
    <message>
        <source>Quillery (*.qly)|*.qly</source>
        <translation>Quillery (*.qly)|*.qly</translation>
    </message>
    <message>
        <source>Rescue</source>
        <translation>Rettung</translation>
    </message>
    <message>
        <source>The rescued pages cannot replace the damaged binder; save them under another name.</source>
        <translation>Die geretteten Seiten können die beschädigte Sammelmappe nicht ersetzen; speichern Sie sie unter einem anderen Namen.</translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
    <message>
        <source>An error occurred when trying to save the file &apos;</source>
        <translation>Fehler beim Speichern der Datei &apos;</translation>
    </message>
    <message>
        <source>%1 of %2 pages were rescued into &apos;%3&apos;.

</source>
        <translation>%1 von %2 Seiten wurden in &apos;%3&apos; gerettet.

</translation>
    </message>
</context>
<context>
    <name>BinderSaver</name>
    <message>
        <source>The data of the page &apos;</source>
        <translation>Die Daten der Seite &apos;</translation>
    </message>
    <message>
        <source>&apos; is missing (</source>
        <translation>&apos; fehlen (</translation>
    </message>
    <message>
        <source>&apos; has %1 bytes instead of %2 (</source>
        <translation>&apos; haben %1 Bytes statt %2 (</translation>
    </message>
    <message>
        <source>Saving </source>
        <translation>Speichere </translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Group Not Kept</source>
        <translation>Gruppe nicht beibehalten</translation>
    </message>
    <message>
        <source>File Changed on Disk</source>
        <translation>Datei auf dem Datenträger geändert</translation>
    </message>
    <message>
        <source>&apos; has been changed by another program since you opened or last saved it.  Click Yes to save your changes under a new name (Save As), No to overwrite the file with your version, or Cancel to leave it as it is.</source>
        <translation>&apos; wurde von einem anderen Programm geändert, seit Sie sie geöffnet oder zuletzt gespeichert haben.  Klicken Sie auf Ja, um Ihre Änderungen unter einem neuen Namen zu speichern (Speichern unter), auf Nein, um die Datei mit Ihrer Fassung zu überschreiben, oder auf Abbrechen, um sie unverändert zu lassen.</translation>
    </message>
    <message>
        <source>File is Read-Only</source>
        <translation>Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>&apos; is read-only.  To save a copy, click OK, then give the file a new name in the Save dialog box.</source>
        <translation>&apos; ist schreibgeschützt.  Um eine Kopie zu speichern, klicken Sie auf OK und geben der Datei im Dialog Speichern einen neuen Namen.</translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
    <message>
        <source>An error occurred when attempting to save the file &apos;</source>
        <translation>Fehler beim Speichern der Datei &apos;</translation>
    </message>
    <message>
        <source>Save Quillery (&apos;</source>
        <translation>Quillery-Datei speichern (&apos;</translation>
    </message>
    <message>
        <source>Quillery (*.qly)|*.qly|All files (*.*)|*.*</source>
        <translation>Quillery (*.qly)|*.qly|Alle Dateien (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>BrowserModule</name>
    <message>
        <source>it was built for another version of the program (interface %1, this program needs %2)</source>
        <translation>es wurde für eine andere Version des Programms gebaut (Schnittstelle %1, dieses Programm braucht %2)</translation>
    </message>
    <message>
        <source>%1 is not a browser module: %2</source>
        <translation>%1 ist kein Browsermodul: %2</translation>
    </message>
    <message>
        <source>The browser module was not found; looked for %1.</source>
        <translation>Das Browsermodul wurde nicht gefunden; gesucht wurde %1.</translation>
    </message>
</context>
<context>
    <name>ClipInfo</name>
    <message>
        <source>The page clipboard does not describe a page</source>
        <translation>Die Seitenzwischenablage beschreibt keine Seite</translation>
    </message>
</context>
<context>
    <name>Colours</name>
    <message>
        <source> (system colour)</source>
        <translation> (Systemfarbe)</translation>
    </message>
    <message>
        <source>System colour %1</source>
        <translation>Systemfarbe %1</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>New File (Ctrl+N)</source>
        <translation>Neue Datei (Strg+N)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open File (Ctrl+O)</source>
        <translation>Datei öffnen (Strg+O)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save File (Ctrl+S)</source>
        <translation>Datei speichern (Strg+S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Druck&amp;vorschau...</translation>
    </message>
    <message>
        <source>&amp;Rich Text File...</source>
        <translation>&amp;Rich-Text-Datei...</translation>
    </message>
    <message>
        <source>&amp;Plain Text Document...</source>
        <translation>&amp;Nur-Text-Dokument...</translation>
    </message>
    <message>
        <source>&amp;HTML Document...</source>
        <translation>&amp;HTML-Dokument...</translation>
    </message>
    <message>
        <source>Scanner/Camera &amp;Image (TWAIN)...</source>
        <translation>Scanner-/&amp;Kamerabild (TWAIN)...</translation>
    </message>
    <message>
        <source>Import Scanner/Camera Image (TWAIN) (Ctrl+Q)</source>
        <translation>Scanner-/Kamerabild importieren (TWAIN) (Strg+Q)</translation>
    </message>
    <message>
        <source>&amp;Folder...</source>
        <translation>&amp;Ordner...</translation>
    </message>
    <message>
        <source>&amp;Quillery...</source>
        <translation>&amp;Quillery...</translation>
    </message>
    <message>
        <source>&amp;Picture...</source>
        <translation>&amp;Bild...</translation>
    </message>
    <message>
        <source>Insert Picture (Shift+F8)</source>
        <translation>Bild einfügen (Umschalt+F8)</translation>
    </message>
    <message>
        <source>&amp;Sound...</source>
        <translation>&amp;Ton...</translation>
    </message>
    <message>
        <source>Insert Sound (Shift+F9)</source>
        <translation>Ton einfügen (Umschalt+F9)</translation>
    </message>
    <message>
        <source>Other &amp;File...</source>
        <translation>Andere &amp;Datei...</translation>
    </message>
    <message>
        <source>Insert File (Shift+F11)</source>
        <translation>Datei einfügen (Umschalt+F11)</translation>
    </message>
    <message>
        <source>Rich Text Format</source>
        <translation>Rich Text Format</translation>
    </message>
    <message>
        <source>Text Document</source>
        <translation>Textdokument</translation>
    </message>
    <message>
        <source>HTML</source>
        <translation>HTML</translation>
    </message>
    <message>
        <source>&amp;Selected Page...</source>
        <translation>&amp;Ausgewählte Seite...</translation>
    </message>
    <message>
        <source>Selected Page</source>
        <translation>Ausgewählte Seite</translation>
    </message>
    <message>
        <source>Pa&amp;ge Properties...</source>
        <translation>Seiten&amp;eigenschaften...</translation>
    </message>
    <message>
        <source>&amp;File Properties...</source>
        <translation>Da&amp;teieigenschaften...</translation>
    </message>
    <message>
        <source>P&amp;roperties...</source>
        <translation>E&amp;igenschaften...</translation>
    </message>
    <message>
        <source>A&amp;uthor Name...</source>
        <translation>&amp;Autorenname...</translation>
    </message>
    <message>
        <source>C&amp;hange Password...</source>
        <translation>&amp;Kennwort ändern...</translation>
    </message>
    <message>
        <source>Encr&amp;ypt This Binder...</source>
        <translation>Sammelmappe verschlüsse&amp;ln...</translation>
    </message>
    <message>
        <source>&amp;Work Offline</source>
        <translation>&amp;Offline arbeiten</translation>
    </message>
    <message>
        <source>&amp;Recent Files...</source>
        <translation>&amp;Zuletzt geöffnete Dateien...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Edit Page...</source>
        <translation>Seite &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>Edit Page (F8)</source>
        <translation>Seite bearbeiten (F8)</translation>
    </message>
    <message>
        <source>Cu&amp;t Page</source>
        <translation>Seite ausschnei&amp;den</translation>
    </message>
    <message>
        <source>C&amp;opy Page</source>
        <translation>Seite &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste Page</source>
        <translation>Seite &amp;einfügen</translation>
    </message>
    <message>
        <source>Delete Pa&amp;ge...</source>
        <translation>Seite &amp;löschen...</translation>
    </message>
    <message>
        <source>Delete Page (Del)</source>
        <translation>Seite löschen (Entf)</translation>
    </message>
    <message>
        <source>De&amp;lete All Pages...</source>
        <translation>&amp;Alle Seiten löschen...</translation>
    </message>
    <message>
        <source>New Ri&amp;ch Text Page...</source>
        <translation>Neue Ri&amp;ch-Text-Seite...</translation>
    </message>
    <message>
        <source>Add Rich Text Page (Shift+F4)</source>
        <translation>Rich-Text-Seite hinzufügen (Umschalt+F4)</translation>
    </message>
    <message>
        <source>New Plain Te&amp;xt Page...</source>
        <translation>Neue &amp;Nur-Text-Seite...</translation>
    </message>
    <message>
        <source>Add Plain Text Page (Shift+F5)</source>
        <translation>Nur-Text-Seite hinzufügen (Umschalt+F5)</translation>
    </message>
    <message>
        <source>New &amp;HTML Page...</source>
        <translation>Neue &amp;HTML-Seite...</translation>
    </message>
    <message>
        <source>Add HTML Page (Shift+F6)</source>
        <translation>HTML-Seite hinzufügen (Umschalt+F6)</translation>
    </message>
    <message>
        <source>Re&amp;name Page</source>
        <translation>Seite &amp;umbenennen</translation>
    </message>
    <message>
        <source>Rename Page (F2)</source>
        <translation>Seite umbenennen (F2)</translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach un&amp;ten</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>&amp;Search All...</source>
        <translation>&amp;In allen Seiten suchen...</translation>
    </message>
    <message>
        <source>Opt&amp;ions...</source>
        <translation>O&amp;ptionen...</translation>
    </message>
    <message>
        <source>&amp;Large Icons</source>
        <translation>&amp;Große Symbole</translation>
    </message>
    <message>
        <source>View Large Icons</source>
        <translation>Große Symbole anzeigen</translation>
    </message>
    <message>
        <source>&amp;Small Icons</source>
        <translation>&amp;Kleine Symbole</translation>
    </message>
    <message>
        <source>View Small Icons</source>
        <translation>Kleine Symbole anzeigen</translation>
    </message>
    <message>
        <source>Lis&amp;t</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>View List</source>
        <translation>Liste anzeigen</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>&amp;Details</translation>
    </message>
    <message>
        <source>View Details</source>
        <translation>Details anzeigen</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>&amp;Oben</translation>
    </message>
    <message>
        <source>&amp;Bottom</source>
        <translation>&amp;Unten</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>&amp;Links</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>&amp;Rechts</translation>
    </message>
    <message>
        <source>Auto Hide Pa&amp;ge Pane</source>
        <translation>Seitenbereich automatisch &amp;ausblenden</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation>&amp;Nächste Seite</translation>
    </message>
    <message>
        <source>&amp;Previous Page</source>
        <translation>V&amp;orherige Seite</translation>
    </message>
    <message>
        <source>Tile &amp;Horizontal</source>
        <translation>&amp;Untereinander</translation>
    </message>
    <message>
        <source>Tile &amp;Vertical</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Über&amp;lappend</translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation>&amp;Symbole anordnen</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Quillery</translation>
    </message>
    <message>
        <source>&amp;Send Feedback...</source>
        <translation>&amp;Rückmeldung senden...</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
</context>
<context>
    <name>CommandGuard</name>
    <message>
        <source>Quillery</source>
        <translation>Quillery</translation>
    </message>
    <message>
        <source>The command failed for a reason Quillery does not know.</source>
        <translation>Der Befehl ist aus einem Grund fehlgeschlagen, den Quillery nicht kennt.</translation>
    </message>
</context>
<context>
    <name>CommandState</name>
    <message>
        <source>0 Pages</source>
        <translation>0 Seiten</translation>
    </message>
    <message>
        <source>1 Page</source>
        <translation>1 Seite</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>%1 Pages</source>
        <translation>%1 Seiten</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>CompanionFiles</name>
    <message>
        <source>&apos; cannot be examined (</source>
        <translation>&apos; kann nicht geprüft werden (</translation>
    </message>
    <message>
        <source>a link</source>
        <translation>eine Verknüpfung</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>someone else&apos;s file</source>
        <translation>die Datei eines anderen Benutzers</translation>
    </message>
    <message>
        <source>&apos; is </source>
        <translation>&apos; ist </translation>
    </message>
    <message>
        <source>, not a file Quillery may replace</source>
        <translation>, keine Datei, die Quillery ersetzen darf</translation>
    </message>
    <message>
        <source>its folder &apos;</source>
        <translation>ihr Ordner &apos;</translation>
    </message>
    <message>
        <source>&apos; cannot be written</source>
        <translation>&apos; ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>&apos; is open, and its lock note and shadow copy have the same names as this file&apos;s</source>
        <translation>&apos; ist geöffnet, und ihre Sperrnotiz und Schattenkopie tragen dieselben Namen wie die dieser Datei</translation>
    </message>
</context>
<context>
    <name>DroppedFiles</name>
    <message>
        <source>Drop Files</source>
        <translation>Dateien ablegen</translation>
    </message>
    <message>
        <source>is a folder; use Import Folder for the files in it</source>
        <translation>ist ein Ordner; importieren Sie die Dateien darin mit Importieren &gt; Ordner</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>existiert nicht</translation>
    </message>
    <message>
        <source>is not a regular file (a FIFO, a device or a socket)</source>
        <translation>ist keine gewöhnliche Datei (eine FIFO, ein Gerät oder ein Socket)</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>This was not added:

</source>
        <translation>Dies wurde nicht hinzugefügt:

</translation>
    </message>
    <message>
        <source>These were not added:

</source>
        <translation>Diese wurden nicht hinzugefügt:

</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Datei importieren</translation>
    </message>
    <message>
        <source>Adding dropped files</source>
        <translation>Abgelegte Dateien werden hinzugefügt</translation>
    </message>
    <message>
        <source>&apos; could not be copied: </source>
        <translation>&apos; konnte nicht kopiert werden: </translation>
    </message>
</context>
<context>
    <name>EditLaunch</name>
    <message>
        <source>Page Editing Error</source>
        <translation>Fehler bei der Seitenbearbeitung</translation>
    </message>
    <message>
        <source>An error occurred when attempting to launch the page &apos;</source>
        <translation>Fehler beim Öffnen der Seite &apos;</translation>
    </message>
    <message>
        <source>Page Editing - Quillery</source>
        <translation>Seitenbearbeitung - Quillery</translation>
    </message>
    <message>
        <source>Click OK when you are ready to return to Quillery.  Please make sure you have saved the file you are working on and that the program is closed.</source>
        <translation>Klicken Sie auf OK, wenn Sie zu Quillery zurückkehren möchten.  Bitte stellen Sie sicher, dass Sie die bearbeitete Datei gespeichert und das Programm geschlossen haben.</translation>
    </message>
    <message>
        <source>Save Page Changes</source>
        <translation>Seitenänderungen speichern</translation>
    </message>
    <message>
        <source>Do you want to save the changes you made to the page &apos;</source>
        <translation>Änderungen an der Seite speichern: &apos;</translation>
    </message>
    <message>
        <source>the page could not be written to the temporary folder</source>
        <translation>die Seite konnte nicht in den temporären Ordner geschrieben werden</translation>
    </message>
    <message>
        <source>Edit Error</source>
        <translation>Fehler beim Bearbeiten</translation>
    </message>
    <message>
        <source>The start in folder associated with the editing program for this type of page does not exist.  Please check in the Page Editing Associations section of the Options dialog box.</source>
        <translation>Der Startordner, der dem Bearbeitungsprogramm für diese Seitenart zugeordnet ist, existiert nicht.  Bitte prüfen Sie ihn im Abschnitt Zuordnungen der Seitenbearbeitung des Dialogs Optionen.</translation>
    </message>
</context>
<context>
    <name>EncryptCommands</name>
    <message>
        <source>Encrypt This Binder</source>
        <translation>Sammelmappe verschlüsseln</translation>
    </message>
    <message>
        <source>Both passphrase boxes must contain the same text</source>
        <translation>Beide Passphrase-Felder müssen denselben Text enthalten</translation>
    </message>
    <message>
        <source>Type the passphrase the binder is to be encrypted with</source>
        <translation>Geben Sie die Passphrase ein, mit der die Sammelmappe verschlüsselt werden soll</translation>
    </message>
    <message>
        <source>Encrypt Error</source>
        <translation>Fehler beim Verschlüsseln</translation>
    </message>
    <message>
        <source>An error occurred when trying to encrypt the file &apos;</source>
        <translation>Fehler beim Verschlüsseln der Datei &apos;</translation>
    </message>
    <message>
        <source>Save Encrypted</source>
        <translation>Verschlüsselt speichern</translation>
    </message>
    <message>
        <source>&apos; is encrypted.  Click Yes to encrypt the new file with the same passphrase, No to save it as a plain binder that anyone who gets the file can read, or Cancel to save nothing.</source>
        <translation>&apos; ist verschlüsselt.  Klicken Sie auf Ja, um die neue Datei mit derselben Passphrase zu verschlüsseln, auf Nein, um sie als unverschlüsselte Sammelmappe zu speichern, die jeder lesen kann, der die Datei erhält, oder auf Abbrechen, um nichts zu speichern.</translation>
    </message>
</context>
<context>
    <name>Feedback</name>
    <message>
        <source>Send Feedback</source>
        <translation>Rückmeldung senden</translation>
    </message>
    <message>
        <source>Quillery could not start a web browser to open the page for feedback. Please open this address yourself:

</source>
        <translation>Quillery konnte keinen Webbrowser starten, um die Seite für Rückmeldungen zu öffnen. Bitte öffnen Sie diese Adresse selbst:

</translation>
    </message>
</context>
<context>
    <name>FileLock</name>
    <message>
        <source>Not a regular file: </source>
        <translation>Keine gewöhnliche Datei: </translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
</context>
<context>
    <name>FormatTable</name>
    <message>
        <source>Sample Text</source>
        <translation>Beispieltext</translation>
    </message>
</context>
<context>
    <name>InstanceLock</name>
    <message>
        <source>The lock file %1 keeps disappearing</source>
        <translation>Die Sperrdatei %1 verschwindet immer wieder</translation>
    </message>
</context>
<context>
    <name>NewPage</name>
    <message>
        <source>Add Page</source>
        <translation>Seite hinzufügen</translation>
    </message>
</context>
<context>
    <name>OptionsDialogAssociations</name>
    <message>
        <source> (starts in </source>
        <translation> (startet in </translation>
    </message>
</context>
<context>
    <name>PageClipboard</name>
    <message>
        <source>Copy Error</source>
        <translation>Fehler beim Kopieren</translation>
    </message>
    <message>
        <source>Paste Error</source>
        <translation>Fehler beim Einfügen</translation>
    </message>
    <message>
        <source>The page could not be copied to &apos;</source>
        <translation>Die Seite konnte nicht kopiert werden nach &apos;</translation>
    </message>
    <message>
        <source>Cut Page</source>
        <translation>Seite ausschneiden</translation>
    </message>
    <message>
        <source>Paste Page</source>
        <translation>Seite einfügen</translation>
    </message>
    <message>
        <source>The page could not be pasted from &apos;</source>
        <translation>Die Seite konnte nicht eingefügt werden aus &apos;</translation>
    </message>
</context>
<context>
    <name>PageCommands</name>
    <message>
        <source>Move Page</source>
        <translation>Seite verschieben</translation>
    </message>
    <message>
        <source>Edit Page</source>
        <translation>Seite bearbeiten</translation>
    </message>
</context>
<context>
    <name>PageDates</name>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
</context>
<context>
    <name>PageDisplay</name>
    <message>
        <source>Playing: %1</source>
        <translation>Wiedergabe: %1</translation>
    </message>
    <message>
        <source>This page holds a file that the viewer does not show. Use Edit Page to open it in its own program, or Export to save it as a file.</source>
        <translation>Diese Seite enthält eine Datei, die die Ansicht nicht zeigt. Öffnen Sie sie mit Seite bearbeiten in ihrem eigenen Programm, oder speichern Sie sie mit Exportieren als Datei.</translation>
    </message>
</context>
<context>
    <name>PageDrops</name>
    <message>
        <source>Drop Error</source>
        <translation>Fehler beim Ablegen</translation>
    </message>
    <message>
        <source> Page</source>
        <translation> Seite</translation>
    </message>
    <message>
        <source>%1 %2 Pages</source>
        <translation>%1 %2 Seiten</translation>
    </message>
</context>
<context>
    <name>PageExport</name>
    <message>
        <source>Export </source>
        <translation>Exportieren: </translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Export a </source>
        <translation>Exportieren: </translation>
    </message>
    <message>
        <source> File</source>
        <translation>-Datei</translation>
    </message>
    <message>
        <source>|All files (*.*)|*.*</source>
        <translation>|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Export Error</source>
        <translation>Fehler beim Exportieren</translation>
    </message>
    <message>
        <source>An error occurred when trying to export the file &apos;</source>
        <translation>Fehler beim Exportieren der Datei &apos;</translation>
    </message>
</context>
<context>
    <name>PageImport</name>
    <message>
        <source>Rich Text Format</source>
        <translation>Rich Text Format</translation>
    </message>
    <message>
        <source>Text Document</source>
        <translation>Textdokument</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source> (*.rtf)|*.rtf|Text Document (*.txt)|*.txt|All files (*.*)|*.*</source>
        <translation> (*.rtf)|*.rtf|Textdokument (*.txt)|*.txt|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source> (*.txt)|*.txt|All files (*.*)|*.*</source>
        <translation> (*.txt)|*.txt|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source> (*.htm;*.html;*.php)|*.htm;*.html;*.php|All files (*.*)|*.*</source>
        <translation> (*.htm;*.html;*.php)|*.htm;*.html;*.php|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Pictures (*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.png;*.ico)|*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.png;*.ico|All files (*.*)|*.*</source>
        <translation>Bilder (*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.png;*.ico)|*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.png;*.ico|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Sound (*.wav;*.mp3;*.wma;*.mid;*.rmi)|*.wav;*.mp3;*.wma;*.mid;*.rmi|All files (*.*)|*.*</source>
        <translation>Ton (*.wav;*.mp3;*.wma;*.mid;*.rmi)|*.wav;*.mp3;*.wma;*.mid;*.rmi|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Import a </source>
        <translation>Importieren: </translation>
    </message>
    <message>
        <source> File</source>
        <translation>-Datei</translation>
    </message>
    <message>
        <source>Insert a </source>
        <translation>Einfügen: </translation>
    </message>
    <message>
        <source>Insert a File</source>
        <translation>Datei einfügen</translation>
    </message>
    <message>
        <source>Import Error</source>
        <translation>Fehler beim Importieren</translation>
    </message>
    <message>
        <source>An error occurred when trying to import the file &apos;</source>
        <translation>Fehler beim Importieren der Datei &apos;</translation>
    </message>
    <message>
        <source>Import %1 Files</source>
        <translation>%1 Dateien importieren</translation>
    </message>
    <message>
        <source>Import File</source>
        <translation>Datei importieren</translation>
    </message>
    <message>
        <source>Please choose a &amp;folder to import files from.  This could take a while if the folder contains files that are large in size.</source>
        <translation>Bitte wählen Sie einen &amp;Ordner, aus dem Dateien importiert werden.  Enthält er große Dateien, kann das eine Weile dauern.</translation>
    </message>
    <message>
        <source>Importing </source>
        <translation>Importiere </translation>
    </message>
    <message>
        <source>Import 1 File</source>
        <translation>1 Datei importieren</translation>
    </message>
</context>
<context>
    <name>PageOperations</name>
    <message>
        <source>Are you sure that you want to delete the page &apos;</source>
        <translation>Möchten Sie die Seite wirklich löschen: &apos;</translation>
    </message>
    <message>
        <source>Delete Page</source>
        <translation>Seite löschen</translation>
    </message>
    <message>
        <source>Delete All Pages</source>
        <translation>Alle Seiten löschen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete all pages?</source>
        <translation>Möchten Sie wirklich alle Seiten löschen?</translation>
    </message>
</context>
<context>
    <name>PagePropertiesDialog</name>
    <message>
        <source>Rich Text Format</source>
        <translation>Rich Text Format</translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation>Nur-Text</translation>
    </message>
    <message>
        <source>HTML Format</source>
        <translation>HTML-Format</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
</context>
<context>
    <name>PageRename</name>
    <message>
        <source>Rename Page</source>
        <translation>Seite umbenennen</translation>
    </message>
</context>
<context>
    <name>PageSearch</name>
    <message>
        <source>Searching for &apos;</source>
        <translation>Suche nach &apos;</translation>
    </message>
</context>
<context>
    <name>PassphrasePrompt</name>
    <message>
        <source>&amp;Enter the passphrase of the encrypted binder &apos;%1&apos;:</source>
        <translation>&amp;Geben Sie die Passphrase der verschlüsselten Sammelmappe &apos;%1&apos; ein:</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>Fehler beim Öffnen</translation>
    </message>
    <message>
        <source>An error occurred when trying to open the file &apos;</source>
        <translation>Fehler beim Öffnen der Datei &apos;</translation>
    </message>
    <message>
        <source>The passphrase does not open &apos;%1&apos;: it is wrong, or the file is damaged.  </source>
        <translation>Die Passphrase öffnet &apos;%1&apos; nicht: Sie ist falsch, oder die Datei ist beschädigt.  </translation>
    </message>
    <message>
        <source>Wrong Passphrase</source>
        <translation>Falsche Passphrase</translation>
    </message>
    <message>
        <source>The binder is not opened.</source>
        <translation>Die Sammelmappe wird nicht geöffnet.</translation>
    </message>
    <message>
        <source>Tries left: %1.</source>
        <translation>Verbleibende Versuche: %1.</translation>
    </message>
</context>
<context>
    <name>Password</name>
    <message>
        <source>Incorrect Password Entered</source>
        <translation>Falsches Kennwort eingegeben</translation>
    </message>
    <message>
        <source>The password entered was incorrect, please try again</source>
        <translation>Das eingegebene Kennwort war falsch, bitte versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation>Kennwort ändern</translation>
    </message>
    <message>
        <source>Both password boxes must contain the same text</source>
        <translation>Beide Kennwortfelder müssen denselben Text enthalten</translation>
    </message>
    <message>
        <source>Passwords can only hold Western European (Latin-1) characters. Please choose a password without the other characters.</source>
        <translation>Kennwörter können nur westeuropäische Zeichen (Latin-1) enthalten. Bitte wählen Sie ein Kennwort ohne andere Zeichen.</translation>
    </message>
</context>
<context>
    <name>PasswordDialogs</name>
    <message>
        <source>The password stops casual opening; it does not encrypt the pages.</source>
        <translation>Das Kennwort verhindert beiläufiges Öffnen; es verschlüsselt die Seiten nicht.</translation>
    </message>
</context>
<context>
    <name>PrintCommand</name>
    <message>
        <source>Print Error</source>
        <translation>Fehler beim Drucken</translation>
    </message>
    <message>
        <source>The page &apos;</source>
        <translation>Die Seite &apos;</translation>
    </message>
    <message>
        <source>&apos; could not be printed on &apos;</source>
        <translation>&apos; konnte nicht gedruckt werden auf &apos;</translation>
    </message>
</context>
<context>
    <name>Properties</name>
    <message>
        <source>File Properties</source>
        <translation>Dateieigenschaften</translation>
    </message>
    <message>
        <source>Page Properties</source>
        <translation>Seiteneigenschaften</translation>
    </message>
</context>
<context>
    <name>PropertyFields</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ProxyConnection</name>
    <message>
        <source>Pages may not reach %1: it has no public address, or is on this computer or a network near it.</source>
        <translation>Seiten dürfen %1 nicht erreichen: Es hat keine öffentliche Adresse oder liegt auf diesem Computer oder in einem Netz in seiner Nähe.</translation>
    </message>
    <message>
        <source>%1 could not be reached.</source>
        <translation>%1 war nicht erreichbar.</translation>
    </message>
</context>
<context>
    <name>QMdiSubWindow</name>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Mi&amp;nimieren</translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>&apos;%1&apos; already exists.
Do you want to replace it?</source>
        <translation>&apos;%1&apos; existiert bereits.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>Choose a Folder</source>
        <translation>Ordner wählen</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>a column width is not a number</source>
        <translation>eine Spaltenbreite ist keine Zahl</translation>
    </message>
    <message>
        <source>Recent Files Error</source>
        <translation>Fehler in der Liste der zuletzt geöffneten Dateien</translation>
    </message>
    <message>
        <source>Quillery could not open the recent file list file (&apos;</source>
        <translation>Quillery konnte die Datei mit der Liste der zuletzt geöffneten Dateien nicht öffnen (&apos;</translation>
    </message>
    <message>
        <source>Make sure that the file is not being used by another program if you want the recent file list feature to work.  </source>
        <translation>Stellen Sie sicher, dass kein anderes Programm die Datei verwendet, wenn die Liste der zuletzt geöffneten Dateien funktionieren soll.  </translation>
    </message>
    <message>
        <source>Quillery could not save the recent file list file (&apos;</source>
        <translation>Quillery konnte die Datei mit der Liste der zuletzt geöffneten Dateien nicht speichern (&apos;</translation>
    </message>
    <message>
        <source>Make sure that the file is not read-only or it is not being used by another program if you want the recent file list feature to work.  </source>
        <translation>Stellen Sie sicher, dass die Datei nicht schreibgeschützt ist und kein anderes Programm sie verwendet, wenn die Liste der zuletzt geöffneten Dateien funktionieren soll.  </translation>
    </message>
</context>
<context>
    <name>RecoveryOpener</name>
    <message>
        <source>The pages not changed since the last save were to be read from the binder file, which has changed since</source>
        <translation>Die seit dem letzten Speichern unveränderten Seiten sollten aus der Sammelmappe gelesen werden, die sich seitdem geändert hat</translation>
    </message>
    <message>
        <source>The binder was saved after this snapshot was taken, and the pages it kept from the binder file have changed since (%1); open the binder itself instead</source>
        <translation>Die Sammelmappe wurde nach dieser Momentaufnahme gespeichert, und die Seiten, die sie aus der Sammelmappe übernommen hat, haben sich seitdem geändert (%1); öffnen Sie stattdessen die Sammelmappe selbst</translation>
    </message>
    <message>
        <source> [Recovered - the file has changed on disk since]</source>
        <translation> [Wiederhergestellt - die Datei wurde seitdem auf dem Datenträger geändert]</translation>
    </message>
    <message>
        <source> [Recovered]</source>
        <translation> [Wiederhergestellt]</translation>
    </message>
    <message>
        <source>its data file %1 changed since it was kept</source>
        <translation>ihre Datendatei %1 hat sich seit der Sicherung geändert</translation>
    </message>
    <message>
        <source>its page count does not match its page table</source>
        <translation>ihre Seitenzahl passt nicht zu ihrer Seitentabelle</translation>
    </message>
    <message>
        <source>Recovery Error</source>
        <translation>Fehler bei der Wiederherstellung</translation>
    </message>
    <message>
        <source>An error occurred when trying to recover &apos;</source>
        <translation>Fehler beim Wiederherstellen von &apos;</translation>
    </message>
</context>
<context>
    <name>RecoveryStart</name>
    <message>
        <source>Recovery Error</source>
        <translation>Fehler bei der Wiederherstellung</translation>
    </message>
    <message>
        <source>An error occurred when trying to recover &apos;</source>
        <translation>Fehler beim Wiederherstellen von &apos;</translation>
    </message>
</context>
<context>
    <name>RecoveryWindow</name>
    <message>
        <source>never saved</source>
        <translation>nie gespeichert</translation>
    </message>
    <message>
        <source>changed since</source>
        <translation>seitdem geändert</translation>
    </message>
    <message>
        <source>as it was</source>
        <translation>unverändert</translation>
    </message>
    <message>
        <source>(untitled)</source>
        <translation>(ohne Titel)</translation>
    </message>
    <message>
        <source> (password)</source>
        <translation> (Kennwort)</translation>
    </message>
    <message>
        <source>(never saved)</source>
        <translation>(nie gespeichert)</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>RunDoc</name>
    <message>
        <source>the program &apos;</source>
        <translation>das Programm &apos;</translation>
    </message>
    <message>
        <source>&apos; could not be started</source>
        <translation>&apos; konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>no program on this computer opens &apos;</source>
        <translation>kein Programm auf diesem Computer öffnet &apos;</translation>
    </message>
    <message>
        <source>&apos;; choose one in the Page Editing Associations section of the Options dialog box</source>
        <translation>&apos;; wählen Sie eines im Abschnitt Zuordnungen der Seitenbearbeitung des Dialogs Optionen</translation>
    </message>
    <message>
        <source>the command &apos;</source>
        <translation>der Befehl &apos;</translation>
    </message>
    <message>
        <source>&apos; cannot be read</source>
        <translation>&apos; ist nicht lesbar</translation>
    </message>
</context>
<context>
    <name>ScanOptions</name>
    <message>
        <source>1:1  [Max Quality]</source>
        <translation>1:1  [Beste Qualität]</translation>
    </message>
    <message>
        <source>2:2  [Default]</source>
        <translation>2:2  [Standard]</translation>
    </message>
    <message>
        <source>4:4  [Max Compress]</source>
        <translation>4:4  [Stärkste Kompression]</translation>
    </message>
</context>
<context>
    <name>ScannedImageSaving</name>
    <message>
        <source>File already exists</source>
        <translation>Die Datei existiert bereits</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <source>Save Image Error</source>
        <translation>Fehler beim Speichern des Bildes</translation>
    </message>
    <message>
        <source>An error occurred when trying to save the file &apos;</source>
        <translation>Fehler beim Speichern der Datei &apos;</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scannen</translation>
    </message>
</context>
<context>
    <name>ScannerChooser</name>
    <message>
        <source>Select Source</source>
        <translation>Quelle wählen</translation>
    </message>
    <message>
        <source>Sources:</source>
        <translation>Quellen:</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Temporary Folder</source>
        <translation>Temporärer Ordner</translation>
    </message>
    <message>
        <source>Quillery cannot make a temporary folder to work in (&apos;</source>
        <translation>Quillery kann keinen temporären Arbeitsordner anlegen (&apos;</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>Fehler beim Öffnen</translation>
    </message>
    <message>
        <source>Could not find the file &apos;</source>
        <translation>Die Datei wurde nicht gefunden: &apos;</translation>
    </message>
</context>
<context>
    <name>TempFolderSetup</name>
    <message>
        <source>Quillery cannot use its temporary folder &apos;</source>
        <translation>Quillery kann seinen temporären Ordner nicht verwenden: &apos;</translation>
    </message>
    <message>
        <source>.  It uses &apos;</source>
        <translation>.  Bis zum Beenden verwendet es stattdessen &apos;</translation>
    </message>
    <message>
        <source>&apos; instead until it closes.</source>
        <translation>&apos;.</translation>
    </message>
</context>
<context>
    <name>quillery</name>
    <message>
        <source>The text is not in Rich Text Format.</source>
        <translation>Der Text ist nicht im Rich Text Format.</translation>
    </message>
    <message>
        <source>The margins leave no room for the text.</source>
        <translation>Die Ränder lassen keinen Platz für den Text.</translation>
    </message>
    <message>
        <source>A paragraph or table is too long to lay out on sheets.</source>
        <translation>Ein Absatz oder eine Tabelle ist zu lang, um auf Blätter verteilt zu werden.</translation>
    </message>
</context>
<context>
    <name>quillery::Binder</name>
    <message>
        <source>Comments</source>
        <translation>Kommentare</translation>
    </message>
    <message>
        <source> [Read-Only]</source>
        <translation> [Schreibgeschützt]</translation>
    </message>
</context>
<context>
    <name>quillery::BinderWindow</name>
    <message>
        <source>Allow Remote Content</source>
        <translation>Externe Inhalte erlauben</translation>
    </message>
    <message>
        <source>Created: </source>
        <translation>Erstellt: </translation>
    </message>
    <message>
        <source>Modified: </source>
        <translation>Geändert: </translation>
    </message>
    <message>
        <source>Size: </source>
        <translation>Größe: </translation>
    </message>
    <message>
        <source>Page List Position</source>
        <translation>Position der Seitenliste</translation>
    </message>
    <message>
        <source>The Quillery file &apos;</source>
        <translation>Die Quillery-Datei &apos;</translation>
    </message>
    <message>
        <source> has changed.  Do you want to save the changes?</source>
        <translation> wurde geändert.  Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>Änderungen speichern</translation>
    </message>
</context>
<context>
    <name>quillery::BrowserFindBar</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Vorheriger Treffer</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächster Treffer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>quillery::ChangePasswordDialog</name>
    <message>
        <source>Change Password to Open</source>
        <translation>Kennwort zum Öffnen ändern</translation>
    </message>
    <message>
        <source>&amp;New Password:</source>
        <translation>&amp;Neues Kennwort:</translation>
    </message>
    <message>
        <source>&amp;Confirm New Password:</source>
        <translation>Neues Kennwort &amp;bestätigen:</translation>
    </message>
    <message>
        <source>Passwords are case sensitive.</source>
        <translation>Bei Kennwörtern wird zwischen Groß- und Kleinschreibung unterschieden.</translation>
    </message>
</context>
<context>
    <name>quillery::EditorWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Save Page and Quillery</source>
        <translation>Seite und Quillery-Datei speichern</translation>
    </message>
    <message>
        <source>Save &amp;and Exit</source>
        <translation>Speichern und &amp;beenden</translation>
    </message>
    <message>
        <source>&amp;Exit without Saving</source>
        <translation>Beenden &amp;ohne Speichern</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Paste Plain Te&amp;xt</source>
        <translation>Als &amp;Nur-Text einfügen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>A&amp;lles auswählen</translation>
    </message>
    <message>
        <source>For&amp;mat</source>
        <translation>&amp;Format</translation>
    </message>
    <message>
        <source>&amp;Font</source>
        <translation>&amp;Schriftart</translation>
    </message>
    <message>
        <source>Font Si&amp;ze</source>
        <translation>Schrift&amp;grad</translation>
    </message>
    <message>
        <source>C&amp;olour</source>
        <translation>&amp;Farbe</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>F&amp;ett</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Kursiv</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Unterstrichen</translation>
    </message>
    <message>
        <source>Stri&amp;keout</source>
        <translation>&amp;Durchgestrichen</translation>
    </message>
    <message>
        <source>Align &amp;Left</source>
        <translation>&amp;Linksbündig</translation>
    </message>
    <message>
        <source>&amp;Centre</source>
        <translation>&amp;Zentriert</translation>
    </message>
    <message>
        <source>Align &amp;Right</source>
        <translation>&amp;Rechtsbündig</translation>
    </message>
    <message>
        <source>Bulle&amp;ts</source>
        <translation>&amp;Aufzählungszeichen</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Background Colour...</source>
        <translation>&amp;Hintergrundfarbe...</translation>
    </message>
    <message>
        <source>&amp;Default Background Colour</source>
        <translation>&amp;Standard-Hintergrundfarbe</translation>
    </message>
    <message>
        <source>&amp;Apply Default Rich Text Format</source>
        <translation>Standard-Rich-Text-Format &amp;anwenden</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Find and Replace...</source>
        <translation>&amp;Suchen und Ersetzen...</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Weiters&amp;uchen</translation>
    </message>
    <message>
        <source>&amp;Insert Time and Date</source>
        <translation>&amp;Datum und Uhrzeit einfügen</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Schriftgrad</translation>
    </message>
    <message>
        <source>Rich Text Editor for &apos;</source>
        <translation>Rich-Text-Editor für &apos;</translation>
    </message>
    <message>
        <source>HTML Editor for &apos;</source>
        <translation>HTML-Editor für &apos;</translation>
    </message>
    <message>
        <source>Plain Text Editor for &apos;</source>
        <translation>Nur-Text-Editor für &apos;</translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
    <message>
        <source>An error occurred when attempting to save the page &apos;</source>
        <translation>Fehler beim Speichern der Seite &apos;</translation>
    </message>
    <message>
        <source>Apply Default Rich Text Format</source>
        <translation>Standard-Rich-Text-Format anwenden</translation>
    </message>
    <message>
        <source>Discard all formatting and apply default rich text format?</source>
        <translation>Alle Formatierungen verwerfen und das Standard-Rich-Text-Format anwenden?</translation>
    </message>
    <message>
        <source>Page Editor</source>
        <translation>Seiteneditor</translation>
    </message>
    <message>
        <source>Do you want to save the changes you made?</source>
        <translation>Möchten Sie Ihre Änderungen speichern?</translation>
    </message>
</context>
<context>
    <name>quillery::EncryptDialog</name>
    <message>
        <source>Encrypt This Binder</source>
        <translation>Sammelmappe verschlüsseln</translation>
    </message>
    <message>
        <source>This binder is encrypted already; the new passphrase replaces its present one.</source>
        <translation>Diese Sammelmappe ist bereits verschlüsselt; die neue Passphrase ersetzt ihre bisherige.</translation>
    </message>
    <message>
        <source>&amp;Passphrase:</source>
        <translation>&amp;Passphrase:</translation>
    </message>
    <message>
        <source>&amp;Confirm Passphrase:</source>
        <translation>Passphrase &amp;bestätigen:</translation>
    </message>
    <message>
        <source>Encryption hides everything in the binder from anyone without the passphrase: its pages, their names and comments, its title. Only the file&apos;s size shows.
If the passphrase is lost, nobody can open the binder again, not even you: there is no way to recover it.</source>
        <translation>Die Verschlüsselung verbirgt alles in der Sammelmappe vor jedem ohne die Passphrase: ihre Seiten, deren Namen und Kommentare, ihren Titel. Nur die Größe der Datei bleibt sichtbar.
Geht die Passphrase verloren, kann niemand die Sammelmappe wieder öffnen, auch Sie nicht: Es gibt keinen Weg, sie wiederzuerlangen.</translation>
    </message>
</context>
<context>
    <name>quillery::FilePropertiesDialog</name>
    <message>
        <source> Properties</source>
        <translation> - Eigenschaften</translation>
    </message>
    <message>
        <source>&amp;Pages:</source>
        <translation>&amp;Seiten:</translation>
    </message>
    <message>
        <source>A&amp;uthor:</source>
        <translation>&amp;Autor:</translation>
    </message>
    <message>
        <source>&amp;Last saved by:</source>
        <translation>&amp;Zuletzt gespeichert von:</translation>
    </message>
    <message>
        <source>Not Saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>&amp;Filename:</source>
        <translation>&amp;Dateiname:</translation>
    </message>
    <message>
        <source>MS-&amp;DOS Filename:</source>
        <translation>MS-DOS-Datei&amp;name:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source> bytes</source>
        <translation> Bytes</translation>
    </message>
    <message>
        <source>&amp;Created:</source>
        <translation>&amp;Erstellt:</translation>
    </message>
    <message>
        <source>&amp;Modified:</source>
        <translation>Ge&amp;ändert:</translation>
    </message>
    <message>
        <source>&amp;Accessed:</source>
        <translation>Letzter Zugri&amp;ff:</translation>
    </message>
    <message>
        <source>File co&amp;nfiguration</source>
        <translation>Datei&amp;konfiguration</translation>
    </message>
</context>
<context>
    <name>quillery::FindDialog</name>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
    <message>
        <source>Quillery has finished searching</source>
        <translation>Quillery hat die Suche beendet</translation>
    </message>
</context>
<context>
    <name>quillery::FormatToolbar</name>
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
        <source>&amp;Paste Plain Text</source>
        <translation>Als &amp;Nur-Text einfügen</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>Durchgestrichen</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Other...</source>
        <translation>Andere...</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Linksbündig</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Rechtsbündig</translation>
    </message>
    <message>
        <source>Bullet</source>
        <translation>Aufzählungszeichen</translation>
    </message>
    <message>
        <source>Find and Replace</source>
        <translation>Suchen und Ersetzen</translation>
    </message>
    <message>
        <source>Colour (%1)</source>
        <translation>Farbe (%1)</translation>
    </message>
</context>
<context>
    <name>quillery::HelpWindow</name>
    <message>
        <source>Quillery Help</source>
        <translation>Quillery-Hilfe</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>quillery::MainToolbar</name>
    <message>
        <source>&amp;Rich Text Page...</source>
        <translation>&amp;Rich-Text-Seite...</translation>
    </message>
    <message>
        <source>&amp;Plain Text Page...</source>
        <translation>&amp;Nur-Text-Seite...</translation>
    </message>
    <message>
        <source>&amp;HTML Page...</source>
        <translation>&amp;HTML-Seite...</translation>
    </message>
    <message>
        <source>Pi&amp;cture...</source>
        <translation>&amp;Bild...</translation>
    </message>
    <message>
        <source>&amp;Sound...</source>
        <translation>&amp;Ton...</translation>
    </message>
    <message>
        <source>&amp;File...</source>
        <translation>&amp;Datei...</translation>
    </message>
    <message>
        <source>Scanner/Camera &amp;Image (TWAIN)...</source>
        <translation>Scanner-/&amp;Kamerabild (TWAIN)...</translation>
    </message>
    <message>
        <source>&amp;Large icons</source>
        <translation>&amp;Große Symbole</translation>
    </message>
    <message>
        <source>&amp;Small icons</source>
        <translation>&amp;Kleine Symbole</translation>
    </message>
    <message>
        <source>Lis&amp;t</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>&amp;Details</translation>
    </message>
</context>
<context>
    <name>quillery::MainWindow</name>
    <message>
        <source>Quillery</source>
        <translation>Quillery</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Author Name...</source>
        <translation>&amp;Autorenname...</translation>
    </message>
    <message>
        <source>&amp;Recent files...</source>
        <translation>&amp;Zuletzt geöffnete Dateien...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Quillery</translation>
    </message>
    <message>
        <source>&amp;Send feedback...</source>
        <translation>&amp;Rückmeldung senden...</translation>
    </message>
    <message>
        <source>Open a Quillery</source>
        <translation>Quillery-Datei öffnen</translation>
    </message>
    <message>
        <source>Quillery (*.qly)|*.qly|All files (*.*)|*.*</source>
        <translation>Quillery (*.qly)|*.qly|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>About Quillery</source>
        <translation>Über Quillery</translation>
    </message>
</context>
<context>
    <name>quillery::OptionsDialog</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>G&amp;eneral</source>
        <translation>&amp;Allgemein</translation>
    </message>
    <message>
        <source>Page Editing A&amp;ssociations</source>
        <translation>&amp;Zuordnungen der Seitenbearbeitung</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>Default Ric&amp;h Text Format</source>
        <translation>Standard-Rich-Text-For&amp;mat</translation>
    </message>
    <message>
        <source>Default Plain Te&amp;xt Format</source>
        <translation>Standard-Nur-Te&amp;xt-Format</translation>
    </message>
    <message>
        <source>&amp;Left Align</source>
        <translation>&amp;Linksbündig</translation>
    </message>
    <message>
        <source>R&amp;ight Align</source>
        <translation>Rechts&amp;bündig</translation>
    </message>
    <message>
        <source>Ce&amp;ntre</source>
        <translation>Zen&amp;triert</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Schriftart...</translation>
    </message>
    <message>
        <source>Font colour&amp;...</source>
        <translation>Schrift&amp;farbe...</translation>
    </message>
    <message>
        <source>&amp;Background colour...</source>
        <translation>Hint&amp;ergrundfarbe...</translation>
    </message>
    <message>
        <source>&amp;Default background colour</source>
        <translation>Standard-Hinter&amp;grundfarbe</translation>
    </message>
    <message>
        <source>Def&amp;ault font colour</source>
        <translation>Standard-Sch&amp;riftfarbe</translation>
    </message>
    <message>
        <source>&amp;Reset...</source>
        <translation>Zur&amp;ücksetzen...</translation>
    </message>
    <message>
        <source>Page Pane/Page Position</source>
        <translation>Seitenbereich/Seitenposition</translation>
    </message>
    <message>
        <source>Page Pane to&amp;p, Page below</source>
        <translation>Seitenbereich &amp;oben, Seite unten</translation>
    </message>
    <message>
        <source>Page Pane botto&amp;m, Page above</source>
        <translation>Seitenbereich &amp;unten, Seite oben</translation>
    </message>
    <message>
        <source>Page Pane lef&amp;t, Page right</source>
        <translation>Seitenbereich lin&amp;ks, Seite rechts</translation>
    </message>
    <message>
        <source>Page Pane ri&amp;ght, Page left</source>
        <translation>Seitenbereich rec&amp;hts, Seite links</translation>
    </message>
    <message>
        <source>C&amp;omments Column</source>
        <translation>Kommentars&amp;palte</translation>
    </message>
    <message>
        <source>Default Doc&amp;ument Folder</source>
        <translation>Standard-&amp;Dokumentordner</translation>
    </message>
    <message>
        <source>&amp;Warn before deleting pages</source>
        <translation>Vor dem Löschen von Seiten &amp;warnen</translation>
    </message>
    <message>
        <source>Remote Content of HTML Pages</source>
        <translation>Externe Inhalte von HTML-Seiten</translation>
    </message>
    <message>
        <source>As&amp;k first</source>
        <translation>&amp;Vorher fragen</translation>
    </message>
    <message>
        <source>Alwa&amp;ys load</source>
        <translation>&amp;Immer laden</translation>
    </message>
    <message>
        <source>Ne&amp;ver load</source>
        <translation>&amp;Nie laden</translation>
    </message>
    <message>
        <source>Reset </source>
        <translation>Zurücksetzen: </translation>
    </message>
    <message>
        <source>Are you sure you want to reset the </source>
        <translation>Möchten Sie wirklich zurücksetzen: </translation>
    </message>
    <message>
        <source>Please choose a &amp;folder for the default document location:</source>
        <translation>Bitte wählen Sie einen &amp;Ordner als Standard-Speicherort für Dokumente:</translation>
    </message>
    <message>
        <source>Page Type</source>
        <translation>Seitenart</translation>
    </message>
    <message>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Use Rich &amp;Text Editor</source>
        <translation>&amp;Rich-Text-Editor verwenden</translation>
    </message>
    <message>
        <source>Use &amp;Plain Text Editor</source>
        <translation>&amp;Nur-Text-Editor verwenden</translation>
    </message>
    <message>
        <source>Use &amp;Default Application</source>
        <translation>&amp;Standardanwendung verwenden</translation>
    </message>
    <message>
        <source>Use E&amp;xternal Application:</source>
        <translation>E&amp;xterne Anwendung verwenden:</translation>
    </message>
    <message>
        <source>Start &amp;in:</source>
        <translation>Starten &amp;in:</translation>
    </message>
    <message>
        <source>Choose a Program to Edit Pages of Type &apos;</source>
        <translation>Programm zum Bearbeiten von Seiten dieser Art wählen: &apos;</translation>
    </message>
    <message>
        <source>All files (*)|*</source>
        <translation>Alle Dateien (*)|*</translation>
    </message>
    <message>
        <source>Please choose a start in &amp;folder:</source>
        <translation>Bitte wählen Sie einen Start&amp;ordner:</translation>
    </message>
    <message>
        <source>New File Extension</source>
        <translation>Neue Dateiendung</translation>
    </message>
    <message>
        <source>Enter new file extension:</source>
        <translation>Neue Dateiendung eingeben:</translation>
    </message>
    <message>
        <source>New File Extension Error</source>
        <translation>Fehler bei der neuen Dateiendung</translation>
    </message>
    <message>
        <source>The extension &apos;</source>
        <translation>Die Endung &apos;</translation>
    </message>
    <message>
        <source>&apos; is already in the list</source>
        <translation>&apos; ist bereits in der Liste</translation>
    </message>
</context>
<context>
    <name>quillery::PageDrops</name>
    <message>
        <source>This binder is open read-only, so nothing can be dropped on it; Save As makes a copy that can be changed.</source>
        <translation>Diese Sammelmappe ist schreibgeschützt geöffnet, daher kann nichts darauf abgelegt werden; Speichern unter legt eine änderbare Kopie an.</translation>
    </message>
    <message>
        <source>Move In</source>
        <translation>Hereinverschieben</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Move Out</source>
        <translation>Hinausverschieben</translation>
    </message>
    <message>
        <source>The pages dropped are damaged or of a newer kind; nothing was added.</source>
        <translation>Die abgelegten Seiten sind beschädigt oder von neuerer Art; nichts wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>The dropped pages could not be added to &apos;</source>
        <translation>Die abgelegten Seiten konnten nicht hinzugefügt werden zu &apos;</translation>
    </message>
</context>
<context>
    <name>quillery::PageList</name>
    <message>
        <source>Page Name</source>
        <translation>Seitenname</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
<context>
    <name>quillery::PagePropertiesDialog</name>
    <message>
        <source> Properties</source>
        <translation> - Eigenschaften</translation>
    </message>
    <message>
        <source>Page &amp;number:</source>
        <translation>Seiten&amp;nummer:</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>&amp;Art:</translation>
    </message>
    <message>
        <source>&amp;Created:</source>
        <translation>&amp;Erstellt:</translation>
    </message>
    <message>
        <source>&amp;Modified:</source>
        <translation>Geän&amp;dert:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source> byte(s)</source>
        <translation> Byte(s)</translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>C&amp;hange</source>
        <translation>&amp;Ändern</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>S&amp;tandard</translation>
    </message>
    <message>
        <source>&amp;Page source</source>
        <translation>&amp;Seitenquelle</translation>
    </message>
</context>
<context>
    <name>quillery::PassphraseDialog</name>
    <message>
        <source>Encrypted Binder</source>
        <translation>Verschlüsselte Sammelmappe</translation>
    </message>
</context>
<context>
    <name>quillery::PasswordDialog</name>
    <message>
        <source>Enter Password</source>
        <translation>Kennwort eingeben</translation>
    </message>
</context>
<context>
    <name>quillery::ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>quillery::RecentFilesWindow</name>
    <message>
        <source>Recent Files</source>
        <translation>Zuletzt geöffnete Dateien</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Remove &amp;All</source>
        <translation>&amp;Alle entfernen</translation>
    </message>
    <message>
        <source>O&amp;pen other</source>
        <translation>Andere ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>Fehler beim Öffnen</translation>
    </message>
    <message>
        <source>The selected file you are trying to open &apos;</source>
        <translation>Die ausgewählte Datei, die Sie öffnen möchten (&apos;</translation>
    </message>
    <message>
        <source>&apos; does not exist.  Do you want to remove it from the list?</source>
        <translation>&apos;), existiert nicht.  Möchten Sie sie aus der Liste entfernen?</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>Auswahl entfernen</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the selected item &apos;</source>
        <translation>Möchten Sie den ausgewählten Eintrag wirklich entfernen: &apos;</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Are you sure you want to remove all the items from the list?</source>
        <translation>Möchten Sie wirklich alle Einträge aus der Liste entfernen?</translation>
    </message>
</context>
<context>
    <name>quillery::RecoveryWindow</name>
    <message>
        <source>Recover Unsaved Work</source>
        <translation>Ungespeicherte Arbeit wiederherstellen</translation>
    </message>
    <message>
        <source>Quillery ended without saving these binders.  Recover opens a binder as it was when its work was last kept, marked changed: save it to keep it.  Nothing is written to a binder file until you save.</source>
        <translation>Quillery wurde beendet, ohne diese Sammelmappen zu speichern.  Wiederherstellen öffnet eine Sammelmappe in dem Stand, in dem ihre Arbeit zuletzt gesichert wurde, als geändert markiert: Speichern Sie sie, um sie zu behalten.  Bis Sie speichern, wird nichts in eine Sammelmappe geschrieben.</translation>
    </message>
    <message>
        <source>Binder</source>
        <translation>Sammelmappe</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Kept</source>
        <translation>Gesichert</translation>
    </message>
    <message>
        <source>Pages with new content</source>
        <translation>Seiten mit neuem Inhalt</translation>
    </message>
    <message>
        <source>File on disk</source>
        <translation>Datei auf dem Datenträger</translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Discard...</source>
        <translation>&amp;Verwerfen...</translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation>&amp;Später</translation>
    </message>
    <message>
        <source>Skipped:
</source>
        <translation>Übersprungen:
</translation>
    </message>
    <message>
        <source>Discard Unsaved Work</source>
        <translation>Ungespeicherte Arbeit verwerfen</translation>
    </message>
    <message>
        <source>Discard the unsaved work in &apos;</source>
        <translation>Die ungespeicherte Arbeit in &apos;</translation>
    </message>
    <message>
        <source>&apos;?  It cannot be recovered afterwards.</source>
        <translation>&apos; verwerfen?  Sie kann danach nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>The unsaved work in &apos;</source>
        <translation>Die ungespeicherte Arbeit in &apos;</translation>
    </message>
    <message>
        <source>&apos; could not be discarded - </source>
        <translation>&apos; konnte nicht verworfen werden - </translation>
    </message>
</context>
<context>
    <name>quillery::RemoteContentBar</name>
    <message>
        <source>Allow &amp;Once</source>
        <translation>&amp;Einmal erlauben</translation>
    </message>
    <message>
        <source>Allow for This &amp;Binder</source>
        <translation>Für diese &amp;Sammelmappe erlauben</translation>
    </message>
    <message>
        <source>%1 and one other site</source>
        <translation>%1 und eine weitere Website</translation>
    </message>
    <message>
        <source>%1 and %2 other sites</source>
        <translation>%1 und %2 weitere Websites</translation>
    </message>
    <message>
        <source>This page wants to load content from %1.</source>
        <translation>Diese Seite möchte Inhalte von %1 laden.</translation>
    </message>
</context>
<context>
    <name>quillery::ReplaceDialog</name>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>&amp;Alle ersetzen</translation>
    </message>
    <message>
        <source>Find and Replace</source>
        <translation>Suchen und Ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
    <message>
        <source>Re&amp;place with:</source>
        <translation>Ersetzen &amp;durch:</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Quillery has finished searching</source>
        <translation>Quillery hat die Suche beendet</translation>
    </message>
</context>
<context>
    <name>quillery::ScannerWindow</name>
    <message>
        <source>Scanner/Camera Image (TWAIN)</source>
        <translation>Scanner-/Kamerabild (TWAIN)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Acquire/Open Image</source>
        <translation>Bild aufnehmen/öffnen</translation>
    </message>
    <message>
        <source>Se&amp;lect Source...</source>
        <translation>Quelle &amp;wählen...</translation>
    </message>
    <message>
        <source>&amp;Acquire Image...</source>
        <translation>Bild auf&amp;nehmen...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Image Options</source>
        <translation>Bildoptionen</translation>
    </message>
    <message>
        <source>Flip vertically</source>
        <translation>Vertikal spiegeln</translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Rotate clockwise</source>
        <translation>Im Uhrzeigersinn drehen</translation>
    </message>
    <message>
        <source>Rotate anticlockwise</source>
        <translation>Gegen den Uhrzeigersinn drehen</translation>
    </message>
    <message>
        <source>S&amp;ub sampling:</source>
        <translation>&amp;Unterabtastung:</translation>
    </message>
    <message>
        <source>&amp;Greyscale</source>
        <translation>&amp;Graustufen</translation>
    </message>
    <message>
        <source>Saves image as greyscale</source>
        <translation>Speichert das Bild in Graustufen</translation>
    </message>
    <message>
        <source>Add into Quillery/Save Image</source>
        <translation>In Quillery einfügen/Bild speichern</translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Add into &amp;Quillery</source>
        <translation>In &amp;Quillery einfügen</translation>
    </message>
    <message>
        <source>Quali&amp;ty: %1</source>
        <translation>Quali&amp;tät: %1</translation>
    </message>
    <message>
        <source>File Load Error</source>
        <translation>Fehler beim Laden der Datei</translation>
    </message>
    <message>
        <source>Cannot load picture file
&quot;</source>
        <translation>Die Bilddatei kann nicht geladen werden:
&quot;</translation>
    </message>
    <message>
        <source>Open an Image</source>
        <translation>Bild öffnen</translation>
    </message>
    <message>
        <source>Pictures (*.bmp;*.dib;*.gif;*.jpg;*.jpeg)|*.bmp;*.dib;*.gif;*.jpg;*.jpeg|All files (*.*)|*.*</source>
        <translation>Bilder (*.bmp;*.dib;*.gif;*.jpg;*.jpeg)|*.bmp;*.dib;*.gif;*.jpg;*.jpeg|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>JPEG File (*.jpg)|*.jpg|All files (*.*)|*.*</source>
        <translation>JPEG-Datei (*.jpg)|*.jpg|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Save Image Error</source>
        <translation>Fehler beim Speichern des Bildes</translation>
    </message>
    <message>
        <source>An error occurred when trying to save the file &apos;</source>
        <translation>Fehler beim Speichern der Datei &apos;</translation>
    </message>
</context>
<context>
    <name>quillery::SearchAllDialog</name>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Search the text as s&amp;hown</source>
        <translation>Den Text wie &amp;angezeigt durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Find on the &amp;selected page</source>
        <translation>Auf der ausgewählten Seite &amp;finden</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>Search All</source>
        <translation>In allen Seiten suchen</translation>
    </message>
    <message>
        <source>Match rich text and HTML pages on the words they show rather than on their markup</source>
        <translation>Rich-Text- und HTML-Seiten nach den angezeigten Wörtern statt nach ihrem Markup durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Text to search for:</source>
        <translation>&amp;Text, nach dem gesucht wird:</translation>
    </message>
    <message>
        <source>Page Name</source>
        <translation>Seitenname</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>The text &apos;</source>
        <translation>Der Text &apos;</translation>
    </message>
    <message>
        <source>&apos; was not found in any page</source>
        <translation>&apos; wurde auf keiner Seite gefunden</translation>
    </message>
    <message>
        <source>Search All for &apos;</source>
        <translation>In allen Seiten suchen nach &apos;</translation>
    </message>
</context>
<context>
    <name>quillery::ViewerPane</name>
    <message>
        <source>The page cannot be shown: the process that draws it %1. Refresh shows it again.</source>
        <translation>Die Seite kann nicht angezeigt werden (der Prozess, der sie zeichnet: %1). Aktualisieren zeigt sie wieder an.</translation>
    </message>
    <message>
        <source>This page cannot be shown because the browser could not be loaded.

%1</source>
        <translation>Diese Seite kann nicht angezeigt werden, weil der Browser nicht geladen werden konnte.

%1</translation>
    </message>
    <message>
        <source>The link to %1 was not followed: Work Offline is on.</source>
        <translation>Der Verknüpfung zu %1 wurde nicht gefolgt: Offline arbeiten ist eingeschaltet.</translation>
    </message>
    <message>
        <source>The link to %1 was not followed: pages may not reach this computer or its local network.</source>
        <translation>Der Verknüpfung zu %1 wurde nicht gefolgt: Seiten dürfen diesen Computer und sein lokales Netz nicht erreichen.</translation>
    </message>
    <message>
        <source>The link to %1 was not followed: the viewer follows only web links (http and https).</source>
        <translation>Der Verknüpfung zu %1 wurde nicht gefolgt: Die Ansicht folgt nur Web-Verknüpfungen (http und https).</translation>
    </message>
    <message>
        <source>The link to %1 was not followed: no program on this computer opens %2 addresses.</source>
        <translation>Der Verknüpfung zu %1 wurde nicht gefolgt: Kein Programm auf diesem Computer öffnet %2-Adressen.</translation>
    </message>
    <message>
        <source>Open Link</source>
        <translation>Verknüpfung öffnen</translation>
    </message>
    <message>
        <source>The page links to

%1

which %2 would open. Open it with %2?</source>
        <translation>Die Seite verweist auf

%1

was %2 öffnen würde. Mit %2 öffnen?</translation>
    </message>
    <message>
        <source>%1 could not be started for %2.</source>
        <translation>%1 konnte für %2 nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The link to %1 was not followed: pages load nothing from the network (Options, Remote Content).</source>
        <translation>Der Verknüpfung zu %1 wurde nicht gefolgt: Seiten laden nichts aus dem Netz (Optionen, Externe Inhalte).</translation>
    </message>
    <message>
        <source>this computer has no sound output; is its sound server running?</source>
        <translation>dieser Computer hat keine Tonausgabe; läuft sein Soundserver?</translation>
    </message>
    <message>
        <source>The sound %1 cannot be played: %2</source>
        <translation>Der Ton %1 kann nicht abgespielt werden: %2</translation>
    </message>
</context>
</TS>
