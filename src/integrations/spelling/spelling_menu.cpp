#include "integrations/spelling/spelling_menu.h"

#include "integrations/spelling/replace_keeping_format.h"
#include "integrations/spelling/spell_checker.h"
#include "integrations/spelling/spell_error.h"
#include "integrations/spelling/spell_tokens.h"

#include <QMenu>
#include <QPointer>
#include <QTextBlock>
#include <QTextEdit>

namespace ombre {
namespace {

// The range of the word the menu is about; empty when there is none.
WordSpan targetWord(QTextEdit &editor, const QPoint &viewportPosition)
{
    const QTextCursor selection = editor.textCursor();
    if (selection.hasSelection()) {
        // Only a selection that is exactly one whole word is a word to correct: several words or
        // part of one keep the usual menu (copy, cut...).
        QTextCursor start(editor.document());
        start.setPosition(selection.selectionStart());
        const QTextBlock block = start.block();
        const WordSpan first = nextWord(block.text(), start.positionInBlock());
        const WordSpan word{block.position() + first.start, first.length};
        const bool whole = first.length > 0 && word.start == selection.selectionStart() &&
                           word.end() == selection.selectionEnd();
        return whole ? word : WordSpan{};
    }
    const QTextCursor clicked = editor.cursorForPosition(viewportPosition);
    const QTextBlock block = clicked.block();
    const WordSpan inBlock = wordAt(block.text(), clicked.positionInBlock());
    return {block.position() + inBlock.start, inBlock.length};
}

QString textOf(const QTextEdit &editor, const WordSpan &span)
{
    QTextCursor cursor(editor.document());
    cursor.setPosition(int(span.start));
    cursor.setPosition(int(span.end()), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

} // namespace

bool buildSpellingMenu(QMenu &menu, TSpellChecker &speller, QTextEdit &editor, const QPoint &viewportPosition,
                       const QIcon &spellingIcon, const std::function<void()> &runCheck)
{
    const WordSpan target = targetWord(editor, viewportPosition);
    if (target.length == 0)
        return false;
    const QString word = textOf(editor, target);
    QStringList suggestions;
    try {
        speller.open();
        if (!speller.isOpen() || speller.wordTest(word))
            return false;
        suggestions = speller.suggestions(word);
    } catch (const ESpellError &error) {
        showSpellError(editor.window(), error);
        return false;
    }
    const QPointer<QTextEdit> guardedEditor(&editor);
    for (const QString &suggestion : std::as_const(suggestions)) {
        QAction *item = menu.addAction(suggestion);
        QObject::connect(item, &QAction::triggered, &editor, [guardedEditor, target, word, suggestion] {
            // Only the word the menu was opened on is replaced.
            if (!guardedEditor || textOf(*guardedEditor, target) != word)
                return;
            guardedEditor->setTextCursor(
                replaceKeepingFormat(*guardedEditor->document(), target.start, target.length, suggestion));
        });
    }
    if (!suggestions.isEmpty())
        menu.addSeparator();
    QAction *check = menu.addAction(spellingIcon, QStringLiteral("&Orthographe..."));
    check->setStatusTip(QStringLiteral("Vérifier l'orthographe"));
    QObject::connect(check, &QAction::triggered, &editor, runCheck);
    return true;
}

} // namespace ombre
