// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/HelpWindow.h"

#include "shell/Icons.h"
#include "shell/ShellResources.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace quillery {

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Quillery Help"));
    setWindowIcon(binderIcon());
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    m_browser->setAccessibleName(tr("Help topic"));

    auto *bar = new QToolBar(this);
    QAction *back =
        bar->addAction(toolIcon(ToolIcon::Back), tr("Back"), m_browser, &QTextBrowser::backward);
    QAction *forward = bar->addAction(toolIcon(ToolIcon::Forward), tr("Forward"), m_browser,
                                      &QTextBrowser::forward);
    bar->addAction(tr("Contents"), this, [this] { showTopic(); });
    // Esc and Ctrl+W close the help as they close other viewers here; the button does
    // it where no window manager draws a title bar.
    QAction *close = bar->addAction(tr("Close"), this, &QWidget::close);
    close->setObjectName(QStringLiteral("helpClose"));
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);
    resize(760, 620);
}

void HelpWindow::showTopic(const QString &anchor)
{
    QUrl page = startPage();
    if (!anchor.isEmpty())
        page.setFragment(anchor);
    m_browser->setSource(page);
}

HelpWindow *HelpWindow::showHelp(const QString &anchor)
{
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->showTopic(anchor);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QUrl HelpWindow::startPage()
{
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../share/quillery/help/index.html");
    if (QFileInfo(installed).isFile())
        return QUrl::fromLocalFile(QFileInfo(installed).canonicalFilePath());
    initShellResources();
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

} // namespace quillery
