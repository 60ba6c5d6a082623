#include "platform/font_style_names.h"

#include <QFontDialog>
#include <QLineEdit>
#include <QListView>
#include <QStyledItemDelegate>
#include <algorithm>

namespace ombre {
namespace {

struct StyleWord {
    const char *english; // lower case; compounds written without a space
    const char *french;
};

// "Normal" stands alone only: beside another word it says nothing ("Regular Italic" is "Italique").
constexpr const char *NormalWord = "Normal";
constexpr StyleWord StyleWords[] = {
    {"regular", NormalWord}, {"normal", NormalWord}, {"book", NormalWord}, {"roman", NormalWord},
    {"plain", NormalWord},   {"bold", "Gras"},       {"italic", "Italique"}, {"oblique", "Oblique"},
    {"thin", "Fin"},         {"hairline", "Fin"},    {"light", "Maigre"},  {"medium", "Moyen"},
    {"black", "Noir"},       {"heavy", "Extra-gras"}, {"extralight", "Extra-maigre"},
    {"ultralight", "Extra-maigre"}, {"semilight", "Demi-maigre"}, {"demilight", "Demi-maigre"},
    {"semibold", "Demi-gras"}, {"demibold", "Demi-gras"}, {"demi", "Demi-gras"},
    {"extrabold", "Extra-gras"}, {"ultrabold", "Extra-gras"}, {"extrablack", "Extra-noir"},
    {"ultrablack", "Extra-noir"}, {"condensed", "Condensé"}, {"semicondensed", "Semi-condensé"},
    {"extracondensed", "Extra-condensé"}, {"ultracondensed", "Ultra-condensé"}, {"narrow", "Étroit"},
    {"expanded", "Étendu"},   {"extended", "Étendu"}, {"semiexpanded", "Semi-étendu"},
    {"extraexpanded", "Extra-étendu"},
};
// Words that may be written apart from the word they qualify ("Semi Bold", "Extra Light").
constexpr const char *Prefixes[] = {"semi", "demi", "extra", "ultra"};

const char *frenchWord(const QString &english)
{
    const QByteArray key = english.toLower().toUtf8();
    for (const StyleWord &word : StyleWords)
        if (key == word.english)
            return word.french;
    return nullptr;
}

bool isPrefix(const QString &word)
{
    const QByteArray key = word.toLower().toUtf8();
    return std::any_of(std::begin(Prefixes), std::end(Prefixes), [&key](const char *prefix) { return key == prefix; });
}

class FrenchStyleDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &) const override
    {
        return FrenchStyleName(value.toString());
    }
};

} // namespace

QString FrenchStyleName(const QString &style)
{
    const QStringList words = style.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList french;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const char *word = nullptr;
        if (isPrefix(words[i]) && i + 1 < words.size() && (word = frenchWord(words[i] + words[i + 1])))
            ++i;
        else
            word = frenchWord(words[i]);
        if (!word) {
            french.append(words[i]);
            continue;
        }
        QString translated = QString::fromUtf8(word);
        // French writes the qualifiers after the first word in lower case: "Gras italique".
        if (!french.isEmpty() && translated != QLatin1String(NormalWord))
            translated[0] = translated[0].toLower();
        french.append(translated);
    }
    if (french.size() > 1)
        french.removeAll(QLatin1String(NormalWord));
    if (!french.isEmpty())
        french[0][0] = french[0][0].toUpper();
    return french.join(QLatin1Char(' '));
}

void ShowFrenchStyleNames(QFontDialog &dialog)
{
    // The dialog's lists are, in order, the families, the styles and the sizes; the read-only
    // field above the styles shows the one chosen.
    const QList<QListView *> lists = dialog.findChildren<QListView *>();
    if (lists.size() != 3)
        return;
    QListView *styles = lists.at(1);
    styles->setItemDelegate(new FrenchStyleDelegate(styles));
    const QString current = styles->currentIndex().data().toString();
    for (QLineEdit *field : dialog.findChildren<QLineEdit *>()) {
        if (!field->isReadOnly() || field->text() != current)
            continue;
        QObject::connect(field, &QLineEdit::textChanged, field,
                         [field](const QString &text) { field->setText(FrenchStyleName(text)); });
        field->setText(FrenchStyleName(current));
        break;
    }
}

} // namespace ombre
