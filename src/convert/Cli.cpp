#include "convert/Cli.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include "convert/Check.h"
#include "convert/Culture.h"
#include "convert/Dump.h"
#include "convert/Layouts.h"
#include "convert/LogCsv.h"
#include "logbook/Logbook.h"
#include "records/Clock.h"
#include "records/FileMessages.h"
#include "records/NewFile.h"
#include "records/RecordFile.h"
#include "shell/VersionNumbers.h"

namespace convert {
namespace {

constexpr const char* kProgram = "aerokit-convert";

const char* const kUsage =
    "Usage: aerokit-convert export LOGBOOK.log [-o FILE] [--to PROGRAM] [--locale NAME]\n"
    "                                 [--strict]\n"
    "       aerokit-convert import FILE LOGBOOK.log [--from PROGRAM] [--decimal-comma]\n"
    "                                 [--strict] [--append | --ratings FROM.log]\n"
    "       aerokit-convert dump FILE [--type log|plan|aircraft] [-o FILE.json]\n"
    "       aerokit-convert restore FILE.json OUTFILE\n"
    "       aerokit-convert check FILE [--type log|plan|aircraft]\n"
    "       aerokit-convert repair FILE COPY [--type log|plan|aircraft]\n"
    "       aerokit-convert --help | --version\n";

const char* const kHelp =
    "Moves Aerokit's logbooks to and from other logbook programs and CSV, and any\n"
    "Aerokit file to and from JSON. PROGRAM is csv (Aerokit's own CSV, every field\n"
    "exact), myflightbook, foreflight or logten (LogTen Pro, import only).\n"
    "\n"
    "  export LOGBOOK.log [-o FILE] [--to PROGRAM] [--locale NAME] [--strict]\n"
    "      One row per flight in the program's layout (default: csv). Date is\n"
    "      written as YYYY-MM-DD where the typed date converts by the date order\n"
    "      of the locale NAME (en_US, de_DE, ..., or mdy, dmy, ymd); \"Date As\n"
    "      Typed\" keeps the text as typed. The locale also decides the decimal\n"
    "      mark, and with it the separator: a decimal comma goes with \";\".\n"
    "      Default: the user's locale (LC_ALL, LC_NUMERIC, LANG).\n"
    "  import FILE LOGBOOK.log [--from PROGRAM] [--decimal-comma] [--strict]\n"
    "                          [--append | --ratings FROM.log]\n"
    "      Builds the flights as the flight entry window does from the same values\n"
    "      and writes them to a new logbook (never over an existing file), its\n"
    "      certificates and ratings blank or copied from the logbook FROM.log; or,\n"
    "      with --append, adds them all to an existing one at once. The program\n"
    "      is recognised from the file unless --from names it; the separator (\",\",\n"
    "      \";\" or tab) from the header line, and a decimal comma from the numbers\n"
    "      unless --decimal-comma says so. Any bad row, or a file without a date\n"
    "      and a total time column, stops the import and nothing is written. Rows\n"
    "      whose cells are all empty are skipped.\n"
    "  dump FILE [--type log|plan|aircraft] [-o FILE.json]\n"
    "      Every record of a logbook, plan file, Personal.nfo or aircraft file as\n"
    "      JSON, every field by name. The type comes from the extension (.log,\n"
    "      .flt, .nfo, .pln) unless --type is given.\n"
    "  restore FILE.json OUTFILE\n"
    "      The file back from its dump, byte for byte (never over an existing file).\n"
    "  check FILE [--type log|plan|aircraft]\n"
    "      Lists every inconsistency of a logbook, plan file, Personal.nfo or aircraft\n"
    "      file with its record and field; exit status 0 when there is none.\n"
    "  repair FILE COPY [--type log|plan|aircraft]\n"
    "      Writes a repaired copy (never over an existing file, never in place) and\n"
    "      says what it changed and what it left.\n"
    "\n"
    "  -o, --output FILE   where export and dump write (default: standard output)\n"
    "      --strict        every value that would change on the way is an error,\n"
    "                      and nothing is written (without it: one warning per\n"
    "                      kind of change, with its count and first rows)\n"
    "  -h, --help          this text\n"
    "      --version       the program's version\n"
    "\n"
    "A FILE of - is standard input or output. Exit status: 0 done, 1 a file is\n"
    "missing, unreadable, not of its kind, holds a bad value or is in the way,\n"
    "2 the command line is wrong. See aerokit-convert(1).\n";

// The most a file read here may hold: far more than any logbook's CSV, so
// that a file that never ends (a device, a pipe left open) stops the read.
constexpr std::size_t kMaxInput = std::size_t{256} << 20;

struct Usage {
    std::string message;
};

struct Args {
    std::string command;
    std::vector<std::string> positional;
    std::optional<std::string> output, locale, type, ratings, to, from;
    bool append = false, strict = false, decimalComma = false;
};

Args parseArgs(const std::vector<std::string>& args) {
    Args a;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnd || arg == "-" || arg.empty() || arg[0] != '-') {
            if (a.command.empty())
                a.command = arg;
            else
                a.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (arg.starts_with("--")) {
            if (const auto eq = arg.find('='); eq != std::string::npos) {
                inlineValue = arg.substr(eq + 1);
                arg.resize(eq);
            }
        }
        auto value = [&](std::optional<std::string>& slot) {
            if (inlineValue) {
                slot = *inlineValue;
            } else if (i + 1 < args.size()) {
                slot = args[++i];
            } else {
                throw Usage{"option " + arg + " needs a value"};
            }
        };
        if (arg == "-o" || arg == "--output")
            value(a.output);
        else if (arg == "--locale")
            value(a.locale);
        else if (arg == "--type")
            value(a.type);
        else if (arg == "--ratings")
            value(a.ratings);
        else if (arg == "--to")
            value(a.to);
        else if (arg == "--from")
            value(a.from);
        else if (arg == "--append" && !inlineValue)
            a.append = true;
        else if (arg == "--strict" && !inlineValue)
            a.strict = true;
        else if (arg == "--decimal-comma" && !inlineValue)
            a.decimalComma = true;
        else if ((arg == "-h" || arg == "--help") && !inlineValue)
            a.command = "--help";
        else if (arg == "--version" && !inlineValue)
            a.command = "--version";
        else
            throw Usage{"unknown option \"" + args[i] + "\""};
    }
    return a;
}

// Reads all of a descriptor, at most kMaxInput bytes.
bool readDescriptor(int fd, std::string& s, std::string& error) {
    char buf[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            error = std::string("cannot be read: ") + std::strerror(errno);
            return false;
        }
        if (s.size() + static_cast<std::size_t>(n) > kMaxInput) {
            error = "is larger than any file this program reads (256 MB); it is not read";
            return false;
        }
        s.append(buf, static_cast<std::size_t>(n));
    }
}

