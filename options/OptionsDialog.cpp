// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/OptionsDialog.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/RecordsCommand.h"
#include "documents/Workspace.h"
#include "editor/DefaultTextFormats.h"
#include "options/Associations.h"
#include "options/NamedWidget.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/Settings.h"
#include "platform_ui/RichTextBox.h"
#include "platform_ui/ScreenFit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillery {

namespace {

QPushButton *button(const char *name, const QString &caption, QWidget *parent)
{
    return named(new QPushButton(caption, parent), name);
}

QString withoutAccelerator(QString caption)
{
    return caption.remove(u'&');
}

} // namespace

OptionsDialog::OptionsDialog(Workspace &workspace, Settings &settings, Binder &binder,
                             QWidget *parent)
    : QDialog(parent), m_workspace(workspace), m_settings(settings), m_binder(binder),
      tabMain(named(new QTabWidget(this), "tabMain"))
{
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(tr("Options"));
    auto *general = new QWidget(tabMain);
    auto *associations = new QWidget(tabMain);
    tabMain->setAccessibleName(tr("Option pages"));
    tabMain->addTab(general, tr("G&eneral"));
    tabMain->addTab(associations, tr("Page Editing A&ssociations"));
    buildGeneralTab(general);
    buildAssociationsTab(associations);
    // Taller than a small screen: the tabs scroll so that OK and Cancel stay in reach.
    scrollingTabs(*tabMain);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton *ok = button("cmdOK", QStringLiteral("OK"), this);
    QPushButton *cancel = button("cmdCancel", tr("&Cancel"), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabMain);
    layout->addLayout(buttons);
    // All of it where the screen has room, not the two thirds of the screen Qt gives a
    // window that could be smaller.
    resize(sizeHint());
    load();
}

void OptionsDialog::buildGeneralTab(QWidget *page)
{
    tabFormats = named(new QTabBar(page), "tabFormats");
    tabFormats->addTab(tr("Default Ric&h Text Format"));
    tabFormats->addTab(tr("Default Plain Te&xt Format"));
    auto *fraPlain = named(new QGroupBox(page), "fraPlain");
    txtSample = named(new RichTextBox(fraPlain), "txtSample");
    txtSample->setAccessibleName(tr("Sample text"));
    optLeft = named(new QRadioButton(tr("&Left Align"), fraPlain), "optLeft");
    optRight = named(new QRadioButton(tr("R&ight Align"), fraPlain), "optRight");
    optCentre = named(new QRadioButton(tr("Ce&ntre"), fraPlain), "optCentre");
    auto *formatButtons = new QGridLayout;
    const std::pair<const char *, QString> captions[] = {
        {"cmdFont", tr("&Font...")},
        {"cmdFColour", tr("Font colour&...")},
        {"cmdBColour", tr("&Background colour...")},
        {"cmdDBColour", tr("&Default background colour")},
        {"cmdDFColour", tr("Def&ault font colour")},
        {"cmdReset", tr("&Reset...")}};
    QPushButton *commands[6];
    for (int i = 0; i < 6; ++i) {
        commands[i] = button(captions[i].first, captions[i].second, fraPlain);
        formatButtons->addWidget(commands[i], i / 2, i % 2);
    }
    auto *alignments = new QHBoxLayout;
    for (QRadioButton *option : {optLeft, optRight, optCentre})
        alignments->addWidget(option);
    auto *plainLayout = new QVBoxLayout(fraPlain);
    plainLayout->addWidget(txtSample);
    plainLayout->addLayout(formatButtons);
    plainLayout->addLayout(alignments);
    txtSample->setMaximumHeight(80);

    auto *fraPos = named(new QGroupBox(tr("Page Pane/Page Position"), page), "fraPos");
    optPos = new QButtonGroup(fraPos);
    auto *posLayout = new QGridLayout(fraPos);
    const QString positions[] = {
        tr("Page Pane to&p, Page below"), tr("Page Pane botto&m, Page above"),
        tr("Page Pane lef&t, Page right"), tr("Page Pane ri&ght, Page left")};
    for (int index = 0; index < 4; ++index) {
        auto *option = new QRadioButton(positions[index], fraPos);
        option->setObjectName(QStringLiteral("optPos%1").arg(index));
        optPos->addButton(option, index);
        posLayout->addWidget(option, index / 2, index % 2);
    }

    auto *fraColumn = named(new QGroupBox(tr("C&omments Column"), page), "fraColumn");
    txtComments = named(new QLineEdit(fraColumn), "txtComments");
    (new QHBoxLayout(fraColumn))->addWidget(txtComments);

    auto *fraDefDocFol = named(new QGroupBox(tr("Default Doc&ument Folder"), page), "fraDefDocFol");
    txtDefDocFol = named(new QLineEdit(fraDefDocFol), "txtDefDocFol");
    QPushButton *cmdDefDocFol = button("cmdDefDocFol", QStringLiteral("..."), fraDefDocFol);
    auto *folderLayout = new QHBoxLayout(fraDefDocFol);
    folderLayout->addWidget(txtDefDocFol);
    folderLayout->addWidget(cmdDefDocFol);

    // Undo can take a deletion back, so the question before it may go.
    chkConfirmDelete =
        named(new QCheckBox(tr("&Warn before deleting pages"), page), "chkConfirmDelete");

    auto *layout = new QVBoxLayout(page);
    layout->setSpacing(2);
    layout->addWidget(tabFormats);
    layout->addWidget(fraPlain);
    layout->addWidget(fraPos);
    layout->addWidget(fraColumn);
    layout->addWidget(fraDefDocFol);
    layout->addWidget(chkConfirmDelete);
    layout->addWidget(buildRemoteContent(page));

    connect(tabFormats, &QTabBar::currentChanged, this, &OptionsDialog::showFormat);
    connect(txtSample, &QTextEdit::textChanged, this, [this] {
        if (!m_updating)
            m_table.sample(base()) = txtSample->text();
    });
    connect(optLeft, &QRadioButton::clicked, this, [this] { setAlignment(0); });
    connect(optRight, &QRadioButton::clicked, this, [this] { setAlignment(1); });
    connect(optCentre, &QRadioButton::clicked, this, [this] { setAlignment(2); });
    connect(commands[0], &QPushButton::clicked, this, &OptionsDialog::chooseFont);
    connect(commands[1], &QPushButton::clicked, this,
            [this] { chooseColour(FormatTable::Colour); });
    connect(commands[2], &QPushButton::clicked, this,
            [this] { chooseColour(FormatTable::BColour); });
    connect(commands[3], &QPushButton::clicked, this,
            [this] { setSystemColour(FormatTable::BColour, SystemWindowBackground); });
    connect(commands[4], &QPushButton::clicked, this,
            [this] { setSystemColour(FormatTable::Colour, SystemWindowText); });
    connect(commands[5], &QPushButton::clicked, this, &OptionsDialog::resetFormats);
    connect(optPos, &QButtonGroup::idClicked, this, [this](int index) { m_panePos = index; });
    connect(txtComments, &QLineEdit::textEdited, this, [this] { m_binderChanged = true; });
    connect(cmdDefDocFol, &QPushButton::clicked, this, &OptionsDialog::chooseDefaultFolder);
}

