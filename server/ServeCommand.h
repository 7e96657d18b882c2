#pragma once

// `stel7-server serve`: the vendor's paths on the listen address, the report
// on the admin address, until SIGTERM or SIGINT. The caller blocks both
// signals in every thread first (BlockStopSignals) so that only the wait here
// takes them.

#include "server/Options.h"

namespace vendor {

void BlockStopSignals();

// The process's exit code: 0 after a clean stop, 1 when it could not start or serving failed.
int Serve(const ServeOptions& options);

}  // namespace vendor
