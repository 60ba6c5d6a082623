#pragma once
// The author's addresses (the "Site Web de l'auteur" command and the about box's two links) and
// the links' texts, all kept scrambled in the program and unscrambled on use.

#include <QString>
#include <QUrl>

namespace ombre {

QUrl AuthorWebAddress();  // the OMBRE_AUTHOR_URL build option
QUrl AuthorMailAddress(); // the OMBRE_AUTHOR_MAIL build option
QString AuthorWebText();
QString AuthorMailText();

} // namespace ombre
