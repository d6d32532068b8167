// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"

#include "platform/MessageButtons.h"

namespace quillery {

namespace {

template <typename T> T nextAnswer(QQueue<T> &queue, T fallback)
{
    return queue.isEmpty() ? std::move(fallback) : queue.dequeue();
}

} // namespace

QString ScriptedDialogs::lastText() const
{
    for (auto call = m_calls.crbegin(); call != m_calls.crend(); ++call) {
        if (call->kind == DialogCall::Kind::Message || call->kind == DialogCall::Kind::Input ||
            call->kind == DialogCall::Kind::Folder)
            return call->text;
    }
    return QString();
}

DialogCall ScriptedDialogs::takeLast()
{
    return m_calls.isEmpty() ? DialogCall() : m_calls.takeLast();
}

void ScriptedDialogs::clear()
{
    m_calls.clear();
    m_messages.clear();
    m_inputs.clear();
    m_openFiles.clear();
    m_saveFiles.clear();
    m_folders.clear();
    m_colours.clear();
    m_fonts.clear();
}

MsgResult ScriptedDialogs::message(MsgIcon icon, MsgButtons buttons, const QString &title,
                                   const QString &text)
{
    record({.kind = DialogCall::Kind::Message,
            .icon = icon,
            .buttons = buttons,
            .title = title,
            .text = text});
    const QList<MsgResult> offered = buttonResults(buttons);
    const MsgResult answer = nextAnswer(m_messages, defaultResult(buttons));
    if (!offered.contains(answer)) {
        qFatal("ScriptedDialogs: queued answer %d is not a button of the message \"%s\"",
               int(answer), qPrintable(title + QLatin1String(": ") + text));
    }
    return answer;
}

std::optional<QString> ScriptedDialogs::input(const QString &title, const QString &prompt,
                                              const QString &)
{
    record({.kind = DialogCall::Kind::Input, .title = title, .text = prompt});
    return nextAnswer(m_inputs, std::optional<QString>());
}

QString ScriptedDialogs::openFile(const FileDialogRequest &request)
{
    record({.kind = DialogCall::Kind::OpenFile, .title = request.title, .file = request});
    return nextAnswer(m_openFiles, QString());
}

QString ScriptedDialogs::saveFile(const FileDialogRequest &request)
{
    record({.kind = DialogCall::Kind::SaveFile, .title = request.title, .file = request});
    return nextAnswer(m_saveFiles, QString());
}

QString ScriptedDialogs::folder(const QString &prompt, const QString &)
{
    record({.kind = DialogCall::Kind::Folder, .text = prompt});
    return nextAnswer(m_folders, QString());
}

std::optional<QColor> ScriptedDialogs::colour(const QColor &)
{
    record({.kind = DialogCall::Kind::Colour});
    return nextAnswer(m_colours, std::optional<QColor>());
}

std::optional<QFont> ScriptedDialogs::font(const QFont &initial)
{
    record({.kind = DialogCall::Kind::Font, .initialFont = initial});
    return nextAnswer(m_fonts, std::optional<QFont>());
}

bool ScriptedDialogs::print(QPrinter &)
{
    record({.kind = DialogCall::Kind::Print});
    return false;
}

} // namespace quillery
