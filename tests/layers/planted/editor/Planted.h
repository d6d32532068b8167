// SPDX-License-Identifier: GPL-3.0-or-later
// The user interface includes down its own line and into the core, not into the tool.
#pragma once
#include "platform_ui/RichTextBox.h"
#include "documents/Binder.h"
#include <QtWidgets/QWidget>
#include "window/BinderWindow.h"
#include "cli/CliApp.h"
