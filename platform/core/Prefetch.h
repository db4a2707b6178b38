// Asking for memory to be brought into the cache ahead of its use, where a large form's
// components are far from it.
#pragma once

#include <cstddef>
#include <cstdint>

// The address is a number: a prefetch never faults, whatever it names, and g++ drops one whose
// pointer it finds only behind a branch.
inline void Prefetch(std::uintptr_t address) {
#if defined(__GNUC__)
    __builtin_prefetch(reinterpret_cast<const void*>(address));
#else
    (void)address;
#endif
}

// Every cache line of the bytes at p.
inline void Prefetch(const void* p, std::size_t bytes) {
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    for (std::size_t line = 0; line < bytes; line += 64) Prefetch(start + line);
}
