// A small store of named settings in nested keys, standing where the platform's settings
// registry would: keys are paths separated by "\", each holding integer and string values.
// Key paths and value names are matched without regard to letter case.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace qx {

class TSettingsStore {
 public:
  virtual ~TSettingsStore() = default;
  virtual bool KeyExists(const std::string& key) const = 0;
  virtual void CreateKey(const std::string& key) = 0;
  // A value that is missing, or of the other kind, reads as nothing.
  virtual std::optional<int> ReadInteger(const std::string& key, const std::string& name) const = 0;
  virtual std::optional<std::string> ReadString(const std::string& key, const std::string& name) const = 0;
  // Writing creates the key when needed.
  virtual void WriteInteger(const std::string& key, const std::string& name, int value) = 0;
  virtual void WriteString(const std::string& key, const std::string& name, const std::string& value) = 0;
};

// The store kept in memory (for tests, and for a session that saves nothing).
class TMemorySettingsStore : public TSettingsStore {
 public:
  bool KeyExists(const std::string& key) const override;
  void CreateKey(const std::string& key) override;
  std::optional<int> ReadInteger(const std::string& key, const std::string& name) const override;
  std::optional<std::string> ReadString(const std::string& key, const std::string& name) const override;
  void WriteInteger(const std::string& key, const std::string& name, int value) override;
  void WriteString(const std::string& key, const std::string& name, const std::string& value) override;
  void DeleteValue(const std::string& key, const std::string& name);

 private:
  using Value = std::variant<int, std::string>;
  const Value* Find(const std::string& key, const std::string& name) const;
  std::map<std::string, std::map<std::string, Value>> keys_;
};

}  // namespace qx
