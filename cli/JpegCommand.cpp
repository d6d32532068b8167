// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JpegCommand.h"

#include "cli/JpegTool.h"
#include "images/PictureFile.h"

#include <QFile>
#include <QTextStream>

#include <string>

namespace quillery::cli {

int runJpeg(const QStringList &args, QTextStream &errors)
{
    std::vector<std::string> words;
    for (const QString &arg : args)
        words.push_back(QFile::encodeName(arg).toStdString());
    std::string messages;
    const int code =
        runJpeg(words, messages, [](const std::string &fileName, std::string &problem) {
            QString why;
            std::unique_ptr<PixelRows> rows =
                openPictureRows(QFile::decodeName(fileName.c_str()), why);
            problem = why.toStdString();
            return rows;
        });
    errors << QString::fromLocal8Bit(messages);
    return code;
}

int runJpeg(const QStringList &args)
{
    QTextStream errors(stderr);
    return runJpeg(args, errors);
}

} // namespace quillery::cli
