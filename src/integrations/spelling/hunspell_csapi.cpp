#include "integrations/spelling/hunspell_csapi.h"

#include "integrations/spelling/hunspell_speller.h"
#include "integrations/spelling/main_dictionary.h"
#include "platform/language_ids.h"

#include <QFileInfo>
#include <QLibrary>

namespace ombre {

using csapi::Error;
using spelling_engine::MainDictionary;
using spelling_engine::Speller;

namespace {

csapi::LanguageId languageOfDictionary(const QString &dictionaryPath)
{
    return csapi::LanguageId(LanguageIdForLocale(QFileInfo(dictionaryPath).completeBaseName()));
}

} // namespace

HunspellCsapi::HunspellCsapi() = default;
HunspellCsapi::~HunspellCsapi() = default;

Speller *HunspellCsapi::find(csapi::SpellerId speller) const
{
    const auto found = m_spellers.find(speller);
    return found == m_spellers.end() ? nullptr : found->second.get();
}

// The first version of this engine, over the Hunspell it is built with.
csapi::Version HunspellCsapi::SpellVer() const
{
    return {1, QStringLiteral("Hunspell 1.7")};
}

Error HunspellCsapi::SpellInit(csapi::SpellerId &speller, const csapi::SpecialChars &chars)
{
    speller = ++m_lastSpeller;
    m_spellers.emplace(speller, std::make_unique<Speller>(chars));
    return Error::None;
}

Error HunspellCsapi::SpellOptions(csapi::SpellerId speller, quint16 options)
{
    Speller *found = find(speller);
    if (!found)
        return Error::InvalidId;
    found->setOptions(options);
    return Error::None;
}

Error HunspellCsapi::SpellCheck(csapi::SpellerId speller, csapi::Command command, const csapi::InputBuffer &input,
                                csapi::ReturnBuffer &result)
{
    Speller *found = find(speller);
    return found ? found->check(command, input, result) : Error::InvalidId;
}

Error HunspellCsapi::SpellTerminate(csapi::SpellerId speller, bool /*force: nothing is left pending*/)
{
    return m_spellers.erase(speller) > 0 ? Error::None : Error::InvalidId;
}

Error HunspellCsapi::SpellVerifyMdr(const QString &path, csapi::LanguageId language, csapi::LanguageId &found)
{
    if (!QFileInfo(path).isReadable())
        return Error::FileOpen;
    found = languageOfDictionary(path);
    return found != 0 && found == language ? Error::None : Error::InvalidId;
}

// No exclusion dictionary is offered, and Hunspell holds the whole dictionary in memory anyway.
Error HunspellCsapi::SpellOpenMdr(csapi::SpellerId speller, const QString &path, const QString & /*exclusionPath*/,
                                  bool /*createExclusion*/, bool /*cache*/, csapi::LanguageId language,
                                  csapi::MdrInfo &info)
{
    Speller *found = find(speller);
    if (!found)
        return Error::InvalidId;
    const QFileInfo dictionary(path);
    const QString affixes = dictionary.path() + QLatin1Char('/') + dictionary.completeBaseName() + QStringLiteral(".aff");
    if (!dictionary.isFile() || !dictionary.isReadable() || !QFileInfo(affixes).isReadable())
        return Error::FileOpen;
    const csapi::LanguageId named = languageOfDictionary(path);
    info = {++m_lastMdr, named != 0 ? named : language, true};
    found->openMain(std::make_unique<MainDictionary>(info.mdr, affixes, path));
    return Error::None;
}

Error HunspellCsapi::SpellOpenUdr(csapi::SpellerId speller, const QString &path, bool create, csapi::UdrId type,
                                  csapi::UdrId &udr, bool &readOnly)
{
    Speller *found = find(speller);
    if (!found)
        return Error::InvalidId;
    if (type != csapi::IgnoreAlwaysList)
        return Error::InvalidCommand;
    const csapi::UdrId id = m_lastUdr + 1;
    const Error error = found->openFile(id, path, create, readOnly);
    if (error == Error::None)
        udr = m_lastUdr = id;
    return error;
}

Error HunspellCsapi::SpellAddUdr(csapi::SpellerId speller, csapi::UdrId udr, const QString &word)
{
    Speller *found = find(speller);
    return found ? found->addWord(udr, word) : Error::InvalidId;
}

Error HunspellCsapi::SpellAddChangeUdr(csapi::SpellerId speller, csapi::UdrId udr, const QString &word,
                                       const QString &replacement)
{
    Speller *found = find(speller);
    return found ? found->addChange(udr, word, replacement) : Error::InvalidId;
}

Error HunspellCsapi::SpellDelUdr(csapi::SpellerId speller, csapi::UdrId udr, const QString &word)
{
    Speller *found = find(speller);
    return found ? found->deleteWord(udr, word) : Error::InvalidId;
}

Error HunspellCsapi::SpellClearUdr(csapi::SpellerId speller, csapi::UdrId udr)
{
    Speller *found = find(speller);
    return found ? found->clear(udr) : Error::InvalidId;
}

Error HunspellCsapi::SpellGetSizeUdr(csapi::SpellerId speller, csapi::UdrId udr, int &count)
{
    Speller *found = find(speller);
    return found ? found->size(udr, count) : Error::InvalidId;
}

Error HunspellCsapi::SpellGetListUdr(csapi::SpellerId speller, csapi::UdrId udr, int first, QStringList &words)
{
    Speller *found = find(speller);
    return found ? found->list(udr, first, words) : Error::InvalidId;
}

Error HunspellCsapi::SpellCloseMdr(csapi::SpellerId speller, const csapi::MdrInfo &info)
{
    Speller *found = find(speller);
    return found && found->closeMain(info.mdr) ? Error::None : Error::InvalidId;
}

Error HunspellCsapi::SpellCloseUdr(csapi::SpellerId speller, csapi::UdrId udr, bool /*force: files are written on every change*/)
{
    Speller *found = find(speller);
    return found ? found->closeFile(udr) : Error::InvalidId;
}

std::unique_ptr<csapi::Csapi> LoadHunspellEngine(const QString &enginePath)
{
    // QLibrary would try other names ("lib" before, ".so" after) for a path that is not a file.
    if (!QFileInfo(enginePath).isFile())
        return nullptr;
    QLibrary library(enginePath);
    if (!library.load())
        return nullptr;
    const bool isHunspell = library.resolve("Hunspell_create") != nullptr;
    library.unload();
    return isHunspell ? std::make_unique<HunspellCsapi>() : nullptr;
}

} // namespace ombre
