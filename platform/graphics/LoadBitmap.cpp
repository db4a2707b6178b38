// LoadBitmapA: a bitmap resource of a module, decoded by the framework's DIB reader.
#include "gdi/TBitmapImage.h"
#include "graphics/BmpCodec.h"
#include "modules/TModuleRecordImpl.h"
#include "win/WinApi.h"

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    if (!instance || !name) return nullptr;
    const TResourceEntry* r = instance->Find(RT_BITMAP, name, kLangEnglishUS);
    if (!r) return nullptr;
    try {
        return new TBitmapImage(BmpCodec::DecodeDib(r->Data, r->Size));
    } catch (const EInvalidGraphic&) {
        return nullptr;
    }
}
