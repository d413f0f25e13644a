// One-line texts of parts of a node (an expression without its alias, a union operator).
#pragma once

#include "vxSQLBuilder.h"

#include <string>

namespace vx {

// Runs Write(Builder) on a fresh one-line plain-text writer and returns the text. A writer of
// its own rather than the shared one: the parts may hold sub-query proxies whose model asks
// for one-line texts while this one is being written.
template <class TWrite>
std::string OneLineText(TWrite&& Write) {
  std::string Text;
  TSQLBuilderPlainText Builder(Text);
  Builder.ResetBuilder();
  Write(static_cast<TSQLBuilder&>(Builder));
  return Text;
}

}  // namespace vx
