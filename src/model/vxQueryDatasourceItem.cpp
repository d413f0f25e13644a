// Single datasources: the box-backed item with its alias, caption, geometry and check marks, the
// table (or table function) datasource and the derived table.
#include "vxBaseMetadataProvider.h"
#include "vxQBControlFactory.h"
#include "vxQBControlViews.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQuerySelectList.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QWidget>

namespace {

TvxBaseMetadataProvider* MetadataProviderOf(const TvxQueryBuilderControlOwner& Owner) {
  return Owner.GetQueryBuilder() != nullptr ? Owner.GetQueryBuilder()->GetMetadataProvider() : nullptr;
}

}  // namespace

// --- TvxDatasource ---------------------------------------------------------------------------------

TvxDatasource::TvxDatasource(QObject* Owner) : TvxDatasourceBase(Owner) {}

TvxDatasource::~TvxDatasource() {
  MarkDestroying();
  if (ShouldAnnounceDestruction()) SendDestroyNotification();
}

bool TvxDatasource::ShouldAnnounceDestruction() const {
  // Nobody is left to tell while the whole operand goes, and a box torn down with its controls
  // does not remove its datasource.
  const TvxUnionSubQuery* Operand = GetOwningOperand();
  return !FDestroyNotificationSent && !IsDestroyingControls() && Operand != nullptr && !Operand->IsDestroying();
}

void TvxDatasource::SendDestroyNotification() {
  if (FDestroyNotificationSent) return;
  FDestroyNotificationSent = true;
  TvxUnionSubQuery* Operand = GetOwningOperand();
  if (Operand == nullptr) return;
  Operand->BeginUpdate();
  struct TEnd {
    TvxUnionSubQuery* Operand;
    ~TEnd() { Operand->EndUpdate(); }
  } End{Operand};
  Operand->NotifyDatasourceDestroying(this);
  // The operand itself may have listened only through its children.
  Operand->NotifySQLUpdated();
}

void TvxDatasource::LoadFromAST(std::unique_ptr<TSQLFromSource> Node) {
  BeginUpdate();
  struct TEnd {
    TvxDatasource* Datasource;
    ~TEnd() { Datasource->EndUpdate(); }
  } End{this};
  TvxDatasourceBase::LoadFromAST(std::move(Node));
  LoadSubQueries(GetNode());
}

void TvxDatasource::GetDatasourcesBottomUp(TSQLFromSourceList& List) const {
  if (GetNode() != nullptr) List.insert(List.begin(), GetNode());
}

std::string TvxDatasource::GetAlias() const {
  const TSQLAlias* Alias = GetNode() != nullptr ? GetNode()->GetAlias() : nullptr;
  if (Alias == nullptr) return std::string();
  const TastSyntaxProvider* Dialect = GetNode()->GetSyntaxProvider();
  return Dialect != nullptr ? Dialect->UnquoteName(Alias->GetAlias()) : std::string(Alias->GetAlias());
}

void TvxDatasource::SetAlias(const std::string& Alias) {
  if (Alias == GetAlias()) return;
  TSQLFromSource* Node = GetNode();
  if (Node == nullptr) throw EvxException("Can't assign alias if astFromSource=nil!");
  // A derived table is known by its alias alone: most dialects, the grammar's included, read
  // no FROM (SELECT ...) without one, so taking it away would leave SQL nobody loads.
  if (Alias.empty() && dynamic_cast<const TSQLFromQuery*>(Node) != nullptr)
    throw EvxException("A derived table needs an alias");
  const TastSyntaxProvider* Dialect = Node->GetSyntaxProvider();
  const std::string Stored = Dialect != nullptr ? Dialect->QuoteName(Alias) : Alias;
  if (Alias.empty())
    Node->SetAlias(nullptr);
  else if (Node->GetAlias() == nullptr)
    Node->SetAlias(NewNode<TSQLAliasObjectAlias>(Node->GetSyntaxProvider(), Stored));
  else
    Node->GetAlias()->SetAlias(Stored);
  NotifySQLUpdated();
  if (QWidget* Box = GetDSControl()) Box->setWindowTitle(QString::fromStdString(GetDisplayCaption()));
}

