// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramWindows.h"

#include "EditorFixture.h"
#include "EncryptedFixture.h"
#include "documents/PassphrasePrompt.h"
#include "documents/Password.h"
#include "documents/RecoveryStore.h"
#include "documents/SecretStream.h"
#include "editor/ReplaceDialog.h"
#include "images_ui/ScannerWindow.h"
#include "options/OptionsDialog.h"
#include "platform_ui/RichTextBox.h"
#include "shell/HelpWindow.h"
#include "shell/RecentFilesWindow.h"
#include "shell/RecoveryWindow.h"
#include "shell/SplashWindow.h"
#include "window/BinderWindow.h"
#include "window/FilePropertiesDialog.h"
#include "window/FindDialog.h"
#include "window/PagePropertiesDialog.h"
#include "window/PasswordDialogs.h"
#include "window/ProgressWindow.h"
#include "window/SearchAllDialog.h"

#include <QTest>

#include <memory>
#include <vector>

namespace quillery::test {

void visitProgramWindows(BinderFixture &f, Window &w,
                         const std::function<void(QWidget *window, const QString &name)> &visit)
{
    visit(&w.main, "main window");
    w.main.openFile(f.makeBinder(
        "windows.qly", {{"rich.rtf", "{\\rtf1 rich}"}, {"plain.txt", "plain"}, {"p.png", "png"}}));
    BinderWindow *binderWindow = w.main.activeBinderWindow();
    QVERIFY(binderWindow);
    visit(&w.main, "main window with a binder");
    Binder &binder = binderWindow->binder();
    Settings &settings = w.settings;
    {
        // The passphrase prompt needs an encrypted binder to ask for, in a runtime folder.
        RuntimeDir runtime;
        BinderFixture secret;
        const QString path = makeEncrypted(secret, "secret.qly", {{"a.txt", "a"}});
        QVERIFY(!path.isEmpty());
        const ContainerReader reader(path);
        PassphrasePrompt prompt(*secret.workspace, path, reader);
        PassphraseDialog dialog(prompt);
        visit(&dialog, "Passphrase");
    }

    // Made first, gone last: the windows made over them refer to them to the end.
    EditorFixture editing;
    PasswordPrompt prompt(*f.workspace);
    std::vector<std::unique_ptr<QWidget>> windows;
    const auto add = [&](QWidget *window, const QString &name) {
        windows.emplace_back(window);
        visit(window, name);
    };
    auto *pane = new RichTextBox;
    windows.emplace_back(pane);
    add(new OptionsDialog(*f.workspace, settings, binder), "Options");
    add(new PagePropertiesDialog(*f.workspace, binder, 1, *pane), "Page Properties");
    add(new FilePropertiesDialog(binder), "File Properties");
    add(new FindDialog(f.dialogs, *pane), "Find");
    add(new SearchAllDialog(f.dialogs, f.ui, binder, settings, {}, {100, 100, 100, 100, 100}),
        "Search All");
    add(new RecentFilesWindow(f.dialogs, {}, {}, f.path("recent.dat")), "Recent Files");
    add(new ReplaceDialog(*pane, f.dialogs), "Replace");
    add(new ScannerWindow(*f.workspace, binder, settings), "Scanner");
    add(new PasswordDialog(prompt), "Enter Password");
    add(new ChangePasswordDialog(*f.workspace, binder), "Change Password");
    add(new EncryptDialog(*f.workspace, binder), "Encrypt");
    add(new ProgressWindow, "Progress");
    add(new HelpWindow, "Help");
    visit(SplashWindow::showSplash(), "Splash");
    SplashWindow::closeSplash();
    add(new RecoveryWindow(f.dialogs, {SnapshotEntry{}}, {"a problem"}, {}), "Recovery");
    for (const PageKind kind : {PageKind::RTF, PageKind::TXT}) {
        std::unique_ptr<EditorWindow> editor =
            editing.edit(editing.addPage(kind, kind == PageKind::RTF ? "{\\rtf1 x}" : "x"));
        add(editor.release(), "Editor " + kindString(kind));
    }
}

} // namespace quillery::test
