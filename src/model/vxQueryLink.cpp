#include "vxQueryLink.h"

#include "vxASTCriteria.h"
#include "vxBaseMetadataProvider.h"
#include "vxQBControlFactory.h"
#include "vxQBControlViews.h"
#include "vxQueryBuilder.h"

#include <QWidget>

namespace {

bool SameObjectName(const TastSyntaxProvider* Dialect, const TSQLDatabaseObject* A, const TSQLDatabaseObject* B) {
  if (A == nullptr || B == nullptr) return false;
  return Dialect != nullptr ? Dialect->IsDBObjectNamesEqual(*A, *B) : vx::SameText(A->GetObjName(), B->GetObjName());
}

// True for a relation from Referenced.ReferencedField to Referencing.ReferencingField over that
// one field pair alone.
bool IsSingleFieldRelation(const TastSyntaxProvider* Dialect, const TSQLMetadataRelation& Relation,
                           const TSQLDatabaseObject& Referenced, const std::string& ReferencedField,
                           const TSQLDatabaseObject& Referencing, const std::string& ReferencingField) {
  return SameObjectName(Dialect, Relation.GetReferencedObject(), &Referenced) &&
         SameObjectName(Dialect, Relation.GetReferencingObject(), &Referencing) &&
         Relation.GetReferencedFields().Count() == 1 && Relation.GetReferencingFields().Count() == 1 &&
         vx::SameText(Relation.GetReferencedFields()[0], ReferencedField) &&
         vx::SameText(Relation.GetReferencingFields()[0], ReferencingField);
}

}  // namespace

QObject* TvxLink::CheckOwner(QObject* Owner) {
  if (qobject_cast<TvxDatasourceBase*>(Owner) == nullptr)
    throw EvxConvertError(Owner != nullptr ? Owner->metaObject()->className() : "nil",
                          TvxDatasourceBase::staticMetaObject.className());
  return Owner;
}

TvxLink::TvxLink(QObject* Owner)
    : TvxQueryBuilderControlOwner(CheckOwner(Owner)), FOwnerItem(static_cast<TvxDatasourceBase*>(Owner)) {
  FOwnerItem->FJoins.push_back(this);
}

TvxLink::~TvxLink() {
  MarkDestroying();
  DestroyControl();
  auto& Joins = FOwnerItem->FJoins;
  Joins.erase(std::remove(Joins.begin(), Joins.end(), this), Joins.end());
  if (FOwnerItem->IsDestroying()) return;
  // An item that joined by a condition and lost the last one still joins: all rows with all rows.
  if (Joins.empty() && FOwnerItem->GetNode() != nullptr) {
    TastSyntaxProvider* Dialect = GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetASTSyntaxProvider() : nullptr;
    FOwnerItem->GetNode()->SetJoinKind(NewNode<TSQLJoinKindCross>(Dialect));
  }
  FOwnerItem->NotifySQLUpdated();
}

void TvxLink::SetLeftDatasource(TvxDatasourceBase* Datasource) {
  if (FLeftDatasource == Datasource) return;
  FLeftDatasource = Datasource;
  Repaint();
  NotifySQLUpdated();
}

void TvxLink::SetRightDatasource(TvxDatasourceBase* Datasource) {
  if (FRightDatasource == Datasource) return;
  FRightDatasource = Datasource;
  Repaint();
  NotifySQLUpdated();
}

void TvxLink::SetLeftField(const std::string& Field) {
  if (FLeftField == Field) return;
  FLeftField = Field;
  Repaint();
  NotifySQLUpdated();
}

void TvxLink::SetRightField(const std::string& Field) {
  if (FRightField == Field) return;
  FRightField = Field;
  Repaint();
}

void TvxLink::SetLinkExpression(std::unique_ptr<TSQLExpressionItem> Expression) {
  if (Expression.get() == FLinkExpression.get()) {
    Expression.release();  // the same object: it is owned here already
    return;
  }
  // Re-setting the condition the line already stands for keeps the object (and its sub-queries).
  if (Expression && FLinkExpression && Expression->GetSimpleSQL() == FLinkExpression->GetSimpleSQL()) return;
  FLinkExpression = std::move(Expression);
  LoadSubQueries(FLinkExpression.get());
  CalcCardinality();
  NotifySQLUpdated();
}

bool TvxLink::GetLeftType() const {
  const TSQLJoinKind* Kind = FOwnerItem->GetJoinKind();
  return Kind != nullptr && Kind->IsLeftOuter();
}

bool TvxLink::GetRightType() const {
  const TSQLJoinKind* Kind = FOwnerItem->GetJoinKind();
  return Kind != nullptr && Kind->IsRightOuter();
}

TvxDatasource* TvxLink::CalcDatasource(TvxDatasourceBase* Datasource) {
  while (auto* Group = qobject_cast<TvxDatasourceGroup*>(Datasource)) {
    if (Group->GetCount() == 0) return nullptr;
    Datasource = Group->GetItems(0);
  }
  return qobject_cast<TvxDatasource*>(Datasource);
}

void TvxLink::CalcCardinality() {
  FLeftCardinality = FRightCardinality = qblcUnknown;
  const auto* Left = qobject_cast<TvxDataSourceObject*>(GetLeftDatasource());
  const auto* Right = qobject_cast<TvxDataSourceObject*>(GetRightDatasource());
  if (Left == nullptr || Right == nullptr || FLeftField.empty() || FRightField.empty()) return;
  const TSQLDatabaseObject* LeftTable = Left->GetObjectName();
  const TSQLDatabaseObject* RightTable = Right->GetObjectName();
  TvxBaseMetadataProvider* Provider = GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetMetadataProvider() : nullptr;
  if (LeftTable == nullptr || RightTable == nullptr || Provider == nullptr) return;
  const TastSyntaxProvider* Dialect = LeftTable->GetSyntaxProvider();
  // The marks decorate the line; a catalog that cannot answer leaves them unknown rather than
  // stopping the statement from loading.
  try {
    TSQLMetadataRelationList Relations;
    Provider->GetTableRelations(*LeftTable, Relations);
    for (const auto& Relation : Relations) {
      if (Relation && IsSingleFieldRelation(Dialect, *Relation, *LeftTable, FLeftField, *RightTable, FRightField)) {
        FLeftCardinality = qblcOne;
        FRightCardinality = qblcMany;
        return;
      }
    }
    Relations.clear();
    Provider->GetTableRelations(*RightTable, Relations);
    for (const auto& Relation : Relations) {
      if (Relation && IsSingleFieldRelation(Dialect, *Relation, *RightTable, FRightField, *LeftTable, FLeftField)) {
        FLeftCardinality = qblcMany;
        FRightCardinality = qblcOne;
        return;
      }
    }
  } catch (const EvxException&) {
  }
}

QWidget* TvxLink::CreateControlInternal(int Index) {
  TvxQueryBuilderControlFactory* Factory = GetControlFactory();
  return Factory != nullptr && Index == 0 ? Factory->CreateLinkControl(this) : nullptr;
}

void TvxLink::Repaint() {
  QWidget* Line = GetLinkControl();
  if (auto* View = dynamic_cast<TvxLinkView*>(Line))
    View->UpdateLine();
  else if (Line != nullptr)
    Line->update();
}

QMenu* TvxLink::GetPopupMenu() { return PopupMenuRemoveEdit(); }

void TvxLink::GetASTChildren(TastChildren& List) const {
  if (FLinkExpression) List.push_back(FLinkExpression.get());
}
