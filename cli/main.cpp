// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliApp.h"

int main(int argc, char *argv[])
{
    return quillery::cli::run(argc, argv);
}
