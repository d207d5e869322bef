// The fraction and equation windows are laid out in fixed twips: every
// caption must fit the box it was given, and the window keys must reach
// the model and the focused box as a pupil types them.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "framework/windowmodel.h"
#include "windowtest.h"

using namespace kz;
using kz::test::child;
using kz::test::openForm;

class FractionWindowsTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void init() {
        ui::WindowRegistry::instance().destroyAll();
        seam = {};
    }

    void everyCaptionFitsItsBox_data() {
        QTest::addColumn<QString>("form");
        for (const char* f : {"Form3", "Form20", "Form24", "Form37", "Form31", "Form32", "Form33"})
            QTest::newRow(f) << f;
    }
    void everyCaptionFitsItsBox() {
        QFETCH(QString, form);
        QWidget* w = openForm(form.toUtf8().constData());
        QVERIFY(w);
        int checked = 0;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            QString text;
            QRect ink;  // where the caption's ink falls, in the control's coordinates
            if (auto* l = qobject_cast<QLabel*>(c)) {
                text = l->text();
                const QFontMetrics fm = l->fontMetrics();
                const QRect inner = l->contentsRect();
                // More than one character wider than the box would wrap onto a second line.
                if (text.size() > 1)
                    QVERIFY2(fm.horizontalAdvance(text) <= inner.width(), qPrintable(c->objectName() + " wraps"));
                const int advance = fm.horizontalAdvance(text);
                const Qt::Alignment a = l->alignment();
                const int x = a & Qt::AlignHCenter ? inner.left() + (inner.width() - advance) / 2
                              : a & Qt::AlignRight ? inner.right() + 1 - advance
                                                   : inner.left();
                const int baseline = inner.top() + (inner.height() - fm.height()) / 2 + fm.ascent();
                ink = fm.tightBoundingRect(text).translated(x, baseline);
            } else if (auto* r = qobject_cast<QRadioButton*>(c)) {
                text = r->text();
                QStyleOptionButton opt;
                opt.initFrom(r);
                opt.text = text;
                const QRect contents = r->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, r);
                ink = QRect(contents.left(), 0, r->fontMetrics().horizontalAdvance(text), 1);
            } else if (auto* b = qobject_cast<QPushButton*>(c)) {
                text = b->text();
                const int advance = b->fontMetrics().horizontalAdvance(text);
                ink = QRect((b->width() - advance) / 2 - 2, 0, advance + 4, 1);  // and the bevel either side
            } else {
                continue;
            }
            if (text.isEmpty()) continue;
            ++checked;
            QVERIFY2(c->rect().contains(ink), qPrintable(QString("%1 \"%2\": ink %3,%4 %5x%6 in %7x%8")
                                                             .arg(c->objectName(), text)
                                                             .arg(ink.x())
                                                             .arg(ink.y())
                                                             .arg(ink.width())
                                                             .arg(ink.height())
                                                             .arg(c->width())
                                                             .arg(c->height())));
        }
        QVERIFY(checked > 0);
    }

    void keypadDivideChoosesTheOperatorAndTypesNothing() {
        QWidget* w = openForm("Form3");
        auto* box = child<QLineEdit>(w, "Text1");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Slash, Qt::KeypadModifier);
        QVERIFY(child<QPushButton>(w, "Option4")->isChecked());
        QCOMPARE(box->text(), QString());
        QTest::keyClick(box, Qt::Key_Minus, Qt::KeypadModifier);  // a leading minus stays
        QVERIFY(child<QPushButton>(w, "Option2")->isChecked());
        QVERIFY(!child<QPushButton>(w, "Option4")->isChecked());
        QCOMPARE(box->text(), QString("-"));
    }

    void letterKeySwitchesTheConversionModeAndItsFocus() {
        QWidget* w = openForm("Form37");
        auto* numerator = child<QLineEdit>(w, "Text1");
        QCOMPARE(QApplication::focusWidget(), numerator);
        QTest::keyClicks(numerator, "9");
        QTest::keyClick(numerator, Qt::Key_D, Qt::ShiftModifier);
        QVERIFY(child<QRadioButton>(w, "Option2")->isChecked());
        QVERIFY(!numerator->isVisible());
        auto* whole = child<QLineEdit>(w, "Text8");
        QCOMPARE(QApplication::focusWidget(), whole);
        QCOMPARE(whole->text(), QString());
        QTest::keyClick(whole, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(w, "Text7"));
    }
};

QTEST_MAIN(FractionWindowsTest)
#include "fractionwindows_test.moc"
