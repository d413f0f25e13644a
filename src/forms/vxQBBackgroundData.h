// The work area's built-in backgrounds in their run-length form (see vxQBHelper.h): 8-bit BMP
// files of 450 x 350 pixels, written at build time by tools/vxbkimagegen.
#pragma once

#include <cstddef>

namespace vx {

struct TvxEncodedPicture {
  const unsigned char* Data;
  std::size_t Size;
};

// In the order of TvxBkImageDarkness: white, light, dark.
extern const TvxEncodedPicture WorkAreaBackgroundsRLE[3];

}  // namespace vx
