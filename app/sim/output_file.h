// SPDX-License-Identifier: GPL-3.0-or-later
// A file the command writes whole or not at all: a temporary file beside the target, opened
// before the work so a folder that cannot take it is refused at once, renamed over the target
// when the text is complete.
#pragma once

#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace tavolin::sim {

class OutputFile {
  public:
    // Opens the temporary file; a refusal (the target is a folder, its folder is missing or
    // not writable) is the reason, for a message that names the option.
    static std::optional<OutputFile> open(const std::string& path, std::string& reason);

    OutputFile(OutputFile&& other) noexcept
        : path_(std::move(other.path_)),
          temporary_(std::move(other.temporary_)),
          stream_(std::move(other.stream_)),
          done_(std::exchange(other.done_, true)) {}
    OutputFile& operator=(OutputFile&&) = delete;
    ~OutputFile();

    // Writes `text` and renames it over the target. On failure `reason` says why and
    // `kept_in` names the temporary file when it holds the whole text (the rename failed);
    // it is empty when nothing whole was written.
    bool commit(const std::string& text, std::string& reason, std::string& kept_in);

    const std::string& path() const { return path_; }
    const std::string& temporary() const { return temporary_; }

  private:
    OutputFile(std::string path, std::string temporary, std::ofstream stream)
        : path_(std::move(path)), temporary_(std::move(temporary)), stream_(std::move(stream)) {}

    std::string path_, temporary_;
    std::ofstream stream_;
    bool done_ = false;
};

enum class OutputFormat { Csv, Json };

// The format a file's ending names: .csv or .json; any other is refused naming `option`
// (throws Malformed).
OutputFormat output_format(const std::string& option, const std::string& path);

// Opens `path` for `option` before any work; on failure says why on `err` (the caller exits 2).
std::optional<OutputFile> open_output(const std::string& option, const std::string& path,
                                      std::ostream& err);

// Writes `text` to `file`, or to `out` where there is none. 0 done; 1 when the file could not
// be written: the results are then kept beside it or written to `out`, and `err` says where.
int finish_output(std::optional<OutputFile>& file, const std::string& text, std::ostream& out,
                  std::ostream& err);

}  // namespace tavolin::sim
