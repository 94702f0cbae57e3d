// Between the windows' Unicode texts and the records' Windows-1252 fields,
// and the system locale's number and date punctuation.
#pragma once

#include <QString>
#include <string>

#include "records/CodePage.h"
#include "records/DateText.h"
#include "records/Fields.h"
#include "records/NumberText.h"

namespace WindowText {

// Record bytes (Windows-1252) to a window text, ending at the first NUL.
QString fromBytes(const std::string& bytes);
template <std::size_t N>
QString fromField(const records::FixedText<N>& field) {
    return fromBytes(field.shown());
}
// Window text to Windows-1252 bytes ('?' for characters outside the page).
std::string toBytes(const QString& text);

// A file path from the windows (modLog's paths, a dialog's answer) as the
// record files take it: in the file system's encoding (QFile::encodeName),
// so names that are not UTF-8 open too.
std::string toPath(const QString& path);
template <std::size_t N>
records::FixedText<N> toField(const QString& text) {
    records::FixedText<N> f;
    f.assign(toBytes(text));
    return f;
}

// The system locale's conventions (QLocale::system()); tests may override.
records::NumberLocale numberLocale();
records::DateLocale dateLocale();
void setLocaleForTesting(const QString& localeName);  // "en_US", "de_DE"; empty = system

QString single(float value);  // formatSingle in the current locale
QString dbl(double value);    // formatDouble in the current locale (the load sheet's chart ticks)

// A multi-line box's text as a record stores it: every line break CR LF.
QString toStored(const QString& plainText);
// Stored text for a multi-line box: CR LF (and a lone CR from a file written
// elsewhere) back to line breaks.
QString fromStored(const QString& stored);
// Characters the box's text takes when stored (a line break counts two).
int storedLength(const QString& plainText);
// Stored text for a printed page: line breaks as breaks, no NULs, and no
// padding at the ends of lines (invisible on paper, it only makes cells wide).
QString pageText(const QString& stored);

}  // namespace WindowText
