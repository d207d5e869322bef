// The windows as assistive tools and pupils meet them: text set through the
// accessibility interface, results read out, the reading boxes without a
// mouse, captions that fit, and long results that wrap between numbers.
#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "framework/ControlAdapters.h"
#include "framework/Fonts.h"
#include "framework/ToolWindow.h"
#include "framework/windowmodel.h"
#include "reading/ReadingBox.h"
#include "windowtest.h"

using namespace kz;
using kz::test::child;
using kz::test::openForm;

namespace {

struct Raised {
    QObject* object;
    QAccessible::Event type;
    QString value;  // the new text or value, where the event carries one
};
std::vector<Raised> g_raised;

// Records what the windows tell assistive tools.
class AnnouncingSeam : public test::RecordingSeam {
public:
    void announce(QAccessibleEvent* e) override {
        QString value;
        if (e->type() == QAccessible::TextUpdated) value = static_cast<QAccessibleTextUpdateEvent*>(e)->textInserted();
        if (e->type() == QAccessible::ValueChanged)
            value = static_cast<QAccessibleValueChangeEvent*>(e)->value().toString();
        g_raised.push_back({e->object(), e->type(), value});
    }
};

bool raised(QObject* o, QAccessible::Event type, const QString& value = {}) {
    return std::any_of(g_raised.begin(), g_raised.end(), [&](const Raised& r) {
        return r.object == o && r.type == type && (value.isEmpty() || r.value == value);
    });
}

QAccessibleEditableTextInterface* editable(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->editableTextInterface() : nullptr;
}

// The accessible cells of a tree, in row order, by their names.
std::vector<QAccessibleInterface*> cells(QTreeWidget* tree) {
    std::vector<QAccessibleInterface*> out;
    QAccessibleInterface* t = QAccessible::queryAccessibleInterface(tree);
    for (int i = 0; i < t->childCount(); ++i)
        if (QAccessibleInterface* c = t->child(i);
            c && (c->role() == QAccessible::Cell || c->role() == QAccessible::TreeItem))
            out.push_back(c);
    return out;
}

// The texts on either side of every place the box's layout breaks a line.
std::vector<std::pair<QString, QString>> breaks(QPlainTextEdit* box) {
    std::vector<std::pair<QString, QString>> out;
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next()) {
        const QString t = b.text();
        QTextLayout* layout = b.layout();
        for (int i = 1; i < layout->lineCount(); ++i) {
            const int at = layout->lineAt(i).textStart();
            out.push_back({t.left(at).remove(QChar(0x200B)), t.mid(at).remove(QChar(0x200B))});
        }
    }
    return out;
}

