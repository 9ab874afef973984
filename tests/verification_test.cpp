// The checks of finished runs: they pass on what the benchmarks wrote and name the first fault
// of every kind of damage to it.
#include "verification.h"

#include <gtest/gtest.h>

#include "mixed_search.h"
#include "prime_sieve.h"
#include "verifiers.h"
#include "output_file.h"
#include "test_support.h"

namespace tallyforge {
namespace {

using namespace testing;

TEST(PrimeSieve, AgreesWithTheDeterministicTestNearTheTopOfTheRanges) {
  const uint64_t first = 1000000000000ull - 3000;
  const RangeSieve sieve(first, first + 6000);
  int primes = 0;
  for (uint64_t n = first; n <= first + 6000; ++n) {
    ASSERT_EQ(sieve.IsPrime(n), IsPrime64(n)) << n;
    primes += sieve.IsPrime(n);
  }
  EXPECT_GT(primes, 150);
  EXPECT_EQ(PrimesUpTo(100).size(), 25u);
  EXPECT_FALSE(RangeSieve(0, 10).IsPrime(1));
  EXPECT_TRUE(RangeSieve(0, 10).IsPrime(2));
  // Strong pseudoprimes to small bases and a 64-bit prime.
  EXPECT_FALSE(IsPrime64(3215031751ull));
  EXPECT_FALSE(IsPrime64(3825123056546413051ull));
  EXPECT_TRUE(IsPrime64(18446744073709551557ull));
}

class RunCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsurePrimeTable();
    stressState = 0;
  }
  // Runs benchmark bench of work in dir and checks it.
  Verification RunAndCheck(int bench) {
    if (!engine) engine = std::make_unique<BenchEngine>(host, dir.path(), MonotonicTicks, work);
    host.engine = engine.get();
    host.Select(bench);
    outcome = engine->OnStartBench();
    return VerifyRun(outcome, work);
  }
  // Replaces the text of the file of the last run.
  void Damage(const std::function<void(std::string&)>& edit) {
    std::string text = ReadTextFile(outcome.file);
    edit(text);
    WriteTextFile(outcome.file, text);
  }
  static void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  }

  testing::ScratchDir dir;
  testing::FakeHost host;
  Workload work = testing::QuietWorkload();
  std::unique_ptr<BenchEngine> engine;  // made by the first run, with work as it is then
  RunOutcome outcome;
};

TEST_F(RunCheck, EveryBenchmarkOfAShortWorkloadIsVerified) {
  for (int bench = 1; bench <= kRowCount; ++bench) {
    const Verification v = RunAndCheck(bench);
    EXPECT_EQ(v.status, CheckStatus::kVerified) << bench << ": " << VerificationText(v);
    EXPECT_EQ(v.checked, outcome.found) << bench;
    EXPECT_GT(v.checked, 2) << bench;
  }
}

