#pragma once

#include <QString>

namespace quillery {

// "." followed by the text after the last "." of fileName, or "" when it has none.
QString getext(const QString &fileName);

// Turns a page name into a name a file can have. With inTemp the name is also made
// unique in tempFolder by a number before the extension; only the name is returned,
// never the folder.
QString FileFormat(const QString &name, bool inTemp, const QString &tempFolder = QString());

// Expands %NAME% references to environment variables; unset ones expand to nothing,
// and a "%...%" span holding a space is not a reference.
QString Env2Str(const QString &text);

} // namespace quillery
