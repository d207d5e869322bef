#include "app/MainPanel.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

#include "app/MagneticDock.h"
#include "app/application.h"
#include "framework/Pictures.h"
#include "framework/ToolWindow.h"
#include "framework/UiSeam.h"
#include "framework/catalogue.h"
#include "framework/windowmodel.h"

namespace kz::ui {

namespace {

// Where the search window's client area opens when the panel stands where it
// was designed to, centred on a 1024 x 768 screen (twips / 15).
constexpr QPoint kSearchDesignOrigin(10170 / 15, 4140 / 15);
constexpr QSize kDesignScreen(1024, 768);

}  // namespace

MainPanel::MainPanel() : dock_(new MagneticDock(this)) {
    setObjectName("Form2");
    setWindowTitle("KelbrinZorvan2010");
    auto* background = new QLabel(this);
    background->setObjectName("Picture");
    background->setFixedSize(321, 242);
    background->setPixmap(picture(":/resources/images/panel.png"));
    background->setScaledContents(true);
    setCentralWidget(background);
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainPanel::buildMenus() {
    // Menus nest by depth: the last menu opened at each depth takes the rows below it.
    QMenu* parents[3] = {nullptr, nullptr, nullptr};
    auto& registry = WindowRegistry::instance();
    for (const CatalogueEntry& e : catalogue()) {
        const QString name = qs(e.itemName);
        if (e.kind == EntryKind::Menu) {
            QMenu* m = e.depth == 0 ? menuBar()->addMenu(qs(e.caption)) : parents[e.depth - 1]->addMenu(qs(e.caption));
            m->setObjectName(name);
            m->menuAction()->setObjectName(name);
            parents[e.depth] = m;
            continue;
        }
        QMenu* parent = parents[e.depth - 1];
        if (e.kind == EntryKind::Separator) {
            parent->addSeparator()->setObjectName(name);
            continue;
        }
        QAction* a = parent->addAction(qs(e.caption));
        a->setObjectName(name);
        if (!e.shortcut.empty()) a->setShortcut(QKeySequence(qs(e.shortcut)));
        if (e.itemName == "HelpHome") {
            connect(a, &QAction::triggered, this, [] { seam().openUrl(QUrl(qs(kHomePage))); });
            continue;
        }
        if (e.itemName == "HelpSearch") {
            // Not the registry's single instance: every use makes one more.
            connect(a, &QAction::triggered, this, [this] { reload(); });
            continue;
        }
        const QString form = qs(e.form);
        a->setEnabled(registry.has(form));
        connect(a, &QAction::triggered, this, [form] { WindowRegistry::instance().open(form); });
    }
}

void MainPanel::reload() {
    // A hidden panel loads when it shows (the registry shows it next).
    if (isVisible()) load();
    else loadPending_ = true;
}

void MainPanel::load() {
    loadPending_ = false;
    dock_->addWindow(this);  // a second registration changes nothing
    openSearchWindow();
}

void MainPanel::openSearchWindow() {
    auto model = openWindowModel("Form38");
    if (!model) return;
    auto* search = new ToolWindow(std::move(model), this, Qt::Tool);
    searches_.push_back(search);
    // The design put the search window beside a panel centred on its screen;
    // keep that place relative to wherever the panel is now.
    const QRect panel = frameGeometry();
    const QPoint designPanel((kDesignScreen.width() - panel.width()) / 2,
                             (kDesignScreen.height() - panel.height()) / 2);
    search->move(kSearchDesignOrigin + (panel.topLeft() - designPanel));
    search->show();
    dock_->addWindow(search, this);
    // Frames differ between desktops: let the docking close the gap they leave.
    dock_->settle(search);
    dock_->settleLater(search);
}

std::vector<ToolWindow*> MainPanel::searchWindows() const {
    std::vector<ToolWindow*> out;
    for (const auto& s : searches_)
        if (s) out.push_back(s);
    return out;
}

void MainPanel::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!centred_) {
        centred_ = true;
        if (QScreen* s = screen()) {
            QRect r = frameGeometry();
            r.moveCenter(s->availableGeometry().center());
            move(r.topLeft());
        }
    }
    if (loadPending_) load();
}

void MainPanel::closeEvent(QCloseEvent* e) {
    QMainWindow::closeEvent(e);
    if (!e->isAccepted()) return;
    // The search windows close with the panel that owns them; the next
    // showing makes a new one.
    for (const auto& s : searches_)
        if (s) {
            s->hide();
            s->deleteLater();
        }
    searches_.clear();
}

}  // namespace kz::ui
