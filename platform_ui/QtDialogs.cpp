// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/QtDialogs.h"

#include "platform/MessageButtons.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace quillery {

namespace {

// Prompts can run to several sentences; give them room to wrap into a readable block.
constexpr int promptWidth = 420;

QStringList qtPatterns(const QString &pattern)
{
    if (pattern == QLatin1String("*.*"))
        return {QStringLiteral("*")};
    const QString lower = pattern.toLower();
    const QString upper = pattern.toUpper();
    return lower == upper ? QStringList{pattern} : QStringList{lower, upper};
}

QMessageBox::Icon messageBoxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardButton(MsgResult result)
{
    switch (result) {
    case MsgResult::Ok:
        return QMessageBox::Ok;
    case MsgResult::Cancel:
        return QMessageBox::Cancel;
    case MsgResult::Yes:
        return QMessageBox::Yes;
    case MsgResult::No:
        return QMessageBox::No;
    case MsgResult::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QLabel *promptLabel(const QString &prompt, QWidget *parent)
{
    auto *label = new QLabel(prompt, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMinimumWidth(promptWidth);
    return label;
}

// The extensions a Qt name filter's patterns stand for, in order, without their dots.
QStringList filterExtensions(const QString &qtFilter)
{
    const qsizetype open = qtFilter.lastIndexOf(u'(');
    const qsizetype close = qtFilter.lastIndexOf(u')');
    QStringList extensions;
    if (open < 0 || close < open)
        return extensions;
    const QString patterns = qtFilter.mid(open + 1, close - open - 1);
    for (const QString &pattern : patterns.split(u' ', Qt::SkipEmptyParts)) {
        const QString extension = pattern.mid(2);
        if (pattern.startsWith(QLatin1String("*.")) && !extension.isEmpty() &&
            !extension.contains(u'*') && !extension.contains(u'?') && !extension.contains(u'['))
            extensions.append(extension);
    }
    return extensions;
}

bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QStringList qtNameFilters(const QString &filter)
{
    // Qt reads a filter's patterns from the brackets that end its text, so those are
    // written afresh in Qt's form rather than kept from the description.
    static const QRegularExpression shownPatterns(QStringLiteral(R"(\s*\([^()]*[*?][^()]*\)\s*$)"));
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            for (const QString &variant : qtPatterns(pattern.trimmed())) {
                if (!variant.isEmpty() && !patterns.contains(variant))
                    patterns.append(variant);
            }
        }
        if (patterns.isEmpty())
            continue;
        QString description = parts.at(i).trimmed();
        description.remove(shownPatterns);
        result.append((description + QLatin1String(" (") + patterns.join(u' ') + u')').trimmed());
    }
    return result;
}

QString fileDialogFolder(const FileDialogRequest &request)
{
    if (request.fileName.contains(u'/')) {
        const QString presetFolder = QFileInfo(request.fileName).absolutePath();
        if (QFileInfo(presetFolder).isDir())
            return presetFolder;
    }
    if (!request.initialFolder.isEmpty() && QFileInfo(request.initialFolder).isDir())
        return request.initialFolder;
    return QString();
}

QString savePath(const QString &chosen, const QString &qtFilter, bool requireFilterExtension)
{
    const QStringList extensions = filterExtensions(qtFilter);
    if (extensions.isEmpty())
        return chosen;
    const QString name = QFileInfo(chosen).fileName();
    // A leading dot begins a hidden name, not an extension.
    const qsizetype dot = name.lastIndexOf(u'.');
    const bool hasExtension = dot > 0 && dot + 1 < name.size();
    const bool fits =
        std::any_of(extensions.cbegin(), extensions.cend(), [&name](const QString &e) {
            return name.endsWith(u'.' + e, Qt::CaseInsensitive);
        });
    if (fits || (hasExtension && !requireFilterExtension))
        return chosen;
    return chosen + (chosen.endsWith(u'.') ? QString() : QStringLiteral(".")) + extensions.first();
}

QString withoutAccessKeys(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'&')
            result += text.at(i);
        else if (i + 1 < text.size() && text.at(i + 1) == u'&')
            result += text.at(++i);
    }
    return result;
}

