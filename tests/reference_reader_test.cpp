#include "reference_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support.h"

namespace tallyforge {
namespace {

using testing::ScratchDir;
using testing::WriteFile;

TEST(ReferenceReader, NineLinesFillNineTextsWithTheirNewlines) {
  ScratchDir dir;
  WriteFile(dir / "Reference.txt", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
  const ReferenceTexts texts = ReadReferenceFile(dir / "Reference.txt");
  ASSERT_EQ(texts.status, ReferenceStatus::kRead);
  for (int row = 1; row <= kRowCount; ++row) {
    EXPECT_EQ(texts.lines[row - 1], std::to_string(row) + "\n");
  }
}

TEST(ReferenceReader, LongLineContinuesInTheNextText) {
  ScratchDir dir;
  const std::string longLine(100, 'x');
  WriteFile(dir / "Reference.txt", "1.5\n" + longLine + "\n2.5\n");
  const ReferenceTexts texts = ReadReferenceFile(dir / "Reference.txt");
  EXPECT_EQ(texts.lines[0], "1.5\n");
  EXPECT_EQ(texts.lines[1], std::string(79, 'x'));
  EXPECT_EQ(texts.lines[2], std::string(21, 'x') + "\n");
  EXPECT_EQ(texts.lines[3], "2.5\n");
  EXPECT_EQ(texts.lines[4], "");
}

TEST(ReferenceReader, MissingLinesAreEmptyNotRepeated) {
  ScratchDir dir;
  WriteFile(dir / "Reference.txt", "12.5\n7");
  const ReferenceTexts texts = ReadReferenceFile(dir / "Reference.txt");
  EXPECT_EQ(texts.status, ReferenceStatus::kRead);
  EXPECT_EQ(texts.lines[0], "12.5\n");
  EXPECT_EQ(texts.lines[1], "7");
  for (int i = 2; i < kRowCount; ++i) EXPECT_EQ(texts.lines[i], "") << i;

  WriteFile(dir / "Reference.txt", "");
  for (const std::string& line : ReadReferenceFile(dir / "Reference.txt").lines) EXPECT_EQ(line, "");
}

TEST(ReferenceReader, FilesThatAreNotRegularAreNotRead) {
  ScratchDir dir;
  EXPECT_EQ(ReadReferenceFile(dir / "Reference.txt").status, ReferenceStatus::kMissing);
  std::filesystem::create_directory(dir / "Reference.txt");
  EXPECT_EQ(ReadReferenceFile(dir / "Reference.txt").status, ReferenceStatus::kNotAFile);
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(ReadReferenceFile(dir / "pipe").status, ReferenceStatus::kNotAFile);  // no hang
}

TEST(ReferenceReader, BinaryJunkAndHugeFilesReadOnlyNineChunks) {
  ScratchDir dir;
  std::string junk;
  for (unsigned i = 0; i < 3000000; ++i) junk += static_cast<char>(i * 7919u % 256u);
  WriteFile(dir / "Reference.txt", junk);
  const ReferenceTexts texts = ReadReferenceFile(dir / "Reference.txt");
  EXPECT_EQ(texts.status, ReferenceStatus::kRead);
  for (const std::string& line : texts.lines) EXPECT_LE(line.size(), 79u);
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
