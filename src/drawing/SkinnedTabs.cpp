#include "drawing/SkinnedTabs.h"

#include <QPainter>
#include <QTabWidget>

#include "drawing/CSSTab.h"
#include "drawing/MDC.h"

namespace kz::ui {

namespace {

// The skin bitmap: three 7 x 20 tiles (plain, hot, selected); magenta is transparent.
const QImage& xpBitmap() {
    static const QImage xp = QImage(":/resources/images/xp.png").convertToFormat(QImage::Format_ARGB32);
    return xp;
}

const QColor kMagenta(255, 0, 255);
const QColor kPageBorder(145, 155, 156);
const QColor kPageFill(252, 252, 254);
constexpr drawing::Margins kTabMargins{3, 3, 3, 0};
constexpr int kTile = 7;

class XpSkin : public QObject {
public:
    explicit XpSkin(CSSTab* strip) : QObject(strip), strip_(strip) {
        connect(strip, &CSSTab::DrawBackGround, this, &XpSkin::background);
        connect(strip, &CSSTab::DrawTab, this, &XpSkin::tab);
    }

private:
    void background(QPainter* p, int width, int height) {
        QColor back = strip_->hwnd()->palette().color(QPalette::Window);
        back.setAlpha(255);
        p->fillRect(0, 0, width, height, back);
        const int top = strip_->tabHeight() - 1;
        drawBorderBox(*p, QRect(0, top, width, height - top), kPageBorder, kPageFill);
    }

    void tab(QPainter* p, int index, int state, int left, int top, int width, int height) {
        QTabWidget* tabs = strip_->hwnd();
        if (index == tabs->currentIndex()) {
            drawNineGrid(*p, QRect(left, top, width, height), xpBitmap(), QRect(2 * kTile, 0, kTile, 20), kTabMargins,
                         kMagenta);
            if (strip_->Focus()) drawFocusFrame(*p, QRect(left + 3, top + 3, width - 6, height - 4));
        } else {
            drawNineGrid(*p, QRect(left + 1, top, width - 2, height), xpBitmap(), QRect(state * kTile, 0, kTile, 20),
                         kTabMargins, kMagenta);
        }
        drawCentredText(*p, tabs->tabText(index), QRect(left, top, width, height));
    }

    CSSTab* strip_;
};

}  // namespace

void skinTabs(QTabWidget* tabs) {
    if (!tabs || tabs->findChild<CSSTab*>(QString(), Qt::FindDirectChildrenOnly)) return;
    auto* strip = new CSSTab(tabs);
    new XpSkin(strip);
    strip->Attach(tabs);
}

}  // namespace kz::ui
