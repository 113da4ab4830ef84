#pragma once

#include <QByteArrayView>

namespace TextCheck {

// False for bytes that are not a text a person wrote: any NUL byte, or more than one byte in
// ten a control character other than tab, CR and LF.
bool looksLikeText(QByteArrayView bytes);

} // namespace TextCheck
