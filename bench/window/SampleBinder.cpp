// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleBinder.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/BinderSaver.h"
#include "documents/NewBinder.h"
#include "documents/Workspace.h"
#include "transfer/PageImport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <random>
#include <stdexcept>

namespace quillery {

namespace {

const char *const Words[] = {"binder",  "quarterly", "minutes",   "garden",   "invoice",  "chapter",
                             "draft",   "meeting",   "recipe",    "journey",  "estimate", "notes",
                             "summary", "archive",   "letter",    "schedule", "budget",   "margin",
                             "outline", "research",  "reference", "workshop", "supplier", "review",
                             "harbour", "lantern",   "orchard",   "weather"};

class Text
{
public:
    explicit Text(unsigned seed) : m_random(seed) {}

    QByteArray word() { return Words[m_random() % std::size(Words)]; }
    int below(int n) { return int(m_random() % unsigned(n)); }

    QByteArray sentence()
    {
        QByteArray s = word();
        s[0] = char(s[0] - 'a' + 'A');
        for (int w = 4 + below(10); w > 0; --w)
            s += ' ' + word();
        return s + ". ";
    }

private:
    std::mt19937 m_random;
};

// Rich text as word processors write it: font and colour tables, paragraph formatting,
// bold and italic runs, accented letters as hex escapes, a Unicode escape, a bulleted list.
QByteArray richText(Text &text, int targetBytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang2057"
                     "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New "
                     "Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
                     "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green64\\blue128;}\r\n"
                     "\\viewkind4\\uc1\\pard\\sa120\\b\\f1\\fs32 ";
    rtf += text.sentence() + "\\b0\\f0\\fs20\\par\r\n";
    while (rtf.size() < targetBytes) {
        switch (text.below(5)) {
        case 0:
            rtf += "{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}"
                   "\\fi-360\\li720 " +
                   text.sentence() + "\\par\\pard\\sa120\r\n";
            break;
        case 1:
            rtf += "\\qc\\cf2\\i " + text.sentence() + "\\i0\\cf0\\par\\pard\\sa120\r\n";
            break;
        default:
            rtf += text.sentence() + "\\b " + text.word() + "\\b0 caf\\'e9 " + text.sentence() +
                   "\\cf1 " + text.word() + "\\cf0  na\\'efve \\u8364?" + text.sentence() +
                   "\\par\r\n";
            break;
        }
    }
    return rtf + "}\r\n";
}

QByteArray plainText(Text &text, int targetBytes)
{
    QByteArray txt;
    while (txt.size() < targetBytes) {
        for (int s = 1 + text.below(4); s > 0; --s)
            txt += text.sentence();
        txt += "\r\n\r\n";
    }
    return txt;
}

QByteArray htmlPage(Text &text)
{
    QByteArray html = "<html><head><title>" + text.word() + "</title></head><body><h1>" +
                      text.sentence() + "</h1>";
    for (int p = 0; p < 6; ++p)
        html += "<p>" + text.sentence() + "<b>" + text.word() + "</b> " + text.sentence() + "</p>";
    return html + "</body></html>";
}

QByteArray picture(int seed)
{
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(seed * 37 % 360, 120, 230));
    QPainter painter(&image);
    painter.setPen(Qt::darkBlue);
    painter.drawEllipse(20 + seed % 40, 20, 80, 60);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

void writeWhole(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

SampleCounts writeSampleBinder(Workspace &workspace, const QString &sourceFolder,
                               const QString &path, int pages)
{
    QDir().mkpath(sourceFolder);
    Text text(20240611);
    SampleCounts counts;
    Binder binder;
    makeNewBinder(workspace, binder, false);
    for (int i = 1; i <= pages; ++i) {
        // Names of differing length, as people give them, so the icon captions wrap differently.
        QString name = QStringLiteral("%1 %2").arg(QString::fromLatin1(text.word())).arg(i);
        if (i % 3 == 0)
            name += u' ' + QString::fromLatin1(text.word() + ' ' + text.word());
        QByteArray data;
        if (i % 50 == 0 || (i > 1 && i % 50 == 1)) {
            name += QStringLiteral(".htm");
            data = htmlPage(text);
            ++counts.html;
        } else if (i % 50 == 25) {
            name += QStringLiteral(".png");
            data = picture(i);
            ++counts.pictures;
        } else if (i > 1 && i % 5 < 2) {
            name += QStringLiteral(".txt");
            data =
                plainText(text, i % 40 == 21 ? 30000 + text.below(70000) : 1000 + text.below(5000));
            ++counts.txt;
        } else {
            name += QStringLiteral(".rtf");
            data =
                richText(text, i % 40 == 13 ? 30000 + text.below(70000) : 1500 + text.below(6000));
            ++counts.rtf;
        }
        const QString source = sourceFolder + u'/' + name;
        writeWhole(source, data);
        if (!importFile(workspace, binder, source, PageKind::Unknown))
            throw std::runtime_error("cannot import " + source.toStdString());
    }
    binder.setRecord(RecordKey::SelectedPage, QStringLiteral("1"));
    if (!saveBinderFile(workspace, binder, path))
        throw std::runtime_error("cannot save " + path.toStdString());
    return counts;
}

} // namespace quillery
