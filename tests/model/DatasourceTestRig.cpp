#include "DatasourceTestRig.h"

#include "vxSampleDatabase.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>

namespace vxtest {

const QString& SampleConnection() {
  static const QString Name = [] {
    const QString Connection = QStringLiteral("model-from-sample");
    QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
    Db.setDatabaseName(TvxSampleDatabase::EnsureSQLiteFile());
    Db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!Db.open()) ADD_FAILURE() << Db.lastError().text().toStdString();
    return Connection;
  }();
  return Name;
}

TFromRig::TFromRig() {
  FMetadata.SetConnectionName(SampleConnection());
  FQueryBuilder.SetSyntaxProvider(&FSyntax);
  FQueryBuilder.SetMetadataProvider(&FMetadata);
}

void TFromRig::Load(const std::string& Text) {
  FQueryBuilder.SetSQL(Text);
  FQueryBuilder.ProcessPendingSQL();
}

void TFromRig::Reload() {
  const std::string Written = SQL();
  Load("");
  Load(Written);
}

void TFromRig::ExpectFixedPoint() {
  const std::string Written = SQL();
  Reload();
  EXPECT_EQ(SQL(), Written);
}

TvxUnionSubQuery* TFromRig::Operand() const {
  TvxUnionSubQuery* First = FQueryBuilder.GetRootQuery()->FirstSelect();
  if (First == nullptr) ADD_FAILURE() << "the query has no operand";
  return First;
}

namespace {

void CollectDatasources(TvxDatasourceGroup* Group, std::vector<TvxDatasource*>& List) {
  for (int I = 0; I < Group->GetCount(); ++I) {
    if (auto* Inner = qobject_cast<TvxDatasourceGroup*>(Group->GetItems(I)))
      CollectDatasources(Inner, List);
    else if (auto* Datasource = qobject_cast<TvxDatasource*>(Group->GetItems(I)))
      List.push_back(Datasource);
  }
}

void CollectLinks(TvxDatasourceBase* Item, std::vector<TvxLink*>& List) {
  for (int I = 0; I < Item->GetJoinsCount(); ++I) List.push_back(Item->GetJoins(I));
  if (auto* Group = qobject_cast<TvxDatasourceGroup*>(Item))
    for (int I = 0; I < Group->GetCount(); ++I) CollectLinks(Group->GetItems(I), List);
}

}  // namespace

TvxDatasource* TFromRig::Find(const std::string& Caption) const {
  std::vector<TvxDatasource*> All;
  CollectDatasources(From(), All);
  for (TvxDatasource* Datasource : All)
    if (Datasource->GetCaption() == Caption) return Datasource;
  ADD_FAILURE() << "no datasource captioned " << Caption;
  return nullptr;
}

std::vector<TvxLink*> TFromRig::AllLinks() const {
  std::vector<TvxLink*> List;
  CollectLinks(From(), List);
  return List;
}

std::string MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const EvxException& Error) {
    return Error.GetMessage();
  }
  return "no exception";
}

std::vector<std::string> RowsOf(const QString& Connection, const std::string& SQL, std::string& Error) {
  QSqlQuery Query(QSqlDatabase::database(Connection));
  Query.setForwardOnly(true);
  std::vector<std::string> Rows;
  if (!Query.exec(QString::fromStdString(SQL))) {
    Error = Query.lastError().text().toStdString();
    return Rows;
  }
  while (Query.next()) {
    std::string Row;
    for (int I = 0; I < Query.record().count(); ++I) {
      if (I > 0) Row += '|';
      Row += Query.value(I).isNull() ? "<null>" : Query.value(I).toString().toStdString();
    }
    Rows.push_back(std::move(Row));
  }
  return Rows;
}

std::vector<std::string> SampleRowsInOrder(const std::string& SQL) {
  std::string Error;
  std::vector<std::string> Rows = RowsOf(SampleConnection(), SQL, Error);
  if (!Error.empty()) ADD_FAILURE() << SQL << "\n  " << Error;
  return Rows;
}

std::vector<std::string> SampleRows(const std::string& SQL) {
  std::vector<std::string> Rows = SampleRowsInOrder(SQL);
  std::sort(Rows.begin(), Rows.end());
  return Rows;
}

}  // namespace vxtest

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  const int Result = RUN_ALL_TESTS();
  QSqlDatabase::removeDatabase(vxtest::SampleConnection());
  return Result;
}
