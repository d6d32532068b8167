// SPDX-License-Identifier: GPL-3.0-or-later
// quillery-cli itself: runs the jpeg command without loading Qt, which would cost more
// time and memory than coding a photograph, and hands every other command, and pictures
// only Qt's readers read, to the rest of the tool (main.cpp), which it starts in its place.
#include "cli/ExitCodes.h"
#include "cli/JpegTool.h"
#include "images/PixelRows.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace {

// The folder that holds this program, links resolved; empty when unknown.
std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return {};
    const std::string program(path, std::size_t(length));
    return program.substr(0, program.rfind('/'));
}

// The rest of the tool, installed relative to this program; a program run from its build
// tree uses the one built there, and an installed one never looks into a build tree.
std::string restOfTool()
{
    const std::string folder = programFolder();
    char buildFolder[PATH_MAX];
    if (::realpath(QUILLERY_CLI_BUILD_DIR, buildFolder) != nullptr && folder == buildFolder)
        return QUILLERY_CLI_QT_BUILT;
    return folder + "/" QUILLERY_CLI_QT_FROM_BIN;
}

[[noreturn]] void handOver(char *argv[])
{
    const std::string tool = restOfTool();
    ::execv(tool.c_str(), argv);
    std::fprintf(stderr, "quillery-cli: cannot start %s: %s\n", tool.c_str(), std::strerror(errno));
    std::exit(quillery::cli::ExitFailed);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || std::strcmp(argv[1], "jpeg") != 0)
        handOver(argv);
    const std::vector<std::string> args(argv + 2, argv + argc);
    std::string errors;
    const int code = quillery::cli::runJpeg(
        args, errors,
        [argv](const std::string &, std::string &) -> std::unique_ptr<quillery::PixelRows> {
            handOver(argv);
        });
    std::fputs(errors.c_str(), stderr);
    return code;
}
