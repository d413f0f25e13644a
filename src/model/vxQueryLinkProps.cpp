// A link's properties as its dialog edits them: the two sides, the operator of a comparison of
// two columns or else the condition's text, and whether each side keeps all its rows.
#include "vxASTFrom.h"
#include "vxBaseMetadataProvider.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"
#include "vxQueryCriteria.h"
#include "vxQueryLink.h"
#include "vxQueryUnionSubQuery.h"

namespace {

// The comparison of a column with a column that Condition is, inside any brackets; null when it
// is anything else.
TSQLExpressionOperatorBinary* SimpleComparison(TSQLExpressionItem* Condition) {
  auto* Binary = dynamic_cast<TSQLExpressionOperatorBinary*>(const_cast<TastNode*>(vx::SkipBrackets(Condition)));
  if (Binary == nullptr || dynamic_cast<TSQLExpressionColumn*>(Binary->GetExpression()) == nullptr ||
      dynamic_cast<TSQLExpressionColumn*>(Binary->GetRight()) == nullptr)
    return nullptr;
  return Binary;
}

// The dialog's two sides: the datasources the columns of a simple comparison are bound to, in
// the order the condition names them, else the link's ends.
std::pair<TvxDatasourceBase*, TvxDatasourceBase*> DialogSides(const TvxLink& Link,
                                                              const TSQLExpressionOperatorBinary* Comparison) {
  if (Comparison != nullptr) {
    std::string Field;
    TvxDatasource* Left = vx::LinkedDatasource(Comparison->GetExpression(), Field);
    TvxDatasource* Right = vx::LinkedDatasource(Comparison->GetRight(), Field);
    if (Left != nullptr && Right != nullptr) return {Left, Right};
  }
  return {Link.GetLeftDatasource(), Link.GetRightDatasource()};
}

// True when the dialog's left side is the owner item, the right-hand side of the join: "all
// rows of the left side" is then a right outer join. Sides that do not tell which is which (a
// link whose ends are both or neither in the owner) read as written.
bool LeftSideJoinsLast(const TvxLink& Link, const TvxDatasourceBase* Left, const TvxDatasourceBase* Right) {
  const TvxDatasourceBase* Owner = Link.GetOwnerItem();
  return Left != nullptr && Right != nullptr && Owner->ContainsDatasource(Left, true) &&
         !Owner->ContainsDatasource(Right, true);
}

// What names a side in the dialog: a box its caption, a bracketed join the text of its sources.
std::string SideCaption(const TvxDatasourceBase* Side) {
  if (Side == nullptr) return std::string();
  if (const auto* Datasource = qobject_cast<const TvxDatasource*>(Side)) return Datasource->GetCaption();
  std::unique_ptr<TSQLFromSource> Node = Side->GetASTFromSource();
  return Node != nullptr ? Node->GetSimpleExpression() : std::string();
}

// A column operand's name without qualifier, as the database spells it when it is bound.
std::string ColumnName(const TSQLExpressionItem* Operand) {
  std::string Field;
  if (vx::LinkedDatasource(Operand, Field) != nullptr) return Field;
  const TSQLObjectColumn* Column = static_cast<const TSQLExpressionColumn*>(Operand)->GetColumn();
  return Column != nullptr ? std::string(Column->GetObjName()) : std::string();
}

// Gives Comparison the operator Text, keeping its operator node when it has one.
void SetOperatorText(TSQLExpressionOperatorBinary& Comparison, TastSyntaxProvider* Dialect, const std::string& Text) {
  if (TSQLOperator* Operator = Comparison.GetOperator())
    Operator->SetText(Text);
  else
    Comparison.SetOperator(NewNode<TSQLOperator>(Dialect, Text));
}

std::shared_ptr<TSQLJoinKind> NewJoinKind(TastSyntaxProvider* Dialect, bool KeepFirst, bool KeepLast) {
  if (KeepFirst && KeepLast) return NewNode<TSQLJoinKindFull>(Dialect);
  if (KeepFirst) return NewNode<TSQLJoinKindLeft>(Dialect);
  if (KeepLast) return NewNode<TSQLJoinKindRight>(Dialect);
  return NewNode<TSQLJoinKindInner>(Dialect);
}

}  // namespace

