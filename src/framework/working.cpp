#include "framework/working.h"

#include <algorithm>

#include "framework/utf8.h"

namespace kz {

Working& Working::steps(std::vector<std::string> expressionThenRewritings) {
    WorkingBlock b;
    b.kind = WorkingBlock::Kind::Steps;
    b.steps = std::move(expressionThenRewritings);
    blocks_.push_back(std::move(b));
    return *this;
}

Working& Working::ladder(std::vector<LadderRow> rows, std::vector<std::string> left) {
    WorkingBlock b;
    b.kind = WorkingBlock::Kind::Ladder;
    b.rows = std::move(rows);
    b.left = std::move(left);
    blocks_.push_back(std::move(b));
    return *this;
}

Working& Working::line(std::string text) { return line({}, std::move(text)); }

Working& Working::line(std::string_view leadText, std::string text) {
    WorkingBlock b;
    b.kind = WorkingBlock::Kind::Line;
    b.lead = std::string(leadText);
    b.text = std::move(text);
    blocks_.push_back(std::move(b));
    return *this;
}

Working& Working::append(const Working& other) {
    blocks_.insert(blocks_.end(), other.blocks_.begin(), other.blocks_.end());
    return *this;
}

namespace {

std::string joined(const std::vector<std::string>& numbers) {
    std::string s;
    for (std::size_t i = 0; i < numbers.size(); ++i) s += (i ? " " : "") + numbers[i];
    return s;
}

void ladderLines(const WorkingBlock& b, std::vector<std::string>& out) {
    int width = 0;
    for (const LadderRow& r : b.rows) width = std::max(width, displayWidth(r.divisor));
    for (const LadderRow& r : b.rows) {
        // Divisors right-aligned, so every "|" stands in one column.
        std::string row(static_cast<std::size_t>(width - displayWidth(r.divisor)), ' ');
        row += r.divisor + " | " + joined(r.numbers);
        if (r.remainder) row += " " + std::string(sign::kRemainder) + " " + *r.remainder;
        out.push_back(std::move(row));
    }
    out.push_back(std::string(static_cast<std::size_t>(width) + 3, ' ') + joined(b.left));
}

}  // namespace

std::vector<std::string> Working::plainLines() const {
    std::vector<std::string> out;
    for (const WorkingBlock& b : blocks_) {
        switch (b.kind) {
            case WorkingBlock::Kind::Steps:
                for (std::size_t i = 0; i < b.steps.size(); ++i)
                    out.push_back(i == 0 ? b.steps[i] : std::string(sign::kEquals) + b.steps[i]);
                break;
            case WorkingBlock::Kind::Ladder: ladderLines(b, out); break;
            case WorkingBlock::Kind::Line: out.push_back(b.lead + b.text); break;
        }
    }
    return out;
}

std::string Working::plainText() const {
    std::string s;
    const auto lines = plainLines();
    for (std::size_t i = 0; i < lines.size(); ++i) s += (i ? "\n" : "") + lines[i];
    return s;
}

int displayWidth(std::string_view utf8) {
    int w = 0;
    for (char32_t c : utf8ToU32(utf8)) {
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                          (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
        w += wide ? 2 : 1;
    }
    return w;
}

}  // namespace kz
