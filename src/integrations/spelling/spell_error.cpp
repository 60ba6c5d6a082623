#include "integrations/spelling/spell_error.h"

#include "platform/modal.h"

namespace ombre {

ESpellError ESpellError::engine(csapi::Error code)
{
    return ESpellError(QStringLiteral("Erreur du dictionnaire No %1").arg(static_cast<quint32>(code)));
}

ESpellError ESpellError::cannotLoad()
{
    return ESpellError(QStringLiteral("Impossible de charger le dictionnaire"));
}

ESpellError ESpellError::cannotUnload()
{
    return ESpellError(QStringLiteral("Impossible de décharger le dictionnaire"));
}

void checkSpellCall(csapi::Error code)
{
    if (code != csapi::Error::None)
        throw ESpellError::engine(code);
}

void showSpellError(QWidget *parent, const ESpellError &error)
{
    showMessage(parent, QMessageBox::Critical, error.message());
}

} // namespace ombre
