#pragma once
// The folder list of the encrypt dialog: the chain of folders from the root of the current volume
// down to the current folder, then the folders inside it. Activating a folder opens it. Filled
// synchronously, so that the file list beside it is up to date as soon as a folder changes.

#include <QTreeWidget>

namespace ombre {

class FolderListBox final : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderListBox(QWidget *parent = nullptr);

    // False (and nothing changes) when the folder does not exist or cannot be read.
    bool setDirectory(const QString &path);
    const QString &directory() const { return directory_; }

signals:
    void directoryChanged(const QString &path);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Every level is always open: no expand or collapse marks.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}

private:
    void rebuild();
    void open(QTreeWidgetItem *item);

    QString directory_;
};

} // namespace ombre
