#pragma once
// A document window: the rich-edit control with its ruler, status bar and context menu, and the
// record of the document it shows. It computes what the frame's tool bars and menus show for the
// caret and hands that to the frame, which applies it. Reading and writing files, and the
// questions they raise, belong to the frame.

#include "editor/command_state.h"
#include "editor/document_info.h"
#include "editor/ruler_math.h"
#include "rtf/plain_text.h"

#include <QWidget>
#include <array>

class QLabel;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QTextEdit;

namespace ombre {

class TMainForm;
class TRuler;

class TMDIChild : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelCount = 9;

    explicit TMDIChild(TMainForm &mainForm, QWidget *parent = nullptr);

    TMainForm &MainForm;
    TDocumentInfo DocumentInfo;
    // How a plain-text file was found, so that it is written back the same way.
    PlainTextEncoding TextEncoding;
    // The container this document was deciphered from, shown in its properties; empty otherwise.
    QString ContainerPath;

    QTextEdit *RichEdit;
    TRuler *Ruler;
    QStatusBar *StatusBar;
    std::array<QLabel *, PanelCount> Panels{};
    QLabel *ImgModifie;  // over panel 2
    QLabel *ImgWordwrap; // over panel 3
    QLabel *ImgDecode;   // over panel 7
    QMenu *ChildPopup;

    QMdiSubWindow *subWindow() const;
    QString panelText(int panel) const;

    bool isModified() const;
    void setModified(bool modified);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    bool wordWrap() const;
    void setWordWrap(bool wrap);

    void ShowModifiedState();
    void ShowWordwrapState();
    void RichEditSelectionChange();
    void ShowKeyStates(bool capsLock, bool insertMode, bool numLock);
    // The commands that follow the caret and the clipboard (cut, copy, paste, undo, find, ...).
    EditCommands editCommands() const;
    // The frame shows them, when this is the active document.
    void ShowEditCommands();
    // The close question; true when the window may close (defined with the document files).
    bool FormCloseQuery();
    // Closed and about to go: no longer one of the frame's documents.
    bool isClosing() const { return closing_; }

    // Detaches the change handler for the guard's lifetime (mode switches that must not mark
    // the document as modified).
    class ChangeHandlerDetached {
    public:
        explicit ChangeHandlerDetached(TMDIChild &child) : child_(child), was_(child.changeHandlerAttached_)
        {
            child_.changeHandlerAttached_ = false;
        }
        ~ChangeHandlerDetached() { child_.changeHandlerAttached_ = was_; }
        ChangeHandlerDetached(const ChangeHandlerDetached &) = delete;
        ChangeHandlerDetached &operator=(const ChangeHandlerDetached &) = delete;

    private:
        TMDIChild &child_;
        bool was_;
    };

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void RichEditChange();
    bool RichEditKeyDown(QKeyEvent *event);
    void RulerIndentChange(RulerHandle moved);
    void ChildPopupPopup(const QPoint &pos);
    void ShowRuler();
    void ShowCaretPosition();
    ParagraphIndents currentIndents() const;

    bool changeHandlerAttached_ = true;
    bool closing_ = false;
};

} // namespace ombre
