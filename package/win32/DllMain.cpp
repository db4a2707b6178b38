// The module's loading on Windows: the loader calls the library's entry point with the
// module's handle and the reason, after the library's static objects are made (attach) and
// before they go (detach).
#include "package/Quillmereall.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    return Quillmereall::ModuleEntry(instance, reason, reserved);
}
