#pragma once

#include "tests/support/XvfbServer.h"

// The test program's private X server, started before the first test and stopped after the
// last (a gtest environment); DISPLAY points at it meanwhile. Null outside a test run.
const XvfbServer* TestXvfb();
