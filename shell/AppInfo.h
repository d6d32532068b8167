// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

// What the program says about itself: in the splash window, the About box and the
// feedback command.
namespace AppInfo {

QString productName();     // "Quillery"
QString companyName();     // "Tamsin Orde"
QString version();         // major.minor.revision
QString projectAddress();  // the project's web address
QString feedbackAddress(); // where problems and suggestions are reported
QString contactLine();     // the splash window's contact line
// The About box's text: version and company, what the program does, its web site.
QString aboutText();

} // namespace AppInfo

} // namespace quillery
