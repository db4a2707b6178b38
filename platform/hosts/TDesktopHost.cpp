#include "hosts/TDesktopHost.h"

// Defined here, so that the program and the window host library it loads share one type for
// each: an ENoDisplay raised in the library is caught as one in the program.
ENoDisplay::~ENoDisplay() = default;
TDesktopHost::~TDesktopHost() = default;
