// SPDX-License-Identifier: GPL-3.0-or-later
// Includes the layers check must reject: a core folder reaching up, under several spellings.
#pragma once
#include "documents/Binder.h"
#include "platform/FileIo.h"
#include "window/BinderWindow.h"
#  include "../editor/EditorWindow.h"
#include <QtWidgets/QWidget>
#include <QtPrintSupport/QPrinter>
#include <sane/sane.h>
#include "cli/CliApp.h"
