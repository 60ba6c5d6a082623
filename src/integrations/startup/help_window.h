#pragma once
// The help window over the manual: its contents and its keyword index beside the page view.
// One per frame, made on first use, kept and brought to the front by every later request.

#include <QString>
#include <QUrl>
#include <QWidget>
#include <memory>

class QHelpContentWidget;
class QHelpEngine;
class QHelpIndexWidget;
class QLineEdit;
class QTabWidget;

namespace ombre {

class THelpBrowser;

// The scheme of the manual's addresses (qthelp://fr.morvandel.ombrelunaire.1.0/manuel/...).
inline constexpr const char *kHelpScheme = "qthelp";

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(std::unique_ptr<QHelpEngine> engine, QWidget *parent = nullptr);
    ~THelpWindow() override;

    void showContents();           // the contents, and the manual's first page when none is shown
    void showIndex();              // the index, its keyword field empty and focused
    void showTopic(const QString &keyword); // the keyword's page; the contents for an unknown one
    void showPage(const QUrl &page);

    QHelpEngine &engine() const { return *m_engine; }

    QTabWidget *Tabs = nullptr;
    QHelpContentWidget *Contents = nullptr;
    QWidget *IndexPage = nullptr;
    QLineEdit *IndexField = nullptr;
    QHelpIndexWidget *Index = nullptr;
    THelpBrowser *Browser = nullptr;

private:
    void bringToFront();
    void followModality();
    void showHomeWhenEmpty();
    void followContents(const QUrl &page);

    std::unique_ptr<QHelpEngine> m_engine;
};

// `owner`'s help window when it has one.
THelpWindow *ExistingHelpWindow(const QWidget *owner);

// The help requests of the frame. When the manual cannot be opened, the user is told why
// through the modal seam and no window appears.
void ShowHelpContents(QWidget *owner);
void ShowHelpIndex(QWidget *owner);
void ShowHelpTopic(QWidget *owner, const QString &keyword);

// Opens `address` through the desktop; the manual's own addresses open in `owner`'s help window.
void OpenAddress(QWidget *owner, const QUrl &address);

} // namespace ombre
