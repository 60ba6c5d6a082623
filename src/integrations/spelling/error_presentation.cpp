#include "integrations/spelling/error_presentation.h"

#include <QRegularExpression>

namespace ombre {
namespace {

using csapi::Status;

const QString Unknown = QStringLiteral("A&bsent du dictionnaire");
const QString Error = QStringLiteral("Erreur");

// The usual row: replace when there is something to replace with, skip, retype.
ErrorPresentation standard(const QString &label, QStringList suggestions)
{
    ErrorPresentation shown;
    shown.label = label;
    shown.suggestions = std::move(suggestions);
    shown.change = shown.changeAll = !shown.suggestions.isEmpty();
    shown.skip = true;
    shown.retype = true;
    return shown;
}

ErrorPresentation skipOnly(const QString &label)
{
    ErrorPresentation shown;
    shown.label = label;
    shown.skip = true;
    return shown;
}

QString capitalised(const QString &word, const QLocale &locale)
{
    if (word.isEmpty())
        return word;
    const qsizetype first = word.at(0).isHighSurrogate() && word.size() > 1 ? 2 : 1;
    return locale.toUpper(word.left(first)) + word.mid(first);
}

} // namespace

std::optional<ErrorPresentation> presentError(Status status, const QString &word,
                                              const std::function<QStringList()> &engineSuggestions,
                                              const QString &stored, const QLocale &locale)
{
    switch (status) {
    case Status::UnknownInputWord: {
        ErrorPresentation shown = standard(Unknown, engineSuggestions());
        shown.skipAll = shown.add = true;
        return shown;
    }
    case Status::ReturningChangeOnce: {
        QStringList suggestions = engineSuggestions();
        if (!stored.isEmpty() && !suggestions.contains(stored))
            suggestions.prepend(stored);
        return standard(Unknown, suggestions);
    }
    case Status::InvalidHyphenation:
    case Status::ErrorCapitalization:
        return standard(Error, engineSuggestions());
    case Status::NoSentenceStartCap:
        return standard(Error, {capitalised(word, locale)});
    case Status::WordConsideredAbbreviation:
        return standard(QStringLiteral("Abbréviation possible"), {});
    case Status::ExtraSpaces: {
        QString single = word;
        single.replace(QRegularExpression(QStringLiteral(" {2,}")), QStringLiteral(" "));
        return standard(QStringLiteral("Double espace"), {single});
    }
    case Status::RepeatWord: {
        ErrorPresentation shown = skipOnly(QStringLiteral("Mot répété"));
        shown.del = true;
        shown.focusOnSkip = true;
        return shown;
    }
    case Status::MissingSpace:
        return skipOnly(QStringLiteral("Espace oublié"));
    case Status::InitialNumeral:
        return skipOnly(QStringLiteral("Mot commençant par un chiffre"));
    default:
        return std::nullopt;
    }
}

} // namespace ombre
