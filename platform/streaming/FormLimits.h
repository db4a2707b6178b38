// What a form file may ask of the reader and the writer. Reading costs the same for each
// component however many a form holds; these limits only keep a hostile file from taking the
// machine's memory or stack, far above what any form a person or a program designs needs.
#pragma once

#include <cstddef>

// The deepest nesting of components and values a form may have.
constexpr int kMaxNesting = 256;
// The most components a form file may create. A control read from a form takes about two
// kilobytes, so a form at the limit takes about two gigabytes: a form of a million controls
// reads where the machine has that memory.
constexpr std::size_t kMaxComponents = std::size_t{1} << 20;
// The largest form, text or binary, that is read.
constexpr std::size_t kMaxFormBytes = std::size_t{1} << 30;
// The largest text a binary form converts to, written as it is made; deep nesting indents
// every line, so a small binary form can ask for much text.
constexpr std::size_t kMaxTextSize = std::size_t{1} << 30;
