#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

// One run of the real msgbox-format, whose path the test's target gives as
// MSGBOX_FORMAT_PATH: its exit code and what it wrote. It runs in the locale
// given, the C locale unless told, so that it speaks English.
struct MsgBoxFormatRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline MsgBoxFormatRun runOf(const QString &program, const QStringList &arguments,
    const QByteArray &input = {}, const QString &locale = QStringLiteral("C"))
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.insert(QStringLiteral("LC_ALL"), locale);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(-1))
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return { process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError() };
}

inline MsgBoxFormatRun msgboxFormat(const QStringList &arguments, const QByteArray &input = {},
    const QString &locale = QStringLiteral("C"))
{
    return runOf(QStringLiteral(MSGBOX_FORMAT_PATH), arguments, input, locale);
}
