#pragma once

#include <QString>

// One line of the document in list form.
struct Row {
    QString Key;
    QString Setting;
    QString Parameter;

    friend bool operator==(const Row&, const Row&) = default;
};
