#include "platform/modal.h"

#include "cipher/user_texts.h"

#include "platform/font_color_dialog.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <QTreeView>

namespace ombre {
namespace {

QString joinedFilters(const FileDialogRequest &request)
{
    return request.filters.join(QStringLiteral(";;"));
}

QString selectedFilterOf(const FileDialogRequest &request)
{
    if (request.filterIndex >= 0 && request.filterIndex < request.filters.size())
        return request.filters.at(request.filterIndex);
    return QString();
}

void rememberFilter(FileDialogRequest &request, const QString &chosen)
{
    const int index = request.filters.indexOf(chosen);
    if (index >= 0)
        request.filterIndex = index;
}

// Qt's file dialogs open too narrow for their detail columns to be read.
constexpr QSize FileDialogSize(800, 500);
// The columns of Qt's file model.
constexpr int NameColumn = 0;
constexpr int SizeColumn = 1;
constexpr int DateColumn = 3;

// Qt's file model writes sizes and dates in the system's locale, in English where the system
// names none; the program's locale is French.
class FrenchFileColumns final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == SizeColumn && !files->isDir(source))
            return QLocale().formattedDataSize(files->size(source));
        if (index.column() == DateColumn)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

// A file dialog of the program: its own widgets, whatever the desktop offers, so that its
// columns speak French and get the room below.
void useFrenchColumns(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new FrenchFileColumns(&dialog));
}

// Opens the dialog large enough for its detail view, within the screen, with the size, type
// and date columns as wide as their titles and contents and the name column taking the rest.
void sizeFileDialog(QFileDialog &dialog)
{
    QSize size = FileDialogSize.expandedTo(dialog.sizeHint());
    if (const QScreen *screen = dialog.screen())
        size = size.boundedTo(screen->availableGeometry().size());
    dialog.resize(size);
    if (auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = view->header();
        header->setStretchLastSection(false);
        for (int column = 0; column < header->count(); ++column)
            header->setSectionResizeMode(column, column == NameColumn ? QHeaderView::Stretch
                                                                       : QHeaderView::ResizeToContents);
    }
}

// A message's label wraps at word boundaries only: a run of characters that the line breaker
// cannot split (a long file name, a path without separators) would be clipped. Such runs get
// a break opportunity between their characters; shorter ones stay whole.
constexpr int LongestUnbrokenRun = 40;
const QChar ZeroWidthSpace(0x200B);

QString wrappable(const QString &text)
{
    QString result;
    result.reserve(text.size());
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype next = breaks.toNextBoundary();
        const qsizetype end = next < 0 ? text.size() : next;
        const QStringView run = QStringView(text).mid(start, end - start);
        if (run.size() <= LongestUnbrokenRun) {
            result += run;
        } else {
            for (qsizetype i = 0; i < run.size(); ++i) {
                result += run[i];
                // Never between the two halves of a surrogate pair.
                if (i + 1 < run.size() && !run[i].isHighSurrogate())
                    result += ZeroWidthSpace;
            }
        }
        start = end;
    }
    return result;
}

// The real dialogs. File dialogs are built by hand so that the default suffix and the overwrite
// confirmation follow the request.
class RealModal final : public ModalSeam {
public:
    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override
    {
        QMessageBox box(request.icon, request.title, wrappable(request.text), request.buttons, parent);
        if (request.defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(request.defaultButton);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    QString openFileName(QWidget *parent, FileDialogRequest &request) override
    {
        const QStringList names = runFileDialog(parent, request, QFileDialog::ExistingFile);
        return names.value(0);
    }

    QStringList openFileNames(QWidget *parent, FileDialogRequest &request) override
    {
        return runFileDialog(parent, request, QFileDialog::ExistingFiles);
    }

    QString saveFileName(QWidget *parent, FileDialogRequest &request) override
    {
        QFileDialog dialog(parent, request.title, request.directory, joinedFilters(request));
        useFrenchColumns(dialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.confirmOverwrite)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(request.defaultSuffix);
        // Selecting a filter gives the proposed name the filter's extension, even one that
        // differs only in case ("MAJ.RTF" would become a new "MAJ.rtf"): the name comes after.
        const QString filter = selectedFilterOf(request);
        if (!filter.isEmpty())
            dialog.selectNameFilter(filter);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        sizeFileDialog(dialog);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        rememberFilter(request, dialog.selectedNameFilter());
        return dialog.selectedFiles().value(0);
    }

    QString existingDirectory(QWidget *parent, const QString &title, const QString &directory) override
    {
        QFileDialog dialog(parent, title, directory);
        useFrenchColumns(dialog);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        sizeFileDialog(dialog);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.selectedFiles().value(0);
    }

    std::optional<QFont> font(QWidget *parent, const QFont &initial, const QString &title) override
    {
        return runFontDialog(parent, initial, title);
    }

    std::optional<FontChoice> fontAndColor(QWidget *parent, const FontChoice &initial, const QString &title) override
    {
        return runFontColorDialog(parent, initial, title);
    }

    std::optional<QColor> color(QWidget *parent, const QColor &initial, const QString &title) override
    {
        const QColor chosen = QColorDialog::getColor(initial, parent, title);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }

    int exec(QDialog &dialog) override { return dialog.exec(); }

private:
    static QStringList runFileDialog(QWidget *parent, FileDialogRequest &request, QFileDialog::FileMode mode)
    {
        QFileDialog dialog(parent, request.title, request.directory, joinedFilters(request));
        useFrenchColumns(dialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(mode);
        const QString filter = selectedFilterOf(request);
        if (!filter.isEmpty())
            dialog.selectNameFilter(filter);
        sizeFileDialog(dialog);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        rememberFilter(request, dialog.selectedNameFilter());
        return dialog.selectedFiles();
    }
};

ModalSeam *&current()
{
    static RealModal real;
    static ModalSeam *seam = &real;
    return seam;
}

} // namespace

std::optional<FontChoice> ModalSeam::fontAndColor(QWidget *parent, const FontChoice &initial, const QString &title)
{
    const std::optional<QFont> chosen = font(parent, initial.font, title);
    if (!chosen)
        return std::nullopt;
    return FontChoice{*chosen, initial.color};
}

ModalSeam &modal()
{
    return *current();
}

ModalOverride::ModalOverride(ModalSeam &seam) : previous_(current())
{
    current() = &seam;
}

ModalOverride::~ModalOverride()
{
    current() = previous_;
}

QString messageTitle()
{
    return QString::fromUtf8(user_texts::kProgramTitle);
}

QMessageBox::StandardButton showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton, const QString &title)
{
    MessageRequest request;
    request.icon = icon;
    request.title = title.isEmpty() ? messageTitle() : title;
    request.text = text;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    return modal().message(parent, request);
}

} // namespace ombre
