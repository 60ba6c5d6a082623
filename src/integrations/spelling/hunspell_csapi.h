#pragma once
// The spelling engine over Hunspell, the one the program loads. Beside Hunspell it keeps the
// lists the engine owns: the ignore-always, change-once and change-always lists (memory only)
// and custom dictionary files (one word per line, UTF-8).
//
// Choices where the interface leaves room:
// - One main dictionary per speller: opening another replaces it.
// - Every open user dictionary of a speller counts in SpellCheck; the ids in
//   InputBuffer::mdrs/udrs must be open ones (else Error::InvalidId) but choose nothing.
// - A custom dictionary file that cannot be written is opened read-only: words added to it are
//   accepted for the rest of the session and SpellAddUdr succeeds. A write that fails on a file
//   that was writable returns Error::FileWrite once and makes the file read-only likewise.
// - A file can only take the ignore-always role; change pairs live in the built-in lists.
// - The built-in lists cannot be closed (Error::InvalidCommand); SpellTerminate ends them.
// - SpellVerifyMdr returns Error::InvalidId when the dictionary serves another language.

#include "integrations/spelling/csapi.h"

#include <map>
#include <memory>

namespace ombre {

namespace spelling_engine {
class Speller;
}

class HunspellCsapi final : public csapi::Csapi {
public:
    HunspellCsapi();
    ~HunspellCsapi() override;
    HunspellCsapi(const HunspellCsapi &) = delete;
    HunspellCsapi &operator=(const HunspellCsapi &) = delete;

    csapi::Version SpellVer() const override;
    csapi::Error SpellInit(csapi::SpellerId &speller, const csapi::SpecialChars &chars) override;
    csapi::Error SpellOptions(csapi::SpellerId speller, quint16 options) override;
    csapi::Error SpellCheck(csapi::SpellerId speller, csapi::Command command, const csapi::InputBuffer &input,
                            csapi::ReturnBuffer &result) override;
    csapi::Error SpellTerminate(csapi::SpellerId speller, bool force) override;
    csapi::Error SpellVerifyMdr(const QString &path, csapi::LanguageId language, csapi::LanguageId &found) override;
    csapi::Error SpellOpenMdr(csapi::SpellerId speller, const QString &path, const QString &exclusionPath,
                              bool createExclusion, bool cache, csapi::LanguageId language,
                              csapi::MdrInfo &info) override;
    csapi::Error SpellOpenUdr(csapi::SpellerId speller, const QString &path, bool create, csapi::UdrId type,
                              csapi::UdrId &udr, bool &readOnly) override;
    csapi::Error SpellAddUdr(csapi::SpellerId speller, csapi::UdrId udr, const QString &word) override;
    csapi::Error SpellAddChangeUdr(csapi::SpellerId speller, csapi::UdrId udr, const QString &word,
                                   const QString &replacement) override;
    csapi::Error SpellDelUdr(csapi::SpellerId speller, csapi::UdrId udr, const QString &word) override;
    csapi::Error SpellClearUdr(csapi::SpellerId speller, csapi::UdrId udr) override;
    csapi::Error SpellGetSizeUdr(csapi::SpellerId speller, csapi::UdrId udr, int &count) override;
    csapi::Error SpellGetListUdr(csapi::SpellerId speller, csapi::UdrId udr, int first, QStringList &words) override;
    csapi::Error SpellCloseMdr(csapi::SpellerId speller, const csapi::MdrInfo &info) override;
    csapi::Error SpellCloseUdr(csapi::SpellerId speller, csapi::UdrId udr, bool force) override;

private:
    spelling_engine::Speller *find(csapi::SpellerId speller) const;

    std::map<csapi::SpellerId, std::unique_ptr<spelling_engine::Speller>> m_spellers;
    csapi::SpellerId m_lastSpeller = 0;
    // Ids of main dictionaries and files, unique across spellers so that a stale id is refused;
    // files take ids above the built-in lists'.
    csapi::MdrId m_lastMdr = 0;
    csapi::UdrId m_lastUdr = 0xFFFF;
};

// The engine when `enginePath` is a Hunspell library (it must export Hunspell_create); null
// otherwise. The code that runs is the Hunspell this program links: the file only proves that the
// machine has the engine it names.
std::unique_ptr<csapi::Csapi> LoadHunspellEngine(const QString &enginePath);

} // namespace ombre
