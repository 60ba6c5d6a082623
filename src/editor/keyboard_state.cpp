#include "editor/keyboard_state.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#ifdef OMBRE_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace ombre {

LockToggles ReadLockToggles()
{
    LockToggles toggles;
#ifdef OMBRE_HAVE_X11
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return toggles;
    // Named indicators: their order in the keymap is not fixed.
    auto lit = [display](const char *name) {
        Bool on = False;
        const Atom atom = XInternAtom(display, name, True);
        return atom != None && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
    };
    toggles.capsLock = lit("Caps Lock");
    toggles.numLock = lit("Num Lock");
#endif
    return toggles;
}

} // namespace ombre
