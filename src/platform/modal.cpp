#include "platform/modal.h"

#include "platform/font_color_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>

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

// The real dialogs. File dialogs are built by hand so that the default suffix and the overwrite
// confirmation follow the request.
class RealModal final : public ModalSeam {
public:
    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override
    {
        QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
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
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.confirmOverwrite)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        const QString filter = selectedFilterOf(request);
        if (!filter.isEmpty())
            dialog.selectNameFilter(filter);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        rememberFilter(request, dialog.selectedNameFilter());
        return dialog.selectedFiles().value(0);
    }

    QString existingDirectory(QWidget *parent, const QString &title, const QString &directory) override
    {
        return QFileDialog::getExistingDirectory(parent, title, directory);
    }

    std::optional<QFont> font(QWidget *parent, const QFont &initial, const QString &title) override
    {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, initial, parent, title);
        if (!ok)
            return std::nullopt;
        return chosen;
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
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(mode);
        const QString filter = selectedFilterOf(request);
        if (!filter.isEmpty())
            dialog.selectNameFilter(filter);
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
    return QApplication::applicationDisplayName().isEmpty() ? QStringLiteral("Ombrelunaire 98")
                                                            : QApplication::applicationDisplayName();
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
