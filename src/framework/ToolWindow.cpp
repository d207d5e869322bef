#include "framework/ToolWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "framework/UiSeam.h"
#include "framework/WorkingPane.h"
#include "framework/catalogue.h"

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

void ToolWindow::build() {
    const WindowDecl& d = model_->decl();
    // The tab strip first, so controls on its pages have a parent.
    std::unordered_map<std::string, std::unique_ptr<ControlAdapter>> made;
    for (const ControlDecl& c : d.controls)
        if (c.kind == ControlKind::Tabs && !tabs_) {
            auto a = makeControlAdapter(c, this, *this);
            tabs_ = qobject_cast<QTabWidget*>(a->widget());
            pages_ = a->pages();
            made[c.name] = std::move(a);
        }
    for (const ControlDecl& c : d.controls) {
        std::unique_ptr<ControlAdapter> a = made.count(c.name) ? std::move(made[c.name]) : nullptr;
        if (!a) {
            QWidget* parent = this;
            if (c.page >= 0 && c.page < static_cast<int>(pages_.size()))
                parent = pages_[static_cast<std::size_t>(c.page)];
            a = makeControlAdapter(c, parent, *this);
        }
        widgets_[c.name] = a->widget();
        ordered_.push_back({&c, a->widget()});
        adapters_.push_back(std::move(a));
    }
    // A label directly before a box names it for screen readers and gives it an access key.
    for (std::size_t i = 0; i + 1 < ordered_.size(); ++i) {
        auto [ld, lw] = ordered_[i];
        auto [bd, bw] = ordered_[i + 1];
        if (ld->kind != ControlKind::Label || (bd->kind != ControlKind::Input && bd->kind != ControlKind::Combo))
            continue;
        if (auto* label = qobject_cast<QLabel*>(lw)) label->setBuddy(bw);
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

void ToolWindow::syncControl(ControlAdapter& c) {
    const ControlDecl& d = c.decl();
    QWidget* w = c.widget();
    const ControlState& s = model_->state(d.name);
    c.mirror(s);
    if (w->isEnabled() != s.enabled) w->setEnabled(s.enabled);
    if (w->isHidden() == s.visible) w->setHidden(!s.visible);
    if (!model_->decl().client.empty() && !s.at.empty()) {
        const QRect r = pixels(s.at).translated(pageOffset(d));
        if (w->geometry() != r) w->setGeometry(r);
    }
}

void ToolWindow::edited(const std::string& name, const std::string& text, int caret) {
    act([&] { model_->edit(name, text, caret); });
}

void ToolWindow::selected(const std::string& name) {
    act([&] { model_->select(name); });
}

void ToolWindow::pressed(const std::string& name) {
    act([&] { model_->press(name); });
}

void ToolWindow::sync() {
    syncing_ = true;
    for (auto& c : adapters_) syncControl(*c);
    const std::string def = model_->defaultButton();
    for (auto& c : adapters_) c->markDefault(c->decl().name == def);
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

void ToolWindow::reload() {
    act([&] { model_->load(); });
    focused_ = false;
}

}  // namespace kz::ui
