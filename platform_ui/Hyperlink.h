// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

namespace quillery {

class RichTextBox;

// Finds the links in the text pane and tells which one the pointer is over. Links are
// addresses written in the text (http, https, ftp, file, mailto and "www." names) and the
// hyperlinks of rich text; they are underlined on screen without changing the document.
class Hyperlink : public QObject
{
    Q_OBJECT

public:
    struct Link
    {
        int start; // document position
        int length;
        QString address;
        bool operator==(const Link &) const = default;
    };

    explicit Hyperlink(QObject *parent = nullptr);

    // The addresses written in a text; a "www." name gets "http://" in front.
    static QList<Link> findLinks(QStringView text);

    // Prepares the box after its text changed.
    void attach(RichTextBox *box);
    // Follows the pointer over the box; pos is in its viewport's coordinates.
    void trackMouse(RichTextBox *box, const QPoint &pos);
    // The address of the link under the pointer; empty when there is none.
    QString linkAddress() const { return m_address; }
    QList<Link> links() const { return m_links; }

Q_SIGNALS:
    void linkChanged(const QString &address);

private:
    void setAddress(const QString &address);

    QPointer<RichTextBox> m_box;
    QList<Link> m_links; // by start
    QString m_address;
};

} // namespace quillery
