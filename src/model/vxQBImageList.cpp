#include "vxQBImageList.h"

int TvxImageList::Add(const QIcon& Image) {
  FImages.append(Image);
  emit changed();
  return GetCount() - 1;
}

void TvxImageList::Clear() {
  if (FImages.isEmpty()) return;
  FImages.clear();
  emit changed();
}

QIcon TvxImageList::GetImage(int Index) const { return Index >= 0 && Index < GetCount() ? FImages[Index] : QIcon(); }

void TvxImageList::SetImageSize(const QSize& Size) {
  if (Size == FImageSize) return;
  FImageSize = Size;
  emit changed();
}
