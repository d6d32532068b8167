// SPDX-License-Identifier: GPL-3.0-or-later
// A user interface test may include the whole user interface.
#pragma once
#include "documents/Binder.h"
#include "shell/MainWindow.h"
