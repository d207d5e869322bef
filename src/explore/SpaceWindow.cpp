#include "explore/SpaceWindow.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>

#include "drawing/SkinnedTabs.h"
#include "framework/Fonts.h"
#include "framework/Pictures.h"
#include "framework/UiSeam.h"

namespace kz::ui {

namespace {

const char* const kFurtherReading = "https://kelbrinzorvan.example.org/reading/space-and-figures/";

const char* const kSquareText =
    "    一个正方形可以被切成几块，然后重新组合成一个大小同样的正方形，但它中间有个洞！下面两张图是其中最简单的一种。"
    "把一张方格纸贴在纸板上。按左图画上正方形，然后沿着图示的直线切成5小块。当你照右图的样子把这些小块拼成正方形的时候"
    "，"
    "中间居然出现了一个洞！你知道这是为什么吗？";
const char* const kTriangleText =
    "    设三角形内侧有阴影，外侧没有。把它按左图的样子剪开、打乱后把阴影部分重新拼合，如右图所示。依然是原来的三角形，"
    "但中间却出现了一个洞。这如何解释呢？";
const char* const kEllipseText =
    "    我们可以通过折纸折出很多形状，用一张圆形的纸片也能折出一个椭圆。方法如下：\n"
    "①在纸上画一个圆，把它剪下来；\n"
    "②在圆内任取一点A（不要取在圆心上），做个记号；\n"
    "③把圆片折起来，使圆周上的某一点恰好落在点A上，压平后展开，留下一条折痕；\n"
    "④换圆周上的另一点落在点A上，再折出一条折痕，这样折上几十次；\n"
    "⑤展开纸片，所有折痕围出的轮廓就是一个椭圆，圆心和点A正是它的两个焦点。";
const char* const kRightAngleText =
    "    用3根小棒最多能组成多少直角呢？大多数人的第一个方案就是下图，共组成8个直角。你认为能组成更多的直角吗？";
const char* const kReadingText =
    "    "
    "扩展阅读可以让你获得更多有关空间与图形的知识，还可以看到许多千奇百怪的奇妙图片。点击下面按钮即可在网页上浏览。";

QColor stickColour() { return QColor(150, 90, 40); }

// Three sticks in the plane: one across two parallel ones, eight right angles.
class PlaneSticks : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(stickColour(), 5, Qt::SolidLine, Qt::RoundCap));
        const int w = width(), h = height();
        p.drawLine(QPointF(w * 0.12, h * 0.35), QPointF(w * 0.88, h * 0.35));  // Line1
        p.drawLine(QPointF(w * 0.12, h * 0.65), QPointF(w * 0.88, h * 0.65));  // Line2
        p.drawLine(QPointF(w * 0.5, h * 0.1), QPointF(w * 0.5, h * 0.9));      // Line3
        p.setPen(QPen(QColor(200, 60, 60), 1.5));
        for (double y : {0.35, 0.65}) rightAngles(p, QPointF(w * 0.5, h * y));
    }

    // The four right angles at a crossing.
    static void rightAngles(QPainter& p, QPointF c) {
        const double s = 8;
        for (int dx : {-1, 1})
            for (int dy : {-1, 1}) {
                QPainterPath path(QPointF(c.x() + dx * s, c.y()));
                path.lineTo(c.x() + dx * s, c.y() + dy * s);
                path.lineTo(c.x(), c.y() + dy * s);
                p.drawPath(path);
            }
    }
};

// Three sticks at right angles to each other in space: east-west, north-south
// (drawn slanting, into the page) and up-down, twelve right angles.
class SpaceSticks : public QWidget {
public:
    using QWidget::QWidget;

    static QPointF end(QSize size, int i) {
        const double w = size.width(), h = size.height();
        const QPointF ends[6] = {{w * 0.92, h * 0.5},  {w * 0.08, h * 0.5},   // east, west
                                 {w * 0.26, h * 0.78}, {w * 0.74, h * 0.22},  // south, north
                                 {w * 0.5, h * 0.06},  {w * 0.5, h * 0.94}};  // up, down
        return ends[i];
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(stickColour(), 5, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 6; i += 2) p.drawLine(end(size(), i), end(size(), i + 1));  // Line4 to Line6
    }
};

// Holds a page's controls in the tab control's own coordinates, whatever
// room the tab row takes above the page.
class PageCanvas : public QWidget {
public:
    PageCanvas(QWidget* page, QTabWidget* tabs) : QWidget(page), tabs_(tabs) {
        page->installEventFilter(this);
        place();
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Resize || e->type() == QEvent::Move || e->type() == QEvent::Show) place();
        return false;
    }

private:
    void place() { setGeometry(QRect(-parentWidget()->mapTo(tabs_, QPoint(0, 0)), tabs_->size())); }
    QTabWidget* tabs_;
};

