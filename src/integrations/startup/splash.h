#pragma once
// The splash window shown while the program starts.

#include <QStringList>
#include <QWidget>
#include <memory>

namespace ombre {

class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);
};

// Reads the splash option and, when it is set and `arguments` is empty, shows the splash, paints
// it and waits; the caller destroys it once the main window exists. Null when none was shown.
std::unique_ptr<TfrmSplash> ShowSplash(const QStringList &arguments);

} // namespace ombre
