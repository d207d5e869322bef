// Takes over a tab widget's tab row: the whole control is shown from an
// off-screen composition, the tabs are a row of equal cells at the top, the
// mouse makes a tab hot and a left click selects one, and the owner paints
// the background and each tab in answer to DrawBackGround and DrawTab.
// The widget's layout is left alone: its pages stay where they were.
#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QPointer>

#include "drawing/tabstrip.h"

class QPainter;
class QTabWidget;

namespace kz::ui {

class CSSTab : public QObject {
    Q_OBJECT
    // The cell size under the properties' own names; the accessors follow Qt's style.
    Q_PROPERTY(int TabWidth READ tabWidth WRITE setTabWidth)
    Q_PROPERTY(int TabHeight READ tabHeight WRITE setTabHeight)
public:
    explicit CSSTab(QObject* parent = nullptr);
    ~CSSTab() override;

    // False when `tabs` is null or a control is already attached.
    bool Attach(QTabWidget* tabs);
    // False when nothing is attached.
    bool Detach();

    // The attached control, nullptr while detached.
    QTabWidget* hwnd() const { return tabs_; }

    int tabWidth() const { return row_.tabWidth; }
    int tabHeight() const { return row_.tabHeight; }
    // Below 3 is stored as 3; a new value redraws the row of an attached control.
    void setTabWidth(int pixels);
    void setTabHeight(int pixels);

    // The attached control has the keyboard focus.
    bool Focus() const;

    int hotTab() const { return hot_.hot(); }
    // What the control shows.
    const QImage& composition() const { return composition_; }

signals:
    // The surfaces were made anew: paint the background of a width x height control.
    void DrawBackGround(QPainter* target, int width, int height);
    // Paint tab `index` (state 1: under the mouse) into the given cell.
    void DrawTab(QPainter* target, int index, int state, int left, int top, int width, int height);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    void redraw(bool present);
    void hover(const QPoint& at);
    drawing::TabRow row() const;

    QPointer<QTabWidget> tabs_;
    QPointer<QWidget> bar_;
    drawing::TabRow row_;
    drawing::HotTab hot_;
    QImage background_;
    QImage composition_;
    QFont font_;
    QMetaObject::Connection changed_;
    QPointer<QObject> moveWatch_;
    // What attaching changed on the control, to give it back as it was.
    bool scrollButtons_ = true;
    bool mouseTracking_ = false;
};

}  // namespace kz::ui