bool digit(QChar c) { return c.isDigit(); }

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
    AnnouncingSeam seam;

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void init() { g_raised.clear(); }
    void cleanup() {
        ui::WindowRegistry::instance().destroyAll();
        seam.messages.clear();
    }

    void textSetThroughAccessibilityReachesTheModel() {
        QWidget* w = openForm("Form13");
        auto* top = child<QLineEdit>(w, "Text1");
        auto* bottom = child<QLineEdit>(w, "Text2");
        QVERIFY(editable(top) && editable(bottom));
        editable(top)->insertText(0, "4");
        editable(bottom)->insertText(0, "6x");  // filtered like typing
        QCOMPARE(bottom->text(), QString("6"));
        QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QString("12"));
        QVERIFY(seam.messages.empty());
        // Replacing the whole text, as a screen reader's "set text" does, and cut to the box's length.
        editable(top)->replaceText(0, static_cast<int>(top->text().size()), "12345");
        QCOMPARE(top->text(), QString("123"));
        QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QString("246"));
        // A program's setText is a change of the text like any other.
        bottom->setText("9");
        auto* view = qobject_cast<ui::ToolWindow*>(w);
        QCOMPARE(view->model().state("Text2").text, std::string("9"));
    }

    void resultsAreAnnounced() {
        QWidget* w = openForm("Form13");
        QVERIFY2(g_raised.empty(), "a window that opens announces nothing");
        QTest::keyClicks(child<QLineEdit>(w, "Text1"), "4");
        QTest::keyClicks(child<QLineEdit>(w, "Text2"), "6");
        g_raised.clear();
        QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
        QVERIFY(raised(child<QLabel>(w, "Label2"), QAccessible::NameChanged));

        QWidget* rem = openForm("Form11");
        QTest::keyClicks(child<QLineEdit>(rem, "Text1"), "17");
        QTest::keyClicks(child<QLineEdit>(rem, "Text2"), "5");
        g_raised.clear();
        QTest::mouseClick(child<QPushButton>(rem, "Command1"), Qt::LeftButton);
        QVERIFY(raised(child<QLineEdit>(rem, "Text3"), QAccessible::TextUpdated, "3"));
        QVERIFY(raised(child<QLineEdit>(rem, "Text4"), QAccessible::ValueChanged, "2"));

        QWidget* f = openForm("Form40");
        QTest::keyClicks(child<QLineEdit>(f, "Text1"), "12");
        g_raised.clear();
        QTest::mouseClick(child<QPushButton>(f, "Command1"), Qt::LeftButton);
        auto* out = child<QPlainTextEdit>(f, "Text2");
        QTRY_VERIFY(!out->toPlainText().isEmpty());
        QVERIFY(raised(out, QAccessible::ValueChanged, test::shownText(out)));
    }

    void readingBoxesOpenEveryArticleThroughAccessibility_data() {
        QTest::addColumn<QString>("form");
        for (const char* f : {"Form25", "Form26", "Form34"}) QTest::newRow(f) << f;
    }
    void readingBoxesOpenEveryArticleThroughAccessibility() {
        QFETCH(QString, form);
        QWidget* w = openForm(form.toUtf8().constData());
        auto* tree = child<QTreeWidget>(w, "TreeView1");
        auto* view = child<QTextEdit>(w, "RichTextBox1");
        QCOMPARE(tree->accessibleName(), QString("目录"));
        QCOMPARE(view->accessibleName(), QString("文章"));
        // Every group expanded, as a screen reader's user opens them one by one.
        for (int i = 0; i < tree->topLevelItemCount(); ++i) tree->topLevelItem(i)->setExpanded(true);
        int opened = 0;
        for (QAccessibleInterface* cell : cells(tree)) {
            const QString title = cell->text(QAccessible::Name);
            const auto items = tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
            QVERIFY2(!items.isEmpty(), qPrintable(title));
            if (items.front()->childCount() > 0) continue;  // a group
            QAccessibleActionInterface* act = cell->actionInterface();
            QVERIFY2(act && !act->actionNames().isEmpty(), qPrintable(title));
            act->doAction(act->actionNames().front());
            QCOMPARE(view->document()->firstBlock().text(), title);
            ++opened;
        }
        int articles = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) articles += (*it)->childCount() == 0;
        QCOMPARE(opened, articles);
    }

    void clickingATitleLeavesTheTreeWhereItIs() {
        QWidget* w = openForm("Form25");
        auto* tree = child<QTreeWidget>(w, "TreeView1");
        for (int i = 0; i < tree->topLevelItemCount(); ++i) tree->topLevelItem(i)->setExpanded(true);
        // The last title that shows only in part, at the bottom edge.
        QTreeWidgetItem* partial = nullptr;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            const QRect r = tree->visualItemRect(*it);
            if (r.isValid() && r.top() < tree->viewport()->height() && r.bottom() >= tree->viewport()->height())
                partial = *it;
        }
        QVERIFY(partial);
        const int scrolled = tree->verticalScrollBar()->value();
        const QPoint at(tree->visualItemRect(partial).center().x(), tree->viewport()->height() - 2);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::qWait(QApplication::doubleClickInterval() + 300);  // the view scrolls a while after a click
        QCOMPARE(tree->verticalScrollBar()->value(), scrolled);
        QCOMPARE(tree->itemAt(at), partial);
    }

    void anUnknownReadingBoxIsAProgrammingError() { QVERIFY_THROWS_EXCEPTION(ModelError, ui::ReadingBox("Form99")); }

    void captionsFitTheirControls() {
        for (const std::string& form : windowForms()) {
            std::unique_ptr<ui::ToolWindow> owned;
            if (findWindowType(form)->owned) owned = std::make_unique<ui::ToolWindow>(openWindowModel(form));
            QWidget* w = owned ? owned.get() : openForm(form.c_str());
            QVERIFY2(w, form.c_str());
            for (auto* b : w->findChildren<QAbstractButton*>()) {
                if (b->text().isEmpty() || !b->isVisibleTo(w) || b->objectName().isEmpty()) continue;
                // Where the style draws the caption, beside the mark or inside the frame.
                QStyleOptionButton o;
                o.initFrom(b);
                o.text = b->text();
                const auto where = qobject_cast<QPushButton*>(b)    ? QStyle::SE_PushButtonContents
                                   : qobject_cast<QRadioButton*>(b) ? QStyle::SE_RadioButtonContents
                                                                    : QStyle::SE_CheckBoxContents;
                const int room = b->style()->subElementRect(where, &o, b).width();
                const int needed = b->fontMetrics().horizontalAdvance(b->text());
                QVERIFY2(needed <= room, qPrintable(QString("%1 %2 \"%3\": %4 > %5")
                                                        .arg(QString::fromStdString(form), b->objectName(), b->text())
                                                        .arg(needed)
                                                        .arg(room)));
            }
            ui::WindowRegistry::instance().destroyAll();
        }
    }

    void longResultsWrapBetweenNumbers_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("output");
        // Factors of eleven digits and more, and a 3n+1 chain.
        QTest::newRow("factors") << "Form40"
                                 << "Text1"
                                 << "999999999999999999999999"
                                 << "Command1"
                                 << "Text2";
        QTest::newRow("chain") << "Form43"
                               << "Text4"
                               << "27"
                               << "Command4"
                               << "Text8";
    }
    void longResultsWrapBetweenNumbers() {
        QFETCH(QString, form);
        QFETCH(QString, box);
        QFETCH(QString, input);
        QFETCH(QString, press);
        QFETCH(QString, output);
        auto* w = qobject_cast<ui::ToolWindow*>(openForm(form.toUtf8().constData()));
        QVERIFY(w);
        if (form == "Form43") w->model().edit("SSTab1", "角谷猜想");
        w->model().edit(box.toStdString(), input.toStdString());
        w->sync();
        QTest::mouseClick(qobject_cast<QPushButton*>(w->control(press.toStdString())), Qt::LeftButton);
        auto* out = qobject_cast<QPlainTextEdit*>(w->control(output.toStdString()));
        QTRY_VERIFY(!w->computing() && !out->toPlainText().isEmpty());
        QTRY_VERIFY(out->document()->documentLayout()->documentSize().height() > 0);
        const auto at = breaks(out);
        QVERIFY2(!at.empty(), "the text fits on one line: no wrap was tried");
        for (const auto& [before, after] : at)
            QVERIFY2(before.isEmpty() || after.isEmpty() || !digit(before.back()) || !digit(after.front()),
                     qPrintable(before.right(12) + " | " + after.left(12)));
    }

    void breakMarksLeaveTheTextAsItIs_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString b(QChar(0x200B));
        QTest::newRow("factors") << "12＝2*2*3"
                                 << "12＝" + b + "2*" + b + "2*" + b + "3";
        QTest::newRow("chain") << "27>82>41"
                               << "27>" + b + "82>" + b + "41";
        QTest::newRow("sign at a line end") << "1+\n2"
                                            << "1+\n2";
        QTest::newRow("plain") << "12345"
                               << "12345";
    }
    void breakMarksLeaveTheTextAsItIs() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(ui::withBreaksBetweenNumbers(text), shown);
        QCOMPARE(ui::withBreaksBetweenNumbers(text).remove(QChar(0x200B)), text);
    }

    void copyingFromAMultiLineOutputTakesTheText() {
        auto* w = qobject_cast<ui::ToolWindow*>(openForm("Form40"));
        w->model().edit("Text1", "12");
        w->sync();
        QTest::mouseClick(qobject_cast<QPushButton*>(w->control("Command1")), Qt::LeftButton);
        auto* out = qobject_cast<QPlainTextEdit*>(w->control("Text2"));
        QTRY_VERIFY(!out->toPlainText().isEmpty());
        out->selectAll();
        out->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdString(w->model().state("Text2").text));
    }

    void operatorSignsAsLargeAsPlus() {
        const QFont f = ui::labelFont();
        // × and ÷ as wide as ＋ on the keys.
        auto size = [](const QFont& font, const QString& t) {
            const QRectF r = QFontMetricsF(font).tightBoundingRect(t);
            return std::max(r.width(), r.height());
        };
        const qreal plus = size(f, "＋");
        for (const QString sign : {"×", "÷"}) {
            QVERIFY2(size(f, sign) < plus * 0.85, "the signs are small at first");
            QVERIFY2(std::abs(size(ui::faceForCaption(f, sign), sign) - plus) <= plus * 0.1, qPrintable(sign));
        }
        QCOMPARE(ui::faceForCaption(f, "7"), f);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
