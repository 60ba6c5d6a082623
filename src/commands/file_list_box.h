#pragma once
// The file list of the encrypt dialog: the files of one folder that match a mask ("*.cod", or
// several masks separated by ";"), hidden files included, folders excluded.

#include <QListWidget>

namespace ombre {

class FileListBox final : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent = nullptr);

    void setDirectory(const QString &path);
    void setMask(const QString &mask);
    const QString &mask() const { return mask_; }

    // Name (no folder) of the selected file, or empty.
    QString fileName() const;
    // Selects the file of that name when the list holds it.
    void selectFile(const QString &name);

signals:
    // The list was filled again (new folder or mask); nothing is selected.
    void reloaded();
    // The selection changed (FileListChange).
    void selectionChange();
    // A file was double-clicked or Enter pressed on it.
    void fileActivated();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void reload();

    QString directory_;
    QString mask_ = QStringLiteral("*.cod");
};

} // namespace ombre
