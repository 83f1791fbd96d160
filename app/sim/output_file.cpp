// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sim/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "app/sim/base_options.h"
#include "app/sim/sim_command.h"

namespace tavolin::sim {

std::optional<OutputFile> OutputFile::open(const std::string& path, std::string& reason) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reason = "it is a folder";
        return std::nullopt;
    }
    const std::string temporary = path + ".part";
    errno = 0;
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    if (!stream) {
        reason = errno != 0 ? std::strerror(errno) : "it cannot be created";
        return std::nullopt;
    }
    return OutputFile(path, temporary, std::move(stream));
}

OutputFile::~OutputFile() {
    // A file never committed (a refusal after opening, an exception) leaves nothing behind.
    if (!done_ && !temporary_.empty()) {
        stream_.close();
        std::remove(temporary_.c_str());
    }
}

bool OutputFile::commit(const std::string& text, std::string& reason, std::string& kept_in) {
    done_ = true;
    kept_in.clear();
    errno = 0;
    stream_ << text;
    stream_.flush();
    stream_.close();
    if (!stream_) {
        reason = errno != 0 ? std::strerror(errno) : "the write failed";
        std::remove(temporary_.c_str());
        return false;
    }
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        reason = std::strerror(errno);
        kept_in = temporary_;
        return false;
    }
    return true;
}

OutputFormat output_format(const std::string& option, const std::string& path) {
    const auto ends_with = [&path](std::string_view e) {
        return path.size() > e.size() && path.compare(path.size() - e.size(), e.size(), e) == 0;
    };
    if (ends_with(".json")) return OutputFormat::Json;
    if (ends_with(".csv")) return OutputFormat::Csv;
    throw Malformed{option + ": '" + path + "' ends neither in .csv nor in .json"};
}

std::optional<OutputFile> open_output(const std::string& option, const std::string& path,
                                      std::ostream& err) {
    std::string reason;
    std::optional<OutputFile> file = OutputFile::open(path, reason);
    if (!file) err << option << ": " << path << " cannot be written: " << reason << '\n';
    return file;
}

int finish_output(std::optional<OutputFile>& file, const std::string& text, std::ostream& out,
                  std::ostream& err) {
    if (!file) return finish_report(out, err, text);
    std::string reason, kept_in;
    if (file->commit(text, reason, kept_in)) return 0;
    err << "tavolin-sim: " << file->path() << " could not be written: " << reason;
    if (!kept_in.empty()) {
        err << "; the results are kept in " << kept_in << '\n';
        return 1;
    }
    // Nothing whole reached the disk: the results go to stdout rather than being lost.
    err << "; the results follow on standard output\n";
    finish_report(out, err, text);
    return 1;
}

}  // namespace tavolin::sim
