// A numbered set of pictures shown at one size: what a host gives the add-object dialog's lists
// (AddObjectFormOptions' ImageListSmall and ImageListLarge) to choose their pictures from.
#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QSize>

class TvxImageList : public QObject {
  Q_OBJECT
  // The size at which the pictures are shown; 16 x 16 unless set.
  Q_PROPERTY(QSize ImageSize READ GetImageSize WRITE SetImageSize)

public:
  explicit TvxImageList(QObject* Owner = nullptr) : QObject(Owner) {}

  // Appends Image; its index.
  int Add(const QIcon& Image);
  void Clear();
  int GetCount() const { return static_cast<int>(FImages.size()); }
  // The picture at Index; a null icon for -1 and any other index outside the list.
  QIcon GetImage(int Index) const;
  QSize GetImageSize() const { return FImageSize; }
  void SetImageSize(const QSize& Size);

signals:
  // The pictures or their size changed.
  void changed();

private:
  QList<QIcon> FImages;
  QSize FImageSize{16, 16};
};
