#include "integrations/date_formats.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace ombre {
namespace {

// "dd" day, "mm" month, "mmmm" month name, "yy"/"yyyy" year, "dddd" day name, "hh" hour 00..23,
// "nn" minutes, "ss" seconds; "/" and ":" the locale's date and time separators.
constexpr const char *kPatterns[kDateItemCount] = {
    "dd/mm/yy", "dd/mm/yyyy", "dd mmmm yyyy", "dddd dd mmmm yyyy", nullptr,
    "hh:nn",    "hh:nn:ss",   nullptr,        "dd/mm/yy hh:nn",
};

struct LocaleTexts {
    QLocale names;
    QString dateSeparator;
    QString timeSeparator;
};

// The text between the first field of a short format and the next one, when it is a single
// punctuation character ("dd.MM.yy" gives "."); else `fallback` ("HH 'h' mm" gives it).
QString separatorAfterFirstField(const QString &format, const QString &fallback)
{
    qsizetype i = 0;
    while (i < format.size() && !format[i].isLetter())
        ++i;
    const QChar field = i < format.size() ? format[i] : QChar();
    while (i < format.size() && format[i] == field)
        ++i;
    const qsizetype start = i;
    while (i < format.size() && !format[i].isLetter())
        ++i;
    const QString between = format.mid(start, i - start);
    return between.size() == 1 && between[0].isPunct() ? between : fallback;
}

LocaleTexts localeTexts(const QLocale &system)
{
    const QLocale locale = system.language() == QLocale::French ? system : QLocale(QLocale::French, QLocale::France);
    return {locale, separatorAfterFirstField(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/")),
            separatorAfterFirstField(locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"))};
}

QString digits(int n, int width)
{
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

QString format(const char *pattern, const QDate &date, const QTime &time, const LocaleTexts &texts)
{
    const QString p = QString::fromLatin1(pattern);
    QString out;
    for (qsizetype i = 0; i < p.size();) {
        const QChar c = p[i];
        qsizetype run = 1;
        while (i + run < p.size() && p[i + run] == c)
            ++run;
        switch (c.toLatin1()) {
        case 'd':
            out += run == 4 ? texts.names.dayName(date.dayOfWeek(), QLocale::LongFormat) : digits(date.day(), 2);
            break;
        case 'm':
            out += run == 4 ? texts.names.monthName(date.month(), QLocale::LongFormat) : digits(date.month(), 2);
            break;
        case 'y':
            out += run == 4 ? digits(date.year(), 4) : digits(date.year() % 100, 2);
            break;
        case 'h':
            out += digits(time.hour(), 2);
            break;
        case 'n':
            out += digits(time.minute(), 2);
            break;
        case 's':
            out += digits(time.second(), 2);
            break;
        case '/':
            out += texts.dateSeparator.repeated(run);
            break;
        case ':':
            out += texts.timeSeparator.repeated(run);
            break;
        default:
            out += p.mid(i, run);
        }
        i += run;
    }
    return out;
}

} // namespace

bool IsDateFormatItem(int item)
{
    return item >= 0 && item < kDateItemCount && kPatterns[item];
}

QString DateItemText(int item, const QDate &date, const QTime &time, const QLocale &system)
{
    if (!IsDateFormatItem(item))
        return {};
    return format(kPatterns[item], date, time, localeTexts(system));
}

} // namespace ombre
