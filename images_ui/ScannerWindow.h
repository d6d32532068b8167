// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/JpegEncoder.h"
#include "images/Picture.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QScrollBar;

namespace quillery {

class Binder;
class PicturePreview;
class Settings;
class Workspace;

// The scanner and camera window: acquires a picture from a scanner or camera, or opens a
// picture file, shows it to be turned and mirrored, and saves it as a JPEG file or adds it
// to the binder as a picture page. The JPEG quality chosen here is remembered.
class ScannerWindow : public QDialog
{
    Q_OBJECT
public:
    ScannerWindow(Workspace &workspace, Binder &binder, Settings &settings,
                  QWidget *parent = nullptr);
    ~ScannerWindow() override;

    // Makes the picture file the current image; a file that cannot be read is reported
    // and the current image kept.
    void openPictureFile(const QString &fileName);
    const Picture &image() const { return m_image; }

    void done(int result) override;

private:
    QGroupBox *makeSourceFrame();
    QGroupBox *makeOptionsFrame();
    QGroupBox *makeSaveFrame();
    void applySampling();
    void applyQuality();
    void replaceImage(Picture image);
    // Shows a newly opened or scanned image and offers the options and saving.
    void showNewImage(Picture image);
    void acquire();
    void openPicture();
    void savePicture();

    Workspace &m_workspace;
    Binder &m_binder;
    Settings &m_settings;
    Picture m_image;
    JpegEncoder m_jpeg;
    PicturePreview *m_preview;
    QGroupBox *m_options = nullptr;
    QGroupBox *m_save = nullptr;
    QScrollBar *m_quality = nullptr;
    QLabel *m_qualityLabel = nullptr;
    QComboBox *m_subSample = nullptr;
    QCheckBox *m_greyscale = nullptr;
};

// Shows the window modally for the binder.
void showScannerWindow(Workspace &workspace, Binder &binder, Settings &settings, QWidget *parent);

} // namespace quillery
