#include "vxASTCriteria.h"

bool IsExpressionsEqual(const TSQLExpressionItem* A, const TSQLExpressionItem* B) {
  if (A == nullptr || B == nullptr) return A == B;
  if (A == B) return true;
  // Texts are taken one at a time: GetSimpleSQL reuses one writer.
  std::string TextA = vx::UpperCaseOutsideQuotes(A->GetSimpleSQL());
  return TextA == vx::UpperCaseOutsideQuotes(B->GetSimpleSQL());
}

namespace {

// The first node under any number of bracket nodes (null when the brackets are empty).
TSQLExpressionItem* LookThroughBrackets(TSQLExpressionItem* Expression) {
  while (auto* Brackets = dynamic_cast<TSQLExpressionBrackets*>(Expression)) Expression = Brackets->GetExpression();
  return Expression;
}

// The NOT that Expression is, looking through brackets, when its operand (also looking through
// brackets) is of class T; otherwise null.
template <class T>
TSQLExpressionNot* NotOf(TSQLExpressionItem* Expression, T*& Operand) {
  auto* Not = dynamic_cast<TSQLExpressionNot*>(LookThroughBrackets(Expression));
  Operand = Not != nullptr ? dynamic_cast<T*>(LookThroughBrackets(Not->GetExpression())) : nullptr;
  return Operand != nullptr ? Not : nullptr;
}

// Replaces a group of the same kind as Into, found at Index, by its items.
void FlattenInto(TSQLExpressionLogicalCollection& Into, int Index, std::unique_ptr<TSQLExpressionItem> Item) {
  if (Item == nullptr) return;
  if (&Item->GetClass() == &Into.GetClass()) {
    auto& Group = static_cast<TSQLExpressionLogicalCollection&>(*Item);
    for (int Offset = 0; Group.GetCount() > 0; ++Offset) Into.Insert(Index + Offset, Group.Extract(0));
    return;
  }
  Into.Insert(Index, std::move(Item));
}

}  // namespace

std::unique_ptr<TSQLExpressionItem> SimplifyLogicalExpression(std::unique_ptr<TSQLExpressionItem> Condition) {
  TSQLExpressionItem* Inner = LookThroughBrackets(Condition.get());
  if (dynamic_cast<TSQLExpressionNot*>(Inner) == nullptr &&
      dynamic_cast<TSQLExpressionLogicalCollection*>(Inner) == nullptr)
    return Condition;

  // NOT NOT x is x; whatever brackets surrounded the two NOTs go with them.
  TSQLExpressionNot* DoubleNot = nullptr;
  while (Condition && NotOf(Condition.get(), DoubleNot) != nullptr) Condition = DoubleNot->ExtractExpression();

  // NOT (a And b) is Not a Or Not b, and the other way round.
  TSQLExpressionLogicalCollection* Group = nullptr;
  if (Condition && NotOf(Condition.get(), Group) != nullptr) {
    std::unique_ptr<TSQLExpressionLogicalCollection> Opposite;
    if (dynamic_cast<TSQLExpressionAnd*>(Group) != nullptr)
      Opposite = NewNode<TSQLExpressionOr>(Group->GetSyntaxProvider());
    else
      Opposite = NewNode<TSQLExpressionAnd>(Group->GetSyntaxProvider());
    Opposite->TakeItemsFrom(*Group, true);
    Condition = std::move(Opposite);
  }

  // A bracketed group keeps its brackets but is simplified inside them all the same, or what
  // it holds would settle only when a later load has shed the brackets.
  auto* Collection = dynamic_cast<TSQLExpressionLogicalCollection*>(LookThroughBrackets(Condition.get()));
  if (Collection == nullptr) return Condition;
  for (int I = Collection->GetCount() - 1; I >= 0; --I)
    FlattenInto(*Collection, I, SimplifyLogicalExpression(Collection->Extract(I)));
  if (Collection->GetCount() == 0) return nullptr;
  return Condition;
}

std::unique_ptr<TSQLExpressionItem> PrepareLogicalExpressionForLoading(std::unique_ptr<TSQLExpressionItem> Condition) {
  return SimplifyLogicalExpression(std::move(Condition));
}
