// The reading boxes as a pupil uses them: the tree as loaded, and what a click
// shows in the article view.
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>

#include "windowtest.h"

using namespace kz;

namespace {

QTreeWidget* tree(QWidget* w) { return test::child<QTreeWidget>(w, "TreeView1"); }
QTextEdit* view(QWidget* w) { return test::child<QTextEdit>(w, "RichTextBox1"); }

QTreeWidgetItem* node(QWidget* w, const QString& text) {
    const auto found = tree(w)->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// A real click on the node's text, after making it visible.
void click(QWidget* w, const QString& text) {
    QTreeWidgetItem* item = node(w, text);
    QVERIFY2(item, qPrintable(text));
    if (item->parent()) item->parent()->setExpanded(true);
    tree(w)->scrollToItem(item);
    const QRect r = tree(w)->visualItemRect(item);
    QVERIFY(r.isValid());
    QTest::mouseClick(tree(w)->viewport(), Qt::LeftButton, {}, r.center());
}

// The format of the character at a position counted with every line break as
// two characters, the way the article texts count.
QTextCharFormat formatAt(QTextDocument* doc, int position, QChar* character) {
    const QString text = doc->toPlainText();
    int counted = 0, at = 0;
    while (at < text.size() && counted < position) {
        counted += text.at(at) == QChar('\n') ? 2 : 1;
        ++at;
    }
    *character = at < text.size() && counted == position ? text.at(at) : QChar('?');
    if (at >= text.size()) return {};
    QTextCursor c(doc);
    c.setPosition(at + 1);
    return c.charFormat();
}

}  // namespace

class ReadingTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void cleanup() { ui::WindowRegistry::instance().destroyAll(); }

    void treesAsLoaded_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("banner");
        QTest::addColumn<QStringList>("roots");
        QTest::addColumn<int>("articles");
        QTest::newRow("knowledge") << "Form25"
                                   << "知识宝箱 - KelbrinZorvan"
                                   << "※欢迎使用知识宝箱※" << QStringList{"数学基础", "初级代数", "奇妙数字"} << 19;
        QTest::newRow("paradox") << "Form26"
                                 << "悖论宝箱 - KelbrinZorvan"
                                 << "※欢迎使用悖论宝箱※" << QStringList{"了解悖论", "说谎者悖论", "理发师悖论"} << 16;
        QTest::newRow("puzzle") << "Form34"
                                << "趣题宝箱 - KelbrinZorvan"
                                << "※欢迎使用趣题宝箱※" << QStringList{"分羊遗嘱", "残杀战俘", "兄弟等车"} << 13;
    }
    void treesAsLoaded() {
        QFETCH(QString, form);
        QFETCH(QString, title);
        QFETCH(QString, banner);
        QFETCH(QStringList, roots);
        QFETCH(int, articles);
        QWidget* w = test::openForm(qPrintable(form));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), title);
        QCOMPARE(test::child<QLabel>(w, "Label2")->text(), banner);
        QVERIFY(test::child<QLabel>(w, "Label1")->text().endsWith("电子邮件地址参见主面板“帮助-关于”"));
        QVERIFY(view(w)->toPlainText().isEmpty());
        QVERIFY(view(w)->isReadOnly());

        QTreeWidget* t = tree(w);
        const bool grouped = form == "Form25";
        QCOMPARE(t->topLevelItemCount(), grouped ? 3 : articles);
        int leaves = 0;
        for (int i = 0; i < t->topLevelItemCount(); ++i) {
            QTreeWidgetItem* top = t->topLevelItem(i);
            if (i < roots.size()) QCOMPARE(top->text(0), roots[i]);
            QVERIFY(!top->isExpanded());
            QCOMPARE(top->childCount() > 0, grouped);
            QList<QTreeWidgetItem*> nodes{top};
            for (int k = 0; k < top->childCount(); ++k) nodes << top->child(k);
            for (QTreeWidgetItem* n : nodes) {
                QCOMPARE(n->data(0, Qt::UserRole).toString(), n->text(0));  // the key
                QVERIFY(!n->icon(0).isNull());
            }
            leaves += grouped ? top->childCount() : 1;
        }
        QCOMPARE(leaves, articles);
        if (grouped) {
            // Groups and articles carry different icons.
            const qint64 group = t->topLevelItem(0)->icon(0).cacheKey();
            QVERIFY(t->topLevelItem(0)->child(0)->icon(0).cacheKey() != group);
            QCOMPARE(t->topLevelItem(2)->child(3)->text(0), QString("回文数"));
        }
        // The view is as high as the tree and half as wide again.
        QCOMPARE(view(w)->height(), t->height());
        QVERIFY(qAbs(view(w)->width() * 2 - t->width() * 3) <= 2);
    }

    void clickShowsTheArticleWithItsTitleAndExponents() {
        QWidget* w = test::openForm("Form25");
        click(w, "雷劈数");
        QTextDocument* doc = view(w)->document();
        const QString text = doc->toPlainText();
        QVERIFY(text.startsWith("雷劈数\n　　传说"));
        QVERIFY(!text.endsWith('\n'));

        const QTextBlock title = doc->begin();
        QCOMPARE(title.text(), QString("雷劈数"));
        QCOMPARE(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        for (int i = 0; i < 3; ++i) {
            QTextCursor c(doc);
            c.setPosition(i + 1);
            QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
            QCOMPARE(c.charFormat().fontPointSize(), 12.0);
        }
        for (QTextBlock b = title.next(); b.isValid(); b = b.next()) {
            QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
            QVERIFY(b.text().startsWith("　　"));
            QTextCursor c(doc);
            c.setPosition(b.position() + 3);
            QVERIFY(c.charFormat().fontWeight() != int(QFont::Bold));
            QVERIFY(c.charFormat().fontPointSize() != 12.0);
        }
        QCOMPARE(doc->defaultFont().pointSizeF(), 9.0);

        int raised = 0;
        for (int p = 0, end = int(text.size() + text.count('\n')); p < end; ++p) {
            QChar ch;
            const QTextCharFormat f = formatAt(doc, p, &ch);
            if (f.fontPointSize() != 8.0) continue;
            ++raised;
            QVERIFY2(p == 117 || p == 211 || p == 355, qPrintable(QString::number(p)));
            QCOMPARE(ch, QChar('2'));
            QVERIFY(f.baselineOffset() > 0);
        }
        QCOMPARE(raised, 3);
    }

    void clickOnAGroupChangesNothingAndASecondClickLooksTheSame() {
        QWidget* w = test::openForm("Form25");
        click(w, "你能数到多少");
        const QString first = view(w)->toHtml();
        QChar ch;
        QString exponent;
        for (int p : {287, 288, 289}) {
            QCOMPARE(formatAt(view(w)->document(), p, &ch).fontPointSize(), 8.0);
            exponent += ch;
        }
        QCOMPARE(exponent, QString("100"));

        click(w, "数学基础");
        QCOMPARE(view(w)->toHtml(), first);

        // Another article in between must leave nothing behind.
        click(w, "雷劈数");
        click(w, "你能数到多少");
        QCOMPARE(view(w)->toHtml(), first);
    }
};

QTEST_MAIN(ReadingTest)
#include "reading_test.moc"
