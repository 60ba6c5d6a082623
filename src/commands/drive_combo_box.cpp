#include "commands/drive_combo_box.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>

namespace ombre {

DriveComboBox::DriveComboBox(QWidget *parent) : QComboBox(parent)
{
    refresh();
}

void DriveComboBox::refresh()
{
    const QSignalBlocker blocker(this);
    clear();
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(),
              [](const QStorageInfo &a, const QStorageInfo &b) { return a.rootPath() < b.rootPath(); });
    for (const QStorageInfo &volume : volumes)
        if (volume.isValid() && volume.isReady())
            addVolume(volume.rootPath(), volume.name());
}

void DriveComboBox::addVolume(const QString &rootPath, const QString &label)
{
    const QString shown = QDir::toNativeSeparators(rootPath);
    addItem(label.isEmpty() ? shown : QStringLiteral("%1  [%2]").arg(shown, label), rootPath);
}

void DriveComboBox::selectVolumeOf(const QString &path)
{
    // The volume whose mount point is the longest leading part of the path.
    const QString clean = QDir::cleanPath(path);
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = QDir::cleanPath(itemData(i).toString());
        const bool holds = clean == root || clean.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(best);
}

QString DriveComboBox::rootPath() const
{
    return currentData().toString();
}

} // namespace ombre
