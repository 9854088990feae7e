#include "lsp/LanguageServer.h"

#include <QFile>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#else
#include <csignal>
#endif

// The language server on standard input and output.
int main()
{
#ifdef Q_OS_WIN
    // The frames' CR LF and their byte counts go through as they are.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#else
    // A client that is gone shows as the end of the input; a write to it
    // before then must not end the server unasked.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QFile input;
    QFile output;
    // By descriptor and unbuffered: a buffered read would wait for more than
    // the client sends, and a buffered write would hold back the answer.
    if (!input.open(0, QIODevice::ReadOnly | QIODevice::Unbuffered)
        || !output.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    return lsp::serve(input, output);
}
