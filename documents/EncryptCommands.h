// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace quillery {

class Binder;
class Workspace;

// The logic of the Encrypt This Binder dialog: with two equal, non-empty passphrases the
// binder gets a key made from them and is saved encrypted at once. True when the dialog
// may close.
bool encryptBinder(Workspace &workspace, Binder &binder, const QString &passphrase,
                   const QString &confirmation);

// Save As for an encrypted binder that has a file: asks whether the new file is encrypted
// too, then runs save. A plain copy is saved without the key, which the binder gets back
// only when that save fails. False when the user cancels or save fails.
bool saveAsChoosingEncryption(Workspace &workspace, Binder &binder,
                              const std::function<bool()> &save);

} // namespace quillery
