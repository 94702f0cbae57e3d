#include "logbook/LogRecord.h"

#include <algorithm>

using namespace records;

FixedText<15> LogRecord::decodeDate(ConstByteSpan bytes) {
    FixedText<15> t;
    const std::size_t n = std::min(bytes.size(), t.width);
    for (std::size_t i = 0; i < n; ++i) t.bytes[i] = static_cast<char>(bytes[i]);
    return t;
}
