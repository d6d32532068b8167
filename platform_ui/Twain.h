// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace quillery {

class cImage;

// Scanners and cameras come from SANE; these two calls stand in for the TWAIN
// library the scanner window was designed around.

struct TwainSource
{
    QString name; // SANE device name, e.g. "test:0"
    QString vendor;
    QString model;
    QString type; // "flatbed scanner", "still camera", ...
};

// Picks one of the sources (current: the index of the one chosen before, or
// -1); returns the index picked, or -1 when the user cancels.
using TwainSourceChooser =
    std::function<int(QWidget *window, const QList<TwainSource> &sources, int current)>;

// Replaces the chooser (by default a list dialog); an empty function restores
// the default.
void setTwainSourceChooser(TwainSourceChooser chooser);

// Lists the devices and lets the user choose one for later acquisitions.
// Returns 1 when a source was chosen, 0 when there is none or the user cancelled.
int TWAIN_SelectImageSource(QWidget *window);

// Scans one image from the chosen source (the first device when none was chosen)
// straight into image, which nothing needs as a file first. Returns 0 when an image was
// acquired, -1 when none was (image is then left as it was).
int TWAIN_AcquireImage(QWidget *window, cImage &image);

// The list dialog used unless a chooser is set.
int chooseTwainSourceInDialog(QWidget *window, const QList<TwainSource> &sources, int current);

} // namespace quillery
