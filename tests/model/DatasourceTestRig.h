// Shared pieces of the FROM-clause tests: a query builder on the SQL-92 dialect and the sample
// database in SQLite, the operand's FROM clause, and running statements on the sample.
#pragma once

#include "vxQtSqlMetadataProvider.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSQL92SynProvider.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vxtest {

// The name of the Qt SQL connection to the sample SQLite file (opened on first use).
const QString& SampleConnection();

// A query builder wired to the SQL-92 syntax provider and to the sample through the Qt SQL
// metadata provider; providers are declared first so that they outlive the component.
class TFromRig : public testing::Test {
protected:
  TFromRig();

  // Assigns Text and loads it at once (raising as the synchronous loader does).
  void Load(const std::string& Text);
  std::string SQL() const { return FQueryBuilder.GetSQL(); }
  // Loads the model's text afresh: the empty statement in between forces a new load, which the
  // same text alone would not.
  void Reload();
  // The model's text now, reloaded: the model must give it back unchanged.
  void ExpectFixedPoint();
  // The first operand of the root query and its FROM clause.
  TvxUnionSubQuery* Operand() const;
  TvxFromClause* From() const { return Operand()->GetFromClause(); }
  // The table datasource captioned Caption at any depth of the FROM clause; fails the test when
  // there is none.
  TvxDatasource* Find(const std::string& Caption) const;
  // Every link of the FROM clause, depth first, each item's own links before its items'.
  std::vector<TvxLink*> AllLinks() const;

  TvxSQL92SyntaxProvider FSyntax;
  TvxQtSqlMetadataProvider FMetadata;
  TvxQueryBuilder FQueryBuilder;
};

// The message of the EvxException Action raises; "no exception" when it raises none.
std::string MessageOf(const std::function<void()>& Action);

// The rows of SQL on the database behind Connection in the order the engine returns them, each
// row's values joined by "|"; Error receives the engine's message when the statement does not run.
std::vector<std::string> RowsOf(const QString& Connection, const std::string& SQL, std::string& Error);
// The rows of SQL on the sample in the order SQLite returns them. A statement that does not run
// fails the test.
std::vector<std::string> SampleRowsInOrder(const std::string& SQL);
// The rows of SQL on the sample, sorted: a multiset to compare. A statement that does not run
// fails the test.
std::vector<std::string> SampleRows(const std::string& SQL);

}  // namespace vxtest
