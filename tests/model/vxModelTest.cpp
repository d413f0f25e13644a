#include "vxModelTest.h"

#include <QApplication>
#include <QTest>

namespace vxtest {

std::vector<std::function<std::unique_ptr<QObject>()>>& TestRegistry() {
  static std::vector<std::function<std::unique_ptr<QObject>()>> Registry;
  return Registry;
}

TQueryBuilderRig::TQueryBuilderRig() {
  Metadata.OnGetSQLFieldNames = [](TvxBaseMetadataProvider*, const std::string& SQL, TvxStringList& Fields) {
    if (SQL.rfind("select * from orders", 0) == 0) Fields = {"id", "custid", "total"};
  };
  QueryBuilder.SetSyntaxProvider(&Syntax);
  QueryBuilder.SetMetadataProvider(&Metadata);
}

void TQueryBuilderRig::Load(const std::string& Text) {
  QueryBuilder.SetSQL(Text);
  QueryBuilder.ProcessPendingSQL();
}

std::string TQueryBuilderRig::Prepared(const std::string& Text) {
  std::unique_ptr<TSQLSelectStatement> Tree = Syntax.ParseSelect(Text);
  Tree->SimplifyTree();
  Tree->RefreshFieldsListRecursive(&Metadata);
  TSQLFromSourceList FromSources;
  Tree->FixupObjects(FromSources);
  return Tree->GetSimpleSQL();
}

}  // namespace vxtest

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  int Failures = 0;
  for (const auto& Make : vxtest::TestRegistry()) {
    std::unique_ptr<QObject> Test = Make();
    Failures += QTest::qExec(Test.get(), argc, argv);
  }
  return Failures == 0 ? 0 : 1;
}
