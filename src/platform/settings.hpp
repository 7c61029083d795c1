// The per-user program-settings store: text values by application, section and key.
// Names compare without regard to case; values are kept exactly as given.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

// The longest value a store keeps, in bytes: every value the program writes is short, and
// each change rewrites them all.
inline constexpr size_t kSettingsValueBytes = 64 * 1024;

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  std::string get(std::string_view app, std::string_view section, std::string_view key,
                  std::string_view default_value = "") const {
    return read_value(app, section, key, default_value);
  }
  // Raises run-time error 75 when the value cannot be stored, also when it is longer than
  // kSettingsValueBytes.
  virtual void save(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view value) = 0;
  virtual void remove(std::string_view app, std::string_view section, std::string_view key) = 0;

 protected:
  virtual std::string read_value(std::string_view app, std::string_view section,
                                 std::string_view key, std::string_view default_value) const = 0;
};

// The values of a store, keyed case-insensitively.
class SettingsTable {
 public:
  const std::string* find(std::string_view app, std::string_view section,
                          std::string_view key) const;
  void set(std::string_view app, std::string_view section, std::string_view key,
           std::string_view value);
  void erase(std::string_view app, std::string_view section, std::string_view key);

  // The header line, then one line per value: app, section, key and value separated by
  // tabs, escaped.
  std::string serialize(std::string_view header) const;
  // False when the text is not a settings file that starts with `header`; `out` is then
  // left empty. A value longer than kSettingsValueBytes is left out, and its names
  // ("app\section\key") are added to `too_long`.
  static bool parse(std::string_view text, std::string_view header, SettingsTable& out,
                    std::vector<std::string>* too_long = nullptr);

 private:
  struct Entry {
    std::string app, section, key, value;
  };
  static std::string fold(std::string_view app, std::string_view section, std::string_view key);
  std::map<std::string, Entry> entries_;
};

// Kept in a file in the per-user configuration folder, rewritten atomically on every
// change; the file's first line is the program's header, which tells it from others. A damaged file
// gives the defaults; it is reported once and kept aside on the next save. A value too long to keep
// is reported and left out, and the file holding it is kept aside on the next save too.
class FileSettingsStore final : public SettingsStore {
 public:
  using Reporter = std::function<void(const std::string& message)>;
  FileSettingsStore(std::string folder, std::string header, Reporter report_damage);

  void save(std::string_view app, std::string_view section, std::string_view key,
            std::string_view value) override;
  void remove(std::string_view app, std::string_view section, std::string_view key) override;

  // $XDG_CONFIG_HOME/<program_folder>/, or ~/.config/<program_folder>/.
  static std::string default_folder(std::string_view program_folder);

 private:
  std::string read_value(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view default_value) const override;
  void load() const;
  void store();

  std::string folder_;
  std::string header_;
  Reporter report_damage_;
  mutable bool loaded_ = false;
  mutable bool damaged_ = false;
  mutable SettingsTable table_;
};

}  // namespace pv
