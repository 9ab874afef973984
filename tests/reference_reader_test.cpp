#include "reference_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "test_support.h"

namespace tallyforge {
namespace {

using namespace testing;

// Each read takes at most 79 characters up to and including a newline, and a file with CR LF
// line ends reads exactly as the same file with LF ends.
TEST(ReferenceReader, ReadsSplitAt79CharactersAndCrLfReadsAsLf) {
  const std::string x78(78, 'x');
  struct Case {
    std::string text;  // with LF ends
    std::vector<std::string> reads;
  };
  const Case cases[] = {
      {"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n", {"1\n", "2\n", "3\n", "4\n", "5\n", "6\n", "7\n", "8\n", "9\n"}},
      {x78 + "\n2.5\n", {x78 + "\n", "2.5\n", ""}},
      {x78 + "y\n2.5\n", {x78 + "y", "\n", "2.5\n", ""}},
      {"1.5\n" + std::string(100, 'x') + "\n2.5\n",
       {"1.5\n", std::string(79, 'x'), std::string(21, 'x') + "\n", "2.5\n", ""}},
      {"\n\n3\r4\n", {"\n", "\n", "3\r4\n", ""}},  // a lone CR is a character
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    std::string crlf;
    for (char ch : c.text) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    for (const std::string& text : {c.text, crlf}) {
      WriteFile(dir / "Reference.txt", text);
      const ReferenceTexts texts = ReadReferenceFile(dir / "Reference.txt");
      ASSERT_EQ(texts.status, ReferenceStatus::kRead);
      for (size_t i = 0; i < c.reads.size(); ++i) EXPECT_EQ(texts.lines[i], c.reads[i]) << text;
    }
  }
}

TEST(ReferenceReader, MissingLinesAreEmptyNotRepeatedAndOnlyRegularFilesAreRead) {
  ScratchDir dir;
  WriteFile(dir / "Reference.txt", "12.5\n7");
  const ReferenceTexts texts = ReadReferenceFile(dir / "Reference.txt");
  EXPECT_EQ(texts.status, ReferenceStatus::kRead);
  EXPECT_EQ(texts.lines[0], "12.5\n");
  EXPECT_EQ(texts.lines[1], "7");
  for (int i = 2; i < kRowCount; ++i) EXPECT_EQ(texts.lines[i], "") << i;

  WriteFile(dir / "Reference.txt", "");
  for (const std::string& line : ReadReferenceFile(dir / "Reference.txt").lines) EXPECT_EQ(line, "");

  // Files that are missing or not regular are not read.
  EXPECT_EQ(ReadReferenceFile(dir / "absent.txt").status, ReferenceStatus::kMissing);
  std::filesystem::remove(dir / "Reference.txt");
  std::filesystem::create_directory(dir / "Reference.txt");
  EXPECT_EQ(ReadReferenceFile(dir / "Reference.txt").status, ReferenceStatus::kNotAFile);
  if (testing::kFolderFifos) {
    testing::MakeFifo(dir / "pipe");
    EXPECT_EQ(ReadReferenceFile(dir / "pipe").status, ReferenceStatus::kNotAFile);  // no hang
  }
}

TEST(ReferenceTimes, FillTheCellsOrKeepThemWhenMissing) {
  ScratchDir dir;
  testing::FakeHost host;
  BenchEngine engine(host, dir.path());
  engine.board().m_refTime1 = "kept";
  engine.ReadReferenceTimes();
  EXPECT_EQ(engine.board().m_refTime1, "kept");
  ASSERT_EQ(host.pushed.size(), 1u);  // pushed in both cases

  WriteFile(dir / "Reference.txt", "9.81\n");
  engine.ReadReferenceTimes();
  EXPECT_EQ(engine.board().m_refTime1, "9.81\n");
  EXPECT_EQ(engine.board().m_refTime2, "");
  EXPECT_EQ(host.pushed.back(), engine.board());
}

}  // namespace
}  // namespace tallyforge
