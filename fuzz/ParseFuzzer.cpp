// libFuzzer entry: every input goes through every parse entry point and, where it parses,
// through writing, parsing the written text again, copying and the tree walks (see
// vxParseCheck.h). A broken invariant aborts with a description, which libFuzzer reports with
// the input; crashes, leaks and undefined behaviour are the sanitizers' to report.
//
// The whole input is the SQL text, so every reproducer is a plain text file that any entry
// point, the command-line tool or a test can read as it is.
#include "vxParseCheck.h"
#include "vxSQL92SyntaxProvider.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TastSQL92SyntaxProvider Provider;
  const std::string Failure = vxfuzz::CheckParse(Provider, std::string_view(reinterpret_cast<const char*>(Data), Size));
  if (!Failure.empty()) {
    std::fprintf(stderr, "\nParse invariant broken: %s\n", Failure.c_str());
    std::abort();
  }
  return 0;
}
