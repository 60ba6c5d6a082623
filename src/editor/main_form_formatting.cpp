// Character and paragraph formatting, the colour menu, word wrap and the ruler switch.

#include "editor/editing/caret_format.h"
#include "editor/editing/color_menu.h"
#include "editor/drawing_lock.h"
#include "editor/editing/paragraph_format.h"
#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "editor/ruler.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTextCursor>
#include <QTextEdit>

namespace ombre {
namespace {

// Sizes the document format can hold (whole points, as the size box lists them).
constexpr int kLargestPoints = 1638;

QColor currentTextColor(const QTextEdit &edit)
{
    return textColorOf(edit.currentCharFormat(), edit.palette().color(QPalette::Text));
}

} // namespace

void TMainForm::applyCharFormat(const QTextCharFormat &format)
{
    if (QTextEdit *edit = commandEditor())
        edit->mergeCurrentCharFormat(format);
}

void TMainForm::changeParagraphs(const std::function<void(QTextCursor &)> &change)
{
    QTextEdit *edit = commandEditor();
    if (!edit)
        return;
    QTextCursor cursor = edit->textCursor();
    change(cursor);
    ActiveChild->RichEditSelectionChange();
}

void TMainForm::BtnBoldClick()
{
    QTextCharFormat format;
    format.setFontWeight(BtnBold->isChecked() ? QFont::Bold : QFont::Normal);
    applyCharFormat(format);
}

void TMainForm::BtnItalicClick()
{
    QTextCharFormat format;
    format.setFontItalic(BtnItalic->isChecked());
    applyCharFormat(format);
}

void TMainForm::BtnUnderlineClick()
{
    QTextCharFormat format;
    format.setFontUnderline(BtnUnderline->isChecked());
    applyCharFormat(format);
}

void TMainForm::PolicesItemClick()
{
    QTextEdit *edit = commandEditor();
    if (!edit)
        return;
    const QFont current = edit->currentCharFormat().font().resolve(edit->document()->defaultFont());
    const std::optional<FontChoice> chosen =
        modal().fontAndColor(this, {current, currentTextColor(*edit)}, QStringLiteral("Police"));
    if (!chosen)
        return;
    QTextCharFormat format;
    format.setFont(chosen->font, QTextCharFormat::FontPropertiesAll);
    if (chosen->color.isValid())
        format.setForeground(chosen->color);
    applyCharFormat(format);
    ActiveChild->RichEditSelectionChange();
}

void TMainForm::ComboFontChange()
{
    if (ComboFont->currentIndex() < 0)
        return;
    QTextCharFormat format;
    format.setFontFamilies({ComboFont->currentText()});
    applyCharFormat(format);
}

void TMainForm::ComboSizeChange()
{
    if (!commandEditor())
        return;
    const QString text = ComboSize->currentText();
    bool whole = false;
    const int points = text.trimmed().toInt(&whole);
    if (!whole) {
        showMessage(this, QMessageBox::Critical, QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(text));
        return;
    }
    // A size of 0 on the way to "12" while the user types, or one no document can hold,
    // leaves the text as it is.
    if (points < 1 || points > kLargestPoints)
        return;
    QTextCharFormat format;
    format.setFontPointSize(points);
    applyCharFormat(format);
}

void TMainForm::BtnColorClick()
{
    QTextEdit *edit = commandEditor();
    if (!edit)
        return;
    const std::optional<QColor> chosen = modal().color(this, currentTextColor(*edit), QStringLiteral("Couleurs"));
    if (chosen && chosen->isValid()) {
        QTextCharFormat format;
        format.setForeground(*chosen);
        applyCharFormat(format);
    }
    edit->setFocus();
}

void TMainForm::C00Click()
{
    auto *item = qobject_cast<QAction *>(sender());
    const std::optional<QColor> color = item ? ColorOfItem(item->objectName()) : std::nullopt;
    if (!commandEditor() || !color)
        return;
    QTextCharFormat format;
    format.setForeground(*color);
    applyCharFormat(format);
    item->setChecked(true);
}

void TMainForm::PopupColorPopup()
{
    QTextEdit *edit = commandEditor();
    if (!edit)
        return;
    if (QAction *item = PopupColor->findChild<QAction *>(ColorItemFor(currentTextColor(*edit))))
        item->setChecked(true);
}

void TMainForm::BtnLeftClick()
{
    changeParagraphs([](QTextCursor &c) { setParagraphAlignment(c, ParagraphAlignment::Left); });
}

void TMainForm::BtnCenterClick()
{
    changeParagraphs([](QTextCursor &c) { setParagraphAlignment(c, ParagraphAlignment::Center); });
}

void TMainForm::BtnRightClick()
{
    changeParagraphs([](QTextCursor &c) { setParagraphAlignment(c, ParagraphAlignment::Right); });
}

void TMainForm::BtnBulletClick()
{
    changeParagraphs([this](QTextCursor &c) { setParagraphBullets(c, BtnBullet->isChecked()); });
}

void TMainForm::PucesItemClick()
{
    QTextEdit *edit = commandEditor();
    if (!edit)
        return;
    BtnBullet->toggle();
    PucesItem->setChecked(BtnBullet->isChecked());
    QTextCursor cursor = edit->textCursor();
    setParagraphBullets(cursor, BtnBullet->isChecked());
}

void TMainForm::BtnIdentinClick()
{
    changeParagraphs([](QTextCursor &c) { shiftFirstIndent(c, 30); });
}

void TMainForm::BtnIdentdeClick()
{
    changeParagraphs([](QTextCursor &c) { shiftFirstIndent(c, -30); });
}

void TMainForm::WordwrapItemClick()
{
    if (!commandEditor())
        return;
    TMDIChild &child = *ActiveChild;
    const DrawingLock lock(*this);
    const bool wasModified = child.isModified();
    const TMDIChild::ChangeHandlerDetached detached(child);
    child.setWordWrap(WordwrapItem->isChecked());
    child.ShowWordwrapState();
    if (!wasModified)
        child.setModified(false);
}

void TMainForm::RegleItemClick()
{
    if (!commandEditor())
        return;
    ProgramOptions().Ruler = RegleItem->isChecked();
    ActiveChild->Ruler->setVisible(RegleItem->isChecked());
}

} // namespace ombre
