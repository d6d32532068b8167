// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillery::cli {

class CliSession;

// encrypt BINDER [OUT] [--kdf interactive|moderate|sensitive]: turns a binder into an
// encrypted one, in place or into OUT (which it never replaces).
int encryptCommand(CliSession &session, const QStringList &args);
// decrypt BINDER [OUT]: turns an encrypted binder back into a plain one, in place or into
// OUT (which it never replaces).
int decryptCommand(CliSession &session, const QStringList &args);

} // namespace quillery::cli
