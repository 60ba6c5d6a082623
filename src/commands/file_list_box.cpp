#include "commands/file_list_box.h"

#include <QDir>
#include <QKeyEvent>

namespace ombre {

FileListBox::FileListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::selectionChange);
    connect(this, &QListWidget::itemActivated, this, &FileListBox::fileActivated);
}

void FileListBox::setDirectory(const QString &path)
{
    directory_ = path;
    reload();
}

void FileListBox::setMask(const QString &mask)
{
    mask_ = mask;
    reload();
}

QString FileListBox::fileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileListBox::selectFile(const QString &name)
{
    const QList<QListWidgetItem *> found = findItems(name, Qt::MatchExactly);
    if (!found.isEmpty())
        setCurrentItem(found.first());
}

void FileListBox::reload()
{
    {
        const QSignalBlocker blocker(this);
        clear();
        if (!directory_.isEmpty()) {
            // Name filters of QDir ignore case unless told otherwise: LETTRE.XXE matches *.xxe.
            const QStringList names = QDir(directory_).entryList(
                mask_.split(QLatin1Char(';'), Qt::SkipEmptyParts),
                QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
            addItems(names);
        }
        setCurrentRow(-1);
    }
    emit reloaded();
}

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    // Enter on a file acts like a double click, and nothing more.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        emit fileActivated();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace ombre
