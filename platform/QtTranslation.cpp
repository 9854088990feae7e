#include "platform/QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
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
    auto *translator = new QTranslator(&application);
    for (const QString &folder : translationFolders()) {
        if (translator->load(QStringLiteral("qtbase_de"), folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}
