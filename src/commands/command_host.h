#pragma once
// What the encryption commands need from the main window. The commands live below the editor
// (the editor calls them), so they reach the main window and its documents only through this.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QWidget;

namespace ombre {

class TmProgressWnd;

// A document that decryption hands to the main window.
struct DecryptedDocument {
    QString SourceName;     // bare file name from the container; ".rtf" means rich text
    QByteArrayView Content; // the text as the rich-edit control streams it; valid during the call
    bool ReadOnly = true;   // the document opens read-only
    QString OwnerPanel;     // text of the status bar's owner panel; empty: leave it empty
    QString ContainerPath;  // the container the document was deciphered from
};

class CommandHost {
public:
    virtual ~CommandHost() = default;

    // The main window: parent of every dialog, and disabled while progress is shown.
    virtual QWidget *HostWindow() = 0;
    virtual TmProgressWnd &ProgressWindow() = 0;

    // Set while no document window is validly active; commands on the document then do nothing.
    virtual bool IsUpdating() const = 0;
    // The active document's file name (the made-up one for a document never saved).
    virtual QString ActiveDocumentFileName() const = 0;
    // The active document's text as the rich-edit control saves it to a stream: RTF for a
    // rich-text document, its plain text otherwise. The caller wipes the bytes when done.
    virtual QByteArray ActiveDocumentStream() = 0;

    // Creates a document window for a decrypted document (InitDocumentInfo on its name,
    // CreateMDIChild without geometry or loading), loads the content by the window's mode, sets
    // read-only, the decrypted-document picture and the owner panel, and brings the status bar up
    // to date. The new window is the active one.
    virtual void OpenDecryptedDocument(const DecryptedDocument &document) = 0;
    // Opens a file as a document (CreateMDIChild(InitDocumentInfo(path), false, true)).
    virtual void OpenDocumentFile(const QString &path) = 0;
    // Raises the program above other windows (files were dropped on it from elsewhere).
    virtual void BringToFront() = 0;
    // Shows the help page that `keyword` names.
    virtual void ShowHelp(const QString &keyword) = 0;
};

} // namespace ombre
