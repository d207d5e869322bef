#pragma once

#include <QScrollArea>
#include <QStringList>

#include "framework/working.h"

namespace kz::ui {

// The drop-down pane under the calculation bar: the working (递等式) of the
// latest answer, written as in an exercise book, each "＝" under the one
// above it, on faintly ruled lines, simple powers raised. Long workings
// scroll inside it.
class StepsPane : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kMaxShownRows = 8;

    StepsPane(QWidget* bar, int width);

    void setWorking(const Working& working);
    // The plain lines shown, one a row.
    QStringList lines() const { return lines_; }
    // The height that shows every row, up to kMaxShownRows of them.
    int preferredHeight() const;

signals:
    // The bar that holds the pane was hidden.
    void barHidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Sheet;
    Sheet* sheet_;
    QStringList lines_;
};

}  // namespace kz::ui
