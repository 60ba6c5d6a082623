#include "settings/options.h"

#include "cipher/armour_kind.h"
#include "platform/registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <span>
#include <variant>

namespace ombre {
namespace {

using Field = std::variant<QString TProgramOptions::*, int TProgramOptions::*, bool TProgramOptions::*>;

struct StoredOption {
    const QString &key;
    const char *name;
    Field field;
};

// Every stored option, in the order SaveOptions writes them. LoadOptions reads them in the same
// order, all but Splash, which start-up reads alone.
std::span<const StoredOption> storedOptions()
{
    static const StoredOption options[] = {
        {FontKey, "Name", &TProgramOptions::Name},
        {FontKey, "Size", &TProgramOptions::Size},
        {FontKey, "Color", &TProgramOptions::Color},
        {DirectoryKey, "Open", &TProgramOptions::Open},
        {DirectoryKey, "Code", &TProgramOptions::Code},
        {OptionsKey, "Filter", &TProgramOptions::Filter},
        {OptionsKey, "Options", &TProgramOptions::Options},
        {OptionsKey, "UUEncode", &TProgramOptions::UUEncode},
        {OptionsKey, "Format", &TProgramOptions::Format},
        {OptionsKey, "Signature", &TProgramOptions::Signature},
        {OptionsKey, "Date", &TProgramOptions::Date},
        {OptionsKey, "Formule", &TProgramOptions::Formule},
        {OptionsKey, "Splash", &TProgramOptions::Splash},
        {OptionsKey, "Dictionary", &TProgramOptions::Dictionary},
        {OptionsKey, "Interactive", &TProgramOptions::Interactive},
        {OptionsKey, "Background", &TProgramOptions::Background},
        {OptionsKey, "Ruler", &TProgramOptions::Ruler},
        {OptionsKey, "Authenticity", &TProgramOptions::Authenticity},
        {OptionsKey, "Desktop", &TProgramOptions::Desktop},
        {OptionsKey, "Password", &TProgramOptions::Password},
        {OptionsKey, "Onglet", &TProgramOptions::Onglet},
        {OptionsKey, "Proportional", &TProgramOptions::Proportional},
        {OptionsKey, "Symboles", &TProgramOptions::Symboles},
        {OptionsKey, "MdiSize", &TProgramOptions::MdiSize},
        {OptionsKey, "Wordwrap", &TProgramOptions::Wordwrap},
        {OptionsKey, "ReadOnly", &TProgramOptions::ReadOnly},
    };
    return options;
}

const char *const SplashName = "Splash";
const QString OwnerNameValue = QString::fromUtf8(store::kOwnerNameValue);
// The largest point size a font dialog offers; a stored size outside 1..this is not applied.
constexpr int MaxPointSize = 1638;

void readOption(TProgramOptions &options, const StoredOption &stored)
{
    const QString name = QLatin1String(stored.name);
    std::visit(
        [&](auto member) {
            auto &value = options.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, QString>)
                value = RegReadStr(stored.key, name, value);
            else if constexpr (std::is_same_v<T, int>)
                value = RegReadInt(stored.key, name, value);
            else
                value = RegReadBool(stored.key, name, value);
        },
        stored.field);
}

void writeOption(const TProgramOptions &options, const StoredOption &stored)
{
    const QString name = QLatin1String(stored.name);
    std::visit(
        [&](auto member) {
            const auto &value = options.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, QString>)
                RegWriteStr(stored.key, name, value);
            else if constexpr (std::is_same_v<T, int>)
                RegWriteInt(stored.key, name, value);
            else
                RegWriteBool(stored.key, name, value);
        },
        stored.field);
}

bool isSplash(const StoredOption &stored)
{
    return qstrcmp(stored.name, SplashName) == 0;
}

void takeFontFields(TProgramOptions &options)
{
    options.Name = options.RichTextFont.font.family();
    if (options.RichTextFont.font.pointSize() > 0)
        options.Size = options.RichTextFont.font.pointSize();
    options.Color = BgrFromColor(options.RichTextFont.color);
}

// The stored face, size and colour become those of RichTextFont; a size no font can have is
// left out (the field then follows the font again).
void applyFontFields(TProgramOptions &options)
{
    if (!options.Name.isEmpty())
        options.RichTextFont.font.setFamily(options.Name);
    if (options.Size >= 1 && options.Size <= MaxPointSize)
        options.RichTextFont.font.setPointSize(options.Size);
    options.RichTextFont.color = ColorFromBgr(options.Color);
    takeFontFields(options);
}

} // namespace

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

void LoadOptions(TProgramOptions &options)
{
    for (const StoredOption &stored : storedOptions())
        if (!isSplash(stored))
            readOption(options, stored);
    options.OwnerName = RegReadStr(RootKey, OwnerNameValue, options.OwnerName);
    // A value this program never writes (an edited store, a later version) seals in the format
    // every version reads.
    if (options.Format != FormatAge)
        options.Format = FormatCompatible;
    applyFontFields(options);
}

void SaveOptions(TProgramOptions &options)
{
    takeFontFields(options);

    const RegWriteBatch batch;
    RegWriteStr(RootKey, QStringLiteral("Version"), QStringLiteral("1.0"));
    RegWriteStr(RootKey, QStringLiteral("BETA"), QStringLiteral("BETA 03"));
    for (const StoredOption &stored : storedOptions())
        writeOption(options, stored);
}

void LoadSplashOption(TProgramOptions &options)
{
    for (const StoredOption &stored : storedOptions())
        if (isSplash(stored))
            readOption(options, stored);
}

bool SaveOwnerName(const QString &ownerName)
{
    return RegWriteStr(RootKey, OwnerNameValue, ownerName);
}

bool AgeArmoured(const TProgramOptions &options)
{
    return ArmourKindOfOption(options.UUEncode) != ArmourKind::Cod;
}

QColor ColorFromBgr(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int BgrFromColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

} // namespace ombre
