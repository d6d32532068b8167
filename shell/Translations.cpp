// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace quillery {

namespace {

// Qt's German gives Minimize and Close in a window's menu the same access key; naming the
// item here puts it in our catalogue, which is asked before Qt's.
[[maybe_unused]] const char *const MinimizeCaption =
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Mi&nimize");

// Installed beside the program's data, or in the build tree when run from there.
QStringList programCatalogueFolders()
{
    return {QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' +
                            QStringLiteral(QUILLERY_QM_FROM_BIN)),
            QStringLiteral(QUILLERY_QM_BUILD_DIR)};
}

// The translators live as long as the application; each load replaces the last one of
// its name, so that a change of language never leaves the old one in front.
bool install(const QLocale &locale, const QString &name, const QStringList &folders)
{
    static QHash<QString, QTranslator *> installed;
    if (QTranslator *old = installed.take(name)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    for (const QString &folder : folders) {
        auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
        if (!translator->load(locale, name, QStringLiteral("_"), folder))
            continue;
        QCoreApplication::installTranslator(translator.get());
        installed.insert(name, translator.release());
        return true;
    }
    return false;
}

} // namespace

bool installTranslations(const QLocale &locale)
{
    install(locale, QStringLiteral("qtbase"), {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
    return install(locale, QStringLiteral("quillery"), programCatalogueFolders());
}

} // namespace quillery
