// SPDX-License-Identifier: GPL-3.0-or-later
// The letters an HTML page shows in the viewer's browser, whatever encoding it names or
// does not name.
#include "BinderFixture.h"
#include "documents/Binder.h"
#include "web/WebViewer.h"

#include <QTest>
#include <QWebEnginePage>

using namespace quillery;
using namespace quillery::test;

class tst_pageencoding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A page that names no encoding shows UTF-8 as UTF-8 and any other byte as a Windows-1252
    // letter, as Search All reads it, not in the code page of the user's language; a page
    // that names its encoding is read so.
    void pagesShowTheLettersSearchFinds()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder(
            "letters.qly", {{"utf8.html", "<p>caf\xc3\xa9 na\xc3\xafve</p>"},
                            {"cp1252.html", "<p>caf\xe9 na\xefve</p>"},
                            {"mixed.html", "<p>caf\xc3\xa9 na\xefve</p>"},
                            {"named.html", "<meta charset=windows-1251><p>\xe4\xee\xec</p>"}}));
        const QStringList expected{u"café naïve"_qs, u"café naïve"_qs, u"café naïve"_qs, u"дом"_qs};
        WebViewer viewer(f);
        for (int i = 0; i < expected.size(); ++i) {
            binder->setCurrentPosition(i + 1);
            QVERIFY(viewer.show(*binder));
            QString text;
            enginePage(viewer.pane)->toPlainText([&text](const QString &t) { text = t; });
            QTRY_COMPARE(text.trimmed(), expected[i]);
        }
    }
};

QTEST_MAIN(tst_pageencoding)
#include "tst_pageencoding.moc"
