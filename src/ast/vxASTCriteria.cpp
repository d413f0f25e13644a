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

// Appends Item to Into, or its items when it is a group of class Class (its own groups of that
// class were flattened already). Empty items go.
void FlattenInto(std::vector<std::unique_ptr<TSQLExpressionItem>>& Into, const TastClass& Class,
                 std::unique_ptr<TSQLExpressionItem> Item) {
  if (Item == nullptr) return;
  if (&Item->GetClass() != &Class) {
    Into.push_back(std::move(Item));
    return;
  }
  // All at once: taking the items from the front one by one would move the rest each time.
  for (std::unique_ptr<TSQLExpressionItem>& Inner : static_cast<TSQLExpressionLogicalCollection&>(*Item).ExtractAll())
    Into.push_back(std::move(Inner));
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
  // The items leave the collection in one move and come back in one, flattened: linear in
  // the length of the chain however the groups nest.
  std::vector<std::unique_ptr<TSQLExpressionItem>> Items = Collection->ExtractAll();
  std::vector<std::unique_ptr<TSQLExpressionItem>> Flat;
  Flat.reserve(Items.size());
  for (std::unique_ptr<TSQLExpressionItem>& Item : Items)
    FlattenInto(Flat, Collection->GetClass(), SimplifyLogicalExpression(std::move(Item)));
  if (Flat.empty()) return nullptr;
  Collection->AddAll(std::move(Flat));
  return Condition;
}

std::unique_ptr<TSQLExpressionItem> PrepareLogicalExpressionForLoading(std::unique_ptr<TSQLExpressionItem> Condition) {
  return SimplifyLogicalExpression(std::move(Condition));
}
