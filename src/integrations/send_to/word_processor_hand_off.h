#pragma once
// "Envoyer vers > Traitement de texte": the whole document goes to the clipboard in its rich form
// and to the word processor as a new document. The word processor is looked for once, when the
// frame is made; the copies sent during a program run stay until the run ends, since the word
// processor may still be reading them.

#include "platform/word_processor.h"

#include <memory>
#include <optional>

class QTextEdit;
class QWidget;

namespace ombre {

class WordProcessorHandOff {
public:
    WordProcessorHandOff();
    ~WordProcessorHandOff();
    WordProcessorHandOff(const WordProcessorHandOff &) = delete;
    WordProcessorHandOff &operator=(const WordProcessorHandOff &) = delete;

    // A word processor was found on the PATH.
    bool available() const { return m_processor.has_value(); }
    // Sends the document of `editor`; `window` is minimised while the word processor comes up.
    // Every failure is told to the user.
    void send(QWidget &window, QTextEdit &editor);

private:
    std::optional<WordProcessor> m_processor;
    std::unique_ptr<HandOffFolder> m_folder; // made on the first send
};

} // namespace ombre
