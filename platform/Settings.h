// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace quillery {

// Whether HTML pages may load from the network: after the user allows it for the page or its
// binder, always, or never.
enum class RemoteContent { Ask, Always, Never };

// The per-user settings: an INI file of the organisation (Organisation) with one group per
// section. Sections keep the names the program has always used ("Quillery",
// "Quillery\Page Editing Associations"); a backslash and a slash both separate levels.
// Every value is text; numbers are stored as their decimal text.
class Settings
{
public:
    // Who makes the program and its name: they make the settings file's path.
    static const QString Organisation; // "Tamsin Orde"
    static const QString Application;  // "Quillery"
    static const QString Main;         // "Quillery"
    static const QString Associations; // "Quillery\Page Editing Associations"

    // The editors an association row can name, besides a program path, the separator
    // and a start-in folder.
    static const QString RichTextEditor;  // "Quillery Rich Text Editor"
    static const QString PlainTextEditor; // "Quillery Plain Text Editor"
    static const QString DefaultProgram;  // "Default Program"
    static constexpr QChar ProgramSeparator = QChar(u'\u00B7');
    // Rows 1 to 6 belong to the page kinds RTF, TXT, HTML, PICTURE, SOUND and FILE.
    static constexpr int KindRows = 6;

    // The user's own settings file.
    Settings();
    // A settings file at the given path.
    explicit Settings(const QString &iniPath);
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    QString fileName() const;

    // The stored text, or defaultValue when the key is absent.
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue = QString()) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    // Removes the section with every key in it.
    void removeSection(const QString &section);
    // Writes pending changes now (they are otherwise written a little later).
    void sync();

    // A stored number; no value when the text (or the default) is not a number.
    std::optional<double> number(const QString &section, const QString &key,
                                 const QString &defaultValue) const;

    // Section "Quillery".
    QString authorName() const;
    void setAuthorName(const QString &name);
    QString openFolder() const;
    void setOpenFolder(const QString &folder);
    QString defaultDocFolder() const;
    void setDefaultDocFolder(const QString &folder);
    void setJpegQuality(int quality);
    // "ConfirmDelete": Delete Page and Delete All Pages ask first; on unless "0" is stored.
    bool confirmDeletes() const;
    void setConfirmDeletes(bool confirm);
    // Search All's "Search the text as shown"; off unless "1" is stored.
    bool searchShownText() const;
    void setSearchShownText(bool shown);
    // "RecoveryDelay": seconds from the last change to the recovery snapshot, fractions
    // allowed; 0 keeps none. 5 s when absent or not a number, at most an hour.
    int recoveryDelayMs() const;
    // "RemoteContent": Ask unless "Always" or "Never" is stored.
    RemoteContent remoteContent() const;
    void setRemoteContent(RemoteContent choice);

    // Section "Quillery\Page Editing Associations": rows 1 to associationCount().
    int associationCount() const;
    QString associationLabel(int row) const;
    QString associationEditor(int row) const;
    // What the options dialog shows for rows 1 to 6 of an empty section.
    static QString defaultAssociationLabel(int row);
    // Rows 1 to 3 open in the built-in editor, the others in the default program.
    static QString defaultAssociationEditor(int row);

private:
    std::unique_ptr<QSettings> m_store;
};

} // namespace quillery
