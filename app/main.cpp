#include "main_window/frmMsgBoxQuillon.h"
#include "platform/DesktopShellService.h"
#include "platform/QtTranslation.h"
#include "platform/SystemMessageBoxService.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
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
