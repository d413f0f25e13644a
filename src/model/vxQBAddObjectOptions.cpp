#include "vxQBAddObjectOptions.h"

void TvxAddObjectFormOptions::Assign(const TvxAddObjectFormOptions& Source) {
  SetPosition(Source.FPosition);
  SetListViewStyle(Source.FListViewStyle);
  SetImageListSmall(Source.FImageListSmall);
  SetImageListLarge(Source.FImageListLarge);
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

void TvxAddObjectFormOptions::SetImageList(QPointer<TvxImageList>& Field, TImageListLinks& Links, TvxImageList* Value) {
  if (Field == Value) return;
  disconnect(Links.Gone);
  disconnect(Links.Edited);
  Field = Value;
  if (Value != nullptr) {
    // The guarded pointer forgets a list that goes; the dialog must stop showing its pictures.
    Links.Gone = connect(Value, &QObject::destroyed, this, &TvxAddObjectFormOptions::Changed);
    Links.Edited = connect(Value, &TvxImageList::changed, this, &TvxAddObjectFormOptions::Changed);
  }
  Changed();
}

void TvxAddObjectFormOptions::StoreFormSize(int Width, int Height) {
  FWidth = Width;
  FHeight = Height;
}
