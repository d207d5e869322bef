#include "tools/equation/systems.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include <boost/multiprecision/cpp_int.hpp>

#include "tools/equation/elimination.h"
#include "tools/fraction/exacttext.h"

namespace kz {

namespace {

using boost::multiprecision::cpp_int;
using Matrix = std::vector<std::vector<cpp_int>>;

// Read as typed, not as the nearest double: 0.1 is exactly one tenth.
ExactDecimal readExact(std::string_view text) {
    (void)strictNumber(text);  // an unreadable text fails as the window's reading does
    std::optional<ExactDecimal> d = exactDecimal(text);
    if (!d) fail(FailureKind::Overflow);
    return std::move(*d);
}

cpp_int pow10(long e) {
    cpp_int p = 1;
    for (long i = 0; i < e; ++i) p *= 10;
    return p;
}

cpp_int determinant(const Matrix& m) {
    if (m.size() == 2) return m[0][0] * m[1][1] - m[0][1] * m[1][0];
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

// Rank by fraction-free elimination: exact, and small for three rows.
std::size_t rank(Matrix m) {
    std::size_t r = 0;
    const std::size_t cols = m.empty() ? 0 : m[0].size();
    for (std::size_t c = 0; c < cols && r < m.size(); ++c) {
        std::size_t p = r;
        while (p < m.size() && m[p][c] == 0) ++p;
        if (p == m.size()) continue;
        std::swap(m[r], m[p]);
        for (std::size_t i = r + 1; i < m.size(); ++i) {
            if (m[i][c] == 0) continue;
            const cpp_int f = m[i][c], g = m[r][c];
            for (std::size_t j = c; j < cols; ++j) m[i][j] = m[i][j] * g - m[r][j] * f;
        }
        ++r;
    }
    return r;
}

// The single-precision value nearest to num/den (ties to even), gradual
// underflow included; Overflow when it lies beyond the largest float.
float nearestSingle(cpp_int num, cpp_int den) {
    if (num == 0) return 0.0f;
    const bool negative = (num < 0) != (den < 0);
    if (num < 0) num = -num;
    if (den < 0) den = -den;
    // e = floor(log2(num/den))
    long e = static_cast<long>(boost::multiprecision::msb(num)) - static_cast<long>(boost::multiprecision::msb(den));
    if (e >= 0 ? num < (den << static_cast<unsigned>(e)) : (num << static_cast<unsigned>(-e)) < den) --e;
    if (e > std::numeric_limits<float>::max_exponent - 1) fail(FailureKind::Overflow);
    // Weight of the last kept bit: 24 significant bits, fewer below the normal range.
    const long lsb = std::max<long>(e - (std::numeric_limits<float>::digits - 1),
                                    std::numeric_limits<float>::min_exponent - std::numeric_limits<float>::digits);
    cpp_int n = num, d = den;
    if (lsb < 0) n <<= static_cast<unsigned>(-lsb);
    else d <<= static_cast<unsigned>(lsb);
    cpp_int q = n / d;
    const cpp_int twice = (n - q * d) * 2;
    if (twice > d || (twice == d && (q & 1) != 0)) ++q;
    const float f = std::ldexp(q.convert_to<float>(), static_cast<int>(lsb));
    if (std::isinf(f)) fail(FailureKind::Overflow);
    return negative ? -f : f;
}

Outcome solveInto(std::span<const std::string_view> texts, std::size_t n, std::span<const char* const> answers) {
    Outcome out;
    Calculation calc(true);
    SystemSolution s;
    calc.step([&] { s = solveLinearSystem(texts, n); });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    std::vector<std::string> shown;
    if (s.kind == Solvability::Unique) {
        for (std::size_t i = 0; i < n; ++i) {
            shown.push_back(singleToText(s.values[i]));
            out.show(answers[i], shown.back());
        }
    } else {
        // No single answer: the previous system's answers must not stay on show.
        for (const char* a : answers) out.show(a, "");
        out.information(std::string(s.kind == Solvability::None ? kNoSolutionText : kInfinitelyManyText),
                        std::string(kSystemTitle));
    }
    out.working = eliminationWorking(texts, n, s.kind, shown);
    return out;
}

}  // namespace

SystemSolution solveLinearSystem(std::span<const std::string_view> texts, std::size_t n) {
    if (n < 2 || n > 3 || texts.size() != n * (n + 1)) fail(FailureKind::Invalid);
    std::vector<ExactDecimal> read;
    read.reserve(texts.size());
    // Every box is read, so a later overflow never hides an earlier mismatch.
    Calculation reading;
    for (std::string_view t : texts) {
        read.emplace_back();
        reading.step([&] { read.back() = readExact(t); });
    }
    if (reading.failed()) fail(FailureKind::TypeMismatch);
    // One power of ten makes every coefficient whole; it scales every
    // determinant alike, so the answers do not change.
    long scale = 0;
    for (const ExactDecimal& d : read) scale = std::max(scale, -d.exponent);
    Matrix augmented(n, std::vector<cpp_int>(n + 1));
    for (std::size_t r = 0; r < n; ++r)
        for (std::size_t c = 0; c <= n; ++c) {
            const ExactDecimal& d = read[r * (n + 1) + c];
            augmented[r][c] = d.mantissa * pow10(d.exponent + scale);
        }
    Matrix a(n);
    for (std::size_t r = 0; r < n; ++r) a[r].assign(augmented[r].begin(), augmented[r].begin() + static_cast<long>(n));
    const cpp_int det = determinant(a);
    SystemSolution s;
    if (det == 0) {
        s.kind = rank(a) == rank(augmented) ? Solvability::InfinitelyMany : Solvability::None;
        return s;
    }
    for (std::size_t c = 0; c < n; ++c) {
        Matrix m = a;
        for (std::size_t r = 0; r < n; ++r) m[r][c] = augmented[r][n];
        s.values.push_back(nearestSingle(determinant(m), det));
    }
    return s;
}

Outcome solveTwoUnknowns(const Texts& t) {
    const std::string_view texts[] = {t.at("Text1"), t.at("Text3"), t.at("Text5"),
                                      t.at("Text2"), t.at("Text4"), t.at("Text6")};
    static const char* const answers[] = {"Label4", "Label5"};
    return solveInto(texts, 2, answers);
}

Outcome solveThreeUnknowns(const Texts& t) {
    const std::string_view texts[] = {t.at("Text8"),  t.at("Text9"),  t.at("Text11"), t.at("Text13"),
                                      t.at("Text7"),  t.at("Text10"), t.at("Text12"), t.at("Text14"),
                                      t.at("Text15"), t.at("Text16"), t.at("Text17"), t.at("Text18")};
    static const char* const answers[] = {"Text20", "Text21", "Text22"};
    return solveInto(texts, 3, answers);
}

namespace {

class TwoUnknownsWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    std::string copyText() override { return "x=" + std::string(text("Label4")) + ",y=" + std::string(text("Label5")); }
};

class ThreeUnknownsWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    std::string copyText() override {
        return "x=" + std::string(text("Text20")) + ",y=" + std::string(text("Text21")) +
               ",z=" + std::string(text("Text22"));
    }
};

// The large brace before a group of rows: the glyph stands well right of
// its origin, so its box starts near the edge and ends where the boxes begin.
ControlDecl brace(std::string name, int top, int height) {
    return label(std::move(name), "{").strong().sized(26).place(30, top, 330, height);
}

// A label centred on the boxes of its row (boxes are 360 twips high).
ControlDecl rowLabel(std::string name, std::string text, int left, int rowTop, int width) {
    return label(std::move(name), std::move(text)).place(left, rowTop + 60, width, 240);
}

}  // namespace

