// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QPrinter;

namespace quillery {

class FileError;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
// YesNoDefaultNo is Yes and No with No as the default button, for prompts where pressing
// Enter must not destroy anything.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoDefaultNo, YesNoCancel, RetryCancel };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

// A file dialog as the program asks for it. The filter uses the classic
// "Description (*.a;*.b)|*.a;*.b|All files (*.*)|*.*" form, pairs separated by "|".
struct FileDialogRequest
{
    QString title;
    QString filter;
    QString fileName;      // preset name (may be a full path)
    QString initialFolder; // used when not empty and the folder exists
    // A save dialog adds the chosen filter's extension to a name without one; with this
    // set, also to a name that has another one ("notes.txt" saved as a binder becomes
    // "notes.txt.qly"), for files that are only known again by their extension.
    bool requireFilterExtension = false;
};

// The one way the program talks to the user through standard dialogs. The real
// implementation shows Qt dialogs; tests install a scripted one that records each
// prompt and answers from a queue, so exact texts can be checked.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual MsgResult message(MsgIcon icon, MsgButtons buttons, const QString &title,
                              const QString &text) = 0;
    // A failed file operation on the file name. A window shows a critical-stop box
    // titled with the operation, saying lead + name + "' - " + description + ", " +
    // number; a console says which file and what went wrong, in one line.
    virtual void fileError(const QString &title, const QString &lead, const QString &name,
                           const FileError &error);
    // Returns no value when the user cancels.
    virtual std::optional<QString> input(const QString &title, const QString &prompt,
                                         const QString &defaultText) = 0;
    // Each returns the chosen path, or an empty string when the user cancels. A save
    // dialog has asked before it returns the path of a file that exists.
    virtual QString openFile(const FileDialogRequest &request) = 0;
    virtual QString saveFile(const FileDialogRequest &request) = 0;
    virtual QString folder(const QString &prompt, const QString &initialFolder) = 0;
    virtual std::optional<QColor> colour(const QColor &initial) = 0;
    virtual std::optional<QFont> font(const QFont &initial) = 0;
    // Shows the print dialog for the printer; false when the user cancels.
    virtual bool print(QPrinter &printer) = 0;
};

} // namespace quillery
