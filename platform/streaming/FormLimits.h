// What a form file may ask of the reader and the writer.
#pragma once

#include <cstddef>

// The deepest nesting of components and values a form may have.
constexpr int kMaxNesting = 256;
// The most components a form file may create. Every component an owner holds is told of each
// one added after it, so the work of reading grows with the square of their number; forms
// hold some thousands at most.
constexpr std::size_t kMaxComponents = 8192;
