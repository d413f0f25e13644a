// The invariants every text must keep, whatever its bytes: shared by the parse fuzzer and by the
// test that replays the inputs the fuzzer once failed on (fuzz/regressions).
//
// The text goes through each parse entry point (select, object name, expression, select item,
// logical expression with and without required left operands). A text that does not parse must
// fail with EvxSQLError and nothing else. A tree that parses must
//   - write as plain text and HTML, on one line and laid out on several;
//   - write a text that parses again with the same entry point to a tree that writes the same;
//   - copy to a tree that writes the same, also once the original is bound and then freed;
//   - get through the tree walks (FixupObjects with no FROM sources of its own, SimplifyTree).
// The one failure tolerated on the second parse is "Statement nested too deeply": the writer
// brackets nested joins, so a text close to the nesting limit can write one past it.
#pragma once

#include <string>
#include <string_view>

class TastSQL92SyntaxProvider;

namespace vxfuzz {

// Runs every check on Text. Returns an empty string when all hold, otherwise what broke: the
// entry point, the check and the texts involved. Catches every exception the checks raise;
// crashes and leaks are left to the sanitizers.
std::string CheckParse(TastSQL92SyntaxProvider& Provider, std::string_view Text);

}  // namespace vxfuzz
