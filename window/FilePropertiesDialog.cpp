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
    setWindowTitle(binder.title() + QStringLiteral(" Properties"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);

    txtTitle = new QLineEdit(binder.title(), this);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setAccessibleName(tr("Title"));
    form->addRow(txtTitle);
    txtPages = addField(form, QStringLiteral("&Pages:"), QStringLiteral("txtPages"),
                        QString::number(binder.pageCount()));
    const auto record = [&](const QString &key) {
        return binder.records().contains(key) ? binder.records().value(key) : QString();
    };
    addField(form, QStringLiteral("A&uthor:"), QStringLiteral("txtAuthor"),
             record(RecordKey::Author));
    addField(form, QStringLiteral("&Last saved by:"), QStringLiteral("txtLSB"),
             record(RecordKey::LastSavedBy));

    const QString file = binder.fileName();
    const bool saved = !file.isEmpty() && isFile(file);
    const QString notSaved = QStringLiteral("Not Saved");
    const auto fileField = [&](const QString &label, const QString &name, auto value) {
        QLineEdit *box = addField(form, label, name, saved ? value() : notSaved);
        box->setEnabled(saved);
        form->labelForField(box)->setEnabled(saved);
        return box;
    };
    txtFilename = fileField(QStringLiteral("&Filename:"), QStringLiteral("txtFilename"),
                            [&] { return file; });
    fileField(QStringLiteral("MS-&DOS Filename:"), QStringLiteral("txtDOS"),
              [&] { return canonicalPath(file); });
    fileField(QStringLiteral("&Size:"), QStringLiteral("txtSize"),
              [&] { return sizeText(QFileInfo(file).size()) + QStringLiteral(" bytes"); });
    fileField(QStringLiteral("&Created:"), QStringLiteral("txtCreated"),
              [&] { return fileCreatedText(file); });
    fileField(QStringLiteral("&Modified:"), QStringLiteral("txtModified"),
              [&] { return generalDate(QFileInfo(file).lastModified()); });
    fileField(QStringLiteral("&Accessed:"), QStringLiteral("txtAccessed"),
              [&] { return fileAccessedText(file); });

    layout->addWidget(sourceFrame(this, QStringLiteral("File co&nfiguration"),
                                  configurationText(binder), rtfSource));
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
