#include "core/TextCheck.h"

namespace TextCheck {

bool looksLikeText(QByteArrayView bytes)
{
    qsizetype controls = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0)
            return false;
        if ((byte < 0x20 || byte == 0x7f) && byte != '\t' && byte != '\r' && byte != '\n')
            ++controls;
    }
    return controls * 10 <= bytes.size();
}

} // namespace TextCheck
