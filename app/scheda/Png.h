// A picture as a PNG file: 8-bit RGB, every row unfiltered, deflated by zlib.
#pragma once
#include <string>

#include "platform/Bitmap.h"

namespace qx {

std::string CodificaPng(const TBitmap& immagine);

}  // namespace qx
