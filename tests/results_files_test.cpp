// Files a run writes whole, and the names a document may not take.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "atomic_file.h"
#include "document_file.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using namespace testing;

TEST(ReplaceFile, NewTextWholeOrTheOldFileUntouched) {
  ScratchDir dir;
  WriteFile(dir / "victim.txt", "precious");
  std::filesystem::create_symlink(dir / "victim.txt", dir / "link.json");
  ::chmod((dir / "victim.txt").c_str(), 0640);
  ASSERT_EQ(ReplaceFile(dir / "link.json", "new"), 0);
  EXPECT_EQ(ReadFile(dir / "link.json"), "new");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "link.json"));  // the link replaced, not followed
  EXPECT_EQ(ReadFile(dir / "victim.txt"), "precious");
  ASSERT_EQ(ReplaceFile(dir / "victim.txt", "newer"), 0);
  struct stat info {};
  ASSERT_EQ(::stat((dir / "victim.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);  // its permissions kept

  EXPECT_EQ(ReplaceFile(dir / "missing" / "r.json", "x"), ENOENT);
  EXPECT_EQ(ProbeReplaceFile(dir / "missing" / "r.json"), ENOENT);
  EXPECT_EQ(ProbeReplaceFile(dir / "r.json"), 0);
  std::filesystem::remove(dir / "link.json");
  std::filesystem::remove(dir / "victim.txt");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));  // no temporary file left behind

  // Any name the system takes can be replaced: the temporary name stays within its limits.
  std::filesystem::path deep = dir.path();
  while (deep.string().size() + 101 < 4000) deep /= std::string(100, 'd');
  std::filesystem::create_directories(deep);
  const std::string longest(4094 - deep.string().size(), 'c');  // the path's 4095 bytes in all
  for (const std::filesystem::path& name : {dir / std::string(255, 'a'), deep / longest}) {
    EXPECT_EQ(ReplaceFile(name, "long"), 0) << name.string().size();
  }
  // A folder's lock file is never replaced, however named: its folder would be free.
  WriteFile(dir / ".tallyforge.lock", "");
  std::filesystem::create_hard_link(dir / ".tallyforge.lock", dir / "alias");
  for (const char* name : {".tallyforge.lock", ".TallyForge.LOCK", "alias"}) {
    EXPECT_EQ(ReplaceFile(dir / name, "x"), EPERM) << name;
  }
}

TEST(DocumentFile, NamesOfTheRunsOwnFilesAreFoundHoweverSpelled) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "sub");
  WriteFile(dir / "Reference.txt", "1\n");
  std::filesystem::create_hard_link(dir / "Reference.txt", dir / "sub" / "hard");
  const std::vector<std::filesystem::path> own = {dir / "Reference.txt", dir / "Factors.txt"};
  for (const std::string name : {"./Reference.txt", "sub/hard", "sub/../Factors.txt"}) {
    EXPECT_TRUE(NamesOneOf(dir / name, own)) << name;  // a symbolic link: the runner's test
  }
  EXPECT_FALSE(NamesOneOf(dir / "result.json", own));
  EXPECT_FALSE(NamesOneOf(dir / "sub" / "Reference.txt", own));

  EXPECT_EQ(DocumentFile(dir / "sub").Problem(), "is a directory");
  ExpectHas(DocumentFile("/dev/null").Problem(), {"not a regular file"});
  EXPECT_EQ(DocumentFile(dir / "r.json").Problem(), "");
  EXPECT_EQ(DocumentFile("-").Problem(), "");
}

}  // namespace
}  // namespace tallyforge
