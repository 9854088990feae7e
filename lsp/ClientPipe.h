#pragma once

// A client that is gone shows as the end of the input; a write to it before
// then must not end the server unasked, so that it ends as the protocol says.
void keepServingWhenTheClientIsGone();
