// A paint allocates nothing once the canvas is set up: counted at malloc,
// through which operator new, SDL, iconv and the C library all allocate. The
// sanitizers replace malloc themselves, so there the test does not run.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "render/canvas.h"
#include "render_fixture.h"
#include "scenes.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define VELNO_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VELNO_SANITIZED 1
#endif

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

[[maybe_unused]] void note() {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
}
}  // namespace

#ifndef VELNO_SANITIZED
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* malloc(std::size_t size) {
    note();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    note();
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    note();
    return __libc_realloc(p, size);
}
}
#endif

namespace {

long allocationsDuring(SoftwareCanvas& canvas) {
    allocations = 0;
    counting = true;
    canvas.paint();
    counting = false;
    return allocations.load();
}

TEST(PaintAllocations, NoneOnceSetUp) {
#ifdef VELNO_SANITIZED
    GTEST_SKIP() << "malloc belongs to the sanitizer";
#endif
    SoftwareCanvas canvas;
    std::string error;
    canvas.init(error);
    loadStandIns(canvas.pictures());  // the same sizes whether or not the catalogue is there
    scenes::everyTableFull();
    canvas.invalidateAll();
    canvas.paint();  // the first paint may set things up inside the libraries

    canvas.invalidateAll();
    EXPECT_EQ(allocationsDuring(canvas), 0);

    scenes::play();
    for (int i = 0; i < 200; ++i) {
        canvas.invalidate(i * 3, i * 2, i * 3 + 16, i * 2 + 16);  // past the rectangle limit
    }
    EXPECT_EQ(allocationsDuring(canvas), 0);
    gameState.score = 7654321;  // new digits in the score line
    canvas.invalidate(HUD_RECT.left, HUD_RECT.top, HUD_RECT.right, HUD_RECT.bottom);
    EXPECT_EQ(allocationsDuring(canvas), 0);
    gameState = GameState{};
}

TEST(PaintAllocations, TheCounterSeesAllocations) {
    // Kept in volatile places, or the compiler would drop the pairs.
    static void* volatile kept;
    static int* volatile keptInt;
    counting = true;
    allocations = 0;
    kept = std::malloc(16);
    keptInt = new int(3);
    counting = false;
    std::free(kept);
    delete keptInt;
#ifdef VELNO_SANITIZED
    GTEST_SKIP() << "malloc belongs to the sanitizer";
#endif
    EXPECT_GE(allocations.load(), 2);
}

}  // namespace
