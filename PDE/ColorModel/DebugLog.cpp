#include "DebugLog.h"

#include "PDECommon.h"
#include "TintText.h"

#include <QObject>

#include <cerrno>
#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>

#include <langinfo.h>
#include <syslog.h>

namespace
{

std::string DescribeObject(const QObject *object)
{
    if (!object)
        return "(null)";
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void *>(object));
    std::string text = std::string(object->metaObject()->className()) + "(" + address;
    const QString name = object->objectName();
    if (!name.isEmpty())
        text += ", \"" + name.toStdString() + "\"";
    return text + ")";
}

// One printf conversion, written into out: the whole directive, with
// any '*' already replaced by its number.
template <typename T> void AppendFormatted(std::string &out, const std::string &directive, T value)
{
    char small[256];
    const int needed = std::snprintf(small, sizeof small, directive.c_str(), value);
    if (needed < 0)
        return;
    if (static_cast<size_t>(needed) < sizeof small) {
        out.append(small, static_cast<size_t>(needed));
        return;
    }
    std::string big(static_cast<size_t>(needed) + 1, '\0');
    std::snprintf(big.data(), big.size(), directive.c_str(), value);
    out.append(big.data(), static_cast<size_t>(needed));
}

// printf-style formatting that also takes "%@" (a QObject *). Each directive
// is handed to snprintf on its own with the argument read at its type, so
// the va_list is consumed exactly as a printf of the same format would.
std::string FormatText(const char *format, va_list ap)
{
    std::string out;
    if (!format)
        return out;
    for (const char *p = format; *p;) {
        if (*p != '%') {
            const char *next = std::strchr(p, '%');
            const size_t n = next ? static_cast<size_t>(next - p) : std::strlen(p);
            out.append(p, n);
            p += n;
            continue;
        }
        std::string directive = "%";
        const char *q = p + 1;
        while (*q && std::strchr("-+ #0'", *q))
            directive += *q++;
        // A width or precision: digits, or "*" for the next argument.
        auto number = [&] {
            if (*q == '*') {
                directive += std::to_string(va_arg(ap, int));
                ++q;
                return;
            }
            while (*q >= '0' && *q <= '9')
                directive += *q++;
        };
        number();
        if (*q == '.') {
            directive += *q++;
            number();
        }
        std::string length;
        while (*q && std::strchr("hlLqjzt", *q))
            length += *q++;
        const char conversion = *q;
        if (!conversion) {
            out += directive + length;
            break;
        }
        p = q + 1;
        directive += length;
        directive += conversion;
        // An integer argument of the directive's length.
        auto integer = [&]<typename Int, typename Long, typename LongLong, typename Size>() {
            if (length == "l")
                AppendFormatted(out, directive, va_arg(ap, Long));
            else if (length == "ll" || length == "q" || length == "j")
                AppendFormatted(out, directive, va_arg(ap, LongLong));
            else if (length == "z" || length == "t")
                AppendFormatted(out, directive, va_arg(ap, Size));
            else
                AppendFormatted(out, directive, va_arg(ap, Int));
        };
        switch (conversion) {
        case '%':
            out += '%';
            break;
        case '@':
            out += DescribeObject(va_arg(ap, const QObject *));
            break;
        case 'd':
        case 'i':
            integer.template operator()<int, long, long long, ptrdiff_t>();
            break;
        case 'u':
        case 'o':
        case 'x':
        case 'X':
            integer.template operator()<unsigned int, unsigned long, unsigned long long, size_t>();
            break;
        case 'C':
            // The old spelling of %lc.
            AppendFormatted(out, directive, va_arg(ap, wint_t));
            break;
        case 'S':
            // The old spelling of %ls.
            AppendFormatted(out, directive, va_arg(ap, const wchar_t *));
            break;
        case 'c':
            if (length == "l")
                AppendFormatted(out, directive, va_arg(ap, wint_t));
            else
                AppendFormatted(out, directive, va_arg(ap, int));
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (length == "L")
                AppendFormatted(out, directive, va_arg(ap, long double));
            else
                AppendFormatted(out, directive, va_arg(ap, double));
            break;
        case 's':
            if (length == "l") {
                AppendFormatted(out, directive, va_arg(ap, const wchar_t *));
            } else {
                const char *s = va_arg(ap, const char *);
                AppendFormatted(out, directive, s ? s : "(null)");
            }
            break;
        case 'p':
            AppendFormatted(out, directive, va_arg(ap, void *));
            break;
        case 'n':
            // Writing through an argument is never wanted in a log line.
            (void)va_arg(ap, void *);
            break;
        default:
            out += directive;
            break;
        }
    }
    return out;
}

// text (UTF-8) in the locale's character set; characters it cannot hold
// become '?'.
std::string ToLocaleCharset(const std::string &text)
{
    return TintUtf8ToCharset(text, nl_langinfo(CODESET));
}

// Object descriptions may contain '%'; they become literal text of the
// format that the remaining arguments are formatted into.
std::string EscapePercent(const std::string &text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '%')
            out += '%';
    }
    return out;
}

void LogWithPrefix(const char *prefix, const char *separator, const QObject *self, const char *format,
                   va_list ap)
{
    const std::string combined = std::string(prefix) + " self(" + EscapePercent(DescribeObject(self)) + ")" +
                                 separator + " " + (format ? format : "(null)");
    const std::string text = FormatText(combined.c_str(), ap);
    syslog(LOG_NOTICE, "%s", text.c_str());
}

} // namespace

extern "C" long MyLog(FILE *stream, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    const std::string text = FormatText(format, ap);
    va_end(ap);
    const std::string bytes = ToLocaleCharset(text);
    if (!stream || bytes.empty())
        return 0;
    std::fprintf(stream, "%.*s", static_cast<int>(bytes.size()), bytes.data());
    std::fflush(stream);
    return 0;
}

extern "C" void _PDEProlog(const QObject *self, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    LogWithPrefix("BEGIN", "", self, format, ap);
    va_end(ap);
}

extern "C" void _PDEEpilog(const QObject *self, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    LogWithPrefix("END", "", self, format, ap);
    va_end(ap);
}

extern "C" void _PDELog(const QObject *self, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    LogWithPrefix("LOG", ":", self, format, ap);
    va_end(ap);
}

extern "C" uint16_t _DEBUGControlTable(const PDEControlItem *table)
{
    if (!table)
        return 0;
    std::size_t records = 1;
    while (table[records - 1].kind != kPDEControlEnd)
        ++records;
    return static_cast<uint16_t>(tint::countControlTable({table, records}));
}
