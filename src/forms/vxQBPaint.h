// The library's built-in pictures: the work area's background in three tones and the small
// pictures of union operators and link cardinalities. Pictures are made on first use and kept
// for the process; use them from the GUI thread only.
#pragma once

#include "vxQBTypes.h"

#include <QImage>
#include <QPixmap>
#include <QString>

namespace vx {

// The work area's background in the tone of Darkness (450 x 350), decoded once from its
// run-length form and kept for the process.
const QImage& GetWorkAreaBackground(TvxBkImageDarkness Darkness);
// The top-left grid square of that background (paper and one dot): the texture that continues
// its dot grid beyond its edges, laid from the same origin.
const QImage& GetWorkAreaGridTile(TvxBkImageDarkness Darkness);
// A small picture by its resource name ("VXQB_UNION", "VXQB_UNIONALL", "VXQB_EXCEPT",
// "VXQB_EXCEPTALL", "VXQB_INTERSECT", "VXQB_INTERSECTALL", "VXQBLINKCARDINALITYONE",
// "VXQBLINKCARDINALITYMANY"), magenta made transparent; a null pixmap for an unknown name.
QPixmap GetQBBitmap(const QString& Name);

}  // namespace vx
