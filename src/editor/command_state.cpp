#include "editor/command_state.h"

namespace ombre {

FrameCommands ComputeFrameCommands(const FrameState &state)
{
    const bool d = state.documents > 0;
    // With no valid active document nothing is read-only: the document rows then follow D alone.
    const bool w = !d || state.updating || !state.activeReadOnly;
    FrameCommands c;
    c.D = d;
    c.D2 = state.documents > 1;
    c.Word97 = d && state.word97Available;
    c.WD = w && d;
    c.Formulas = c.WD && state.formulasAvailable;
    c.Signature = c.WD && state.signatureSet;
    c.Spelling = c.WD && state.spellerAvailable;
    c.Dictionaries = state.dictionariesListed;
    c.R = d && !state.updating && !state.activePlainText;
    c.RW = c.R && w;
    return c;
}

EditCommands ComputeEditCommands(const EditState &state)
{
    EditCommands c;
    c.cutCopy = state.writable && state.selection;
    c.paste = state.writable && state.clipboardText;
    c.undo = state.writable && state.canUndo;
    c.redo = state.writable && state.canRedo;
    c.find = state.text;
    c.replace = state.writable && state.text;
    c.changeCase = state.writable && state.selection;
    c.change = state.writable;
    return c;
}

} // namespace ombre
