#include "logbook/Ratings.h"

namespace logbook {
namespace {
std::int16_t flag(bool on) { return on ? 1 : 0; }
}  // namespace

Ratings ratingsFrom(const LogRecord& r) {
    Ratings g;
    g.student = r.CertStudent != 0;
    g.recreational = r.CertRecreational != 0;
    g.privatePilot = r.CertPrivate != 0;
    g.commercial = r.CertCommercial != 0;
    g.instructor = r.CertInstructor != 0;
    g.atp = r.CertATP != 0;
    g.technician = r.CertTechnician != 0;
    g.groundInstructor = r.CertGroundInstructor != 0;
    g.single = r.RateSingle != 0;
    g.seLand = r.RateSELand != 0;
    g.seSea = r.RateSESea != 0;
    g.multi = r.RateMulti != 0;
    g.meLand = r.RateMELand != 0;
    g.meSea = r.RateMESea != 0;
    g.multiLimited = r.RateMultiLimited != 0;
    g.instrument = r.RateInstrument != 0;
    g.rotorcraft = r.RateRotorcraft != 0;
    g.helicopter = r.Reserved298 != 0;
    g.gyroplane = r.Reserved300 != 0;
    g.glider = r.Reserved302 != 0;
    g.lighter = r.RateLighter != 0;
    g.airship = r.RateAirship != 0;
    g.balloon = r.RateBalloon != 0;
    g.general = r.RateGeneral != 0;
    g.powerplant = r.RatePowerplant != 0;
    g.airframe = r.RateAirframe != 0;
    g.giBasic = r.RateGIBasic != 0;
    g.giAdvanced = r.RateGIAdvanced != 0;
    g.giInstrument = r.RateGIInstrument != 0;
    g.other = r.RateOther != 0;
    g.otherRatings = r.OtherRatings.shown();
    g.typeRatings = {r.TypeRating1.shown(), r.TypeRating2.shown(), r.TypeRating3.shown(),
                     r.TypeRating4.shown(), r.TypeRating5.shown(), r.TypeRating6.shown()};
    return g;
}

void applyRatings(LogRecord& r, const Ratings& g) {
    r.CertStudent = flag(g.student);
    r.CertRecreational = flag(g.recreational);
    r.CertPrivate = flag(g.privatePilot);
    r.CertCommercial = flag(g.commercial);
    r.CertInstructor = flag(g.instructor);
    r.CertATP = flag(g.atp);
    r.CertTechnician = flag(g.technician);
    r.CertGroundInstructor = flag(g.groundInstructor);
    r.RateSingle = flag(g.single);
    r.RateSELand = flag(g.seLand);
    r.RateSESea = flag(g.seSea);
    r.RateMulti = flag(g.multi);
    r.RateMELand = flag(g.meLand);
    r.RateMESea = flag(g.meSea);
    r.RateMultiLimited = flag(g.multiLimited);
    r.RateInstrument = flag(g.instrument);
    r.RateRotorcraft = flag(g.rotorcraft);
    // The helicopter, gyroplane and glider boxes have no field of their own;
    // the three reserved rating fields keep them so a tick is not lost.
    r.Reserved298 = flag(g.helicopter);
    r.Reserved300 = flag(g.gyroplane);
    r.Reserved302 = flag(g.glider);
    r.RateLighter = flag(g.lighter);
    r.RateAirship = flag(g.airship);
    r.RateBalloon = flag(g.balloon);
    r.RateGeneral = flag(g.general);
    r.RatePowerplant = flag(g.powerplant);
    r.RateAirframe = flag(g.airframe);
    r.RateGIBasic = flag(g.giBasic);
    r.RateGIAdvanced = flag(g.giAdvanced);
    r.RateGIInstrument = flag(g.giInstrument);
    r.RateOther = flag(g.other);
    r.OtherRatings.assign(g.otherRatings);
    r.TypeRating1.assign(g.typeRatings[0]);
    r.TypeRating2.assign(g.typeRatings[1]);
    r.TypeRating3.assign(g.typeRatings[2]);
    r.TypeRating4.assign(g.typeRatings[3]);
    r.TypeRating5.assign(g.typeRatings[4]);
    r.TypeRating6.assign(g.typeRatings[5]);
}

}  // namespace logbook
