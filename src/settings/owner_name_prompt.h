#pragma once
// Asks the user for the owner name stamped into every container.

#include <QString>
#include <optional>

class QWidget;

namespace ombre {

// The name typed and confirmed, or nothing when the user gave up. A name the container cannot
// hold is refused; a name that recipients would not see (not only letters and spaces) is taken
// only after a warning.
std::optional<QString> AskOwnerName(QWidget *parent, const QString &current);

} // namespace ombre
