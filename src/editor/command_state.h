#pragma once
// Which commands are available, derived in one place from a small description of the program's
// state. The frame (UpdateMenuItems) and the document window (RichEditSelectionChange) apply
// these flags to their actions; nothing else decides whether a command is enabled. The document
// window computes its EditCommands and the frame applies them (TMainForm::showDocumentState).

namespace ombre {

// What the frame's command state depends on.
struct FrameState {
    int documents = 0;            // open document windows
    bool updating = true;         // no document window validly active
    bool activePlainText = false; // of the active document
    bool activeReadOnly = false;
    bool word97Available = false;
    bool formulasAvailable = false;
    bool signatureSet = false;
    bool spellerAvailable = false;
    bool dictionariesListed = false; // the dictionaries menu has a language to offer
};

// One flag per row of the frame's command table.
struct FrameCommands {
    bool D = false;           // a document is open
    bool D2 = false;          // at least two are open
    bool Word97 = false;      // D and the word processor is there
    bool WD = false;          // D and the active document can be written
    bool Formulas = false;    // WD and formulas exist
    bool Signature = false;   // WD and a signature is set
    bool Spelling = false;    // WD and the speller is available
    bool Dictionaries = false; // a dictionary is there to choose
    bool R = false;           // the active document is rich text
    bool RW = false;          // R and writable
};

FrameCommands ComputeFrameCommands(const FrameState &state);

// What the document window's own command state depends on.
struct EditState {
    bool writable = false;
    bool selection = false;
    bool text = false;
    bool clipboardText = false;
    bool canUndo = false;
    bool canRedo = false;
};

struct EditCommands {
    bool cutCopy = false;
    bool paste = false;
    bool undo = false;
    bool redo = false;
    bool find = false;    // select all, find, find again
    bool replace = false;
    bool changeCase = false;
    bool change = false;  // the context menu's font, alignment, bullets and insertions
};

EditCommands ComputeEditCommands(const EditState &state);

} // namespace ombre
