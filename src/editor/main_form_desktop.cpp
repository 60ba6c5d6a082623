// The documents of the last session: written at exit, reopened at the next start.

#include "editor/desktop_record.h"
#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "platform/registry.h"
#include "settings/options.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

namespace ombre {
namespace {

enum WindowStateField : qint32 { StateNormal = 0, StateMinimised = 1, StateMaximised = 2 };

// A document deciphered from a container and never saved to a file of its own is left out: its
// name (the one sealed in the container) names no file here, and in the store it would tell
// what the container holds. A name holding "," is left out too: it would come back cut at the
// comma, and the rest of it, read as the next fields, ends the restore or, worse, binds the
// window to another file of the shorter name.
bool isRestorable(const TMDIChild &child)
{
    const bool decryptedOnly = !child.ContainerPath.isEmpty() && !child.DocumentInfo.Named;
    return !decryptedOnly && !child.DocumentInfo.FileName.contains(QLatin1Char(','));
}

// The window's record as it stands now: geometry inside the document area, state and modes.
TDocumentInfo currentInfo(const TMDIChild &child)
{
    TDocumentInfo info = child.DocumentInfo;
    const QMdiSubWindow *window = child.subWindow();
    const QRect geometry = window->geometry(); // the area's viewport is the window's parent
    info.Left = geometry.left();
    info.Top = geometry.top();
    info.Width = geometry.width();
    info.Height = geometry.height();
    info.WindowState = window->isMinimized() ? StateMinimised : window->isMaximized() ? StateMaximised : StateNormal;
    info.WordWrap = child.wordWrap();
    return info;
}

DesktopView currentView(const TMDIChild &child)
{
    const QTextCursor cursor = child.RichEdit->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd(), child.RichEdit->verticalScrollBar()->value()};
}

// The rectangle moved, and shrunk when larger, to lie inside an area of size `area`; in 64 bits,
// as the stored numbers may be anything.
QRect insideArea(qint64 left, qint64 top, qint64 width, qint64 height, QSize area)
{
    width = std::clamp<qint64>(width, 0, area.width());
    height = std::clamp<qint64>(height, 0, area.height());
    left = std::clamp<qint64>(left, 0, area.width() - width);
    top = std::clamp<qint64>(top, 0, area.height() - height);
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(width), static_cast<int>(height)};
}

void keepInsideArea(TDocumentInfo &info, QSize area)
{
    const QRect rect = insideArea(info.Left, info.Top, info.Width, info.Height, area);
    info.Left = rect.left();
    info.Top = rect.top();
    info.Width = rect.width();
    info.Height = rect.height();
}

// A character index of the document, brought within it.
int positionIn(const QTextEdit &edit, qint32 index)
{
    return std::clamp(index, 0, edit.document()->characterCount() - 1);
}

} // namespace

void TMainForm::RestoreDesktop()
{
    QStringList records;
    if (!RegKeyExists(DesktopKey) || !RegReadValues(DesktopKey, records))
        return;
    // A window maximised behind would otherwise pass its state on to each one made after it.
    const bool optionWasSet = MdiArea->testOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    MdiArea->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    for (const QString &record : records) {
        const DesktopEntry entry = ParseDesktopRecord(record);
        // Only absolute names: a relative one would be found wherever the program was started.
        const QFileInfo file(entry.FileName);
        if (!file.isAbsolute() || !file.isFile())
            continue;
        if (!entry.Document)
            break;
        TDocumentInfo info = *entry.Document;
        if (info.WindowState == StateNormal)
            keepInsideArea(info, MdiArea->viewport()->size());
        const QPointer<TMDIChild> child = CreateMDIChild(info, true, true);
        if (!child)
            continue; // the read error was shown
        if (info.WindowState == StateNormal) {
            // The window's minimum size may have grown it past the area.
            const QRect grown = child->subWindow()->geometry();
            child->subWindow()->setGeometry(
                insideArea(grown.left(), grown.top(), grown.width(), grown.height(), MdiArea->viewport()->size()));
        }

        // The window is shown and laid out before the caret and the scroll bar are placed, or
        // the text's layout, finished later, would move them again.
        QCoreApplication::processEvents();
        if (!child || !entry.Selection)
            continue;
        QTextEdit &edit = *child->RichEdit;
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(positionIn(edit, entry.Selection->first));
        cursor.setPosition(positionIn(edit, entry.Selection->second), QTextCursor::KeepAnchor);
        edit.setTextCursor(cursor);
        if (entry.Scroll)
            edit.verticalScrollBar()->setValue(*entry.Scroll);
    }
    MdiArea->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, optionWasSet);
}

void TMainForm::SaveDesktop()
{
    // Front window first: index 0.
    QStringList records;
    QList<QMdiSubWindow *> windows = MdiArea->subWindowList(QMdiArea::StackingOrder);
    std::reverse(windows.begin(), windows.end());
    for (const QMdiSubWindow *window : windows) {
        const auto *child = qobject_cast<const TMDIChild *>(window->widget());
        if (child && !child->isClosing() && isRestorable(*child))
            records.append(FormatDesktopRecord(currentInfo(*child), currentView(*child)));
    }

    // The back window is written first, so that the restore, which follows the stored order,
    // makes it first and the front window last, on top.
    const RegWriteBatch batch;
    RegKeyDelete(DesktopKey);
    for (auto index = records.size() - 1; index >= 0; --index)
        RegWriteStr(DesktopKey, DesktopValueName(static_cast<int>(index)), records[index]);
}

} // namespace ombre
