#include "vxQBAddObjectOptions.h"

void TvxAddObjectFormOptions::Assign(const TvxAddObjectFormOptions& Source) {
  SetPosition(Source.FPosition);
  SetListViewStyle(Source.FListViewStyle);
  SetImageIndexViews(Source.FImageIndexViews);
  SetImageIndexTables(Source.FImageIndexTables);
  SetConstraints(Source.FConstraints);
  SetWidth(Source.FWidth);
  SetHeight(Source.FHeight);
}

void TvxAddObjectFormOptions::SetConstraints(const TvxAddObjectSizeConstraints& Value) {
  // Constraints are assigned as a whole and always announced, as the dialog re-reads its size.
  FConstraints = Value;
  Changed();
}
