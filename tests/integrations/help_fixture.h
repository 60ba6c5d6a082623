#pragma once
// A frame whose program folder holds the manual built with the program, and what a test needs
// to look at its help window.

#include "editor/editor_fixture.h"
#include "integrations/startup/help_browser.h"
#include "integrations/startup/help_window.h"

#include <QDesktopServices>
#include <QTest>
#include <QtHelp/QHelpContentWidget>
#include <QtHelp/QHelpEngine>
#include <QtHelp/QHelpIndexWidget>
#include <QtHelp/QHelpLink>

namespace ombre::test {

// Records the addresses handed to the desktop for one scheme, instead of opening them.
class AddressRecorder : public QObject {
    Q_OBJECT
public:
    explicit AddressRecorder(const QString &scheme) : m_scheme(scheme)
    {
        QDesktopServices::setUrlHandler(m_scheme, this, "open");
    }
    ~AddressRecorder() override { QDesktopServices::unsetUrlHandler(m_scheme); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl &address) { opened.append(address); }

private:
    QString m_scheme;
};

class HelpTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        ProgramOptions().ProgramFolder = QStringLiteral(OMBRE_BIN_DIR);
    }

    // The open help window, its contents and index read.
    THelpWindow &help() const
    {
        THelpWindow *window = ExistingHelpWindow(form.get());
        if (!window)
            throw std::runtime_error("no help window");
        QHelpEngine &engine = window->engine();
        const bool ready = QTest::qWaitFor([&engine] {
            return !engine.contentModel()->isCreatingContents() && !engine.indexModel()->isCreatingIndex()
                   && engine.contentModel()->rowCount() > 0;
        });
        EXPECT_TRUE(ready) << "the manual's contents were not read";
        settle();
        return *window;
    }

    static QString pageText(const THelpWindow &window) { return window.Browser->toPlainText().trimmed(); }
};

} // namespace ombre::test
