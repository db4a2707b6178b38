// The framework's own classes on the palette pages a design environment shows beside the
// packages' pages: "Standard" and "Additional".
#pragma once

namespace StdReg {

// Registers the framework's controls with RegisterComponents, one page at a time.
void Register();

}  // namespace StdReg
