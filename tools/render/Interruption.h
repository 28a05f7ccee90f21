#pragma once

// Ctrl-C (SIGINT) and SIGTERM no longer end the process at once; they are noted instead, so a
// long job can stop at its next check and clean up after itself.
void CatchInterruptions();

// True once an interruption has been noted.
bool Interrupted();
