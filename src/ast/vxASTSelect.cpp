#include "vxASTSelect.h"

#include "vxSQLBuilder.h"
#include "vxSyntaxProvider.h"

#include <algorithm>

VX_CLASS_IMPL(TSQLSelectItem, TastNode)
VX_CLASS_IMPL(TSQLSelectItemAllColumns, TSQLSelectItem)
VX_CLASS_IMPL(TSQLSelectItemAllTableColumns, TSQLSelectItem)
VX_CLASS_IMPL(TSQLSelectItemExpression, TSQLSelectItem)
VX_CLASS_IMPL(TSQLSelectItems, TastNodeWithList)
VX_CLASS_IMPL(TSQLSubQuerySelectMode, TastNode)
VX_CLASS_IMPL(TSQLSubQuerySelectModeDefault, TSQLSubQuerySelectMode)
VX_CLASS_IMPL(TSQLSubQuerySelectModeAll, TSQLSubQuerySelectMode)
VX_CLASS_IMPL(TSQLSubQuerySelectModeDistinct, TSQLSubQuerySelectMode)
VX_CLASS_IMPL(TSQLGroupByList, TSQLExpressionsList)
VX_CLASS_IMPL(TSQLOrderByItem, TastNode)
VX_CLASS_IMPL(TSQLOrderByClause, TastNodeWithList)

// --- select items ------------------------------------------------------------------------------

void TSQLSelectItemAllColumns::BuildSQLDirect(TSQLBuilder& Builder, bool) const { Builder.WriteSymbol("*"); }

void TSQLSelectItemAllTableColumns::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  if (FObject) FObject->BuildSQL(Builder, MultiLine);
  Builder.WriteSymbol(".*");
}

void TSQLSelectItemAllTableColumns::GetMyChildren(TastChildren& List) const {
  TSQLSelectItem::GetMyChildren(List);
  if (FObject) List.push_back(FObject.get());
}

void TSQLSelectItemAllTableColumns::Assign(const TastExtender& Source) {
  TSQLSelectItem::Assign(Source);
  if (const auto* Item = dynamic_cast<const TSQLSelectItemAllTableColumns*>(&Source))
    if (Item->FObject) FObject = CloneChild(Item->FObject);
}

void TSQLSelectItemExpression::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  // The alias's form by its class record, cheaper than a dynamic_cast for every item written.
  const bool AliasFirst = FAlias && FAlias->InheritsFrom(TSQLAliasAliasEqualsObject::StaticClass());
  if (AliasFirst) {
    FAlias->BuildSQL(Builder, MultiLine);
    Builder.WriteSymbol("=");
  }
  if (FExpression) FExpression->BuildSQL(Builder, MultiLine);
  if (FAlias && FAlias->InheritsFrom(TSQLAliasObjectAlias::StaticClass())) {
    Builder.Space();
    FAlias->BuildSQL(Builder, MultiLine);
  }
}

void TSQLSelectItemExpression::GetMyChildren(TastChildren& List) const {
  TSQLSelectItem::GetMyChildren(List);
  if (FAlias) List.push_back(FAlias.get());
  if (FExpression) List.push_back(FExpression.get());
}

void TSQLSelectItemExpression::Assign(const TastExtender& Source) {
  TSQLSelectItem::Assign(Source);
  const auto* Item = dynamic_cast<const TSQLSelectItemExpression*>(&Source);
  if (Item == nullptr) return;
  if (Item->FAlias) FAlias = CloneChild(Item->FAlias);
  if (Item->FExpression) FExpression = CloneChild(Item->FExpression);
}

// --- select modes ------------------------------------------------------------------------------

void TSQLSubQuerySelectModeAll::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  Builder.Space();
  Builder.WriteKeyword("ALL");
}

void TSQLSubQuerySelectModeDistinct::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  Builder.Space();
  Builder.WriteKeyword("DISTINCT");
}

// --- grouping and ordering ---------------------------------------------------------------------

void TSQLGroupByList::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.NewLineOrSpace(MultiLine);
  Builder.WriteKeyword("GROUP");
  Builder.Space();
  Builder.WriteKeyword("BY");
  Builder.Space();
  TSQLExpressionsList::BuildSQLDirect(Builder, MultiLine);
}

void TSQLOrderByItem::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  if (FExpression) FExpression->BuildSQL(Builder, MultiLine);
  if (FOrder == TSQLOrderByOrders::obDesc) {
    Builder.Space();
    Builder.WriteKeyword("DESC");
  }
}

TSQLObjectColumn* TSQLOrderByItem::GetBareName() const {
  auto* Reference = dynamic_cast<TSQLExpressionColumn*>(FExpression.get());
  TSQLObjectColumn* Column = Reference != nullptr ? Reference->GetColumn() : nullptr;
  return Column != nullptr && Column->GetCount() == 1 ? Column : nullptr;
}

