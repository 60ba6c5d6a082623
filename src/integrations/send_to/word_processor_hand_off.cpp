#include "integrations/send_to/word_processor_hand_off.h"

#include "platform/modal.h"
#include "platform/qt_secret.h"
#include "rtf/rtf_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QWidget>

namespace ombre {
namespace {

const QString kCannotOpen = QStringLiteral("\r\nImpossible d'ouvrir le document en cours avec le traitement de texte.");
const QString kOpenFailed =
    QStringLiteral("\r\nUne erreur s'est produite durant l'ouverture du document avec le traitement de texte.");
const QString kNoRuntimeFolder =
    QStringLiteral("\r\n\r\nLa session n'a pas de dossier privé en mémoire (XDG_RUNTIME_DIR) où déposer la "
                   "copie du document : elle n'est jamais écrite sur le disque.");

void warn(QWidget &window, const QString &text)
{
    showMessage(&window, QMessageBox::Warning, text);
}

// The whole document on the clipboard in the editor's own formats; the user's selection and view
// are given back exactly as they were.
void copyWholeDocument(QTextEdit &editor)
{
    const QTextCursor kept = editor.textCursor();
    const int horizontal = editor.horizontalScrollBar()->value();
    const int vertical = editor.verticalScrollBar()->value();
    editor.selectAll();
    editor.copy();
    editor.setTextCursor(kept);
    editor.horizontalScrollBar()->setValue(horizontal);
    editor.verticalScrollBar()->setValue(vertical);
}

} // namespace

WordProcessorHandOff::WordProcessorHandOff() : m_processor(FindWordProcessor()) {}

WordProcessorHandOff::~WordProcessorHandOff() = default;

void WordProcessorHandOff::send(QWidget &window, QTextEdit &editor)
{
    // The word processor found at start-up may have been uninstalled since.
    if (!m_processor || !QFileInfo(m_processor->program).isExecutable()) {
        warn(window, kCannotOpen);
        return;
    }
    if (!m_folder) {
        const QString runtime = PrivateRuntimeFolder();
        if (runtime.isEmpty()) {
            warn(window, kCannotOpen + kNoRuntimeFolder);
            return;
        }
        m_folder = HandOffFolder::Create(runtime);
        if (!m_folder) {
            warn(window, kCannotOpen);
            return;
        }
    }

    const Qt::WindowStates shown = window.windowState();
    window.showMinimized();
    copyWholeDocument(editor);
    const SecretByteArray letter(rtf::writeRtf(*editor.document()));
    const QString copy = m_folder->writeCopy(letter.value, QStringLiteral(".rtf"));
    const QString profile =
        m_processor->kind == WordProcessor::Kind::LibreOffice ? m_folder->profileFolder() : QString();
    if (!copy.isEmpty() && StartWordProcessor(*m_processor, WordProcessorArguments(*m_processor, copy, profile)))
        return;
    if (!copy.isEmpty())
        QFile::remove(copy);
    // A box over a minimised window may never be seen: the window comes back to show it.
    window.setWindowState(shown);
    warn(window, kOpenFailed);
}

} // namespace ombre
