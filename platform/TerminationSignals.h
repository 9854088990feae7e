#pragma once

class QWidget;

// Makes SIGTERM and SIGINT close `window` the normal way (its close event
// runs, so the last message is saved). Where the platform has no such
// signals this does nothing.
void closeOnTerminationSignals(QWidget &window);
