// tallyforge: the desktop program.
#include <wx/app.h>

#include <cstdio>
#include <cstring>

#include "bench_app.h"
#include "standard_streams.h"
#include "version.h"
#include "version_info.h"

wxIMPLEMENT_APP_NO_MAIN(tallyforge::app::CBenchApp);

namespace {

void PrintVersion() {
  using namespace tallyforge;
  std::printf("tallyforge %s (commit %s, %s)\n", kVersion, kCommit, kCompiler);
  std::printf("%s, version %s\n", res::kProductName, res::kProductVersion);
  std::printf("%s, file version %s (%s, %s)\n", res::kFileDescription, res::kFileVersion,
              res::kInternalName, res::kOriginalFilename);
  std::printf("%s\n", res::kLegalCopyright);
}

}  // namespace

int main(int argc, char** argv) {
  if (!tallyforge::OpenClosedStandardStreams()) return 1;
  // The program has no other options; these two answer without opening a window.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    PrintVersion();
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::printf("usage: tallyforge [--version | --help]\n"
                "The desktop benchmark; tallyforge-cli runs the same benchmarks in a terminal.\n");
    return 0;
  }
  if (argc > 1) {
    std::fprintf(stderr, "tallyforge: unknown option '%s'; try 'tallyforge --help'\n", argv[1]);
    return 2;
  }
  return wxEntry(argc, argv);
}
