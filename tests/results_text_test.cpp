// Texts a result is made of: digests, and bytes from outside made safe for JSON and terminals.
#include <gtest/gtest.h>

#include "safe_text.h"
#include "sha256.h"
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

TEST(SafeText, InvalidBytesAreReplacedVisiblyAndControlsNeverReachATerminal) {
  const std::string kReplacement = "\xEF\xBF\xBD";
  struct Case {
    std::string text, json, terminal;
  };
  const Case cases[] = {
      {"J\xC3\xBCrgen", "J\xC3\xBCrgen", "J\xC3\xBCrgen"},              // valid UTF-8 stays
      {"J\xFCrgen", "J" + kReplacement + "rgen", "J?rgen"},              // Latin-1
      {"\xC0\xAF", kReplacement + kReplacement, "??"},                   // overlong '/'
      {"\xED\xA0\x80", kReplacement + kReplacement + kReplacement, "???"},  // a surrogate
      {"\xF4\x90\x80\x80", kReplacement + kReplacement + kReplacement + kReplacement,
       "????"},                                                          // past U+10FFFF
      {"ab\xE2\x82", "ab" + kReplacement + kReplacement, "ab??"},        // cut short
      {"\x1B[2J\r\n\t\x7F", "\x1B[2J\r\n\t\x7F", "?[2J????"},           // controls
      {"\xC2\x9B" "31m", "\xC2\x9B" "31m", "?31m"},                      // C1 control (CSI)
      {"a\xE2\x80\xAE" "b", "a\xE2\x80\xAE" "b", "a?b"},                 // right-to-left override
      {std::string("a\0b", 3), std::string("a\0b", 3), "a?b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ValidUtf8(c.text), c.json) << c.terminal;
    EXPECT_EQ(TerminalText(c.text), c.terminal) << c.terminal;
  }
}

}  // namespace
}  // namespace tallyforge
