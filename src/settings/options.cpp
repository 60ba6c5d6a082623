#include "settings/options.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace ombre {

TProgramOptions::TProgramOptions()
{
    PlainTextFont.font = QFont(QStringLiteral("Arial"), 10);
    PlainTextFont.color = Qt::black;
    RichTextFont = PlainTextFont;
    if (QCoreApplication::instance())
        ProgramFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    Open = QDir::toNativeSeparators(documents);
    Code = QDir::toNativeSeparators(documents + QStringLiteral("/Fichiers cryptés"));
}

TProgramOptions &ProgramOptions()
{
    static TProgramOptions options;
    return options;
}

void LoadOptions(TProgramOptions &) {}
void SaveOptions(TProgramOptions &) {}
void LoadSplashOption(TProgramOptions &) {}

QColor ColorFromBgr(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int BgrFromColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

} // namespace ombre
