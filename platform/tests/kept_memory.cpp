#include "kept_memory.h"

#include <cstdlib>
#include <new>

// The program's own operator new and delete (the standard allows replacing them): plain
// malloc and free, except that deletes are held back while a KeptMemory lives.

namespace {

constexpr int most_kept = 4096;
bool g_keeping = false;
void* g_kept[most_kept];
int g_keptCount = 0;

} // namespace

namespace zel::platform::test {

KeptMemory::KeptMemory() {
    g_keeping = true;
}

KeptMemory::~KeptMemory() {
    g_keeping = false;
    for (int i = 0; i < g_keptCount; ++i)
        std::free(g_kept[i]);
    g_keptCount = 0;
}

} // namespace zel::platform::test

void* operator new(std::size_t size) {
    if (void* p = std::malloc(size != 0 ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    if (g_keeping && p != nullptr && g_keptCount < most_kept) {
        g_kept[g_keptCount++] = p;
        return;
    }
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
