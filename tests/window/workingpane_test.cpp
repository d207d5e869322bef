// The working pane: where the toggle goes, the window growing and shrinking
// back, the paper's layout, copying and printing.
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "framework/ToolWindow.h"
#include "framework/WorkingPane.h"
#include "framework/windowmodel.h"
#include "windowtest.h"

using namespace kz;
using kz::test::child;

namespace {

const Working kGcdWorking =
    Working().ladder({{"2", {"12", "18"}, {}}, {"3", {"6", "9"}, {}}}, {"2", "3"}).line("最大公因数：2×3＝6");

// A window like the GCD one whose Calculate brings a working, or with an
// empty box the rejection without one.
std::unique_ptr<WindowModel> ladderWindow() {
    WindowDecl d;
    d.form = "Form12";
    d.controls = {input("Text1", 10, FilterMode::Integer_All, "第一个数").inRow(0),
                  input("Text2", 10, FilterMode::Integer_All, "第二个数").inRow(1), label("Label1", "").inRow(2)};
    for (auto& b : buttonRow(3)) d.controls.push_back(b);
    d.copyPrimary = "Label1";
    d.showsWorking = true;
    return std::make_unique<WindowModel>(std::move(d), [](const Texts& t) {
        Outcome out;
        if (t.at("Text1").empty() || t.at("Text2").empty()) {
            out.error("请输入两个自然数");
            return out;
        }
        out.show("Label1", "6");
        out.working = kGcdWorking;
        return out;
    });
}

// A window of the table as declared, with or without the working, behaviour aside.
std::unique_ptr<WindowModel> declared(const std::string& form, bool working) {
    WindowDecl d = openWindowModel(form)->decl();
    std::erase_if(d.controls, [](const ControlDecl& c) { return c.addition; });
    d.showsWorking = working;
    return std::make_unique<WindowModel>(std::move(d));
}

// A window whose every Calculate adds a line to its working, as a tape does
// (or, with `fresh`, brings a working of its own each time).
std::unique_ptr<WindowModel> tapeWindow(int linesPerCalculate, bool fresh = false) {
    WindowDecl d;
    d.form = "Form5";
    d.controls = {button("Command1", "计算", ButtonRole::Calculate)};
    d.showsWorking = true;
    auto tape = std::make_shared<Working>();
    return std::make_unique<WindowModel>(std::move(d), [=](const Texts&) {
        if (fresh) *tape = Working();
        for (int i = 0; i < linesPerCalculate; ++i) {
            const int n = static_cast<int>(tape->blocks().size()) + 1;
            tape->line(std::to_string(n) + "×2＝" + std::to_string(2 * n));
        }
        Outcome out;
        out.working = *tape;
        return out;
    });
}

QRect inWindow(const QWidget* w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

void show(QWidget& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

QPushButton* toggleOf(QWidget& w) { return child<QPushButton>(&w, std::string(kWorkingToggle).c_str()); }

// One line of text: fractions as [n/d] (checked to stand above and below
// their bar), exponents as ↑e (checked to be raised), the rest as written.
QString shape(const ui::WorkingPaper::Run& run) {
    QString s;
    double baseline = 0;
    const auto& ink = run.ink;
    for (std::size_t i = 0; i < ink.size(); ++i) {
        const ui::PaperInk& k = ink[i];
        if (k.kind == ui::PaperInk::Kind::Stroke) {
            if (i == 0 || i + 1 >= ink.size()) return "stray stroke";
            const ui::PaperInk &num = ink[i - 1], &den = ink[i + 1];
            if (!(num.at.y() < k.at.y() && k.at.y() < den.at.y() - 5)) return "unstacked fraction";
            s.chop(num.text.size());
            s += "[" + num.text + "/" + den.text + "]";
            ++i;
        } else if (k.small) {
            if (!(k.at.y() < baseline)) return "exponent not raised";
            s += "↑" + k.text;
        } else {
            s += k.text;
        }
    }
    return s;
}

// Left ends of the "＝" marks of each row, and where each row's other ink starts.
std::vector<double> equalsAt(const std::vector<ui::PaperRow>& rows) {
    std::vector<double> xs;
    for (const ui::PaperRow& r : rows)
        for (const ui::PaperInk& k : r.ink)
            if (k.text == "＝") {
                xs.push_back(k.at.x());
                break;
            }
    return xs;
}

QString pdfText(const QString& file, QStringList options = {}) {
    QProcess p;
    p.start("pdftotext", options << file << "-");
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class WorkingPaneTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void init() { seam = {}; }

    void toggleMovesAndCoversNoControlOfAnyWindow() {
        for (const std::string& form : windowForms()) {
            ui::ToolWindow plain(declared(form, false)), flagged(declared(form, true));
            show(plain);
            show(flagged);
            QWidget* toggle = toggleOf(flagged);
            QVERIFY2(toggle && toggle->isVisible(), form.c_str());
            const QRect t = inWindow(toggle);
            QVERIFY2(flagged.rect().contains(t), form.c_str());
            QCOMPARE(flagged.width(), plain.width());
            for (const ControlDecl& c : plain.model().decl().controls) {
                const std::string what = form + " " + c.name;
                QWidget *was = plain.control(c.name), *now = flagged.control(c.name);
                QVERIFY2(inWindow(was) == inWindow(now), what.c_str());
                if (now->isVisibleTo(&flagged)) QVERIFY2(!inWindow(now).intersects(t), what.c_str());
            }
        }
    }

    void windowsThatShowTheirWorkingKeepTheToggleClearOfTheirControls() {
        // The real windows, loaded: their load step may move or show controls.
        for (const std::string& form : windowForms()) {
            auto model = openWindowModel(form);
            if (!model->decl().showsWorking) continue;
            ui::ToolWindow w(std::move(model));
            show(w);
            const QRect t = inWindow(toggleOf(w));
            for (const ControlDecl& c : w.model().decl().controls)
                if (!c.addition && w.control(c.name)->isVisibleTo(&w))
                    QVERIFY2(!inWindow(w.control(c.name)).intersects(t), (form + " " + c.name).c_str());
        }
    }

    void theWindowGrowsDownwardAndReturnsToItsSize() {
        for (bool byTwips : {false, true}) {
            ui::ToolWindow w(byTwips ? declared("Form11", true) : ladderWindow());
            show(w);
            const QSize own = w.size();
            auto* pane = w.findChild<ui::WorkingPane*>();
            QVERIFY(pane && !pane->isVisible());
            const QRect calculate = inWindow(w.control("Command1"));
            QTest::mouseClick(toggleOf(w), Qt::LeftButton);
            QVERIFY(w.model().workingShown());
            QVERIFY(toggleOf(w)->isChecked());
            QTRY_VERIFY(pane->isVisible());
            QTRY_VERIFY(w.height() > own.height() + 100);
            QCOMPARE(w.width(), own.width());
            QCOMPARE(inWindow(w.control("Command1")), calculate);
            QVERIFY(inWindow(pane).top() >= inWindow(toggleOf(w)).bottom());
            QTest::mouseClick(toggleOf(w), Qt::LeftButton);
            QTRY_COMPARE(w.size(), own);
            QVERIFY(!pane->isVisible());
        }
    }

    void enterStillCalculatesAndTheToggleIsNoDefault() {
        ui::ToolWindow w(ladderWindow());
        show(w);
        auto* box = child<QLineEdit>(&w, "Text1");
        box->setFocus();
        QTest::mouseClick(toggleOf(w), Qt::LeftButton);
        QVERIFY(!toggleOf(w)->isDefault() && !toggleOf(w)->autoDefault());
        QCOMPARE(QApplication::focusWidget(), box);  // the click left the focus where the pupil types
        QTest::keyClicks(QApplication::focusWidget(), "12");
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.control("Text2"));
        QTest::keyClicks(w.control("Text2"), "18");
        QTest::keyClick(w.control("Text2"), Qt::Key_Return);
        QCOMPARE(child<QLabel>(&w, "Label1")->text(), QString("6"));
        QCOMPARE(w.findChild<ui::WorkingPane*>()->rows().size(), std::size_t(4));
    }

    void thePaneFollowsEachCalculateAndKeepsItsInputs() {
        ui::ToolWindow w(ladderWindow());
        show(w);
        auto* pane = w.findChild<ui::WorkingPane*>();
        auto* copy = child<QPushButton>(&w, "cmdCopyWorking");
        QTest::mouseClick(toggleOf(w), Qt::LeftButton);
        QVERIFY(pane->rows().empty());
        QVERIFY(!copy->isEnabled());

        test::paste(child<QLineEdit>(&w, "Text1"), "12");
        test::paste(child<QLineEdit>(&w, "Text2"), "18");
        QTest::mouseClick(child<QPushButton>(&w, "Command1"), Qt::LeftButton);
        QCOMPARE(pane->rows().size(), std::size_t(4));
        QVERIFY(copy->isEnabled());
        // Typing after the Calculate does not change what the working came from.
        test::paste(child<QLineEdit>(&w, "Text1"), "99");
        QCOMPARE(pane->inputs(), (std::vector<QString>{"第一个数：12", "第二个数：18"}));

        QTest::mouseClick(copy, Qt::LeftButton);
        QCOMPARE(seam.clipboard, QString::fromStdString(kGcdWorking.plainText()));
        QCOMPARE(seam.clipboardWrites, 1);

        // A rejected calculation leaves its message where the working stood.
        test::paste(child<QLineEdit>(&w, "Text2"), "");
        QTest::mouseClick(child<QPushButton>(&w, "Command1"), Qt::LeftButton);
        QCOMPARE(pane->rows().size(), std::size_t(1));
        QVERIFY(pane->rows()[0].muted);
        QCOMPARE(pane->rows()[0].ink[0].text, QString("请输入两个自然数"));
        QVERIFY(!copy->isEnabled());
        QTest::mouseClick(child<QPushButton>(&w, "Command2"), Qt::LeftButton);
        QVERIFY(pane->rows().empty());
    }

    void theInputsAreNamedByTheirLabels() {
        ui::ToolWindow w(declared("Form11", true));  // labels "被除数:", "除数:"; outputs are no inputs
        show(w);
        test::paste(child<QLineEdit>(&w, "Text1"), "17");
        test::paste(child<QLineEdit>(&w, "Text2"), "5");
        QTest::mouseClick(child<QPushButton>(&w, "Command1"), Qt::LeftButton);
        QCOMPARE(w.findChild<ui::WorkingPane*>()->inputs(), (std::vector<QString>{"被除数：17", "除数：5"}));
    }

    void aLongWorkingScrollsAndTheEndOfATapeStaysInView() {
        for (bool fresh : {false, true}) {
            ui::ToolWindow w(tapeWindow(fresh ? 20 : 4, fresh));
            show(w);
            QTest::mouseClick(toggleOf(w), Qt::LeftButton);
            const int height = w.height();
            QScrollBar* bar = w.findChild<ui::WorkingPane*>()->scrollArea()->verticalScrollBar();
            for (int i = 0; i < 5; ++i) QTest::mouseClick(w.control("Command1"), Qt::LeftButton);
            QTRY_VERIFY(bar->maximum() > 0);
            QCOMPARE(w.height(), height);          // the pane never grows with its working
            if (fresh) QCOMPARE(bar->value(), 0);  // a new working shows from its start
            else QTRY_COMPARE(bar->value(), bar->maximum());
        }
    }

    void inlineTextStacksFractionsAndRaisesExponents() {
        const ui::WorkingPaper paper;
        const struct {
            const char* text;
            const char* shape;
        } cases[] = {
            {"1/2＋1/3＝5/6", "[1/2]＋[1/3]＝[5/6]"},
            {"2又1/3", "2[1/3]"},  // the mixed number loses its 又
            {"-3/4", "-[3/4]"},    // the sign stays before the bar
            {"a/b", "[a/b]"},
            {"km/h", "km/h"},  // a unit stays on its line
            {"1.5/2", "[1.5/2]"},
            {"10^-3", "10↑-3"},
            {"(a＋b)^2", "(a＋b)↑2"},
            {"2^(n＋1)", "2↑n＋1"},
            {"^2", "^2"},  // no base: written as it is
            {"3^", "3^"},
            {"/5", "/5"},
            {"5÷", "5÷"},
            {"", ""},
        };
        for (const auto& c : cases)
            QCOMPARE(shape(paper.inlineRun(QString::fromUtf8(c.text))), QString::fromUtf8(c.shape));
    }

    void stepsLineUpUnderTheirEquals() {
        const ui::WorkingPaper paper;
        // With an "＝" of its own the first line sets the column; without, the
        // rewritings line up with the expression.
        const std::vector<std::string> withEquals{"S＝a×h÷2", "6×4÷2", "12"};
        for (const auto& steps : {withEquals, {"1/2＋1/3", "3/6＋2/6", "5/6"}, {"2又1/3×3", "7/3×3", "7"}}) {
            const auto rows = paper.layOut(Working().steps(steps));
            QCOMPARE(rows.size(), steps.size());
            const auto eq = equalsAt(rows);
            const bool own = steps[0].find("＝") != std::string::npos;
            QCOMPARE(eq.size(), steps.size() - (own ? 0 : 1));
            for (double x : eq) QCOMPARE(x, eq[0]);
            if (!own) {
                // Indented by one "＝", so the expression starts where the rewritings do.
                auto left = [](const std::vector<ui::PaperInk>& ink) {
                    double x = 1e9;
                    for (const auto& k : ink) x = std::min(x, k.at.x());
                    return x;
                };
                const double indent = left(rows[0].ink) - left(paper.inlineRun(QString::fromStdString(steps[0])).ink);
                QCOMPARE(indent, eq[0] + paper.inlineRun("＝").width);
            }
            for (const auto& r : rows) QCOMPARE(std::fmod(r.height, paper.pitch()), 0.0);
        }
    }

    void ladderRulesAndColumnsLineUp() {
        const ui::WorkingPaper paper;
        const auto rows =
            paper.layOut(Working().ladder({{"2", {"12", "18"}, {}}, {"13", {"6", "9"}, "1"}}, {"2", "3"}));
        QCOMPARE(rows.size(), std::size_t(3));
        std::vector<double> ruleX, firstCentre;
        for (std::size_t k = 0; k < 2; ++k) {
            double divisorEnd = 0, numbersStart = 1e9, underEnd = 0, remainderAt = 0;
            int strokes = 0;
            for (const auto& i : rows[k].ink) {
                if (i.kind == ui::PaperInk::Kind::Stroke) {
                    ++strokes;
                    if (i.at.x() == i.to.x()) ruleX.push_back(i.at.x());
                    else underEnd = std::max(underEnd, i.to.x());
                } else if (i.text == "2" || i.text == "13") {
                    divisorEnd = std::max(divisorEnd, i.at.x() + paper.inlineRun(i.text).width);
                } else if (i.text.startsWith("……")) {
                    remainderAt = i.at.x();
                } else {
                    numbersStart = std::min(numbersStart, i.at.x());
                }
            }
            QCOMPARE(strokes, 2);  // the bracket: a rule after the divisor, one under the numbers
            QVERIFY(divisorEnd < ruleX.back() && ruleX.back() < numbersStart);
            if (k == 1) QVERIFY(remainderAt > underEnd);
        }
        QCOMPARE(ruleX[0], ruleX[1]);
        // The first column's numbers share one centre: 12, 6 and the 2 left.
        auto centre = [&](const ui::PaperRow& r, const QString& t) {
            for (const auto& i : r.ink)
                if (i.kind == ui::PaperInk::Kind::Text && i.text == t && i.at.x() > ruleX[0])
                    return i.at.x() + paper.inlineRun(t).width / 2;
            return -1.0;
        };
        QCOMPARE(centre(rows[0], "12"), centre(rows[1], "6"));
        QCOMPARE(centre(rows[1], "6"), centre(rows[2], "2"));
    }

    void printingToPdfGivesAWorksheetPage() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext (poppler-utils) is missing");
        ui::ToolWindow w(ladderWindow());
        show(w);
        test::paste(child<QLineEdit>(&w, "Text1"), "12");
        test::paste(child<QLineEdit>(&w, "Text2"), "18");
        QTest::mouseClick(child<QPushButton>(&w, "Command1"), Qt::LeftButton);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("working.pdf"));
        QVERIFY(w.findChild<ui::WorkingPane*>()->printWorking(printer));
        const QString text = pdfText(dir.filePath("working.pdf"), {"-layout"});
        for (const char* wanted : {"最大公因数", "第一个数：12", "第二个数：18", "最大公因数：2×3＝6"})
            QVERIFY2(text.contains(QString::fromUtf8(wanted)), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("2\\s+12\\s+18")), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("3\\s+6\\s+9")), qPrintable(text));

        printer.setOutputFileName(dir.filePath("missing/working.pdf"));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!w.findChild<ui::WorkingPane*>()->printWorking(printer));
    }

    void aLongWorkingGoesOnOverPages() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext (poppler-utils) is missing");
        ui::ToolWindow w(tapeWindow(80));
        QTest::mouseClick(w.control("Command1"), Qt::LeftButton);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("tape.pdf"));
        QVERIFY(w.findChild<ui::WorkingPane*>()->printWorking(printer));
        const QString text = pdfText(dir.filePath("tape.pdf"));
        QVERIFY(text.count(QChar('\f')) >= 2);  // more than one page
        for (int i : {1, 40, 80}) QVERIFY2(text.contains(QString("%1×2＝%2").arg(i).arg(2 * i)), qPrintable(text));
    }
};

QTEST_MAIN(WorkingPaneTest)
#include "workingpane_test.moc"
