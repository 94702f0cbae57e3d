#include "logbook/LogbookMessages.h"

#include "logbook/Logbook.h"

namespace logbook {

std::string describe(const Check& c) {
    switch (c.problem) {
        case LogbookFault::None:
            return "";
        case LogbookFault::Missing:
            return "The file does not exist.";
        case LogbookFault::NotRegular:
            return "It is not a regular file.";
        case LogbookFault::Unreadable:
            return "The file cannot be read.";
        case LogbookFault::Empty:
            return "The file is empty.";
        case LogbookFault::PartialRecord:
            return "Its length does not fit a logbook, so it holds something else.";
        case LogbookFault::LastRecordBelowOne:
            return "The count of flights at its start is damaged, so Aerokit cannot tell where "
                   "its flights are. \"aerokit-convert repair\" can make a repaired copy of it.";
        case LogbookFault::LastRecordBeyondEnd:
            return "It does not look like a logbook: what should be its count of flights does not "
                   "fit the file.";
    }
    return "";
}

namespace {
std::string flights(std::int64_t n) {
    return std::to_string(n) + (n == 1 ? " flight" : " flights");
}
}  // namespace

std::string damageNotice(const Check& c) {
    if (!c.ok()) return "";
    const std::int64_t said = c.lastRecord - 1;
    const std::int64_t held = c.lastFlight - 1;
    const std::string corrected = "The count is corrected when you next add or remove a flight.";
    if (c.lastRecord > c.lastFlight) {
        // Flights the count names are missing from the file: a copy cut
        // short, or a save that stopped. A partial flight at the end is one
        // of them.
        const std::int64_t lost = said - held;
        if (held == 0)
            return "This logbook says it holds " + flights(said) +
                   ", but none of them are in the file; they cannot be recovered from it. " +
                   corrected;
        return "This logbook says it holds " + flights(said) + ", but only " +
               std::to_string(held) + (held == 1 ? " is" : " are") + " in the file; the other " +
               (lost == 1 ? std::string("one cannot") : std::to_string(lost) + " cannot") +
               " be recovered from it. Aerokit shows the " + flights(held) + ". " + corrected;
    }
    std::string notice;
    if (c.lastFlight > c.lastRecord) {
        const std::int64_t extra = held - said;
        notice = "This logbook says it holds " + flights(said) + ", but " + flights(extra) +
                 " more " + (extra == 1 ? "was" : "were") +
                 " saved in it without being counted (a save that was cut off). Aerokit shows "
                 "them after the others as recovered flights; they are counted when you next add "
                 "or remove a flight.";
    }
    if (c.partialBytes() != 0) {
        notice += std::string(notice.empty() ? "The end of this logbook" : " The end of the file") +
                  " holds part of a flight whose save was cut off; it cannot be recovered and is "
                  "removed when you next add or remove a flight.";
    }
    return notice;
}

}  // namespace logbook