QChar accessKey(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toLower();
        ++i;
    }
    return {};
}

QtDialogs::QtDialogs(ParentProvider parent) : m_parent(std::move(parent))
{
}

QWidget *QtDialogs::parentWidget() const
{
    return m_parent ? m_parent() : QApplication::activeWindow();
}

MsgResult QtDialogs::message(MsgIcon icon, MsgButtons buttons, const QString &title,
                             const QString &text)
{
    QMessageBox box(messageBoxIcon(icon), title, text, QMessageBox::NoButton, parentWidget());
    // File and page names in the text are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    // A name or an address in a message can be copied from it.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QList<MsgResult> offered = buttonResults(buttons);
    for (MsgResult result : offered)
        box.addButton(standardButton(result));
    box.setDefaultButton(standardButton(defaultResult(buttons)));
    const int chosen = box.exec();
    for (MsgResult result : offered) {
        if (chosen == standardButton(result))
            return result;
    }
    return offered.last();
}

std::optional<QString> QtDialogs::input(const QString &title, const QString &prompt,
                                        const QString &defaultText)
{
    QDialog dialog(parentWidget());
    dialog.setWindowTitle(title);
    auto *layout = new QVBoxLayout(&dialog);
    QLabel *label = promptLabel(prompt, &dialog);
    layout->addWidget(label);
    auto *answer = new QLineEdit(defaultText, &dialog);
    label->setBuddy(answer);
    answer->selectAll();
    layout->addWidget(answer);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return answer->text();
}

QString QtDialogs::fileDialog(const FileDialogRequest &request, bool save)
{
    QFileDialog dialog(parentWidget(), request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The dialog's own question would name the file before its extension is added, and
    // some desktops' dialogs add none: the question comes once the final name is known.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, save);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    const QString folder = fileDialogFolder(request);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(QFileInfo(request.fileName).fileName());
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        const QString chosen = dialog.selectedFiles().value(0);
        if (!save)
            return chosen;
        const QString path =
            savePath(chosen, dialog.selectedNameFilter(), request.requireFilterExtension);
        if (!nameTaken(path) || replaceAllowed(request.title, path))
            return path;
        dialog.selectFile(QFileInfo(path).fileName());
    }
}

bool QtDialogs::replaceAllowed(const QString &title, const QString &path)
{
    return message(MsgIcon::Exclamation, MsgButtons::YesNoDefaultNo, title,
                   tr("'%1' already exists.\nDo you want to replace it?").arg(path)) ==
           MsgResult::Yes;
}

QString QtDialogs::openFile(const FileDialogRequest &request)
{
    return fileDialog(request, false);
}

QString QtDialogs::saveFile(const FileDialogRequest &request)
{
    return fileDialog(request, true);
}

QString QtDialogs::folder(const QString &prompt, const QString &initialFolder)
{
    // A window title cannot wrap, so the prompt goes above a folder chooser that is
    // embedded in a dialog of our own.
    QDialog dialog(parentWidget());
    dialog.setWindowTitle(tr("Choose a Folder"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(promptLabel(withoutAccessKeys(prompt), &dialog));
    auto *chooser = new QFileDialog(&dialog);
    chooser->setWindowFlags(Qt::Widget);
    chooser->setOption(QFileDialog::DontUseNativeDialog);
    chooser->setOption(QFileDialog::ShowDirsOnly);
    chooser->setFileMode(QFileDialog::Directory);
    if (QFileInfo(initialFolder).isDir())
        chooser->setDirectory(initialFolder);
    QObject::connect(chooser, &QFileDialog::finished, &dialog, &QDialog::done);
    layout->addWidget(chooser);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return chooser->selectedFiles().value(0);
}

std::optional<QColor> QtDialogs::colour(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parentWidget());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QFont> QtDialogs::font(const QFont &initial)
{
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, parentWidget());
    if (!accepted)
        return std::nullopt;
    return chosen;
}

bool QtDialogs::print(QPrinter &printer)
{
    QPrintDialog dialog(&printer, parentWidget());
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quillery
