#include "editor/pictures.h"

#include <QIcon>
#include <QPainter>
#include <QSvgRenderer>
#include <array>

namespace ombre {
namespace {

struct ThemedPicture {
    const char *theme;   // freedesktop name; empty when no theme has a fitting one
    const char *drawing; // the program's own, under :/pictures
};

// Indices are those of the menu image list that the menus and the context menu refer to.
constexpr std::array<ThemedPicture, 32> MenuPictures{{
    {"document-new", "new"},            // 0
    {"document-open", "open"},          // 1
    {"document-save", "save"},          // 2
    {"document-print", "print"},        // 3
    {"edit-cut", "cut"},                // 4
    {"edit-copy", "copy"},              // 5
    {"edit-paste", "paste"},            // 6
    {"edit-find", "find"},              // 7
    {"x-office-calendar", "date"},      // 8
    {"", "signature"},                  // 9
    {"preferences-desktop-font", "font"}, // 10
    {"format-justify-left", "align"},   // 11
    {"format-list-unordered", "bullets"}, // 12
    {"format-indent-less", "indent-less"}, // 13
    {"format-indent-more", "indent-more"}, // 14
    {"", "encrypt"},                    // 15
    {"", "decrypt"},                    // 16
    {"help-contents", "help"},          // 17
    {"tools-check-spelling", "spelling"}, // 18
    {"edit-undo", "undo"},              // 19
    {"", ""},                           // 20: unused
    {"internet-web-browser", "web"},    // 21
    {"", "formula"},                    // 22
    {"", "word"},                       // 23
    {"", "cascade"},                    // 24
    {"", "tile"},                       // 25
    {"", "minimize"},                   // 26
    {"edit-find-replace", "replace"},   // 27
    {"", "uppercase"},                  // 28
    {"", "lowercase"},                  // 29
    {"", "authenticate"},               // 30
    {"", "shortcut"},                   // 31
}};

QString drawingPath(const char *name)
{
    return QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(name));
}

QIcon themed(const ThemedPicture &picture)
{
    if (*picture.drawing == '\0')
        return {};
    const QIcon own(drawingPath(picture.drawing));
    if (*picture.theme == '\0')
        return own;
    return QIcon::fromTheme(QLatin1String(picture.theme), own);
}

QPixmap render(const char *name, QSize size)
{
    QSvgRenderer renderer(drawingPath(name));
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

QIcon MenuPicture(int index)
{
    if (index < 0 || index >= static_cast<int>(MenuPictures.size()))
        return {};
    return themed(MenuPictures[static_cast<std::size_t>(index)]);
}

QIcon ToolBarPicture(ToolPicture picture)
{
    switch (picture) {
    case ToolPicture::Bold: return themed({"format-text-bold", "bold"});
    case ToolPicture::Italic: return themed({"format-text-italic", "italic"});
    case ToolPicture::Underline: return themed({"format-text-underline", "underline"});
    case ToolPicture::Color: return themed({"", "color"});
    case ToolPicture::AlignLeft: return themed({"format-justify-left", "align-left"});
    case ToolPicture::AlignCenter: return themed({"format-justify-center", "align-center"});
    case ToolPicture::AlignRight: return themed({"format-justify-right", "align-right"});
    case ToolPicture::Redo: return themed({"edit-redo", "redo"});
    case ToolPicture::PrintPreview: return themed({"document-print-preview", "print-preview"});
    }
    return {};
}

QPixmap StatusPicture(int index)
{
    static constexpr std::array<const char *, 5> names{
        "status-modified", "status-unmodified", "status-wrap-on", "status-wrap-off", "status-decoded"};
    if (index < 0 || index >= static_cast<int>(names.size()))
        return {};
    return render(names[static_cast<std::size_t>(index)], QSize(21, 15));
}

QPixmap BackgroundTile()
{
    return render("fond", QSize(189, 91));
}

QPixmap TrueTypePicture()
{
    return render("truetype", QSize(12, 12));
}

QIcon ProgramIcon()
{
    return QIcon(drawingPath("ombrelunaire"));
}

} // namespace ombre
