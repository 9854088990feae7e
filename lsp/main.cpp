#include "cli/BinaryStandardStreams.h"
#include "lsp/ClientPipe.h"
#include "lsp/LanguageServer.h"

#include <QFile>

// The language server on standard input and output.
int main()
{
    // The frames' CR LF and their byte counts go through as they are.
    useBinaryStandardStreams();
    keepServingWhenTheClientIsGone();
    QFile input;
    QFile output;
    // By descriptor and unbuffered: a buffered read would wait for more than
    // the client sends, and a buffered write would hold back the answer.
    if (!input.open(0, QIODevice::ReadOnly | QIODevice::Unbuffered)
        || !output.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    return lsp::serve(input, output);
}
