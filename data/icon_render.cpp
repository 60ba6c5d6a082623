// Renders the program's SVG icon into one PNG of the icon theme, at the build: the theme wants a
// picture at each usual size, and drawing them from the one SVG keeps them alike.
//
//     ombre_icon_render <icon.svg> <size> <icon.png>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Fonts and the painter's raster engine need an application, not a screen.
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    bool sizeIsNumber = false;
    const int size = args.size() == 4 ? args[2].toInt(&sizeIsNumber) : 0;
    if (!sizeIsNumber || size <= 0) {
        err << "usage: ombre_icon_render <icon.svg> <size> <icon.png>\n";
        return 2;
    }

    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        err << args[1] << ": not a readable SVG picture\n";
        return 1;
    }
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();

    if (!image.save(args[3], "PNG")) {
        err << args[3] << ": cannot be written\n";
        return 1;
    }
    return 0;
}
