#pragma once

#include "platform/MessageBoxService.h"

#include <QList>
#include <QString>

// Stands in for the message box in tests: records every call and answers
// with the next scripted button number (1, OK, once the script runs out).
class ScriptedMessageBox final : public MessageBoxService
{
public:
    struct Call
    {
        QString prompt;
        qint32 style;
        QString title;
    };

    QList<Call> calls;
    QList<int> answers;

    int show(const QString &prompt, qint32 style, const QString &title = {}) override
    {
        calls.append({prompt, style, title});
        return answers.isEmpty() ? 1 : answers.takeFirst();
    }
};
