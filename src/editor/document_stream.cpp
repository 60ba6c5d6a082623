#include "editor/document_stream.h"

#include "platform/atomic_file.h"
#include "platform/qt_secret.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace ombre {

void StreamIn(QByteArrayView bytes, QTextDocument &document, bool plainText, PlainTextEncoding *encoding)
{
    if (!plainText && rtf::looksLikeRtf(bytes)) {
        rtf::readRtf(bytes, document);
        return;
    }
    document.setPlainText(decodePlainText(bytes, encoding));
}

QByteArray StreamOut(const QTextDocument &document, bool plainText, PlainTextEncoding *encoding)
{
    if (!plainText)
        return rtf::writeRtf(document);
    const PlainTextEncoding preferred = encoding ? *encoding : PlainTextEncoding{};
    const SecretString text(document.toRawText());
    return encodePlainText(text.value, preferred, encoding);
}

FileResult ReadDocumentFile(const QString &path, QTextDocument &document, bool plainText,
                            PlainTextEncoding *encoding)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::Failed;
    const SecretByteArray bytes(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return FileResult::Failed;
    StreamIn(bytes.value, document, plainText, encoding);
    return FileResult::Ok;
}

FileResult WriteDocumentFile(const QString &path, const QTextDocument &document, bool plainText,
                             PlainTextEncoding *encoding)
{
    PlainTextEncoding used = encoding ? *encoding : PlainTextEncoding{};
    const SecretByteArray bytes(StreamOut(document, plainText, &used));
    // An unnamed temporary file until the last byte is on disk: a failed or killed save leaves
    // the old file as it was and no copy of the text beside it.
    try {
        AtomicFile file(std::filesystem::path(path.toStdString()), true);
        file.write(std::string_view(bytes.value.constData(), std::size_t(bytes.value.size())));
        file.commit();
    } catch (const std::filesystem::filesystem_error &) {
        return FileResult::Failed;
    }
    if (encoding)
        *encoding = used;
    return FileResult::Ok;
}

bool IsReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return false;
    // The mode bits, not the user's access: root may write anywhere, yet the file is marked.
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return (info.permissions() & anyWrite) == 0;
}

} // namespace ombre
