// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace quillery {

class Dialogs;
class Settings;

// The user's login name, proposed as the author name.
QString loginName();

// Makes sure the "AuthorName" setting holds a name and returns it. When it is empty the
// user is asked (after closeSplash, so that the prompt is not hidden behind the splash
// window); no answer stores a single space, so that the question is not asked again.
QString ensureAuthorName(Settings &settings, Dialogs &dialogs,
                         const std::function<void()> &closeSplash);

// File > Author Name: proposes the stored name (or the login name), saves a non-empty
// answer and returns it; no value when the answer is empty or cancelled.
std::optional<QString> askAuthorName(Settings &settings, Dialogs &dialogs);

} // namespace quillery
