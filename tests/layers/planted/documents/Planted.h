// SPDX-License-Identifier: GPL-3.0-or-later
// Includes the layers check must reject: a core folder reaching up, under several spellings.
#pragma once
#include "../editor/EditorWindow.h"
#include "cli/CliApp.h"
#include "documents/Binder.h"
#include "platform/FileIo.h"
#include "window/BinderWindow.h"
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QWidget>
#include <sane/sane.h>
