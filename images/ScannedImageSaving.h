// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Binder;
class Picture;
class JpegEncoder;
class TempFolder;
class Workspace;

// Encodes the image with the encoder's quality and sampling and writes it to target. An
// existing file there is replaced only once the new one is complete, so a failure leaves
// it as it was. Throws FileError.
void saveImageAs(JpegEncoder &jpeg, const Picture &image, const QString &target, TempFolder &temp);

// Encodes the image into "Page n.jpg" in the temporary folder (n: the page it becomes),
// adds that as the binder's new last picture page (a step of its history, "Scan") and
// shows it. Failures are reported to the user; false then, with nothing added.
bool addImageAsPage(Workspace &workspace, Binder &binder, JpegEncoder &jpeg, const Picture &image);

} // namespace quillery
