#include "framework/ControlAdapters.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <algorithm>

#include "framework/Fonts.h"
#include "framework/Pictures.h"
#include "framework/UiSeam.h"

namespace kz::ui {

namespace {

constexpr QChar kBreak(0x200B);  // zero-width space: a break opportunity, nothing drawn

QString withoutBreaks(QString s) { return s.remove(kBreak); }

}  // namespace

QString withBreaksBetweenNumbers(const QString& text) {
    // The line breaker sees "121>3" or "2*3*7" as one word and, once it is too
    // wide, breaks it anywhere, also inside a number.
    static const QString kBetween = QStringLiteral("*>+＝×，");
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        out += text[i];
        if (kBetween.contains(text[i]) && i + 1 < text.size() && text[i + 1] != '\n') out += kBreak;
    }
    return out;
}

void ControlAdapter::adopt(QWidget* w) {
    if (decl_.points > 0) {
        QFont f = w->font();
        f.setPointSizeF(decl_.points);
        w->setFont(f);
    }
    w->setObjectName(qs(decl_.name));
    widget_ = w;
}

namespace {

// Every box: the 12-point face, and its name for screen readers.
void boxLook(QWidget* e, const ControlDecl& d) {
    e->setFont(boxFont());
    if (!d.accessibleName.empty()) e->setAccessibleName(qs(d.accessibleName));
}

void readOnly(QLineEdit* e) {
    e->setReadOnly(true);
    e->setContextMenuPolicy(Qt::PreventContextMenu);
}

// Option buttons and check boxes keep their caption as close to the mark as
// the design does: its widths leave a few pixels between them, and with the
// style's usual gap "平行四边形" loses its last character.
class ChoiceStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
        if (m == PM_RadioButtonLabelSpacing || m == PM_CheckBoxLabelSpacing) return 3;
        return QProxyStyle::pixelMetric(m, o, w);
    }
};

QStyle* choiceStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new ChoiceStyle;
        style->setParent(qApp);
    }
    return style;
}

// A multi-line box copies the text it was given, without the break marks.
class LinesEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    QMimeData* createMimeDataFromSelection() const override {
        auto* data = new QMimeData;
        data->setText(withoutBreaks(textCursor().selection().toPlainText()));
        return data;
    }
};

QPlainTextEdit* linesBox(QWidget* parent, const ControlDecl& d) {
    auto* e = new LinesEdit(parent);
    boxLook(e, d);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return e;
}

// Raised when the program, not the user, changes a read-only text, so a
// screen reader reads a result without the focus moving to it.
void announceText(QWidget* w, const QString& before, const QString& after) {
    if (!w->isVisible()) return;  // a window being built says nothing yet
    QAccessibleTextUpdateEvent text(w, 0, before, after);
    seam().announce(&text);
    QAccessibleValueChangeEvent value(w, after);
    seam().announce(&value);
}

class InputBox : public ControlAdapter {
public:
    InputBox(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* e = new QLineEdit(parent);
        boxLook(e, d);
        if (d.at.empty()) {
            // Wide enough for every character the box admits, within reason.
            const int chars = d.maxLength > 0 ? std::min(d.maxLength, 40) : 16;
            e->setMinimumWidth(std::max(200, e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 16));
        }
        // Any change, not only typing: screen readers, dictation and UI
        // automation set the text through the accessibility interface, and
        // the model must cut and filter it all the same.
        QObject::connect(e, &QLineEdit::textChanged, e, [this, e](const QString& t) {
            if (host_.mirroring()) return;
            host_.edited(decl_.name, str(t), codePointsBefore(t, e->cursorPosition()));
        });
        e->installEventFilter(host_.keyWatcher());
        box_ = e;
        adopt(e);
    }
    void mirror(const ControlState& s) override {
        const QString text = qs(s.text);
        if (box_->text() != text) box_->setText(text);
        const int caret = utf16Before(text, s.caret);
        if (box_->cursorPosition() != caret) box_->setCursorPosition(caret);
        // Red while the date filter rejects; otherwise the palette's own colour.
        QPalette p = box_->palette();
        const QColor normal = QApplication::palette(box_).color(QPalette::Text);
        p.setColor(QPalette::Text, s.red ? QColor(255, 0, 0) : normal);
        if (p != box_->palette()) box_->setPalette(p);
    }

private:
    QLineEdit* box_;
};

class MultiLineInput : public ControlAdapter {
public:
    MultiLineInput(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* e = linesBox(parent, d);
        e->setTabChangesFocus(true);
        QObject::connect(e, &QPlainTextEdit::textChanged, e, [this, e] {
            if (host_.mirroring()) return;
            const QString t = e->toPlainText();
            host_.edited(decl_.name, str(t), codePointsBefore(t, e->textCursor().position()));
        });
        e->installEventFilter(host_.keyWatcher());
        box_ = e;
        adopt(e);
    }
    void mirror(const ControlState& s) override {
        const QString text = qs(s.text);
        if (box_->toPlainText() == text) return;
        box_->setPlainText(text);
        QTextCursor c = box_->textCursor();
        c.setPosition(utf16Before(text, s.caret));
        box_->setTextCursor(c);
    }

private:
    QPlainTextEdit* box_;
};

