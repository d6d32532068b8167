// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtf/RtfPictures.h"
#include "rtf/RtfReaderState.h"

#include <QHash>
#include <QPointer>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>
#include <QVarLengthArray>

#include <optional>

class QTextList;
class QTextTable;

namespace quillery::rtf {

// Turns what the RTF reader finds (runs of text with their formatting, paragraph ends,
// table cells, pictures) into a text document through one cursor. Text of one format is
// gathered and inserted in one go.
class RtfDocumentBuilder
{
public:
    // wholeDocument: the RTF becomes the whole document, so a final \par is the document's
    // last paragraph mark rather than the start of one more, empty, paragraph.
    RtfDocumentBuilder(const QTextCursor &cursor, const RtfTables &tables, bool wholeDocument);

    void addText(QStringView text, const CharState &chr, const ParaState &para);
    void addPicture(const Picture &picture, const CharState &chr, const ParaState &para);
    // The number or bullet text a writer put before a list paragraph for readers that do
    // not know its list; shown only when the paragraph's list cannot be made.
    void setListText(const QString &text, const CharState &chr);
    void endParagraph(const CharState &chr, const ParaState &para);
    void breakPage();
    void endCell(const CharState &chr, const ParaState &para);
    void endRow();
    void finish(const CharState &chr, const ParaState &para);
    const QTextCursor &cursor() const { return m_cursor; }

private:
    bool needsPreparing(const ParaState &para) const
    {
        return m_paragraphPending || para.inTable != (m_table != nullptr) || m_rowPending ||
               m_cellPending;
    }
    void prepareContent(const ParaState &para);
    void flushText();
    void formatBlock(const CharState &chr, const ParaState &para);
    void leaveGuessedBlock();
    // The format of chr, made once for each of the last few states asked for: a document
    // switches among a handful of formats, and making one is dear.
    const QTextCharFormat &charFormat(const CharState &chr);
    QTextCharFormat makeCharFormat(const CharState &chr) const;
    QTextBlockFormat blockFormat(const ParaState &para) const;
    // The list a paragraph joins: one made before, or the format of a new one.
    struct ListChoice
    {
        QTextList *list = nullptr;
        std::optional<QTextListFormat> format;
        int overrideKey = -1;
        bool wanted() const { return list || format; }
    };
    ListChoice listFor(const ParaState &para);
    static QTextListFormat listFormat(NumberStyle style, const QString &prefix,
                                      const QString &suffix, int start, const ParaState &para);
    void startTable();
    void enterCell();
    void startRow();
    void endTable();
    double pixels(double twips) const;

    QTextCursor m_cursor;
    const RtfTables &m_tables;
    const bool m_wholeDocument;
    const double m_dpi;
    const QTextBlockFormat m_targetBlockFormat;
    qint64 m_pixelBudget;

    QString m_text;
    CharState m_textChar;
    QTextCharFormat m_textFormat;
    bool m_haveTextFormat = false;
    QVarLengthArray<std::pair<CharState, QTextCharFormat>, 8> m_charFormats;
    qsizetype m_nextCharFormat = 0; // the cache entry to replace next

    // The formats the last paragraph was given: the next one most likely has them too, so
    // it starts with them and is set again only when it differs.
    QTextBlockFormat m_lastBlockFormat;
    QTextCharFormat m_lastBlockCharFormat;
    bool m_blockGuessed = false; // the cursor's paragraph has them but not yet its own

    bool m_paragraphPending = false;
    bool m_breakBefore = false;

    QTextTable *m_table = nullptr;
    int m_tableCells = 0;
    int m_row = 0;
    int m_column = 0;
    bool m_rowPending = false;
    bool m_cellPending = false;

    QHash<int, QPointer<QTextList>> m_overrideLists;
    QPointer<QTextList> m_legacyList;
    LegacyNumbering m_legacyNumbering;
    QString m_listText;
    CharState m_listTextChar;
};

} // namespace quillery::rtf
