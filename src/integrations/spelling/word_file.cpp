#include "integrations/spelling/word_file.h"

#include "integrations/spelling/word_rules.h"
#include "rtf/plain_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringTokenizer>

namespace ombre::spelling_engine {

using csapi::Error;

namespace {

// A custom dictionary of a lifetime holds far fewer bytes; more is not a word list.
constexpr qint64 kMaxWordFileBytes = qint64(16) * 1024 * 1024;

} // namespace

Error writeWordFile(const QString &path, const QStringList &words)
{
    QByteArray bytes;
    for (const QString &word : words)
        bytes += word.toUtf8() + '\n';
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.commit()) // commit() misses a failed buffered write: flush first
        return Error::FileWrite;
    return Error::None;
}

Error readWordFile(const QString &path, bool create, WordList &words)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!create)
            return Error::FileOpen;
        const bool made = QDir().mkpath(info.absolutePath()) && writeWordFile(path, {}) == Error::None;
        return made ? Error::None : Error::FileCreate;
    }
    // Not a device or a pipe, which could be read for ever.
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return Error::FileOpen;
    const QByteArray bytes = file.read(kMaxWordFileBytes + 1);
    if (bytes.size() > kMaxWordFileBytes || file.error() != QFileDevice::NoError)
        return Error::FileRead;
    // As any plain-text file: UTF-8 when valid, else Windows-1252; every line end becomes "\n".
    const QString text = decodePlainText(bytes);
    for (const QStringView line : QStringTokenizer(text, u'\n')) {
        const QStringView word = line.trimmed();
        if (isAcceptableWord(word))
            words.add(word.toString());
    }
    return Error::None;
}

bool isWritableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isWritable() && QFileInfo(info.absolutePath()).isWritable(); // QSaveFile renames into the folder
}

} // namespace ombre::spelling_engine
