// The highlighter interface: display attributes, the abstract highlighter that turns one
// line at a time into tokens and carries a range state from line to line, the change
// hooks of the editors that use it, its saved settings, the range rescan that the editor
// runs after a change, and the list of highlighter classes that exist.
#pragma once
#include <memory>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include "editor/CharClasses.h"
#include "editor/Method.h"
#include "editor/MethodChain.h"
#include "editor/SettingsStore.h"
#include "editor/TextBuffer.h"
#include "platform/Graphics.h"

namespace qx {

class TSynHighlighterAttributes {
 public:
  explicit TSynHighlighterAttributes(std::string name);
  virtual ~TSynHighlighterAttributes() = default;
  TSynHighlighterAttributes(const TSynHighlighterAttributes&) = delete;
  TSynHighlighterAttributes& operator=(const TSynHighlighterAttributes&) = delete;

  const std::string& Name() const { return name_; }
  TColor Background() const { return background_; }
  TColor Foreground() const { return foreground_; }
  TFontStyles Style() const { return style_; }
  void SetBackground(TColor value);
  void SetForeground(TColor value);
  void SetStyle(TFontStyles value);
  // The style as stored in settings: bit 0 bold, 1 italic, 2 underline, 3 strike-out.
  int IntegerStyle() const { return style_; }
  void SetIntegerStyle(int value);

  // Component streams keep a value only when it differs from its recorded default.
  bool IsBackgroundStored() const { return background_ != defaultBackground_; }
  bool IsForegroundStored() const { return foreground_ != defaultForeground_; }
  bool IsStyleStored() const { return style_ != defaultStyle_; }
  void InternalSaveDefaultValues();

  // Copies the colours and the style (the name stays: it is the attribute's key).
  virtual void Assign(const TSynHighlighterAttributes& source);
  virtual void Changed();
  // Imports an attribute from an editor's saved settings, old-style (one string value of
  // seven fields named after the attribute) or new-style (a key per attribute).
  virtual bool LoadFromEditorSettings(const TSettingsStore& store, const std::string& key,
                                      const std::string& attrName, bool oldStyle);

  TNotifyEvent OnChange;

 private:
  std::string name_;
  TColor background_ = clNone, defaultBackground_ = clNone;
  TColor foreground_ = clNone, defaultForeground_ = clNone;
  TFontStyles style_ = 0, defaultStyle_ = 0;
};

// Indexes of the default attributes that the editor asks for.
constexpr int SYN_ATTR_COMMENT = 0;
constexpr int SYN_ATTR_IDENTIFIER = 1;
constexpr int SYN_ATTR_KEYWORD = 2;
constexpr int SYN_ATTR_STRING = 3;
constexpr int SYN_ATTR_WHITESPACE = 4;

using TSynHighlighterCapabilities = unsigned;
constexpr TSynHighlighterCapabilities hcUserSettings = 1;
constexpr TSynHighlighterCapabilities hcRegistry = 2;

class TSynCustomHighlighter {
 public:
  TSynCustomHighlighter();
  virtual ~TSynCustomHighlighter();
  TSynCustomHighlighter(const TSynCustomHighlighter&) = delete;
  TSynCustomHighlighter& operator=(const TSynCustomHighlighter&) = delete;

  virtual int GetAttribCount() const;
  virtual TSynHighlighterAttributes* GetAttribute(int index) const;
  virtual TSynHighlighterAttributes* GetDefaultAttribute(int index) const = 0;
  virtual std::string GetDefaultFilter() const;
  // Identifier characters: every character from 33 up (no controls, no blank).
  virtual bool IsIdentChar(char32_t c) const;
  virtual std::u32string GetSampleSource() const;
  virtual bool IsFilterStored() const;
  virtual void SetDefaultFilter(const std::string& value);
  virtual void SetSampleSource(const std::u32string& value);
  virtual void SetWordBreakChars(const TSynCharSet& chars);
  virtual TSynHighlighterCapabilities GetCapabilities() const;
  virtual std::string GetLanguageName() const;
  virtual bool GetEol() const = 0;
  virtual TSynRange GetRange() const;
  virtual std::u32string GetToken() const = 0;
  virtual TSynHighlighterAttributes* GetTokenAttribute() const = 0;
  virtual int GetTokenKind() const = 0;
  virtual int GetTokenPos() const = 0;  // 0-based character index in the line
  virtual bool IsKeyword(const std::u32string& word) const;
  virtual void Next() = 0;
  virtual void SetLine(const std::u32string& line, int lineNumber) = 0;
  virtual void SetRange(TSynRange value);
  virtual void ResetRange();
  virtual bool UseUserSettings(int settingIndex);
  virtual void EnumUserSettings(std::vector<std::string>& settings);
  virtual bool LoadFromRegistry(const TSettingsStore& store, const std::string& key);
  virtual bool SaveToRegistry(TSettingsStore& store, const std::string& key);
  virtual void Assign(const TSynCustomHighlighter& source);

