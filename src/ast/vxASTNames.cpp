#include "vxASTNames.h"

#include "vxASTFrom.h"
#include "vxSQLBuilder.h"
#include "vxSyntaxProvider.h"

#include <algorithm>

VX_CLASS_IMPL(TSQLQualifiedName, TastNode)
VX_CLASS_IMPL(TSQLDatabaseObject, TSQLQualifiedName)
VX_CLASS_IMPL(TSQLObjectColumn, TSQLDatabaseObject)
VX_CLASS_IMPL(TSQLAlias, TastNode)
VX_CLASS_IMPL(TSQLAliasAliasEqualsObject, TSQLAlias)
VX_CLASS_IMPL(TSQLAliasObjectAlias, TSQLAlias)
VX_CLASS_IMPL(TSQLAliasObjectAsAlias, TSQLAliasObjectAlias)
VX_CLASS_IMPL(TSQLType, TastNode)
VX_CLASS_IMPL(TSQLTypeBuiltIn, TSQLType)
VX_CLASS_IMPL(TSQLTypeUser, TSQLType)

namespace {

bool IsStringLiteral(std::string_view Text) { return Text.size() >= 2 && Text.front() == '\'' && Text.back() == '\''; }

// An alias may be a string literal ('x'), which some dialects accept after a FROM source but
// none accepts in front of a column. As a qualifier it is written as the same name delimited
// with the dialect's quotes: 'it''s "x"' becomes "it's ""x""".
std::string AliasAsQualifier(std::string_view Alias, const TastSyntaxProvider* SyntaxProvider) {
  if (!IsStringLiteral(Alias) || SyntaxProvider == nullptr) return std::string(Alias);
  const std::string QuoteBegin = SyntaxProvider->GetQuoteBegin(), QuoteEnd = SyntaxProvider->GetQuoteEnd();
  if (QuoteBegin.empty() || QuoteEnd.empty()) return std::string(Alias);
  std::string Result = QuoteBegin;
  const std::string_view Inner = Alias.substr(1, Alias.size() - 2);
  for (size_t I = 0; I < Inner.size(); ++I) {
    if (Inner[I] == '\'' && I + 1 < Inner.size() && Inner[I + 1] == '\'') ++I;  // '' stands for one quote
    if (Inner.compare(I, QuoteEnd.size(), QuoteEnd) == 0) {
      Result += QuoteEnd + QuoteEnd;
      I += QuoteEnd.size() - 1;
    } else {
      Result += Inner[I];
    }
  }
  return Result + QuoteEnd;
}

// Two stored names (aliases, name parts) compare as the dialect compares names: delimiters off,
// doubled quotes undoubled, case ignored.
bool SameName(const TastSyntaxProvider* SyntaxProvider, std::string_view A, std::string_view B) {
  return SyntaxProvider != nullptr ? SyntaxProvider->IsNamesEqual(A, B) : vx::SameText(A, B);
}

}  // namespace

// --- TSQLQualifiedName ------------------------------------------------------------------------

std::string_view TSQLQualifiedName::GetName(int Index) const {
  const int Count = GetCount();
  if (Index < 0 || Index >= Count) throw EvxListError::IndexOutOfBounds(Index);
  return FNames[Count - 1 - Index];
}

TvxStringList TSQLQualifiedName::GetNames() const {
  TvxStringList Names;
  FNames.ForEach([&Names](std::string_view Part) { Names.Insert(0, std::string(Part)); });
  return Names;
}

std::string_view TSQLQualifiedName::GetObjName() const { return FNames.IsEmpty() ? std::string_view() : GetName(0); }

void TSQLQualifiedName::SetObjName(std::string_view Name) {
  if (FNames.IsEmpty())
    FNames.Add(Name);
  else
    FNames.Set(GetCount() - 1, Name);
}

std::string TSQLQualifiedName::GetPrefix(int Index) const {
  std::string Result;
  const int Wanted = GetCount() - std::max(Index, 0);  // parts from the outermost on
  int Taken = 0;
  FNames.ForEach([&](std::string_view Part) {
    if (Taken >= Wanted) return;
    if (Taken++ > 0) Result += '.';
    Result += Part;
  });
  return Result;
}