class OutputBox : public ControlAdapter {
public:
    OutputBox(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* e = new QLineEdit(parent);
        boxLook(e, d);
        readOnly(e);
        if (d.at.empty()) e->setMinimumWidth(200);
        box_ = e;
        adopt(e);
    }
    void mirror(const ControlState& s) override {
        const QString text = qs(s.text);
        if (box_->text() == text) return;
        const QString before = box_->text();
        box_->setText(text);
        box_->setCursorPosition(0);
        announceText(box_, before, text);
    }

private:
    QLineEdit* box_;
};

class MultiLineOutput : public ControlAdapter {
public:
    MultiLineOutput(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* e = linesBox(parent, d);
        e->setReadOnly(true);
        e->setContextMenuPolicy(Qt::PreventContextMenu);
        e->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
        box_ = e;
        adopt(e);
    }
    void mirror(const ControlState& s) override {
        const QString text = qs(s.text);
        if (shown_ == text) return;
        const QString before = std::exchange(shown_, text);
        box_->setPlainText(withBreaksBetweenNumbers(text));
        announceText(box_, before, text);
    }

private:
    QPlainTextEdit* box_;
    QString shown_;  // the model's text; the document holds it with break marks
};

class Label : public ControlAdapter {
public:
    Label(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* l = new QLabel(parent);
        l->setFont(songFont(10.5, d.bold));
        using A = ControlDecl::Align;
        const A a = d.align != A::Usual ? d.align : d.at.empty() ? A::Centre : A::Left;
        // Placed labels start at their top, like the design's; row labels sit mid-row.
        l->setAlignment((a == A::Left    ? Qt::AlignLeft
                         : a == A::Right ? Qt::AlignRight
                                         : Qt::AlignHCenter) |
                        (d.at.empty() ? Qt::AlignVCenter : Qt::AlignTop));
        l->setWordWrap(!d.at.empty());
        label_ = l;
        adopt(l);
    }
    void mirror(const ControlState& s) override {
        const QString text = qs(s.text);
        if (label_->text() == text) return;
        label_->setText(text);
        // A box named by this label keeps its name current.
        if (QWidget* box = label_->buddy(); box && box->property("kzNamedByLabel").toBool())
            box->setAccessibleName(text);
        // A label's text is its accessible name; a result written into it is read out.
        if (!label_->isVisible()) return;
        QAccessibleEvent named(label_, QAccessible::NameChanged);
        seam().announce(&named);
    }

private:
    QLabel* label_;
};

// Option buttons and check boxes; a graphical option is a button that stays pressed.
class Choice : public ControlAdapter {
public:
    Choice(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        QAbstractButton* b = nullptr;
        if (d.graphical) {
            auto* p = new QPushButton(parent);
            p->setCheckable(true);
            p->setAutoDefault(false);
            // The chosen one must read as pressed at a glance, in every style.
            p->setStyleSheet(
                QStringLiteral("QPushButton:checked { background-color: palette(dark); color: palette(bright-text);"
                               " border: 2px inset palette(shadow); }"));
            b = p;
        } else {
            if (d.kind == ControlKind::Option) b = new QRadioButton(parent);
            else b = new QCheckBox(parent);
            b->setStyle(choiceStyle());
        }
        b->setFont(labelFont());
        b->setAutoExclusive(false);  // the model decides which option is chosen
        QObject::connect(b, &QAbstractButton::clicked, b, [this] { host_.selected(decl_.name); });
        button_ = b;
        adopt(b);
        face_ = b->font();
    }
    void mirror(const ControlState& s) override {
        const QString text = qs(s.text);
        if (button_->text() != text) {
            button_->setText(text);
            button_->setFont(faceForCaption(face_, text));
        }
        if (button_->isChecked() != s.checked) button_->setChecked(s.checked);
    }

private:
    QAbstractButton* button_;
    QFont face_;  // the declared face, before a caption changes its size
};

class Combo : public ControlAdapter {
public:
    Combo(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* c = new QComboBox(parent);
        boxLook(c, d);
        for (const std::string& e : d.entries) c->addItem(qs(e));
        QObject::connect(c, &QComboBox::activated, c,
                         [this, c](int i) { host_.edited(decl_.name, str(c->itemText(i)), -1); });
        c->installEventFilter(host_.keyWatcher());
        combo_ = c;
        adopt(c);
    }
    void mirror(const ControlState& s) override {
        if (combo_->currentIndex() != s.selected) combo_->setCurrentIndex(s.selected);
    }

private:
    QComboBox* combo_;
};

