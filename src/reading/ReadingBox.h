#pragma once

#include <QWidget>
#include <string>

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
    // The box of that form; any other form is a programming error (ModelError).
    explicit ReadingBox(const char* form);

    // Shows the article of that title; a group or any other text changes nothing.
    void openArticleOf(QTreeWidgetItem* node);

private:
    void showArticle(const reading::Article& a);
    void announceRows(QTreeWidgetItem* group, bool shown);

    reading::ArticleBook book_;
    QTreeWidget* tree_;
    QTextEdit* view_;
    std::string shown_;  // the title of the article shown
};

}  // namespace kz::ui
