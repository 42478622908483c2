#pragma once

#include <cstddef>
#include <new>

// Memory for large blocks (a grid's rows, the engine's page cache), on transparent huge
// pages where the system offers them: a million-row fill touches a few hundred megabytes,
// and faulting them in 4 KB at a time costs as much as copying the rows. Small blocks come
// from malloc.
namespace hugepages {

constexpr std::size_t PageSize = std::size_t(2) << 20;

void *allocate(std::size_t bytes); // throws std::bad_alloc
void release(void *block) noexcept;

template <class T>
struct Allocator {
    using value_type = T;
    Allocator() = default;
    template <class U>
    Allocator(const Allocator<U> &) noexcept {}
    T *allocate(std::size_t n) { return static_cast<T *>(hugepages::allocate(n * sizeof(T))); }
    void deallocate(T *p, std::size_t) noexcept { release(p); }
    template <class U>
    bool operator==(const Allocator<U> &) const noexcept { return true; }
};

} // namespace hugepages
