#include "app/MainPanel.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

#include "app/application.h"
#include "framework/catalogue.h"
#include "framework/UiSeam.h"

namespace kz::ui {

MainPanel::MainPanel() {
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
        const QString form = qs(e.form);
        a->setEnabled(registry.has(form));
        connect(a, &QAction::triggered, this, [form] { WindowRegistry::instance().open(form); });
    }
}

void MainPanel::Form_Load() {
    // Shown again after a close: nothing else to restore yet.
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
}

}  // namespace kz::ui
