#pragma once

#include <QWidget>

#include "calc/calcbar_rules.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kz::ui {

class StepsPane;

// Form01: the strip beside the floating ball where a pupil types an
// expression. It floats above other windows, has no taskbar button and hides
// as soon as another window becomes active, keeping its texts. The evaluator
// outlives the bar, so ans survives a close while the variables do not.
class CalcBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 266;
    static constexpr int kHeight = 62;

    CalcBar(Evaluator& evaluator, Credits credits);

    QLineEdit* entry() const { return txtEntry_; }
    QLineEdit* answer() const { return txtAnswer_; }
    QPushButton* calculateButton() const { return cmdCalculate_; }
    StepsPane* stepsPane() const { return stepsPane_; }
    bool stepsOpen() const;

public slots:
    void Calculate();
    // The working's pane under the bar: it grows the bar downwards.
    void openSteps();
    void closeSteps();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void startFresh();
    void followEntry(const QString& text);
    void setUpSteps();
    void fitSteps();

    Evaluator& evaluator_;
    Credits credits_;
    QLineEdit* txtEntry_;
    QLineEdit* txtAnswer_;
    QPushButton* cmdCalculate_;
    QLabel* Label2_;
    QLabel* label1_ = nullptr;
    StepsPane* stepsPane_ = nullptr;
    bool activeSinceShown_ = false;
};

}  // namespace kz::ui
