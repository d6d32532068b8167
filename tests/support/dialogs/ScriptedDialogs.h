// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QQueue>

namespace quillery {

// One dialog the program asked for, as the user would have seen it.
struct DialogCall
{
    enum class Kind { Message, Input, OpenFile, SaveFile, Folder, Colour, Font, Print };

    Kind kind = Kind::Message;
    MsgIcon icon = MsgIcon::None;        // messages only
    MsgButtons buttons = MsgButtons::Ok; // messages only
    QString title{};                     // message and input title, file dialog title
    QString text{};                      // message text, input or folder prompt
    FileDialogRequest file{};            // file dialogs only
    QFont initialFont{};                 // font dialog only
};

// Dialogs for tests: records every call in order and answers each kind of dialog from
// its own queue, first in first out. With its queue empty a dialog answers:
//   message      the box's default button: Ok, Yes or Retry, or No where that is the default
//   input        no value (cancelled)
//   file, folder ""  (cancelled)
//   colour, font no value (cancelled)
//   print        false (cancelled), always: it has no queue
// A queued message answer that the box does not offer is a fault in the test's script
// and stops the test with a message naming the box.
class ScriptedDialogs : public Dialogs
{
public:
    void queueMessage(MsgResult answer) { m_messages.enqueue(answer); }
    void queueInput(std::optional<QString> answer) { m_inputs.enqueue(std::move(answer)); }
    void queueOpenFile(const QString &path) { m_openFiles.enqueue(path); }
    void queueSaveFile(const QString &path) { m_saveFiles.enqueue(path); }
    void queueFolder(const QString &path) { m_folders.enqueue(path); }
    void queueColour(std::optional<QColor> answer) { m_colours.enqueue(answer); }
    void queueFont(std::optional<QFont> answer) { m_fonts.enqueue(std::move(answer)); }

    const QList<DialogCall> &calls() const { return m_calls; }
    // The latest message text or input or folder prompt, "" when there was none.
    QString lastText() const;
    // Removes and returns the latest call; a default call when there was none.
    DialogCall takeLast();
    // Forgets the calls and every queued answer.
    void clear();

    MsgResult message(MsgIcon icon, MsgButtons buttons, const QString &title,
                      const QString &text) override;
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &defaultText) override;
    QString openFile(const FileDialogRequest &request) override;
    QString saveFile(const FileDialogRequest &request) override;
    QString folder(const QString &prompt, const QString &initialFolder) override;
    std::optional<QColor> colour(const QColor &initial) override;
    std::optional<QFont> font(const QFont &initial) override;
    bool print(QPrinter &printer) override;

private:
    void record(DialogCall call) { m_calls.append(std::move(call)); }

    QList<DialogCall> m_calls;
    QQueue<MsgResult> m_messages;
    QQueue<std::optional<QString>> m_inputs;
    QQueue<QString> m_openFiles;
    QQueue<QString> m_saveFiles;
    QQueue<QString> m_folders;
    QQueue<std::optional<QColor>> m_colours;
    QQueue<std::optional<QFont>> m_fonts;
};

} // namespace quillery
