// The word-problem solvers: chickens and rabbits, sum/difference/multiple,
// surplus and deficit, cows eating grass, trains and boats. Each calculation
// takes the boxes' texts and returns what the window shows.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kWrongInput = "输入有误！";

// Chickens and rabbits: rabbits into Text3, chickens into Text4; a rejection
// puts kWrongInput into Text3 and the reason into Text4.
Outcome chickensCalculate(std::string_view heads, std::string_view feet);
std::string chickensCopyText(std::string_view rabbits, std::string_view chickens);

// Two numbers from two facts: small into Text3, large into Text4.
Outcome sumDifferenceCalculate(std::string_view sum, std::string_view difference);
Outcome sumMultipleCalculate(std::string_view sum, std::string_view multiple);
Outcome differenceMultipleCalculate(std::string_view difference, std::string_view multiple);
std::string twoNumbersCopyText(std::string_view small, std::string_view large);

// Surplus and deficit; `which` 0 one of each, 1 two surpluses, 2 two deficits.
// The number of shares (or a rejection) goes into Text4.
Outcome surplusCalculate(std::size_t which, std::string_view first, std::string_view second,
                         std::string_view difference);

// Cows eating grass; `which` 0 initial grass (x cows, y days), 1 days
// (x grass, y cows), 2 cows (x grass, y days). The result goes into Text5.
Outcome cowsCalculate(std::size_t which, std::string_view x, std::string_view y, std::string_view growth);

// Trains; `which` 0 passing head-on, 1 B overtaking A. The time goes into Text5.
Outcome trainCalculate(std::size_t which, std::string_view lengthA, std::string_view speedA, std::string_view lengthB,
                       std::string_view speedB);
// Boats; `which` 0 the boat's speed, 1 the water's. The speed goes into Text5.
Outcome riverCalculate(std::size_t which, std::string_view downstream, std::string_view upstream);

std::unique_ptr<WindowModel> makeChickensWindow();            // Form7
std::unique_ptr<WindowModel> makeSumDifferenceWindow();       // Form19
std::unique_ptr<WindowModel> makeSumMultipleWindow();         // Form21
std::unique_ptr<WindowModel> makeDifferenceMultipleWindow();  // Form22
std::unique_ptr<WindowModel> makeSurplusWindow();             // Form23
std::unique_ptr<WindowModel> makeCowsWindow();                // Form39
std::unique_ptr<WindowModel> makeTrainWindow();               // Form29
std::unique_ptr<WindowModel> makeRiverWindow();               // Form30

}  // namespace kz