std::string TvxDatasource::GetCaption() const { return GetAlias(); }

std::string TvxDatasource::GetDisplayCaption() const {
  const std::string Name = GetCatalogName();
  return Name.empty() || !GetAlias().empty() ? GetCaption() : Name;
}

std::string TvxDatasource::GetCatalogName() const {
  const auto* Table = dynamic_cast<const TSQLFromObject*>(GetNode());
  const TSQLDatabaseObject* Name = Table != nullptr ? Table->GetObject() : nullptr;
  if (Name == nullptr) return std::string();
  const TastSyntaxProvider* Dialect = Name->GetSyntaxProvider();
  std::string Shown;
  for (int Part = Name->GetCount() - 1; Part >= 0; --Part) {
    if (!Shown.empty()) Shown += '.';
    Shown += Dialect != nullptr ? Dialect->UnquoteName(Name->GetName(Part)) : Name->GetName(Part);
  }
  return Shown;
}

void TvxDatasource::GetFieldsList(TvxStringList& List) const {
  List.Clear();
  List.Add("*");
  if (GetNode() != nullptr)
    for (const std::string& Field : GetNode()->GetFieldsList()) List.Add(Field);
}

TvxSelectList* TvxDatasource::GetSelectList() const {
  const TvxUnionSubQuery* Operand = GetOwningOperand();
  return Operand != nullptr ? Operand->findChild<TvxSelectList*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool TvxDatasource::IsFieldChecked(const std::string& Field) const {
  const TvxSelectList* SelectList = GetSelectList();
  if (SelectList == nullptr || GetNode() == nullptr) return false;
  const std::string Upper = vx::UpperCase(Field);
  for (int I = 0; I < SelectList->GetCount(); ++I) {
    const TvxSelectItem* Row = SelectList->GetItems(I);
    if (Row->GetDatasourceNode() != GetNode() || vx::UpperCase(Row->GetFieldName()) != Upper) continue;
    // "*" stands for the rows that select all columns, whether they are output or not.
    return Field.empty() || Row->GetSelect();
  }
  return false;
}

void TvxDatasource::CheckField(const std::string& Field, bool Checked) {
  TvxSelectList* SelectList = GetSelectList();
  if (SelectList == nullptr || GetNode() == nullptr) return;
  if (!Checked) {
    SelectList->RemoveFields(this, Field);
    return;
  }
  SelectList->BeginUpdate();
  struct TEnd {
    TvxSelectList* List;
    ~TEnd() { List->EndUpdate(); }
  } End{SelectList};
  TvxSelectItem* Row = SelectList->FindField(this, Field);
  if (Row == nullptr && SelectList->GetCount() > 0) {
    TvxSelectItem* Last = SelectList->GetItems(SelectList->GetCount() - 1);
    if (Last->GetExpressionNode() == nullptr) {
      Last->SetFieldExpression(this, Field);
      Row = Last;
    }
  }
  if (Row == nullptr) Row = SelectList->AddField(this, Field);
  Row->SetSelect(true);
}

void TvxDatasource::UpdateChecks() {
  if (TvxDatasourceView* Box = GetBoxView(); Box != nullptr && GetNode() != nullptr) Box->UpdateChecks();
}

void TvxDatasource::RefreshMetadata() {
  TSQLFromSource* Node = GetNode();
  TvxBaseMetadataProvider* Provider = MetadataProviderOf(*this);
  if (Node == nullptr || Provider == nullptr) return;
  // The list is emptied before the provider is asked; a box that cannot be described keeps
  // showing what it had rather than nothing.
  TvxStringList Old = Node->GetFieldsList();
  try {
    RefreshNodeFields();
  } catch (...) {
    Node->SetFieldsList(std::move(Old));
    throw;
  }
  UpdateChecks();
}

void TvxDatasource::RefreshNodeFields() {
  if (GetNode() == nullptr) return;
  if (TvxBaseMetadataProvider* Provider = MetadataProviderOf(*this)) GetNode()->RefreshFieldsList(Provider);
  if (TvxDatasourceView* Box = GetBoxView()) Box->RefreshFields();
}

TvxDatasourceView* TvxDatasource::GetBoxView() const { return dynamic_cast<TvxDatasourceView*>(GetDSControl()); }

// --- geometry ----------------------------------------------------------------------------------------

QRect TvxDatasource::GetBoxBounds() const {
  if (const TvxDatasourceView* View = GetBoxView()) return View->GetBounds();
  return GetDSControl()->geometry();
}

int TvxDatasource::GetLeft() const { return GetDSControl() != nullptr ? GetBoxBounds().x() : FLeft; }
int TvxDatasource::GetTop() const { return GetDSControl() != nullptr ? GetBoxBounds().y() : FTop; }
int TvxDatasource::GetWidth() const { return GetDSControl() != nullptr ? GetBoxBounds().width() : FWidth; }
int TvxDatasource::GetHeight() const { return GetDSControl() != nullptr ? GetBoxBounds().height() : FHeight; }

void TvxDatasource::SetLeft(int Value) {
  FLeft = Value;
  if (GetDSControl() != nullptr) SetBoxBounds(GetBoxBounds().translated(Value - GetLeft(), 0));
}

void TvxDatasource::SetTop(int Value) {
  FTop = Value;
  if (GetDSControl() != nullptr) SetBoxBounds(GetBoxBounds().translated(0, Value - GetTop()));
}

void TvxDatasource::SetWidth(int Value) {
  FWidth = Value;
  if (GetDSControl() != nullptr) SetBoxBounds(QRect(GetBoxBounds().topLeft(), QSize(Value, GetHeight())));
}

void TvxDatasource::SetHeidht(int Value) {
  FHeight = Value;
  if (GetDSControl() != nullptr) SetBoxBounds(QRect(GetBoxBounds().topLeft(), QSize(GetWidth(), Value)));
}

void TvxDatasource::SetBoxBounds(const QRect& Bounds) {
  QWidget* Box = GetDSControl();
  if (Box == nullptr) {
    FLeft = Bounds.x();
    FTop = Bounds.y();
    FWidth = Bounds.width();
    FHeight = Bounds.height();
    return;
  }
  if (TvxDatasourceView* View = GetBoxView())
    View->SetBounds(Bounds);
  else
    Box->setGeometry(Bounds);
  SaveControlParams(0);
}

void TvxDatasource::NotifyLayoutChanged() {
  SaveControlParams(0);
  if (TvxQueryBuilder* QueryBuilder = GetQueryBuilder()) QueryBuilder->LayoutChanged();
}

QRect TvxDatasource::CalcFieldRect(const std::string& FieldName, bool WithFrame) const {
  // Only a box knows where its entries are; a model without one has no rectangles to offer.
  const TvxDatasourceView* View = GetBoxView();
  if (View == nullptr) return QRect();
  const QRect Rect = View->CalcFieldRect(QString::fromStdString(FieldName), WithFrame);
  return Rect.isNull() ? Rect : Rect.translated(GetDSControl()->pos());
}

QWidget* TvxDatasource::CreateControlInternal(int Index) {
  TvxQueryBuilderControlFactory* Factory = GetControlFactory();
  return Factory != nullptr && Index == 0 ? Factory->CreateDatasourceControl(this) : nullptr;
}

void TvxDatasource::SaveControlParams(int Index) {
  QWidget* Box = GetControls(Index);
  if (Index != 0 || Box == nullptr) return;
  const QRect Bounds = GetBoxBounds();
  FLeft = Bounds.x();
  FTop = Bounds.y();
  FWidth = Bounds.width();
  FHeight = Bounds.height();
}

void TvxDatasource::RestoreControlParams(int Index) {
  QWidget* Box = GetControls(Index);
  if (Index != 0 || Box == nullptr) return;
  // A box never placed takes its natural size and the place the work area finds free; a placed
  // one gets its bounds back, its natural size when none was kept.
  const bool Placed = FLeft != 0 || FTop != 0 || FWidth != 0 || FHeight != 0;
  const bool Sized = FWidth != 0 && FHeight != 0;
  const QPoint Position(FLeft, FTop);
  TvxDatasourceView* View = GetBoxView();
  if (Sized && View != nullptr)
    View->SetBounds(QRect(Position, QSize(FWidth, FHeight)));
  else if (Sized)
    Box->resize(FWidth, FHeight);
  else if (View != nullptr)
    View->TuneSize();
  else
    Box->adjustSize();
  QRect Bounds(Position, GetBoxBounds().size());
  if (!Placed) {
    const TvxUnionSubQuery* Operand = GetOwningOperand();
    const TvxWorkAreaView* WorkArea = Operand != nullptr ? Operand->GetWorkAreaView() : nullptr;
    Bounds.moveTopLeft(WorkArea != nullptr ? WorkArea->FindPos(Box) : Position);
  }
  SetBoxBounds(Bounds);
}

QMenu* TvxDatasource::GetPopupMenu() { return PopupMenuRemoveEdit(); }

// --- TvxDataSourceObject -------------------------------------------------------------------------------

TvxDataSourceObject::TvxDataSourceObject(QObject* Owner) : TvxDatasource(Owner) {}

TvxDataSourceObject::~TvxDataSourceObject() = default;

TSQLDatabaseObject* TvxDataSourceObject::GetObjectName() const {
  const auto* Table = dynamic_cast<const TSQLFromObject*>(GetNode());
  return Table != nullptr ? Table->GetObject() : nullptr;
}

std::string TvxDataSourceObject::GetCaption() const {
  const TSQLFromSource* Node = GetNode();
  if (Node == nullptr) return std::string();
  // A call is only recognisable with its arguments, so a table function shows both.
  if (dynamic_cast<const TSQLFromObject*>(Node) == nullptr) return Node->GetSimpleSQL();
  std::string Alias = GetAlias();
  return Alias.empty() ? Node->GetSimpleExpression() : Alias;
}

// --- TvxDataSourceQuery ----------------------------------------------------------------------------------

TvxDataSourceQuery::TvxDataSourceQuery(QObject* Owner) : TvxDatasource(Owner) {}

TvxDataSourceQuery::~TvxDataSourceQuery() = default;

void TvxDataSourceQuery::LoadFromAST(std::unique_ptr<TSQLFromSource> Node) {
  if (dynamic_cast<TSQLFromQuery*>(Node.get()) == nullptr)
    throw EvxConvertError(Node ? Node->ClassName() : "nil", TSQLFromQuery::StaticClass().Name);
  FLoading = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } Reset{FLoading};
  TvxDatasource::LoadFromAST(std::move(Node));
}

TvxSubQuery* TvxDataSourceQuery::GetSubQuery() const {
  const TSQLFromQuery* Node = GetQueryNode();
  const auto* Proxy = Node != nullptr ? dynamic_cast<const TvxSubSelectStatementProxy*>(Node->GetSubSelect()) : nullptr;
  return Proxy != nullptr ? Proxy->GetSubQuery() : nullptr;
}

std::string TvxDataSourceQuery::GetCaption() const { return GetAlias(); }

void TvxDataSourceQuery::DoSQLUpdated() {
  // The columns of a derived table are those of its SELECT, which may just have changed; the
  // node's proxy writes the sub-query's current text when asked.
  if (!FLoading && !IsDestroying()) {
    RefreshNodeFields();
    if (TvxDatasourceView* Box = GetBoxView()) Box->TuneSize();
    UpdateChecks();
  }
  TvxDatasource::DoSQLUpdated();
}
