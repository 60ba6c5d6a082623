#pragma once
// The texts of the date menu: nine items, of which 4 and 7 are separator lines.

#include <QString>

class QDate;
class QLocale;
class QTime;

namespace ombre {

inline constexpr int kDateItemCount = 9;

// Whether date item `item` has a format: false for the two separator lines and outside 0..8.
bool IsDateFormatItem(int item);

// The text date item `item` shows and inserts for `date` and `time`; empty for an item without
// a format. Names and separators come from `system` when it is a French locale, else from French
// (France): the program speaks French whatever the machine's language.
QString DateItemText(int item, const QDate &date, const QTime &time, const QLocale &system);

} // namespace ombre
