// The about box opened from the last item of every context menu.
#pragma once

#include <QDialog>

class TvxAboutBox : public QDialog {
  Q_OBJECT

public:
  explicit TvxAboutBox(QWidget* Parent = nullptr);
};
