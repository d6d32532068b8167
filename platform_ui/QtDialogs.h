// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QStringList>

#include <functional>

class QWidget;

namespace quillery {

// "Desc (*.a;*.b)|*.a;*.b|All files (*.*)|*.*" as Qt name filters:
// "Desc (*.a *.A *.b *.B)", "All files (*)". Patterns match in either letter case, as
// they did where these filters come from, and "*.*" means every file.
QStringList qtNameFilters(const QString &filter);

// Where a file dialog starts: the folder of a preset full path when that exists, else
// the request's initial folder when that exists, else "" (the dialog's own choice).
QString fileDialogFolder(const FileDialogRequest &request);

// The path a save dialog's answer is saved under: the chosen Qt name filter's extension
// (that of its first "*.ext" pattern) is added when the file name has none, and with
// requireFilterExtension also when it ends in none of the filter's extensions. A filter
// of every file adds nothing.
QString savePath(const QString &chosen, const QString &qtFilter, bool requireFilterExtension);

// A prompt written with "&" access keys, as plain text.
QString withoutAccessKeys(const QString &text);
// The access key a caption marks with "&", in lower case; none when it marks none ("&&"
// is a plain "&").
QChar accessKey(const QString &caption);

// The dialogs the user sees. Each is centred on the window the provider names when it
// opens (by default the active window).
class QtDialogs : public Dialogs
{
    Q_DECLARE_TR_FUNCTIONS(QtDialogs)

public:
    using ParentProvider = std::function<QWidget *()>;

    explicit QtDialogs(ParentProvider parent = {});

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
    QWidget *parentWidget() const;
    QString fileDialog(const FileDialogRequest &request, bool save);
    bool replaceAllowed(const QString &title, const QString &path);

    ParentProvider m_parent;
};

} // namespace quillery
