#include "shell/WindowText.h"

#include <QFile>
#include <QLocale>
#include <QStringList>

namespace WindowText {
namespace {
QString gLocaleName;

QLocale current() {
    if (!gLocaleName.isEmpty()) return QLocale(gLocaleName);
    // A machine without a locale ("C") reads numbers and dates the US way.
    const QLocale sys = QLocale::system();
    return sys.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : sys;
}
}  // namespace

QString fromBytes(const std::string& bytes) {
    const std::size_t nul = bytes.find('\0');
    const std::string_view shown =
        nul == std::string::npos ? std::string_view(bytes) : std::string_view(bytes).substr(0, nul);
    return QString::fromStdString(records::cp1252ToUtf8(shown));
}

std::string toBytes(const QString& text) { return records::utf8ToCp1252(text.toStdString()); }

std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

records::NumberLocale numberLocale() {
    records::NumberLocale loc;
    const QString dp = current().decimalPoint();
    loc.decimalPoint = dp.size() == 1 && dp[0].unicode() < 0x80 ? dp[0].toLatin1() : '.';
    return loc;
}

records::DateLocale dateLocale() {
    // The order of day, month and year in the locale's short date format.
    const QString fmt = current().dateFormat(QLocale::ShortFormat).toLower();
    const qsizetype d = fmt.indexOf('d'), m = fmt.indexOf('m'), y = fmt.indexOf('y');
    records::DateLocale loc;
    if (y >= 0 && m >= 0 && y < m)
        loc.order = records::DateOrder::YMD;
    else if (d >= 0 && m >= 0 && d < m)
        loc.order = records::DateOrder::DMY;
    else
        loc.order = records::DateOrder::MDY;
    return loc;
}

void setLocaleForTesting(const QString& localeName) { gLocaleName = localeName; }

QString single(float value) {
    return QString::fromStdString(records::formatSingle(value, numberLocale()));
}

QString dbl(double value) {
    return QString::fromStdString(records::formatDouble(value, numberLocale()));
}

QString toStored(const QString& plainText) {
    QString s = plainText;
    s.replace(QChar('\n'), QStringLiteral("\r\n"));
    return s;
}

QString fromStored(const QString& stored) {
    QString s = stored;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

int storedLength(const QString& plainText) {
    return static_cast<int>(plainText.size() + plainText.count(QChar('\n')));
}

QString pageText(const QString& stored) {
    QString s = fromStored(stored);
    s.remove(QChar('\0'));
    QStringList lines = s.split(QChar('\n'));
    for (QString& line : lines)
        while (line.endsWith(QChar(' '))) line.chop(1);
    return lines.join(QChar('\n'));
}

}  // namespace WindowText
