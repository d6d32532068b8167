<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AppInfo</name>
    <message>
        <source>Comments and suggestions: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery version </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Quillery keeps rich text, plain text, web pages, pictures, sounds and any other files together as the pages of one binder file.

On the web: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AuthorName</name>
    <message>
        <source>Author Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please type your name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This name will be stored in new Quillery files to show you as the author and in existing files as the last person to save.  It is stored in the settings file here: &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BinderImport</name>
    <message>
        <source>Import Binder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is an encrypted binder; open it to copy its pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Quillery Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to import the Quillery &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Quillery File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery (*.qly)|*.qly|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BinderMenus</name>
    <message>
        <source>&amp;Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inser&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page List &amp;Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rich Text Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Plain Text Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;HTML Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pi&amp;cture...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sound...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BinderOpener</name>
    <message>
        <source>File in Use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File in Use by </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>someone else</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has been closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> has closed it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file you have opened is in use by </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>.  You will not be able to save changes to the file until </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (even though &apos;[Read-Only]&apos; may still be displayed).  You can, however, save the file as another name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its page count does not match its lumps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opened Read-Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; is opened read-only, because Quillery cannot mark it as in use: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>.  You can save it under another name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no record lump</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to open the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BinderRescue</name>
    <message>
        <source>Damaged Binder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; is damaged.  Rescue the pages that can be read?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to Rescue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No page of &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; can be read: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the Rescued Pages As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery (*.qly)|*.qly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rescue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rescued pages cannot replace the damaged binder; save them under another name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to save the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 pages were rescued into &apos;%3&apos;.

