#include "reading/ReadingBox.h"

#include <QAccessible>
#include <QFile>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstring>

#include "framework/Fonts.h"
#include "framework/UiSeam.h"
#include "framework/catalogue.h"
#include "framework/windowmodel.h"

namespace kz::ui {

namespace {

struct BoxText {
    const char* form;
    const char* resource;
    const char* banner;
    const char* invitation;
    const char* articleIcon;  // every node's icon; in a box with groups, the articles'
};

const BoxText kBoxes[] = {
    {"Form25", ":/resources/reading/knowledge.txt", "※欢迎使用知识宝箱※",
     "如果您有相关的知识，请发电子邮件提供给我们，电子邮件地址参见主面板“帮助-关于”",
     ":/resources/images/reading_article.png"},
    {"Form26", ":/resources/reading/paradox.txt", "※欢迎使用悖论宝箱※",
     "如果您有相关的悖论，请发电子邮件提供给我们，电子邮件地址参见主面板“帮助-关于”",
     ":/resources/images/reading_paradox.png"},
    {"Form34", ":/resources/reading/puzzle.txt", "※欢迎使用趣题宝箱※",
     "如果您有相关的趣题，请发电子邮件提供给我们，电子邮件地址参见主面板“帮助-关于”",
     ":/resources/images/reading_puzzle.png"},
};
constexpr const char* kGroupIcon = ":/resources/images/reading_group.png";

const BoxText& boxText(const char* form) {
    for (const auto& b : kBoxes)
        if (std::strcmp(b.form, form) == 0) return b;
    throw ModelError(std::string("no reading box ") + form);
}

QLabel* centredLabel(const char* name, const char* text, double points) {
    auto* l = new QLabel(QString::fromUtf8(text));
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(songFont(points));
    return l;
}

// The node's key, as the tree view keeps it beside the text.
constexpr int kKeyRole = Qt::UserRole;

// A click opens the title under the pointer and leaves the list where it is,
// so a second click at the same place hits the same title; the view would
// scroll a half-shown title into view a moment after the click. The keyboard
// still scrolls to the current title.
class TitleTree : public QTreeWidget {
public:
    void scrollTo(const QModelIndex& index, ScrollHint hint) override {
        if (index.isValid() && index == clicked_) return;
        QTreeWidget::scrollTo(index, hint);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        clicked_ = indexAt(e->position().toPoint());
        QTreeWidget::mousePressEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        clicked_ = QPersistentModelIndex();
        QTreeWidget::keyPressEvent(e);
    }

private:
    QPersistentModelIndex clicked_;
};

}  // namespace

ReadingBox::ReadingBox(const char* form) {
    const BoxText& box = boxText(form);
    setObjectName(form);
    if (const CatalogueEntry* e = findByForm(form)) setWindowTitle(qs(std::string(e->title)));

    QFile file(box.resource);
    if (file.open(QIODevice::ReadOnly)) book_ = reading::parseArticles(file.readAll().toStdString());

    auto* label2 = centredLabel("Label2", box.banner, 12);
    auto* label1 = centredLabel("Label1", box.invitation, 10.5);

    tree_ = new TitleTree;
    tree_->setObjectName("TreeView1");
    tree_->setAccessibleName("目录");
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    // One column, so a row is its item; selecting by items keeps an assistive
    // tool's selection of a title on that title (selecting "rows" there takes
    // the title's place among its siblings for a row of the whole tree).
    tree_->setSelectionBehavior(QAbstractItemView::SelectItems);
    tree_->setFont(songFont(9));
    const QIcon groupIcon(kGroupIcon);
    const QIcon articleIcon(box.articleIcon);
    auto node = [&](const std::string& text, const QIcon& icon) {
        auto* item = new QTreeWidgetItem(QStringList{qs(text)});
        item->setData(0, kKeyRole, qs(text));
        item->setIcon(0, icon);
        return item;
    };
    for (const auto& g : book_.groups) {
        QTreeWidgetItem* parent = nullptr;
        if (!g.name.empty()) {
            parent = node(g.name, groupIcon);
            tree_->addTopLevelItem(parent);
        }
        for (const auto& a : g.articles) {
            QTreeWidgetItem* item = node(a.title, articleIcon);
            if (parent) parent->addChild(item);
            else tree_->addTopLevelItem(item);
        }
    }
    tree_->collapseAll();
    connect(tree_, &QTreeWidget::itemClicked, this, &ReadingBox::openArticleOf);
    connect(tree_, &QTreeWidget::itemActivated, this, &ReadingBox::openArticleOf);
    // A title chosen any other way (the keyboard, a screen reader's selection
    // or its action on the title) opens too.
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const auto chosen = tree_->selectedItems();
        if (chosen.size() == 1) openArticleOf(chosen.front());
    });
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* g) { announceRows(g, true); });
    connect(tree_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* g) { announceRows(g, false); });

    view_ = new QTextEdit;
    view_->setObjectName("RichTextBox1");
    view_->setAccessibleName("文章");
    view_->setReadOnly(true);
    view_->setAcceptRichText(false);
    view_->setFont(songFont(9));
    view_->document()->setDefaultFont(songFont(9));
    view_->document()->setDocumentMargin(6);

    // The view is as high as the tree and half as wide again.
    constexpr int kTreeWidth = 232, kHeight = 360;
    tree_->setFixedSize(kTreeWidth, kHeight);
    view_->setFixedSize(kTreeWidth * 3 / 2, kHeight);

    auto* panes = new QHBoxLayout;
    panes->setSpacing(8);
    panes->addWidget(tree_);
    panes->addWidget(view_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 10, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(label2);
    layout->addWidget(label1);
    layout->addSpacing(2);
    layout->addLayout(panes);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ReadingBox::openArticleOf(QTreeWidgetItem* node) {
    if (!node || node->childCount() > 0) return;
    const std::string title = str(node->text(0));
    if (title == shown_) return;  // the click after the selection that opened it
    if (const reading::Article* a = book_.find(title)) {
        shown_ = title;
        showArticle(*a);
    }
}

void ReadingBox::announceRows(QTreeWidgetItem* group, bool) {
    // The rows under a group appear and vanish with it; clients that keep a
    // copy of the tree learn of them only through this event.
    if (group->childCount() == 0) return;
    QAccessibleTableModelChangeEvent rows(tree_, QAccessibleTableModelChangeEvent::ModelReset);
    seam().announce(&rows);
}

void ReadingBox::showArticle(const reading::Article& a) {
    QStringList lines{qs(a.title)};
    for (const auto& p : a.paragraphs) lines << qs(p);
    view_->clear();
    view_->setPlainText(lines.join('\n'));

    QTextCursor c(view_->document());
    // Song faces draw tall; a little more leading keeps the lines and the
    // raised exponents apart.
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    left.setLineHeight(130, QTextBlockFormat::ProportionalHeight);
    c.select(QTextCursor::Document);
    c.setBlockFormat(left);

    c.setPosition(0);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextBlockFormat centred = left;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setBottomMargin(4);
    c.setBlockFormat(centred);
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(12);
    c.mergeCharFormat(title);

    // 8 points, raised 3 points; the offset is a share of the small font's height.
    QTextCharFormat raised;
    raised.setFontPointSize(8);
    QFont small = songFont(8);
    const double pointsToPixels = view_->logicalDpiY() / 72.0;
    raised.setBaselineOffset(100.0 * 3 * pointsToPixels / QFontMetricsF(small, view_).height());
    for (const auto& s : a.superscripts) {
        const QTextBlock block = view_->document()->findBlockByNumber(s.paragraph + 1);
        if (!block.isValid()) continue;
        const int at = block.position() + utf16Before(block.text(), s.offset);
        c.setPosition(at);
        c.setPosition(at + utf16Before(block.text().mid(at - block.position()), 1), QTextCursor::KeepAnchor);
        c.mergeCharFormat(raised);
    }
}

}  // namespace kz::ui
