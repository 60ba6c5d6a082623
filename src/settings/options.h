#pragma once
// The program's options: one value per registry value of the Font, Directory and Options keys,
// the two default fonts held beside them, and the folder of the program.
//
// The program has ONE set of options, reached through ProgramOptions(). It is filled with the
// defaults on first use, LoadOptions() is run once when the main window is created and
// SaveOptions() once when it closes. Tests reset it with `ProgramOptions() = TProgramOptions();`.

#include "platform/store_names.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace ombre {

// Key paths under HKEY_CURRENT_USER.
inline const QString RootKey = QString::fromUtf8(store::kRootKey);
inline const QString FontKey = RootKey + QStringLiteral("\\Font");
inline const QString DirectoryKey = RootKey + QStringLiteral("\\Directory");
inline const QString OptionsKey = RootKey + QStringLiteral("\\Options");
inline const QString FormulesKey = RootKey + QStringLiteral("\\Formules");
inline const QString ApplicationKey = RootKey + QStringLiteral("\\Application");
inline const QString ToolBarsKey = RootKey + QStringLiteral("\\ToolBars");
inline const QString DesktopKey = RootKey + QStringLiteral("\\Desktop");

// The two formats that the encryption commands write (Format): the compatible containers
// (".cod", ".uue", ".xxe") and the strong format (age, ".age").
inline constexpr int FormatCompatible = 0;
inline constexpr int FormatAge = 1;
// The choice as the settings and the encryption dialog both show it.
inline const QString FormatCompatibleCaption = QStringLiteral("Compatible (PC1)");
inline const QString FormatAgeCaption = QStringLiteral("Renforcé (age)");
inline const QString FormatCompatibleHint =
    QStringLiteral("Fichiers .cod, .uue ou .xxe, que toutes les versions du programme ouvrent");
inline const QString FormatAgeHint = QStringLiteral("Fichiers .age (format age) : mot de passe long, renforcé par scrypt");

// A default font of new documents: face, size and style in `font`, colour apart because a
// QFont carries none.
struct TextFont {
    QFont font;
    QColor color;
};

struct TProgramOptions {
    // Builds the defaults; `ProgramFolder`, `Open` and `Code` need the running application.
    TProgramOptions();

    // Font: mirror RichTextFont. LoadOptions applies them to RichTextFont; SaveOptions takes
    // them from it first, so code elsewhere reads and changes RichTextFont only.
    QString Name = QStringLiteral("Arial");
    int Size = 10;
    int Color = 0; // 0x00BBGGRR

    // Directory (defaults in the user's documents folder: a program folder is not writable).
    QString Open;
    QString Code;

    // Options
    int Filter = 1;             // 1-based index of the open dialog's filter
    bool Options = false;       // encrypt-file dialog shows its extended panel
    int UUEncode = 0;           // 0 none, 1 UUE, 2 XXE
    int Format = FormatCompatible; // or FormatAge
    QString Signature;          // may hold line breaks ("\n", as the settings dialog gives them)
    int Date = 0;               // 0..8
    int Formule = 0;            // zero-based current polite formula
    bool Splash = true;
    int Dictionary = 1036;      // language identifier (French)
    bool Interactive = true;
    bool Background = true;     // misspelled words underlined in red as the user types
    bool Ruler = true;
    bool Authenticity = true;
    bool Desktop = true;
    bool Password = false;      // password edits show "*"
    int Onglet = 0;             // settings page shown on opening, 0..5
    bool Proportional = false;  // plain text in Arial (true) or Courier New (false)
    QString Symboles = QStringLiteral("# $ % & ' æ © @");
    bool MdiSize = false;
    bool Wordwrap = true;
    bool ReadOnly = true;

    // Stamped into every container; empty until the user sets it. Stored as the string
    // "OwnerName" under RootKey, written at once when the settings dialog accepts a new one.
    QString OwnerName;

    // Never stored: Arial 10 black, plain text and the "Défaut" button of the settings dialog.
    TextFont PlainTextFont;
    // Default font of new rich-text documents; its style lasts until exit but is not stored.
    TextFont RichTextFont;

    // The executable's folder, without trailing separator (locates the help collection).
    QString ProgramFolder;
};

// The program's one set of options.
TProgramOptions &ProgramOptions();

// Reads every stored field except Splash (read at start-up, see LoadSplashOption), with the
// field's current value as default; then OwnerName, and applies Name/Size/Color to RichTextFont.
void LoadOptions(TProgramOptions &options);
// Writes Version and BETA, then every field except OwnerName. Registry failures are ignored.
void SaveOptions(TProgramOptions &options);
// Start-up reads Splash alone, before the main window exists.
void LoadSplashOption(TProgramOptions &options);
// Stores the owner name at once (the command-line tool reads it from the store too).
bool SaveOwnerName(const QString &ownerName);

// Whether a file sealed in the strong format is armoured. age has one text armour: any armour the
// option UUEncode chooses for the compatible format asks for it, so that one box means "text for
// mail" in both formats and the compatible choice (UUE or XXE) is kept as the user left it.
bool AgeArmoured(const TProgramOptions &options);

// The 0x00BBGGRR colour value of the Font key and back.
QColor ColorFromBgr(int bgr);
int BgrFromColor(const QColor &color);

} // namespace ombre