std::string TSQLQualifiedName::GetQualifiedName() const { return GetPrefix(0); }

void TSQLQualifiedName::BuildParts(TSQLBuilder& Builder, bool QuoteReserved) const {
  bool First = true;
  FNames.ForEach([&](std::string_view Part) {
    if (!First) Builder.WriteSymbol(".");
    First = false;
    // An omitted qualifier (db..t) writes nothing between its dots.
    if (Part.empty()) return;
    const bool Bare = !QuoteReserved && TSQLBuilder::IsPlainIdentifier(Part);
    Builder.WriteIdentifier(Part, Bare ? nullptr : FSyntaxProvider);
  });
}

void TSQLQualifiedName::BuildFullName(TSQLBuilder& Builder) const { BuildParts(Builder, true); }

void TSQLQualifiedName::BuildRoutineName(TSQLBuilder& Builder) const { BuildParts(Builder, false); }

void TSQLQualifiedName::BuildSQLDirect(TSQLBuilder& Builder, bool) const { BuildFullName(Builder); }

void TSQLQualifiedName::Assign(const TastExtender& Source) {
  TastNode::Assign(Source);
  if (const auto* Name = dynamic_cast<const TSQLQualifiedName*>(&Source)) FNames = Name->FNames;
}

// --- TSQLDatabaseObject -----------------------------------------------------------------------

bool TSQLDatabaseObject::BuildSourceName(TSQLBuilder& Builder) const {
  if (FFromSource == nullptr) return false;
  if (const TSQLAlias* Alias = FFromSource->GetAlias()) {
    Builder.WriteIdentifier(AliasAsQualifier(Alias->GetAlias(), FSyntaxProvider), FSyntaxProvider);
    return true;
  }
  if (const auto* FromObject = dynamic_cast<const TSQLFromObject*>(FFromSource))
    if (const TSQLDatabaseObject* Object = FromObject->GetObject()) {
      Object->BuildFullName(Builder);
      return true;
    }
  return false;
}

void TSQLDatabaseObject::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  if (FFromSource == nullptr)
    BuildFullName(Builder);
  else
    BuildSourceName(Builder);
}

void TSQLDatabaseObject::Assign(const TastExtender& Source) {
  TSQLQualifiedName::Assign(Source);
  if (const auto* Object = dynamic_cast<const TSQLDatabaseObject*>(&Source)) FFromSource = Object->FFromSource;
}

void TSQLDatabaseObject::FixupObjects(TSQLFromSourceList& FromSources) {
  TSQLQualifiedName::FixupObjects(FromSources);
  for (auto It = FromSources.rbegin(); It != FromSources.rend(); ++It) {
    TSQLFromSource* Source = *It;
    // An aliased source is known by its alias alone: in "FROM t, t x" the name t is the first
    // source's, never the copy's.
    const TSQLAlias* Alias = Source->GetAlias();
    bool Hit = false;
    if (Alias != nullptr)
      Hit = GetCount() == 1 && SameName(FSyntaxProvider, Alias->GetAlias(), GetObjName());
    else if (const auto* FromObject = dynamic_cast<const TSQLFromObject*>(Source))
      Hit = FromObject->GetObject() != nullptr && FSyntaxProvider != nullptr &&
            FSyntaxProvider->IsDBObjectNamesEqual(*FromObject->GetObject(), *this);
    if (Hit) {
      FFromSource = Source;
      return;
    }
  }
}

void TSQLDatabaseObject::RemoveReferencesToFromSource(const TSQLFromSource* FromSource) {
  TSQLQualifiedName::RemoveReferencesToFromSource(FromSource);
  if (FFromSource == FromSource) FFromSource = nullptr;
}

void TSQLDatabaseObject::ReplaceLinks(const TastNodeMap& Map) {
  TSQLQualifiedName::ReplaceLinks(Map);
  if (FFromSource == nullptr) return;
  auto It = Map.find(FFromSource);
  if (It != Map.end()) FFromSource = dynamic_cast<TSQLFromSource*>(It->second);
}

