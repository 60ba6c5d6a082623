#include "integrations/startup/author_links.h"

#include "integrations/startup/scrambled_text.h"

namespace ombre {
namespace {

constexpr ScrambledText kWebAddress(OMBRE_AUTHOR_URL);
constexpr ScrambledText kMailAddress(OMBRE_AUTHOR_MAIL);
constexpr ScrambledText kWebText("Le site Web de l'auteur");
constexpr ScrambledText kMailText("Écrire à l'auteur");

} // namespace

QUrl AuthorWebAddress()
{
    return QUrl(kWebAddress.unscrambled());
}

QUrl AuthorMailAddress()
{
    return QUrl(kMailAddress.unscrambled());
}

QString AuthorWebText()
{
    return kWebText.unscrambled();
}

QString AuthorMailText()
{
    return kMailText.unscrambled();
}

} // namespace ombre
