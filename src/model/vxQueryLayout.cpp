// Taking a layout from the model and putting it back; the text form is in vxQueryLayoutText.cpp.
#include "vxQueryLayout.h"

#include "vxQBControlViews.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QWidget>

namespace {

// The main query is always the first sub-query and needs no text to be found again; its text is
// the longest to write.
std::string KeyOf(const TvxSubQuery& SubQuery) {
  return SubQuery.GetIsMainQuery() ? std::string() : vx::LayoutKeyOf(SubQuery.GetSQL());
}

// The boxes of Operand in FROM order, at any depth of bracketed joins.
std::vector<TvxDatasource*> BoxesOf(TvxUnionSubQuery* Operand) {
  TvxDatasourceList Items;
  Operand->GetFromClause()->GetItemsByType(Items, TvxDatasource::staticMetaObject, true);
  std::vector<TvxDatasource*> Boxes;
  Boxes.reserve(Items.size());
  for (TvxDatasourceBase* Item : Items) Boxes.push_back(static_cast<TvxDatasource*>(Item));
  return Boxes;
}

TvxOperandLayout CaptureOperand(TvxUnionSubQuery* Operand) {
  TvxOperandLayout Layout;
  for (const TvxDatasource* Box : BoxesOf(Operand))
    Layout.Boxes.push_back({Box->GetAlias(), Box->GetCatalogName(),
                            QRect(Box->GetLeft(), Box->GetTop(), Box->GetWidth(), Box->GetHeight())});
  return Layout;
}

void ApplyOperand(TvxUnionSubQuery* Operand, const TvxOperandLayout& Layout) {
  const std::vector<TvxDatasource*> Boxes = BoxesOf(Operand);
  std::vector<bool> Placed(Boxes.size(), false);
  bool AnyPlaced = false;
  for (const TvxBoxLayout& Entry : Layout.Boxes) {
    for (size_t Index = 0; Index < Boxes.size(); ++Index) {
      if (Placed[Index] || Boxes[Index]->GetAlias() != Entry.Alias || Boxes[Index]->GetCatalogName() != Entry.Name)
        continue;
      Boxes[Index]->SetBoxBounds(Entry.Bounds);
      Placed[Index] = AnyPlaced = true;
      break;
    }
  }
  // The boxes the layout does not know stood where the work area found room among the others'
  // old places; they look for room again among the new ones.
  const TvxWorkAreaView* WorkArea = Operand->GetWorkAreaView();
  if (!AnyPlaced || WorkArea == nullptr) return;
  for (size_t Index = 0; Index < Boxes.size(); ++Index) {
    TvxDatasource* Box = Boxes[Index];
    if (!Placed[Index] && Box->GetDSControl() != nullptr)
      Box->SetBoxBounds(QRect(WorkArea->FindPos(Box->GetDSControl()), QSize(Box->GetWidth(), Box->GetHeight())));
  }
}

// Pairs the layout's sub-queries with the model's: first those whose text has the same
// fingerprint (in order, for equal texts), then the rest by place. Result[i] is the layout entry
// for the model's sub-query i, or null.
std::vector<const TvxSubQueryLayout*> PairSubQueries(const TvxQueryBuilder& QueryBuilder,
                                                     const std::vector<TvxSubQueryLayout>& Layouts) {
  const int Count = QueryBuilder.GetSubQueriesCount();
  std::vector<const TvxSubQueryLayout*> Pairs(static_cast<size_t>(Count), nullptr);
  std::vector<bool> Used(Layouts.size(), false);
  for (int Index = 0; Index < Count; ++Index) {
    const std::string Key = KeyOf(*QueryBuilder.GetSubQueries(Index));
    for (size_t Entry = 0; Entry < Layouts.size(); ++Entry) {
      if (Used[Entry] || Layouts[Entry].Key != Key) continue;
      Pairs[static_cast<size_t>(Index)] = &Layouts[Entry];
      Used[Entry] = true;
      break;
    }
  }
  for (size_t Index = 0; Index < Pairs.size() && Index < Layouts.size(); ++Index)
    if (Pairs[Index] == nullptr && !Used[Index]) {
      Pairs[Index] = &Layouts[Index];
      Used[Index] = true;
    }
  return Pairs;
}

}  // namespace

TvxQueryLayout TvxQueryLayout::Capture(const TvxQueryBuilder& QueryBuilder) {
  TvxQueryLayout Layout;
  Layout.Painter = vx::FromQString(QueryBuilder.GetLinkTypeName());
  Layout.HasPainter = true;
  const TvxSubQuery* ActiveSubQuery = QueryBuilder.GetActiveSubquery();
  const int Count = QueryBuilder.GetSubQueriesCount();
  for (int Index = 0; Index < Count; ++Index) {
    TvxSubQuery* SubQuery = QueryBuilder.GetSubQueries(Index);
    if (SubQuery == ActiveSubQuery) Layout.ActiveSubQuery = Index;
    TvxSubQueryLayout& Entry = Layout.SubQueries.emplace_back();
    Entry.Key = KeyOf(*SubQuery);
    const TvxUnionSubQuery* ActiveOperand = SubQuery->GetActiveUnionSubquery();
    for (int Place = 0; Place < SubQuery->GetUnionSubQueriesCount(); ++Place) {
      TvxUnionSubQuery* Operand = SubQuery->GetUnionSubQueries(Place);
      if (Operand == ActiveOperand) Entry.ActiveOperand = Place;
      Entry.Operands.push_back(CaptureOperand(Operand));
    }
  }
  return Layout;
}

void TvxQueryLayout::Apply(TvxQueryBuilder& QueryBuilder) const {
  if (HasPainter && vx::FromQString(QueryBuilder.GetLinkTypeName()) != Painter)
    QueryBuilder.SetLinkTypeName(vx::ToQString(Painter));
  const std::vector<const TvxSubQueryLayout*> Pairs = PairSubQueries(QueryBuilder, SubQueries);
  TvxSubQuery* ShownSubQuery = nullptr;
  for (size_t Index = 0; Index < Pairs.size(); ++Index) {
    const TvxSubQueryLayout* Entry = Pairs[Index];
    if (Entry == nullptr) continue;
    TvxSubQuery* SubQuery = QueryBuilder.GetSubQueries(static_cast<int>(Index));
    const int Operands = std::min<int>(SubQuery->GetUnionSubQueriesCount(), static_cast<int>(Entry->Operands.size()));
    for (int Place = 0; Place < Operands; ++Place)
      ApplyOperand(SubQuery->GetUnionSubQueries(Place), Entry->Operands[static_cast<size_t>(Place)]);
    if (Entry->ActiveOperand < SubQuery->GetUnionSubQueriesCount())
      SubQuery->SetActiveUnionSubquery(SubQuery->GetUnionSubQueries(Entry->ActiveOperand));
    if (Entry - SubQueries.data() == ActiveSubQuery) ShownSubQuery = SubQuery;
  }
  if (ShownSubQuery != nullptr) QueryBuilder.SetActiveSubquery(ShownSubQuery);
}
