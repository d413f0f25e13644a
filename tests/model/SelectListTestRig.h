// Shared pieces of the select-list tests: the FROM-clause rig (sample database in SQLite) with
// quick access to the first operand's rows and their grid lines.
#pragma once

#include "DatasourceTestRig.h"
#include "vxASTSelect.h"
#include "vxQuerySelectList.h"

#include <ostream>
#include <string>

namespace vxtest {

class TSelectListRig : public TFromRig {
protected:
  TvxSelectList* List() const { return Operand()->GetSelectList(); }
  TvxSelectItem* Row(int Index) const { return List()->GetItems(Index); }
  // Grid columns 1 and on of row Index joined by "|": output, expression, alias, sort type,
  // sort order, grouping, then the criteria columns up to the last non-empty one.
  std::string Line(int Index) const {
    std::vector<std::string> Texts = List()->GetRowTexts(*Row(Index));
    while (Texts.size() > TvxSelectList::FixedGridColumns && Texts.back().empty()) Texts.pop_back();
    std::string Result;
    for (size_t Column = 1; Column < Texts.size(); ++Column) Result += (Column > 1 ? "|" : "") + Texts[Column];
    return Result;
  }
  // The Line of every row, the empty last one included.
  std::vector<std::string> Lines() const {
    std::vector<std::string> Result;
    for (int Index = 0; Index < List()->GetCount(); ++Index) Result.push_back(Line(Index));
    return Result;
  }
  // Text as the dialect itself writes it after parsing: the reference where the layout of a
  // clause the select list does not build (FROM) is not the point.
  std::string Normalized(const std::string& Text) { return FSyntax.ParseSelect(Text)->GetSimpleSQL(); }
};

// A statement loaded and written back: the model's text, a fixed point, and on the sample the
// rows of the statement as written.
struct TRoundTrip {
  const char* Input;
  const char* Model;     // the model's text after loading Input
  bool OnSample = true;  // whether SQLite can run both (it reads "alias = expression" differently)
};

inline void PrintTo(const TRoundTrip& Case, std::ostream* Out) { *Out << Case.Input; }

class TSelectListRoundTrip : public TSelectListRig, public testing::WithParamInterface<TRoundTrip> {};

}  // namespace vxtest
