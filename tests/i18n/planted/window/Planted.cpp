// SPDX-License-Identifier: GPL-3.0-or-later
// Strings the translation check must find (7) beside ones it must let pass. Never built.

void planted(QLabel *label, QWidget *parent, Dialogs &dialogs)
{
    label->setText(QStringLiteral("Save Changes"));
    auto *open = new QPushButton(QStringLiteral("&Open"), parent);
    dialogs.message(MsgIcon::Question, MsgButtons::YesNo, QStringLiteral("Title"),
                    QStringLiteral("the page is gone"));
    static const Entry entries[] = {{"mnuFile", "&File"}};
    label->setToolTip(QStringLiteral("A long tip that goes "
                                     "on to a second line"));

    label->setText(tr("Fine"));
    label->setText(QCoreApplication::translate("Planted", "Fine too"));
    static const char *const caption = QT_TR_NOOP("&Translated");
    label->setText(QCoreApplication::translate("Planted", "A translated text that goes "
                                                          "on to a second line"));
    label->setObjectName(QStringLiteral("Not Text"));
    label->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+V")));
}
