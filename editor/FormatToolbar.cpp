// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/FormatToolbar.h"

#include "platform/Colours.h"
#include "platform_ui/InkIcon.h"

#include <QMenu>
#include <QPainter>
#include <QToolButton>

// Q_INIT_RESOURCE names a global function, so it cannot be called inside the namespace.
static void initEditorQrc()
{
    Q_INIT_RESOURCE(editor);
}

namespace quillery {

namespace {

QIcon editorIcon(const char *themeName, const char *file)
{
    static const bool loaded = (initEditorQrc(), true);
    Q_UNUSED(loaded);
    return QIcon::fromTheme(
        QLatin1String(themeName),
        inkIcon(QStringLiteral(":/editor/icons/%1.svg").arg(QLatin1String(file))));
}

// A swatch of the colour a menu entry gives.
QIcon swatch(const QString &name)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colourFromCode(basicColourFromName(name).value_or(SystemWindowText)));
    // A frame, so that White shows on a white menu.
    QPainter frame(&pixmap);
    frame.setPen(Qt::darkGray);
    frame.drawRect(0, 0, 15, 15);
    frame.end();
    return QIcon(pixmap);
}

} // namespace

FormatToolbar::FormatToolbar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("tbFormat"));
    setMovable(false);
    setIconSize(QSize(16, 16));
    addButton(Cut, QT_TR_NOOP("Cut"), "edit-cut", "cut", false);
    addButton(Copy, QT_TR_NOOP("Copy"), "edit-copy", "copy", false);
    addButton(Paste, QT_TR_NOOP("Paste"), "edit-paste", "paste", false);
    addMenu(Paste, {tr("&Paste Plain Text")});
    addSeparator();
    addButton(Bold, QT_TR_NOOP("Bold"), "format-text-bold", "bold", true);
    addButton(Italic, QT_TR_NOOP("Italic"), "format-text-italic", "italic", true);
    addButton(Underline, QT_TR_NOOP("Underline"), "format-text-underline", "underline", true);
    addButton(Strikeout, QT_TR_NOOP("Strikeout"), "format-text-strikethrough", "strikeout", true);
    addButton(Colour, "", "format-text-color", "colour", false);
    // Its tooltip names the colour it gives, not what the button is.
    toolButton(Colour)->setAccessibleName(tr("Text colour"));
    const QStringList colourNames = basicColourNames();
    QMenu *colours = addMenu(Colour, colourNames + QStringList{tr("Automatic"), tr("Other...")});
    for (int i = 0; i < int(colourNames.size()); ++i)
        colours->actions().at(i)->setIcon(swatch(colourNames.at(i)));
    addSeparator();
    addButton(AlignLeft, QT_TR_NOOP("Align Left"), "format-justify-left", "align-left", true);
    addButton(Centre, QT_TR_NOOP("Centre"), "format-justify-center", "align-centre", true);
    addButton(AlignRight, QT_TR_NOOP("Align Right"), "format-justify-right", "align-right", true);
    addSeparator();
    addButton(Bullet, QT_TR_NOOP("Bullet"), "format-list-unordered", "bullet", true);
    addSeparator();
    addButton(FindReplace, QT_TR_NOOP("Find and Replace"), "edit-find-replace", "find", false);
}

QAction *FormatToolbar::addButton(int index, const char *tip, const char *themeIcon,
                                  const char *icon, bool check)
{
    QAction *action = addAction(editorIcon(themeIcon, icon), tr(tip));
    action->setObjectName(QStringLiteral("tbFormat%1").arg(index));
    action->setToolTip(tr(tip));
    action->setCheckable(check);
    connect(action, &QAction::triggered, this, [this, index] { Q_EMIT buttonClicked(index); });
    m_buttons.insert(index, action);
    return action;
}

QMenu *FormatToolbar::addMenu(int index, const QStringList &entries)
{
    auto *menu = new QMenu(this);
    for (int entry = 1; entry <= int(entries.size()); ++entry) {
        const QString text = entries.at(entry - 1);
        connect(menu->addAction(text), &QAction::triggered, this,
                [this, index, entry, text] { Q_EMIT menuEntryChosen(index, entry, text); });
    }
    m_buttons.value(index)->setMenu(menu);
    toolButton(index)->setPopupMode(QToolButton::MenuButtonPopup);
    m_menus.insert(index, menu);
    return menu;
}

QMenu *FormatToolbar::buttonMenu(int index) const
{
    return m_menus.value(index);
}

QToolButton *FormatToolbar::toolButton(int index) const
{
    return qobject_cast<QToolButton *>(widgetForAction(m_buttons.value(index)));
}

void FormatToolbar::setColourTip(ColourCode colour)
{
    m_buttons.value(Colour)->setToolTip(tr("Colour (%1)").arg(colour));
}

} // namespace quillery
