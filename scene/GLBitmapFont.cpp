namespace qx {
void RegisterGLBitmapFontClasses() {}
}  // namespace qx
