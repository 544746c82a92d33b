#include "cli/translations.h"

#include "cli/translations_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <memory>

namespace zendra {

namespace {

// Installs the catalogue `name` for the user's locale from the first folder that has one.
void installCatalogue(QCoreApplication& application, const QString& name, const QStringList& folders) {
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
        if (translator->load(QLocale(), name, QStringLiteral("_"), folder)) {
            translator->setParent(&application);
            QCoreApplication::installTranslator(translator.release()); // owned by the application now
            return;
        }
    }
}

} // namespace

void installTranslations(QCoreApplication& application) {
    const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../share/zendra/translations"));
    installCatalogue(application, QStringLiteral("zendra"),
                     {installed, QString::fromUtf8(buildTranslationsFolder)});
    installCatalogue(application, QStringLiteral("qtbase"),
                     {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
}

} // namespace zendra
