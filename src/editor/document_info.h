#pragma once
// What a document window knows about its document: which file it belongs to and how it is shown.

#include <QString>
#include <QtGlobal>

namespace ombre {

struct TDocumentInfo {
    QString FileName; // full path, or the made-up path of a new document
    qint32 Left = 0, Top = 0, Width = 0, Height = 0; // applied only when a window is restored
    qint32 WindowState = 0;                           // 0 normal, 1 minimised, 2 maximised
    bool PlainText = false;
    bool Proportional = false; // plain text in Arial (true) or Courier New (false)
    bool WordWrap = true;
    bool Modified = false;
    bool Named = false; // bound to a file: Save writes FileName without asking
};

// The record of a document named `fileName`: rich text exactly when the name ends in ".rtf" in
// any case. The path is kept whole: cutting it would bind the document to another file.
TDocumentInfo MakeDocumentInfo(const QString &fileName, bool proportional, bool wordWrap);

// A document whose name starts with "SansNom" was never saved by the user.
bool IsUntitled(const QString &path);
// `path` with its extension replaced by (or, without one, completed with) `extension` (".txt").
QString WithExtension(const QString &path, const QString &extension);
// The made-up path of the new document number `number`, in `folder`.
QString UntitledPath(const QString &folder, int number);

} // namespace ombre
