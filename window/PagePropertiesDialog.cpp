// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PagePropertiesDialog.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/PageKind.h"
#include "documents/SizeText.h"
#include "documents/Workspace.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/GeneralDate.h"
#include "platform/PlainText.h"
#include "platform_ui/RichTextBox.h"
#include "window/Properties.h"
#include "window/PropertyFields.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillery {

namespace {

QString typeName(PageKind kind)
{
    switch (kind) {
    case PageKind::RTF:
        return QCoreApplication::translate("PagePropertiesDialog", "Rich Text Format");
    case PageKind::TXT:
        return QCoreApplication::translate("PagePropertiesDialog", "Plain Text");
    case PageKind::HTML:
        return QCoreApplication::translate("PagePropertiesDialog", "HTML Format");
    case PageKind::PICTURE:
        return QCoreApplication::translate("PagePropertiesDialog", "Picture");
    case PageKind::SOUND:
        return QCoreApplication::translate("PagePropertiesDialog", "Sound");
    default:
        return QCoreApplication::translate("PagePropertiesDialog", "File");
    }
}

QPushButton *button(QWidget *parent, const QString &caption, const QString &name)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

PagePropertiesDialog::PagePropertiesDialog(Workspace &workspace, Binder &binder, int position,
                                           RichTextBox &pane, QWidget *parent)
    : QDialog(parent), m_workspace(workspace), m_binder(binder), m_position(position), m_pane(pane),
      m_shownColour(pane.backColour())
{
    const PageRow &page = binder.page(position);
    const PageKind kind = page.key.kind;
    setObjectName(QStringLiteral("PagePropertiesDialog"));
    setWindowTitle(page.name + tr(" Properties"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);

    txtPage = new QLineEdit(page.name, this);
    txtPage->setObjectName(QStringLiteral("txtPage"));
    txtPage->setAccessibleName(tr("Page name"));
    form->addRow(txtPage);
    addField(form, tr("Page &number:"), QStringLiteral("txtIndex"), QString::number(position));
    addField(form, tr("&Type:"), QStringLiteral("txtType"), typeName(kind));
    addField(form, tr("&Created:"), QStringLiteral("txtCreated"), shownDate(page.created));
    addField(form, tr("&Modified:"), QStringLiteral("txtModified"), shownDate(page.modified));
    addField(form, tr("&Size:"), QStringLiteral("txtSize"), sizeText(page.size) + tr(" byte(s)"));
    txtComments = new QLineEdit(page.comments, this);
    txtComments->setObjectName(QStringLiteral("txtComments"));
    auto *lblComments = new QLabel(this);
    lblComments->setObjectName(QStringLiteral("lblComments"));
    lblComments->setBuddy(txtComments);
    form->addRow(lblComments, txtComments);

    if (kind == PageKind::RTF) {
        auto *frame = new QGroupBox(tr("Background colour"), this);
        frame->setObjectName(QStringLiteral("fraColour"));
        txtColour = new QLineEdit(frame);
        txtColour->setObjectName(QStringLiteral("txtColour"));
        txtColour->setReadOnly(true);
        auto *change = button(frame, tr("C&hange"), QStringLiteral("cmdChange"));
        auto *reset = button(frame, tr("&Default"), QStringLiteral("cmdDefault"));
        auto *row = new QHBoxLayout(frame);
        row->addWidget(txtColour);
        row->addWidget(change);
        row->addWidget(reset);
        layout->addWidget(frame);
        connect(change, &QPushButton::clicked, this, &PagePropertiesDialog::chooseColour);
        connect(reset, &QPushButton::clicked, this, &PagePropertiesDialog::resetColour);
        showColour(page.key.colour);
    }
    if (kind == PageKind::RTF || kind == PageKind::TXT || kind == PageKind::HTML) {
        layout->addWidget(sourceFrame(this, tr("&Page source"),
                                      decodePlainText(pageBytes(binder, position)), rtfSource));
    }

    QDialogButtonBox *buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PagePropertiesDialog::accept);
    // The binder names the comments; their key is one the other controls leave free.
    setFreeAccessKey(lblComments, binder.records().value(RecordKey::CommentsColumn) + u':');
    // However the dialog is closed without OK, the text pane gets its colour back.
    connect(this, &QDialog::rejected, this, [this] { m_pane.setBackColour(m_shownColour); });
    resize(480, 520);
}

void PagePropertiesDialog::showColour(const QString &stored)
{
    m_colour = stored;
    const std::optional<ColourCode> code = parseColourCode(stored);
    txtColour->setText(code ? colourName(*code) : stored);
}

void PagePropertiesDialog::setColour(ColourCode colour)
{
    showColour(QString::number(colour));
    m_pane.setBackColour(colour);
}

void PagePropertiesDialog::chooseColour()
{
    const auto current = parseColourCode(m_colour);
    const std::optional<QColor> chosen =
        m_workspace.dialogs.colour(colourFromCode(current.value_or(SystemWindowBackground)));
    if (chosen)
        setColour(codeFromColour(*chosen));
}

void PagePropertiesDialog::resetColour()
{
    setColour(SystemWindowBackground);
}

void PagePropertiesDialog::accept()
{
    PageEdit edit{txtPage->text(), txtComments->text(), std::nullopt};
    if (txtColour)
        edit.colour = m_colour;
    applyPageProperties(m_workspace, m_binder, m_position, edit);
    QDialog::accept();
}

} // namespace quillery
