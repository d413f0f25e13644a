#include "vxBaseSQLBuilder.h"

#include "vxASTSelect.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxSQLBuilder.h"

TvxBaseSQLBuilder::TvxBaseSQLBuilder(QObject* Owner) : QObject(Owner) {}

TvxBaseSQLBuilder::~TvxBaseSQLBuilder() {
  if (FQueryBuilder) FQueryBuilder->RemoveSQLBuilder(this);
}

TvxQueryBuilder* TvxBaseSQLBuilder::GetQueryBuilder() const { return FQueryBuilder; }

TSQLBuilder& TvxBaseSQLBuilder::GetBuilder() {
  if (!FBuilder) FBuilder = SQLBuilderClass()(FStream);
  return *FBuilder;
}

void TvxBaseSQLBuilder::SetQueryBuilder(TvxQueryBuilder* QueryBuilder) {
  if (QueryBuilder == FQueryBuilder) return;
  if (FQueryBuilder) {
    KeepText();
    FQueryBuilder->RemoveSQLBuilder(this);
  }
  FQueryBuilder = QueryBuilder;
  if (QueryBuilder != nullptr) {
    QueryBuilder->AddSQLBuilder(this);
    SQLUpdated();
  }
}

void TvxBaseSQLBuilder::QueryBuilderDestroying(TvxQueryBuilder* QueryBuilder) {
  if (QueryBuilder != FQueryBuilder) return;
  KeepText();
  FQueryBuilder = nullptr;
}

void TvxBaseSQLBuilder::KeepText() {
  if (!FTree) return;
  FKeptText = GetSQL();
  FTree.reset();
}

void TvxBaseSQLBuilder::SQLUpdated() {
  FTree.reset();
  FKeptText.clear();
  if (FQueryBuilder && FQueryBuilder->GetRootQuery() != nullptr) FTree = FQueryBuilder->GetRootQuery()->GetASTQuery();
  if (OnSQLUpdated) OnSQLUpdated(this);
  emit sqlUpdated();
}

std::string TvxBaseSQLBuilder::GetSQL() {
  if (!FTree) return FKeptText;
  TSQLBuilder& Builder = GetBuilder();
  Builder.ResetBuilder();
  FTree->BuildSQL(Builder, true);
  return FStream;
}

QString TvxBaseSQLBuilder::GetSQLString() { return vx::ToQString(GetSQL()); }
