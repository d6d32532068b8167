// SPDX-License-Identifier: GPL-3.0-or-later
// Includes the layers check must reject: a core folder reaching up, under several spellings.
#pragma once
#include "documents/Binder.h"
#include "platform/FileIo.h"
#include "window/frmMDI.h"
#  include "../editor/frmEdit.h"
#include <QtWidgets/QWidget>
#include <QtPrintSupport/QPrinter>
#include <sane/sane.h>
#include "cli/CliApp.h"
