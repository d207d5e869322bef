#pragma once

#include <QWidget>

#include "reading/articles.h"

class QLabel;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kz::ui {

// The knowledge (Form25), paradox (Form26) and puzzle (Form34) boxes: a tree
// of titles on the left, the chosen article on the right.
class ReadingBox : public QWidget {
    Q_OBJECT
public:
    explicit ReadingBox(const char* form);

    // Shows the article of that title; any other text changes nothing.
    void TreeView1_NodeClick(QTreeWidgetItem* node);

private:
    void showArticle(const reading::Article& a);

    reading::ArticleBook book_;
    QTreeWidget* tree_;
    QTextEdit* view_;
};

}  // namespace kz::ui
