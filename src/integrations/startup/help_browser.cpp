#include "integrations/startup/help_browser.h"

#include "integrations/startup/help_window.h"

#include <QDesktopServices>
#include <QtHelp/QHelpEngineCore>

namespace ombre {

THelpBrowser::THelpBrowser(QHelpEngineCore &engine, QWidget *parent) : QTextBrowser(parent), m_engine(engine)
{
    // The browser would try to load any address itself; links are sorted out here.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &THelpBrowser::followLink);
}

QVariant THelpBrowser::loadResource(int type, const QUrl &name)
{
    if (name.scheme() == QLatin1String(kHelpScheme))
        return m_engine.fileData(name);
    return QTextBrowser::loadResource(type, name);
}

void THelpBrowser::followLink(const QUrl &link)
{
    const QUrl target = source().resolved(link);
    if (target.scheme() == QLatin1String(kHelpScheme))
        setSource(target);
    else
        QDesktopServices::openUrl(target);
}

} // namespace ombre
