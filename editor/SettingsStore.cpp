#include "editor/SettingsStore.h"

#include <algorithm>
#include <cctype>

namespace qx {

namespace {

// Lower case, without leading, trailing or doubled separators.
std::string Normalize(const std::string& key) {
  std::string out;
  for (char c : key) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  if (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

std::string Lower(const std::string& s) {
  std::string out = s;
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

}  // namespace

bool TMemorySettingsStore::KeyExists(const std::string& key) const { return keys_.count(Normalize(key)) > 0; }

void TMemorySettingsStore::CreateKey(const std::string& key) {
  // Creating a key creates every key above it, as nested keys do.
  const std::string path = Normalize(key);
  for (std::size_t p = path.find('\\'); p != std::string::npos; p = path.find('\\', p + 1)) keys_[path.substr(0, p)];
  keys_[path];
}

const TMemorySettingsStore::Value* TMemorySettingsStore::Find(const std::string& key, const std::string& name) const {
  const auto k = keys_.find(Normalize(key));
  if (k == keys_.end()) return nullptr;
  const auto v = k->second.find(Lower(name));
  return v == k->second.end() ? nullptr : &v->second;
}

std::optional<int> TMemorySettingsStore::ReadInteger(const std::string& key, const std::string& name) const {
  const Value* v = Find(key, name);
  if (!v || !std::holds_alternative<int>(*v)) return std::nullopt;
  return std::get<int>(*v);
}

std::optional<std::string> TMemorySettingsStore::ReadString(const std::string& key, const std::string& name) const {
  const Value* v = Find(key, name);
  if (!v || !std::holds_alternative<std::string>(*v)) return std::nullopt;
  return std::get<std::string>(*v);
}

void TMemorySettingsStore::WriteInteger(const std::string& key, const std::string& name, int value) {
  CreateKey(key);
  keys_[Normalize(key)][Lower(name)] = value;
}

void TMemorySettingsStore::WriteString(const std::string& key, const std::string& name, const std::string& value) {
  CreateKey(key);
  keys_[Normalize(key)][Lower(name)] = value;
}

void TMemorySettingsStore::DeleteValue(const std::string& key, const std::string& name) {
  const auto k = keys_.find(Normalize(key));
  if (k != keys_.end()) k->second.erase(Lower(name));
}

}  // namespace qx
