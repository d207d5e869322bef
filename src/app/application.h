#pragma once

#include <string>
#include <string_view>

#include <QString>

class QApplication;

namespace kz {
class Evaluator;
struct StartRequest;
}  // namespace kz

namespace kz::ui {
// What every run needs before its first window: Qt's Chinese dialog texts,
// the fonts, the window registry.
void setUpApplication(QApplication& app);

// The short texts compiled into the program (About, contact, credits).
std::string shortText(std::string_view key);
// A text compiled into the program (":/resources/..."), empty if there is none.
QString resourceText(const char* path);

// The one evaluator of the run: it outlives the calculation bar, so ans does too.
Evaluator& expressionEvaluator();

// Opens the windows a start asks for. A later start that asks for none
// (`handedOver`) brings up the main panel: the user is looking for the program.
void carryOut(const StartRequest& request, bool handedOver);
}  // namespace kz::ui