// --- TSQLObjectColumn -------------------------------------------------------------------------

void TSQLObjectColumn::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  if (FFromSource == nullptr) {
    BuildFullName(Builder);
    return;
  }
  if (BuildSourceName(Builder)) Builder.WriteSymbol(".");
  Builder.WriteIdentifier(GetObjName(), FSyntaxProvider);
}

void TSQLObjectColumn::FixupObjects(TSQLFromSourceList& FromSources) {
  // Only the children are visited here: a column is never bound the way a table is.
  TSQLQualifiedName::FixupObjects(FromSources);
  FFromSource = nullptr;
  if (GetCount() > 2 || GetCount() == 0) return;
  for (auto It = FromSources.rbegin(); It != FromSources.rend(); ++It) {
    TSQLFromSource* Source = *It;
    const TSQLAlias* Alias = Source->GetAlias();
    bool Hit = false;
    if (GetCount() == 2) {
      if (Alias != nullptr)
        Hit = SameName(FSyntaxProvider, Alias->GetAlias(), GetName(1));
      else if (const auto* FromObject = dynamic_cast<const TSQLFromObject*>(Source))
        Hit = FromObject->GetObject() != nullptr && FSyntaxProvider != nullptr &&
              FSyntaxProvider->IsColumnOfDBObject(*this, *FromObject->GetObject());
    } else {
      // The field list holds the names the database reports; a delimited name stands for its
      // inside.
      const std::string_view Name = GetObjName();
      Hit = FSyntaxProvider != nullptr && TSQLBuilder::MayBeDelimited(Name)
                ? Source->GetFieldsList().Contains(FSyntaxProvider->UnquoteName(Name))
                : Source->GetFieldsList().Contains(Name);
    }
    if (Hit) {
      FFromSource = Source;
      return;
    }
  }
}

// --- aliases ----------------------------------------------------------------------------------

void TSQLAlias::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  Builder.WriteIdentifier(GetAlias(), FSyntaxProvider);
}

void TSQLAlias::Assign(const TastExtender& Source) {
  TastNode::Assign(Source);
  if (const auto* Alias = dynamic_cast<const TSQLAlias*>(&Source)) FAlias = Alias->FAlias;
}

void TSQLAliasObjectAsAlias::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteKeyword("AS");
  Builder.Space();
  TSQLAliasObjectAlias::BuildSQLDirect(Builder, MultiLine);
}

// --- types ------------------------------------------------------------------------------------

void TSQLTypeBuiltIn::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  for (int I = 0; I < FNames.Count(); ++I) {
    Builder.WriteKeyword(FNames[I]);
    if (I == FParamsAfter && FHasLength) {
      Builder.WriteSymbol("(");
      Builder.WriteSymbol(std::to_string(FLength));
      if (FHasScale) {
        Builder.WriteSymbol(",");
        Builder.WriteSymbol(std::to_string(FScale));
      }
      Builder.WriteSymbol(")");
    } else {
      Builder.Space();
    }
  }
}

void TSQLTypeBuiltIn::Assign(const TastExtender& Source) {
  TSQLType::Assign(Source);
  if (const auto* Type = dynamic_cast<const TSQLTypeBuiltIn*>(&Source)) {
    FNames = Type->FNames;
    FParamsAfter = Type->FParamsAfter;
    FHasLength = Type->FHasLength;
    FLength = Type->FLength;
    FHasScale = Type->FHasScale;
    FScale = Type->FScale;
  }
}

void TSQLTypeUser::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  if (FTypeName) FTypeName->BuildSQL(Builder, MultiLine);
}

void TSQLTypeUser::GetMyChildren(TastChildren& List) const {
  TSQLType::GetMyChildren(List);
  if (FTypeName) List.push_back(FTypeName.get());
}

void TSQLTypeUser::Assign(const TastExtender& Source) {
  TSQLType::Assign(Source);
  if (const auto* Type = dynamic_cast<const TSQLTypeUser*>(&Source))
    if (Type->FTypeName) FTypeName = CloneChild(Type->FTypeName);
}
