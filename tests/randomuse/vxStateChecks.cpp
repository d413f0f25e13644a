#include "vxStateChecks.h"

#include "vxRandomUseGuards.h"
#include "vxRandomUseRig.h"

#include "vxCommon.h"
#include "vxSQL92SyntaxProvider.h"

#include "vxQBControlViews.h"
#include "vxQBDataSourceControl.h"
#include "vxQBLinkControl.h"
#include "vxQBWorkArea.h"
#include "vxQuerySelectList.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QTabWidget>

namespace vxrandom {
namespace {

std::string Joined(const std::vector<std::string>& Lines) {
  std::string Text;
  for (const std::string& Line : Lines) Text += (Text.empty() ? "" : "\n") + Line;
  return Text;
}

// SQL's text loaded into Component at once; the loader's message on failure.
std::string Load(TvxQueryBuilder& Component, const std::string& SQL, std::string& Loaded) {
  try {
    Component.SetSQL(SQL);
    Component.ProcessPendingSQL();
    Loaded = Component.GetSQL();
    return {};
  } catch (const std::exception& Error) {
    return Error.what();
  }
}

// A statement whose values change from run to run: only its number of rows can be compared.
bool ReadsTheClockOrChance(const std::string& SQL) {
  const std::string Upper = vx::UpperCase(SQL);
  for (const char* Word : {"CURRENT_", "RANDOM", "NOW(", "LOCALTIME", "SYSDATE"})
    if (Upper.find(Word) != std::string::npos) return true;
  return false;
}

}  // namespace

TvxCheckFailure TvxStateChecks::Check(TRandomUseRig& Rig, const TvxActionOutcome& Outcome) {
  if (const std::vector<std::string> Escaped = TakeEscapedExceptions(); !Escaped.empty())
    return {"event loop", "an exception reached Qt's event loop: " + Joined(Escaped)};
  if (!Outcome.UnexpectedException.empty()) return {"exception", "the action raised " + Outcome.UnexpectedException};
  if (const std::vector<std::string> Warnings = TakeQtWarnings(); !Warnings.empty())
    return {"qt warning", "Qt warned: " + Joined(Warnings)};

  const std::string SQL = Rig.GetQueryBuilder().GetSQL();
  if (Outcome.Refused && SQL != Outcome.SQLBefore)
    return {"refusal", "the model refused (" + Outcome.RefusalMessage + ") but its SQL changed from\n  " +
                           Outcome.SQLBefore + "\nto\n  " + SQL};
  if (TvxCheckFailure Failure = CheckWidgets(Rig); Failure.IsFailure()) return Failure;
  if (SQL.empty()) return {};
  try {
    TastSQL92SyntaxProvider Dialect;
    Dialect.ParseSelect(SQL);
  } catch (const std::exception& Error) {
    return {"parse", "the component's SQL does not parse: " + std::string(Error.what()) + "\n  " + SQL};
  }
  return CheckReload(Rig, SQL);
}

TvxCheckFailure TvxStateChecks::CheckReload(TRandomUseRig& Rig, const std::string& SQL) {
  TvxQueryBuilder Fresh;
  Fresh.SetSyntaxProvider(Rig.GetSyntaxProvider());
  Fresh.SetMetadataProvider(Rig.GetMetadataProvider());
  std::string First, Second;
  if (std::string Error = Load(Fresh, SQL, First); !Error.empty())
    return {"reload", "a fresh component does not load the component's SQL: " + Error + "\n  " + SQL};
  // The empty statement in between makes the next load a fresh one.
  Load(Fresh, "", Second);
  if (std::string Error = Load(Fresh, First, Second); !Error.empty())
    return {"reload", "a fresh component does not load its own SQL: " + Error + "\n  " + First};
  if (Second != First)
    return {"reload",
            "loading the SQL once more changes it:\n  " + SQL + "\nloads as\n  " + First + "\nthen as\n  " + Second};
  return CheckRows(SQL, First);
}

TvxCheckFailure TvxStateChecks::CheckRows(const std::string& SQL, const std::string& Reloaded) {
  const TvxRows Expected = FSample.Run(SQL);
  if (Expected.Status != TvxRows::rsRows) {
    ++FRowSkips;
    return {};
  }
  const TvxRows Actual = Reloaded == SQL ? Expected : FSample.Run(Reloaded);
  if (Actual.Status == TvxRows::rsTooCostly) {
    ++FRowSkips;
    return {};
  }
  ++FRowComparisons;
  if (Actual.Status == TvxRows::rsError)
    return {"rows", "the reloaded SQL does not run on the sample: " + Actual.Error + "\n  " + Reloaded +
                        "\nwhile the component's does\n  " + SQL};
  const bool Same =
      ReadsTheClockOrChance(SQL) ? Actual.Rows.size() == Expected.Rows.size() : Actual.Rows == Expected.Rows;
  if (!Same)
    return {"rows", "the reloaded SQL returns " + std::to_string(Actual.Rows.size()) + " other rows than the " +
                        std::to_string(Expected.Rows.size()) + " of the component's:\n  " + SQL + "\nreloaded\n  " +
                        Reloaded};
  return {};
}

TvxCheckFailure TvxStateChecks::CheckWidgets(TRandomUseRig& Rig) {
  TvxQueryBuilder& Component = Rig.GetQueryBuilder();
  const int Tabs = Component.GetPageControl()->count();
  if (Tabs != Component.GetSubQueriesCount())
    return {"widgets",
            std::to_string(Tabs) + " tabs for " + std::to_string(Component.GetSubQueriesCount()) + " sub-queries"};
  for (TvxUnionSubQuery* Operand : Rig.AllOperands()) {
    auto* WorkArea = qobject_cast<TvxQueryBuilderWorkArea*>(Operand->GetWorkArea());
    if (WorkArea == nullptr) continue;
    const size_t Boxes = size_t(WorkArea->GetCanvas()->findChildren<TvxQueryBuilderDataSourceControl*>().size());
    const size_t Lines = size_t(WorkArea->GetCanvas()->findChildren<TvxQueryBuilderLinkControl*>().size());
    const size_t Datasources = TRandomUseRig::Datasources(Operand).size();
    const size_t Links = TRandomUseRig::Links(Operand).size();
    // The grid shows one line per row, the trailing empty row included.
    const TvxSelectList* List = Operand->GetSelectList();
    if (const TvxSelectListGridView* Grid = List->GetGridView();
        Grid != nullptr && Grid->GetGridLineCount() != List->GetCount())
      return {"widgets", std::to_string(Grid->GetGridLineCount()) + " grid lines for " +
                             std::to_string(List->GetCount()) + " select-list rows in\n  " +
                             Operand->GetRootQuery()->GetSQL()};
    if (Boxes != Datasources || Lines != Links)
      return {"widgets", std::to_string(Boxes) + " boxes and " + std::to_string(Lines) + " lines for " +
                             std::to_string(Datasources) + " datasources and " + std::to_string(Links) +
                             " links in the diagram of\n  " + Operand->GetRootQuery()->GetSQL()};
  }
  return {};
}

}  // namespace vxrandom