QGroupBox *OptionsDialog::buildRemoteContent(QWidget *page)
{
    auto *fraRemote = named(new QGroupBox(tr("Remote Content of HTML Pages"), page), "fraRemote");
    optRemote = new QButtonGroup(fraRemote);
    auto *remoteLayout = new QHBoxLayout(fraRemote);
    const std::pair<RemoteContent, QString> choices[] = {
        {RemoteContent::Ask, tr("As&k first")},
        {RemoteContent::Always, tr("Alwa&ys load")},
        {RemoteContent::Never, tr("Ne&ver load")}};
    for (const auto &[choice, caption] : choices) {
        auto *option = new QRadioButton(caption, fraRemote);
        option->setObjectName(QStringLiteral("optRemote%1").arg(int(choice)));
        optRemote->addButton(option, int(choice));
        remoteLayout->addWidget(option);
    }
    return fraRemote;
}

void OptionsDialog::load()
{
    m_table.load(m_binder.records());
    txtComments->setText(m_binder.records().value(RecordKey::CommentsColumn));
    txtDefDocFol->setText(m_settings.defaultDocFolder());
    chkConfirmDelete->setChecked(m_settings.confirmDeletes());
    optRemote->button(int(m_settings.remoteContent()))->setChecked(true);
    m_panePos = static_cast<int>(m_binder.panePosition());
    if (QAbstractButton *position = optPos->button(m_panePos))
        position->setChecked(true);
    m_binderChanged = false;
    m_loaded = false;
    for (const Association &row : loadAssociations(m_settings))
        addRow(row.label, row.editor);
    m_loaded = true;
    lvExts->setCurrentItem(lvExts->topLevelItem(0));
    showSelectedAssociation();
    showFormat();
    if (m_workspace.editMode == EditMode::ShowAssociations) {
        m_workspace.editMode = EditMode::Rich;
        tabMain->setCurrentIndex(1);
    }
}

int OptionsDialog::base() const
{
    return tabFormats->currentIndex() == 1 ? FormatTable::PlainBase : FormatTable::RichBase;
}

void OptionsDialog::showFormat()
{
    const int b = base();
    m_updating = true;
    txtSample->setText(m_table.sample(b));
    applyTextFormat(*txtSample, FormatTable::prefix(b), m_table.group(b));
    txtSample->setSelectionLength(0);
    m_updating = false;
    const int alignment = m_table[b + FormatTable::Align].toInt();
    (alignment == 1 ? optRight : alignment == 2 ? optCentre : optLeft)->setChecked(true);
}

