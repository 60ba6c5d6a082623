#include "settings/owner_name_prompt.h"

#include "cipher/ansi.h"
#include "cipher/text_routines.h"
#include "platform/modal.h"

#include <QInputDialog>
#include <QLineEdit>

namespace ombre {
namespace {

// The container keeps the owner name behind a one-byte length.
constexpr std::size_t MaxOwnerNameBytes = 255;

} // namespace

std::optional<QString> AskOwnerName(QWidget *parent, const QString &current)
{
    QInputDialog input(parent);
    input.setObjectName(QStringLiteral("SaisieProprietaire"));
    input.setWindowTitle(QStringLiteral("Propriétaire"));
    input.setLabelText(QStringLiteral("Nom du &propriétaire, inscrit dans chaque document crypté :"));
    input.setInputMode(QInputDialog::TextInput);
    input.setTextValue(current);
    input.setOkButtonText(QStringLiteral("&Ok"));
    input.setCancelButtonText(QStringLiteral("A&nnuler"));
    if (modal().exec(input) != QDialog::Accepted)
        return std::nullopt;

    const QString name = input.textValue().trimmed();
    const std::string stored = EncodeHeaderText(name.toStdString());
    if (stored.size() > MaxOwnerNameBytes) {
        showMessage(parent, QMessageBox::Warning,
                    QStringLiteral("Le nom du propriétaire ne peut dépasser 255 caractères."));
        return std::nullopt;
    }
    if (!name.isEmpty() && CheckOwnerName(stored) != stored) {
        const QString shown = QString::fromStdString(AnsiToUtf8(DefaultOwnerText()));
        const QString text = QStringLiteral("Le nom « %1 » ne contient pas seulement des lettres et des espaces.\r\n\r\n"
                                            "Les destinataires de vos documents cryptés verront à sa place « %2 ».\r\n\r\n"
                                            "Voulez-vous quand même utiliser ce nom ?")
                                 .arg(name, shown);
        if (showMessage(parent, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            != QMessageBox::Yes)
            return std::nullopt;
    }
    return name;
}

} // namespace ombre
