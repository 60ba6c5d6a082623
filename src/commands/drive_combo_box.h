#pragma once
// The drive list of the encrypt dialog. Drives are the mounted volumes of the system: each entry
// shows a volume's mount point (and its label when it has one) and opens its root folder.

#include <QComboBox>

namespace ombre {

class DriveComboBox final : public QComboBox {
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget *parent = nullptr);

    // Lists the mounted volumes that are ready, in the order of their mount points.
    void refresh();
    // Adds a volume by its root (used for volumes the system lists late).
    void addVolume(const QString &rootPath, const QString &label = QString());
    // Selects, without signalling, the volume that holds `path`.
    void selectVolumeOf(const QString &path);
    QString rootPath() const;
};

} // namespace ombre
