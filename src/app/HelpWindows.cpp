#include "app/HelpWindows.h"

#include <QAccessibleWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/application.h"
#include "app/version.h"
#include "framework/Fonts.h"
#include "framework/Pictures.h"
#include "framework/UiSeam.h"
#include "framework/WindowRegistry.h"

namespace kz::ui {

namespace {

class UnseenAccessible : public QAccessibleWidget {
public:
    explicit UnseenAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::RadioButton) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.offscreen = true;
        s.focusable = false;
        s.checkable = false;
        return s;
    }
    QString text(QAccessible::Text) const override { return {}; }
    QStringList actionNames() const override { return {}; }
};

QAccessibleInterface* unseenFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(FocusSink::staticMetaObject.className()) && object && object->isWidgetType())
        return new UnseenAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

QLabel* label(const char* name, const QString& text, QWidget* parent = nullptr) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton* button(const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    // Room for the caption whichever fallback face draws it.
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(text) + 32);
    return b;
}

QTextEdit* richText(const char* resource) {
    auto* t = new QTextEdit;
    t->setObjectName("RichTextBox1");
    t->setReadOnly(true);
    // Song faces draw tall; a little more leading keeps the lines apart.
    t->document()->setDefaultStyleSheet("p { line-height: 125%; }");
    t->document()->setDocumentMargin(8);
    t->setHtml(resourceText(resource));
    return t;
}

}  // namespace

FocusSink::FocusSink(QWidget* parent) : QRadioButton(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(unseenFactory);
        return true;
    }();
    (void)installed;
}

HelpWindow::HelpWindow() {
    setObjectName("Form27");
    setWindowTitle("帮助 - KelbrinZorvan");
    auto* frame = new QGroupBox("这里会让您更好地使用Zorvan");
    frame->setObjectName("Frame1");
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    struct Row {
        const char* label;
        const char* question;
        const char* command;
        const char* caption;
    };
    const Row rows[] = {{"Label1", "不会使用某种功能？", "Command1", "点击这里查看功能介绍"},
                        {"Label3", "了解一些使用技巧？", "Command3", "点击这里查看使用技巧"},
                        {"Label2", "使用时遇到了问题？", "Command2", "点击这里用QQ与我们联系"}};
    QPushButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(label(rows[i].label, rows[i].question), i, 0);
        buttons[i] = button(rows[i].command, rows[i].caption);
        grid->addWidget(buttons[i], i, 1);
    }
    connect(buttons[0], &QPushButton::clicked, this, [] { WindowRegistry::instance().open("Form35"); });
    connect(buttons[1], &QPushButton::clicked, this, [] { WindowRegistry::instance().open("Form36"); });
    connect(buttons[2], &QPushButton::clicked, this, [] { seam().openUrl(QUrl(qs(shortText("contact.link")))); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

HelpTextWindow::HelpTextWindow(const char* form, const char* title, const char* resource) {
    setObjectName(form);
    setWindowTitle(title);
    resize(560, 440);
    text_ = richText(resource);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    // Outside the layout and outside the window: it holds the focus unseen.
    option_ = new FocusSink(this);
    option_->setObjectName("Option1");
    option_->setGeometry(-100, -100, 20, 20);
}

void HelpTextWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!loaded_) {
        loaded_ = true;
        option_->setFocus();
    }
}

AboutWindow::AboutWindow() {
    setObjectName("Form4");
    setWindowTitle("关于 KelbrinZorvan");

    auto* image1 = new QLabel;
    image1->setObjectName("Image1");
    image1->setPixmap(picture(":/resources/images/icon.png"));
    image1->setAlignment(Qt::AlignCenter);
    auto* image2 = new QLabel;
    image2->setObjectName("Image2");
    image2->setPixmap(picture(":/resources/images/about.png"));
    image2->setAlignment(Qt::AlignCenter);

    auto* title = label("lblTitle", QStringLiteral("%1 (%2)").arg(qs(kProductName), qs(kVersion)));
    title->setFont(songFont(14, true));
    auto* version = label("lblVersion", QStringLiteral("版本 %1").arg(qs(kVersion)));
    QTextEdit* terms = richText(":/resources/help/about_terms.html");
    terms->setFixedSize(330, 190);

    // The load step fills in the rights notice and the contact details.
    auto* label1 = label("Label1", qs(shortText("about.label1")));
    auto* label2 = label("Label2", qs(shortText("about.label2")));
    auto* label3 = label("Label3", qs(shortText("about.label3")));

    auto* ok = new QPushButton("确定");
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    ok->setMinimumWidth(80);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);

    auto* left = new QVBoxLayout;
    left->addWidget(image1);
    left->addWidget(image2);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(title);
    right->addWidget(version);
    right->addWidget(terms);
    right->addWidget(label1);
    right->addWidget(label2);
    right->addWidget(label3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}

void AboutWindow::reject() { hide(); }  // Escape: the same as OK

SyntaxCard::SyntaxCard() {
    setObjectName("Form15");
    setWindowTitle("悬浮窗计算器计算语法 - KelbrinZorvan");
    auto* outer = new QGroupBox("悬浮窗计算器·计算语法");
    outer->setObjectName("Frame1");
    auto* columns = new QHBoxLayout(outer);
    struct Column {
        const char* title;
        const char* items[6];
    };
    const Column table[] = {
        {"运算符号", {"+(加)", "-(减)", "*(乘)", "/(除)", "^(幂)", "!(阶乘)"}},
        {"关键词",
         {"pi (π:3.14...)", "e  (e:2.718...)", "sr (平方根)", "rnd(随机数)", "abs(绝对值)", "ans(前一次结果)"}},
        {"简单示例", {"((1+8)/3)*2-5", "(5^2)*(7!)", "pi*(51^2)", "25^(1/2)", "sr(9)+rnd(9)", "abs(sr(1))"}},
    };
    int n = 0;
    for (int c = 0; c < 3; ++c) {
        auto* frame = new QGroupBox(table[c].title);
        frame->setObjectName(QString("Frame%1").arg(c + 2));
        auto* rows = new QVBoxLayout(frame);
        for (const char* item : table[c].items) {
            const QByteArray name = QString("Label%1").arg(++n).toLatin1();
            rows->addWidget(label(name.constData(), QString::fromUtf8(item)));
        }
        rows->addStretch();
        columns->addWidget(frame);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(outer);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kz::ui
