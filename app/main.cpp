#include "main_window/frmMsgBoxQuillon.h"
#include "platform/DesktopShellService.h"
#include "platform/QtTranslation.h"
#include "platform/TerminationSignals.h"
#ifdef Q_OS_WIN
#include "platform/WindowsMessageBoxService.h"
#else
#include "platform/QtMessageBoxService.h"
#endif

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

#ifdef Q_OS_WIN
    WindowsMessageBoxService messageBox;
#else
    QtMessageBoxService messageBox;
#endif
    DesktopShellService shell;
    QSettings settings;
    frmMsgBoxQuillon window({ messageBox, shell, settings, QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) });
    closeOnTerminationSignals(window);
    window.show();
    return app.exec();
}
