// SPDX-License-Identifier: GPL-3.0-or-later
// A core folder's test links the core alone: any of the core, nothing above it.
#pragma once
#include "editor/EditorBinder.h"
#include "transfer/PageImport.h"
#include <QtWidgets/QWidget>
