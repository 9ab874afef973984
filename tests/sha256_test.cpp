#include "sha256.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tallyforge {
namespace {

TEST(Sha256, KnownDigestsOfTextAndFileAndNoneForAMissingFile) {
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  testing::ScratchDir dir;
  const std::string big(200000, 'a');  // more than one read buffer
  testing::WriteFile(dir / "f.txt", big);
  EXPECT_EQ(Sha256OfFile(dir / "f.txt"), Sha256Hex(big));
  EXPECT_EQ(Sha256OfFile(dir / "absent.txt"), std::nullopt);
}

}  // namespace
}  // namespace tallyforge
