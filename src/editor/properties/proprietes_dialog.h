#pragma once
// TProprietes: the active document's name, size and counts, gathered when the dialog is made.

#include "editor/properties/word_count.h"
#include "rtf/plain_text.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

namespace ombre {

// What the dialog reads of a document window.
struct PropertiesSource {
    QString name;               // the window's caption
    const QTextEdit &editor;
    bool plainText = false;
    PlainTextEncoding encoding; // how Save would write plain text
    QString containerPath;      // the container the document was decrypted from; empty if none
};

// "<count><unit>", the unit taking a final "s" above 1: "0 octet", "1 mot", "2 mots".
QString withUnit(qint64 count, const QString &unit);

class TProprietes final : public QDialog {
    Q_OBJECT
public:
    // Fills every value under the hourglass; `symbols`: the characters the word count takes for
    // letters.
    TProprietes(QWidget *parent, const PropertiesSource &source, const QString &symbols);

    QLabel *Nom;
    QLabel *Taille;
    QLabel *TailleConteneur = nullptr; // only for a document whose container is still on disk
    QLabel *CaraTotal;
    QLabel *MotTotal;
    QLabel *CaraSelect;
    QLabel *MotSelect;
    QPushButton *BtnOk;
};

} // namespace ombre
