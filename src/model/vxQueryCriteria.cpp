#include "vxQueryCriteria.h"

#include "vxASTNames.h"
#include "vxQBStrings.h"
#include "vxSyntaxProvider.h"

namespace {

// "X = TRUE" or "X = FALSE" with a logical X: Value tells which.
bool IsLogicalComparison(const TSQLExpressionItem& Expression, bool& Value) {
  auto* Comparison = dynamic_cast<const TSQLExpressionOperatorBinary*>(&Expression);
  if (Comparison == nullptr || vx::Trim(Comparison->GetOperatorText()) != "=") return false;
  return vx::IsCondition(Comparison->GetExpression()) && vx::IsBooleanLiteral(Comparison->GetRight(), Value);
}

}  // namespace

namespace vx {

const TastNode* SkipBrackets(const TastNode* Node) {
  while (auto* Brackets = dynamic_cast<const TSQLExpressionBrackets*>(Node)) Node = Brackets->GetExpression();
  return Node;
}

bool IsCondition(const TSQLExpressionItem* Expression) {
  auto* Inner = dynamic_cast<const TSQLExpressionItem*>(SkipBrackets(Expression));
  if (Inner == nullptr) return false;
  if (Inner->IsLogical() || dynamic_cast<const TSQLExpressionBetween*>(Inner) != nullptr ||
      dynamic_cast<const TSQLExpressionCompWithSet*>(Inner) != nullptr)
    return true;
  auto* Binary = dynamic_cast<const TSQLExpressionOperatorBinary*>(Inner);
  const TastSyntaxProvider* Dialect = Binary != nullptr ? Binary->GetSyntaxProvider() : nullptr;
  if (Dialect == nullptr) return false;
  TvxStringList Comparisons;
  Dialect->GetComparisonOperators(Comparisons);
  return Comparisons.Contains(Trim(Binary->GetOperatorText()));
}

bool IsBooleanLiteral(const TSQLExpressionItem* Expression, bool& Value) {
  if (auto* Constant = dynamic_cast<const TSQLExpressionConstant*>(Expression)) {
    if (!Constant->GetValue().IsBoolean()) return false;
    Value = Constant->GetValue().GetBoolean();
    return true;
  }
  auto* Reference = dynamic_cast<const TSQLExpressionColumn*>(Expression);
  if (Reference == nullptr || Reference->GetColumn() == nullptr) return false;
  const TSQLObjectColumn& Column = *Reference->GetColumn();
  if (Column.GetFromSource() != nullptr || Column.GetCount() != 1) return false;
  if (SameText(Column.GetObjName(), "TRUE")) {
    Value = true;
    return true;
  }
  if (SameText(Column.GetObjName(), "FALSE")) {
    Value = false;
    return true;
  }
  return false;
}

std::unique_ptr<TSQLExpressionItem> WriteLogicalComparisons(std::unique_ptr<TSQLExpressionItem> Condition) {
  if (!Condition) return Condition;
  bool Value = false;
  if (IsLogicalComparison(*Condition, Value)) {
    auto& Comparison = static_cast<TSQLExpressionOperatorBinary&>(*Condition);
    std::unique_ptr<TSQLExpressionItem> Left = WriteLogicalComparisons(Comparison.ExtractExpression());
    if (Value) return Left;
    return NewNode<TSQLExpressionNot>(Condition->GetSyntaxProvider(), std::move(Left));
  }
  if (dynamic_cast<TSQLExpressionNot*>(Condition.get()) != nullptr ||
      dynamic_cast<TSQLExpressionBrackets*>(Condition.get()) != nullptr) {
    auto& Wrapper = static_cast<TSQLExpressionExpressionItem&>(*Condition);
    Wrapper.SetExpression(WriteLogicalComparisons(Wrapper.ExtractExpression()));
  } else if (auto* Collection = dynamic_cast<TSQLExpressionLogicalCollection*>(Condition.get())) {
    // All items out and back in one move each: taking them out one by one would move the
    // rest each time.
    std::vector<std::unique_ptr<TSQLExpressionItem>> Items = Collection->ExtractAll();
    for (std::unique_ptr<TSQLExpressionItem>& Item : Items) Item = WriteLogicalComparisons(std::move(Item));
    Collection->AddAll(std::move(Items));
  }
  return Condition;
}

bool HasLogicalOperand(const TSQLExpressionItem& Condition) {
  if (dynamic_cast<const TSQLExpressionNot*>(&Condition) != nullptr ||
      dynamic_cast<const TSQLExpressionBrackets*>(&Condition) != nullptr) {
    const TSQLExpressionItem* Inner = static_cast<const TSQLExpressionExpressionItem&>(Condition).GetExpression();
    return Inner != nullptr && HasLogicalOperand(*Inner);
  }
  if (auto* Collection = dynamic_cast<const TSQLExpressionLogicalCollection*>(&Condition)) {
    for (int I = 0; I < Collection->GetCount(); ++I)
      if (Collection->GetItem(I) != nullptr && HasLogicalOperand(*Collection->GetItem(I))) return true;
    return false;
  }
  if (auto* Operation = dynamic_cast<const TSQLExpressionOperation*>(&Condition))
    return vx::IsCondition(Operation->GetExpression());
  return false;
}

}  // namespace vx

namespace vx {

bool TryStrToInt(std::string_view Text, long long& Value) {
  size_t Pos = 0;
  bool Negative = false;
  if (Pos < Text.size() && (Text[Pos] == '+' || Text[Pos] == '-')) Negative = Text[Pos++] == '-';
  int Base = 10;
  if (Pos < Text.size() && Text[Pos] == '$') {
    Base = 16;
    ++Pos;
  } else if (Pos + 1 < Text.size() && Text[Pos] == '0' && (Text[Pos + 1] == 'x' || Text[Pos + 1] == 'X')) {
    Base = 16;
    Pos += 2;
  }
  if (Pos == Text.size()) return false;
  unsigned long long Magnitude = 0;
  const unsigned long long Limit = Negative ? 9223372036854775808ull : 9223372036854775807ull;
  for (; Pos < Text.size(); ++Pos) {
    const char C = Text[Pos];
    int Digit;
    if (C >= '0' && C <= '9')
      Digit = C - '0';
    else if (Base == 16 && C >= 'a' && C <= 'f')
      Digit = C - 'a' + 10;
    else if (Base == 16 && C >= 'A' && C <= 'F')
      Digit = C - 'A' + 10;
    else
      return false;
    if (Magnitude > (Limit - static_cast<unsigned>(Digit)) / static_cast<unsigned>(Base)) return false;
    Magnitude = Magnitude * static_cast<unsigned>(Base) + static_cast<unsigned>(Digit);
  }
  Value = Negative ? static_cast<long long>(0ull - Magnitude) : static_cast<long long>(Magnitude);
  return true;
}

}  // namespace vx
