// The component a random-use run drives: shown on the offscreen platform over the sample
// database in SQLite, with the dialects a user can switch between, and the refusals it reported
// since they were last taken.
#pragma once

#include "vxASTSelect.h"
#include "vxQtSqlMetadataProvider.h"
#include "vxQueryBuilder.h"
#include "vxSQL92SynProvider.h"

#include <memory>
#include <string>
#include <vector>

class TvxDatasource;
class TvxQueryBuilderDataSourceControl;
class TvxLink;
class TvxSelectItem;
class TvxSubQuery;
class TvxUnionSubQuery;

namespace vxrandom {

class TRandomUseRig {
public:
  // Dialect 0 is SQL-92; 1 forbids unions and brackets in sub-queries; 2 forbids them anywhere.
  static constexpr int DialectCount = 3;

  TRandomUseRig();
  ~TRandomUseRig();

  TvxQueryBuilder& GetQueryBuilder() { return *FQueryBuilder; }
  TvxBaseSyntaxProvider* GetSyntaxProvider() const { return FQueryBuilder->GetSyntaxProvider(); }
  TvxBaseMetadataProvider* GetMetadataProvider() { return &FMetadata; }
  void SetDialect(int Index);
  // The tables and views of the sample as the metadata provider lists them.
  const std::vector<std::string>& GetCatalog() const { return FCatalog; }

  // The messages of actionFailed and sqlError since the last call.
  std::vector<std::string> TakeReports();

  // Where the user is: the shown sub-query and its shown operand (may be null).
  TvxSubQuery* ActiveSubQuery() const;
  TvxUnionSubQuery* ActiveOperand() const;
  // How many operands the shown sub-query has, and the one Index points at (wrapped; null for
  // none).
  int ActiveOperandCount() const;
  TvxUnionSubQuery* OperandOfActive(int Index) const;
  // The table and derived-table datasources of Operand's FROM clause at any depth, in order.
  static std::vector<TvxDatasource*> Datasources(const TvxUnionSubQuery* Operand);
  // Every link of Operand's FROM clause, depth first.
  static std::vector<TvxLink*> Links(const TvxUnionSubQuery* Operand);
  // The shown boxes of the active operand's diagram, in FROM order.
  std::vector<TvxQueryBuilderDataSourceControl*> ShownBoxes() const;
  // Every union operand of every sub-query.
  std::vector<TvxUnionSubQuery*> AllOperands() const;

private:
  std::vector<std::unique_ptr<TvxSQL92SyntaxProvider>> FDialects;
  TvxQtSqlMetadataProvider FMetadata;
  std::unique_ptr<TvxQueryBuilder> FQueryBuilder;
  std::vector<std::string> FCatalog;
  std::vector<std::string> FReports;
};

}  // namespace vxrandom
