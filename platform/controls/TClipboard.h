// The clipboard that edit boxes and design environments copy text to. It keeps its text in
// memory until a window host hands it the system's clipboard, which then holds the text.
// Text is code page 1252, as everywhere in the framework.
#pragma once

#include <functional>
#include <string>

class TClipboard {
public:
    std::string AsText() const;
    void SetAsText(const std::string& text);
    bool HasText() const { return !AsText().empty(); }

    // Where the text goes instead of memory: a host's system clipboard (both null: memory).
    void SetProvider(std::function<std::string()> get, std::function<void(const std::string&)> set);

private:
    std::string FText;
    std::function<std::string()> FGet;
    std::function<void(const std::string&)> FSet;
};

// The program's clipboard.
TClipboard& Clipboard();
