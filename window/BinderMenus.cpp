// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BinderMenus.h"

#include <QAction>
#include <QMenu>

namespace quillery {

namespace {

struct Item
{
    const char *name;
    const char *caption;
    const char *shortcuts; // separated by "; "
};

// Every command of a binder window, with its caption and shortcut key.
const Item Items[] = {
    {"mnuNew", "&New", "Ctrl+N"},
    {"mnuOpen", "&Open...", "Ctrl+O"},
    {"mnuSave", "&Save", "Ctrl+S"},
    {"mnuSA", "Save &As...", "Ctrl+F3"},
    {"mnuPrint", "&Print...", "Ctrl+P"},
    {"mnuPrintPreview", "Print Pre&view...", ""},
    {"mnuImportRTF", "&Rich Text File...", "Shift+F1"},
    {"mnuImportTXT", "&Plain Text Document...", "Shift+F2"},
    {"mnuImportHTML", "&HTML Document...", "Shift+F3"},
    {"mnuImportTWAIN", "Scanner/Camera &Image (TWAIN)...", "Ctrl+Q"},
    {"mnuImportFolder", "&Folder...", "Shift+F7"},
    {"mnuImportQuillery", "&Quillery...", "Ctrl+K"},
    {"mnuIPicture", "&Picture...", "Shift+F8"},
    {"mnuISound", "&Sound...", "Shift+F9"},
    {"mnuIFile", "Other &File...", "Shift+F11"},
    {"mnuExportRTF", "&Rich Text File...", "F3"},
    {"mnuExportTXT", "&Plain Text Document...", "F4"},
    {"mnuExportHTML", "&HTML Document...", "F6"},
    {"mnuExportFile", "&Selected Page...", "Shift+F12"},
    {"mnuPProperties", "Pa&ge Properties...", "Ctrl+F11"},
    {"mnuFProperties", "&File Properties...", "Ctrl+F5"},
    {"mnuFileAuthorName", "A&uthor Name...", "Ctrl+U"},
    {"mnuPassword", "C&hange Password...", ""},
    {"mnuEncrypt", "Encr&ypt This Binder...", ""},
    {"mnuOffline", "&Work Offline", "Ctrl+W"},
    {"mnuRF", "&Recent Files...", "Ctrl+I"},
    {"mnuClose", "&Close", ""},
    {"mnuExit", "E&xit", ""},
    {"mnuUndo", "&Undo", "Ctrl+Z"},
    {"mnuRedo", "&Redo", "Ctrl+Shift+Z; Ctrl+Y"},
    {"mnuEP", "&Edit Page...", "F8"},
    {"mnuEditCut", "Cu&t Page", "Ctrl+F6"},
    {"mnuEditCopy", "C&opy Page", "Ctrl+F7"},
    {"mnuEditPaste", "&Paste Page", "Ctrl+F8"},
    {"mnuEditDelete", "Delete Pa&ge...", "Del"},
    {"mnuEditDelAll", "De&lete All Pages...", ""},
    {"mnuNewRTF", "New Ri&ch Text Page...", "Shift+F4"},
    {"mnuNewTXT", "New Plain Te&xt Page...", "Shift+F5"},
    {"mnuNewHTML", "New &HTML Page...", "Shift+F6"},
    {"mnuRename", "Re&name Page", "F2"},
    {"mnuUp", "&Move Up", "F11"},
    {"mnuDown", "Move &Down", "F12"},
    {"mnuFind", "&Find...", "Ctrl+F"},
    {"mnuSearch", "&Search All...", "F9"},
    {"mnuEditOptions", "Opt&ions...", "Ctrl+F9"},
    {"mnuTH", "Tile &Horizontal", "Ctrl+H"},
    {"mnuTV", "Tile &Vertical", "Ctrl+T"},
    {"mnuCascade", "&Cascade", "Ctrl+E"},
    {"mnuAI", "&Arrange Icons", "Ctrl+R"},
    {"mnuSHPage", "Auto Hide Pa&ge Pane", "Ctrl+G"},
    {"mnuContents", "&Contents", "F1"},
    {"mnuAbout", "&About", "Ctrl+F1"},
    {"mnuSF", "&Send Feedback...", "Ctrl+F2"},
    {"mnuCopy", "&Copy", "Ctrl+C"},
    {"mnuSelectAll", "Select &All", "Ctrl+A"},
    {"mnuPEdit", "&Edit...", ""},
    {"mnuPRename", "&Rename", ""},
    {"mnuPCut", "Cu&t", ""},
    {"mnuPCopy", "&Copy", ""},
    {"mnuPDelete", "&Delete...", ""},
    {"mnuPPProperties", "&Properties...", ""},
    {"mnuPNRTF", "&Rich Text Page...", ""},
    {"mnuPNTXT", "&Plain Text Page...", ""},
    {"mnuPNHTML", "&HTML Page...", ""},
    {"mnuPNPicture", "Pi&cture...", ""},
    {"mnuPNSound", "&Sound...", ""},
    {"mnuPNFile", "&File...", ""},
    {"mnuPNTWAIN", "Scanner/Camera &Image (TWAIN)...", ""},
    {"mnuPPaste", "&Paste", ""},
    {"mnuPVLarge", "&Large Icons", ""},
    {"mnuPVSmall", "&Small Icons", ""},
    {"mnuPVList", "Lis&t", ""},
    {"mnuPVDetails", "&Details", ""},
    {"mnuPFProperties", "P&roperties...", ""},
};

} // namespace

BinderMenus::BinderMenus(QObject *owner) : m_owner(owner)
{
    for (const Item &item : Items) {
        auto *action = new QAction(QString::fromLatin1(item.caption), owner);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(item.shortcuts)));
        m_actions.insert(action->objectName(), action);
    }
    (*this)["mnuOffline"]->setCheckable(true);
    (*this)["mnuSHPage"]->setCheckable(true);

    mnuImport = menu("&Import", "mnuImport");
    fill(mnuImport, {"mnuImportRTF", "mnuImportTXT", "mnuImportHTML", "mnuImportTWAIN",
                     "mnuImportFolder", "mnuImportQuillery"});
    mnuInsert = menu("Inser&t", "mnuInsert");
    fill(mnuInsert, {"mnuIPicture", "mnuISound", "mnuIFile"});
    mnuExport = menu("&Export", "mnuExport");
    fill(mnuExport, {"mnuExportRTF", "mnuExportTXT", "mnuExportHTML", "mnuExportFile"});

    QMenu *file = menu("&File", "mnuFile");
    fill(file, {"mnuNew", "mnuOpen", "mnuSave", "mnuSA", nullptr, "mnuPrint", "mnuPrintPreview",
                nullptr});
    file->addMenu(mnuImport);
    file->addMenu(mnuInsert);
    file->addMenu(mnuExport);
    fill(file, {nullptr, "mnuPProperties", "mnuFProperties", "mnuFileAuthorName", "mnuPassword",
                "mnuEncrypt", nullptr, "mnuOffline", "mnuRF", nullptr, "mnuClose", "mnuExit"});
    QMenu *edit = menu("&Edit", "mnuEdit");
    fill(edit, {"mnuUndo",       "mnuRedo",     nullptr,        "mnuEP",         nullptr,
                "mnuEditCut",    "mnuEditCopy", "mnuEditPaste", nullptr,         "mnuEditDelete",
                "mnuEditDelAll", nullptr,       "mnuNewRTF",    "mnuNewTXT",     "mnuNewHTML",
                nullptr,         "mnuRename",   "mnuUp",        "mnuDown",       nullptr,
                "mnuFind",       "mnuSearch",   nullptr,        "mnuEditOptions"});
    QMenu *window = menu("&Window", "mnuWindow");
    fill(window, {"mnuTH", "mnuTV", "mnuCascade", "mnuAI", nullptr, "mnuSHPage"});
    QMenu *help = menu("&Help", "mnuHelp");
    fill(help, {"mnuContents", nullptr, "mnuAbout", "mnuSF"});
    m_bar = {file, edit, window, help};

    mnuRTF = menu("", "mnuRTF");
    fill(mnuRTF, {"mnuCopy", "mnuSelectAll"});
    mnuIcon = menu("", "mnuIcon");
    fill(mnuIcon, {"mnuPEdit", "mnuPRename", nullptr, "mnuPCut", "mnuPCopy", "mnuPDelete", nullptr,
                   "mnuPPProperties"});
    QMenu *add = menu("&Add", "mnuPAdd");
    fill(add, {"mnuPNRTF", "mnuPNTXT", "mnuPNHTML", "mnuPNPicture", "mnuPNSound", "mnuPNFile",
               "mnuPNTWAIN"});
    mnuPView = menu("&View", "mnuPView");
    fill(mnuPView, {"mnuPVLarge", "mnuPVSmall", "mnuPVList", "mnuPVDetails"});
    mnuPage = menu("", "mnuPage");
    mnuPage->addMenu(add);
    fill(mnuPage, {"mnuPPaste"});
    mnuPage->addMenu(mnuPView);
    fill(mnuPage, {nullptr, "mnuPFProperties"});
}

QAction *BinderMenus::operator[](const char *name) const
{
    QAction *action = m_actions.value(QString::fromLatin1(name));
    if (!action)
        qFatal("BinderMenus: there is no menu item named %s", name);
    return action;
}

QMenu *BinderMenus::menu(const char *caption, const char *name)
{
    auto *m = new QMenu(QString::fromLatin1(caption));
    m->setObjectName(QString::fromLatin1(name));
    QObject::connect(m_owner, &QObject::destroyed, m, &QObject::deleteLater);
    return m;
}

void BinderMenus::fill(QMenu *menu, const QList<const char *> &names)
{
    for (const char *name : names) {
        if (name)
            menu->addAction((*this)[name]);
        else
            menu->addSeparator();
    }
}

} // namespace quillery