std::unique_ptr<WindowModel> makeTwoUnknownsWindow() {
    WindowDecl d;
    d.form = "Form32";
    d.client = {0, 0, 6375, 2055};
    d.managesCopy = true;
    d.copyPrimary = "Label5";
    d.showsWorking = true;
    // Declared in reading order, which is also the order Down and Up follow.
    d.controls = {
        brace("Label1", 120, 840),
        input("Text1", 10, FilterMode::Numeric_Pos, "第一个方程中 x 的系数").place(360, 120, 1455, 360),
        rowLabel("Label13", "x＋", 1875, 120, 375),
        input("Text3", 10, FilterMode::Numeric_Pos, "第一个方程中 y 的系数").place(2280, 120, 1455, 360),
        rowLabel("Label15", "y=", 3780, 120, 270),
        input("Text5", 16, FilterMode::Numeric_Pos, "第一个方程右边的常数").place(4080, 120, 2175, 360),
        input("Text2", 10, FilterMode::Numeric_Pos, "第二个方程中 x 的系数").place(360, 600, 1455, 360),
        rowLabel("Label14", "x＋", 1875, 600, 375),
        input("Text4", 10, FilterMode::Numeric_Pos, "第二个方程中 y 的系数").place(2280, 600, 1455, 360),
        rowLabel("Label16", "y=", 3780, 600, 270),
        input("Text6", 16, FilterMode::Numeric_Pos, "第二个方程右边的常数").place(4080, 600, 2175, 360),
        brace("Label3", 1080, 840),
        rowLabel("Label11", "x=", 360, 1080, 240),
        output("Label4", "x 的值").place(600, 1080, 2775, 360),
        rowLabel("Label2", "y=", 360, 1560, 240),
        output("Label5", "y 的值").place(600, 1560, 2775, 360),
        button("Command4", "计算", ButtonRole::Calculate).place(3480, 1560, 855, 375),
        button("Command6", "清空", ButtonRole::Clear).place(4440, 1560, 855, 375),
        button("Command7", "复制", ButtonRole::Copy).place(5400, 1560, 855, 375),
        // Context-menu switches of Label5 (Check1) and Label4 (Check2); never shown, always clear.
        check("Check1", "").hidden(),
        check("Check2", "").hidden(),
    };
    Texts clear{{"Label4", ""}, {"Label5", ""}};
    for (int i = 1; i <= 6; ++i) clear["Text" + std::to_string(i)] = "";
    return std::make_unique<TwoUnknownsWindow>(std::move(d), solveTwoUnknowns, std::move(clear));
}