class List : public ControlAdapter {
public:
    List(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* l = new QListWidget(parent);
        boxLook(l, d);
        QObject::connect(l, &QListWidget::currentRowChanged, l, [this, l](int row) {
            if (row < 0 || host_.mirroring()) return;
            host_.edited(decl_.name, str(l->item(row)->text()), -1);
        });
        l->installEventFilter(host_.keyWatcher());
        list_ = l;
        adopt(l);
    }
    void mirror(const ControlState& s) override {
        bool same = list_->count() == static_cast<int>(s.lines.size());
        for (int i = 0; same && i < list_->count(); ++i)
            same = list_->item(i)->text() == qs(s.lines[static_cast<std::size_t>(i)]);
        if (!same) {
            list_->clear();
            for (const std::string& line : s.lines) list_->addItem(qs(line));
        }
        if (list_->currentRow() != s.selected) {
            list_->setCurrentRow(s.selected);
            if (s.selected < 0) list_->clearSelection();
        }
    }

private:
    QListWidget* list_;
};

class Button : public ControlAdapter {
public:
    Button(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* b = new QPushButton(parent);
        b->setFont(labelFont());
        QObject::connect(b, &QPushButton::clicked, b, [this] { host_.pressed(decl_.name); });
        button_ = b;
        adopt(b);
        face_ = b->font();
    }
    void mirror(const ControlState& s) override {
        const QString text = qs(s.text);
        if (button_->text() == text) return;
        button_->setText(text);
        button_->setFont(faceForCaption(face_, text));
    }
    void markDefault(bool on) override { button_->setDefault(on); }

private:
    QPushButton* button_;
    QFont face_;  // the declared face, before a caption changes its size
};

class Line : public ControlAdapter {
public:
    Line(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* f = new QFrame(parent);
        f->setFrameShape(d.at.height > d.at.width ? QFrame::VLine : QFrame::HLine);
        f->setFrameShadow(QFrame::Plain);
        f->setLineWidth(1);
        adopt(f);
    }
    void mirror(const ControlState&) override {}
};

class Frame : public ControlAdapter {
public:
    Frame(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* g = new QGroupBox(parent);
        g->setFont(labelFont());
        group_ = g;
        adopt(g);
    }
    void mirror(const ControlState& s) override {
        const QString text = qs(s.text);
        if (group_->title() != text) group_->setTitle(text);
    }

private:
    QGroupBox* group_;
};

class Picture : public ControlAdapter {
public:
    Picture(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* l = new QLabel(parent);
        l->setScaledContents(true);
        label_ = l;
        adopt(l);
    }
    void mirror(const ControlState& s) override {
        const QString path = qs(s.text);
        if (shown_ == path) return;
        shown_ = path;
        label_->setPixmap(path.isEmpty() ? QPixmap() : picture(path));
    }

private:
    QLabel* label_;
    QString shown_;  // the path of the picture shown
};

class Tabs : public ControlAdapter {
public:
    Tabs(const ControlDecl& d, QWidget* parent, ControlHost& host) : ControlAdapter(d, host) {
        auto* t = new QTabWidget(parent);
        t->setFont(labelFont());
        for (const std::string& caption : d.entries) {
            auto* page = new QWidget;
            page->installEventFilter(host_.keyWatcher());  // its controls follow it when the style moves it
            pages_.push_back(page);
            t->addTab(page, qs(caption));
        }
        QObject::connect(t, &QTabWidget::currentChanged, t, [this, t](int i) {
            if (host_.mirroring() || i < 0) return;
            host_.edited(decl_.name, str(t->tabText(i)), -1);
        });
        tabs_ = t;
        adopt(t);
    }
    void mirror(const ControlState& s) override {
        if (s.selected >= 0 && tabs_->currentIndex() != s.selected) tabs_->setCurrentIndex(s.selected);
    }
    std::vector<QWidget*> pages() const override { return pages_; }

private:
    QTabWidget* tabs_;
    std::vector<QWidget*> pages_;
};

}  // namespace

std::unique_ptr<ControlAdapter> makeControlAdapter(const ControlDecl& d, QWidget* parent, ControlHost& host) {
    switch (d.kind) {
        case ControlKind::Input:
            if (d.multiLine) return std::make_unique<MultiLineInput>(d, parent, host);
            return std::make_unique<InputBox>(d, parent, host);
        case ControlKind::Output: return std::make_unique<OutputBox>(d, parent, host);
        case ControlKind::MultiLineOutput: return std::make_unique<MultiLineOutput>(d, parent, host);
        case ControlKind::Label: return std::make_unique<Label>(d, parent, host);
        case ControlKind::Option:
        case ControlKind::Check: return std::make_unique<Choice>(d, parent, host);
        case ControlKind::Combo: return std::make_unique<Combo>(d, parent, host);
        case ControlKind::List: return std::make_unique<List>(d, parent, host);
        case ControlKind::Button: return std::make_unique<Button>(d, parent, host);
        case ControlKind::Line: return std::make_unique<Line>(d, parent, host);
        case ControlKind::Frame: return std::make_unique<Frame>(d, parent, host);
        case ControlKind::Picture: return std::make_unique<Picture>(d, parent, host);
        case ControlKind::Tabs: return std::make_unique<Tabs>(d, parent, host);
    }
    throw ModelError("unknown control kind of " + d.name);
}

}  // namespace kz::ui
