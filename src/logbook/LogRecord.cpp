#include "logbook/LogRecord.h"

#include <algorithm>
#include <type_traits>

using namespace records;

namespace {

// The one list of fields with their byte offsets, shared by encode and
// decode so the two can never disagree.
template <class Rec, class F>
constexpr void eachField(Rec& r, F&& f) {
    f(0, r.Date);
    f(15, r.Make);
    f(30, r.Ident);
    f(40, r.From);
    f(43, r.To);
    f(46, r.Remarks);
    f(146, r.InstrApp);
    f(150, r.Landings);
    f(154, r.Reserved154);
    f(156, r.CatMulti);
    f(158, r.XCountry);
    f(162, r.Day);
    f(166, r.Night);
    f(170, r.Instrument);
    f(174, r.SimInstrument);
    f(178, r.Simulator);
    f(182, r.Dual);
    f(186, r.InCommand);
    f(190, r.Total);
    f(194, r.AppType1);
    f(204, r.AppCount1);
    f(206, r.AppType2);
    f(216, r.AppCount2);
    f(218, r.AppType3);
    f(228, r.AppCount3);
    f(230, r.AppType4);
    f(240, r.AppCount4);
    f(242, r.CatRotor);
    f(244, r.CatAirship);
    f(246, r.CatGlider);
    f(248, r.Ground);
    f(252, r.SIC);
    f(256, r.CFI);
    f(260, r.CFII);
    f(264, r.NightLand);
    f(268, r.MELand);
    f(270, r.MESea);
    f(272, r.SELand);
    f(274, r.SESea);
    f(276, r.CatSingle);
    f(278, r.LastRecord);
    f(280, r.RateSingle);
    f(282, r.RateMulti);
    f(284, r.RateSELand);
    f(286, r.RateSESea);
    f(288, r.RateMELand);
    f(290, r.RateMESea);
    f(292, r.RateMultiLimited);
    f(294, r.RateInstrument);
    f(296, r.RateRotorcraft);
    f(298, r.Reserved298);
    f(300, r.Reserved300);
    f(302, r.Reserved302);
    f(304, r.RateLighter);
    f(306, r.RateAirship);
    f(308, r.RateBalloon);
    f(310, r.RateGeneral);
    f(312, r.RatePowerplant);
    f(314, r.RateAirframe);
    f(316, r.RateGIBasic);
    f(318, r.RateGIAdvanced);
    f(320, r.RateGIInstrument);
    f(322, r.RateOther);
    f(324, r.OtherRatings);
    f(344, r.CertStudent);
    f(346, r.CertRecreational);
    f(348, r.CertPrivate);
    f(350, r.CertCommercial);
    f(352, r.CertInstructor);
    f(354, r.CertATP);
    f(356, r.CertTechnician);
    f(358, r.CertGroundInstructor);
    f(360, r.TypeRating1);
    f(370, r.TypeRating2);
    f(380, r.TypeRating3);
    f(390, r.TypeRating4);
    f(400, r.TypeRating5);
    f(410, r.TypeRating6);
}

template <class T>
struct IsFixedText : std::false_type {};
template <std::size_t N>
struct IsFixedText<FixedText<N>> : std::true_type {};

template <class T>
constexpr std::size_t widthOf() {
    if constexpr (IsFixedText<T>::value)
        return T::width;
    else
        return sizeof(T) == 4 ? 4 : 2;
}

// Checks at compile time that the fields tile the 420 bytes exactly, in
// order, without gaps or overlaps.
struct LayoutCheck {
    std::size_t next = 0;
    bool ok = true;
    template <class T>
    constexpr void operator()(std::size_t off, const T&) {
        if (off != next) ok = false;
        next = off + widthOf<T>();
    }
};
constexpr bool layoutTiles() {
    LogRecord r{};
    LayoutCheck c;
    eachField(r, c);
    return c.ok && c.next == LogRecord::Size;
}
static_assert(layoutTiles(), "LogRecord fields must cover 420 bytes in order");

}  // namespace

std::array<Byte, LogRecord::Size> LogRecord::encode() const {
    std::array<Byte, Size> out{};
    ByteSpan s(out);
    eachField(*this, [&](std::size_t off, const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (IsFixedText<T>::value)
            putText(s, off, v);
        else if constexpr (std::is_same_v<T, float>)
            putFloat(s, off, v);
        else
            putInt16(s, off, v);
    });
    return out;
}

LogRecord LogRecord::decode(ConstByteSpan bytes) {
    std::array<Byte, Size> buf{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), Size), buf.begin());
    ConstByteSpan s(buf);
    LogRecord r;
    eachField(r, [&](std::size_t off, auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (IsFixedText<T>::value)
            v = getText<T::width>(s, off);
        else if constexpr (std::is_same_v<T, float>)
            v = getFloat(s, off);
        else
            v = getInt16(s, off);
    });
    return r;
}

FixedText<15> LogRecord::decodeDate(ConstByteSpan bytes) {
    FixedText<15> t;
    const std::size_t n = std::min(bytes.size(), t.width);
    for (std::size_t i = 0; i < n; ++i) t.bytes[i] = static_cast<char>(bytes[i]);
    return t;
}
