// The one reader of the store file: whatever the path names, it takes at most the limit and
// never waits; the owner name that the command-line tool seals comes through it.
#include "platform/store_file.h"
#include "platform/stored_owner_name.h"

#include "platform/temp_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombre::reg {
namespace {

namespace fs = std::filesystem;

using StoreFileTest = TempFolderTest;

TEST_F(StoreFileTest, ReadsWhatFitsAndRefusesTheRest)
{
    ASSERT_EQ(::mkfifo((dir / "tube").c_str(), 0600), 0);
    struct Case { std::string path; std::size_t limit; StoreFileState state; std::size_t size; };
    for (const Case &c : {Case{write("petit.reg", "abc"), 3, StoreFileState::Read, 3},
                          Case{write("vide.reg", ""), 3, StoreFileState::Read, 0},
                          Case{write("grand.reg", "abcd"), 3, StoreFileState::TooLarge, 0},
                          Case{(dir / "absent.reg").string(), 3, StoreFileState::Missing, 0},
                          Case{(dir / "absent" / "x.reg").string(), 3, StoreFileState::Missing, 0},
                          Case{dir.string(), 3, StoreFileState::Unreadable, 0},
                          // Endless: the limit stops it, the default one included.
                          Case{"/dev/zero", 3, StoreFileState::TooLarge, 0},
                          Case{"/dev/zero", kMaxStoreFileBytes, StoreFileState::TooLarge, 0},
                          // A pipe with no writer ends at once instead of waiting for one.
                          Case{(dir / "tube").string(), 3, StoreFileState::Read, 0}}) {
        const StoreFile file = readStoreFile(c.path, c.limit);
        EXPECT_EQ(file.state, c.state) << c.path << " " << c.limit;
        EXPECT_EQ(file.bytes.size(), c.size) << c.path;
    }
}

TEST_F(StoreFileTest, PipeWithAWriterThatSendsNothingIsNotWaitedFor)
{
    const fs::path tube = dir / "tube";
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    const int reader = ::open(tube.c_str(), O_RDONLY | O_NONBLOCK);
    const int writer = ::open(tube.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    EXPECT_EQ(readStoreFile(tube.string()).state, StoreFileState::Unreadable);
    ::close(writer);
    ::close(reader);
}

TEST_F(StoreFileTest, OwnerNameOfTheStoreOrNothing)
{
    const std::string store = write("Ombrelunaire.reg", "Windows Registry Editor Version 5.00\r\n\r\n"
                                                        "[HKEY_CURRENT_USER\\Software\\Morvandel\\Ombrelunaire]\r\n"
                                                        "\"OwnerName\"=\"Jean Dupont\"\r\n");
    EXPECT_EQ(readStoredOwnerName(store), "Jean Dupont");
    for (const std::string &unusable : {std::string("/dev/zero"), dir.string(), (dir / "absent").string(), std::string()})
        EXPECT_EQ(readStoredOwnerName(unusable), "") << unusable;
}

} // namespace
} // namespace ombre::reg
