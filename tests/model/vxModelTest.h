// Shared pieces of the model tests: the registry behind the single test program and a component
// wired to real providers; the tree writer comes from tests/common.
#pragma once

#include "vxASTSelect.h"
#include "vxBaseSQLBuilder.h"
#include "vxQBEventMetaProvider.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSQL92SynProvider.h"
#include "vxTestSql.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vxtest {

// Text for QCOMPARE, which prints QStrings but not std::strings when they differ.
inline QString Q(const std::string& Text) { return QString::fromStdString(Text); }

// Every Qt Test class of the program registers here and is run by main().
std::vector<std::function<std::unique_ptr<QObject>()>>& TestRegistry();

template <class T>
struct TRegisterTest {
  TRegisterTest() {
    TestRegistry().push_back([] { return std::make_unique<T>(); });
  }
};

// A query builder wired to the SQL-92 syntax provider and an event metadata provider that
// knows the columns of one table, orders (id, custid, total). Providers are declared first so that they outlive the
// component.
struct TQueryBuilderRig {
  TvxSQL92SyntaxProvider Syntax;
  TvxEventMetadataProvider Metadata;
  TvxQueryBuilder QueryBuilder;

  TQueryBuilderRig();
  // Assigns Text and processes it at once (raising as the synchronous loader does).
  void Load(const std::string& Text);
  // The one-line text of Text parsed and prepared as the component prepares what it loads
  // (columns bound to the sources whose fields the metadata lists): the round-trip reference.
  std::string Prepared(const std::string& Text);
};

}  // namespace vxtest

#define VX_REGISTER_TEST(Class) static const vxtest::TRegisterTest<Class> Class##Registration;
