#include "vxParseCheck.h"

#include "vxASTLogical.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxSQLBuilder.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <typeinfo>

namespace vxfuzz {

namespace {

enum class TEntry { enSelect, enObject, enExpression, enItem, enLogical, enCriterion };

constexpr TEntry Entries[] = {TEntry::enSelect, TEntry::enObject,  TEntry::enExpression,
                              TEntry::enItem,   TEntry::enLogical, TEntry::enCriterion};

const char* EntryName(TEntry Entry) {
  switch (Entry) {
    case TEntry::enSelect:
      return "ParseSelect";
    case TEntry::enObject:
      return "ParseObjectName";
    case TEntry::enExpression:
      return "ParseExpression";
    case TEntry::enItem:
      return "ParseSelectItem";
    case TEntry::enLogical:
      return "ParseLogicalExpression";
    case TEntry::enCriterion:
      return "ParseLogicalExpression without left operands";
  }
  return "?";
}

std::unique_ptr<TastNode> Parse(TastSQL92SyntaxProvider& Provider, TEntry Entry, const std::string& Text) {
  switch (Entry) {
    case TEntry::enSelect:
      return Provider.ParseSelect(Text);
    case TEntry::enObject:
      return Provider.ParseObjectName(Text);
    case TEntry::enExpression:
      return Provider.ParseExpression(Text);
    case TEntry::enItem:
      return Provider.ParseSelectItem(Text);
    case TEntry::enLogical:
      return Provider.ParseLogicalExpression(Text, true);
    case TEntry::enCriterion:
      return Provider.ParseLogicalExpression(Text, false);
  }
  return nullptr;
}

template <class TBuilder>
std::string Write(const TastNode& Node, bool MultiLine) {
  std::string Text;
  TBuilder Builder(Text);
  Builder.ResetBuilder();
  Node.BuildSQL(Builder, MultiLine);
  return Text;
}

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
std::string CheckTree(TastSQL92SyntaxProvider& Provider, TEntry Entry, std::unique_ptr<TastNode> Tree) {
  for (const bool MultiLine : {false, true}) {
    const std::string Written = Write<TSQLBuilderPlainText>(*Tree, MultiLine);
    Write<TSQLBuilderHTML>(*Tree, MultiLine);
    std::unique_ptr<TastNode> Again;
    try {
      Again = Parse(Provider, Entry, Written);
    } catch (const EvxSQLError& Error) {
      if (Error.GetMessage() == "Statement nested too deeply") continue;
      return "the written text " + Quote(Written) + " does not parse: " + Error.GetMessage() + " at " +
             std::to_string(Error.TokenLine) + ":" + std::to_string(Error.TokenCol) + " " + Quote(Error.TokenText);
    }
    const std::string Rewritten = Write<TSQLBuilderPlainText>(*Again, MultiLine);
    if (Rewritten != Written)
      return "the written text " + Quote(Written) + " parses to a tree writing " + Quote(Rewritten);
  }

  const std::string Original = Write<TSQLBuilderPlainText>(*Tree, false);
  std::unique_ptr<TastNode> Copy = Tree->Clone();
  const std::string Copied = Write<TSQLBuilderPlainText>(*Copy, false);
  if (Copied != Original) return "the copy writes " + Quote(Copied) + " instead of " + Quote(Original);

  // Binding adds links between nodes; a copy of the bound tree must hold none into the
  // original, which is freed before the copy is written.
  TSQLFromSourceList Sources;
  Tree->FixupObjects(Sources);
  Tree->SimplifyTree();
  const std::string Bound = Write<TSQLBuilderPlainText>(*Tree, false);
  std::unique_ptr<TastNode> BoundCopy = Tree->Clone();
  Tree.reset();
  const std::string BoundCopied = Write<TSQLBuilderPlainText>(*BoundCopy, false);
  if (BoundCopied != Bound)
    return "the copy of the bound tree writes " + Quote(BoundCopied) + " instead of " + Quote(Bound);

  TSQLFromSourceList CopySources;
  Copy->FixupObjects(CopySources);
  Copy->SimplifyTree();
  Write<TSQLBuilderHTML>(*Copy, true);
  return std::string();
}

}  // namespace

std::string CheckParse(TastSQL92SyntaxProvider& Provider, std::string_view Text) {
  const std::string Input(Text);
  for (const TEntry Entry : Entries) {
    std::string Failure;
    try {
      std::unique_ptr<TastNode> Tree;
      try {
        Tree = Parse(Provider, Entry, Input);
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
    if (!Failure.empty()) return std::string(EntryName(Entry)) + ": " + Failure;
  }
  return std::string();
}

}  // namespace vxfuzz
