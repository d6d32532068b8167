#pragma once

class QWidget;

namespace quillery {

class Binder;
class Settings;
class Workspace;

// Edits the binder's current page with the editor its kind is associated with. Pages
// associated with the built-in rich or plain text editor open in it, modally; a page
// whose data cannot be read is reported and nothing opens.
void EditLaunch(Workspace &workspace, Binder &binder, Settings &settings, QWidget *parent);

} // namespace quillery
