#include "commands/age_files.h"

#include "cipher/container.h"
#include "commands/command_host.h"
#include "commands/command_texts.h"
#include "commands/container_files.h"
#include "commands/file_names.h"
#include "commands/progress_positions.h"
#include "platform/modal.h"

#include <QDir>
#include <QFile>
#include <array>
#include <vector>

namespace ombre {

bool isAgeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    std::array<std::uint8_t, age::kRecognitionBytes> start{};
    const qint64 got = file.read(reinterpret_cast<char *>(start.data()), static_cast<qint64>(start.size()));
    return got > 0
           && age::RecogniseAge(std::span(start).first(static_cast<std::size_t>(got))) != age::Encoding::NotAge;
}

std::string_view passphraseBytes(const SecretByteArray &passphrase)
{
    return std::string_view(passphrase.value.constData(), static_cast<std::size_t>(passphrase.value.size()));
}

QString openedAgeName(const QString &path)
{
    return QString::fromStdString(age::OpenedFileName(fileNamePart(path).toStdString()));
}

bool opensAsDocument(const QString &openedName)
{
    return age::OpensAsDocument(openedName.toStdString());
}

age::Result feedFromFile(age::Reader &reader, FileReader &file, bool headerOnly, CipherPositions *positions)
{
    std::vector<std::uint8_t> piece(headerOnly ? kHeaderPieceSize : kPieceSize);
    while (!(headerOnly && reader.headerComplete())) {
        const std::size_t got = file.read(piece);
        if (got == 0)
            return reader.finish();
        if (positions)
            positions->advance(got);
        const age::Result result = reader.feed(std::span(piece).first(got));
        if (result != age::Result::Ok)
            return result;
    }
    return age::Result::Ok;
}

void reportAgeResult(CommandHost &host, const QString &path, age::Result result)
{
    QString sentence;
    switch (result) {
    case age::Result::WrongPassphrase: sentence = texts::AgeWrongPassphrase; break;
    case age::Result::Damaged: sentence = texts::AgeDamaged; break;
    case age::Result::NotPassphrase: sentence = texts::AgeNotPassphrase; break;
    case age::Result::NotAge: sentence = texts::FormatNotRecognised; break;
    case age::Result::Ok: return;
    }
    showMessage(host.HostWindow(), QMessageBox::Warning,
                QStringLiteral("\r\n") + texts::aboutPath(QDir::toNativeSeparators(path), sentence));
}

} // namespace ombre
