// The four formula windows: area and perimeter of the plane figures, volume
// and surface area of the solids. Each shows the chosen figure's formula and
// note, labels and greys the measure boxes, and computes one number.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kSectorAngleRejection = "a不能大于360";

// The working's expression in the window's order of operations: "#0×#1÷2",
// where #i stands for the i-th measure (its letter in the formula line, its
// number in the next) and π for 3.14 once the numbers are in.
struct FigureSteps {
    std::string pattern;
    std::vector<std::string> letters;  // #0, #1, ... as the formula names them
};

struct Figure {
    std::string option;   // "Option1"
    std::string caption;  // "三角形"
    std::string key;      // pinyin initial: "S"
    std::string formula;
    std::string note;
    // Measure labels the figure captions, in order; the others keep theirs.
    std::vector<std::pair<std::string, std::string>> labels;
    int boxesUsed = 1;  // the first this many measure boxes are enabled
    FigureSteps steps;
    // The value from the measure boxes in order; the arithmetic is in the
    // order the textbook formula is written, which decides the last digit.
    double (*result)(const double* m) = nullptr;
    bool sector = false;  // the angle (second box) may not exceed 360
};

// How one of the four windows is built.
struct FigureWindowDesign {
    std::string form;
    std::vector<Figure> figures;
    std::vector<std::string> boxes;      // measure boxes, top to bottom
    std::vector<std::string> boxLabels;  // their labels, same order
    std::vector<int> boxTops;            // twips
    std::vector<int> optionTops;         // twips
    std::string formulaBox, noteLabel, noteDesign;
    std::string resultLabel, resultCaption, resultBox;
    int resultTop = 0;
    std::string formulaSwitch, resultSwitch;  // hidden check boxes
    std::string designOption;                 // off-screen design-time option, if any
    bool emptyBeforeEnabling = false;         // the perimeter window's order of the steps
    Twips client{};
};

const FigureWindowDesign& areaDesign();       // Form9
const FigureWindowDesign& perimeterDesign();  // Form10
const FigureWindowDesign& volumeDesign();     // Form16
const FigureWindowDesign& surfaceDesign();    // Form17

// Calculate for figure `index` of `design` on the window's texts: the result
// box's new text (the number, or the angle rejection for a sector), and the
// working: the formula, the numbers put in, the result.
Outcome figureCalculate(const FigureWindowDesign& design, std::size_t index, const Texts& texts);

std::unique_ptr<WindowModel> makeAreaWindow();       // Form9
std::unique_ptr<WindowModel> makePerimeterWindow();  // Form10
std::unique_ptr<WindowModel> makeVolumeWindow();     // Form16
std::unique_ptr<WindowModel> makeSurfaceWindow();    // Form17

}  // namespace kz
