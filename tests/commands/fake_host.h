#pragma once
// A main window for the encryption commands: one active document (or none), and a record of
// what the commands asked of the window.

#include "commands/command_host.h"
#include "commands/progress_window.h"

#include <QWidget>
#include <vector>

namespace ombre::test {

class FakeHost final : public CommandHost {
public:
    struct OpenedDocument {
        QString SourceName;
        QByteArray Content;
        bool ReadOnly;
        QString OwnerPanel;
    };

    FakeHost();

    QWidget window;
    TmProgressWnd progress{&window};

    bool updating = false;
    QString documentFileName = QStringLiteral("/docs/lettre.rtf");
    QByteArray documentStream;
    int streamRequests = 0;

    std::vector<OpenedDocument> decryptedDocuments;
    QStringList openedFiles;
    QStringList helpKeywords;
    int broughtToFront = 0;
    // Titles and bar positions the progress window showed, in order; "-" marks each hiding.
    QStringList captions;
    std::vector<int> positions;

    QWidget *HostWindow() override { return &window; }
    TmProgressWnd &ProgressWindow() override { return progress; }
    bool IsUpdating() const override { return updating; }
    QString ActiveDocumentFileName() const override { return documentFileName; }
    QByteArray ActiveDocumentStream() override;
    void OpenDecryptedDocument(const DecryptedDocument &document) override;
    void OpenDocumentFile(const QString &path) override { openedFiles << path; }
    void BringToFront() override { ++broughtToFront; }
    void ShowHelp(const QString &keyword) override { helpKeywords << keyword; }
};

} // namespace ombre::test
