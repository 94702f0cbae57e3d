#include "planner/PlanRecord.h"

#include <algorithm>
#include <type_traits>

namespace planner {
namespace {

template <class T>
constexpr std::size_t widthOf(const T&) {
    if constexpr (std::is_same_v<T, std::int16_t>)
        return 2;
    else
        return T::width;
}

// The offsets above must follow each other without a gap and fill the record.
constexpr bool layoutIsPacked() {
    PlanRecord r;
    std::size_t next = 0;
    bool packed = true;
    forEachField(r, [&](std::size_t off, auto& field) {
        if (off != next) packed = false;
        next = off + widthOf(field);
    });
    return packed && next == kPlanRecLen;
}
static_assert(layoutIsPacked(), "PlanRecord fields must tile 1006 bytes");

}  // namespace

std::array<records::Byte, kPlanRecLen> PlanRecord::encode() const {
    std::array<records::Byte, kPlanRecLen> out{};
    const records::ByteSpan span(out);
    forEachField(*this, [&](std::size_t off, const auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<T, std::int16_t>)
            records::putInt16(span, off, field);
        else
            records::putText(span, off, field);
    });
    return out;
}

PlanRecord PlanRecord::decode(records::ConstByteSpan bytes) {
    std::array<records::Byte, kPlanRecLen> buf{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), kPlanRecLen), buf.begin());
    const records::ConstByteSpan span(buf);
    PlanRecord r;
    forEachField(r, [&](std::size_t off, auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<T, std::int16_t>)
            field = records::getInt16(span, off);
        else
            field = records::getText<T::width>(span, off);
    });
    return r;
}

}  // namespace planner
