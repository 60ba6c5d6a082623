#pragma once
// The user store's file: registry keys and values in the text syntax of regedit
// ("Windows Registry Editor Version 5.00"), so that the file imports into a real registry.
// Standard C++ only, so that the command-line tool can read the owner name and the parser can be
// fuzzed on its own.
//
// The reader takes any bytes: what it cannot understand it skips and reports as damage, keeping
// every key and value it could read. Key and value names compare without regard to ASCII case,
// as the registry does. Values keep the order in which they were written.

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ombre::reg {

// Registry value types the store understands by name; any other type is kept as raw bytes.
inline constexpr std::uint32_t RegNone = 0;
inline constexpr std::uint32_t RegSz = 1;
inline constexpr std::uint32_t RegBinary = 3;
inline constexpr std::uint32_t RegDword = 4;

struct Value {
    std::string name;               // UTF-8; empty: the key's default value ("@")
    std::uint32_t type = RegSz;
    std::string text;               // RegSz, UTF-8
    std::uint32_t dword = 0;        // RegDword
    std::vector<std::uint8_t> raw;  // any other type, as stored

    static Value string(std::string name, std::string text);
    static Value number(std::string name, std::uint32_t dword);
};

class Key {
public:
    explicit Key(std::string path) : path_(std::move(path)) {}
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;

    const std::string &path() const { return path_; }
    const std::list<Value> &values() const { return values_; }
    const Value *find(std::string_view name) const;
    // Replaces the data of an existing value in its place, or appends a new one.
    void set(Value value);
    bool remove(std::string_view name);

private:
    std::string path_;
    std::list<Value> values_;
    std::unordered_map<std::string, std::list<Value>::iterator> index_; // by folded name
};

// Keys by full path, hive included ("HKEY_CURRENT_USER\Software\...").
class Document {
public:
    const Key *find(std::string_view path) const;
    Key *find(std::string_view path);
    // True for a key of its own and for a key that only holds subkeys.
    bool exists(std::string_view path) const;
    Key &ensure(std::string_view path);
    // Removes the key and every subkey; false when there was none.
    bool remove(std::string_view path);
    // Keys in the order they were created.
    std::vector<const Key *> keys() const;
    // Names of the direct subkeys of `path`, each once.
    std::vector<std::string> subkeys(std::string_view path) const;
    bool empty() const { return keys_.empty(); }

private:
    struct Entry {
        std::uint64_t order;
        std::unique_ptr<Key> key;
    };
    std::map<std::string, Entry> keys_; // by folded path
    std::uint64_t nextOrder_ = 0;
};

struct ParseResult {
    Document document;
    bool damaged = false; // something was skipped: the file should be set aside
};

ParseResult parse(std::string_view bytes);
std::string serialise(const Document &document);

// Names the syntax can carry: no control characters (a line break would cut the line).
bool isWritableKeyPath(std::string_view path);
bool isWritableValueName(std::string_view name);

} // namespace ombre::reg
