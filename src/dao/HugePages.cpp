#include "HugePages.h"

#include <cstdlib>

#include <sys/mman.h>

namespace hugepages {

void *allocate(std::size_t bytes)
{
    if (bytes < PageSize) {
        if (void *block = std::malloc(bytes ? bytes : 1))
            return block;
        throw std::bad_alloc();
    }
    const std::size_t size = (bytes + PageSize - 1) / PageSize * PageSize;
    void *block = std::aligned_alloc(PageSize, size);
    if (!block)
        throw std::bad_alloc();
    // Only advice: without huge pages the block works the same.
    madvise(block, size, MADV_HUGEPAGE);
    return block;
}

void release(void *block) noexcept
{
    std::free(block);
}

} // namespace hugepages
