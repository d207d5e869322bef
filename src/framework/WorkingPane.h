// The working pane of a tool window that shows its working: it places the
// window's toggle where it covers none of the window's own controls, opens
// below them when the toggle is pressed (the window grows downward and
// returns to its own size when it closes), shows the last Calculate's working
// on ruled paper, and copies or prints it.
#pragma once

#include <QWidget>
#include <vector>

#include "framework/WorkingPanePaper.h"
#include "framework/working.h"

class QPrinter;
class QPushButton;
class QScrollArea;

namespace kz {
class WindowModel;
}

namespace kz::ui {

class ToolWindow;

inline constexpr std::string_view kCopyWorkingCaption = "复制过程";
inline constexpr std::string_view kPrintWorkingCaption = "打印";

class WorkingPane : public QWidget {
    Q_OBJECT
public:
    // Called once the window has laid out its own controls.
    explicit WorkingPane(ToolWindow& window);

    // Mirrors the model after each of the window's syncs: the toggle, the
    // pane's being open, a new working.
    void follow();

    // The tool's title, the inputs of the calculation and the working as the
    // pane draws it, over as many pages as it takes. False if the printer
    // cannot be started (an unwritable file, say).
    bool printWorking(QPrinter& printer) const;

    const std::vector<PaperRow>& rows() const { return rows_; }
    const WorkingPaper& paper() const { return paper_; }
    // The inputs the working was calculated from, "name：value".
    const std::vector<QString>& inputs() const { return inputs_; }
    QScrollArea* scrollArea() const { return scroll_; }

private:
    void placeToggleByTwips();
    void setOpen(bool open);
    void refresh();
    void copyWorking();
    void print();
    std::vector<QString> inputLines() const;

    ToolWindow& window_;
    WindowModel& model_;
    WorkingPaper paper_;
    QPushButton* toggle_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* print_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* view_ = nullptr;
    std::vector<PaperRow> rows_;
    std::vector<QString> inputs_;
    Working shownWorking_;
    unsigned revision_ = ~0u;
    bool waitingForJob_ = false;
    bool open_ = false;
    bool byRows_ = false;
    QSize ownSize_;      // the twip-placed window's size while the pane is closed
    int shiftedUp_ = 0;  // how far opening moved the window to keep it on screen
    QPoint shiftedTo_;
};

}  // namespace kz::ui
