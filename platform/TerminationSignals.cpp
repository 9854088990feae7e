#include "platform/TerminationSignals.h"

void closeOnTerminationSignals(QWidget &)
{
}
