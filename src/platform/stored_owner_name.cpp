#include "platform/stored_owner_name.h"

#include "platform/reg_file.h"
#include "platform/store_file.h"
#include "platform/store_names.h"

#include <cstdlib>

namespace ombre::reg {
namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

std::string userStoreFilePath()
{
    if (std::string path = environment(store::kFileVariable); !path.empty())
        return path;
    // The XDG rule: a relative XDG_CONFIG_HOME is to be ignored.
    std::string folder = environment("XDG_CONFIG_HOME");
    if (folder.empty() || folder.front() != '/') {
        const std::string home = environment("HOME");
        if (home.empty())
            return std::string();
        folder = home + "/.config";
    }
    return folder + '/' + std::string(store::kFileInConfigFolder);
}

std::string readStoredOwnerName(const std::string &storeFilePath)
{
    if (storeFilePath.empty())
        return std::string();
    const StoreFile file = readStoreFile(storeFilePath);
    if (file.state != StoreFileState::Read)
        return std::string();
    const ParseResult parsed = parse(file.bytes);
    const Key *root = parsed.document.find(std::string(store::kCurrentUserHive) + '\\' + std::string(store::kRootKey));
    const Value *owner = root ? root->find(store::kOwnerNameValue) : nullptr;
    return owner && owner->type == RegSz ? owner->text : std::string();
}

} // namespace ombre::reg
