// The settings of the add-object dialog that the query builder publishes and streams: where
// the dialog opens, how its lists look, and its size. They outlive the dialog.
#pragma once

#include "vxQBImageList.h"
#include "vxQBTypes.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <functional>

// The dialog's minimum size; 294 x 342 unless changed.
struct TvxAddObjectSizeConstraints {
  Q_GADGET
  Q_PROPERTY(int MinWidth MEMBER MinWidth)
  Q_PROPERTY(int MinHeight MEMBER MinHeight)

public:
  int MinWidth = 294;
  int MinHeight = 342;
  bool operator==(const TvxAddObjectSizeConstraints&) const = default;
};

class TvxAddObjectFormOptions : public QObject {
  Q_OBJECT
  // Defaults: poMainFormCenter, vsList, no image lists, -1, -1, 294 x 342 with the same minimum.
  //
  // ListViewStyle: vsIcon shows large pictures in a grid, vsSmallIcon small ones in rows; vsList
  // and vsReport one name a line. The pictures come from ImageListLarge (vsIcon) or
  // ImageListSmall, at ImageIndexTables and ImageIndexViews (-1: none); without an image list
  // the dialog shows its own pictures of a table and a view.
  Q_PROPERTY(vxqb::TvxPosition Position READ GetPosition WRITE SetPosition)
  Q_PROPERTY(vxqb::TvxViewStyle ListViewStyle READ GetListViewStyle WRITE SetListViewStyle)
  Q_PROPERTY(TvxImageList* ImageListSmall READ GetImageListSmall WRITE SetImageListSmall)
  Q_PROPERTY(TvxImageList* ImageListLarge READ GetImageListLarge WRITE SetImageListLarge)
  Q_PROPERTY(int ImageIndexViews READ GetImageIndexViews WRITE SetImageIndexViews)
  Q_PROPERTY(int ImageIndexTables READ GetImageIndexTables WRITE SetImageIndexTables)
  Q_PROPERTY(TvxAddObjectSizeConstraints Constraints READ GetConstraints WRITE SetConstraints)
  Q_PROPERTY(int Width READ GetWidth WRITE SetWidth)
  Q_PROPERTY(int Height READ GetHeight WRITE SetHeight)

public:
  explicit TvxAddObjectFormOptions(QObject* Owner = nullptr) : QObject(Owner) {}

  // Copies every setting through the setters (so the change handler runs).
  void Assign(const TvxAddObjectFormOptions& Source);

  TvxPosition GetPosition() const { return FPosition; }
  void SetPosition(TvxPosition Value) { SetField(FPosition, Value); }
  TvxViewStyle GetListViewStyle() const { return FListViewStyle; }
  void SetListViewStyle(TvxViewStyle Value) { SetField(FListViewStyle, Value); }
  // Not owned; an image list that is destroyed is dropped here (and the dialog told).
  TvxImageList* GetImageListSmall() const { return FImageListSmall; }
  void SetImageListSmall(TvxImageList* Value) { SetImageList(FImageListSmall, FImageListSmallLinks, Value); }
  TvxImageList* GetImageListLarge() const { return FImageListLarge; }
  void SetImageListLarge(TvxImageList* Value) { SetImageList(FImageListLarge, FImageListLargeLinks, Value); }
  int GetImageIndexViews() const { return FImageIndexViews; }
  void SetImageIndexViews(int Value) { SetField(FImageIndexViews, Value); }
  int GetImageIndexTables() const { return FImageIndexTables; }
  void SetImageIndexTables(int Value) { SetField(FImageIndexTables, Value); }
  TvxAddObjectSizeConstraints GetConstraints() const { return FConstraints; }
  void SetConstraints(const TvxAddObjectSizeConstraints& Value);
  // The dialog's size. A dialog that exists is resized at once, and the size it takes (its
  // minimum may forbid the one asked for) is kept.
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value) { SetField(FWidth, Value); }
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value) { SetField(FHeight, Value); }
  // Keeps the size the dialog has now, without a change notification: the dialog calls it
  // whenever it was resized, so that it opens again at the size the user left it.
  void StoreFormSize(int Width, int Height);

  // Called after every change; the query builder points it at its dialog when it makes one.
  std::function<void()> OnChange;

private:
  struct TImageListLinks {
    QMetaObject::Connection Gone, Edited;
  };
  void SetImageList(QPointer<TvxImageList>& Field, TImageListLinks& Links, TvxImageList* Value);

  template <class T>
  void SetField(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  void Changed() {
    if (OnChange) OnChange();
  }

  TvxPosition FPosition = poMainFormCenter;
  TvxViewStyle FListViewStyle = vsList;
  QPointer<TvxImageList> FImageListSmall;
  QPointer<TvxImageList> FImageListLarge;
  TImageListLinks FImageListSmallLinks;
  TImageListLinks FImageListLargeLinks;
  int FImageIndexViews = -1;
  int FImageIndexTables = -1;
  TvxAddObjectSizeConstraints FConstraints;
  int FWidth = 294;
  int FHeight = 342;
};
