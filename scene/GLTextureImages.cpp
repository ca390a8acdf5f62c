#include "scene/GLTextureImages.h"

#include <QImageReader>
#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "scene/base/SceneErrors.h"

namespace qx {

// ---- TGLCubeMapImage ----
void TGLCubeMapImage::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TGLCubeMapImage*>(source)) {
    faces_ = c->faces_;
    Invalidate();
    return;
  }
  TGLTextureImage::Assign(source);
}

void TGLCubeMapImage::SetPicture(TGLCubeMapFace face, const TBitmap& b) {
  faces_[std::size_t(face)] = b;
  Invalidate();
}

bool TGLCubeMapImage::FacesAgree() const {
  const int w = faces_[0].Width(), h = faces_[0].Height();
  if (w == 0 || w != h) return false;
  return std::all_of(faces_.begin(), faces_.end(),
                     [&](const TBitmap& f) { return f.Width() == w && f.Height() == h; });
}

const TGLBitmap32* TGLCubeMapImage::GetBitmap32(GLenum target) {
  const GLenum first = GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB;
  if (target < first || target > first + 5) return nullptr;
  const std::size_t i = target - first;
  if (faces_[i].Empty()) return nullptr;
  if (!bitmaps_[i]) {
    bitmaps_[i] = std::make_unique<TGLBitmap32>();
    bitmaps_[i]->AssignFromBitmap(faces_[i]);
  }
  return bitmaps_[i].get();
}

void TGLCubeMapImage::ReleaseBitmap32() {
  for (auto& b : bitmaps_) b.reset();
}

// ---- Text forms of the blank and float-data images ----
int TextImageValue(const std::string& text, const std::string& name, int fallback) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, name.size() + 1, name + "=") != 0) continue;
    try {
      return std::stoi(line.substr(name.size() + 1));
    } catch (...) {
      return fallback;
    }
  }
  return fallback;
}

namespace {

std::string ReadTextFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw ESceneError("Could not open file: " + fileName);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteTextFile(const std::string& fileName, const std::string& text) {
  std::ofstream out(fileName, std::ios::binary);
  if (!(out << text)) throw ESceneError("Could not write file: " + fileName);
}

}  // namespace

void TGLSizedImage::LoadFromText(const std::string& text) {
  SetWidth(TextImageValue(text, "Width", width_));
  SetHeight(TextImageValue(text, "Height", height_));
}
void TGLSizedImage::LoadFromFile(const std::string& fileName) { LoadFromText(ReadTextFile(fileName)); }
void TGLSizedImage::SaveToFile(const std::string& fileName) const { WriteTextFile(fileName, SaveToText()); }

// ---- TGLFloatDataImage ----
void TGLFloatDataImage::Assign(const TPersistent* source) {
  if (auto* f = dynamic_cast<const TGLFloatDataImage*>(source)) {
    AssignSize(*f);
    return;
  }
  TGLTextureImage::Assign(source);
}

// ---- Picture formats ----
namespace {

struct TPictureFormat {
  std::string extension, description, graphicClass;
};

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<TPictureFormat>& Formats() {
  static std::vector<TPictureFormat> formats = [] {
    std::vector<TPictureFormat> f{{"bmp", "Bitmaps", "TBitmap"}};
    // Whatever else the platform reads is a picture too.
    for (const QByteArray& ext : QImageReader::supportedImageFormats()) {
      const std::string e = Lower(ext.toStdString());
      if (e == "bmp") continue;
      f.push_back({e, e == "jpg" || e == "jpeg" ? "JPEG Image File" : Lower(e) + " image",
                   e == "jpg" || e == "jpeg" ? "TJPEGImage" : "TPicture"});
    }
    return f;
  }();
  return formats;
}

}  // namespace

void RegisterPictureFormat(const std::string& extension, const std::string& description,
                           const std::string& graphicClass) {
  std::string e = Lower(extension);
  if (!e.empty() && e[0] == '.') e.erase(0, 1);
  auto& f = Formats();
  f.erase(std::remove_if(f.begin(), f.end(), [&](const TPictureFormat& x) { return x.extension == e; }),
          f.end());
  f.push_back({e, description, graphicClass});
}

std::string GraphicClassForExtension(const std::string& extension) {
  std::string e = Lower(extension);
  if (!e.empty() && e[0] == '.') e.erase(0, 1);
  for (const TPictureFormat& f : Formats())
    if (f.extension == e) return f.graphicClass;
  return "";
}

std::vector<std::string> ListPictureFormats() {
  std::vector<std::string> out;
  for (const TPictureFormat& f : Formats()) out.push_back(f.extension + "=" + f.description);
  return out;
}

}  // namespace qx
