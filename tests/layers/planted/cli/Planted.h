// SPDX-License-Identifier: GPL-3.0-or-later
// The tool stands on the core alone.
#pragma once
#include "images/Picture.h"
#include "shell/MainWindow.h"
#include <QtWidgets>
