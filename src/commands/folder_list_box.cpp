#include "commands/folder_list_box.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>

namespace ombre {
namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

FolderListBox::FolderListBox(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(10);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { open(item); });
}

bool FolderListBox::setDirectory(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir() || !info.isReadable() || !QDir(path).isReadable())
        return false;
    directory_ = QDir::cleanPath(info.absoluteFilePath());
    rebuild();
    emit directoryChanged(directory_);
    return true;
}

void FolderListBox::rebuild()
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain from the volume's root down to the current folder, one level per item.
    QString root = QDir::cleanPath(QStorageInfo(directory_).rootPath());
    if (root.isEmpty() || !directory_.startsWith(root))
        root = QStringLiteral("/");
    QStringList chain{directory_};
    for (QDir dir(directory_); QDir::cleanPath(dir.absolutePath()) != root && dir.cdUp();)
        chain.prepend(QDir::cleanPath(dir.absolutePath()));

    QTreeWidgetItem *parent = nullptr;
    for (const QString &folder : chain) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        const QString name = QFileInfo(folder).fileName();
        item->setText(0, name.isEmpty() ? folder : name);
        item->setIcon(0, openIcon);
        item->setData(0, PathRole, folder);
        item->setToolTip(0, QDir::toNativeSeparators(folder));
        parent = item;
    }
    const QStringList children = QDir(directory_).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString &child : children) {
        auto *item = new QTreeWidgetItem(parent);
        item->setText(0, child);
        item->setIcon(0, closedIcon);
        item->setData(0, PathRole, QDir(directory_).filePath(child));
    }
    expandAll();
    setCurrentItem(parent);
    scrollToItem(parent, QAbstractItemView::PositionAtCenter);
}

void FolderListBox::open(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QString path = item->data(0, PathRole).toString();
    if (path != directory_ && !setDirectory(path))
        QApplication::beep();
}

void FolderListBox::keyPressEvent(QKeyEvent *event)
{
    // Enter opens the folder instead of pressing the dialog's default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace ombre
