// SPDX-License-Identifier: GPL-3.0-or-later
#include "images_ui/ScannerWindow.h"

#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "images/PictureFile.h"
#include "images/ScanOptions.h"
#include "images/ScannedImageSaving.h"
#include "images_ui/PicturePreview.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/Settings.h"
#include "platform/TempFolder.h"
#include "platform_ui/ScannerAccess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

// Q_INIT_RESOURCE names a global function, so it cannot be called inside the namespace.
static void initImageResources()
{
    Q_INIT_RESOURCE(images);
}

namespace quillery {

namespace {

QPushButton *button(const char *name, const char *caption, QWidget *parent)
{
    auto *b =
        new QPushButton(QCoreApplication::translate("quillery::ScannerWindow", caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QToolButton *pictureButton(const char *name, const char *icon, const char *tip, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(QIcon(QStringLiteral(":/images/icons/%1.svg").arg(QLatin1String(icon))));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(QCoreApplication::translate("quillery::ScannerWindow", tip));
    return b;
}

} // namespace

ScannerWindow::ScannerWindow(Workspace &workspace, Binder &binder, Settings &settings,
                             QWidget *parent)
    : QDialog(parent), m_workspace(workspace), m_binder(binder), m_settings(settings),
      m_preview(new PicturePreview(this))
{
    initImageResources();
    setObjectName(QStringLiteral("ScannerWindow"));
    setWindowTitle(tr("Scanner/Camera Image (TWAIN)"));
    workspace.ui.closeSplash();

    auto *column = new QVBoxLayout;
    QGroupBox *frames[] = {makeSourceFrame(), makeOptionsFrame(), makeSaveFrame()};
    int width = 0;
    for (QGroupBox *frame : frames) {
        column->addWidget(frame);
        width = std::max(width, frame->sizeHint().width());
    }
    // The column keeps the width of its widest frame, also while two of them are hidden.
    for (QGroupBox *frame : frames)
        frame->setFixedWidth(width);
    column->addStretch();
    QPushButton *close =
        button("cmdClose", QT_TRANSLATE_NOOP("quillery::ScannerWindow", "Close"), this);
    column->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addLayout(column);

    // Nothing to turn, save or add until there is an image.
    for (QGroupBox *frame : {m_options, m_save}) {
        frame->setEnabled(false);
        frame->hide();
    }
    m_subSample->setCurrentIndex(defaultSubSamplingChoice);
    m_quality->setValue(
        jpegQualityFromSetting(settings.value(Settings::Main, QLatin1String(jpegQualityKey))));
    applySampling();
    applyQuality();
    connect(m_subSample, &QComboBox::currentIndexChanged, this, &ScannerWindow::applySampling);
    connect(m_greyscale, &QCheckBox::toggled, this, &ScannerWindow::applySampling);
    connect(m_quality, &QScrollBar::valueChanged, this, &ScannerWindow::applyQuality);
    resize(780, 540);
}

ScannerWindow::~ScannerWindow() = default;

QGroupBox *ScannerWindow::makeSourceFrame()
{
    auto *frame = new QGroupBox(tr("Acquire/Open Image"), this);
    frame->setObjectName(QStringLiteral("fraTWAIN"));
    QPushButton *select =
        button("cmdSelectSource", QT_TRANSLATE_NOOP("quillery::ScannerWindow", "Se&lect Source..."),
               frame);
    QPushButton *acquire = button(
        "cmdAcquire", QT_TRANSLATE_NOOP("quillery::ScannerWindow", "&Acquire Image..."), frame);
    QPushButton *open =
        button("cmdOpen", QT_TRANSLATE_NOOP("quillery::ScannerWindow", "&Open..."), frame);
    auto *layout = new QVBoxLayout(frame);
    for (QPushButton *b : {select, acquire, open})
        layout->addWidget(b);
    connect(select, &QPushButton::clicked, this, [this] { chooseScanner(this); });
    connect(acquire, &QPushButton::clicked, this, &ScannerWindow::acquire);
    connect(open, &QPushButton::clicked, this, &ScannerWindow::openPicture);
    return frame;
}

QGroupBox *ScannerWindow::makeOptionsFrame()
{
    m_options = new QGroupBox(tr("Image Options"), this);
    m_options->setObjectName(QStringLiteral("fraJPEG"));
    auto *turns = new QHBoxLayout;
    const auto turn = [&](const char *name, const char *icon, const char *tip, auto transform) {
        QToolButton *b = pictureButton(name, icon, tip, m_options);
        turns->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, transform] { replaceImage(transform()); });
    };
    turn("cmdFlipVert", "flip-vertical", QT_TR_NOOP("Flip vertically"),
         [this] { return m_image.mirrored(true); });
    turn("cmdFlipHori", "flip-horizontal", QT_TR_NOOP("Flip horizontally"),
         [this] { return m_image.mirrored(false); });
    turn("cmdClockwise", "rotate-clockwise", QT_TR_NOOP("Rotate clockwise"),
         [this] { return m_image.rotated(-90); });
    turn("cmdAntiClockwise", "rotate-anticlockwise", QT_TR_NOOP("Rotate anticlockwise"),
         [this] { return m_image.rotated(90); });
    turns->addStretch();

    m_qualityLabel = new QLabel(m_options);
    m_qualityLabel->setObjectName(QStringLiteral("lblQuality"));
    m_quality = new QScrollBar(Qt::Horizontal, m_options);
    m_quality->setObjectName(QStringLiteral("hscQuality"));
    m_quality->setRange(1, 100);
    m_quality->setPageStep(10);
    // Reachable from the keyboard through its label, as the other controls are.
    m_quality->setFocusPolicy(Qt::StrongFocus);
    m_qualityLabel->setBuddy(m_quality);
    auto *subSampleLabel = new QLabel(tr("S&ub sampling:"), m_options);
    subSampleLabel->setObjectName(QStringLiteral("lblSubSample"));
    m_subSample = new QComboBox(m_options);
    m_subSample->setObjectName(QStringLiteral("cboSubSample"));
    m_subSample->addItems(subSamplingChoices());
    subSampleLabel->setBuddy(m_subSample);
    m_greyscale = new QCheckBox(tr("&Greyscale"), m_options);
    m_greyscale->setObjectName(QStringLiteral("chkGreyscale"));
    m_greyscale->setToolTip(tr("Saves image as greyscale"));

    auto *layout = new QVBoxLayout(m_options);
    layout->addLayout(turns);
    for (QWidget *w : std::initializer_list<QWidget *>{m_qualityLabel, m_quality, subSampleLabel,
                                                       m_subSample, m_greyscale})
        layout->addWidget(w);
    return m_options;
}

QGroupBox *ScannerWindow::makeSaveFrame()
{
    m_save = new QGroupBox(tr("Add into Quillery/Save Image"), this);
    m_save->setObjectName(QStringLiteral("fraSave"));
    QPushButton *save =
        button("cmdSave", QT_TRANSLATE_NOOP("quillery::ScannerWindow", "&Save As..."), m_save);
    QPushButton *add =
        button("cmdAddIntoQuillery",
               QT_TRANSLATE_NOOP("quillery::ScannerWindow", "Add into &Quillery"), m_save);
    auto *layout = new QVBoxLayout(m_save);
    layout->addWidget(save);
    layout->addWidget(add);
    connect(save, &QPushButton::clicked, this, &ScannerWindow::savePicture);
    connect(add, &QPushButton::clicked, this,
            [this] { addImageAsPage(m_workspace, m_binder, m_jpeg, m_image); });
    return m_save;
}

void ScannerWindow::applySampling()
{
    const bool grey = m_greyscale->isChecked();
    m_subSample->setEnabled(!grey);
    applySubSampling(m_jpeg, m_subSample->currentText(), grey);
}

void ScannerWindow::applyQuality()
{
    m_qualityLabel->setText(tr("Quali&ty: %1").arg(m_quality->value()));
    m_jpeg.setQuality(m_quality->value());
}

void ScannerWindow::openPictureFile(const QString &fileName)
{
    // Cameras record how the picture was held; show it the way it was taken.
    Picture image;
    if (!readPictureFile(fileName, image, true).isEmpty()) {
        m_workspace.dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok, tr("File Load Error"),
                                    tr("Cannot load picture file\n\"") + fileName +
                                        QStringLiteral("\""));
        return;
    }
    showNewImage(std::move(image));
}

void ScannerWindow::showNewImage(Picture image)
{
    replaceImage(std::move(image));
    for (QGroupBox *frame : {m_options, m_save}) {
        frame->setEnabled(true);
        frame->show();
    }
}

void ScannerWindow::replaceImage(Picture image)
{
    // A transform without the memory for its result gives an empty image; keep ours.
    if (image.isNull())
        return;
    m_image = std::move(image);
    m_preview->setImage(&m_image);
}

void ScannerWindow::acquire()
{
    Picture image;
    int result;
    {
        BusyScope busy(m_workspace.ui);
        result = acquirePicture(this, image);
    }
    if (result == 0)
        showNewImage(std::move(image));
}

void ScannerWindow::openPicture()
{
    FileDialogRequest request;
    request.title = tr("Open an Image");
    request.filter = tr("Pictures (*.bmp;*.dib;*.gif;*.jpg;*.jpeg)|*.bmp;*.dib;*.gif;"
                        "*.jpg;*.jpeg|All files (*.*)|*.*");
    const QString fileName = m_workspace.dialogs.openFile(request);
    if (!fileName.isEmpty())
        openPictureFile(fileName);
}

void ScannerWindow::savePicture()
{
    FileDialogRequest request;
    request.title = tr("Save Image");
    request.filter = tr("JPEG File (*.jpg)|*.jpg|All files (*.*)|*.*");
    const QString fileName = m_workspace.dialogs.saveFile(request);
    if (fileName.isEmpty())
        return;
    try {
        BusyScope busy(m_workspace.ui);
        saveImageAs(m_jpeg, m_image, fileName, m_workspace.temp);
    } catch (const FileError &error) {
        reportFileError(m_workspace.dialogs, tr("Save Image Error"),
                        tr("An error occurred when trying to save the file '"), fileName, error);
    }
}

void ScannerWindow::done(int result)
{
    m_settings.setJpegQuality(m_quality->value());
    QDialog::done(result);
}

void showScannerWindow(Workspace &workspace, Binder &binder, Settings &settings, QWidget *parent)
{
    ScannerWindow window(workspace, binder, settings, parent);
    window.exec();
}

} // namespace quillery
