#include "EngineMemory.h"

#include "HugePages.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace dao {
namespace {

// Every block starts with its size and its class, so a free needs no search.
struct Header {
    int size;
    int slotClass; // -1: from malloc
    char padding[8];
};
static_assert(sizeof(Header) == 16);

// A cached page is its page plus the engine's page header, a little over 1 KB (the
// encrypted file) or 4 KB (the temporary one). Each 64-byte step has its own free list;
// the page buffers themselves (exactly 1 or 4 KB) and all other sizes go to malloc.
constexpr int kStep = 64;
constexpr int kStepsPerRange = 8;
constexpr std::array<int, 2> kRangeStarts{1024, 4096};

int slotClassOf(int size)
{
    for (size_t r = 0; r < kRangeStarts.size(); ++r) {
        const int over = size - kRangeStarts[r];
        if (over > 0 && over <= kStep * kStepsPerRange)
            return static_cast<int>(r) * kStepsPerRange + (over - 1) / kStep;
    }
    return -1;
}

int slotBytes(int slotClass)
{
    return kRangeStarts[static_cast<size_t>(slotClass / kStepsPerRange)] + (slotClass % kStepsPerRange + 1) * kStep
           + static_cast<int>(sizeof(Header));
}

// The slots are carved from huge-page chunks and never given back: the caches' size is
// bounded, and a closed connection's pages serve the next one.
struct Slots {
    std::mutex lock;
    std::array<void *, kRangeStarts.size() * kStepsPerRange> free{};
    std::vector<std::unique_ptr<char, void (*)(void *)>> chunks;
    char *next = nullptr;
    char *end = nullptr;

    void *take(int slotClass)
    {
        const std::lock_guard<std::mutex> guard(lock);
        void *&head = free[static_cast<size_t>(slotClass)];
        if (head) {
            void *slot = head;
            std::memcpy(&head, slot, sizeof(void *));
            return slot;
        }
        const int bytes = slotBytes(slotClass);
        if (end - next < bytes) {
            void *chunk = nullptr;
            try {
                chunk = hugepages::allocate(hugepages::PageSize);
            } catch (const std::bad_alloc &) {
                return nullptr;
            }
            chunks.emplace_back(static_cast<char *>(chunk), [](void *c) { hugepages::release(c); });
            next = static_cast<char *>(chunk);
            end = next + hugepages::PageSize;
        }
        void *slot = next;
        next += bytes;
        return slot;
    }

    void give(void *slot, int slotClass)
    {
        const std::lock_guard<std::mutex> guard(lock);
        void *&head = free[static_cast<size_t>(slotClass)];
        std::memcpy(slot, &head, sizeof(void *));
        head = slot;
    }
};

Slots &slots()
{
    // Never destroyed: a connection closed by another static's destructor still frees here.
    static Slots &s = *new Slots;
    return s;
}

void *engineMalloc(int size)
{
    if (size <= 0)
        return nullptr;
    const int slotClass = slotClassOf(size);
    void *block = slotClass < 0 ? std::malloc(sizeof(Header) + static_cast<size_t>(size)) : slots().take(slotClass);
    if (!block)
        return nullptr;
    auto *header = static_cast<Header *>(block);
    header->size = size;
    header->slotClass = slotClass;
    return header + 1;
}

Header *headerOf(void *p)
{
    return static_cast<Header *>(p) - 1;
}

void engineFree(void *p)
{
    if (!p)
        return;
    Header *header = headerOf(p);
    if (header->slotClass < 0)
        std::free(header);
    else
        slots().give(header, header->slotClass);
}

int engineSize(void *p)
{
    return p ? headerOf(p)->size : 0;
}

void *engineRealloc(void *p, int size)
{
    if (!p)
        return engineMalloc(size);
    Header *header = headerOf(p);
    if (header->slotClass >= 0 && slotClassOf(size) == header->slotClass) {
        header->size = size;
        return p;
    }
    if (header->slotClass < 0 && slotClassOf(size) < 0) {
        auto *moved = static_cast<Header *>(std::realloc(header, sizeof(Header) + static_cast<size_t>(size)));
        if (!moved)
            return nullptr;
        moved->size = size;
        return moved + 1;
    }
    void *copy = engineMalloc(size);
    if (!copy)
        return nullptr;
    std::memcpy(copy, p, static_cast<size_t>(std::min(size, header->size)));
    engineFree(p);
    return copy;
}

int engineRoundup(int size)
{
    return (size + 7) & ~7;
}

int engineInit(void *)
{
    return SQLITE_OK;
}

void engineShutdown(void *) {}

} // namespace

void setUpEngineMemory()
{
    static std::once_flag once;
    std::call_once(once, [] {
        static const sqlite3_mem_methods methods{engineMalloc, engineFree,   engineRealloc,  engineSize,
                                                 engineRoundup, engineInit, engineShutdown, nullptr};
        // Refused once the engine has started (by a connection opened elsewhere): it then
        // keeps malloc, which works the same.
        sqlite3_config(SQLITE_CONFIG_MALLOC, &methods);
    });
}

} // namespace dao
