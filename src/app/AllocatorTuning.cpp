#include "app/AllocatorTuning.h"

#include <cstdlib> // says whether the C library is glibc
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void tuneAllocator()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 16 * 1024 * 1024);
    // Small blocks freed go back to the heap's bins at once: kept in glibc's fast bins, they
    // were swept whole at every large allocation, a sixth of a conversion's time.
    mallopt(M_MXFAST, 0);
#endif
}
