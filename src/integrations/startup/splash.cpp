#include "integrations/startup/splash.h"

namespace ombre {

TfrmSplash::TfrmSplash(QWidget *parent) : QWidget(parent) {}

std::unique_ptr<TfrmSplash> ShowSplash(const QStringList &)
{
    return nullptr;
}

} // namespace ombre