std::unique_ptr<WindowModel> makeThreeUnknownsWindow() {
    WindowDecl d;
    d.form = "Form33";
    d.client = {0, 0, 8295, 3015};
    d.managesCopy = true;
    d.copyPrimary = "Text20";
    d.showsWorking = true;
    struct Row {
        const char* a;
        const char* b;
        const char* c;
        const char* d;
        int top;
    };
    const Row rows[] = {{"Text8", "Text9", "Text11", "Text13", 120},
                        {"Text7", "Text10", "Text12", "Text14", 600},
                        {"Text15", "Text16", "Text17", "Text18", 1080}};
    d.controls.push_back(brace("Label13", 120, 1320));
    int labelNo = 1;
    int equation = 1;
    for (const Row& r : rows) {
        const std::string which = "第" + std::string(equation == 1 ? "一" : equation == 2 ? "二" : "三") + "个方程";
        auto next = [&] { return "Label" + std::to_string(labelNo++); };
        d.controls.push_back(
            input(r.a, 10, FilterMode::Numeric_Pos, which + "中 x 的系数").place(360, r.top, 1455, 360));
        d.controls.push_back(rowLabel(next(), "x＋", 1875, r.top, 375));
        d.controls.push_back(
            input(r.b, 10, FilterMode::Numeric_Pos, which + "中 y 的系数").place(2280, r.top, 1455, 360));
        d.controls.push_back(rowLabel(next(), "y＋", 3795, r.top, 375));
        d.controls.push_back(
            input(r.c, 10, FilterMode::Numeric_Pos, which + "中 z 的系数").place(4200, r.top, 1455, 360));
        d.controls.push_back(rowLabel(next(), "z=", 5700, r.top, 270));
        d.controls.push_back(
            input(r.d, 16, FilterMode::Numeric_Pos, which + "右边的常数").place(6000, r.top, 2175, 360));
        ++equation;
    }
    d.controls.push_back(brace("Label14", 1560, 1320));
    const char* const names[] = {"x", "y", "z"};
    const char* const outputs[] = {"Text20", "Text21", "Text22"};
    for (int i = 0; i < 3; ++i) {
        const int top = 1560 + 480 * i;
        d.controls.push_back(rowLabel("Label" + std::to_string(10 + i), std::string(names[i]) + "=", 360, top, 240));
        d.controls.push_back(output(outputs[i], std::string(names[i]) + " 的值").place(600, top, 2775, 360));
    }
    d.controls.push_back(button("Command5", "计算", ButtonRole::Calculate).place(4920, 2520, 855, 375));
    d.controls.push_back(button("Command8", "清空", ButtonRole::Clear).place(6120, 2520, 855, 375));
    d.controls.push_back(button("Command9", "复制", ButtonRole::Copy).place(7320, 2520, 855, 375));
    // Context-menu switches of Text20 to Text22; never shown, always clear.
    for (int i = 1; i <= 3; ++i) d.controls.push_back(check("Check" + std::to_string(i), "").hidden());
    Texts clear;
    for (int i = 7; i <= 18; ++i) clear["Text" + std::to_string(i)] = "";
    for (int i = 20; i <= 22; ++i) clear["Text" + std::to_string(i)] = "";
    return std::make_unique<ThreeUnknownsWindow>(std::move(d), solveThreeUnknowns, std::move(clear));
}

}  // namespace kz
