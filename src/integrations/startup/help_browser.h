#pragma once
// The page view of the help window: reads the manual's pages, style sheets and pictures from the
// help engine; links to other pages stay in the view, outside addresses go to the desktop.

#include <QTextBrowser>

class QHelpEngineCore;

namespace ombre {

class THelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    THelpBrowser(QHelpEngineCore &engine, QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    void followLink(const QUrl &link);

    QHelpEngineCore &m_engine;
};

} // namespace ombre