QLabel* textLabel(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    // Song faces draw tall: a little more leading keeps the lines of a paragraph apart.
    l->setTextFormat(Qt::RichText);
    l->setText(QString("<div style=\"line-height:125%; white-space:pre-wrap\">%1</div>").arg(text.toHtmlEscaped()));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFont(labelFont());
    return l;
}

// A plain panel holding one text, as each page has.
QLabel* panelText(const char* panel, const char* name, const QString& text, QWidget* page, const QRect& at) {
    auto* frame = new QFrame(page);
    frame->setObjectName(panel);
    frame->setGeometry(at);
    auto* l = textLabel(name, text, frame);
    l->setGeometry(QRect(QPoint(0, 0), at.size()));
    return l;
}

QLabel* picture(const char* name, const char* resource, QWidget* page, QPoint at) {
    auto* l = new QLabel(page);
    l->setObjectName(name);
    // Its "name@2x.png" twin on a screen of scale 2.
    const QPixmap pix = ui::picture(QString(":/resources/images/%1.png").arg(resource));
    l->setPixmap(pix);
    l->setGeometry(QRect(at, pix.deviceIndependentSize().toSize()));
    return l;
}

QPushButton* button(const char* name, const QString& caption, QWidget* page, const QRect& at) {
    auto* b = new QPushButton(caption, page);
    b->setObjectName(name);
    b->setFont(labelFont());
    b->setAutoDefault(false);
    b->setGeometry(at);
    return b;
}

}  // namespace

SpaceWindow::SpaceWindow() {
    setObjectName("Form44");
    setWindowTitle("空间与图形 - KelbrinZorvan");
    setFixedSize(560, 400);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("SSTab1");
    tabs_->setGeometry(8, 8, 544, 384);
    tabs_->setFont(labelFont());
    const char* captions[] = {"消失的图形A", "消失的图形B", "折出一个椭圆", "最多几个直角", "扩展阅读"};
    QWidget* pages[5];
    for (int i = 0; i < 5; ++i) {
        auto* page = new QWidget;
        tabs_->addTab(page, captions[i]);
        pages[i] = new PageCanvas(page, tabs_);
    }
    skinTabs(tabs_);
    // Page controls stand in the tab control's coordinates, below its 25-pixel row.

    panelText("Picture4(3)", "Label2(2)", kSquareText, pages[0], QRect(14, 34, 516, 96));
    picture("Picture1", "vanish_square_left", pages[0], QPoint(72, 140));
    picture("Picture2", "vanish_square_right", pages[0], QPoint(304, 140));

    panelText("Picture4(2)", "Label2(1)", kTriangleText, pages[1], QRect(14, 34, 516, 64));
    picture("Picture3", "vanish_triangle_left", pages[1], QPoint(60, 150));
    picture("Picture4(0)", "vanish_triangle_right", pages[1], QPoint(290, 150));

    panelText("Picture4(1)", "Label2(0)", kEllipseText, pages[2], QRect(14, 34, 516, 300));

    panelText("Picture4(4)", "Label2(3)", kRightAngleText, pages[3], QRect(14, 34, 516, 48));
    auto* sticks = new PlaneSticks(pages[3]);
    sticks->setObjectName("Picture5");
    sticks->setGeometry(40, 100, 200, 200);
    auto* answer = button("Command1", "查看答案", pages[3], QRect(90, 310, 100, 30));
    auto* frame = new QFrame(pages[3]);
    frame->setObjectName("Frame1");
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(280, 92, 240, 262);
    auto* space = new SpaceSticks(frame);
    space->setGeometry(20, 10, 200, 200);
    const char* directions[] = {"东", "西", "南", "北", "上", "下"};
    const QPoint offsets[] = {{4, -20}, {-18, -20}, {-20, 0}, {6, -14}, {8, -2}, {8, -16}};
    for (int i = 0; i < 6; ++i) {
        auto* l = textLabel(qPrintable(QString("Label1(%1)").arg(i)), directions[i], frame);
        l->setWordWrap(false);
        const QPointF e = SpaceSticks::end(space->size(), i) + QPointF(space->pos()) + QPointF(offsets[i]);
        l->setGeometry(QRect(e.toPoint(), QSize(18, 18)));
    }
    auto* caption = textLabel("Label1(6)", "立体图形:共12个直角", frame);
    caption->setAlignment(Qt::AlignCenter);
    caption->setGeometry(0, 222, 240, 28);
    frame->hide();
    // The answer shows only while the button is held down.
    connect(answer, &QPushButton::pressed, frame, &QWidget::show);
    connect(answer, &QPushButton::released, frame, &QWidget::hide);

    panelText("Picture4(5)", "Label2(4)", kReadingText, pages[4], QRect(14, 34, 516, 64));
    auto* reading = button("Command5", "点此进行扩展阅读", pages[4], QRect(14, 110, 180, 32));
    connect(reading, &QPushButton::clicked, this, [] { seam().openUrl(QUrl(kFurtherReading)); });

    tabs_->setCurrentIndex(0);
}

}  // namespace kz::ui
