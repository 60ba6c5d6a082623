#pragma once

namespace ombre {

// The pictures of the encryption dialogs live in this static library; the linker keeps them only
// when something refers to them, so every form that uses one calls this first.
void ensureCommandResources();

} // namespace ombre
