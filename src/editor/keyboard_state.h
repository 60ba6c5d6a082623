#pragma once
// The keyboard's lock toggles, for the Cap and Num panels of the document windows. Qt has no
// portable query for them: on X11 the XKB indicator state is read; elsewhere (Wayland, the
// offscreen platform) both read as off. The Insert toggle is not a keyboard state on this
// platform: the frame keeps it (TMainForm::InsertToggled).

namespace ombre {

struct LockToggles {
    bool capsLock = false;
    bool numLock = false;
};

LockToggles ReadLockToggles();

} // namespace ombre
