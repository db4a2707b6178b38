#include "controls/TClipboard.h"

std::string TClipboard::AsText() const {
    return FGet ? FGet() : FText;
}

void TClipboard::SetAsText(const std::string& text) {
    if (FSet)
        FSet(text);
    else
        FText = text;
}

void TClipboard::SetProvider(std::function<std::string()> get,
                             std::function<void(const std::string&)> set) {
    FGet = std::move(get);
    FSet = std::move(set);
}

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}
