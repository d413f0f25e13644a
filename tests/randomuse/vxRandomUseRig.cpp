#include "vxRandomUseRig.h"
#include "vxActionKinds.h"
#include "vxControlsTest.h"

#include "vxQBDataSourceControl.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSQL92SyntaxProvider.h"

#include <QApplication>
#include <QMimeData>

namespace vxrandom {
namespace {

// SQL-92 with unions cut back: none in sub-queries, or none at all.
class TUnionlessDialect : public TastSQL92SyntaxProvider {
public:
  explicit TUnionlessDialect(bool MainQueryToo) : FMainQueryToo(MainQueryToo) {}
  bool IsSupportUnions() const override { return !FMainQueryToo; }
  bool IsSupportBracketsInUnions() const override { return !FMainQueryToo; }
  bool IsSupportSubQueryUnions() const override { return false; }
  bool IsSupportSubQueryBracketsInUnions() const override { return false; }

private:
  bool FMainQueryToo;
};

class TUnionlessSyntaxProvider : public TvxSQL92SyntaxProvider {
public:
  explicit TUnionlessSyntaxProvider(bool MainQueryToo) : FMainQueryToo(MainQueryToo) {}

protected:
  std::unique_ptr<TastSyntaxProvider> CreateASTSyntaxProvider() override {
    return std::make_unique<TUnionlessDialect>(FMainQueryToo);
  }

private:
  bool FMainQueryToo;
};

void CollectDatasources(const TvxDatasourceGroup* Group, std::vector<TvxDatasource*>& List) {
  for (int I = 0; I < Group->GetCount(); ++I) {
    if (auto* Inner = qobject_cast<TvxDatasourceGroup*>(Group->GetItems(I)))
      CollectDatasources(Inner, List);
    else if (auto* Datasource = qobject_cast<TvxDatasource*>(Group->GetItems(I)))
      List.push_back(Datasource);
  }
}

void CollectLinks(const TvxDatasourceBase* Item, std::vector<TvxLink*>& List) {
  for (int I = 0; I < Item->GetJoinsCount(); ++I) List.push_back(Item->GetJoins(I));
  if (auto* Group = qobject_cast<const TvxDatasourceGroup*>(Item))
    for (int I = 0; I < Group->GetCount(); ++I) CollectLinks(Group->GetItems(I), List);
}

}  // namespace

TRandomUseRig::TRandomUseRig() {
  FDialects.push_back(std::make_unique<TvxSQL92SyntaxProvider>());
  FDialects.push_back(std::make_unique<TUnionlessSyntaxProvider>(false));
  FDialects.push_back(std::make_unique<TUnionlessSyntaxProvider>(true));
  FMetadata.SetConnectionName(vxtest::SampleConnection());
  TvxStringList Names;
  FMetadata.GetTableNames(Names, false);
  FCatalog = Names.Items();
  Names.Clear();
  FMetadata.GetViewNames(Names, false);
  FCatalog.insert(FCatalog.end(), Names.begin(), Names.end());

  FQueryBuilder = std::make_unique<TvxQueryBuilder>();
  FQueryBuilder->SetSyntaxProvider(FDialects[0].get());
  FQueryBuilder->SetMetadataProvider(&FMetadata);
  QObject::connect(FQueryBuilder.get(), &TvxQueryBuilder::actionFailed,
                   [this](const QString& Message) { FReports.push_back(Message.toStdString()); });
  QObject::connect(FQueryBuilder.get(), &TvxQueryBuilder::sqlError,
                   [this](const QString&, const QString& Errors) { FReports.push_back(Errors.toStdString()); });
  // A host that adds a table or view whose name is dropped on the shown diagram.
  FQueryBuilder->OnDragOver = [this](QObject* Sender, QObject* Source, int, int, TvxDragState, bool& Accept) {
    auto* Name = qobject_cast<QMimeData*>(Source);
    Accept = Sender == ActiveOperand() && Name != nullptr && Name->hasText();
  };
  FQueryBuilder->OnDragDrop = [](QObject* Sender, QObject* Source, int X, int Y) {
    auto* Operand = qobject_cast<TvxUnionSubQuery*>(Sender);
    auto* Name = qobject_cast<QMimeData*>(Source);
    if (Operand != nullptr && Name != nullptr) Operand->AddObjectWithFKAt(Name->text().toStdString(), QPoint(X, Y));
  };
  FQueryBuilder->resize(1000, 700);
  FQueryBuilder->show();
  QApplication::processEvents();
}

TRandomUseRig::~TRandomUseRig() {
  // The component goes before the providers it points to.
  FQueryBuilder.reset();
}

void TRandomUseRig::SetDialect(int Index) {
  FQueryBuilder->SetSyntaxProvider(FDialects[static_cast<size_t>(Index % DialectCount)].get());
}

std::vector<std::string> TRandomUseRig::TakeReports() { return std::exchange(FReports, {}); }

TvxSubQuery* TRandomUseRig::ActiveSubQuery() const { return FQueryBuilder->GetActiveSubquery(); }

TvxUnionSubQuery* TRandomUseRig::ActiveOperand() const {
  TvxSubQuery* SubQuery = ActiveSubQuery();
  return SubQuery != nullptr ? SubQuery->GetActiveUnionSubquery() : nullptr;
}

int TRandomUseRig::ActiveOperandCount() const {
  TvxSubQuery* SubQuery = ActiveSubQuery();
  return SubQuery != nullptr ? SubQuery->GetUnionSubQueriesCount() : 0;
}

TvxUnionSubQuery* TRandomUseRig::OperandOfActive(int Index) const {
  const int At = Wrap(Index, size_t(ActiveOperandCount()));
  return At >= 0 ? ActiveSubQuery()->GetUnionSubQueries(At) : nullptr;
}

std::vector<TvxDatasource*> TRandomUseRig::Datasources(const TvxUnionSubQuery* Operand) {
  std::vector<TvxDatasource*> List;
  if (Operand != nullptr) CollectDatasources(Operand->GetFromClause(), List);
  return List;
}

std::vector<TvxLink*> TRandomUseRig::Links(const TvxUnionSubQuery* Operand) {
  std::vector<TvxLink*> List;
  if (Operand != nullptr) CollectLinks(Operand->GetFromClause(), List);
  return List;
}

std::vector<TvxQueryBuilderDataSourceControl*> TRandomUseRig::ShownBoxes() const {
  std::vector<TvxQueryBuilderDataSourceControl*> List;
  for (TvxDatasource* Datasource : Datasources(ActiveOperand()))
    if (auto* Box = qobject_cast<TvxQueryBuilderDataSourceControl*>(Datasource->GetDSControl());
        Box != nullptr && Box->isVisible())
      List.push_back(Box);
  return List;
}

std::vector<TvxUnionSubQuery*> TRandomUseRig::AllOperands() const {
  std::vector<TvxUnionSubQuery*> List;
  for (int S = 0; S < FQueryBuilder->GetSubQueriesCount(); ++S) {
    TvxSubQuery* SubQuery = FQueryBuilder->GetSubQueries(S);
    for (int O = 0; O < SubQuery->GetUnionSubQueriesCount(); ++O) List.push_back(SubQuery->GetUnionSubQueries(O));
  }
  return List;
}

}  // namespace vxrandom
