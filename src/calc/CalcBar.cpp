#include "calc/CalcBar.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "calc/StepsPane.h"
#include "framework/Fonts.h"
#include "framework/UiSeam.h"

namespace kz::ui {

namespace {

// The bar draws its own light colours, so it sets the text colours with them:
// a dark desktop theme would otherwise write light text on the light boxes.
const QColor kOrange(255, 153, 51);
const QColor kBoxGrey(241, 241, 237);
const QColor kInk(0, 0, 0);

QFrame* row(QWidget* parent, const char* name, const QRect& geometry) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setGeometry(geometry);
    f->setFrameShape(QFrame::Box);
    f->setStyleSheet(QString("QFrame#%1 { background: rgb(241,241,237); border: 1px solid rgb(196,96,16); }"
                             "QLineEdit { background: rgb(241,241,237); color: black; border: none; "
                             "selection-background-color: rgb(51,153,255); selection-color: white; }"
                             "QLabel { color: black; }")
                         .arg(name));
    return f;
}

QLineEdit* box(QWidget* parent, const char* name, const QString& accessibleName, const QRect& geometry) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAccessibleName(accessibleName);
    e->setGeometry(geometry);
    e->setFrame(false);
    e->setFont(songFont(12, true));
    QPalette p = e->palette();
    p.setColor(QPalette::Base, kBoxGrey);
    p.setColor(QPalette::Text, kInk);
    e->setPalette(p);
    return e;
}

}  // namespace

CalcBar::CalcBar(Evaluator& evaluator, Credits credits) : evaluator_(evaluator), credits_(std::move(credits)) {
    setObjectName("Form01");
    setWindowTitle("Form01");
    // Topmost and without a taskbar button.
    setWindowFlags(Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint | Qt::Tool);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kOrange);
    p.setColor(QPalette::WindowText, kInk);
    p.setColor(QPalette::Button, QColor(255, 218, 170));
    p.setColor(QPalette::ButtonText, kInk);
    setPalette(p);

    QFrame* picEntry = row(this, "picEntry", {4, 4, 196, 26});
    txtEntry_ = box(picEntry, "txtEntry", "表达式", {3, 2, 190, 22});
    txtEntry_->setToolTip("请在此输入需要计算的表达式");

    QFrame* picture1 = row(this, "Picture1", {4, 32, 196, 26});
    auto* label1 = new QLabel("=", picture1);
    label1->setObjectName("Label1");
    label1->setFont(songFont(12, true));
    label1->setAlignment(Qt::AlignCenter);
    label1->setGeometry(3, 2, 16, 22);
    txtAnswer_ = box(picture1, "txtAnswer", "结果", {20, 2, 173, 22});
    txtAnswer_->setReadOnly(true);

    cmdCalculate_ = new QPushButton("计算", this);
    cmdCalculate_->setObjectName("cmdCalculate");
    cmdCalculate_->setGeometry(204, 4, 58, 54);
    cmdCalculate_->setFont(songFont(14.25, true));
    cmdCalculate_->setDefault(true);
    cmdCalculate_->setStyleSheet(
        "QPushButton { background: rgb(255,218,170); color: black; border: 1px solid rgb(196,96,16); border-radius: "
        "3px; }"
        "QPushButton:pressed { background: rgb(255,196,120); }"
        "QPushButton:disabled { color: rgb(150,130,110); }");

    // Kept out of sight: the lower-cased entry of the last calculation.
    Label2_ = new QLabel(this);
    Label2_->setObjectName("Label2");
    Label2_->setGeometry(0, kHeight + 10, 100, 20);
    // Hidden, not just out of sight, so screen readers do not read it out.
    Label2_->hide();

    connect(txtEntry_, &QLineEdit::textChanged, this, &CalcBar::followEntry);
    connect(txtEntry_, &QLineEdit::returnPressed, this, [this] {
        if (cmdCalculate_->isEnabled()) Calculate();
    });
    connect(cmdCalculate_, &QPushButton::clicked, this, &CalcBar::Calculate);
    setUpSteps();
    startFresh();
}

void CalcBar::startFresh() {
    // A bar created again after a close starts without the old variables.
    evaluator_.clearVariables();
    txtEntry_->setFocus();
}

// Calculate only on an entry, and a lone operator continues from ans.
void CalcBar::followEntry(const QString& text) {
    const EntryChange change = entryChanged(str(text));
    cmdCalculate_->setEnabled(change.calculateEnabled);
    if (change.replacement) {
        txtEntry_->setText(qs(*change.replacement));  // changes again; the rule leaves "ans+" as it is
        txtEntry_->setCursorPosition(static_cast<int>(txtEntry_->text().size()));
    }
}

void CalcBar::Calculate() {
    const Calculated out = calculate(evaluator_, str(txtEntry_->text()), str(txtAnswer_->text()), credits_);
    Label2_->setText(qs(out.lowered));
    txtAnswer_->setText(qs(out.answer));
    txtAnswer_->setCursorPosition(0);
    stepsPane_->setWorking(out.working);
    if (stepsOpen()) fitSteps();
}

void CalcBar::setUpSteps() {
    stepsPane_ = new StepsPane(this, kWidth - 8);
    stepsPane_->move(4, kHeight - 2);
    connect(stepsPane_, &StepsPane::barHidden, this, &CalcBar::closeSteps);
    // The "=" opens the working of the answer beside it, and so does Down in the entry.
    label1_ = findChild<QLabel*>("Label1");
    label1_->setCursor(Qt::PointingHandCursor);
    label1_->setToolTip("递等式");
    label1_->installEventFilter(this);
    txtEntry_->installEventFilter(this);
}

bool CalcBar::stepsOpen() const { return stepsPane_ && !stepsPane_->isHidden(); }

void CalcBar::openSteps() {
    stepsPane_->show();
    fitSteps();
}

void CalcBar::closeSteps() {
    if (!stepsOpen()) return;
    stepsPane_->hide();
    setFixedSize(kWidth, kHeight);
}

void CalcBar::fitSteps() {
    const int h = stepsPane_->preferredHeight();
    stepsPane_->setFixedHeight(h);
    setFixedSize(kWidth, kHeight - 2 + h + 4);
}

bool CalcBar::eventFilter(QObject* watched, QEvent* e) {
    if (watched == label1_ && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (stepsOpen()) closeSteps();
        else openSteps();
        return true;
    }
    if (watched == txtEntry_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Down && !stepsOpen()) {
            openSteps();
            return true;
        }
        if (key == Qt::Key_Up && stepsOpen()) {
            closeSteps();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

bool CalcBar::event(QEvent* e) {
    // Another window became active: step aside, texts and all. Only once the
    // bar has been active since it showed: a window manager that hands the
    // focus about while windows appear is not the user going elsewhere.
    if (e->type() == QEvent::Show) activeSinceShown_ = false;
    if (e->type() == QEvent::WindowActivate) activeSinceShown_ = true;
    if (e->type() == QEvent::WindowDeactivate && activeSinceShown_) hide();
    return QWidget::event(e);
}

}  // namespace kz::ui