</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BinderSaver</name>
    <message>
        <source>The data of the page &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; is missing (</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; has %1 bytes instead of %2 (</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Not Kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Changed on Disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; has been changed by another program since you opened or last saved it.  Click Yes to save your changes under a new name (Save As), No to overwrite the file with your version, or Cancel to leave it as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File is Read-Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; is read-only.  To save a copy, click OK, then give the file a new name in the Save dialog box.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when attempting to save the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Quillery (&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery (*.qly)|*.qly|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BrowserModule</name>
    <message>
        <source>it was built for another version of the program (interface %1, this program needs %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a browser module: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The browser module was not found; looked for %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClipInfo</name>
    <message>
        <source>The page clipboard does not describe a page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Colours</name>
    <message>
        <source> (system colour)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System colour %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New File (Ctrl+N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open File (Ctrl+O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save File (Ctrl+S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rich Text File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Plain Text Document...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;HTML Document...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanner/Camera &amp;Image (TWAIN)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Scanner/Camera Image (TWAIN) (Ctrl+Q)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quillery...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Picture...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Picture (Shift+F8)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sound...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Sound (Shift+F9)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other &amp;File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert File (Shift+F11)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rich Text Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Selected Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pa&amp;ge Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;roperties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;uthor Name...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;hange Password...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encr&amp;ypt This Binder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Work Offline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Recent Files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Page (F8)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;opy Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Pa&amp;ge...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Page (Del)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>De&amp;lete All Pages...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Ri&amp;ch Text Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Rich Text Page (Shift+F4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Plain Te&amp;xt Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Plain Text Page (Shift+F5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New &amp;HTML Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add HTML Page (Shift+F6)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;name Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename Page (F2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Search All...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opt&amp;ions...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Large Icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View Large Icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Small Icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View Small Icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lis&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Hide Pa&amp;ge Pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Previous Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tile &amp;Horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tile &amp;Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send Feedback...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandGuard</name>
    <message>
        <source>Quillery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The command failed for a reason Quillery does not know.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandState</name>
    <message>
        <source>0 Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> of </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompanionFiles</name>
    <message>
        <source>&apos; cannot be examined (</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>someone else&apos;s file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; is </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, not a file Quillery may replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its folder &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; cannot be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; is open, and its lock note and shadow copy have the same names as this file&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DroppedFiles</name>
    <message>
        <source>Drop Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is a folder; use Import Folder for the files in it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a regular file (a FIFO, a device or a socket)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This was not added:

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These were not added:

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding dropped files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; could not be copied: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditLaunch</name>
    <message>
        <source>Page Editing Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when attempting to launch the page &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Editing - Quillery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click OK when you are ready to return to Quillery.  Please make sure you have saved the file you are working on and that the program is closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Page Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to save the changes you made to the page &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the page could not be written to the temporary folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The start in folder associated with the editing program for this type of page does not exist.  Please check in the Page Editing Associations section of the Options dialog box.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EncryptCommands</name>
    <message>
        <source>Encrypt This Binder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Both passphrase boxes must contain the same text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the passphrase the binder is to be encrypted with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encrypt Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to encrypt the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Encrypted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; is encrypted.  Click Yes to encrypt the new file with the same passphrase, No to save it as a plain binder that anyone who gets the file can read, or Cancel to save nothing.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Feedback</name>
    <message>
        <source>Send Feedback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery could not start a web browser to open the page for feedback. Please open this address yourself:

</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileLock</name>
    <message>
        <source>Not a regular file: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormatTable</name>
    <message>
        <source>Sample Text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstanceLock</name>
    <message>
        <source>The lock file %1 keeps disappearing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NewPage</name>
    <message>
        <source>Add Page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OptionsDialogAssociations</name>
    <message>
        <source> (starts in </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageClipboard</name>
    <message>
        <source>Copy Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page could not be copied to &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page could not be pasted from &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageCommands</name>
    <message>
        <source>Move Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageDates</name>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageDisplay</name>
    <message>
        <source>Playing: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This page holds a file that the viewer does not show. Use Edit Page to open it in its own program, or Export to save it as a file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageDrops</name>
    <message>
        <source>Drop Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 Pages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageExport</name>
    <message>
        <source>Export </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export a </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to export the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageImport</name>
    <message>
        <source>Rich Text Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (*.rtf)|*.rtf|Text Document (*.txt)|*.txt|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (*.txt)|*.txt|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (*.htm;*.html;*.php)|*.htm;*.html;*.php|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures (*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.png;*.ico)|*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.png;*.ico|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound (*.wav;*.mp3;*.wma;*.mid;*.rmi)|*.wav;*.mp3;*.wma;*.mid;*.rmi|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import a </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert a </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert a File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to import the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import %1 Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please choose a &amp;folder to import files from.  This could take a while if the folder contains files that are large in size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import 1 File</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageOperations</name>
    <message>
        <source>Are you sure that you want to delete the page &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete All Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete all pages?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PagePropertiesDialog</name>
    <message>
        <source>Rich Text Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageRename</name>
    <message>
        <source>Rename Page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageSearch</name>
    <message>
        <source>Searching for &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PassphrasePrompt</name>
    <message>
        <source>&amp;Enter the passphrase of the encrypted binder &apos;%1&apos;:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to open the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The passphrase does not open &apos;%1&apos;: it is wrong, or the file is damaged.  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong Passphrase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The binder is not opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tries left: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Password</name>
    <message>
        <source>Incorrect Password Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password entered was incorrect, please try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Both password boxes must contain the same text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passwords can only hold Western European (Latin-1) characters. Please choose a password without the other characters.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PasswordDialogs</name>
    <message>
        <source>The password stops casual opening; it does not encrypt the pages.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrintCommand</name>
    <message>
        <source>Print Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; could not be printed on &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Properties</name>
    <message>
        <source>File Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Properties</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PropertyFields</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProxyConnection</name>
    <message>
        <source>Pages may not reach %1: it has no public address, or is on this computer or a network near it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be reached.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>&apos;%1&apos; already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a Folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>a column width is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent Files Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery could not open the recent file list file (&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make sure that the file is not being used by another program if you want the recent file list feature to work.  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery could not save the recent file list file (&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make sure that the file is not read-only or it is not being used by another program if you want the recent file list feature to work.  </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecoveryOpener</name>
    <message>
        <source>The pages not changed since the last save were to be read from the binder file, which has changed since</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The binder was saved after this snapshot was taken, and the pages it kept from the binder file have changed since (%1); open the binder itself instead</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> [Recovered - the file has changed on disk since]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> [Recovered]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its data file %1 changed since it was kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its page count does not match its page table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recovery Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to recover &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecoveryStart</name>
    <message>
        <source>Recovery Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to recover &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecoveryWindow</name>
    <message>
        <source>never saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>changed since</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>as it was</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (password)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(never saved)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunDoc</name>
    <message>
        <source>the program &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; could not be started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no program on this computer opens &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;; choose one in the Page Editing Associations section of the Options dialog box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the command &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScanOptions</name>
    <message>
        <source>1:1  [Max Quality]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2:2  [Default]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4:4  [Max Compress]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScannedImageSaving</name>
    <message>
        <source>File already exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to save the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScannerChooser</name>
    <message>
        <source>Select Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sources:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Temporary Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery cannot make a temporary folder to work in (&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not find the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TempFolderSetup</name>
    <message>
        <source>Quillery cannot use its temporary folder &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>.  It uses &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; instead until it closes.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery</name>
    <message>
        <source>The text is not in Rich Text Format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The margins leave no room for the text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A paragraph or table is too long to lay out on sheets.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::Binder</name>
    <message>
        <source>Comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> [Read-Only]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::BinderWindow</name>
    <message>
        <source>Allow Remote Content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modified: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page List Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Quillery file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> has changed.  Do you want to save the changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::BrowserFindBar</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::ChangePasswordDialog</name>
    <message>
        <source>Change Password to Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Confirm New Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passwords are case sensitive.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::EditorWindow</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Page and Quillery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;and Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit without Saving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Plain Te&amp;xt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For&amp;mat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font Si&amp;ze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;olour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stri&amp;keout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align &amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align &amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bulle&amp;ts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Background Colour...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default Background Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply Default Rich Text Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find and Replace...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert Time and Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rich Text Editor for &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML Editor for &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plain Text Editor for &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when attempting to save the page &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply Default Rich Text Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard all formatting and apply default rich text format?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to save the changes you made?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::EncryptDialog</name>
    <message>
        <source>Encrypt This Binder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This binder is encrypted already; the new passphrase replaces its present one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Passphrase:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Confirm Passphrase:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encryption hides everything in the binder from anyone without the passphrase: its pages, their names and comments, its title. Only the file&apos;s size shows.
If the passphrase is lost, nobody can open the binder again, not even you: there is no way to recover it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::FilePropertiesDialog</name>
    <message>
        <source> Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pages:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;uthor:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Last saved by:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Filename:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MS-&amp;DOS Filename:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Created:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Modified:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Accessed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File co&amp;nfiguration</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::FindDialog</name>
    <message>
        <source>Match &amp;case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery has finished searching</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::FormatToolbar</name>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste Plain Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bullet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find and Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::HelpWindow</name>
    <message>
        <source>Quillery Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::MainToolbar</name>
    <message>
        <source>&amp;Rich Text Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Plain Text Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;HTML Page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pi&amp;cture...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sound...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanner/Camera &amp;Image (TWAIN)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Large icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Small icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lis&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::MainWindow</name>
    <message>
        <source>Quillery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Author Name...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Recent files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send feedback...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a Quillery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery (*.qly)|*.qly|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Quillery</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::OptionsDialog</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G&amp;eneral</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Editing A&amp;ssociations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Ric&amp;h Text Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Plain Te&amp;xt Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Left Align</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;ight Align</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ce&amp;ntre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font colour&amp;...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Background colour...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default background colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Def&amp;ault font colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reset...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Pane/Page Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Pane to&amp;p, Page below</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Pane botto&amp;m, Page above</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Pane lef&amp;t, Page right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Pane ri&amp;ght, Page left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;omments Column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Doc&amp;ument Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Warn before deleting pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remote Content of HTML Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As&amp;k first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alwa&amp;ys load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ne&amp;ver load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to reset the </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please choose a &amp;folder for the default document location:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Rich &amp;Text Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use &amp;Plain Text Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use &amp;Default Application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use E&amp;xternal Application:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start &amp;in:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a Program to Edit Pages of Type &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)|*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please choose a start in &amp;folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New File Extension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter new file extension:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New File Extension Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The extension &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; is already in the list</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::PageDrops</name>
    <message>
        <source>This binder is open read-only, so nothing can be dropped on it; Save As makes a copy that can be changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pages dropped are damaged or of a newer kind; nothing was added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dropped pages could not be added to &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::PageList</name>
    <message>
        <source>Page Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::PagePropertiesDialog</name>
    <message>
        <source> Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page &amp;number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Created:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Modified:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> byte(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;hange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Page source</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::PassphraseDialog</name>
    <message>
        <source>Encrypted Binder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::PasswordDialog</name>
    <message>
        <source>Enter Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::RecentFilesWindow</name>
    <message>
        <source>Recent Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O&amp;pen other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selected file you are trying to open &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; does not exist.  Do you want to remove it from the list?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to remove the selected item &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to remove all the items from the list?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::RecoveryWindow</name>
    <message>
        <source>Recover Unsaved Work</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery ended without saving these binders.  Recover opens a binder as it was when its work was last kept, marked changed: save it to keep it.  Nothing is written to a binder file until you save.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Binder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages with new content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File on disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Discard...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skipped:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard Unsaved Work</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard the unsaved work in &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;?  It cannot be recovered afterwards.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unsaved work in &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; could not be discarded - </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::RemoteContentBar</name>
    <message>
        <source>Allow &amp;Once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow for This &amp;Binder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and one other site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2 other sites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This page wants to load content from %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::ReplaceDialog</name>
    <message>
        <source>Match &amp;case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find and Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;place with:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillery has finished searching</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::ScannerWindow</name>
    <message>
        <source>Scanner/Camera Image (TWAIN)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquire/Open Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Se&amp;lect Source...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Acquire Image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flip vertically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate clockwise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate anticlockwise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;ub sampling:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Greyscale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saves image as greyscale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add into Quillery/Save Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add into &amp;Quillery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quali&amp;ty: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Load Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot load picture file
&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures (*.bmp;*.dib;*.gif;*.jpg;*.jpeg)|*.bmp;*.dib;*.gif;*.jpg;*.jpeg|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG File (*.jpg)|*.jpg|All files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred when trying to save the file &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::SearchAllDialog</name>
    <message>
        <source>Match &amp;case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search the text as s&amp;hown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find on the &amp;selected page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match rich text and HTML pages on the words they show rather than on their markup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text to search for:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The text &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos; was not found in any page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search All for &apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillery::ViewerPane</name>
    <message>
        <source>The page cannot be shown: the process that draws it %1. Refresh shows it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This page cannot be shown because the browser could not be loaded.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link to %1 was not followed: Work Offline is on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link to %1 was not followed: pages may not reach this computer or its local network.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link to %1 was not followed: the viewer follows only web links (http and https).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link to %1 was not followed: no program on this computer opens %2 addresses.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page links to

%1

which %2 would open. Open it with %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be started for %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link to %1 was not followed: pages load nothing from the network (Options, Remote Content).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this computer has no sound output; is its sound server running?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sound %1 cannot be played: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
