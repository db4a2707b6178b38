// What a form file may ask of the reader and the writer.
#pragma once

#include <cstddef>

// The deepest nesting of components and values a form may have.
constexpr int kMaxNesting = 256;
// The most components a form file may create. Every component an owner holds is told of each
// one added after it, so the work of reading grows with the square of their number; forms
// hold some thousands at most.
constexpr std::size_t kMaxComponents = 8192;
// The largest text a binary form converts to, written as it is made; deep nesting indents
// every line, so a small binary form can ask for much text.
constexpr std::size_t kMaxTextSize = std::size_t{1} << 30;
