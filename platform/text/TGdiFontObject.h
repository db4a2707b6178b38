// The object behind a font handle: the rendered face the logical font resolves to.
#pragma once

#include <memory>

#include "text/TFontInstance.h"

class TGdiFontObject {
public:
    explicit TGdiFontObject(std::shared_ptr<const TFontInstance> instance)
        : Instance(std::move(instance)) {}

    const std::shared_ptr<const TFontInstance> Instance;
};

// The logical font a LOGFONTA asks for: its face name (at most LF_FACESIZE - 1 characters, as
// the structure holds), height, weight (bold from 600 up), style, character set, pitch and
// quality (antialiased only when asked for).
TLogFont LogFontFrom(const LOGFONTA& font);