class Command {
  public:
    Command(std::istream& in, std::ostream& out, std::ostream& err)
        : in_(in), out_(out), err_(err) {}

    int fail(const std::string& file, const std::string& what) {
        err_ << kProgram << ": " << (file == "-" ? "standard input" : file) << ": " << what << "\n";
        return kBadData;
    }

    std::optional<std::string> input(const std::string& path) {
        std::string error;
        auto s = readInput(path, in_, error);
        if (!s) fail(path, error);
        return s;
    }

    // Writes a new file, or standard output for "-".
    int output(const std::string& path, std::string_view content) {
        if (path == "-") {
            out_.write(content.data(), static_cast<std::streamsize>(content.size()));
            out_.flush();
            if (!out_) return fail("-", "standard output cannot be written");
            return kOk;
        }
        const auto made = records::createNewFile(path, content);
        if (made) return kOk;
        return fail(path, records::failureReason("the file", made.failure()));
    }

    std::string shown(const std::string& path) const {
        return path == "-" ? "standard input" : path;
    }

    // Prints the changes as warnings; under --strict as errors, and then
    // nothing is to be written (false).
    bool reportChanges(const std::string& file, const Report& changes, bool strict) {
        if (changes.empty()) return true;
        for (const std::string& line : changes.lines())
            err_ << kProgram << ": " << file << ": " << (strict ? "" : "warning: ") << line << "\n";
        if (strict)
            err_ << kProgram << ": " << file
                 << ": --strict: values would change on the way; nothing was written\n";
        return !strict;
    }

    int exportCmd(const Args& a) {
        if (a.positional.size() != 1) throw Usage{"export takes one logbook"};
        if (a.type || a.append || a.ratings || a.from || a.decimalComma)
            throw Usage{"export takes no --type, --append, --ratings, --from or --decimal-comma"};
        ExportOptions options;
        if (a.to) {
            const auto to = formatNamed(*a.to);
            if (!to || !formatOf(*to).writable)
                throw Usage{"--to is csv, myflightbook or foreflight, not \"" + *a.to + "\""};
            options.to = *to;
        }
        std::string dateLocale, numberLocale;
        if (a.locale) {
            dateLocale = numberLocale = *a.locale;
        } else {
            auto firstSet = [](std::initializer_list<const char*> vars) {
                for (const char* var : vars) {
                    const char* v = std::getenv(var);
                    if (v && *v) return std::string(v);
                }
                return std::string();
            };
            dateLocale = firstSet({"LC_ALL", "LC_TIME", "LANG"});
            numberLocale = firstSet({"LC_ALL", "LC_NUMERIC", "LANG"});
        }
        const auto order = dateOrderOfLocale(dateLocale);
        if (!order && a.locale) throw Usage{"\"" + *a.locale + "\" is no locale name"};
        options.dates.order = order.value_or(records::DateOrder::MDY);
        options.decimalMark =
            dateOrderOfLocale(numberLocale) ? decimalMarkOfLocale(numberLocale) : '.';
        const std::string& path = a.positional[0];
        const auto bytes = input(path);
        if (!bytes) return kBadData;
        int year = 0, month = 0, day = 0;
        records::civilFromDays(records::today(), year, month, day);
        options.currentYear = year;
        const ExportResult r = exportFlights(*bytes, options);
        if (!r.text) return fail(path, "no logbook: " + r.error);
        if (!r.notice.empty()) err_ << kProgram << ": " << shown(path) << ": " << r.notice << "\n";
        if (!reportChanges(shown(path), r.changes, a.strict)) return kBadData;
        return output(a.output.value_or("-"), *r.text);
    }

