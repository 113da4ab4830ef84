#pragma once

#include <QThreadPool>

#include <cstdlib>
#include <utility>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

// Lets a worker destroy a large value, such as a whole document's lines and rows: freed string by
// string on the window's thread, they would hold it up for milliseconds. The value's data must be
// no one else's to change, which implicitly shared Qt containers guarantee.
template <typename T> void discardOnWorker(T value)
{
    QThreadPool::globalInstance()->start(
        [held = std::move(value)]() mutable { const T gone = std::move(held); });
}

// Gives the heap's free pages back to the system. The allocator is tuned to keep what is freed
// for the next allocation; after a large scratch that will not come again soon, that is memory
// held for nothing.
inline void releaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