bool TSQLOrderByItem::IsPosition() const {
  const auto* Constant = dynamic_cast<const TSQLExpressionConstant*>(FExpression.get());
  if (Constant == nullptr) return false;
  const std::string Text = Constant->GetValue().ToString();
  return !Text.empty() && std::all_of(Text.begin(), Text.end(), [](char C) { return C >= '0' && C <= '9'; });
}

void TSQLOrderByItem::GetMyChildren(TastChildren& List) const {
  TastNode::GetMyChildren(List);
  if (FExpression) List.push_back(FExpression.get());
}

void TSQLOrderByItem::Assign(const TastExtender& Source) {
  TastNode::Assign(Source);
  const auto* Item = dynamic_cast<const TSQLOrderByItem*>(&Source);
  if (Item == nullptr) return;
  FOrder = Item->FOrder;
  if (Item->FExpression) FExpression = CloneChild(Item->FExpression);
}

// --- clause starts and ORDER BY ----------------------------------------------------------------

namespace {

// A clause after the first one of a statement starts on a line of its own when written on
// several lines.
void StartClause(TSQLBuilder& Builder, bool MultiLine, std::string_view Keyword) {
  Builder.NewLineOrSpace(MultiLine);
  Builder.WriteKeyword(Keyword);
  Builder.Space();
}

}  // namespace

void TSQLOrderByClause::BuildClause(TSQLBuilder& Builder, bool MultiLine) const {
  StartClause(Builder, MultiLine, "ORDER");
  Builder.WriteKeyword("BY");
  Builder.Space();
  BuildSQL(Builder, MultiLine);
}

// --- one SELECT --------------------------------------------------------------------------------

bool TSQLSubQuerySelectExpression::IsUsable() const {
  return FFrom && FFrom->HasLeafSource() && FSelectItems && FSelectItems->GetCount() > 0;
}

bool TSQLSubQuerySelectExpression::HasOutputAlias(std::string_view Name) const {
  if (!FSelectItems) return false;
  for (int I = 0; I < FSelectItems->GetCount(); ++I)
    if (const auto* Item = dynamic_cast<const TSQLSelectItemExpression*>(FSelectItems->GetItem(I)))
      if (Item->GetAlias() != nullptr &&
          (FSyntaxProvider != nullptr ? FSyntaxProvider->IsNamesEqual(Item->GetAlias()->GetAlias(), Name)
                                      : vx::SameText(Item->GetAlias()->GetAlias(), Name)))
        return true;
  return false;
}

void TSQLSubQuerySelectExpression::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteKeyword("SELECT");
  if (FSelectMode) {
    Builder.Space();
    FSelectMode->BuildSQL(Builder, MultiLine);
  }
  if (FSelectItems && FSelectItems->GetCount() > 0) {
    Builder.Space();
    FSelectItems->BuildSQL(Builder, MultiLine);
  }
  if (FFrom) {
    StartClause(Builder, MultiLine, "FROM");
    FFrom->BuildSQL(Builder, MultiLine);
  }
  if (FWhere) {
    StartClause(Builder, MultiLine, "WHERE");
    FWhere->BuildSQLCosmetic(Builder, MultiLine);
  }
  if (FGroupBy) FGroupBy->BuildSQL(Builder, MultiLine);
  if (FHaving) {
    StartClause(Builder, MultiLine, "HAVING");
    FHaving->BuildSQLCosmetic(Builder, MultiLine);
  }
  if (FOrderBy) FOrderBy->BuildClause(Builder, MultiLine);
}

void TSQLSubQuerySelectExpression::GetMyChildren(TastChildren& List) const {
  TSQLSubQueryExpression::GetMyChildren(List);
  for (TastExtender* Child : std::initializer_list<TastExtender*>{FSelectItems.get(), FFrom.get(), FWhere.get(),
                                                                  FGroupBy.get(), FHaving.get(), FOrderBy.get()})
    if (Child != nullptr) List.push_back(Child);
}

void TSQLSubQuerySelectExpression::Assign(const TastExtender& Source) {
  TSQLSubQueryExpression::Assign(Source);
  const auto* Select = dynamic_cast<const TSQLSubQuerySelectExpression*>(&Source);
  if (Select == nullptr) return;
  if (Select->FSelectMode) FSelectMode = CloneChild(Select->FSelectMode);
  if (Select->FSelectItems) FSelectItems = CloneChild(Select->FSelectItems);
  if (Select->FFrom) FFrom = CloneChild(Select->FFrom);
  if (Select->FWhere) FWhere = CloneChild(Select->FWhere);
  if (Select->FGroupBy) FGroupBy = CloneChild(Select->FGroupBy);
  if (Select->FHaving) FHaving = CloneChild(Select->FHaving);
  if (Select->FOrderBy) FOrderBy = CloneChild(Select->FOrderBy);
}

void TSQLSubQuerySelectExpression::FixupObjects(TSQLFromSourceList& FromSources) {
  TSQLFromSourcesScope Scope(FromSources);
  Scope.AddLeafSources(FFrom.get());
  TSQLSubQueryExpression::FixupObjects(FromSources);
}
