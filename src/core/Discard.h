#pragma once

#include <QThreadPool>

#include <utility>

// Lets a worker destroy a large value, such as a whole document's lines and rows: freed string by
// string on the window's thread, they would hold it up for milliseconds. The value's data must be
// no one else's to change, which implicitly shared Qt containers guarantee.
template <typename T> void discardOnWorker(T value)
{
    QThreadPool::globalInstance()->start(
        [held = std::move(value)]() mutable { const T gone = std::move(held); });
}
