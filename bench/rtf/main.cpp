// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing a large rich text page: our RTF reader and writer beside Qt's own
// HTML import of the same document.

#include "platform_ui/RichTextBox.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace quillery;

namespace {

// About 5 MB of RTF: paragraphs of runs in many formats, lists, small tables and links.
void buildDocument(QTextDocument &doc, int paragraphs)
{
    const QStringList words = {"binder", "page",   "quill",  "ledger",  "note", "margin",
                               "café",   "Straße", "данные", "κείμενο", "文本", "index"};
    const QStringList fonts = {"Liberation Serif", "Liberation Sans", "DejaVu Sans Mono"};
    const QList<QColor> colours = {Qt::black, Qt::darkRed, Qt::darkBlue, Qt::darkGreen};
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    int n = 0;
    for (int p = 0; p < paragraphs; ++p) {
        QTextBlockFormat block;
        block.setAlignment(p % 7 == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
        block.setBottomMargin(4);
        if (p % 5 == 0)
            block.setLeftMargin(24);
        cursor.insertBlock(block);
        if (p % 40 == 0) {
            QTextListFormat list;
            list.setStyle(p % 80 ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
            cursor.createList(list);
        }
        for (int run = 0; run < 12; ++run, ++n) {
            QTextCharFormat format;
            format.setFontFamilies(QStringList{fonts.at(n % fonts.size())});
            format.setFontPointSize(10 + n % 5);
            format.setFontWeight(n % 3 == 0 ? QFont::Bold : QFont::Normal);
            format.setFontItalic(n % 4 == 1);
            format.setFontUnderline(n % 9 == 2);
            format.setForeground(colours.at(n % colours.size()));
            if (n % 97 == 0) {
                format.setAnchor(true);
                format.setAnchorHref(QStringLiteral("https://example.com/%1").arg(n));
            }
            QString text;
            for (int w = 0; w < 4; ++w)
                text += words.at((n * 7 + w) % words.size()) + u' ';
            cursor.insertText(text, format);
        }
        if (p % 500 == 250) {
            QTextTable *table = cursor.insertTable(3, 3);
            for (int cell = 0; cell < 9; ++cell)
                table->cellAt(cell / 3, cell % 3).firstCursorPosition().insertText("cell");
            cursor.setPosition(table->lastPosition() + 1);
        }
    }
    cursor.endEditBlock();
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextDocument source;
    buildDocument(source, 5700);
    QByteArray rtf;
    const double write = bestOf(3, [&] { rtf = writeRtf(source); });
    const QString html = source.toHtml();
    const double read = bestOf(3, [&] {
        QTextDocument doc;
        readRtf(rtf, &doc);
    });
    const double importHtml = bestOf(3, [&] {
        QTextDocument doc;
        doc.setHtml(html);
    });
    RichTextBox box;
    box.resize(800, 600);
    box.show();
    QApplication::processEvents();
    const double show = bestOf(3, [&] {
        box.setRtf(rtf);
        QApplication::processEvents();
    });
    QTextEdit edit;
    edit.resize(800, 600);
    edit.show();
    const double showHtml = bestOf(3, [&] {
        edit.setHtml(html);
        QApplication::processEvents();
    });
    std::printf("document: %d paragraphs, %lld characters; RTF %.1f MB, HTML %.1f MB\n",
                source.blockCount(), qint64(source.characterCount()), rtf.size() / 1e6,
                html.toUtf8().size() / 1e6);
    std::printf("read RTF (readRtf)          %8.0f ms\n", read);
    std::printf("write RTF (writeRtf)        %8.0f ms\n", write);
    std::printf("Qt HTML import (setHtml)    %8.0f ms   reference for reading\n", importHtml);
    std::printf("show in a rich text box     %8.0f ms\n", show);
    std::printf("Qt QTextEdit::setHtml       %8.0f ms   reference for showing\n", showHtml);
    return 0;
}
