// The named constants of the expression calculator: pairs of fields (name,
// value) in a text file, read sequentially like comma-separated data.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kz {

inline constexpr std::string_view kConstantsFileName = "constants.csd";

// Where the constants file is looked for.
class ConstantsLocator {
public:
    // "constants.csd" in the working directory only.
    ConstantsLocator() = default;
    // The working directory first, then programDirectory (the program's own
    // folder, so the file is found however the program was started).
    static ConstantsLocator searching(std::filesystem::path programDirectory);
    // Exactly this file; nothing else is tried.
    static ConstantsLocator exactly(std::filesystem::path file);

    // The file to read, or nothing when none exists.
    std::optional<std::filesystem::path> locate() const;

private:
    std::filesystem::path programDirectory_;
    std::filesystem::path file_;
    bool exact_ = false;
};

// The text of one constants file. Fields are separated by commas or line
// ends; a field may be enclosed in double quotes (commas and line ends inside
// belong to it); spaces before a field are skipped; an unquoted field loses
// trailing spaces; blank lines hold no field. Consecutive fields form pairs;
// an odd field at the end is a broken pair and is ignored.
class ConstantsFile {
public:
    ConstantsFile() = default;  // holds no constants
    explicit ConstantsFile(std::string text);
    // The index points into the text, so a moved file indexes itself afresh.
    ConstantsFile(ConstantsFile&& other) noexcept : text_(std::move(other.text_)) {}
    ConstantsFile& operator=(ConstantsFile&& other) noexcept {
        text_ = std::move(other.text_);
        scans_ = 0;
        index_.clear();
        return *this;
    }
    // A file that cannot be read holds no constants.
    static ConstantsFile load(const std::filesystem::path& file);
    // Reads the file afresh into this object, reusing its memory; false (and
    // no constants) when it cannot be read.
    bool reload(const std::filesystem::path& file);
    void clear();

    // The value of the first pair named exactly `name`, read with the
    // leading-number conversion (which raises Overflow for a huge value).
    std::optional<double> find(std::string_view name);

private:
    void buildIndex();

    std::string text_;
    int scans_ = 0;
    // Built on the second lookup, so one name costs one partial pass and
    // many names cost one full pass.
    std::unordered_map<std::string_view, std::string_view> index_;
};

}  // namespace kz
