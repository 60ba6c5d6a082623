// A later start of the program hands its document to this running one.

#include "editor/main_form.h"

#include "editor/mdi_child.h"
#include "integrations/startup/first_instance.h"
#include "platform/instance_channel.h"

#include <QGuiApplication>
#include <QMdiArea>

namespace ombre {

void TMainForm::ListenToLaterStarts(InstanceChannel &channel)
{
    connect(&channel, &InstanceChannel::received, this, &TMainForm::HandOverReceived);
    channel.serve();
}

void TMainForm::HandOverReceived(const HandOver &handOver)
{
    // On Wayland a window may take the focus only with the token the desktop gave the start
    // that asked for it.
    if (!handOver.activationToken.isEmpty() && QGuiApplication::platformName() == QLatin1String("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", handOver.activationToken);
    BringToFront();
    if (handOver.path.isEmpty())
        return;
    // The same file asked for twice comes to the front rather than opening a second window that
    // would save over the first.
    const QString wanted = HandOverPath(handOver.path);
    for (TMDIChild *child : DocumentWindows())
        if (HandOverPath(child->DocumentInfo.FileName) == wanted
            || (!child->ContainerPath.isEmpty() && HandOverPath(child->ContainerPath) == wanted)) {
            MdiArea->setActiveSubWindow(child->subWindow());
            return;
        }
    OpenDocumentByName(handOver.path);
}

} // namespace ombre
