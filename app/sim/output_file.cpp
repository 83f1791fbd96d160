#include "app/sim/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

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

}  // namespace tavolin::sim
