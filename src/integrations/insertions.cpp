#include "integrations/insertions.h"

#include "integrations/date_formats.h"
#include "integrations/integration_host.h"

#include <QAction>
#include <QLocale>
#include <QTextCursor>
#include <QTextEdit>

namespace ombre {
namespace {

QString withLineFeeds(QString text)
{
    // A text edit starts a paragraph at '\r' and again at '\n': "\r\n" would leave an empty line.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool writable(const QTextEdit *editor)
{
    return editor && !editor->isReadOnly();
}

// Inserts `text` (already with line feeds only); the position where it starts, or -1.
int insertAtCaret(QTextEdit *editor, const QString &text)
{
    if (!writable(editor) || text.isEmpty())
        return -1;
    // The editor's own cursor carries the format the next keystroke would take, even with nothing
    // selected (bold switched on at the caret).
    QTextCursor cursor = editor->textCursor();
    const int start = cursor.selectionStart();
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    editor->setTextCursor(cursor);
    return start;
}

int itemNumber(const QAction &item)
{
    return item.objectName().mid(1).toInt();
}

} // namespace

bool insertText(QTextEdit *editor, const QString &text)
{
    return insertAtCaret(editor, withLineFeeds(text)) >= 0;
}

bool insertFormula(QTextEdit *editor, const QString &formula)
{
    const QString text = withLineFeeds(formula);
    const int start = insertAtCaret(editor, text);
    if (start < 0)
        return false;
    // A marker that opens the formula is left alone: the caret stays after the text.
    if (const int marker = static_cast<int>(text.indexOf(QLatin1String("<>"))); marker > 0) {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(start + marker);
        cursor.setPosition(start + marker + 2, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }
    return true;
}

void refreshDateCaptions(const IntegrationHost &host, DateItems items, int date)
{
    // One reading for both: a menu opened at midnight shows the date and time of one moment.
    const QDateTime now = host.CurrentDateTime();
    const QLocale system = QLocale::system();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (!IsDateFormatItem(i))
            continue;
        QAction *item = items[static_cast<std::size_t>(i)];
        item->setText(DateItemText(i, now.date(), now.time(), system));
        item->setChecked(i == date);
    }
}

void insertDateItem(const IntegrationHost &host, QAction &item, int &date)
{
    QTextEdit *editor = host.ActiveEditor();
    if (!writable(editor))
        return;
    insertText(editor, item.text());
    item.setChecked(true);
    date = itemNumber(item);
}

void insertChosenDate(const IntegrationHost &host, DateItems items, int date)
{
    QTextEdit *editor = host.ActiveEditor();
    if (!writable(editor))
        return;
    refreshDateCaptions(host, items, date);
    QString text;
    for (const QAction *item : items)
        if (item->isChecked())
            text = item->text();
    insertText(editor, text);
}

void insertSignature(const IntegrationHost &host, const QString &signature)
{
    insertText(host.ActiveEditor(), signature);
}

} // namespace ombre
