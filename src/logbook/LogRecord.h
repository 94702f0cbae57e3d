// The 420-byte logbook record. Record 1 of a logbook is the rating record
// (certificates, ratings, type ratings and LastRecord); records 2 to
// LastRecord are flights. One type serves both.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "records/Fields.h"

struct LogRecord {
    static constexpr std::size_t Size = 420;

    // Flight part (offsets 0 to 277).
    records::FixedText<15> Date;      // 0
    records::FixedText<15> Make;      // 15
    records::FixedText<10> Ident;     // 30
    records::FixedText<3> From;       // 40
    records::FixedText<3> To;         // 43
    records::FixedText<100> Remarks;  // 46
    float InstrApp = 0;               // 146
    float Landings = 0;               // 150
    std::int16_t Reserved154 = 0;     // 154
    std::int16_t CatMulti = 0;        // 156 option (-1/0)
    float XCountry = 0;               // 158
    float Day = 0;                    // 162
    float Night = 0;                  // 166
    float Instrument = 0;             // 170
    float SimInstrument = 0;          // 174
    float Simulator = 0;              // 178
    float Dual = 0;                   // 182
    float InCommand = 0;              // 186
    float Total = 0;                  // 190
    records::FixedText<10> AppType1;  // 194
    std::int16_t AppCount1 = 0;       // 204
    records::FixedText<10> AppType2;  // 206
    std::int16_t AppCount2 = 0;       // 216
    records::FixedText<10> AppType3;  // 218
    std::int16_t AppCount3 = 0;       // 228
    records::FixedText<10> AppType4;  // 230
    std::int16_t AppCount4 = 0;       // 240
    std::int16_t CatRotor = 0;        // 242 option
    std::int16_t CatAirship = 0;      // 244 option
    std::int16_t CatGlider = 0;       // 246 option
    float Ground = 0;                 // 248
    float SIC = 0;                    // 252
    float CFI = 0;                    // 256
    float CFII = 0;                   // 260
    float NightLand = 0;              // 264
    std::int16_t MELand = 0;          // 268 check (1/0)
    std::int16_t MESea = 0;           // 270
    std::int16_t SELand = 0;          // 272
    std::int16_t SESea = 0;           // 274
    std::int16_t CatSingle = 0;       // 276 option

    // Rating part (offsets 278 to 419).
    std::int16_t LastRecord = 0;            // 278
    std::int16_t RateSingle = 0;            // 280
    std::int16_t RateMulti = 0;             // 282
    std::int16_t RateSELand = 0;            // 284
    std::int16_t RateSESea = 0;             // 286
    std::int16_t RateMELand = 0;            // 288
    std::int16_t RateMESea = 0;             // 290
    std::int16_t RateMultiLimited = 0;      // 292
    std::int16_t RateInstrument = 0;        // 294
    std::int16_t RateRotorcraft = 0;        // 296
    std::int16_t Reserved298 = 0;           // 298 helicopter box
    std::int16_t Reserved300 = 0;           // 300 gyroplane box
    std::int16_t Reserved302 = 0;           // 302 glider box
    std::int16_t RateLighter = 0;           // 304
    std::int16_t RateAirship = 0;           // 306
    std::int16_t RateBalloon = 0;           // 308
    std::int16_t RateGeneral = 0;           // 310
    std::int16_t RatePowerplant = 0;        // 312
    std::int16_t RateAirframe = 0;          // 314
    std::int16_t RateGIBasic = 0;           // 316
    std::int16_t RateGIAdvanced = 0;        // 318
    std::int16_t RateGIInstrument = 0;      // 320
    std::int16_t RateOther = 0;             // 322
    records::FixedText<20> OtherRatings;    // 324
    std::int16_t CertStudent = 0;           // 344
    std::int16_t CertRecreational = 0;      // 346
    std::int16_t CertPrivate = 0;           // 348
    std::int16_t CertCommercial = 0;        // 350
    std::int16_t CertInstructor = 0;        // 352
    std::int16_t CertATP = 0;               // 354
    std::int16_t CertTechnician = 0;        // 356
    std::int16_t CertGroundInstructor = 0;  // 358
    records::FixedText<10> TypeRating1;     // 360
    records::FixedText<10> TypeRating2;     // 370
    records::FixedText<10> TypeRating3;     // 380
    records::FixedText<10> TypeRating4;     // 390
    records::FixedText<10> TypeRating5;     // 400
    records::FixedText<10> TypeRating6;     // 410

    std::array<records::Byte, Size> encode() const;
    // Any bytes decode; a shorter span reads as if zero-filled to 420, a
    // longer one is cut to its first 420 bytes.
    static LogRecord decode(records::ConstByteSpan bytes);
    // Only the Date field (offset 0, 15 bytes) of a record's bytes: what the
    // date list and the search by date need, without a full decode.
    static records::FixedText<15> decodeDate(records::ConstByteSpan bytes);
};

namespace logrecord_offsets {
constexpr std::size_t Date = 0;
constexpr std::size_t LastRecord = 278;
}  // namespace logrecord_offsets
