#include "tools/recorder/allocations.h"

#include <stddef.h>

#include <atomic>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GOR_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define GOR_ASAN 1
#endif

static std::atomic<bool> counting{false};
static std::atomic<long> counted{0}, live{0};

static void noteAllocation()
{
    live.fetch_add(1, std::memory_order_relaxed);
    if (counting.load(std::memory_order_relaxed))
        counted.fetch_add(1, std::memory_order_relaxed);
}

static void noteFree()
{
    live.fetch_sub(1, std::memory_order_relaxed);
}

#ifdef GOR_ASAN
// The sanitizer runtime's own allocation hooks (its header ships with clang only).
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*onMalloc)(const volatile void *, size_t), void (*onFree)(const volatile void *));

static void onMalloc(const volatile void *, size_t) { noteAllocation(); }
static void onFree(const volatile void *) { noteFree(); }
static const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
#else
extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);
extern "C" void __libc_free(void *);
extern "C" void *__libc_memalign(size_t, size_t);

static void *noted(void *p)
{
    if (p)
        noteAllocation();
    return p;
}

extern "C" void *malloc(size_t n) { return noted(__libc_malloc(n)); }
extern "C" void *calloc(size_t n, size_t size) { return noted(__libc_calloc(n, size)); }

// A resize counts as one allocation made; a block moved or resized in place stays one
// live block.
extern "C" void *realloc(void *old, size_t n)
{
    void *p = __libc_realloc(old, n);
    if (!old && p)
        live.fetch_add(1, std::memory_order_relaxed);
    else if (old && !p && n == 0)
        noteFree();
    if (p && counting.load(std::memory_order_relaxed))
        counted.fetch_add(1, std::memory_order_relaxed);
    return p;
}

extern "C" void *memalign(size_t alignment, size_t n)
{
    return noted(__libc_memalign(alignment, n));
}

extern "C" void *aligned_alloc(size_t alignment, size_t n)
{
    return memalign(alignment, n);
}

extern "C" int posix_memalign(void **out, size_t alignment, size_t n)
{
    void *p = memalign(alignment, n);
    if (!p)
        return 12;   // ENOMEM
    *out = p;
    return 0;
}

extern "C" void free(void *p)
{
    if (p)
        noteFree();
    __libc_free(p);
}
#endif

void startCountingAllocations()
{
#ifdef GOR_ASAN
    (void)hooksInstalled;
#endif
    counted = 0;
    counting = true;
}

long stopCountingAllocations()
{
    counting = false;
    return counted;
}

long liveAllocations()
{
    return live;
}
