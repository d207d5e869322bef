#include "tools/number/GcdWindow.h"

#include "tools/number/gcd.h"

namespace kz::ui {

namespace {
const Qt::Alignment kCentred = Qt::AlignCenter;
}

GcdWindow::GcdWindow() : ToolWindow("Form12") {
    addRow({addInput("Text2", "第一个数", 10, FilterMode::Integer_All)});
    addRow({addInput("Text1", "第二个数", 10, FilterMode::Integer_All)});
    addRow({addLabel("Label4", qs(kGcdPrompt), kCentred)});
    addRow({addLabel("Label1", "", kCentred)});
    addButtonRow();
    setManagesCopy(true);
    onCalculate([](const Texts& t) { return gcdCalculate(t.at("Text1"), t.at("Text2")); });
    onClear({{"Text1", ""}, {"Text2", ""}, {"Label4", std::string(kGcdPrompt)}, {"Label1", ""}});
    setCopy("Label1");
}

LcmWindow::LcmWindow() : ToolWindow("Form13") {
    addRow({addInput("Text1", "第一个数", 3, FilterMode::Integer_All)});
    addRow({addInput("Text2", "第二个数", 3, FilterMode::Integer_All)});
    addRow({addLabel("Label1", qs(kGcdPrompt), kCentred)});
    addRow({addLabel("Label2", "", kCentred)});
    addButtonRow();
    setManagesCopy(true);
    onCalculate([](const Texts& t) { return lcmCalculate(t.at("Text1"), t.at("Text2")); });
    onClear({{"Text1", ""}, {"Text2", ""}, {"Label1", std::string(kGcdPrompt)}, {"Label2", ""}});
    setCopy("Label2");
}

}  // namespace kz::ui
