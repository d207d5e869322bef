#include "framework/ToolWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "framework/Fonts.h"
#include "framework/Pictures.h"
#include "framework/UiSeam.h"
#include "framework/WorkingPane.h"
#include "framework/catalogue.h"
#include "framework/utf8.h"

namespace kz::ui {

namespace {

void (*g_tabDecorator)(QTabWidget*) = nullptr;

constexpr int kTwipsPerPixel = 15;

QRect pixels(const Twips& t) {
    return {t.left / kTwipsPerPixel, t.top / kTwipsPerPixel, t.width / kTwipsPerPixel, t.height / kTwipsPerPixel};
}

// The key names of the model: letters upper case, keypad operators apart.
std::string keyName(const QKeyEvent* e) {
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (k == Qt::Key_Return || k == Qt::Key_Enter) return "Enter";
    if (k == Qt::Key_Escape) return "Esc";
    if (keypad) {
        switch (k) {
            case Qt::Key_Plus: return "KP+";
            case Qt::Key_Minus: return "KP-";
            case Qt::Key_Asterisk: return "KP*";
            case Qt::Key_Slash: return "KP/";
            default: break;
        }
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return std::string(1, static_cast<char>('A' + (k - Qt::Key_A)));
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return std::string(1, static_cast<char>('0' + (k - Qt::Key_0)));
    const QString t = e->text();
    if (t.size() == 1 && QString("+-*/.=").contains(t[0])) return t.toStdString();
    return {};
}

int codePointsBefore(const QString& text, int utf16Pos) {
    return static_cast<int>(text.left(utf16Pos).toStdU32String().size());
}

int utf16Before(const QString& text, int codePoints) {
    const std::u32string u = text.toStdU32String();
    codePoints = std::clamp(codePoints, 0, static_cast<int>(u.size()));
    return static_cast<int>(QString::fromStdU32String(u.substr(0, static_cast<std::size_t>(codePoints))).size());
}

}  // namespace

void ToolWindow::setTabDecorator(void (*decorate)(QTabWidget*)) { g_tabDecorator = decorate; }

ToolWindow::ToolWindow(std::unique_ptr<WindowModel> model, QWidget* parent, Qt::WindowFlags extraFlags)
    : QDialog(parent), model_(std::move(model)) {
    const WindowDecl& d = model_->decl();
    setObjectName(qs(d.form));
    std::string title = d.title;
    if (title.empty())
        if (const CatalogueEntry* e = findByForm(d.form)) title = std::string(e->title);
    setWindowTitle(qs(title));
    setWindowFlags((extraFlags ? extraFlags : Qt::Window) | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    build();
    sync();
}

ToolWindow::~ToolWindow() {
    // The worker must not outlive the window; the job sees the stop request.
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

QWidget* ToolWindow::control(std::string_view name) const {
    auto it = widgets_.find(std::string(name));
    return it == widgets_.end() ? nullptr : it->second;
}

template <typename F>
void ToolWindow::act(F&& f) {
    if (syncing_) return;
    try {
        f();
    } catch (const ModelError& e) {
        // A window that names a control it does not declare is a programming
        // error: stop loudly rather than skip it.
        qFatal("%s: %s", qPrintable(objectName()), e.what());
    }
    sync();
}

QWidget* ToolWindow::makeWidget(const ControlDecl& d, QWidget* parent) {
    const std::string name = d.name;
    // Every box: the 12-point face, and its name for screen readers.
    auto box = [&](QWidget* e) {
        e->setFont(boxFont());
        if (!d.accessibleName.empty()) e->setAccessibleName(qs(d.accessibleName));
    };
    auto lines = [&] {
        auto* e = new QPlainTextEdit(parent);
        box(e);
        e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return e;
    };
    auto readOnly = [](auto* e) {
        e->setReadOnly(true);
        e->setContextMenuPolicy(Qt::PreventContextMenu);
    };
    QWidget* w = nullptr;
    switch (d.kind) {
        case ControlKind::Input: {
            if (d.multiLine) {
                auto* e = lines();
                e->setTabChangesFocus(true);
                connect(e, &QPlainTextEdit::textChanged, this, [this, e, name] {
                    if (syncing_) return;
                    const QString t = e->toPlainText();
                    act([&] { model_->edit(name, str(t), codePointsBefore(t, e->textCursor().position())); });
                });
                e->installEventFilter(this);
                w = e;
                break;
            }
            auto* e = new QLineEdit(parent);
            box(e);
            if (d.at.empty()) {
                // Wide enough for every character the box admits, within reason.
                const int chars = d.maxLength > 0 ? std::min(d.maxLength, 40) : 16;
                e->setMinimumWidth(std::max(200, e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 16));
            }
            connect(e, &QLineEdit::textEdited, this, [this, e, name](const QString& t) {
                act([&] { model_->edit(name, str(t), codePointsBefore(t, e->cursorPosition())); });
            });
            e->installEventFilter(this);
            w = e;
            break;
        }
        case ControlKind::Output: {
            auto* e = new QLineEdit(parent);
            box(e);
            readOnly(e);
            if (d.at.empty()) e->setMinimumWidth(200);
            w = e;
            break;
        }
        case ControlKind::MultiLineOutput: {
            auto* e = lines();
            readOnly(e);
            e->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
            w = e;
            break;
        }
        case ControlKind::Label: {
            auto* l = new QLabel(parent);
            l->setFont(songFont(10.5, d.bold));
            using A = ControlDecl::Align;
            const A a = d.align != A::Usual ? d.align : d.at.empty() ? A::Centre : A::Left;
            // Placed labels start at their top, like the design's; row labels sit mid-row.
            l->setAlignment((a == A::Left ? Qt::AlignLeft : a == A::Right ? Qt::AlignRight : Qt::AlignHCenter) |
                            (d.at.empty() ? Qt::AlignVCenter : Qt::AlignTop));
            l->setWordWrap(!d.at.empty());
            w = l;
            break;
        }
        case ControlKind::Option:
        case ControlKind::Check: {
            QAbstractButton* b = nullptr;
            if (d.graphical) {
                b = new QPushButton(parent);  // stays pressed while chosen
                b->setCheckable(true);
                static_cast<QPushButton*>(b)->setAutoDefault(false);
            } else if (d.kind == ControlKind::Option) {
                b = new QRadioButton(parent);
            } else {
                b = new QCheckBox(parent);
            }
            b->setFont(labelFont());
            b->setAutoExclusive(false);  // the model decides which option is chosen
            connect(b, &QAbstractButton::clicked, this, [this, name] { act([&] { model_->select(name); }); });
            w = b;
            break;
        }
        case ControlKind::Combo: {
            auto* c = new QComboBox(parent);
            box(c);
            for (const std::string& e : d.entries) c->addItem(qs(e));
            connect(c, &QComboBox::activated, this, [this, c, name](int i) {
                act([&] { model_->edit(name, str(c->itemText(i))); });
            });
            c->installEventFilter(this);
            w = c;
            break;
        }
        case ControlKind::List: {
            auto* l = new QListWidget(parent);
            box(l);
            connect(l, &QListWidget::currentRowChanged, this, [this, l, name](int row) {
                if (row < 0 || syncing_) return;
                act([&] { model_->edit(name, str(l->item(row)->text())); });
            });
            l->installEventFilter(this);
            w = l;
            break;
        }
        case ControlKind::Button: {
            auto* b = new QPushButton(parent);
            b->setFont(labelFont());
            connect(b, &QPushButton::clicked, this, [this, name] { act([&] { model_->press(name); }); });
            w = b;
            break;
        }
        case ControlKind::Line: {
            auto* f = new QFrame(parent);
            f->setFrameShape(d.at.height > d.at.width ? QFrame::VLine : QFrame::HLine);
            f->setFrameShadow(QFrame::Plain);
            f->setLineWidth(1);
            w = f;
            break;
        }
        case ControlKind::Frame: {
            auto* g = new QGroupBox(parent);
            g->setFont(labelFont());
            w = g;
            break;
        }
        case ControlKind::Picture: {
            auto* l = new QLabel(parent);
            l->setScaledContents(true);
            w = l;
            break;
        }
        case ControlKind::Tabs: {
            auto* t = new QTabWidget(parent);
            t->setFont(labelFont());
            for (const std::string& caption : d.entries) {
                auto* page = new QWidget;
                page->installEventFilter(this);  // its controls follow it when the style moves it
                pages_.push_back(page);
                t->addTab(page, qs(caption));
            }
            connect(t, &QTabWidget::currentChanged, this, [this, t, name](int i) {
                if (syncing_ || i < 0) return;
                act([&] { model_->edit(name, str(t->tabText(i))); });
            });
            tabs_ = t;
            w = t;
            break;
        }
    }
    if (d.points > 0) {
        QFont f = w->font();
        f.setPointSizeF(d.points);
        w->setFont(f);
    }
    w->setObjectName(qs(name));
    return w;
}

void ToolWindow::build() {
    const WindowDecl& d = model_->decl();
    // The tab strip first, so controls on its pages have a parent.
    for (const ControlDecl& c : d.controls)
        if (c.kind == ControlKind::Tabs && !tabs_) widgets_[c.name] = makeWidget(c, this);
    for (const ControlDecl& c : d.controls) {
        QWidget* w = widgets_.count(c.name) ? widgets_[c.name] : nullptr;
        if (!w) {
            QWidget* parent = this;
            if (c.page >= 0 && c.page < static_cast<int>(pages_.size())) parent = pages_[static_cast<std::size_t>(c.page)];
            w = makeWidget(c, parent);
            widgets_[c.name] = w;
        }
        ordered_.push_back({&c, w});
    }
    // A label directly before a box names it for screen readers and gives it an access key.
    for (std::size_t i = 0; i + 1 < ordered_.size(); ++i) {
        auto [ld, lw] = ordered_[i];
        auto [bd, bw] = ordered_[i + 1];
        if (ld->kind != ControlKind::Label || (bd->kind != ControlKind::Input && bd->kind != ControlKind::Combo)) continue;
        static_cast<QLabel*>(lw)->setBuddy(bw);
        if (bd->accessibleName.empty()) {
            bw->setAccessibleName(qs(model_->state(ld->name).text));
            bw->setProperty("kzNamedByLabel", true);
        }
    }
    if (d.client.empty()) layOutRows();
    else placeAbsolute();
    if (tabs_ && g_tabDecorator) g_tabDecorator(tabs_);
    if (d.showsWorking) pane_ = new WorkingPane(*this);  // places the toggle beside the laid-out controls
}

void ToolWindow::layOutRows() {
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);
    top->setSpacing(8);
    top->setContentsMargins(12, 12, 12, 12);
    std::map<QWidget*, QVBoxLayout*> columns;  // one column of rows per container
    columns[this] = top;
    for (QWidget* page : pages_) {
        auto* v = new QVBoxLayout(page);
        v->setSpacing(8);
        columns[page] = v;
    }
    std::map<std::pair<QWidget*, int>, QHBoxLayout*> rows;
    for (auto [c, w] : ordered_) {
        if (c->addition) continue;  // the working pane places its toggle
        if (w == tabs_ && c->kind == ControlKind::Tabs && w->parentWidget() == this) {
            top->addWidget(w);
            continue;
        }
        QWidget* container = w->parentWidget();
        QVBoxLayout* column = columns.count(container) ? columns[container] : top;
        if (c->row < 0) {
            column->addWidget(w);
            continue;
        }
        auto key = std::make_pair(container, c->row);
        if (!rows.count(key)) {
            rows[key] = new QHBoxLayout;
            column->addLayout(rows[key]);
        }
        rows[key]->addWidget(w);
    }
    for (QWidget* page : pages_) columns[page]->addStretch();
}

QPoint ToolWindow::pageOffset(const ControlDecl& d) const {
    if (d.page < 0 || d.page >= static_cast<int>(pages_.size())) return {};
    // Page controls are placed relative to the tab control; the page widget
    // starts where the style puts it, below the tab row.
    return -pages_[static_cast<std::size_t>(d.page)]->mapTo(tabs_, QPoint(0, 0));
}

void ToolWindow::placeAbsolute() {
    const QRect client = pixels(model_->decl().client);
    setFixedSize(client.width(), client.height());
    for (auto [c, w] : ordered_) {
        if (c->at.empty()) continue;
        w->setGeometry(pixels(c->at).translated(pageOffset(*c)));
    }
}

void ToolWindow::syncControl(const ControlDecl& d, QWidget* w) {
    const ControlState& s = model_->state(d.name);
    const QString text = qs(s.text);
    switch (d.kind) {
        case ControlKind::Input: {
            if (d.multiLine) {
                auto* e = static_cast<QPlainTextEdit*>(w);
                if (e->toPlainText() != text) {
                    e->setPlainText(text);
                    QTextCursor c = e->textCursor();
                    c.setPosition(utf16Before(text, s.caret));
                    e->setTextCursor(c);
                }
                break;
            }
            auto* e = static_cast<QLineEdit*>(w);
            if (e->text() != text) e->setText(text);
            const int caret = utf16Before(text, s.caret);
            if (e->cursorPosition() != caret) e->setCursorPosition(caret);
            // Red while the date filter rejects; otherwise the palette's own colour.
            QPalette p = e->palette();
            const QColor normal = QApplication::palette(e).color(QPalette::Text);
            p.setColor(QPalette::Text, s.red ? QColor(255, 0, 0) : normal);
            if (p != e->palette()) e->setPalette(p);
            break;
        }
        case ControlKind::Output: {
            auto* e = static_cast<QLineEdit*>(w);
            if (e->text() != text) {
                e->setText(text);
                e->setCursorPosition(0);
            }
            break;
        }
        case ControlKind::MultiLineOutput: {
            auto* e = static_cast<QPlainTextEdit*>(w);
            if (e->toPlainText() != text) e->setPlainText(text);
            break;
        }
        case ControlKind::Label: {
            auto* l = static_cast<QLabel*>(w);
            if (l->text() != text) {
                l->setText(text);
                // A box named by this label keeps its name current.
                if (QWidget* box = l->buddy(); box && box->property("kzNamedByLabel").toBool()) box->setAccessibleName(text);
            }
            break;
        }
        case ControlKind::Option:
        case ControlKind::Check: {
            auto* b = static_cast<QAbstractButton*>(w);
            if (b->text() != text) b->setText(text);
            if (b->isChecked() != s.checked) b->setChecked(s.checked);
            break;
        }
        case ControlKind::Combo: {
            auto* c = static_cast<QComboBox*>(w);
            if (c->currentIndex() != s.selected) c->setCurrentIndex(s.selected);
            break;
        }
        case ControlKind::List: {
            auto* l = static_cast<QListWidget*>(w);
            bool same = l->count() == static_cast<int>(s.lines.size());
            for (int i = 0; same && i < l->count(); ++i) same = l->item(i)->text() == qs(s.lines[static_cast<std::size_t>(i)]);
            if (!same) {
                l->clear();
                for (const std::string& line : s.lines) l->addItem(qs(line));
            }
            if (l->currentRow() != s.selected) {
                l->setCurrentRow(s.selected);
                if (s.selected < 0) l->clearSelection();
            }
            break;
        }
        case ControlKind::Button:
            if (static_cast<QPushButton*>(w)->text() != text) static_cast<QPushButton*>(w)->setText(text);
            break;
        case ControlKind::Frame:
            if (static_cast<QGroupBox*>(w)->title() != text) static_cast<QGroupBox*>(w)->setTitle(text);
            break;
        case ControlKind::Picture:
            if (w->property("kzPicture").toString() != text) {
                w->setProperty("kzPicture", text);
                static_cast<QLabel*>(w)->setPixmap(text.isEmpty() ? QPixmap() : picture(text));
            }
            break;
        case ControlKind::Line: break;
        case ControlKind::Tabs: {
            auto* t = static_cast<QTabWidget*>(w);
            if (s.selected >= 0 && t->currentIndex() != s.selected) t->setCurrentIndex(s.selected);
            break;
        }
    }
    if (w->isEnabled() != s.enabled) w->setEnabled(s.enabled);
    if (w->isHidden() == s.visible) w->setHidden(!s.visible);
    if (!model_->decl().client.empty() && !s.at.empty()) {
        const QRect r = pixels(s.at).translated(pageOffset(d));
        if (w->geometry() != r) w->setGeometry(r);
    }
}

void ToolWindow::sync() {
    syncing_ = true;
    for (auto [d, w] : ordered_) syncControl(*d, w);
    const std::string def = model_->defaultButton();
    for (auto [d, w] : ordered_)
        if (d->kind == ControlKind::Button) static_cast<QPushButton*>(w)->setDefault(d->name == def);
    if (pane_) pane_->follow();
    syncing_ = false;

    bool closing = false;
    for (const WindowEvent& e : model_->takeEvents()) {
        switch (e.kind) {
            case WindowEvent::Kind::Message: seam().showMessage(this, e.message); break;
            case WindowEvent::Kind::Clipboard: seam().setClipboardText(qs(e.text)); break;
            case WindowEvent::Kind::Beep: seam().beep(); break;
            case WindowEvent::Kind::Open: WindowRegistry::instance().open(qs(e.text)); break;
            case WindowEvent::Kind::Closed: closing = true; break;
        }
    }
    if (std::string f = model_->takeFocusRequest(); !f.empty()) pendingFocus_ = std::move(f);
    if (!pendingFocus_.empty() && isVisible()) {
        if (QWidget* w = control(pendingFocus_)) w->setFocus(Qt::OtherFocusReason);
        pendingFocus_.clear();
    }
    runPendingJob();
    if (closing) close();
}

void ToolWindow::runPendingJob() {
    auto job = model_->takeJob();
    if (!job) return;
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
    workerDone_ = false;
    QPointer<ToolWindow> self(this);
    worker_ = std::jthread([self, work = std::move(*job)](std::stop_token stop) {
        Outcome outcome = work(stop);
        if (stop.stop_requested()) return;
        QMetaObject::invokeMethod(
            qApp,
            [self, outcome] {
                if (!self) return;
                self->workerDone_ = true;
                self->act([&] { self->model_->finishJob(outcome); });
            },
            Qt::QueuedConnection);
    });
}

std::vector<QWidget*> ToolWindow::inputChain() const {
    std::vector<QWidget*> chain;
    for (auto [d, w] : ordered_)
        if (d->kind == ControlKind::Input || d->kind == ControlKind::Combo)
            if (w->isVisibleTo(this) && w->isEnabled()) chain.push_back(w);
    // Declarations list the boxes in the order the arrows walk them, which is
    // not always the order of their positions (a fraction's numerator, then
    // its denominator).
    return chain;
}

bool ToolWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && !model_->decl().client.empty() &&
        std::find(pages_.begin(), pages_.end(), w) != pages_.end()) {
        for (auto [d, c] : ordered_)
            if (c->parentWidget() == w && !model_->state(d->name).at.empty())
                c->setGeometry(pixels(model_->state(d->name).at).translated(pageOffset(*d)));
    }
    if (event->type() == QEvent::FocusIn && w && w->window() == this) {
        const std::string name = str(w->objectName());
        if (model_->has(name)) act([&] { model_->focus(name); });
    }
    if (event->type() == QEvent::KeyPress && w) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && plain) {
            auto chain = inputChain();
            auto it = std::find(chain.begin(), chain.end(), w);
            if (it != chain.end()) {
                if (key->key() == Qt::Key_Down && it + 1 != chain.end()) (*(it + 1))->setFocus(Qt::TabFocusReason);
                if (key->key() == Qt::Key_Up && it != chain.begin()) (*(it - 1))->setFocus(Qt::BacktabFocusReason);
                return true;
            }
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            act([&] { model_->key("Enter"); });
            return true;
        }
        // Windows that see keys first pick an option; the key then reaches the
        // box. A shortcut (Ctrl+C, Ctrl+Z) is not a letter key.
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (model_->decl().keyPreview && !shortcut) {
            const std::string k = keyName(key);
            if (!k.empty()) act([&] { model_->key(k); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ToolWindow::keyPressEvent(QKeyEvent* e) {
    // A tool window is not a dialog to dismiss: Escape does not close it.
    if (e->key() == Qt::Key_Escape) {
        act([&] { model_->key("Esc"); });
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled()) {
            b->click();  // Enter on a focused button presses that button
        } else {
            act([&] { model_->key("Enter"); });
        }
        e->accept();
        return;
    }
    const bool shortcut = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const std::string k = shortcut ? std::string() : keyName(e);
    bool used = false;
    if (!k.empty()) act([&] { used = model_->key(k); });
    if (used) e->accept();
    else QDialog::keyPressEvent(e);
}

void ToolWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!focused_) {
        focused_ = true;
        auto chain = inputChain();
        if (!chain.empty()) chain.front()->setFocus(Qt::OtherFocusReason);
        sync();  // a focus request of the load step wins over the first box
    }
}

void ToolWindow::closeEvent(QCloseEvent* e) {
    if (worker_.joinable()) worker_.request_stop();
    QDialog::closeEvent(e);
}

void ToolWindow::Form_Load() {
    act([&] { model_->load(); });
    focused_ = false;
}

}  // namespace kz::ui
