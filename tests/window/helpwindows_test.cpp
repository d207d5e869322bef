// Help, the two help texts, About and the syntax card: their exact texts, one
// instance each, and what their buttons and keys do.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "windowtest.h"

using namespace kz;

class HelpWindowsTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

    static int instances(const QString& form) {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == form) ++n;
        return n;
    }
    static QString caption(QWidget* w, const char* name) {
        if (auto* b = w->findChild<QAbstractButton*>(name)) return b->text();
        if (auto* l = w->findChild<QLabel*>(name)) return l->text();
        if (auto* g = w->findChild<QGroupBox*>(name)) return g->title();
        return QString("<no %1>").arg(name);
    }

private slots:
    void initTestCase() { test::setUpProgram(seam); }

    void eachWindowHasItsTitleAndOneInstance_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("title");
        QTest::newRow("help") << "Form27"
                              << "帮助 - KelbrinZorvan";
        QTest::newRow("function introduction") << "Form35"
                                               << "功能介绍 - KelbrinZorvan";
        QTest::newRow("usage tips") << "Form36"
                                    << "使用技巧 - KelbrinZorvan";
        QTest::newRow("about") << "Form4"
                               << "关于 KelbrinZorvan";
        QTest::newRow("syntax card") << "Form15"
                                     << "悬浮窗计算器计算语法 - KelbrinZorvan";
    }
    void eachWindowHasItsTitleAndOneInstance() {
        QFETCH(QString, form);
        QFETCH(QString, title);
        QWidget* w = test::openForm(qPrintable(form));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), title);
        QCOMPARE(test::openForm(qPrintable(form)), w);
        QCOMPARE(instances(form), 1);
    }

    void helpLeadsToTheTextsAndTheContactLink() {
        QWidget* help = test::openForm("Form27");
        const std::pair<const char*, const char*> texts[] = {
            {"Frame1", "这里会让您更好地使用Zorvan"}, {"Label1", "不会使用某种功能？"},
            {"Command1", "点击这里查看功能介绍"},     {"Label3", "了解一些使用技巧？"},
            {"Command3", "点击这里查看使用技巧"},     {"Label2", "使用时遇到了问题？"},
            {"Command2", "点击这里用QQ与我们联系"},
        };
        for (const auto& [name, text] : texts) QCOMPARE(caption(help, name), QString(text));

        test::child<QPushButton>(help, "Command1")->click();
        QVERIFY(ui::WindowRegistry::instance().existing("Form35")->isVisible());
        test::child<QPushButton>(help, "Command3")->click();
        QVERIFY(ui::WindowRegistry::instance().existing("Form36")->isVisible());
        test::child<QPushButton>(help, "Command3")->click();
        QCOMPARE(instances("Form36"), 1);

        seam.urls.clear();
        test::child<QPushButton>(help, "Command2")->click();
        QCOMPARE(seam.urls.size(), size_t(1));
        QCOMPARE(seam.urls[0].toString(), QString("https://kelbrinzorvan.example.org/contact/?qq=10000"));
    }

    void helpTextsAreReadOnlyWithTheFocusOutOfSight_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("contains");
        QTest::newRow("function introduction") << "Form35"
                                               << "功能介绍"
                                               << "32. 流水航行问题";
        QTest::newRow("usage tips") << "Form36"
                                    << "使用技巧"
                                    << "rnd";
    }
    void helpTextsAreReadOnlyWithTheFocusOutOfSight() {
        QFETCH(QString, form);
        QFETCH(QString, heading);
        QFETCH(QString, contains);
        QWidget* w = test::openForm(qPrintable(form));
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto* text = test::child<QTextEdit>(w, "RichTextBox1");
        QVERIFY(text->isReadOnly());
        QVERIFY(text->toPlainText().startsWith(heading));
        QVERIFY(text->toPlainText().contains(contains));
        QVERIFY(text->toHtml().contains("font-weight"));  // headings and bold survive
        auto* option = test::child<QRadioButton>(w, "Option1");
        QCOMPARE(w->focusWidget(), option);
        QVERIFY(!w->rect().intersects(option->geometry()));
        // It holds the focus, but screen readers are told it is not there.
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(option);
        QVERIFY(a);
        QVERIFY(a->state().invisible);
        QVERIFY(a->text(QAccessible::Name).isEmpty());
        QVERIFY(a->actionInterface() == nullptr || a->actionInterface()->actionNames().isEmpty());
        QAccessibleInterface* t = QAccessible::queryAccessibleInterface(text);
        QVERIFY(t && !t->state().invisible);
    }

    void aboutShowsItsTextsAndEnterOrEscapeHideIt_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void aboutShowsItsTextsAndEnterOrEscapeHideIt() {
        QFETCH(int, key);
        QWidget* about = test::openForm("Form4");
        QVERIFY(QTest::qWaitForWindowActive(about));
        const std::pair<const char*, const char*> texts[] = {
            {"lblTitle", "KelbrinZorvan2010 (1.9)"},
            {"Label1", "© 2010 KelbrinZorvan 工作室 保留所有权利"},
            {"Label2", "电子邮件：kelbrin.zorvan@example.org"},
            {"Label3", "QQ：10000"},
            {"lblVersion", "版本 1.9"},
            {"cmdOK", "确定"},
        };
        for (const auto& [name, text] : texts) QCOMPARE(caption(about, name), QString(text));
        auto* terms = test::child<QTextEdit>(about, "RichTextBox1");
        QVERIFY(terms->isReadOnly());
        QVERIFY(terms->toPlainText().contains("使用条款"));

        QTest::keyClick(about, Qt::Key(key));
        QVERIFY(!about->isVisible());
        // Hidden, not closed: the next opening shows the same window.
        QCOMPARE(test::openForm("Form4"), about);
        QVERIFY(about->isVisible());
    }

    void theSyntaxCardListsTheLanguage() {
        QWidget* card = test::openForm("Form15");
        const QStringList frames = {"悬浮窗计算器·计算语法", "运算符号", "关键词", "简单示例"};
        for (int i = 0; i < frames.size(); ++i)
            QCOMPARE(caption(card, qPrintable(QString("Frame%1").arg(i + 1))), frames[i]);
        const QStringList labels = {
            "+(加)",          "-(减)",           "*(乘)",       "/(除)",       "^(幂)",        "!(阶乘)",
            "pi (π:3.14...)", "e  (e:2.718...)", "sr (平方根)", "rnd(随机数)", "abs(绝对值)",  "ans(前一次结果)",
            "((1+8)/3)*2-5",  "(5^2)*(7!)",      "pi*(51^2)",   "25^(1/2)",    "sr(9)+rnd(9)", "abs(sr(1))",
        };
        for (int i = 0; i < labels.size(); ++i) {
            auto* l = test::child<QLabel>(card, qPrintable(QString("Label%1").arg(i + 1)));
            QCOMPARE(l->text(), labels[i]);
            // In the frame of its column.
            QCOMPARE(l->parentWidget()->objectName(), QString("Frame%1").arg(i / 6 + 2));
        }
    }

    void theMainPanelsHelpMenuOpensHelpAndAbout() {
        QWidget* panel = test::openForm("Form2");
        for (const auto& [item, form] : {std::pair{"HelpHelp", "Form27"}, std::pair{"HelpAbout", "Form4"}}) {
            QAction* a = panel->findChild<QAction*>(item);
            QVERIFY(a && a->isEnabled());
            if (QWidget* open = ui::WindowRegistry::instance().existing(form)) open->hide();
            a->trigger();
            QVERIFY(ui::WindowRegistry::instance().existing(form)->isVisible());
        }
    }
};

QTEST_MAIN(HelpWindowsTest)
#include "helpwindows_test.moc"
