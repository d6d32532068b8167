#pragma once

#include <QString>

namespace quillery {

// What the program says about itself: in the splash window, the About box and the
// feedback message.
namespace AppInfo {

QString productName(); // "Quillery"
QString companyName(); // "Tamsin Orde"
QString version();     // major.minor.revision
QString comments();    // one sentence on what the program does
QString contactLine(); // the splash window's contact line
QString feedbackAddress();
QString website();

// Names the application and its organisation for Qt, so that the per-user data folder
// (where the recent-files list lives) is ".../Tamsin Orde/Quillery". Call first thing
// after making the application object.
void identifyApplication();

} // namespace AppInfo

} // namespace quillery