  // Lists the attribute under its name; a second attribute of the same name (letter
  // case aside) raises EListError "String list does not allow duplicates".
  TSynHighlighterAttributes* AddAttribute(std::unique_ptr<TSynHighlighterAttributes> attribute);
  // Gives every attribute (last to first) the handler and records its current values as
  // its defaults.
  void SetAttributesOnChange(TNotifyEvent handler);
  void HookAttrChangeEvent(TNotifyEvent handler) { attrChangeHooks_.Add(handler); }
  void UnhookAttrChangeEvent(TNotifyEvent handler) { attrChangeHooks_.Remove(handler); }
  // Editors that link a highlighter they do not own are told when it goes; a listener
  // must not remove itself while it is being told.
  void FreeNotification(TNotifyEvent handler) { freeHooks_.Add(handler); }
  void RemoveFreeNotification(TNotifyEvent handler) { freeHooks_.Remove(handler); }
  void NextToEol();

  bool IsWordBreakChar(char32_t c) const { return InCharSet(wordBreakChars_, c); }
  const TSynCharSet& WordBreakChars() const { return wordBreakChars_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  // Stream loading: no change notification goes out until it is finished.
  void BeginLoading() { loading_ = true; }
  void Loaded();
  bool IsLoading() const { return loading_; }

  // The change handler that concrete highlighters give their attributes: it tells every
  // hooked editor.
  void DefHighlightChange(void* sender);

 private:
  std::vector<std::pair<std::string, std::unique_ptr<TSynHighlighterAttributes>>> attributes_;
  TSynNotifyEventChain attrChangeHooks_;
  TSynNotifyEventChain freeHooks_;
  TSynCharSet wordBreakChars_;
  std::string defaultFilter_;
  bool enabled_ = true;
  bool loading_ = false;
};

// Rescans the ranges from the line index: each line is scanned from the end range of the
// line before it, and the rescan stops at the first line whose stored end range did not
// change. Answers the last line scanned (the index itself when it is past the end).
int ScanFrom(TSynCustomHighlighter& highlighter, TSrcEditStringList& lines, int index);
// Scans every line from a reset range and stores each end range.
void ScanRanges(TSynCustomHighlighter& highlighter, TSrcEditStringList& lines);

// The highlighter classes that exist.
struct TSynHighlighterClass {
  std::type_index Type;
  std::unique_ptr<TSynCustomHighlighter> (*Create)();
  bool operator==(const TSynHighlighterClass&) const = default;
};

class TSynHighlighterList {
 public:
  static TSynHighlighterList& Instance();
  int Count() const { return static_cast<int>(classes_.size()); }
  const TSynHighlighterClass& Items(int index) const { return classes_.at(static_cast<std::size_t>(index)); }
  int FindByType(std::type_index type) const;
  // Adds the class unless present; answers its position.
  int Add(const TSynHighlighterClass& cls);

 private:
  std::vector<TSynHighlighterClass> classes_;
};

template <typename T>
int RegisterHighlighterClass() {
  return TSynHighlighterList::Instance().Add(
      {std::type_index(typeid(T)), []() -> std::unique_ptr<TSynCustomHighlighter> { return std::make_unique<T>(); }});
}

// The toolkit's sixteen standard colours by number (0 black ... 15 white).
TColor StandardColor(int index);

}  // namespace qx
