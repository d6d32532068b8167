// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace quillery {

class Picture;

// Scanners and cameras come from SANE: the user chooses a device once, and each scan
// reads a picture from it.

struct ScannerDevice
{
    QString name; // SANE device name, e.g. "test:0"
    QString vendor;
    QString model;
    QString type; // "flatbed scanner", "still camera", ...
};

// Picks one of the sources (current: the index of the one chosen before, or
// -1); returns the index picked, or -1 when the user cancels.
using ScannerChooser =
    std::function<int(QWidget *window, const QList<ScannerDevice> &sources, int current)>;

// Replaces the chooser (by default a list dialog); an empty function restores
// the default.
void setScannerChooser(ScannerChooser chooser);

// Lists the devices and lets the user choose one for later acquisitions.
// Returns 1 when a source was chosen, 0 when there is none or the user cancelled.
int chooseScanner(QWidget *window);

// Scans one image from the chosen source (the first device when none was chosen)
// straight into image, which nothing needs as a file first. Returns 0 when an image was
// acquired, -1 when none was (image is then left as it was).
int acquirePicture(QWidget *window, Picture &image);

// The list dialog used unless a chooser is set.
int chooseScannerInDialog(QWidget *window, const QList<ScannerDevice> &sources, int current);

} // namespace quillery
