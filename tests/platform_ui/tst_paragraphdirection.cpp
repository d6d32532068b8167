// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/ParagraphDirection.h"
#include "platform_ui/RichTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace quillery;

namespace {

const QString Hebrew = QStringLiteral("\u05e9\u05dc\u05d5\u05dd");
const QString Arabic = QStringLiteral("\u0645\u0631\u062d\u0628\u0627");

// Each paragraph's direction as the box lays it out.
QList<Qt::LayoutDirection> directions(const QTextDocument &doc)
{
    QList<Qt::LayoutDirection> result;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        result << block.textDirection();
    return result;
}

void typeAtEnd(RichTextBox &box, const QString &text)
{
    box.setSelectionStart(box.textLength());
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&box, &press);
    }
}

} // namespace

class tst_paragraphdirection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rightToLeftCharacters()
    {
        const QString emoji = QString::fromUcs4(U"\U0001F600");
        const QString adlam =
            QString::fromUcs4(U"\U0001E900"); // a right-to-left script beyond 16 bits
        for (const QString &text : {QStringLiteral("plain 1 \u00e9\u0587"), emoji,
                                    QString(QChar(0xd83d)) /* a lone surrogate */})
            QVERIFY2(!mayReadRightToLeft(text), qPrintable(text));
        for (const QString &text :
             {QStringLiteral("latin ") + Hebrew, Arabic, QStringLiteral("\u202e abc"), adlam})
            QVERIFY2(mayReadRightToLeft(text), qPrintable(text));
    }

    void leftToRightPagesSayItOnce()
    {
        // Empty paragraphs and ones without letters are left to right too, whatever the
        // direction of the program's windows.
        QApplication::setLayoutDirection(Qt::RightToLeft);
        RichTextBox box;
        box.setText(QStringLiteral("first\n\n1234 .,;\nlast \u00e9t\u00e9"));
        QApplication::setLayoutDirection(Qt::LeftToRight);
        QCOMPARE(box.document()->defaultTextOption().textDirection(), Qt::LeftToRight);
        QCOMPARE(directions(*box.document()), QList<Qt::LayoutDirection>(4, Qt::LeftToRight));
    }

    void rightToLeftTextKeepsItsDirection()
    {
        RichTextBox box;
        box.setText(QStringLiteral("latin\n") + Hebrew + QStringLiteral("\n12"));
        QCOMPARE(directions(*box.document()),
                 QList<Qt::LayoutDirection>({Qt::LeftToRight, Qt::RightToLeft, Qt::LeftToRight}));
    }

    void arrivingRightToLeftTextTakesItsDirection_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("typed") << "typed";
        QTest::newRow("pasted") << "pasted";
    }

    void arrivingRightToLeftTextTakesItsDirection()
    {
        QFETCH(QString, how);
        RichTextBox box;
        box.resize(400, 300);
        box.show();
        box.setText(QStringLiteral("latin\nmore latin\n"));
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        if (how == QLatin1String("typed")) {
            typeAtEnd(box, Arabic);
        } else {
            box.setSelectionStart(box.textLength());
            QApplication::clipboard()->setText(Hebrew + QStringLiteral(" x"));
            box.paste();
        }
        const QTextBlock last = box.document()->lastBlock();
        QCOMPARE(last.textDirection(), Qt::RightToLeft);
        // The paragraph is laid out right to left, not only said to be.
        QVERIFY(box.document()->documentLayout()->blockBoundingRect(last).isValid());
        QCOMPARE(last.layout()->textOption().textDirection(), Qt::RightToLeft);
    }
};

QTEST_MAIN(tst_paragraphdirection)
#include "tst_paragraphdirection.moc"
