#pragma once
// The spelling form of a document's context menu: when the word the user right-clicked is not
// known, its suggestions (choosing one puts it in the word's place), a separator when there was
// one, and "&Orthographe...", instead of the usual items.

#include <QIcon>
#include <QPoint>
#include <functional>

class QMenu;
class QTextEdit;

namespace ombre {

class TSpellChecker;

// The word is the selection when there is one (it must be one word), else the word under
// `viewportPosition`. Opens the speller when needed. False, with `menu` untouched, when the
// usual menu applies. Errors of the engine are shown and give the usual menu.
bool buildSpellingMenu(QMenu &menu, TSpellChecker &speller, QTextEdit &editor, const QPoint &viewportPosition,
                       const QIcon &spellingIcon, const std::function<void()> &runCheck);

} // namespace ombre
