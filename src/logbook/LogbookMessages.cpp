#include "logbook/LogbookMessages.h"

#include "logbook/Logbook.h"

namespace logbook {

std::string describe(const Check& c) {
    const std::string records = std::to_string(c.sizeBytes / LogRecord::Size);
    switch (c.problem) {
        case Problem::None:
            return "";
        case Problem::Missing:
            return "The file does not exist.";
        case Problem::NotRegular:
            return "It is not a regular file.";
        case Problem::Unreadable:
            return "The file cannot be read.";
        case Problem::Empty:
            return "The file is empty.";
        case Problem::PartialRecord:
            return "Its length of " + std::to_string(c.sizeBytes) +
                   " bytes is not a whole number of 420-byte logbook records.";
        case Problem::LastRecordBelowOne:
            return "Its first record gives " + std::to_string(c.lastRecord) +
                   " as the number of its last record, which must be at least 1.";
        case Problem::LastRecordBeyondEnd:
            return "Its first record names " + std::to_string(c.lastRecord) +
                   " records, but the file holds only " + records + ".";
    }
    return "";
}

}  // namespace logbook
