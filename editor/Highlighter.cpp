#include "editor/Highlighter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "editor/EditorExceptions.h"
#include "platform/ColorNames.h"

namespace qx {

namespace {

constexpr std::array<TColor, 16> kStandardColors = {
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clSilver,
    clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite,
};

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

bool ParseInt(std::string_view text, int& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// A colour name, a decimal number or "$" and a hexadecimal number.
bool StringToColor(const std::string& text, TColor& color) {
  const auto parsed = qx::StringToColor(text);
  if (parsed) color = *parsed;
  return parsed.has_value();
}

bool StandardColorAt(const std::string& field, TColor& color) {
  int index = 0;
  if (!ParseInt(field, index) || index < 0 || index >= 16) return false;
  color = kStandardColors[static_cast<std::size_t>(index)];
  return true;
}

// A saved flag is true unless it reads "FALSE" (any case) or "0".
bool FlagValue(const std::string& s) { return Upper(s) != "FALSE" && s != "0"; }

std::vector<std::string> SplitFields(const std::string& s) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = s.find(',', start);
    fields.push_back(s.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return fields;
}

bool SameTextAscii(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

}  // namespace

TColor StandardColor(int index) {
  return index >= 0 && index < 16 ? kStandardColors[static_cast<std::size_t>(index)] : clNone;
}

// ---- attributes ----

TSynHighlighterAttributes::TSynHighlighterAttributes(std::string name) : name_(std::move(name)) {}

void TSynHighlighterAttributes::SetBackground(TColor value) {
  if (background_ == value) return;
  background_ = value;
  Changed();
}

void TSynHighlighterAttributes::SetForeground(TColor value) {
  if (foreground_ == value) return;
  foreground_ = value;
  Changed();
}

void TSynHighlighterAttributes::SetStyle(TFontStyles value) {
  if (style_ == value) return;
  style_ = value;
  Changed();
}

void TSynHighlighterAttributes::SetIntegerStyle(int value) {
  SetStyle(static_cast<TFontStyles>(value & (fsBold | fsItalic | fsUnderline | fsStrikeOut)));
}

void TSynHighlighterAttributes::InternalSaveDefaultValues() {
  defaultBackground_ = background_;
  defaultForeground_ = foreground_;
  defaultStyle_ = style_;
}

void TSynHighlighterAttributes::Assign(const TSynHighlighterAttributes& source) {
  if (&source == this) return;
  const bool changed =
      background_ != source.background_ || foreground_ != source.foreground_ || style_ != source.style_;
  background_ = source.background_;
  foreground_ = source.foreground_;
  style_ = source.style_;
  if (changed) Changed();
}

void TSynHighlighterAttributes::Changed() {
  if (OnChange) OnChange(this);
}

bool TSynHighlighterAttributes::LoadFromEditorSettings(const TSettingsStore& store, const std::string& key,
                                                       const std::string& attrName, bool oldStyle) {
  if (oldStyle) {
    const auto value = store.ReadString(key, attrName);
    if (!value) return false;
    const std::vector<std::string> f = SplitFields(*value);
    if (f.size() < 7) return false;
    TColor fg = clWindowText, bg = clWindow;
    if (f[3] != "1" && !StandardColorAt(f[5], fg)) return false;
    if (f[4] != "1" && !StandardColorAt(f[6], bg)) return false;
    TFontStyles style = 0;
    if (f[2].find('B') != std::string::npos) style |= fsBold;
    if (f[2].find('I') != std::string::npos) style |= fsItalic;
    if (f[2].find('U') != std::string::npos) style |= fsUnderline;
    SetForeground(fg);
    SetBackground(bg);
    SetStyle(style);
    return true;
  }

  const std::string sub = key + "\\" + attrName;
  if (!store.KeyExists(sub)) return false;
  // A colour is a number into the sixteen colours or, in newer settings, a colour name.
  auto readColor = [&](const std::string& name, TColor& color) {
    if (const auto index = store.ReadInteger(sub, name)) return StandardColorAt(std::to_string(*index), color);
    const auto text = store.ReadString(sub, name + " New");
    return text && StringToColor(*text, color);
  };
  TColor fg = clNone, bg = clNone;
  if (!readColor("Foreground Color", fg) || !readColor("Background Color", bg)) return false;
  const auto bold = store.ReadString(sub, "Bold");
  const auto italic = store.ReadString(sub, "Italic");
  const auto underline = store.ReadString(sub, "Underline");
  const auto defaultFg = store.ReadString(sub, "Default Foreground");
  const auto defaultBg = store.ReadString(sub, "Default Background");
  if (!bold || !italic || !underline || !defaultFg || !defaultBg) return false;
  SetForeground(FlagValue(*defaultFg) ? clWindowText : fg);
  SetBackground(FlagValue(*defaultBg) ? clWindow : bg);
  TFontStyles style = 0;
  if (FlagValue(*bold)) style |= fsBold;
  if (FlagValue(*italic)) style |= fsItalic;
  if (FlagValue(*underline)) style |= fsUnderline;
  SetStyle(style);
  return true;
}

// ---- the highlighter ----

TSynCustomHighlighter::TSynCustomHighlighter()
    : attrChangeHooks_(this), freeHooks_(this), wordBreakChars_(DefaultWordBreakChars()) {}

TSynCustomHighlighter::~TSynCustomHighlighter() {
  // A listener's failure must not stop the others from letting go of this highlighter.
  freeHooks_.OnException = [](TSynMethodChain&, const std::exception&, bool& doContinue) { doContinue = true; };
  freeHooks_.Fire();
  while (!attributes_.empty()) attributes_.pop_back();
}

int TSynCustomHighlighter::GetAttribCount() const { return static_cast<int>(attributes_.size()); }

TSynHighlighterAttributes* TSynCustomHighlighter::GetAttribute(int index) const {
  if (index < 0 || index >= GetAttribCount()) return nullptr;
  return attributes_[static_cast<std::size_t>(index)].second.get();
}

std::string TSynCustomHighlighter::GetDefaultFilter() const { return defaultFilter_; }
bool TSynCustomHighlighter::IsIdentChar(char32_t c) const { return c >= 33; }
std::u32string TSynCustomHighlighter::GetSampleSource() const { return {}; }
bool TSynCustomHighlighter::IsFilterStored() const { return true; }
void TSynCustomHighlighter::SetDefaultFilter(const std::string& value) { defaultFilter_ = value; }
void TSynCustomHighlighter::SetSampleSource(const std::u32string&) {}
void TSynCustomHighlighter::SetWordBreakChars(const TSynCharSet& chars) { wordBreakChars_ = chars; }
TSynHighlighterCapabilities TSynCustomHighlighter::GetCapabilities() const { return hcRegistry; }
std::string TSynCustomHighlighter::GetLanguageName() const { return "<Unknown>"; }
TSynRange TSynCustomHighlighter::GetRange() const { return 0; }
bool TSynCustomHighlighter::IsKeyword(const std::u32string&) const { return false; }
void TSynCustomHighlighter::SetRange(TSynRange) {}
void TSynCustomHighlighter::ResetRange() {}
bool TSynCustomHighlighter::UseUserSettings(int) { return false; }
void TSynCustomHighlighter::EnumUserSettings(std::vector<std::string>& settings) { settings.clear(); }

TSynHighlighterAttributes* TSynCustomHighlighter::AddAttribute(std::unique_ptr<TSynHighlighterAttributes> attribute) {
  const std::string key = Upper(attribute->Name());
  const auto pos = std::lower_bound(attributes_.begin(), attributes_.end(), key,
                                    [](const auto& entry, const std::string& k) { return Upper(entry.first) < k; });
  if (pos != attributes_.end() && Upper(pos->first) == key) throw EListError("String list does not allow duplicates");
  TSynHighlighterAttributes* added = attribute.get();
  attributes_.emplace(pos, attribute->Name(), std::move(attribute));
  return added;
}

void TSynCustomHighlighter::SetAttributesOnChange(TNotifyEvent handler) {
  for (auto i = attributes_.size(); i-- > 0;) {
    TSynHighlighterAttributes& attr = *attributes_[i].second;
    attr.OnChange = handler;
    attr.InternalSaveDefaultValues();
  }
}

void TSynCustomHighlighter::NextToEol() {
  while (!GetEol()) Next();
}

void TSynCustomHighlighter::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  DefHighlightChange(nullptr);
}

void TSynCustomHighlighter::Loaded() {
  loading_ = false;
  DefHighlightChange(nullptr);
}

void TSynCustomHighlighter::DefHighlightChange(void*) {
  if (loading_) return;
  attrChangeHooks_.Sender = this;
  attrChangeHooks_.Fire();
}

bool TSynCustomHighlighter::SaveToRegistry(TSettingsStore& store, const std::string& key) {
  store.CreateKey(key);
  for (const auto& [name, attr] : attributes_) {
    const std::string sub = key + "\\" + name;
    store.CreateKey(sub);
    store.WriteInteger(sub, "Background", attr->Background());
    store.WriteInteger(sub, "Foreground", attr->Foreground());
    store.WriteInteger(sub, "Style", attr->IntegerStyle());
  }
  return true;
}

bool TSynCustomHighlighter::LoadFromRegistry(const TSettingsStore& store, const std::string& key) {
  if (!store.KeyExists(key)) return false;
  bool result = true;
  for (const auto& [name, attr] : attributes_) {
    const std::string sub = key + "\\" + name;
    if (!store.KeyExists(sub)) {
      result = false;
      continue;
    }
    if (const auto v = store.ReadInteger(sub, "Background")) attr->SetBackground(*v);
    if (const auto v = store.ReadInteger(sub, "Foreground")) attr->SetForeground(*v);
    if (const auto v = store.ReadInteger(sub, "Style")) attr->SetIntegerStyle(*v);
  }
  return result;
}

void TSynCustomHighlighter::Assign(const TSynCustomHighlighter& source) {
  if (&source == this) return;
  for (const auto& [name, attr] : attributes_) {
    for (int i = 0; i < source.GetAttribCount(); ++i) {
      const TSynHighlighterAttributes* other = source.GetAttribute(i);
      if (SameTextAscii(other->Name(), name)) {
        attr->Assign(*other);
        break;
      }
    }
  }
  if (typeid(source) == typeid(*this)) SetSampleSource(source.GetSampleSource());
  wordBreakChars_ = source.wordBreakChars_;
  SetDefaultFilter(source.GetDefaultFilter());
  SetEnabled(source.Enabled());
}

// ---- range scanning ----

int ScanFrom(TSynCustomHighlighter& highlighter, TSrcEditStringList& lines, int index) {
  if (index < 0) index = 0;
  if (index >= lines.Count()) return index;
  if (index == 0)
    highlighter.ResetRange();
  else
    highlighter.SetRange(lines.GetRange(index - 1));
  for (;;) {
    highlighter.SetLine(lines.Get(index), index);
    highlighter.NextToEol();
    const TSynRange range = highlighter.GetRange();
    if (lines.GetRange(index) == range) return index;
    lines.PutRange(index, range);
    if (index + 1 >= lines.Count()) return index;
    ++index;
  }
}

void ScanRanges(TSynCustomHighlighter& highlighter, TSrcEditStringList& lines) {
  highlighter.ResetRange();
  for (int i = 0; i < lines.Count(); ++i) {
    highlighter.SetLine(lines.Get(i), i);
    highlighter.NextToEol();
    lines.PutRange(i, highlighter.GetRange());
  }
}

// ---- the class list ----

TSynHighlighterList& TSynHighlighterList::Instance() {
  static TSynHighlighterList list;
  return list;
}

int TSynHighlighterList::FindByType(std::type_index type) const {
  for (std::size_t i = 0; i < classes_.size(); ++i)
    if (classes_[i].Type == type) return static_cast<int>(i);
  return -1;
}

int TSynHighlighterList::Add(const TSynHighlighterClass& cls) {
  const int found = FindByType(cls.Type);
  if (found >= 0) return found;
  classes_.push_back(cls);
  return Count() - 1;
}

}  // namespace qx
