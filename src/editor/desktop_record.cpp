#include "editor/desktop_record.h"

#include <limits>

namespace ombre {
namespace {

// Hands out the fields of a record one by one, each up to its closing ",".
class FieldReader {
public:
    explicit FieldReader(QStringView text) : m_rest(text) {}

    std::optional<QStringView> next()
    {
        const qsizetype comma = m_rest.indexOf(QLatin1Char(','));
        if (comma < 0)
            return std::nullopt;
        const QStringView field = m_rest.left(comma);
        m_rest = m_rest.mid(comma + 1);
        return field;
    }

    std::optional<qint32> nextNumber()
    {
        const std::optional<QStringView> field = next();
        return field ? ParseDesktopNumber(*field) : std::nullopt;
    }

private:
    QStringView m_rest;
};

// A mode flag is set exactly when its field starts with "1" (the field being a number).
bool flagOf(QStringView field)
{
    return field.startsWith(QLatin1Char('1'));
}

} // namespace

QString DesktopValueName(int index)
{
    return QStringLiteral("F%1").arg(index);
}

QString FormatDesktopRecord(const TDocumentInfo &info, const DesktopView &view)
{
    const auto flag = [](bool set) { return set ? QStringLiteral("1") : QStringLiteral("0"); };
    QString record = info.FileName + QLatin1Char(',');
    for (const QString &field :
         {QString::number(info.Left), QString::number(info.Top), QString::number(info.Width),
          QString::number(info.Height), QString::number(info.WindowState), flag(info.PlainText),
          flag(info.Proportional), flag(info.WordWrap), QString::number(view.SelectionStart),
          QString::number(view.SelectionEnd), QString::number(view.Scroll)})
        record += field + QLatin1Char(',');
    return record;
}

std::optional<qint32> ParseDesktopNumber(QStringView field)
{
    bool negative = false;
    if (field.startsWith(QLatin1Char('-')) || field.startsWith(QLatin1Char('+'))) {
        negative = field.front() == QLatin1Char('-');
        field = field.mid(1);
    }
    if (field.isEmpty())
        return std::nullopt;
    // Accumulated as a negative number, whose range reaches the type's minimum.
    constexpr qint64 kMinimum = std::numeric_limits<qint32>::min();
    qint64 value = 0;
    for (const QChar c : field) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 - (c.unicode() - u'0');
        if (value < kMinimum)
            return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<qint32>::max())
            return std::nullopt;
    }
    return static_cast<qint32>(value);
}

DesktopEntry ParseDesktopRecord(QStringView text)
{
    DesktopEntry entry;
    FieldReader fields(text);
    const std::optional<QStringView> name = fields.next();
    entry.FileName = (name ? *name : text).toString();
    if (!name)
        return entry;

    TDocumentInfo info = MakeDocumentInfo(entry.FileName, false, false);
    for (qint32 *number : {&info.Left, &info.Top, &info.Width, &info.Height, &info.WindowState}) {
        const std::optional<qint32> read = fields.nextNumber();
        if (!read)
            return entry;
        *number = *read;
    }
    for (bool *flag : {&info.PlainText, &info.Proportional, &info.WordWrap}) {
        const std::optional<QStringView> field = fields.next();
        if (!field || !ParseDesktopNumber(*field))
            return entry;
        *flag = flagOf(*field);
    }
    info.Named = true;
    entry.Document = info;

    const std::optional<qint32> start = fields.nextNumber();
    const std::optional<qint32> end = start ? fields.nextNumber() : std::nullopt;
    if (!end)
        return entry;
    entry.Selection = std::pair(*start, *end);
    entry.Scroll = fields.nextNumber();
    return entry;
}

} // namespace ombre
