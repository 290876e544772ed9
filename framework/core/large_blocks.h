// Giving pages of a large block back to the system while the block stays allocated.
#pragma once

#include <cstddef>

// The whole 2 MiB ranges inside the Size bytes at Data are dropped: they read as zeros
// afterwards, or keep their bytes where the system cannot drop them. Only for bytes that are
// never read again. Platform seam.
void ReleaseLargeBlockPages(void* Data, size_t Size);