TvxLinkProps TvxLink::GetProps() const {
  TvxLinkProps Props;
  const TSQLExpressionOperatorBinary* Comparison = SimpleComparison(FLinkExpression.get());
  const auto [Left, Right] = DialogSides(*this, Comparison);
  Props.LeftObject = SideCaption(Left);
  Props.RightObject = SideCaption(Right);
  const TSQLJoinKind* Kind = FOwnerItem->GetJoinKind();
  const bool KeepFirst = Kind != nullptr && Kind->IsLeftOuter();
  const bool KeepLast = Kind != nullptr && Kind->IsRightOuter();
  const bool Swapped = LeftSideJoinsLast(*this, Left, Right);
  Props.AllFromLeft = Swapped ? KeepLast : KeepFirst;
  Props.AllFromRight = Swapped ? KeepFirst : KeepLast;
  if (Comparison != nullptr) {
    Props.Simple = true;
    Props.LeftColumn = ColumnName(Comparison->GetExpression());
    Props.Operator = Comparison->GetOperatorText();
    Props.RightColumn = ColumnName(Comparison->GetRight());
  }
  if (FLinkExpression) Props.Expression = FLinkExpression->GetSimpleSQL();
  return Props;
}

void TvxLink::SetProps(const TvxLinkProps& Props) {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  TastSyntaxProvider* Dialect = QueryBuilder != nullptr ? QueryBuilder->GetASTSyntaxProvider() : nullptr;
  if (Dialect == nullptr) throw EvxException("No syntax provider!");
  TSQLExpressionOperatorBinary* Comparison = SimpleComparison(FLinkExpression.get());
  const auto [Left, Right] = DialogSides(*this, Comparison);
  const bool Swapped = LeftSideJoinsLast(*this, Left, Right);

  // Everything that can be refused is checked before anything changes.
  const bool NewOperator = Props.Simple && Comparison != nullptr;
  const std::string Operator(vx::Trim(Props.Operator));
  std::unique_ptr<TSQLExpressionItem> NewCondition;
  if (NewOperator) {
    // Any text is taken as the operator, as long as the condition with it still reads back.
    std::unique_ptr<TSQLExpressionItem> Check = CloneNode(*FLinkExpression);
    SetOperatorText(*SimpleComparison(Check.get()), Dialect, Operator);
    Dialect->ParseLogicalExpression(Check->GetSimpleSQL());
  } else {
    NewCondition = Dialect->ParseLogicalExpression(Props.Expression);
    if (TvxBaseMetadataProvider* Metadata = QueryBuilder->GetMetadataProvider())
      NewCondition->RefreshFieldsListRecursive(Metadata);
    TSQLFromSourceList Sources;
    if (GetUnionSubQuery() != nullptr) GetUnionSubQuery()->GetDatasourcesBottomUp(Sources);
    NewCondition->FixupObjects(Sources);
  }

  TvxUpdateScope Update(FOwnerItem);
  if (NewOperator) {
    SetOperatorText(*Comparison, Dialect, Operator);
    Repaint();
    NotifySQLUpdated();
  } else {
    SetLinkExpression(std::move(NewCondition));
  }
  // A new join-kind node also when the kind stays: it takes over what the old one had (the
  // OUTER word).
  std::shared_ptr<TSQLJoinKind> Kind = NewJoinKind(Dialect, Swapped ? Props.AllFromRight : Props.AllFromLeft,
                                                   Swapped ? Props.AllFromLeft : Props.AllFromRight);
  if (const TSQLJoinKind* Old = FOwnerItem->GetJoinKind()) Kind->Assign(*Old);
  FOwnerItem->SetJoinKind(std::move(Kind));
}