// B7's first primes of the short range: 1000000000039, 1000000000063, 1000000000177, ...; B9
// factors 1000000001 to 1000000020.
TEST_F(RunCheck, DamageIsFoundAtItsFirstWrongLine) {
  struct Case {
    int bench;
    const char* what;
    std::function<void(std::string&)> edit;
    int64_t line;  // 0: not checked
    std::string reason, found = "", expected = "";
  };
  const Case cases[] = {
      {7, "corrupted prime", [](std::string& t) { ReplaceFirst(t, "1000000000063", "1000000000067"); },
       2, "1000000000067 is not prime", "1000000000067", "1000000000063"},
      {7, "missing prime", [](std::string& t) { ReplaceFirst(t, "1000000000063\n", ""); },
       2, "the prime 1000000000063 is missing", "1000000000177", "1000000000063"},
      {7, "extra line", [](std::string& t) { ReplaceFirst(t, "\n\nPrime", "\n1000000000601\n\nPrime"); },
       0, "a line more than the range has primes", "1000000000601"},
      {7, "wrong count", [](std::string& t) { ReplaceFirst(t, "Prime Found : ", "Prime Found : 1"); },
       0, "the count does not match the primes listed"},
      {7, "truncated", [](std::string& t) { t.resize(t.size() / 2); }, 0, "the file is cut short"},
      {7, "text after the end", [](std::string& t) { t += "x\n"; },
       0, "text after the closing line", "x", "end of file"},
      {9, "wrong factor", [](std::string& t) { ReplaceFirst(t, "  52579", "  52581"); }, 1,
       "the factor 52581 is not prime"},
      {9, "factors that do not multiply back", [](std::string& t) { ReplaceFirst(t, "  52579", "  52583"); },
       1, "the factors do not multiply back to 1000000001"},
      {9, "wrong Prime marker", [](std::string& t) { ReplaceFirst(t, "1000000007 =  Prime", "1000000007 =   1000000007"); },
       7, "1000000007 is prime and is not marked Prime"},
      {9, "Prime on a composite", [](std::string& t) { ReplaceFirst(t, "1000000006 =   2  500000003", "1000000006 =  Prime"); },
       6, "1000000006 is marked Prime but is not prime"},
      {9, "descending factors", [](std::string& t) { ReplaceFirst(t, "  2  500000003", "  500000003  2"); },
       6, "the factors are not in ascending order"},
      {9, "missing line", [](std::string& t) { ReplaceFirst(t, "1000000007 =  Prime\n", ""); }, 7,
       "the line is for 1000000008"},
      {9, "extra line", [](std::string& t) { t += "1000000021 =   3  41  617  13177\n"; }, 21,
       "a line more than the range has numbers"},
      {9, "truncated", [](std::string& t) { t.resize(t.rfind("1000000019")); }, 19,
       "the file is cut short"},
      {9, "last line cut", [](std::string& t) { t.pop_back(); }, 20, "the file is cut short"},
      {1, "3 missing", [](std::string& t) { ReplaceFirst(t, "0000000000003\n", ""); },
       2, "the prime 3 is missing", "0000000000005", "0000000000003"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(RunAndCheck(c.bench).ok()) << c.what;
    Damage(c.edit);
    const Verification v = VerifyRun(outcome, work);
    EXPECT_EQ(v.status, CheckStatus::kWrong) << c.what;
    EXPECT_EQ(v.reason, c.reason) << c.what;
    if (c.line > 0) { EXPECT_EQ(v.line, c.line) << c.what; }
    if (!c.found.empty()) { EXPECT_EQ(v.found, c.found) << c.what; }
    if (!c.expected.empty()) { EXPECT_EQ(v.expected, c.expected) << c.what; }
  }
  EXPECT_EQ(VerificationText(VerifyRun(outcome, work)).substr(0, 67),  // of the last case
            "WRONG at line 2 of Numbers_0000000000005.txt: found \"0000000000005\"");
}

// The files are text-mode files: every line ends as the platform writes it (CR LF on Windows),
// and the same lines ended as the other platform ends them are not this run's file.
TEST_F(RunCheck, LinesEndAsTheTextModeOfThePlatformEndsThem) {
  ASSERT_TRUE(RunAndCheck(1).ok());
  const bool crlf = kTextLineEnd == "\r\n";
  const std::string bytes = testing::ReadFile(outcome.file);
  EXPECT_EQ(bytes.substr(0, 15), crlf ? "0000000000002\r\n" : "0000000000002\n0");
  std::string other;
  for (char c : ReadTextFile(outcome.file)) other += c == '\n' ? (crlf ? "\n" : "\r\n") : std::string(1, c);
  testing::WriteFile(outcome.file, other);
  const Verification v = VerifyRun(outcome, work);
  EXPECT_EQ(v.status, CheckStatus::kWrong) << VerificationText(v);
  EXPECT_EQ(v.line, 1);
}

TEST_F(RunCheck, AStoppedRunIsCheckedAsFarAsItGot) {
  work.ranges[0] = {5, 2000000, 100};
  work.factorFirst = 1000000000;
  work.factorLast = 1000020000;
  for (const int bench : {1, 9}) {
    host.dispatches = 0;
    host.stopAtDispatch = 2;
    Verification v = RunAndCheck(bench);
    ASSERT_TRUE(outcome.stopped) << bench;
    EXPECT_TRUE(v.ok()) << VerificationText(v);
    EXPECT_TRUE(v.partial);
    EXPECT_EQ(v.checked, bench == 1 ? 200 : 1001);
    outcome.stopped = false;  // as a complete run, the same file falls short
    v = VerifyRun(outcome, work);
    EXPECT_EQ(v.reason, bench == 1 ? "the list of primes ends early" : "the file is cut short");
  }
}

TEST_F(RunCheck, MixedSearchTablesAndCountAreChecked) {
  ASSERT_TRUE(RunAndCheck(8).ok());
  const RunOutcome good = outcome;
  realPrimeTable[100] += 2;
  Verification v = VerifyRun(good, work);
  EXPECT_EQ(v.place, "entry 100 of the float table");
  EXPECT_EQ(v.expected, "541");
  realPrimeTable[100] -= 2;
  intPrimeTable[3] = 9;
  v = VerifyRun(good, work);
  EXPECT_EQ(v.place, "entry 3 of the integer table");
  EXPECT_EQ(v.found, "9");
  intPrimeTable[3] = 5;
  outcome.found += 1;
  EXPECT_EQ(VerifyRun(outcome, work).place, "the found count");
  outcome = good;
  outcome.mixed.intCandidate = 1001;
  EXPECT_EQ(VerifyRun(outcome, work).reason, "the search ended early");
  EXPECT_TRUE(VerifyRun(good, work).ok());
}

TEST_F(RunCheck, FilesThatCannotBeReadOrWereNotWrittenAreNotVerified) {
  ASSERT_TRUE(RunAndCheck(2).ok());
  std::filesystem::remove(outcome.file);
  std::filesystem::create_directory(outcome.file);
  Verification v = VerifyRun(outcome, work);
  EXPECT_EQ(v.status, CheckStatus::kUnreadable);
  EXPECT_EQ(v.reason, "not a regular file");
  outcome.fileError = ENOSPC;
  v = VerifyRun(outcome, work);
  EXPECT_EQ(v.status, CheckStatus::kNotChecked);
  EXPECT_FALSE(v.ok());
  EXPECT_FALSE(v.wrong());
}

}  // namespace
}  // namespace tallyforge
