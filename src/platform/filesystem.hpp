// Files as the system uses them: names relative to the current folder, "\" accepted as a
// folder separator, a case-insensitive fallback when an exact name is missing, text
// written with CR LF line ends, and an atomic replace.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

// A file open for reading, read piece by piece: a reader of a large file that needs only
// its start, or handles it line by line, holds no more than a piece.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Up to `size` bytes into `buffer`; 0 at the end. Raises 57 when the device fails.
  virtual size_t read(char* buffer, size_t size) = 0;
};

// Writes the content of a streamed write, piece by piece, through `put`.
using Producer = std::function<void(const std::function<void(std::string_view)>& put)>;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Absolute folders, each with a trailing "/".
  virtual std::string current_folder() const = 0;
  virtual std::string program_folder() const = 0;
  // The per-user folder for files the program can make again (it may not exist yet); ""
  // when there is none.
  virtual std::string cache_folder() const = 0;

  // The path a name stands for (see above). Never fails; a missing file resolves to the
  // name as written.
  virtual std::string resolve(std::string_view name) const = 0;
  virtual bool exists(std::string_view name) const = 0;  // a file, not a folder
  virtual bool folder_exists(std::string_view name) const = 0;

  // Errors: 53 file not found, 76 path not found, 75 access error, 52 a name with a NUL.
  virtual std::string read_all(std::string_view name) const = 0;
  // Opens the file for reading piece by piece; errors as read_all's, raised here.
  virtual std::unique_ptr<FileReader> open_reader(std::string_view name) const = 0;
  // Creates or truncates the file (opening it for output).
  virtual void write_all(std::string_view name, std::string_view content) = 0;
  // As write_all with the content streamed; an error `produce` raises ends the write.
  virtual void write_all_from(std::string_view name, const Producer& produce) = 0;
  virtual void append(std::string_view name, std::string_view content) = 0;
  // Writes a sibling temporary file and renames it over the name: readers see the old
  // or the new content, never a part. The temporary file has a name nobody can guess and
  // is gone again when the write fails.
  virtual void replace_atomic(std::string_view name, std::string_view content) = 0;
  // As replace_atomic with the content streamed: an error `produce` raises leaves the old
  // file as it was.
  virtual void replace_atomic_from(std::string_view name, const Producer& produce) = 0;
  virtual void remove(std::string_view name) = 0;
  // Removes every file of the name's folder whose name is the name's in any letter case
  // ("out.ini" and "OUT.ini"), since a lookup would find one of them when another is gone.
  virtual void remove_every_case(std::string_view name) = 0;
  virtual void make_folder(std::string_view name) = 0;
};

// Lines of a text, split at CR LF, CR or LF; a last line without an end is kept.
std::vector<std::string> split_lines(std::string_view text);
std::vector<std::string> read_lines(const FileSystem& files, std::string_view name);
// Each line followed by CR LF.
std::string join_lines(const std::vector<std::string>& lines);
void append_line(FileSystem& files, std::string_view name, std::string_view line);
// Makes the folder and every missing folder above it.
void make_folders(FileSystem& files, std::string_view folder);

// The real file system, with a settable current folder.
class DiskFileSystem : public FileSystem {
 public:
  // Without a cache folder, cache_folder() is "".
  DiskFileSystem(std::string current_folder, std::string program_folder,
                 std::string cache_folder = "");
  // $XDG_CACHE_HOME/<program_folder>/, or ~/.cache/<program_folder>/.
  static std::string default_cache_folder(std::string_view program_folder);

  std::string current_folder() const override { return current_; }
  std::string program_folder() const override { return program_; }
  std::string cache_folder() const override { return cache_; }
  void set_current_folder(std::string folder);

  std::string resolve(std::string_view name) const override;
  bool exists(std::string_view name) const override;
  bool folder_exists(std::string_view name) const override;
  std::string read_all(std::string_view name) const override;
  std::unique_ptr<FileReader> open_reader(std::string_view name) const override;
  void write_all(std::string_view name, std::string_view content) override;
  void write_all_from(std::string_view name, const Producer& produce) override;
  void append(std::string_view name, std::string_view content) override;
  void replace_atomic(std::string_view name, std::string_view content) override;
  void replace_atomic_from(std::string_view name, const Producer& produce) override;
  void remove(std::string_view name) override;
  void remove_every_case(std::string_view name) override;
  void make_folder(std::string_view name) override;

 protected:
  // Called before every write to `path`; raises to refuse it.
  virtual void check_writable(const std::string& path) const;

 private:
  std::string current_;
  std::string program_;
  std::string cache_;
};

// Removes the temporary files a replace left in the folder when the program ended in the
// middle of it (those older than `older_than`: a younger one may be another run's).
void sweep_temporary_files(const std::string& folder,
                           std::chrono::seconds older_than = std::chrono::minutes(10));

// The folder part of a path with its trailing "/", or "" for a bare name.
std::string folder_of(std::string_view path);
std::string with_trailing_slash(std::string folder);

}  // namespace pv
