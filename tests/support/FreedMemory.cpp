#include "support/FreedMemory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>

namespace
{
std::atomic<bool> scribbling{false};

[[maybe_unused]] void release (void* block) noexcept
{
    if (block != nullptr && scribbling.load (std::memory_order_relaxed))
        std::memset (block, 0xdd, malloc_usable_size (block));

    std::free (block);
}
} // namespace

namespace testsupport
{
ScopedFreedMemoryScribbler::ScopedFreedMemoryScribbler()
{
    scribbling = true;
}

ScopedFreedMemoryScribbler::~ScopedFreedMemoryScribbler()
{
    scribbling = false;
}
} // namespace testsupport

#if !defined(__SANITIZE_ADDRESS__)
// The default operator new takes its memory from malloc.
void operator delete (void* block) noexcept
{
    release (block);
}

void operator delete (void* block, std::size_t) noexcept
{
    release (block);
}

void operator delete[] (void* block) noexcept
{
    release (block);
}

void operator delete[] (void* block, std::size_t) noexcept
{
    release (block);
}
#endif
