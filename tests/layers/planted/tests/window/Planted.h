// SPDX-License-Identifier: GPL-3.0-or-later
// A user interface test may include the whole user interface.
#pragma once
#include "shell/MainWindow.h"
#include "documents/Binder.h"
