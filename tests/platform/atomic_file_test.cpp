// The atomic writer: nothing of a file being written is visible in its folder, so that neither a
// failure nor a killed process leaves plaintext behind, and commit() puts the whole file in place.
#include "platform/atomic_file.h"

#include "platform/temp_folder.h"

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ombre {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        // What follows checks the unnamed file; a folder that refuses one gets the named one.
        const int probe = ::open(dir.c_str(), O_TMPFILE | O_WRONLY, 0600);
        if (probe < 0)
            GTEST_SKIP() << "no unnamed files in " << dir;
        ::close(probe);
    }
};

TEST_F(AtomicFileTest, NothingShowsUntilCommitThenTheWholeFile)
{
    // `existing` is there before the writer starts (its mode kept when it is replaced), or
    // appears while it writes (as another program may make it).
    struct Case { bool replace, existingBefore, existingDuring; bool written; };
    for (const Case &c : {Case{false, false, false, true}, Case{true, false, false, true},
                          Case{true, true, false, true}, Case{true, false, true, true},
                          Case{false, false, true, false}}) {
        SCOPED_TRACE(testing::Message() << "replace " << c.replace << ", before " << c.existingBefore << ", during "
                                        << c.existingDuring);
        if (c.existingBefore) {
            write("cible", "ancien");
            fs::permissions(dir / "cible", fs::perms::owner_read | fs::perms::owner_write);
        }
        const std::vector<std::string> before = names();
        {
            AtomicFile file(dir / "cible", c.replace);
            file.write(std::string_view("le texte "));
            file.write(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t *>("en clair"), 8));
            EXPECT_EQ(names(), before);
            if (c.existingDuring)
                write("cible", "ancien");
            if (c.written) {
                file.commit();
            } else {
                try {
                    file.commit();
                    ADD_FAILURE() << "replaced a file that appeared";
                } catch (const fs::filesystem_error &error) {
                    EXPECT_EQ(error.code(), std::errc::file_exists);
                    EXPECT_EQ(error.path1(), dir / "cible");
                }
            }
        }
        EXPECT_EQ(names(), std::vector<std::string>{"cible"});
        EXPECT_EQ(read("cible"), c.written ? "le texte en clair" : "ancien");
        if (c.existingBefore) {
            EXPECT_EQ(fs::status(dir / "cible").permissions(), fs::perms::owner_read | fs::perms::owner_write);
        }
        fs::remove(dir / "cible");
    }
}

TEST_F(AtomicFileTest, AFileNeverCommittedLeavesNothing)
{
    write("cible", "ancien");
    {
        AtomicFile file(dir / "cible", true);
        file.write(std::string_view("nouveau"));
    }
    EXPECT_EQ(names(), std::vector<std::string>{"cible"});
    EXPECT_EQ(read("cible"), "ancien");
    EXPECT_THROW(AtomicFile(dir / "absent" / "cible", false), fs::filesystem_error);
}

// Saving over a link writes the file it names and keeps the link, as an editor's save does.
TEST_F(AtomicFileTest, ReplacingALinkWritesTheFileBehindIt)
{
    write("lettre.txt", "ancien");
    fs::create_symlink("lettre.txt", dir / "lien.txt");
    AtomicFile file(dir / "lien.txt", true);
    file.write(std::string_view("nouveau"));
    file.commit();
    EXPECT_TRUE(fs::is_symlink(dir / "lien.txt"));
    EXPECT_EQ(read("lettre.txt"), "nouveau");
}

TEST_F(AtomicFileTest, AKilledWriterLeavesNothing)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile file(dir / "cible", false);
        file.write(std::string_view("le texte en clair"));
        [[maybe_unused]] const ssize_t told = ::write(ready[1], "!", 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char told = 0;
    ASSERT_EQ(::read(ready[0], &told, 1), 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(names().empty());
}

} // namespace
} // namespace ombre
