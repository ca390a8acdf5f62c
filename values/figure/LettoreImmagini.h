// Decoding of picture files into a TBitmap: JPEG through libjpeg and Windows bitmaps
// (BMP) by our own reader. Bad data never ends the process: every reader answers false
// with a reason and leaves the bitmap empty.
#pragma once
#include <cstddef>
#include <span>
#include <string>

#include "platform/Bitmap.h"

namespace qx {

// Pictures larger than this many pixels are refused rather than allocated.
constexpr std::size_t MAX_PIXEL_IMMAGINE = std::size_t(1) << 26;
// No file of a picture within that limit is larger than this (four bytes a pixel, and room
// for the headers and a palette): a larger file is refused before it is read.
constexpr std::size_t MAX_BYTE_IMMAGINE = 4 * MAX_PIXEL_IMMAGINE + (std::size_t(1) << 16);

bool DecodificaJpeg(std::span<const unsigned char> dati, TBitmap& immagine, std::string& errore);
bool DecodificaBmp(std::span<const unsigned char> dati, TBitmap& immagine, std::string& errore);
// Reads the file and decodes it by its first bytes (FF D8: JPEG, "BM": bitmap). Only a
// regular file is read, and only up to MAX_BYTE_IMMAGINE: a pipe, a device or a folder is
// refused at once, without waiting.
bool LeggiImmagine(const std::string& percorso, TBitmap& immagine, std::string& errore);

}  // namespace qx
