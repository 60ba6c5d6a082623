#pragma once
// The splash window shown while the program starts.

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;

namespace ombre {

class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);

    QLabel *OwnerName = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// How the splash waits: a clock in milliseconds since the system started, and a pause. A test
// gives its own so that it needs not wait.
struct SplashWait {
    std::function<std::int64_t()> millisecondsSinceStart;
    std::function<void(std::int64_t milliseconds)> pause;
};
SplashWait SystemSplashWait();

// Reads the splash option and, when it is set and `arguments` is empty, shows the splash, paints
// it and waits; the caller destroys it once the main window exists. Null when none was shown.
std::unique_ptr<TfrmSplash> ShowSplash(const QStringList &arguments);
std::unique_ptr<TfrmSplash> ShowSplash(const QStringList &arguments, const SplashWait &wait);

} // namespace ombre
