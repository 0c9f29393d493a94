#include "datafiles/sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace orlavex::datafiles {
namespace {

// The test vectors of FIPS 180-4's examples and NIST's short and long
// messages: the empty message, one block, two blocks, a message that ends
// exactly where the padding needs a block of its own, and a million bytes.
TEST(Sha256, GivesTheStandardDigests) {
    EXPECT_EQ(sha256_hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256_hex("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256_hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(sha256_hex("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmn"
                         "hijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu"),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    EXPECT_EQ(sha256_hex(std::string(1'000'000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, ReadsEveryByteIncludingNulsAndHighBytes) {
    const std::string with_nul("a\0b", 3);
    EXPECT_NE(sha256_hex(with_nul), sha256_hex("a"));
    EXPECT_EQ(sha256_hex(std::string(1, '\xff')),
              "a8100ae6aa1940d0b663bb31cd466142ebbdbd5187131b92d93818987832eb89");
}

}  // namespace
}  // namespace orlavex::datafiles
