#include "ParserTestSupport.h"

namespace vxtest {

std::string Dump(const TastNode& Node) {
  std::string Name(Node.ClassName());
  if (Name.rfind("TSQL", 0) == 0) Name.erase(0, 4);
  TastChildren Children;
  Node.GetMyChildren(Children);
  if (Children.empty()) return Name;
  Name += '[';
  for (size_t I = 0; I < Children.size(); ++I) {
    if (I > 0) Name += ',';
    const auto* Child = dynamic_cast<const TastNode*>(Children[I]);
    Name += Child != nullptr ? Dump(*Child) : std::string(Children[I]->ClassName());
  }
  return Name + ']';
}

std::string DescribeError(const std::string& Message, int Line, int Col, const std::string& Token) {
  return Message + " at " + std::to_string(Line) + ":" + std::to_string(Col) + " \"" + Token + "\"";
}

}  // namespace vxtest
