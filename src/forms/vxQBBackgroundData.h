// The work area's built-in backgrounds in their run-length form (see vxQBHelper.h): 8-bit BMP
// files of 450 x 350 pixels, written at build time by tools/vxbkimagegen.
#pragma once

#include <cstddef>

namespace vx {

struct TvxEncodedPicture {
  const unsigned char* Data;
  std::size_t Size;
};

// The step of the pictures' dot grid, which divides both of their sides: the top-left square of
// that size holds paper and one dot, and laid as tiles from the picture's origin it carries the
// grid on beyond the picture.
constexpr int WorkAreaBackgroundGridStep = 25;

// In the order of TvxBkImageDarkness: white, light, dark.
extern const TvxEncodedPicture WorkAreaBackgroundsRLE[3];

}  // namespace vx
