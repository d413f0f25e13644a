#include "vxParseCheck.h"

#include "vxASTLogical.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxSQLBuilder.h"
#include "vxTestSql.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <typeinfo>

namespace vxfuzz {

namespace {

// The entry points by their names in the case files, and as failures name them.
struct TEntry {
  const char* Kind;
  const char* Name;
};

constexpr TEntry Entries[] = {{"select", "ParseSelect"},
                              {"object", "ParseObjectName"},
                              {"expr", "ParseExpression"},
                              {"item", "ParseSelectItem"},
                              {"logical", "ParseLogicalExpression"},
                              {"criterion", "ParseLogicalExpression without left operands"}};

std::string Quote(const std::string& Text) { return "[" + Text + "]"; }

// A parse error must name a token of the text: its bytes at its offset, or the end of the text.
std::string CheckErrorPosition(const EvxSQLError& Error, const std::string& Text) {
  const bool AtEnd = Error.TokenText == "EOF" && Error.TokenOffset == Text.size();
  const bool AtToken = Error.TokenOffset < Text.size() && !Error.TokenText.empty() &&
                       Text.compare(Error.TokenOffset, Error.TokenText.size(), Error.TokenText) == 0;
  if ((AtEnd || AtToken) && Error.TokenLine >= 1 && Error.TokenCol >= 1 && Error.TokenPos >= 0 &&
      static_cast<uint32_t>(Error.TokenPos) <= Error.TokenOffset)
    return std::string();
  return "the error \"" + Error.GetMessage() + "\" names " + Quote(Error.TokenText) + " at byte " +
         std::to_string(Error.TokenOffset) + ", line " + std::to_string(Error.TokenLine) + ", column " +
         std::to_string(Error.TokenCol) + ", character " + std::to_string(Error.TokenPos) +
         ", which is not a token there";
}

// The checks on one tree; an empty result when they all hold.
std::string CheckTree(TastSQL92SyntaxProvider& Provider, const TEntry& Entry, std::unique_ptr<TastNode> Tree) {
  for (const bool MultiLine : {false, true}) {
    const std::string Written = vxtest::Write(*Tree, MultiLine);
    vxtest::WriteAs<TSQLBuilderHTML>(*Tree, MultiLine);
    std::unique_ptr<TastNode> Again;
    try {
      Again = vxtest::ParseAs(Provider, Entry.Kind, Written);
    } catch (const EvxSQLError& Error) {
      if (Error.GetMessage() == "Statement nested too deeply") continue;
      return "the written text " + Quote(Written) + " does not parse: " + Error.GetMessage() + " at " +
             std::to_string(Error.TokenLine) + ":" + std::to_string(Error.TokenCol) + " " + Quote(Error.TokenText);
    }
    const std::string Rewritten = vxtest::Write(*Again, MultiLine);
    if (Rewritten != Written)
      return "the written text " + Quote(Written) + " parses to a tree writing " + Quote(Rewritten);
  }

  const std::string Original = vxtest::Write(*Tree, false);
  std::unique_ptr<TastNode> Copy = Tree->Clone();
  const std::string Copied = vxtest::Write(*Copy, false);
  if (Copied != Original) return "the copy writes " + Quote(Copied) + " instead of " + Quote(Original);

  // Binding adds links between nodes; a copy of the bound tree must hold none into the
  // original, which is freed before the copy is written.
  TSQLFromSourceList Sources;
  Tree->FixupObjects(Sources);
  Tree->SimplifyTree();
  const std::string Bound = vxtest::Write(*Tree, false);
  std::unique_ptr<TastNode> BoundCopy = Tree->Clone();
  Tree.reset();
  const std::string BoundCopied = vxtest::Write(*BoundCopy, false);
  if (BoundCopied != Bound)
    return "the copy of the bound tree writes " + Quote(BoundCopied) + " instead of " + Quote(Bound);

  TSQLFromSourceList CopySources;
  Copy->FixupObjects(CopySources);
  Copy->SimplifyTree();
  vxtest::WriteAs<TSQLBuilderHTML>(*Copy, true);
  return std::string();
}

}  // namespace

std::string CheckParse(TastSQL92SyntaxProvider& Provider, std::string_view Text) {
  const std::string Input(Text);
  for (const TEntry& Entry : Entries) {
    std::string Failure;
    try {
      std::unique_ptr<TastNode> Tree;
      try {
        Tree = vxtest::ParseAs(Provider, Entry.Kind, Input);
      } catch (const EvxSQLError& Error) {
        // Not in the language of this entry point: the expected outcome, if it says where.
        Failure = CheckErrorPosition(Error, Input);
      }
      if (Tree) Failure = CheckTree(Provider, Entry, std::move(Tree));
    } catch (const std::exception& Error) {
      Failure = std::string("unexpected ") + typeid(Error).name() + ": " + Error.what();
    } catch (...) {
      Failure = "an exception of unknown type";
    }
    if (!Failure.empty()) return std::string(Entry.Name) + ": " + Failure;
  }
  return std::string();
}

}  // namespace vxfuzz
