#include "lsp/ClientPipe.h"

#include <csignal>

// A write to a closed pipe would raise SIGPIPE and end the process.
void keepServingWhenTheClientIsGone()
{
    std::signal(SIGPIPE, SIG_IGN);
}
