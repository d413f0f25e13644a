// Actions that ask the model directly, as a host does (assigning SQL, adding the tables a
// dialog picked, changing the component's properties) and as the diagram and the grid do on
// a user's behalf (ticking a field, linking two fields, editing a grid cell).
#include "vxActionKinds.h"
#include "vxSqlPool.h"

#include "vxQBLinkPainter.h"
#include "vxQueryDatasource.h"
#include "vxQuerySelectList.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

namespace vxrandom {
namespace {

TvxUserAction None() { return {}; }

// Aliases and names a user types: plain ones, ones that need quoting, keywords, empty.
const std::vector<std::string> GNames = {"",     "a",   "Total", "x1",       "Order Date", "select", "\"q\"",
                                         "it's", "ÄÖü", "a.b",   " padded ", "FROM",       "Orders", "CustomerID"};

// Expressions typed into the grid's expression column, valid and not, conditions among them.
const std::vector<std::string> GExpressions = {"1 + 2",
                                               "COUNT(*)",
                                               "Upper('x')",
                                               "CASE WHEN 1 = 1 THEN 'a' ELSE 'b' END",
                                               "(SELECT MAX(OrderID) FROM Orders)",
                                               "1 = 1",
                                               "NOT 1 = 2",
                                               "EXISTS (SELECT 1 FROM Customers)",
                                               "SUM(",
                                               "a.b.c.d.e",
                                               "'unclosed",
                                               ")",
                                               "*",
                                               "Customers.*",
                                               "NoSuchTable.NoSuchColumn"};

// Criteria typed into a criteria cell, valid and not.
const std::vector<std::string> GCriteria = {
    "> 5", "= 'x'", "IS NULL",           "LIKE 'A%'",      "BETWEEN 1 AND 9", "5", "IN (SELECT 1)", "<> ALL (SELECT 2)",
    "=",   ">>",    "= (SELECT OrderID", "IS NOT NULL AND"};

// Texts typed into the pick-list columns beside their entries.
const std::vector<std::string> GJunk = {"", "0", "-1", "99", "Asc", "desc", "Sum", "count distinct", "x"};

std::vector<std::string> Items(const TvxStringList& List) { return List.Items(); }

TvxSelectList* ActiveSelectList(TRandomUseRig& Rig) {
  TvxUnionSubQuery* Operand = Rig.ActiveOperand();
  return Operand != nullptr ? Operand->GetSelectList() : nullptr;
}

// What the grid does with a cell's new text; the output column is a check box, not text.
void SetCellText(TvxSelectList& List, TvxSelectItem& Row, int Column, const std::string& Text) {
  if (Column == 1)
    Row.SetSelect(Text == "1");
  else
    List.SetEditText(Column, &Row, Text);
}

std::vector<std::string> FieldsOf(const TvxDatasource* Datasource) {
  TvxStringList Fields;
  Datasource->GetFieldsList(Fields);
  return Fields.Items();
}

// The datasource Index points at in the active operand and its field FieldIndex ("*", the first
// entry, stands for all columns: the empty field); false when there is none.
bool ResolveField(TRandomUseRig& Rig, int Index, int FieldIndex, TvxDatasource*& Datasource, std::string& Field) {
  const std::vector<TvxDatasource*> All = TRandomUseRig::Datasources(Rig.ActiveOperand());
  const int At = Wrap(Index, All.size());
  if (At < 0) return false;
  Datasource = All[static_cast<size_t>(At)];
  const std::vector<std::string> Fields = FieldsOf(Datasource);
  Field = Fields[static_cast<size_t>(Wrap(FieldIndex, Fields.size()))];
  if (Field == "*") Field.clear();
  return true;
}

// The same for a link, whose ends are fields: "*" is none.
bool ResolveLinkField(TRandomUseRig& Rig, int Index, int FieldIndex, TvxDatasource*& Datasource, std::string& Field) {
  return ResolveField(Rig, Index, FieldIndex, Datasource, Field) && !Field.empty();
}

void AddSqlActions(std::vector<TvxActionKind>& Kinds) {
  auto Assign = [](TRandomUseRig& Rig, const TvxUserAction& Action) { Rig.GetQueryBuilder().SetSQL(Action.Text); };
  Kinds.push_back({"AssignSQL", 6,
                   [](TvxRandom& Random, TRandomUseRig&) -> TvxUserAction {
                     return {"AssignSQL", {}, Random.Chance(3) ? "" : TvxSqlPool::Get().PickStatement(Random)};
                   },
                   Assign});
  Kinds.push_back({"AssignBrokenSQL", 3,
                   [](TvxRandom& Random, TRandomUseRig&) -> TvxUserAction {
                     return {"AssignBrokenSQL", {}, TvxSqlPool::Get().MakeBroken(Random)};
                   },
                   Assign});
}

void AddFromActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back(
      {"AddObject", 6,
       [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
         if (Rig.ActiveOperand() == nullptr || Rig.GetCatalog().empty()) return None();
         return {"AddObject", {Random.Chance(70) ? 0 : 1 + Random.Below(50)}, Random.Pick(Rig.GetCatalog())};
       },
       [](TRandomUseRig& Rig, const TvxUserAction& Action) {
         if (TvxUnionSubQuery* Operand = Rig.ActiveOperand())
           Operand->AddObjectWithFK(Action.Text, GNames[static_cast<size_t>(Wrap(Action.GetNumber(0), GNames.size()))]);
       },
       true});
  Kinds.push_back({"AddQuery", 1,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     if (Rig.ActiveOperand() == nullptr) return None();
                     return {"AddQuery", {}, TvxSqlPool::Get().PickStatement(Random)};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     if (TvxUnionSubQuery* Operand = Rig.ActiveOperand()) Operand->AddQuery(Action.Text);
                   },
                   true});
  Kinds.push_back(
      {"AddLink", 4,
       [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
         const size_t Count = TRandomUseRig::Datasources(Rig.ActiveOperand()).size();
         if (Count == 0) return None();
         return {"AddLink", {Random.Below(int(Count)), Random.Below(12), Random.Below(int(Count)), Random.Below(12)}};
       },
       [](TRandomUseRig& Rig, const TvxUserAction& Action) {
         TvxDatasource *Left = nullptr, *Right = nullptr;
         std::string LeftField, RightField;
         if (!ResolveLinkField(Rig, Action.GetNumber(0), Action.GetNumber(1), Left, LeftField) ||
             !ResolveLinkField(Rig, Action.GetNumber(2), Action.GetNumber(3), Right, RightField))
           return;
         Rig.ActiveOperand()->AddLink(Left, LeftField, Right, RightField);
       },
       true});
  Kinds.push_back({"CheckField", 5,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     const size_t Count = TRandomUseRig::Datasources(Rig.ActiveOperand()).size();
                     if (Count == 0) return None();
                     return {"CheckField", {Random.Below(int(Count)), Random.Below(12), Random.Below(2)}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TvxDatasource* Datasource = nullptr;
                     std::string Field;
                     if (ResolveField(Rig, Action.GetNumber(0), Action.GetNumber(1), Datasource, Field))
                       Datasource->CheckField(Field, Action.GetNumber(2) != 0);
                   },
                   true});
}

void AddSelectListActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"EditGridCell", 10,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     TvxSelectList* List = ActiveSelectList(Rig);
                     if (List == nullptr || List->GetCount() == 0) return None();
                     const int Row = Random.Below(List->GetCount());
                     const int Column = 1 + Random.Below(List->GetGridColumnCount() - 1);
                     return {"EditGridCell", {Row, Column}, MakeCellText(Random, *List, *List->GetItems(Row), Column)};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TvxSelectList* List = ActiveSelectList(Rig);
                     const int Row = List != nullptr ? Wrap(Action.GetNumber(0), size_t(List->GetCount())) : -1;
                     if (Row >= 0) SetCellText(*List, *List->GetItems(Row), Action.GetNumber(1), Action.Text);
                   },
                   true});
  Kinds.push_back({"MoveRow", 2,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     TvxSelectList* List = ActiveSelectList(Rig);
                     if (List == nullptr || List->GetCount() < 2) return None();
                     return {"MoveRow", {Random.Below(List->GetCount()), Random.Below(List->GetCount())}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TvxSelectList* List = ActiveSelectList(Rig);
                     if (List == nullptr || List->GetCount() == 0) return;
                     const size_t Count = size_t(List->GetCount());
                     List->Move(Wrap(Action.GetNumber(0), Count), Wrap(Action.GetNumber(1), Count));
                   },
                   true});
}

void AddGridDropActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back(
      {"DropFieldOnGrid", 3,
       [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
         TvxSelectList* List = ActiveSelectList(Rig);
         const size_t Count = TRandomUseRig::Datasources(Rig.ActiveOperand()).size();
         if (List == nullptr || Count == 0) return None();
         return {"DropFieldOnGrid", {Random.Below(int(Count)), Random.Below(12), Random.Below(List->GetCount() + 1)}};
       },
       [](TRandomUseRig& Rig, const TvxUserAction& Action) {
         TvxDatasource* Datasource = nullptr;
         std::string Field;
         TvxSelectList* List = ActiveSelectList(Rig);
         if (List == nullptr || !ResolveField(Rig, Action.GetNumber(0), Action.GetNumber(1), Datasource, Field)) return;
         // One past the rows: dropped below them.
         const int Before = Wrap(Action.GetNumber(2), size_t(List->GetCount() + 1));
         List->DropField(Datasource, Field, Before < List->GetCount() ? List->GetItems(Before) : nullptr);
       },
       true});
}

void AddNavigationActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"SelectOperand", 2,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     if (Rig.ActiveOperandCount() < 2) return None();
                     return {"SelectOperand", {Random.Below(Rig.ActiveOperandCount())}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     if (TvxUnionSubQuery* Operand = Rig.OperandOfActive(Action.GetNumber(0)))
                       Rig.ActiveSubQuery()->SetActiveUnionSubquery(Operand);
                   },
                   true});
  Kinds.push_back({"RemoveDatasource", 2,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     const size_t Count = TRandomUseRig::Datasources(Rig.ActiveOperand()).size();
                     if (Count == 0) return None();
                     return {"RemoveDatasource", {Random.Below(int(Count))}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     const std::vector<TvxDatasource*> All = TRandomUseRig::Datasources(Rig.ActiveOperand());
                     const int At = Wrap(Action.GetNumber(0), All.size());
                     if (At < 0) return;
                     // As the box's close button does: the datasource lets go of its links and
                     // rows at once and goes when the event loop runs.
                     All[size_t(At)]->SendDestroyNotification();
                     All[size_t(At)]->deleteLater();
                   },
                   true});
}

void AddPropertyActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"SetSnapToGrid", 1,
                   [](TvxRandom& Random, TRandomUseRig&) -> TvxUserAction {
                     return {"SetSnapToGrid", {Random.Below(2)}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     Rig.GetQueryBuilder().SetSnapToGrid(Action.GetNumber(0) != 0);
                   }});
  Kinds.push_back({"SetLinkTypeName", 1,
                   [](TvxRandom& Random, TRandomUseRig&) -> TvxUserAction {
                     std::vector<std::string> Names = {"", "NoSuchPainter", "TvxQueryBuilderLinkPainter"};
                     const TvxQueryBuilderLinkPainters& Painters = GetPaintersList();
                     for (int I = 0; I < Painters.GetCount(); ++I)
                       Names.push_back(Painters.GetItem(I).Name.toStdString());
                     return {"SetLinkTypeName", {}, Random.Pick(Names)};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     Rig.GetQueryBuilder().SetLinkTypeName(QString::fromStdString(Action.Text));
                   }});
  Kinds.push_back({"SetUnionNavBarPos", 1,
                   [](TvxRandom& Random, TRandomUseRig&) -> TvxUserAction {
                     return {"SetUnionNavBarPos", {Random.Below(4)}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     Rig.GetQueryBuilder().SetUnionNavBarPos(
                         static_cast<TvxUnionNavBarPosition>(Wrap(Action.GetNumber(0), 4)));
                   }});
  Kinds.push_back({"SetDialect", 1,
                   [](TvxRandom& Random, TRandomUseRig&) -> TvxUserAction {
                     return {"SetDialect", {Random.Below(TRandomUseRig::DialectCount)}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) { Rig.SetDialect(Action.GetNumber(0)); }});
}

}  // namespace

std::string MakeCellText(TvxRandom& Random, const TvxSelectList& List, const TvxSelectItem& Row, int Column) {
  if (Column == 1) return Random.Chance(50) ? "1" : "0";
  TvxStringList Offered;
  List.GetPickList(Column, Row, Offered);
  if (!Offered.IsEmpty() && Random.Chance(60)) return Random.Pick(Items(Offered));
  if (Column == 2) return Random.Pick(GExpressions);
  if (Column == 3) return Random.Pick(GNames);
  if (Column >= TvxSelectList::FixedGridColumns) return Random.Pick(GCriteria);
  return Random.Pick(GJunk);
}

void AddModelActions(std::vector<TvxActionKind>& Kinds) {
  AddSqlActions(Kinds);
  AddFromActions(Kinds);
  AddSelectListActions(Kinds);
  AddGridDropActions(Kinds);
  AddNavigationActions(Kinds);
  AddPropertyActions(Kinds);
}

}  // namespace vxrandom
