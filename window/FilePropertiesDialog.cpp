// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/FilePropertiesDialog.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/SizeText.h"
#include "platform/FileDetails.h"
#include "platform/GeneralDate.h"
#include "window/Properties.h"
#include "window/PropertyFields.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillery {

FilePropertiesDialog::FilePropertiesDialog(Binder &binder, QWidget *parent)
    : QDialog(parent), m_binder(binder)
{
    setObjectName(QStringLiteral("FilePropertiesDialog"));
    setWindowTitle(binder.title() + tr(" Properties"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);

    txtTitle = new QLineEdit(binder.title(), this);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setAccessibleName(tr("Title"));
    form->addRow(txtTitle);
    txtPages = addField(form, tr("&Pages:"), QStringLiteral("txtPages"),
                        QString::number(binder.pageCount()));
    const auto record = [&](const QString &key) {
        return binder.records().contains(key) ? binder.records().value(key) : QString();
    };
    addField(form, tr("A&uthor:"), QStringLiteral("txtAuthor"), record(RecordKey::Author));
    addField(form, tr("&Last saved by:"), QStringLiteral("txtLSB"), record(RecordKey::LastSavedBy));

    const QString file = binder.fileName();
    const bool saved = !file.isEmpty() && isFile(file);
    const QString notSaved = tr("Not Saved");
    const auto fileField = [&](const QString &label, const QString &name, auto value) {
        QLineEdit *box = addField(form, label, name, saved ? value() : notSaved);
        box->setEnabled(saved);
        form->labelForField(box)->setEnabled(saved);
        return box;
    };
    txtFilename = fileField(tr("&Filename:"), QStringLiteral("txtFilename"), [&] { return file; });
    fileField(tr("MS-&DOS Filename:"), QStringLiteral("txtDOS"),
              [&] { return canonicalPath(file); });
    fileField(tr("&Size:"), QStringLiteral("txtSize"),
              [&] { return sizeText(QFileInfo(file).size()) + tr(" bytes"); });
    fileField(tr("&Created:"), QStringLiteral("txtCreated"), [&] { return fileCreatedText(file); });
    fileField(tr("&Modified:"), QStringLiteral("txtModified"),
              [&] { return localDate(QFileInfo(file).lastModified()); });
    fileField(tr("&Accessed:"), QStringLiteral("txtAccessed"),
              [&] { return fileAccessedText(file); });

    layout->addWidget(
        sourceFrame(this, tr("File co&nfiguration"), configurationText(binder), rtfSource));
    QDialogButtonBox *buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &FilePropertiesDialog::accept);
    resize(520, 560);
}

void FilePropertiesDialog::accept()
{
    applyFileProperties(m_binder, txtTitle->text());
    QDialog::accept();
}

} // namespace quillery
