#pragma once
// The program's frame window: the document area, the menus, the three tool bars and the status
// bar. Declared here once; each handler is defined in the file of the subsystem it belongs to
// (document_files.cpp, main_form_children.cpp, main_form_encryption.cpp, ...).

#include "commands/command_host.h"
#include "editor/command_state.h"
#include "editor/document_info.h"
#include "integrations/integration_host.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QActionGroup;
class QComboBox;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrintPreviewDialog;
class QPrinter;
class QTextCharFormat;
class QTextCursor;
class QTextEdit;
class QToolBar;

namespace ombre {

struct CaretFormat;
class TMDIChild;
class InstanceChannel;
struct HandOver;

class TmProgressWnd;
class TFindReplace;
class TSpellChecker;
class WordProcessorHandOff;

class TMainForm : public QMainWindow, public CommandHost, public IntegrationHost {
    Q_OBJECT
public:
    // `arguments`: the program's command-line arguments, without the program itself.
    explicit TMainForm(const QStringList &arguments = {}, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The document window activated last; every document command works on it.
    QPointer<TMDIChild> ActiveChild;
    // While set, every command on the current document does nothing (no valid active document).
    bool Updating = true;
    // The progress window the long commands share; created on first use.
    TmProgressWnd *ProgressWnd = nullptr;
    bool SpellerAvailable = false;
    // The dictionaries menu lists at least one language: the user can always switch to one,
    // even while the stored language has none.
    bool DictionariesListed = false;
    // The spelling component (main_form_spelling.cpp).
    TSpellChecker *Speller = nullptr;
    // Sends documents to the word processor; holds the copies sent until the program ends.
    std::unique_ptr<WordProcessorHandOff> WordProcessorLink;
    bool Word97Available = false;
    bool FormulasAvailable = false;
    // What the date menu takes for now; a test fixes it.
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

    QMdiArea *MdiArea = nullptr;
    QToolBar *Standard = nullptr;
    QToolBar *Attributs = nullptr;
    QToolBar *Options = nullptr;
    QComboBox *ComboFont = nullptr;
    QComboBox *ComboSize = nullptr;
    QAction *ComboFontAction = nullptr; // the boxes' places on the formatting bar
    QAction *ComboSizeAction = nullptr;

    // Menus.
    QMenu *FileMenu = nullptr, *EditMenu = nullptr, *ViewMenu = nullptr, *InsertMenu = nullptr,
          *FormatMenu = nullptr, *ToolsMenu = nullptr, *WindowMenu = nullptr, *HelpMenu = nullptr;
    QMenu *PopupColor = nullptr;

    // One action per command, objectName = the item's name.
    QAction *FileNewItem, *FileOpenItem, *FileCloseItem, *FileCloseAllItem, *FileSaveItem,
        *FileSaveAsItem, *FilePrintItem, *ApercuItem, *FileConfigItem, *ProprietesItem, *EnvoyerItem, *Word97Item,
        *RaccourciItem, *FileExitItem;
    QAction *UndoItem, *RedoItem, *CutItem, *CopyItem, *PasteItem, *SelectionnerItem, *RechercherItem,
        *RechercherNextItem, *RemplacerItem, *MajusculesItem, *MinusculesItem;
    QAction *BarresItem, *BStandardItem, *BOptionsItem, *BAttributsItem, *RegleItem, *StatusBarItem;
    QAction *DateItem, *FormulesItem, *SignatureItem;
    std::array<QAction *, 9> M{}; // M0..M8 of the date menu; M4 and M7 are separators
    QAction *PolicesItem, *AlignerItem, *GaucheItem, *CentreItem, *DroiteItem, *PucesItem,
        *ReduireItem, *AugmenterItem, *WordwrapItem, *EnrichiItem, *BrutItem;
    QAction *ProportionnelItem = nullptr, *NonProportionnelItem = nullptr; // BrutItem's submenu form
    QAction *OrthographeItem, *DictionnairesItem, *CrypterItem, *FileCrypterItem, *DecrypterItem,
        *AuthentifierItem, *OptionsItem;
    QAction *WindowCascadeItem, *WindowTileItem, *WindowArrangeItem, *WindowMinimizeItem;
    QAction *HelpIndexItem, *HelpChercheItem, *HelpWebItem, *HelpAboutItem;
    // Tool-bar commands that have no menu item of their own (or a handler of their own).
    QAction *BtnPrint, *BtnFont, *BtnBold, *BtnItalic, *BtnUnderline, *BtnColor, *BtnBullet, *BtnDate,
        *BtnFormule;
    QActionGroup *AlignmentGroup = nullptr;

    // Finds a command by its item or button name (tests, and the tool buttons that share one).
    QAction *action(const QString &name) const;

    // The printer and page set-up the print commands use, made on first use (a test points it
    // at a PDF file).
    QPrinter &printer();

    // Part of the document window's life that the frame owns.
    TDocumentInfo InitDocumentInfo(const QString &fileName) const;
    TMDIChild *CreateMDIChild(TDocumentInfo info, bool restoreGeometry, bool loadFile);
    QList<TMDIChild *> DocumentWindows() const; // in creation order
    void UpdateMenuItems();
    // What the active document computed for its caret: the formatting controls, the ruler item
    // and the commands the document window drives.
    void showDocumentState(const CaretFormat &format, const EditCommands &commands, bool ruler);
    // The commands the document window drives; all off while no document is validly active.
    void showEditCommands(const EditCommands &commands);
    // `child` is the document every command now works on.
    void documentActivated(TMDIChild &child);
    void UpdateKeyPanels();
    // Toggled by the Insert key in any document: every document follows the one keyboard state.
    bool InsertToggled = false;
    void toggleInsertMode();

    // Document files.
    void OpenDocumentByName(const QString &path);
    bool SaveDocument(TMDIChild &child);   // Save on that document; true when it was written
    bool SaveDocumentAs(TMDIChild &child); // Save As on that document; true when it was written
    void ConvertToPlainText(TMDIChild &child, bool proportional);
    // The plain-text item's two forms.
    void SetBrutItemSimple();
    void SetBrutItemSubmenu(bool proportional);
    // A document window is closing: the frame stops treating it as a document.
    void ChildClosing(TMDIChild &child);

    // The running instance (main_form_instance.cpp): what later starts hand over opens here.
    void ListenToLaterStarts(InstanceChannel &channel);
    void HandOverReceived(const HandOver &handOver);

public slots:
    void FileNewItemClick();
    void FileOpenItemClick();
    void FileCloseItemClick();
    void FileCloseAllItemClick();
    void FileSaveItemClick();
    void FileSaveAsItemClick();
    void FileExitItemClick();
    void EnrichiItemClick();
    void BrutItemClick();
    void PlainFontItemClick(bool proportional);

    void BStandardItemClick();
    void BOptionsItemClick();
    void BAttributsItemClick();
    void StatusBarItemClick();
    void WindowCascadeItemClick();
    void WindowTileItemClick();
    void WindowArrangeItemClick();
    void WindowMinimizeItemClick();

    // Printing (main_form_printing.cpp).
    void FilePrintItemClick();
    void ApercuItemClick();
    void BtnPrintClick();
    void FileConfigItemClick();

    // Clipboard, undo and case (main_form_editing.cpp).
    void UndoItemClick();
    void RedoItemClick();
    void CutItemClick();
    void CopyItemClick();
    void PasteItemClick();
    void SelectionnerItemClick();
    void MajusculesItemClick();
    void MinusculesItemClick();

    // Find and replace (main_form_find.cpp).
    void RechercherItemClick();
    void RechercherNextItemClick();
    void RemplacerItemClick();

    // Character and paragraph formatting, word wrap and the ruler (main_form_formatting.cpp).
    void RegleItemClick();
    void PolicesItemClick();
    void BtnBoldClick();
    void BtnItalicClick();
    void BtnUnderlineClick();
    void BtnColorClick();
    void C00Click();
    void PopupColorPopup();
    void ComboFontChange();
    void ComboSizeChange();
    void BtnLeftClick();
    void BtnCenterClick();
    void BtnRightClick();
    void BtnBulletClick();
    void PucesItemClick();
    void BtnIdentinClick();
    void BtnIdentdeClick();
    void WordwrapItemClick();

    // The properties (main_form_properties.cpp); encryption (main_form_encryption.cpp); the
    // settings (main_form_settings.cpp); the help (main_form_help.cpp).
    void ProprietesItemClick();
    void BtnCrypterClick();
    void FileCrypterItemClick();
    void BtnDecrypterClick();
    void AuthentifierItemClick();
    void OptionsItemClick();
    void HelpIndexItemClick();
    void HelpChercheItemClick();
    void HelpWebItemClick();
    void HelpAboutItemClick();

    // What the encryption commands need of the frame (main_form_encryption.cpp).
    QWidget *HostWindow() override;
    TmProgressWnd &ProgressWindow() override;
    bool IsUpdating() const override;
    QString ActiveDocumentFileName() const override;
    QByteArray ActiveDocumentStream() override;
    void OpenDecryptedDocument(const DecryptedDocument &document) override;
    void OpenDocumentFile(const QString &path) override;
    void BringToFront() override;
    void ShowHelp(const QString &keyword) override;

    // Insertions (main_form_integrations.cpp): the date menu's refresh on opening, its items
    // (M0Click serves all seven), the date and formula buttons, the signature.
    void DateItemClick();
    void M0Click();
    void BtnDateClick();
    void BtnFormuleClick();
    void SignatureItemClick();
    // Send to (main_form_integrations.cpp): the word processor, the desktop shortcut.
    void Word97ItemClick();
    void RaccourciItemClick();

    // Spelling (main_form_spelling.cpp): the check from the caret, the spelling form of a
    // document's context menu (false: the usual menu applies), the underlines as one types.
    void OrthographeItemClick();
    bool SpellingPopup(QMenu &menu, QTextEdit &editor, const QPoint &viewportPosition);
    void ApplyBackgroundOption();

    // What the insertions need of the frame.
    QTextEdit *ActiveEditor() const override;
    QDateTime CurrentDateTime() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Creation, one function per menu and tool bar (main_form_actions.cpp).
    QAction *makeAction(const QString &name, const QString &caption, const QString &hint,
                        int picture = -2, const QKeySequence &shortcut = {});
    void createFileMenu();
    void createEditMenu();
    void createViewMenu();
    void createInsertMenu();
    void createFormatMenu();
    void createToolsMenu();
    void createWindowMenu();
    void createHelpMenu();
    void createToolBars();
    void nameToolButton(QToolBar *bar, QAction *action, const QString &name);
    void connectHandlers();

    // Tool bars (main_form_toolbars.cpp).
    void FillFontList();
    void PairFontControls();
    void SaveToolBars() const;
    void RestoreToolBars();
    void SyncToolBarItems();

    // Frame life (main_form.cpp).
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void SubWindowActivated(QMdiSubWindow *window);
    void ChildDestroyed();
    void RebuildWindowList();

    // Spelling (main_form_spelling.cpp): the component, the dictionaries menu and the
    // availability; a dictionary chosen.
    void CreateSpeller();
    void BuildDictionaryMenu();
    void DictionaryChosen(int language);
    // The word processor looked for on the PATH (main_form_integrations.cpp).
    void ProbeIntegrations();
    // The documents of the last session (main_form_desktop.cpp).
    void RestoreDesktop();
    void SaveDesktop();
    void RestorePlacement();
    void SavePlacement();
    void CloseSpeller();
    void DecryptAndOpenByName(const QString &path);
    void DropFiles(const QStringList &paths);

    // Insertions (main_form_integrations.cpp): the formulas menu, built at creation and again
    // when the settings dialog closes with OK; sets FormulasAvailable.
    void BuildFormulasMenu();

    // The editor of the document every command works on; null while Updating is set
    // (main_form_editing.cpp).
    QTextEdit *commandEditor() const;
    // Formatting (main_form_formatting.cpp): onto the selection, or the typing position when
    // nothing is selected; each change one undo step.
    void applyCharFormat(const QTextCharFormat &format);
    // Runs `change` on the active document's cursor, then the frame follows its new format.
    void changeParagraphs(const std::function<void(QTextCursor &)> &change);

    // Find and replace (main_form_find.cpp): the dialogs, bound to the active document; a child
    // of the frame, made on first use.
    TFindReplace *FindReplace = nullptr;
    TFindReplace &findReplace();

    // Printing (main_form_printing.cpp): the printer and its page set-up, kept for the session.
    std::unique_ptr<QPrinter> Printer;
    QPrinter *readyPrinter(bool quiet = false); // nullptr when there is none, the user told unless quiet
    bool printWithDialog(QPrinter &target);
    void printOn(QPrinter &target);
    void setUpPage(QPrinter &target);
    void routePreviewButtons(QPrintPreviewDialog &dialog, QPrinter &target);

    QStringList arguments_;
    bool shownOnce_ = false;
    QMenu *brutMenu_ = nullptr;
    QList<QAction *> windowListActions_;
};

} // namespace ombre
