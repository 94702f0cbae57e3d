// Adding many flights at once, all or none: the new logbook is written
// whole and replaces the old one the way a removal does.
#include "logbook/Logbook.h"

namespace logbook {

AppendResult appendFlights(const std::string& path, records::ConstByteSpan flights,
                           records::FileError* why) {
    using records::FileError;
    FileError error = FileError::None;
    if (why) *why = FileError::None;
    auto f = records::RecordFile::openLocked(path, LogRecord::Size,
                                             records::RecordFile::Mode::ExistingOnly, &error);
    if (!f) {
        if (why) *why = error;
        if (error == FileError::Busy) return AppendResult::Busy;
        if (error == FileError::Missing || error == FileError::NotRegular)
            return AppendResult::NotALogbook;
        return AppendResult::WriteFailed;
    }
    // Checked under the lock, so nothing changes between the check and the
    // write. Every whole flight the file holds is kept, those saved but never
    // counted too, and the count is corrected, as a single append does.
    const Check c = checkOpen(*f);
    if (!c.ok()) return AppendResult::NotALogbook;
    const std::size_t count = flights.size() / LogRecord::Size;
    if (static_cast<std::size_t>(c.lastFlight) + count > static_cast<std::size_t>(MaxLastRecord))
        return AppendResult::Full;
    std::vector<records::Byte> content;
    content.reserve((static_cast<std::size_t>(c.lastFlight) + count) * LogRecord::Size);
    if (!f->read(1, content)) return AppendResult::WriteFailed;
    if (!scanOpen(*f, c, [&](std::int64_t, records::ConstByteSpan rec) {
            content.insert(content.end(), rec.begin(), rec.end());
        }))
        return AppendResult::WriteFailed;
    content.insert(content.end(), flights.begin(),
                   flights.begin() + static_cast<std::ptrdiff_t>(count * LogRecord::Size));
    records::putInt16(content, LogRecord::Offset::LastRecord,
                      static_cast<std::int16_t>(c.lastFlight + static_cast<std::int64_t>(count)));
    if (f->replaceContent(path, content, &error)) return AppendResult::Appended;
    if (why) *why = error;
    return error == FileError::Busy ? AppendResult::Busy : AppendResult::WriteFailed;
}

}  // namespace logbook
