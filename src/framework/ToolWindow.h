// The common behaviour of every tool window, once: Calculate as the default
// button (Enter in any box), the Up/Down chain in screen order, the filter on
// every input box, read-only outputs without a context menu, the copy rule,
// Copy enabling, and applying a computation's outcome (texts, then messages).
// A tool window declares its controls and binds its computation; nothing more.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <initializer_list>
#include <vector>

#include "framework/UiSeam.h"
#include "framework/clsTextBox.h"
#include "framework/outcome.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

class QVBoxLayout;

namespace kz::ui {

// Names and captions of the three buttons; most windows use the defaults.
struct ButtonRoles {
    const char* calculate = "Command1";
    const char* calculateCaption = "计算";
    const char* clear = "Command2";
    const char* clearCaption = "清空";
    const char* copy = "Command3";  // nullptr: the window has no Copy
    const char* copyCaption = "复制";
};

class ToolWindow : public QDialog {
    Q_OBJECT
public:
    using Compute = std::function<Outcome(const Texts&)>;
    using CopyText = std::function<std::string(const Texts&)>;

    // `form` is the window's name; its title comes from the tool catalogue.
    explicit ToolWindow(const char* form);

    // The texts of every declared control (option buttons and check boxes: "1" or "0").
    Texts texts() const;
    void apply(const Outcome& outcome);

    QPushButton* calculateButton() const { return calculate_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* copyButton() const { return copy_; }

    // Input controls from top to bottom, then left to right, as on screen.
    std::vector<QWidget*> inputChain() const;

public slots:
    void Calculate();
    void Clear();
    void Copy();

protected:
    // Declarations, in the order the rows appear.
    QLineEdit* addInput(const char* name, const QString& accessibleName, int maxLength, FilterMode filter);
    QLineEdit* addOutput(const char* name, const QString& accessibleName);
    QPlainTextEdit* addMultiLineOutput(const char* name, const QString& accessibleName);
    QLabel* addLabel(const char* name, const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    void addRow(std::initializer_list<QWidget*> widgets);
    void addButtonRow(const ButtonRoles& roles = {});

    // Behaviour.
    void onCalculate(Compute compute) { compute_ = std::move(compute); }
    void onClear(Texts resetTexts) { clearTexts_ = std::move(resetTexts); }
    void setCopy(const char* primaryOutput, CopyText copyText = {});
    void setManagesCopy(bool manages) { managesCopy_ = manages; }

    QVBoxLayout* rows() const { return rows_; }
    void registerControl(QWidget* w);

    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* e) override;

private:
    template <typename Box>
    Box* addBox(const char* name, const QString& accessibleName);
    void setControlText(QWidget* w, const std::string& text);

    QVBoxLayout* rows_;
    std::vector<QWidget*> controls_;
    clsTextBox filter_;
    Compute compute_;
    Texts clearTexts_;
    std::string primaryOutput_;
    CopyText copyText_;
    bool managesCopy_ = false;
    bool focused_ = false;
    QPushButton* calculate_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* copy_ = nullptr;
};

}  // namespace kz::ui
