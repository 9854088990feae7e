#include "platform/QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

namespace {

// A Windows copy carries Qt's texts in "translations" beside the program;
// elsewhere they are Qt's own.
QStringList translationFolders()
{
    return { QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) };
}

} // namespace

bool installGermanQtTexts(QCoreApplication &application)
{
    // Qt's deployment merges the catalogs of the modules a program uses into
    // "qt_de"; where Qt is installed, "qt_de" loads qtbase's as well.
    const QStringList catalogs = { QStringLiteral("qtbase_de"), QStringLiteral("qt_de") };
    auto *translator = new QTranslator(&application);
    for (const QString &folder : translationFolders()) {
        for (const QString &catalog : catalogs) {
            if (translator->load(catalog, folder))
                return QCoreApplication::installTranslator(translator);
        }
    }
    delete translator;
    return false;
}
