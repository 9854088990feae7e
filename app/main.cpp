#include "main_window/frmMsgBoxQuillon.h"
#include "platform/DesktopShellService.h"
#include "platform/QtTranslation.h"
#include "platform/SystemMessageBoxService.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>
#include <cstring>

namespace {

// Asked before any window exists, so that it works without a display.
bool versionAsked(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (versionAsked(argc, argv)) {
        std::fputs("msgbox-quillon (MsgBox - Quillon) " QUILLON_VERSION "\n", stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillon"));
    QApplication::setApplicationName(QStringLiteral("MsgBox - Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    installGermanQtTexts(app);

    SystemMessageBoxService messageBox;
    DesktopShellService shell;
    QSettings settings;
    frmMsgBoxQuillon window({ messageBox, shell, settings, QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) });
    closeOnTerminationSignals(window);
    window.show();
    return app.exec();
}
