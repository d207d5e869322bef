#include "framework/ToolWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/catalogue.h"
#include "framework/Fonts.h"
#include "framework/LineEditBox.h"

namespace kz::ui {

namespace {

// Output boxes show no context menu at all (the parent gets no request either).
void suppressContextMenu(QWidget* w) { w->setContextMenuPolicy(Qt::PreventContextMenu); }

QString controlText(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    if (auto* p = qobject_cast<const QPlainTextEdit*>(w)) return p->toPlainText();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->isCheckable() ? (b->isChecked() ? "1" : "0") : b->text();
    return {};
}

}  // namespace

ToolWindow::ToolWindow(const char* form) : QDialog(nullptr) {
    setObjectName(form);
    if (const CatalogueEntry* e = findByForm(form)) setWindowTitle(qs(e->title));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    rows_ = new QVBoxLayout(this);
    rows_->setSizeConstraint(QLayout::SetFixedSize);
    rows_->setSpacing(8);
    rows_->setContentsMargins(12, 12, 12, 12);
}

void ToolWindow::registerControl(QWidget* w) { controls_.push_back(w); }

template <typename Box>
Box* ToolWindow::addBox(const char* name, const QString& accessibleName) {
    auto* e = new Box(this);
    e->setObjectName(name);
    e->setAccessibleName(accessibleName);
    e->setFont(boxFont());
    registerControl(e);
    return e;
}

QLineEdit* ToolWindow::addInput(const char* name, const QString& accessibleName, int maxLength, FilterMode filter) {
    auto* e = addBox<QLineEdit>(name, accessibleName);
    if (maxLength > 0) e->setMaxLength(maxLength);
    e->setMinimumWidth(200);
    if (filter != FilterMode::None) new LineEditBox(e, filter_, filter);
    e->installEventFilter(this);
    return e;
}

QLineEdit* ToolWindow::addOutput(const char* name, const QString& accessibleName) {
    auto* e = addBox<QLineEdit>(name, accessibleName);
    e->setReadOnly(true);
    suppressContextMenu(e);
    return e;
}

QPlainTextEdit* ToolWindow::addMultiLineOutput(const char* name, const QString& accessibleName) {
    auto* e = addBox<QPlainTextEdit>(name, accessibleName);
    e->setReadOnly(true);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    suppressContextMenu(e);
    suppressContextMenu(e->viewport());
    return e;
}

QLabel* ToolWindow::addLabel(const char* name, const QString& text, Qt::Alignment align) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setAlignment(align);
    l->setFont(labelFont());
    registerControl(l);
    return l;
}

void ToolWindow::addRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* w : widgets) row->addWidget(w);
    rows_->addLayout(row);
}

void ToolWindow::addButtonRow(const ButtonRoles& roles) {
    auto* row = new QHBoxLayout;
    auto make = [&](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(name);
        b->setFont(labelFont());
        row->addWidget(b);
        return b;
    };
    calculate_ = make(roles.calculate, roles.calculateCaption);
    clear_ = make(roles.clear, roles.clearCaption);
    if (roles.copy) copy_ = make(roles.copy, roles.copyCaption);
    calculate_->setDefault(true);
    connect(calculate_, &QPushButton::clicked, this, &ToolWindow::Calculate);
    connect(clear_, &QPushButton::clicked, this, &ToolWindow::Clear);
    if (copy_) connect(copy_, &QPushButton::clicked, this, &ToolWindow::Copy);
    rows_->addLayout(row);
}

void ToolWindow::setCopy(const char* primaryOutput, CopyText copyText) {
    primaryOutput_ = primaryOutput;
    copyText_ = std::move(copyText);
}

Texts ToolWindow::texts() const {
    Texts t;
    for (const QWidget* w : controls_) t[str(w->objectName())] = str(controlText(w));
    return t;
}

void ToolWindow::setControlText(QWidget* w, const std::string& text) {
    const QString q = qs(text);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(q);
    else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(q);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) p->setPlainText(q);
    else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (b->isCheckable()) b->setChecked(text == "1");
        else b->setText(q);
    }
}

void ToolWindow::apply(const Outcome& outcome) {
    for (const auto& change : outcome.set) {
        const QString name = qs(change.first);
        auto it = std::find_if(controls_.begin(), controls_.end(), [&](QWidget* w) { return w->objectName() == name; });
        if (it != controls_.end()) setControlText(*it, change.second);
    }
    if (managesCopy_ && copy_) copy_->setEnabled(!outcome.failed);
    for (const Message& m : outcome.messages) seam().showMessage(this, m);
}

void ToolWindow::Calculate() {
    if (managesCopy_ && copy_) copy_->setEnabled(true);
    if (compute_) apply(compute_(texts()));
}

void ToolWindow::Clear() {
    for (const auto& [name, text] : clearTexts_) {
        for (QWidget* w : controls_)
            if (w->objectName() == qs(name)) setControlText(w, text);
    }
    if (managesCopy_ && copy_) copy_->setEnabled(true);
}

void ToolWindow::Copy() {
    const Texts t = texts();
    auto it = t.find(primaryOutput_);
    if (it == t.end() || it->second.empty()) {
        seam().showMessage(this, {std::string(kCopyFirstText), std::string(kErrorTitle), MessageIcon::Error});
        return;
    }
    seam().setClipboardText(qs(copyText_ ? copyText_(t) : it->second));
}

std::vector<QWidget*> ToolWindow::inputChain() const {
    std::vector<QWidget*> chain;
    for (QWidget* w : findChildren<QWidget*>())
        if ((qobject_cast<QLineEdit*>(w) && !static_cast<QLineEdit*>(w)->isReadOnly()) || qobject_cast<QComboBox*>(w))
            if (w->isVisibleTo(this) && w->isEnabled()) chain.push_back(w);
    std::stable_sort(chain.begin(), chain.end(), [this](QWidget* a, QWidget* b) {
        QPoint pa = a->mapTo(this, QPoint(0, 0)), pb = b->mapTo(this, QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return chain;
}

bool ToolWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && key->modifiers() == Qt::NoModifier) {
            auto chain = inputChain();
            auto it = std::find(chain.begin(), chain.end(), watched);
            if (it != chain.end()) {
                if (key->key() == Qt::Key_Down && it + 1 != chain.end()) (*(it + 1))->setFocus(Qt::TabFocusReason);
                if (key->key() == Qt::Key_Up && it != chain.begin()) (*(it - 1))->setFocus(Qt::BacktabFocusReason);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ToolWindow::keyPressEvent(QKeyEvent* e) {
    // A tool window is not a dialog to dismiss: Escape does not close it.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void ToolWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!focused_) {
        focused_ = true;
        auto chain = inputChain();
        if (!chain.empty()) chain.front()->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace kz::ui
