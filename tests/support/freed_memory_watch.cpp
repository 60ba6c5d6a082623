#include "support/freed_memory_watch.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <malloc.h>

extern "C" {
void *__libc_malloc(size_t size);
void *__libc_realloc(void *block, size_t size);
void __libc_free(void *block);
}

namespace ombre::test {
namespace {

constexpr int kMaxPatterns = 4;

// Plain globals: the allocator hooks run before and after main and must not allocate.
std::atomic<bool> g_armed{false};
int g_patternCount = 0;
const char *g_patterns[kMaxPatterns];
std::size_t g_patternSizes[kMaxPatterns];
std::atomic<int> g_found[kMaxPatterns];

void inspect(const void *block)
{
    const std::size_t size = malloc_usable_size(const_cast<void *>(block));
    for (int i = 0; i < g_patternCount; ++i)
        if (memmem(block, size, g_patterns[i], g_patternSizes[i]))
            ++g_found[i];
}

} // namespace

FreedMemoryWatch::FreedMemoryWatch(std::initializer_list<QByteArrayView> patterns)
{
    g_patternCount = 0;
    for (QByteArrayView pattern : patterns) {
        if (g_patternCount == kMaxPatterns)
            break;
        const int i = g_patternCount++;
        // Kept outside the heap so that the watch never finds its own copies.
        static char storage[kMaxPatterns][256];
        const std::size_t size = std::min<std::size_t>(sizeof storage[i], static_cast<std::size_t>(pattern.size()));
        std::memcpy(storage[i], pattern.data(), size);
        g_patterns[i] = storage[i];
        g_patternSizes[i] = size;
        g_found[i] = 0;
    }
    g_armed = true;
}

FreedMemoryWatch::~FreedMemoryWatch()
{
    g_armed = false;
}

std::vector<int> FreedMemoryWatch::found() const
{
    std::vector<int> counts;
    for (int i = 0; i < g_patternCount; ++i)
        counts.push_back(g_found[i]);
    return counts;
}

} // namespace ombre::test

extern "C" void free(void *block)
{
    if (block && ombre::test::g_armed)
        ombre::test::inspect(block);
    __libc_free(block);
}

// A block that realloc moves is freed inside the C library, out of reach of free(): move it here.
extern "C" void *realloc(void *block, size_t size)
{
    if (!block || !ombre::test::g_armed)
        return __libc_realloc(block, size);
    void *moved = __libc_malloc(size);
    if (!moved)
        return nullptr;
    std::memcpy(moved, block, std::min(size, malloc_usable_size(block)));
    free(block);
    return moved;
}
