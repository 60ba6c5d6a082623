// The date menu's texts: every format on dates and times at the edges of their fields, the
// French names of each length, and where the separators and names come from.

#include "integrations/date_formats.h"

#include <QDate>
#include <QLocale>
#include <QTime>
#include <gtest/gtest.h>

namespace ombre {
namespace {

const QLocale kFrance(QLocale::French, QLocale::France);

TEST(DateFormatsTest, EveryFormatInFrench)
{
    const struct {
        int item;
        QDate date;
        QTime time;
        const char *text;
    } cases[] = {
        // New Year's Day at midnight.
        {0, {2024, 1, 1}, {0, 0, 0}, "01/01/24"},
        {1, {2024, 1, 1}, {0, 0, 0}, "01/01/2024"},
        {2, {2024, 1, 1}, {0, 0, 0}, "01 janvier 2024"},
        {3, {2024, 1, 1}, {0, 0, 0}, "lundi 01 janvier 2024"},
        {5, {2024, 1, 1}, {0, 0, 0}, "00:00"},
        {6, {2024, 1, 1}, {0, 0, 0}, "00:00:00"},
        {8, {2024, 1, 1}, {0, 0, 0}, "01/01/24 00:00"},
        // A leap day a minute before midnight.
        {0, {2024, 2, 29}, {23, 59, 59}, "29/02/24"},
        {3, {2024, 2, 29}, {23, 59, 59}, "jeudi 29 février 2024"},
        {5, {2024, 2, 29}, {23, 59, 59}, "23:59"},
        {6, {2024, 2, 29}, {23, 59, 59}, "23:59:59"},
        {8, {2024, 2, 29}, {23, 59, 59}, "29/02/24 23:59"},
        // The last day of a year; a year ending in 0 keeps both digits.
        {1, {2023, 12, 31}, {12, 5, 7}, "31/12/2023"},
        {3, {2023, 12, 31}, {12, 5, 7}, "dimanche 31 décembre 2023"},
        {6, {2023, 12, 31}, {12, 5, 7}, "12:05:07"},
        {0, {2000, 3, 10}, {}, "10/03/00"},
        // Names of every length: mai, juin, avril, septembre; samedi, mardi, mercredi.
        {3, {2025, 5, 3}, {}, "samedi 03 mai 2025"},
        {3, {2024, 6, 11}, {}, "mardi 11 juin 2024"},
        {2, {2024, 4, 5}, {}, "05 avril 2024"},
        {3, {2024, 9, 4}, {}, "mercredi 04 septembre 2024"},
        {2, {2024, 8, 15}, {}, "15 août 2024"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DateItemText(c.item, c.date, c.time, kFrance), QString::fromUtf8(c.text))
            << "M" << c.item << " on " << c.date.toString(Qt::ISODate).toStdString();
}

TEST(DateFormatsTest, SeparatorLinesAndUnknownItemsHaveNoText)
{
    for (const int item : {4, 7, -1, 9, 100}) {
        EXPECT_FALSE(IsDateFormatItem(item)) << item;
        EXPECT_TRUE(DateItemText(item, {2024, 1, 1}, {10, 0}, kFrance).isEmpty()) << item;
    }
}

TEST(DateFormatsTest, SeparatorsAndNamesFollowTheLocale)
{
    const QDate leapDay(2024, 2, 29);
    const QTime time(23, 59, 5);
    const struct {
        const char *why;
        QLocale system;
        const char *date; // M0
        const char *time; // M6
        const char *full; // M3
    } cases[] = {
        // "yyyy-MM-dd" gives "-"; "HH 'h' mm" has no single separator, so ":".
        {"Canadian French", QLocale(QLocale::French, QLocale::Canada), "29-02-24", "23:59:05", "jeudi 29 février 2024"},
        {"Swiss French", QLocale(QLocale::French, QLocale::Switzerland), "29.02.24", "23:59:05", "jeudi 29 février 2024"},
        // The program speaks French: German dots and names are not used.
        {"German", QLocale(QLocale::German, QLocale::Germany), "29/02/24", "23:59:05", "jeudi 29 février 2024"},
        {"C", QLocale::c(), "29/02/24", "23:59:05", "jeudi 29 février 2024"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DateItemText(0, leapDay, time, c.system), QString::fromUtf8(c.date)) << c.why;
        EXPECT_EQ(DateItemText(6, leapDay, time, c.system), QString::fromUtf8(c.time)) << c.why;
        EXPECT_EQ(DateItemText(3, leapDay, time, c.system), QString::fromUtf8(c.full)) << c.why;
    }
}

} // namespace
} // namespace ombre
