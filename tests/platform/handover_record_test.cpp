// The record a later start sends: what is written reads back whole, and bytes from a peer that
// are cut short, too long or not a record are told apart before anything is opened.
#include "platform/handover_record.h"

#include <gtest/gtest.h>

#include <string>

namespace ombre {
namespace {

std::string length(std::uint32_t n)
{
    return {char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF), char(n >> 24)};
}

std::string record(const std::string &path, const std::string &token = {})
{
    return std::string(1, '\0') + length(std::uint32_t(path.size())) + path
           + length(std::uint32_t(token.size())) + token;
}

TEST(HandOverRecord, WhatIsWrittenReadsBackWhole)
{
    const std::string longPath = "/home/lea/" + std::string(300, 'x') + "/lettre.cod"; // beyond 255
    const HandOverRecord records[] = {
        {"/home/léa/Documents/lettre d'été.cod", ""},
        {"", "kwin-4242_TIME123"},
        {longPath, "token"},
    };
    for (const HandOverRecord &sent : records) {
        SCOPED_TRACE(sent.path);
        const std::string bytes = EncodeHandOver(sent);
        EXPECT_EQ(bytes, record(sent.path, sent.activationToken)) << "the layout others rely on";
        const HandOverReading read = ParseHandOver(bytes + "more");
        ASSERT_EQ(read.result, HandOverParse::Complete);
        EXPECT_EQ(read.record.path, sent.path);
        EXPECT_EQ(read.record.activationToken, sent.activationToken);
        EXPECT_EQ(read.consumed, bytes.size());
        for (std::size_t cut = 0; cut < bytes.size(); ++cut)
            ASSERT_EQ(ParseHandOver(bytes.substr(0, cut)).result, HandOverParse::Incomplete) << "cut at " << cut;
    }
}

TEST(HandOverRecord, BytesThatAreNotARecordAreRefused)
{
    const struct {
        const char *what;
        std::string bytes;
    } cases[] = {
        {"another tag", std::string(1, '\x01') + length(4) + "/tmp" + length(0)},
        {"a relative path", record("Documents/lettre.cod")},
        {"a NUL inside the path", record(std::string("/tmp/a\0b", 8))},
        {"a path that is not UTF-8", record("/tmp/\xE9t\xE9.cod")},
        {"a token with a space", record("/tmp/a", "bad token")},
        {"a token with a line break", record("/tmp/a", "token\n")},
        // Refused from the length alone: nothing is buffered waiting for the promised bytes.
        {"a path longer than any path", std::string(1, '\0') + length(std::uint32_t(kHandOverPathLimit + 1))},
        {"a huge token", record("/tmp/a").substr(0, 11) + length(0xFFFFFFFF)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const HandOverReading read = ParseHandOver(c.bytes);
        EXPECT_EQ(read.result, HandOverParse::Invalid);
        EXPECT_TRUE(read.record.path.empty());
    }
}

} // namespace
} // namespace ombre