void OptionsDialog::formatTouched()
{
    m_binderChanged = true;
    showFormat();
}

void OptionsDialog::setAlignment(int alignment)
{
    m_table[base() + FormatTable::Align] = QString::number(alignment);
    formatTouched();
}

void OptionsDialog::chooseFont()
{
    const int b = base();
    // The dialog opens on the family the sample shows: for a font this system lacks, its
    // stand-in rather than the dialog's first entry. Kept, it stays stored by its name.
    const QString storedName = m_table[b + FormatTable::FontName];
    const QString shown = QFontInfo(txtSample->font()).family();
    QFont initial(shown);
    initial.setPointSizeF(qMax(1.0, m_table[b + FormatTable::FontSize].toDouble()));
    const auto flag = [this, b](int offset) {
        return m_table[b + offset] == u"True";
    };
    initial.setBold(flag(FormatTable::Bold));
    initial.setItalic(flag(FormatTable::Italic));
    initial.setStrikeOut(flag(FormatTable::StrikeThru));
    initial.setUnderline(flag(FormatTable::Underline));
    const std::optional<QFont> chosen = m_workspace.dialogs.font(initial);
    if (!chosen)
        return;
    const auto text = [](bool on) {
        return on ? QStringLiteral("True") : QStringLiteral("False");
    };
    m_table[b + FormatTable::Bold] = text(chosen->bold());
    m_table[b + FormatTable::FontName] = chosen->family() == shown ? storedName : chosen->family();
    m_table[b + FormatTable::FontSize] = QString::number(chosen->pointSizeF());
    m_table[b + FormatTable::Italic] = text(chosen->italic());
    m_table[b + FormatTable::StrikeThru] = text(chosen->strikeOut());
    m_table[b + FormatTable::Underline] = text(chosen->underline());
    formatTouched();
}

void OptionsDialog::chooseColour(int offset)
{
    const int entry = base() + offset;
    const ColourCode fallback =
        offset == FormatTable::BColour ? SystemWindowBackground : SystemWindowText;
    const std::optional<QColor> chosen = m_workspace.dialogs.colour(
        colourFromCode(parseColourCode(m_table[entry]).value_or(fallback)));
    if (!chosen)
        return;
    m_table[entry] = QString::number(codeFromColour(*chosen));
    formatTouched();
}

void OptionsDialog::setSystemColour(int offset, qint32 code)
{
    m_table[base() + offset] = QString::number(code);
    formatTouched();
}

void OptionsDialog::resetFormats()
{
    const QString caption = withoutAccelerator(tabFormats->tabText(tabFormats->currentIndex()));
    if (m_workspace.dialogs.message(MsgIcon::Question, MsgButtons::YesNo, tr("Reset ") + caption,
                                    tr("Are you sure you want to reset the ") + caption + u'?') !=
        MsgResult::Yes)
        return;
    m_table.reset();
    formatTouched();
}

void OptionsDialog::chooseDefaultFolder()
{
    const QString folder = m_workspace.dialogs.folder(
        tr("Please choose a &folder for the default document location:"), txtDefDocFol->text());
    if (!folder.isEmpty())
        txtDefDocFol->setText(folder);
}

void OptionsDialog::accept()
{
    std::optional<PaneLayout> pane;
    const PanePosition position = PanePosition(m_panePos);
    if (position != m_binder.panePosition()) {
        pane = PaneLayout{position, Binder::paneLengthFor(position)};
        m_binderChanged = true;
    }
    // What the user touched is a step, even when it ends as it was; an untouched binder
    // is left alone.
    if (m_binderChanged) {
        InfoRecords formats;
        m_table.save(formats);
        QVector<RecordChange> changes;
        formats.forEach([&changes](QByteArrayView key, QByteArrayView stored) {
            changes.append({QString::fromUtf8(key), InfoRecords::storedValue(stored)});
        });
        changes.append({RecordKey::CommentsColumn, txtComments->text()});
        m_binder.push(
            std::make_unique<RecordsCommand>(m_binder, std::move(changes), pane, tr("Options")));
    }
    m_settings.setDefaultDocFolder(txtDefDocFol->text());
    m_settings.setRemoteContent(RemoteContent(optRemote->checkedId()));
    m_workspace.defaultDocFolder = txtDefDocFol->text();
    m_settings.setConfirmDeletes(chkConfirmDelete->isChecked());
    m_workspace.confirmDeletes = chkConfirmDelete->isChecked();
    QList<Association> rows;
    for (int i = 0; i < lvExts->topLevelItemCount(); ++i)
        rows.append({lvExts->topLevelItem(i)->text(0), lvExts->topLevelItem(i)->text(1)});
    saveAssociations(m_settings, rows);
    QDialog::accept();
}

} // namespace quillery
