// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery::toolbar {

// The main window's toolbar by position from the left; the gaps are separators.
enum Button : int {
    New = 1,
    Open,
    Save,
    AddPage = 5,
    Rename,
    Delete,
    Edit,
    View = 10,
    Back = 12,
    Forward,
    Stop,
    Refresh
};

// The buttons that act on a binder; New and Open are always there.
constexpr int FirstBinderButton = Save;
constexpr int LastButton = Refresh;

} // namespace quillery::toolbar
