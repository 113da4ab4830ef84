#pragma once

#include <QString>

#include <optional>

// One line of the document in list form.
struct Row {
    QString Key;
    QString Setting;
    QString Parameter;
    // The line the row was read from, exactly, as long as its texts are those read from it: a
    // row the user did not edit is written back as it was read, not rendered.
    std::optional<QString> Line = std::nullopt;

    friend bool operator==(const Row&, const Row&) = default;
};
// Moved as memory when a list of rows grows, as its strings are.
Q_DECLARE_TYPEINFO(Row, Q_RELOCATABLE_TYPE);
