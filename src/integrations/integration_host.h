#pragma once
// What the insertions need from the main window. They live below the editor (the editor calls
// them), so they reach the main window's active document and its clock only through this.

#include <QDateTime>

class QTextEdit;

namespace ombre {

class IntegrationHost {
public:
    virtual ~IntegrationHost() = default;

    // The editor of the document the commands work on; null while Updating is set or with no
    // document. A read-only editor is returned as it is: the insertions refuse it themselves.
    virtual QTextEdit *ActiveEditor() const = 0;
    // The date and time the date menu shows (a test fixes it).
    virtual QDateTime CurrentDateTime() const = 0;
};

} // namespace ombre
