#include "fake_host.h"

#include <QProgressBar>

namespace ombre::test {

FakeHost::FakeHost()
{
    window.setGeometry(50, 50, 800, 600);
    // Called by every showing, once the form exists: watch its title and bar.
    progress.OnPositionWindow = [this](int &, int &) {
        TfrmProgress *form = progress.Form();
        captions << form->windowTitle();
        QObject::connect(form, &QWidget::windowTitleChanged, form, [this](const QString &title) { captions << title; });
        QObject::connect(form->ProgressBar, &QProgressBar::valueChanged, form,
                         [this](int value) { positions.push_back(value); });
        QObject::connect(form, &QObject::destroyed, &window, [this] { captions << QStringLiteral("-"); });
    };
}

QByteArray FakeHost::ActiveDocumentStream()
{
    ++streamRequests;
    return documentStream;
}

void FakeHost::OpenDecryptedDocument(const DecryptedDocument &document)
{
    decryptedDocuments.push_back({document.SourceName, document.Content.toByteArray(), document.ReadOnly,
                                  document.OwnerPanel});
}

} // namespace ombre::test
