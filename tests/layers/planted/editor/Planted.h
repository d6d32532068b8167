// SPDX-License-Identifier: GPL-3.0-or-later
// The user interface includes down its own line and into the core, not into the tool.
#pragma once
#include "cli/CliApp.h"
#include "documents/Binder.h"
#include "platform_ui/RichTextBox.h"
#include "window/BinderWindow.h"
#include <QtWidgets/QWidget>
