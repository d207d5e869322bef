#include "calc/constants.h"

#include <cstdio>
#include <memory>
#include <system_error>

#include "framework/numconv.h"

namespace kz {

ConstantsLocator ConstantsLocator::searching(std::filesystem::path programDirectory) {
    ConstantsLocator l;
    l.programDirectory_ = std::move(programDirectory);
    return l;
}

ConstantsLocator ConstantsLocator::exactly(std::filesystem::path file) {
    ConstantsLocator l;
    l.file_ = std::move(file);
    l.exact_ = true;
    return l;
}

std::optional<std::filesystem::path> ConstantsLocator::locate() const {
    std::error_code ec;
    if (exact_) return file_;
    std::filesystem::path here{std::string(kConstantsFileName)};
    if (std::filesystem::is_regular_file(here, ec)) return here;
    if (!programDirectory_.empty()) {
        std::filesystem::path beside = programDirectory_ / here;
        if (std::filesystem::is_regular_file(beside, ec)) return beside;
    }
    return std::nullopt;
}

namespace {

// The path's own characters, so a name outside the ANSI code page opens on
// Windows too (its native form is wide there).
std::FILE* openForReading(const std::filesystem::path& file) {
#ifdef _WIN32
    return _wfopen(file.c_str(), L"rb");
#else
    return std::fopen(file.c_str(), "rb");
#endif
}

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Walks the fields of a constants text.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : s_(text) {
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // editors' byte-order mark
    }

    bool next(std::string_view& field) {
        skipSpaces();
        if (!afterComma_) {
            while (pos_ < s_.size() && (isLineEnd(s_[pos_]) || s_[pos_] == ' ')) ++pos_;
        }
        if (pos_ >= s_.size()) {
            if (!afterComma_) return false;
            afterComma_ = false;  // "a," at the very end: one empty field
            field = {};
            return true;
        }
        if (s_[pos_] == '"') {
            std::size_t close = s_.find('"', pos_ + 1);
            if (close == std::string_view::npos) close = s_.size();
            field = s_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            while (pos_ < s_.size() && s_[pos_] != ',' && !isLineEnd(s_[pos_])) ++pos_;
        } else {
            std::size_t begin = pos_;
            while (pos_ < s_.size() && s_[pos_] != ',' && !isLineEnd(s_[pos_])) ++pos_;
            std::size_t end = pos_;
            while (end > begin && s_[end - 1] == ' ') --end;
            field = s_.substr(begin, end - begin);
        }
        afterComma_ = pos_ < s_.size() && s_[pos_] == ',';
        if (afterComma_) {
            ++pos_;
        } else if (pos_ < s_.size()) {
            if (s_[pos_] == '\r' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '\n') ++pos_;
            ++pos_;
        }
        return true;
    }

private:
    void skipSpaces() {
        while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    bool afterComma_ = false;
};

}  // namespace

ConstantsFile::ConstantsFile(std::string text) : text_(std::move(text)) {}

ConstantsFile ConstantsFile::load(const std::filesystem::path& file) {
    ConstantsFile f;
    f.reload(file);
    return f;
}

void ConstantsFile::clear() {
    text_.clear();
    index_.clear();
    scans_ = 0;
}

bool ConstantsFile::reload(const std::filesystem::path& file) {
    clear();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(openForReading(file), &std::fclose);
    if (!in) return false;
    constexpr std::size_t chunk = 1 << 16;
    for (;;) {
        std::size_t old = text_.size();
        text_.resize(old + chunk);
        std::size_t n = std::fread(text_.data() + old, 1, chunk, in.get());
        text_.resize(old + n);
        if (n < chunk) break;
    }
    if (std::ferror(in.get())) {
        clear();
        return false;
    }
    return true;
}

void ConstantsFile::buildIndex() {
    FieldReader reader(text_);
    std::string_view name, value;
    while (reader.next(name) && reader.next(value)) index_.try_emplace(name, value);
}

std::optional<double> ConstantsFile::find(std::string_view name) {
    if (++scans_ == 2) buildIndex();
    if (scans_ >= 2) {
        auto it = index_.find(name);
        if (it == index_.end()) return std::nullopt;
        return leadingNumber(it->second);
    }
    FieldReader reader(text_);
    std::string_view field, value;
    while (reader.next(field) && reader.next(value)) {
        if (field == name) return leadingNumber(value);
    }
    return std::nullopt;
}

}  // namespace kz