    int importCmd(const Args& a) {
        if (a.positional.size() != 2) throw Usage{"import takes a file and a logbook"};
        if (a.type || a.output || a.locale || a.to)
            throw Usage{
                "import takes no --type, --output, --locale or --to (--from names the program)"};
        if (a.append && a.ratings)
            throw Usage{"--ratings is for a new logbook; --append keeps the logbook's own"};
        ImportOptions options;
        if (a.from) {
            options.from = formatNamed(*a.from);
            if (!options.from)
                throw Usage{"--from is myflightbook, foreflight, logten or csv, not \"" + *a.from +
                            "\""};
        }
        if (a.decimalComma) options.decimalMark = ',';
        const std::string& csvPath = a.positional[0];
        const std::string& logPath = a.positional[1];
        if (a.append) {
            if (logPath == "-") throw Usage{"--append needs a logbook file, not -"};
            const logbook::Check c = logbook::checkLogbook(logPath);
            if (!c.ok()) return fail(logPath, "no logbook: " + logbook::describe(c));
            options.maxFlights = static_cast<std::size_t>(logbook::MaxLastRecord - c.lastFlight);
            // A damaged logbook is mended by the append; say so first.
            if (const auto notice = logbook::damageNotice(c); !notice.empty())
                err_ << kProgram << ": " << logPath << ": " << notice << "\n";
        } else if (logPath != "-" && records::fileExists(logPath)) {
            return fail(logPath,
                        "the file exists; import writes a new logbook only "
                        "(--append adds to an existing one)");
        }
        std::string ratingRecord;
        if (a.ratings) {
            const auto from = logbook::readRatingRecord(*a.ratings);
            if (!from)
                return fail(*a.ratings,
                            "no logbook: " + logbook::describe(logbook::checkLogbook(*a.ratings)));
            const auto bytes = from->encode();
            ratingRecord.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
        const auto csv = input(csvPath);
        if (!csv) return kBadData;
        const ImportResult r = importFlights(*csv, options);
        if (!r.ok()) return fail(shown(csvPath) + ":" + std::to_string(r.errorLine), r.error);
        if (!reportChanges(shown(csvPath), r.changes, a.strict)) return kBadData;
        if (!a.append) return output(logPath, newLogbookBytes(r, ratingRecord));
        const auto added = logbook::appendFlights(
            logPath,
            records::ConstByteSpan(reinterpret_cast<const records::Byte*>(r.flights.data()),
                                   r.flights.size()));
        if (added) return kOk;
        if (added.reason() == records::FileError::NotALogbook)
            return fail(logPath,
                        "no logbook: " + logbook::describe(logbook::checkLogbook(logPath)));
        return fail(logPath, records::failureMessage(records::Action::AddFlights, "the logbook",
                                                     added.failure()));
    }

    int dumpCmd(const Args& a) {
        if (a.positional.size() != 1) throw Usage{"dump takes one file"};
        if (a.append || a.locale || a.ratings || a.to || a.from || a.strict || a.decimalComma)
            throw Usage{"dump takes no option but --type and --output"};
        const std::string& path = a.positional[0];
        std::optional<FileType> type;
        if (a.type) {
            type = fileTypeNamed(*a.type);
            if (!type) throw Usage{"--type is log, plan or aircraft, not \"" + *a.type + "\""};
        } else {
            type = fileTypeOfPath(path);
            if (!type)
                throw Usage{"the type of \"" + path +
                            "\" does not follow from its name; give --type log|plan|aircraft"};
        }
        const auto bytes = input(path);
        if (!bytes) return kBadData;
        return output(a.output.value_or("-"), dumpJson(*bytes, *type));
    }

    int restoreCmd(const Args& a) {
        if (a.positional.size() != 2)
            throw Usage{"restore takes a JSON file and the file to write"};
        if (a.append || a.locale || a.type || a.output || a.ratings || a.to || a.from || a.strict ||
            a.decimalComma)
            throw Usage{"restore takes no options"};
        const std::string& jsonPath = a.positional[0];
        const std::string& outPath = a.positional[1];
        if (outPath != "-" && records::fileExists(outPath))
            return fail(outPath, "the file exists; it is not written over");
        const auto json = input(jsonPath);
        if (!json) return kBadData;
        const RestoreResult r = restoreJson(*json);
        if (!r.bytes) return fail(jsonPath, r.error);
        return output(outPath, *r.bytes);
    }

  private:
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace

std::optional<records::DateOrder> dateOrderOfLocale(const std::string& name) {
    std::string n = name;
    std::transform(n.begin(), n.end(), n.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (n == "mdy") return records::DateOrder::MDY;
    if (n == "dmy") return records::DateOrder::DMY;
    if (n == "ymd") return records::DateOrder::YMD;
    if (n.empty() || n == "c" || n == "posix" || n.starts_with("c."))
        return records::DateOrder::MDY;
    // language[_COUNTRY][.encoding][@modifier]
    n = n.substr(0, n.find_first_of(".@"));
    const std::size_t us = n.find_first_of("_-");
    const std::string lang = n.substr(0, us);
    const std::string country = us == std::string::npos ? "" : n.substr(us + 1);
    auto letters = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    };
    if (lang.size() < 2 || lang.size() > 3 || !letters(lang) ||
        (us != std::string::npos && (country.size() != 2 || !letters(country))))
        return std::nullopt;
    // Where the short date puts the year first, or the month first; the
    // rest of the world writes the day first.
    static const char* const ymd[] = {"cn", "jp", "kr", "kp", "tw", "hu",
                                      "lt", "mn", "se", "ca", "za"};
    static const char* const mdy[] = {"us", "ph", "fm", "mh", "pw", "bz",
                                      "as", "gu", "mp", "pr", "um", "vi"};
    if (country.empty()) {
        if (lang == "en") return records::DateOrder::MDY;
        if (lang == "zh" || lang == "ja" || lang == "ko" || lang == "hu" || lang == "lt" ||
            lang == "mn")
            return records::DateOrder::YMD;
        return records::DateOrder::DMY;
    }
    for (const char* c : ymd)
        if (country == c) return records::DateOrder::YMD;
    for (const char* c : mdy)
        if (country == c) return records::DateOrder::MDY;
    return records::DateOrder::DMY;
}

// Reads a whole file, or standard input for "-". Only regular files are
// opened: a folder, a FIFO or a device is refused before any read.
std::optional<std::string> readInput(const std::string& path, std::istream& in,
                                     std::string& error) {
    std::string s;
    if (path == "-") {
        if (&in == &std::cin) {
            if (!readDescriptor(STDIN_FILENO, s, error)) return std::nullopt;
            return s;
        }
        char buf[1 << 16];
        while (in.read(buf, sizeof buf) || in.gcount() > 0) {
            s.append(buf, static_cast<std::size_t>(in.gcount()));
            if (s.size() > kMaxInput) {
                error = "is larger than any file this program reads (256 MB); it is not read";
                return std::nullopt;
            }
        }
        if (in.bad()) {
            error = "cannot be read";
            return std::nullopt;
        }
        return s;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    if (!ok) {
        error = std::string("cannot be read: ") + std::strerror(errno);
    } else if (S_ISDIR(st.st_mode)) {
        error = "is a folder, not a file";
        ok = false;
    } else if (!S_ISREG(st.st_mode)) {
        error = "is no regular file (a FIFO, device or socket); it is not read";
        ok = false;
    } else {
        ok = readDescriptor(fd, s, error);
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    return s;
}

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
    try {
        const Args a = parseArgs(args);
        Command c(in, out, err);
        if (a.command == "--help") {
            out << kUsage << "\n" << kHelp;
            return kOk;
        }
        if (a.command == "--version") {
            out << kProgram << " (Aerokit) " << Version::Number << "\n";
            return kOk;
        }
        if (a.command == "export") return c.exportCmd(a);
        if (a.command == "import") return c.importCmd(a);
        if (a.command == "dump") return c.dumpCmd(a);
        if (a.command == "restore") return c.restoreCmd(a);
        if (a.command == "check" || a.command == "repair") {
            if (a.output || a.append || a.locale || a.ratings)
                throw Usage{a.command + " takes no option but --type"};
            const auto r = checkOrRepair(a.command, a.positional, a.type, in, out, err);
            if (r.usage) throw Usage{*r.usage};
            return r.status;
        }
        if (a.command.empty()) throw Usage{"no command given"};
        throw Usage{"unknown command \"" + a.command + "\""};
    } catch (const Usage& u) {
        err << kProgram << ": " << u.message << "\n"
            << kUsage << "Try 'aerokit-convert --help' for more.\n";
        return kBadUsage;
    }
}

}  // namespace convert
