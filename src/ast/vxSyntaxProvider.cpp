#include "vxSyntaxProvider.h"

#include "vxASTFrom.h"
#include "vxASTNames.h"
#include "vxSQLBuilder.h"

// --- dialect parts the base leaves out -------------------------------------------------------

const TvxParserClass& TastSyntaxProvider::GetParserClass() const { throw EvxAbstractError(); }
const TvxScannerClass& TastSyntaxProvider::GetScannerClass() const { throw EvxAbstractError(); }
void TastSyntaxProvider::GetStarAggregateNames(TvxStringList&) const { throw EvxAbstractError(); }
void TastSyntaxProvider::Get1ParamAggregateNames(TvxStringList&) const { throw EvxAbstractError(); }
void TastSyntaxProvider::GetPrefixed1ParamAggregateNames(TvxStringList&) const { throw EvxAbstractError(); }
bool TastSyntaxProvider::IsSupportViews() const { throw EvxAbstractError(); }
bool TastSyntaxProvider::IsSupportUnions() const { throw EvxAbstractError(); }
bool TastSyntaxProvider::IsSupportBracketsInUnions() const { throw EvxAbstractError(); }
bool TastSyntaxProvider::IsSupportDerivedTables() const { throw EvxAbstractError(); }
bool TastSyntaxProvider::IsSupportSubQueryUnions() const { throw EvxAbstractError(); }
bool TastSyntaxProvider::IsSupportSubQueryBracketsInUnions() const { throw EvxAbstractError(); }
bool TastSyntaxProvider::IsSupportSubQueryDerivedTables() const { throw EvxAbstractError(); }

// --- operators --------------------------------------------------------------------------------

void TastSyntaxProvider::GetComparisonOperators(TvxStringList& List) const { List = {"=", ">", ">=", "<", "<=", "<>"}; }

void TastSyntaxProvider::GetUnionOperatorsList(TvxStringList& List) const { List = {"Union", "Union All"}; }

bool TastSyntaxProvider::IsReservedWord(std::string_view) const { return false; }

std::string TastSyntaxProvider::NormalizeUnionOperator(std::string_view Op) const {
  TvxStringList Operators;
  GetUnionOperatorsList(Operators);
  std::string Lower = vx::LowerCase(Op);
  for (const std::string& Entry : Operators)
    if (vx::LowerCase(Entry) == Lower) return Entry;
  return Lower;
}

TvxUnionOperatorKind TastSyntaxProvider::GetUnionOperatorKind(std::string_view Op) {
  static const std::pair<std::string_view, TvxUnionOperatorKind> Kinds[] = {
      {"UNION", TvxUnionOperatorKind::uokUnion},         {"UNION ALL", TvxUnionOperatorKind::uokUnionAll},
      {"EXCEPT", TvxUnionOperatorKind::uokExcept},       {"EXCEPT ALL", TvxUnionOperatorKind::uokExceptAll},
      {"INTERSECT", TvxUnionOperatorKind::uokIntersect}, {"INTERSECT ALL", TvxUnionOperatorKind::uokIntersectAll}};
  std::string Upper = vx::UpperCase(Op);
  for (const auto& [Text, Kind] : Kinds)
    if (Upper == Text) return Kind;
  return TvxUnionOperatorKind::uokNone;
}

std::string TastSyntaxProvider::GetUnionOperatorIcon(std::string_view Op) const {
  switch (GetUnionOperatorKind(Op)) {
    case TvxUnionOperatorKind::uokUnion:
      return "VXQB_UNION";
    case TvxUnionOperatorKind::uokUnionAll:
      return "VXQB_UNIONALL";
    case TvxUnionOperatorKind::uokExcept:
      return "VXQB_EXCEPT";
    case TvxUnionOperatorKind::uokExceptAll:
      return "VXQB_EXCEPTALL";
    case TvxUnionOperatorKind::uokIntersect:
      return "VXQB_INTERSECT";
    case TvxUnionOperatorKind::uokIntersectAll:
      return "VXQB_INTERSECTALL";
    case TvxUnionOperatorKind::uokNone:
      break;
  }
  return std::string();
}

// --- extender registry ------------------------------------------------------------------------

const TastClass* TastSyntaxProvider::FindExtenderClass(const TastClass& NodeClass, bool Inherited) const {
  const TastClass* Found = nullptr;
  int FoundDistance = 0;
  for (const TastClassToExtenderEntry& Entry : FExtenders) {
    if (Entry.NodeClass == &NodeClass) return Entry.ExtenderClass;
    if (!Inherited) continue;
    int Distance = NodeClass.DistanceTo(*Entry.NodeClass);
    if (Distance > 0 && (Found == nullptr || Distance < FoundDistance)) {
      Found = Entry.ExtenderClass;
      FoundDistance = Distance;
    }
  }
  return Found;
}

void TastSyntaxProvider::RegisterExtender(const TastClass& NodeClass, const TastClass& ExtenderClass) {
  if (FindExtenderClass(NodeClass, false) != nullptr)
    throw EvxException("Extender for \"" + std::string(NodeClass.Name) + "\" already registered!");
  FExtenders.push_back({&NodeClass, &ExtenderClass});
  TastNode::NoteExtenderRegistered();
}

void TastSyntaxProvider::RegisterExtender(const std::vector<const TastClass*>& NodeClasses,
                                          const TastClass& ExtenderClass) {
  for (const TastClass* NodeClass : NodeClasses) RegisterExtender(*NodeClass, ExtenderClass);
}

// --- names and FROM sources (filled in with the name and FROM source nodes) --------------------

std::unique_ptr<TSQLFromSource> TastSyntaxProvider::CreateSQLFromObject(const std::string& ObjectName,
                                                                        const std::string& Alias,
                                                                        TvxNameFolding Folding) {
  // The name was picked from a list of tables, so it is one name even when it contains dots,
  // and a name of the database, not SQL text: it is quoted as it needs.
  auto Object = NewNode<TSQLDatabaseObject>(this);
  Object->AddName(QuoteName(ObjectName, Folding));
  auto Source = NewNode<TSQLFromObject>(this);
  Source->SetObject(std::move(Object));
  if (!Alias.empty()) Source->SetAlias(NewNode<TSQLAliasObjectAlias>(this, QuoteName(Alias)));
  return Source;
}

std::string TastSyntaxProvider::QuoteName(std::string_view Name, TvxNameFolding Folding) const {
  return TSQLBuilder::QuoteIdentifier(Name, this, Folding);
}

std::string TastSyntaxProvider::UnquoteName(std::string_view Name) const {
  return TSQLBuilder::UnquoteIdentifier(Name, this);
}

bool TastSyntaxProvider::IsNamesEqual(std::string_view A, std::string_view B) const {
  if (vx::SameText(A, B)) return true;
  // Most names are plain: only a name that may carry delimiters is worth a copy.
  if (!TSQLBuilder::MayBeDelimited(A) && !TSQLBuilder::MayBeDelimited(B)) return false;
  return vx::SameText(UnquoteName(A), UnquoteName(B));
}

bool TastSyntaxProvider::IsDBObjectNamesEqual(const TSQLDatabaseObject& A, const TSQLDatabaseObject& B) const {
  return IsNamesEqual(A.GetObjName(), B.GetObjName());
}

bool TastSyntaxProvider::IsColumnOfDBObject(const TSQLObjectColumn& Column, const TSQLDatabaseObject& Obj) const {
  return Column.GetCount() >= 2 && IsNamesEqual(Column.GetName(1), Obj.GetObjName());
}
