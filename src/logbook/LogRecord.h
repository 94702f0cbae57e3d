// The 420-byte logbook record. Record 1 of a logbook is the rating record
// (certificates, ratings, type ratings and LastRecord); records 2 to
// LastRecord are flights. One type serves both.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "records/Fields.h"
#include "records/Layout.h"

// The one list of the record's fields: name, offset, kind, width.
// Options store -1/0, checks 1/0.
#define LOGRECORD_FIELDS(F)                                        \
    /* Flight part (offsets 0 to 277): records 2 to LastRecord. */ \
    F(Date, 0, Text, 15)                                           \
    F(Make, 15, Text, 15)                                          \
    F(Ident, 30, Text, 10)                                         \
    F(From, 40, Text, 3)                                           \
    F(To, 43, Text, 3)                                             \
    F(Remarks, 46, Text, 100)                                      \
    F(InstrApp, 146, Float32, 4)                                   \
    F(Landings, 150, Float32, 4)                                   \
    F(Reserved154, 154, Int16, 2)                                  \
    F(CatMulti, 156, Int16, 2) /* option (-1/0) */                 \
    F(XCountry, 158, Float32, 4)                                   \
    F(Day, 162, Float32, 4)                                        \
    F(Night, 166, Float32, 4)                                      \
    F(Instrument, 170, Float32, 4)                                 \
    F(SimInstrument, 174, Float32, 4)                              \
    F(Simulator, 178, Float32, 4)                                  \
    F(Dual, 182, Float32, 4)                                       \
    F(InCommand, 186, Float32, 4)                                  \
    F(Total, 190, Float32, 4)                                      \
    F(AppType1, 194, Text, 10)                                     \
    F(AppCount1, 204, Int16, 2)                                    \
    F(AppType2, 206, Text, 10)                                     \
    F(AppCount2, 216, Int16, 2)                                    \
    F(AppType3, 218, Text, 10)                                     \
    F(AppCount3, 228, Int16, 2)                                    \
    F(AppType4, 230, Text, 10)                                     \
    F(AppCount4, 240, Int16, 2)                                    \
    F(CatRotor, 242, Int16, 2)   /* option */                      \
    F(CatAirship, 244, Int16, 2) /* option */                      \
    F(CatGlider, 246, Int16, 2)  /* option */                      \
    F(Ground, 248, Float32, 4)                                     \
    F(SIC, 252, Float32, 4)                                        \
    F(CFI, 256, Float32, 4)                                        \
    F(CFII, 260, Float32, 4)                                       \
    F(NightLand, 264, Float32, 4)                                  \
    F(MELand, 268, Int16, 2) /* check (1/0) */                     \
    F(MESea, 270, Int16, 2)                                        \
    F(SELand, 272, Int16, 2)                                       \
    F(SESea, 274, Int16, 2)                                        \
    F(CatSingle, 276, Int16, 2) /* option */                       \
    /* Rating part (offsets 278 to 419): record 1. */              \
    F(LastRecord, 278, Int16, 2)                                   \
    F(RateSingle, 280, Int16, 2)                                   \
    F(RateMulti, 282, Int16, 2)                                    \
    F(RateSELand, 284, Int16, 2)                                   \
    F(RateSESea, 286, Int16, 2)                                    \
    F(RateMELand, 288, Int16, 2)                                   \
    F(RateMESea, 290, Int16, 2)                                    \
    F(RateMultiLimited, 292, Int16, 2)                             \
    F(RateInstrument, 294, Int16, 2)                               \
    F(RateRotorcraft, 296, Int16, 2)                               \
    F(Reserved298, 298, Int16, 2) /* helicopter box */             \
    F(Reserved300, 300, Int16, 2) /* gyroplane box */              \
    F(Reserved302, 302, Int16, 2) /* glider box */                 \
    F(RateLighter, 304, Int16, 2)                                  \
    F(RateAirship, 306, Int16, 2)                                  \
    F(RateBalloon, 308, Int16, 2)                                  \
    F(RateGeneral, 310, Int16, 2)                                  \
    F(RatePowerplant, 312, Int16, 2)                               \
    F(RateAirframe, 314, Int16, 2)                                 \
    F(RateGIBasic, 316, Int16, 2)                                  \
    F(RateGIAdvanced, 318, Int16, 2)                               \
    F(RateGIInstrument, 320, Int16, 2)                             \
    F(RateOther, 322, Int16, 2)                                    \
    F(OtherRatings, 324, Text, 20)                                 \
    F(CertStudent, 344, Int16, 2)                                  \
    F(CertRecreational, 346, Int16, 2)                             \
    F(CertPrivate, 348, Int16, 2)                                  \
    F(CertCommercial, 350, Int16, 2)                               \
    F(CertInstructor, 352, Int16, 2)                               \
    F(CertATP, 354, Int16, 2)                                      \
    F(CertTechnician, 356, Int16, 2)                               \
    F(CertGroundInstructor, 358, Int16, 2)                         \
    F(TypeRating1, 360, Text, 10)                                  \
    F(TypeRating2, 370, Text, 10)                                  \
    F(TypeRating3, 380, Text, 10)                                  \
    F(TypeRating4, 390, Text, 10)                                  \
    F(TypeRating5, 400, Text, 10)                                  \
    F(TypeRating6, 410, Text, 10)

struct LogRecord {
    static constexpr std::size_t Size = 420;

    AEROKIT_RECORD_FIELDS(LOGRECORD_FIELDS)

    std::array<records::Byte, Size> encode() const { return records::encodeRecord(*this); }
    // Any bytes decode; a shorter span reads as if zero-filled to 420, a
    // longer one is cut to its first 420 bytes.
    static LogRecord decode(records::ConstByteSpan bytes) {
        return records::decodeRecord<LogRecord>(bytes);
    }
};

static_assert(records::tiles(LogRecord::kFields, LogRecord::Size),
              "LogRecord fields must tile its 420 bytes in order");

// The record's fields by name, for code that walks them (the converter).
inline constexpr records::RecordLayout kLogRecordLayout{"LogRecord", LogRecord::Size,
                                                        LogRecord::kFields};
