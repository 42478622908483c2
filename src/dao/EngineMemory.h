#pragma once

namespace dao {

// Gives the engine its memory before its first use: the blocks of its page caches come
// from huge pages and are kept for reuse, everything else from malloc. A sweep over a
// large register fills a 64 MB cache with a fresh 1 KB page at each read, and faulting
// those in 4 KB at a time cost a sixth of the sweep. Later calls do nothing.
void setUpEngineMemory();

} // namespace dao
