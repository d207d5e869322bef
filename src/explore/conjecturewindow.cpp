#include "explore/conjecturewindow.h"

#include <array>

#include "explore/conjecture.h"

namespace kz {

namespace {

struct Page {
    const char* caption;
    const char* box;
    int maxLength;
    const char* button;
    const char* result;  // the result label or output box
    conjecture::Verification (*verify)(std::string_view);
};

const std::array<Page, 5> kPages = {{
    {"哥德巴赫猜想A", "Text1", 6, "Command1", "Label2(1)", conjecture::threeOddPrimes},
    {"哥德巴赫猜想B", "Text2", 6, "Command2", "Label2(3)", conjecture::twoPrimes},
    {"回文数猜想", "Text3", 9, "Command3", "Text7", conjecture::reverseAndAdd},
    {"角谷猜想", "Text4", 3, "Command4", "Text8", conjecture::collatz},
    {"尼科切斯定理", "Text5", 3, "Command5", "Text6", conjecture::nicomachus},
}};

constexpr int kFirstPage = 2;

// Each description is indented by four spaces.
const char* const kDescriptions[5] = {
    "    1742年德国数学家哥德巴赫给数学家欧拉的一封信中提出了：“每个不小于9的奇数都可以表示为三个奇素数之和”的猜想。"
    "让我们来验证这一猜想吧！\n",
    "    这是在信中提出的另一个猜想：“每个不小于6的偶数都可以分解为两个素数之和”的猜想。让我们来验证这一猜想吧！\n",
    "    "
    "回文数猜想指出：任何一个自然数与它的倒序数相加，所得的和再与和的倒序数相加，反复进行下去，最后必定能得到一个回文数"
    "(详细请查看“趣味数学>知识宝箱>奇妙数字>回文数”)。让我们来验证这一猜想吧！",
    "    角谷猜想指出：一个正整数，若该数字为偶数，则除以2；若该数为奇数，则乘3并加1；将得到的数再重复按该规则运算，"
    "最后得数必定会等于1。让我们来验证这一猜想吧！",
    "    尼科切斯定理指出：任意一个自然数n的立方等于n个连续奇数相加。让我们来验证这一猜想吧！",
};
const char* const kDescriptionLabels[5] = {"Label2(0)", "Label2(2)", "Label2(4)", "Label2(5)", "Label2(6)"};

// Layout in twips; page controls relative to the tab control's top-left.
constexpr Twips kTabControl{120, 120, 8160, 5460};
constexpr Twips kDescription{240, 480, 7680, 1320};
constexpr int kLeft = 240, kWide = 7680, kBoxWidth = 2400, kBoxHeight = 375, kButtonWidth = 1200, kButtonHeight = 435;

WindowDecl declaration() {
    WindowDecl d;
    d.form = "Form43";
    d.client = {0, 0, 8400, 5700};
    std::vector<std::string> captions;
    captions.reserve(kPages.size());
    for (const Page& p : kPages) captions.emplace_back(p.caption);
    d.controls.push_back(tabs("SSTab1", captions, kFirstPage)
                             .place(kTabControl.left, kTabControl.top, kTabControl.width, kTabControl.height));
    auto placed = [](const ControlDecl& c, int page, Twips at) {
        return c.onPage(page).place(at.left, at.top, at.width, at.height);
    };
    for (int p = 0; p < 5; ++p) {
        const Page& page = kPages[static_cast<std::size_t>(p)];
        d.controls.push_back(placed(label(kDescriptionLabels[p], kDescriptions[p]), p, kDescription));
        // The Goldbach pages answer in a label between the description and the box.
        const bool labelled = p < 2;
        const int row = labelled ? 2460 : 1920;
        if (p == 0)
            d.controls.push_back(
                placed(label("Label2(1)", "请输入一个大于或等于9的奇数"), p, {kLeft, 1920, kWide, 420}));
        if (p == 1)
            d.controls.push_back(
                placed(label("Label2(3)", "请输入一个大于或等于6的偶数\n"), p, {kLeft, 1920, kWide, 420}));
        d.controls.push_back(placed(input(page.box, page.maxLength, FilterMode::None, page.caption), p,
                                    {kLeft, row, kBoxWidth, kBoxHeight}));
        d.controls.push_back(
            placed(button(page.button, "验证"), p, {kLeft + kBoxWidth + 120, row - 30, kButtonWidth, kButtonHeight}));
        if (!labelled)
            d.controls.push_back(placed(multiLineOutput(page.result, page.caption), p, {kLeft, 2460, kWide, 2760}));
    }
    return d;
}

class ConjectureWindow : public WindowModel {
public:
    ConjectureWindow() : WindowModel(declaration()) {}

protected:
    void onLoad() override {
        setSelected("SSTab1", kFirstPage);
        pageChanged();
    }

    void onSelect(std::string_view name) override {
        if (name == "SSTab1") pageChanged();
    }

    void onPress(std::string_view name) override {
        for (const Page& page : kPages) {
            if (name != page.button) continue;
            const conjecture::Verification v = page.verify(text(page.box));
            if (v.inputText) setText(page.box, *v.inputText);
            if (v.result) setText(page.result, *v.result);
            for (const std::string& m : v.messages) message(errorMessage(m));
            if (v.closeWindow) close();
            return;
        }
    }

private:
    // Enter presses the page's button and typing goes into its box.
    void pageChanged() {
        const int p = state("SSTab1").selected;
        if (p < 0 || p >= static_cast<int>(kPages.size())) return;
        setDefaultButton(kPages[static_cast<std::size_t>(p)].button);
        requestFocus(kPages[static_cast<std::size_t>(p)].box);
    }
};

}  // namespace

std::unique_ptr<WindowModel> makeConjectureWindow() { return std::make_unique<ConjectureWindow>(); }

}  // namespace kz
