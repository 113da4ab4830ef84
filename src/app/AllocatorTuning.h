#pragma once

// Keeps the heap from handing memory back to the system after every large free: the
// conversions of a 65,000-byte document allocate and free texts of over 128 KiB, and glibc's
// defaults map, unmap and fault those pages in again each time, several times slower. Nor
// does it hold small freed blocks aside for reuse, to be swept up at each large allocation.
void tuneAllocator();
