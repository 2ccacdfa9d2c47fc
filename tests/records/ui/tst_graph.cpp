#include "common/error.h"
#include "common/platform.h"
#include "records/ui/graphchart.h"
#include "records/ui/imagesizedialog.h"
#include "records/ui/tgraph.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QValueAxis>

using namespace zk;

namespace {

const QByteArray Weight = "\x91\xcc\x8f\x64"; // 体重

void writeItems(const test::TempProgramFolder &folder) {
    folder.write(QStringLiteral("setting/graph.dat"), Weight + "\xff"
                                                               "kg\xff\r\nsteps\xff\xff\r\n");
    folder.write(QStringLiteral("record/体重.dat"), "2002/06/01\xff"
                                                    "60.5\r\n2002/06/02\xff"
                                                    "61\r\n2002/06/30\xff"
                                                    "59.5\r\n");
    folder.write(QStringLiteral("record/steps.dat"), "2002/06/01\xff"
                                                     "8000\r\n");
}

QList<double> ys(const TGraph &window) {
    QList<double> out;
    for (const QPointF &p : test::child<GraphChart>(&window, "cht")->series()->points())
        out.append(p.y());
    return out;
}

QList<double> xs(const TGraph &window) {
    QList<double> out;
    for (const QPointF &p : test::child<GraphChart>(&window, "cht")->series()->points())
        out.append(p.x());
    return out;
}

} // namespace

class TestGraph : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void withoutItemList();
    void stateLoadedAtStart();
    void choosingItems();
    void dailyTotalsComeFirst();
    void linesBesideTheItem();
    void range_data();
    void range();
    void badValueKeepsGraph();
    void emptyGraphKeepsAxisTitlesInPlace();
    void clickingAgainReadsAgain();
    void manyPointsThinLabels();
    void closeSavesState();
    void printsOnePage();
    void cancelledPrintWritesNothing();
};

void TestGraph::initTestCase() {
    Regional regional(QLocale(QLocale::Japanese, QLocale::Japan));
    regional.setToday([] { return QDate(2002, 6, 27); });
    Regional::setCurrent(regional);
}

// A program folder as installed: no item list, no day of the food diary. The
// window keeps its range in its own file all the same, and nothing else.
void TestGraph::withoutItemList() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    {
        TGraph window;
        QCOMPARE(window.windowTitle(), QStringLiteral("ｸﾞﾗﾌ"));
        QCOMPARE(test::child<QListWidget>(&window, "lstItems")->count(), 0);
        QVERIFY(test::child<QDateEdit>(&window, "dtpStart")->isEnabled());
        QCOMPARE(test::child<GraphChart>(&window, "cht")->chart()->title(), QString());
        window.show();
        test::child<QCheckBox>(&window, "chkDataRange")->setChecked(false);
        test::child<QDateEdit>(&window, "dtpStart")->setDate(QDate(2002, 6, 1));
        QVERIFY(window.close());
    }
    TGraph again; // the next start
    QVERIFY(!test::child<QCheckBox>(&again, "chkDataRange")->isChecked());
    QCOMPARE(test::child<QDateEdit>(&again, "dtpStart")->date(), QDate(2002, 6, 1));
    QVERIFY(prompt.asked.isEmpty());
    QDirIterator files(folder.path({}), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList written;
    while (files.hasNext())
        written.append(QDir(folder.path({})).relativeFilePath(files.next()));
    written.sort();
    QCOMPARE(written, (QStringList{"setting/day.ini", "setting/graph.ini"}));
    QVERIFY(!QFile::exists(QCoreApplication::applicationFilePath() + QStringLiteral(".ini")));
}

void TestGraph::stateLoadedAtStart() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    folder.write(QStringLiteral("setting/day.ini"),
                 "[chkDataRange]\r\nChecked=0\r\n[dtpStart]\r\nDate=37408\r\n");
    TGraph window;
    auto *chkDataRange = test::child<QCheckBox>(&window, "chkDataRange");
    auto *dtpEnd = test::child<QDateEdit>(&window, "dtpEnd");
    QVERIFY(!chkDataRange->isChecked());
    QCOMPARE(test::child<QDateEdit>(&window, "dtpStart")->date(), QDate(2002, 6, 1));
    QCOMPARE(dtpEnd->date(), QDate(2002, 6, 27));
    for (const char *name : {"dtpStart", "lblStart", "dtpEnd", "lblEnd"})
        QVERIFY2(!test::child<QWidget>(&window, name)->isEnabled(), name);
    chkDataRange->click();
    QVERIFY(dtpEnd->isEnabled());
    QVERIFY(test::child<QLabel>(&window, "lblEnd")->isEnabled());
}

void TestGraph::choosingItems() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    TGraph window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    auto *cht = test::child<GraphChart>(&window, "cht");
    QCOMPARE(lstItems->item(0)->text(), QStringLiteral("体重[kg]"));
    test::child<QCheckBox>(&window, "chkDataRange")->setChecked(false);
    lstItems->setCurrentRow(0);
    QCOMPARE(xs(window), (QList<double>{0, 1, 2}));
    QCOMPARE(ys(window), (QList<double>{60.5, 61, 59.5}));
    QCOMPARE(cht->dateAxis()->categoriesLabels(),
             (QStringList{"2002/06/01", "2002/06/02", "2002/06/30"}));
    QCOMPARE(cht->chart()->title(), QStringLiteral("体重の推移グラフ"));
    QCOMPARE(cht->dateAxis()->titleText(), QStringLiteral("計測日時"));
    QCOMPARE(cht->valueAxis()->titleText(), QStringLiteral("体重kg"));
    QCOMPARE(cht->valueAxis()->labelFormat(), QStringLiteral("%.1f"));
    QCOMPARE(cht->series()->pen().color(), QColor(Qt::red));
    QCOMPARE(test::child<QLabel>(&window, "stbText")->text(),
             QStringLiteral("3件のデータが見つかりました！グラフへ反映します。"));

    QCOMPARE(cht->valueAxis()->min(), 59.0);
    QCOMPARE(cht->valueAxis()->max(), 61.5);
    QCOMPARE(cht->valueAxis()->tickInterval(), 0.5);

    lstItems->setCurrentRow(1);
    QCOMPARE(ys(window), QList<double>{8000});
    QCOMPARE(cht->dateAxis()->categoriesLabels(), QStringList{"2002/06/01"});
    // Counts need no decimals; the labels group their thousands.
    QCOMPARE(cht->valueAxis()->labelFormat(), QStringLiteral("%.0f"));
    QVERIFY(cht->chart()->localizeNumbers());
    QCOMPARE(cht->chart()->locale().groupSeparator(), QStringLiteral(","));
    QCOMPARE(cht->valueAxis()->titleText(), QStringLiteral("steps"));
    QVERIFY(prompt.asked.isEmpty());
    // Titles that look like markup are shown as they are written.
    cht->setGraph({}, QStringLiteral("<b>x</b>"), {}, QStringLiteral("<i>kg"));
    QCOMPARE(cht->chart()->title(), QStringLiteral("&lt;b&gt;x&lt;/b&gt;"));
    QCOMPARE(cht->valueAxis()->titleText(), QStringLiteral("&lt;i&gt;kg"));
}

void TestGraph::dailyTotalsComeFirst() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    folder.write(QStringLiteral("record/intake/2002-06-01.dat"), "a\xff\xff"
                                                                 "100 kcal\r\nb\xff\xff"
                                                                 "50 kcal\r\n");
    folder.write(QStringLiteral("record/intake/2002-06-20.dat"), "c\xff\xff-30 kcal\r\n");
    folder.write(QStringLiteral("record/intake/2002-06-28.dat"), "d\xff\xff"
                                                                 "1 kcal\r\n");
    folder.write(QStringLiteral("record/intake/notes.dat"), "not a day");
    // A day whose file fails to read (an I/O error there) is left out, and said.
    QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"),
                        folder.path(QStringLiteral("record/intake/2002-06-10.dat"))));
    TGraph window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    auto *cht = test::child<GraphChart>(&window, "cht");
    QCOMPARE(lstItems->count(), 3);
    QCOMPARE(lstItems->item(0)->text(), QStringLiteral("摂取ｶﾛﾘｰ[kcal]"));
    QCOMPARE(lstItems->item(1)->text(), QStringLiteral("体重[kg]"));
    lstItems->setCurrentRow(0);
    QCOMPARE(ys(window), (QList<double>{150, -30})); // the range ends on 2002/06/27
    QCOMPARE(test::child<QLabel>(&window, "stbText")->text(),
             QStringLiteral("2件のデータが見つかりました！グラフへ反映します。 "
                            "読めない日を除きました: 2002/06/10"));
    QCOMPARE(cht->dateAxis()->categoriesLabels(), (QStringList{"2002/06/01", "2002/06/20"}));
    QCOMPARE(cht->chart()->title(),
             QStringLiteral("摂取ｶﾛﾘｰの推移グラフ（2002/05/27～2002/06/27）"));
    QCOMPARE(cht->valueAxis()->titleText(), QStringLiteral("摂取ｶﾛﾘｰkcal"));
    // Without an item list the totals are listed all the same.
    QVERIFY(QFile::remove(folder.path(QStringLiteral("setting/graph.dat"))));
    window.reloadItems();
    QCOMPARE(lstItems->count(), 1);
    QVERIFY(prompt.asked.isEmpty());
}

void TestGraph::linesBesideTheItem() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    folder.write(QStringLiteral("setting/graph.dat"), Weight + "\xffkg\xff"
                                                               "60\r\n");
    folder.write(QStringLiteral("setting/graph.ini"), "[chkTrend]\r\nChecked=1\r\n");
    TGraph window;
    window.resize(700, 450);
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    auto *cht = test::child<GraphChart>(&window, "cht");
    test::child<QCheckBox>(&window, "chkDataRange")->setChecked(false);
    lstItems->setCurrentRow(0);
    // The target as a line the axis takes in, the trend beside the values.
    QVERIFY(cht->targetSeries()->isVisible());
    QCOMPARE(cht->targetSeries()->at(0).y(), 60.0);
    QVERIFY(cht->valueAxis()->min() <= 60);
    QCOMPARE(cht->trend(), (QList<double>{60.5, 60.75, 60.333333333333336}));
    QCOMPARE(cht->hoverText(QPointF(1.2, 0)), QStringLiteral("2002/06/02\n61\n移動平均 60.75"));
    test::child<QCheckBox>(&window, "chkTarget")->click();
    QVERIFY(!cht->targetSeries()->isVisible());
    QCOMPARE(cht->valueAxis()->min(), 59.0);
    test::child<QCheckBox>(&window, "chkDateScale")->click(); // the gap to 06/30 shows
    QCOMPARE(xs(window), (QList<double>{0, 1, 29}));

    // Out as CSV and as pictures, through the file chooser.
    QString answer = folder.path(QStringLiteral("w.csv"));
    prompt.answerSaveFile = [&](const QString &) { return std::optional(answer); };
    test::child<QPushButton>(&window, "btnCsv")->click();
    QVERIFY(folder.read(QStringLiteral("w.csv"))
                .startsWith("\xEF\xBB\xBF日付,体重[kg],移動平均\r\n2002/06/01,60.5,60.5\r\n"));
    // The picture's size is asked for, offered as shown; Cancel saves nothing.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    answer = folder.path(QStringLiteral("w"));
    test::child<QPushButton>(&window, "btnImage")->click();
    QVERIFY(!QFile::exists(folder.path(QStringLiteral("w.png"))));
    QSize offered;
    prompt.answerDialog = [&](QDialog &d) {
        offered = qobject_cast<ImageSizeDialog *>(&d)->chosenSize();
        test::child<QSpinBox>(&d, "updWidth")->setValue(1234);
        test::child<QSpinBox>(&d, "updHeight")->setValue(567);
        return int(QDialog::Accepted);
    };
    test::child<QPushButton>(&window, "btnImage")->click();
    QCOMPARE(offered, cht->size());
    QImage saved;
    QVERIFY(saved.loadFromData(folder.read(QStringLiteral("w.png")), "PNG"));
    QCOMPARE(saved.size(), QSize(1234, 567));
    // A file there is replaced only when the user agrees; refused, the
    // chooser opens again, here cancelled.
    folder.write(QStringLiteral("w.png"), "old");
    test::child<QPushButton>(&window, "btnImage")->click();
    QCOMPARE(prompt.texts(), QStringList{"「w.png」は既にあります。置き換えますか？"});
    QCOMPARE(folder.read(QStringLiteral("w.png")), QByteArray("old"));
    prompt.clear();
    prompt.answers = {Prompt::Answer::Yes};
    test::child<QPushButton>(&window, "btnImage")->click();
    QVERIFY(folder.read(QStringLiteral("w.png")).startsWith("\x89PNG"));
    // The format follows the filter; a name keeps a dot of its own, and
    // another kind's extension is asked about.
    prompt.clear();
    prompt.fileFilter = 1;
    test::child<QPushButton>(&window, "btnImage")->click();
    QVERIFY(folder.read(QStringLiteral("w.svg")).contains("<svg"));
    prompt.fileFilter = 0;
    answer = folder.path(QStringLiteral("体重 2024.12"));
    test::child<QPushButton>(&window, "btnImage")->click();
    QVERIFY(folder.read(QStringLiteral("体重 2024.12.png")).startsWith("\x89PNG"));
    QVERIFY(prompt.asked.isEmpty());
    answer = folder.path(QStringLiteral("w.jpg"));
    prompt.answers = {Prompt::Answer::Yes};
    test::child<QPushButton>(&window, "btnImage")->click();
    QCOMPARE(prompt.texts(),
             QStringList{"「w.jpg」の拡張子は「.jpg」です。「w.jpg.png」として保存しますか？"});
    QVERIFY(folder.exists(QStringLiteral("w.jpg.png")) && !folder.exists(QStringLiteral("w.jpg")));
    prompt.clear();
    // A picture that cannot be made is said so, and writes nothing.
    QVERIFY_THROWS_EXCEPTION(Error, cht->pngBytes(QSize(100'000'000, 1)));
    QCOMPARE(prompt.fileFilters, (QStringList{"PNG (*.png)", "SVG (*.svg)"}));
    window.close();
    QCOMPARE(folder.read(QStringLiteral("setting/graph.ini")),
             QByteArray("[chkTrend]\r\nChecked=1\r\n\r\n[chkTarget]\r\nChecked=0\r\n\r\n"
                        "[chkDateScale]\r\nChecked=1\r\n\r\n"));
    QVERIFY(prompt.asked.isEmpty());
}

void TestGraph::range_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("status");
    QTest::newRow("bounds included")
        << QDate(2002, 6, 1) << QDate(2002, 6, 30) << QList<double>{60.5, 61, 59.5}
        << "3件のデータが見つかりました！グラフへ反映します。";
    QTest::newRow("equal bounds") << QDate(2002, 6, 2) << QDate(2002, 6, 2) << QList<double>{61}
                                  << "1件のデータが見つかりました！グラフへ反映します。";
    QTest::newRow("reversed bounds")
        << QDate(2002, 6, 30) << QDate(2002, 6, 1) << QList<double>{}
        << "該当件数がありませんでした。日付の範囲指定のチェックを確認して見てください。";
}

void TestGraph::range() {
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QList<double>, values);
    QFETCH(QString, status);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    TGraph window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    auto *cht = test::child<GraphChart>(&window, "cht");
    test::child<QDateEdit>(&window, "dtpStart")->setDate(from);
    test::child<QDateEdit>(&window, "dtpEnd")->setDate(to);
    lstItems->setCurrentRow(0);
    QCOMPARE(ys(window), values);
    QCOMPARE(test::child<QLabel>(&window, "stbText")->text(), status);
    QCOMPARE(cht->chart()->title(), QStringLiteral("体重の推移グラフ（%1～%2）")
                                        .arg(from.toString(QStringLiteral("yyyy/MM/dd")),
                                             to.toString(QStringLiteral("yyyy/MM/dd"))));
    // Unticking keeps the graph until the next choice, which then takes every record.
    test::child<QCheckBox>(&window, "chkDataRange")->click();
    QCOMPARE(ys(window), values);
    lstItems->clearSelection();
    lstItems->setCurrentRow(0);
    QCOMPARE(ys(window).size(), 3);
    QCOMPARE(cht->chart()->title(), QStringLiteral("体重の推移グラフ"));
}

void TestGraph::badValueKeepsGraph() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    folder.write(QStringLiteral("record/steps.dat"), "2002/06/01\xff"
                                                     "1.2.3\r\n");
    TGraph window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    auto *stbText = test::child<QLabel>(&window, "stbText");
    test::child<QCheckBox>(&window, "chkDataRange")->setChecked(false);
    lstItems->setCurrentRow(0);
    const QString status = stbText->text();
    lstItems->setCurrentRow(1);
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("'1.2.3' は浮動小数点数ではありません")});
    QCOMPARE(ys(window), (QList<double>{60.5, 61, 59.5}));
    QCOMPARE(stbText->text(), status);
    QCOMPARE(test::child<GraphChart>(&window, "cht")->chart()->title(),
             QStringLiteral("体重の推移グラフ"));
    // The list shows the item drawn chosen, and the exports save it; the
    // focus stays on the item the user went to.
    QCOMPARE(lstItems->selectedItems(), QList{lstItems->item(0)});
    QCOMPARE(lstItems->currentRow(), 1);
    prompt.answerSaveFile = [&](const QString &) {
        return std::optional(folder.path(QStringLiteral("w.csv")));
    };
    test::child<QPushButton>(&window, "btnCsv")->click();
    QVERIFY(folder.read(QStringLiteral("w.csv"))
                .startsWith("\xEF\xBB\xBF日付,体重[kg]\r\n2002/06/01,60.5\r\n"));
}

void TestGraph::emptyGraphKeepsAxisTitlesInPlace() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    TGraph window;
    auto *cht = test::child<GraphChart>(&window, "cht");
    test::child<QDateEdit>(&window, "dtpStart")->setDate(QDate(2001, 1, 1));
    test::child<QDateEdit>(&window, "dtpEnd")->setDate(QDate(2001, 1, 2));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Nothing in the range, as the first graph shown.
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    QCOMPARE(cht->series()->count(), 0);
    QCOMPARE(cht->dateAxis()->titleText(), QStringLiteral("計測日時"));
    QApplication::processEvents();
    // The axis titles are the only text drawn in their bluish grey (the blue
    // title blends with white at full blue): none of it may stand in the top
    // quarter, above the plot.
    const QImage shot = cht->grab().toImage();
    int grey = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() == c.green() && c.red() > 100 && c.blue() > c.red() && c.blue() < 250) {
                ++grey;
                QVERIFY2(y > shot.height() / 4, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
    }
    QVERIFY(grey > 0);
}

void TestGraph::clickingAgainReadsAgain() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    TGraph window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    auto *cht = test::child<GraphChart>(&window, "cht");
    test::child<QCheckBox>(&window, "chkDataRange")->setChecked(false);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint first = lstItems->visualItemRect(lstItems->item(0)).center();
    QTest::mouseClick(lstItems->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(ys(window).size(), 3);
    folder.write(QStringLiteral("record/体重.dat"), "2002/06/01\xff"
                                                    "70\r\n");
    QTest::mouseClick(lstItems->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(ys(window), QList<double>{70});
    // A restore put the file back: drawn again without a click.
    folder.write(QStringLiteral("record/体重.dat"), "2002/06/01\xff"
                                                    "71\r\n");
    window.reloadItems();
    window.redraw();
    QCOMPARE(ys(window), QList<double>{71});

    // From a narrow value axis to a wide one and back, as drawn on screen.
    folder.write(QStringLiteral("record/steps.dat"), "2002/06/01\xff"
                                                     "8000\r\n2002/06/02\xff"
                                                     "15000\r\n");
    const QPoint second = lstItems->visualItemRect(lstItems->item(1)).center();
    QTest::mouseClick(lstItems->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(cht->valueAxis()->tickInterval(), 2000.0);
    QTest::mouseClick(lstItems->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(cht->valueAxis()->tickInterval(), 0.5);
}

void TestGraph::manyPointsThinLabels() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    QByteArray file;
    for (QDate d(2000, 1, 1); d < QDate(2002, 1, 1); d = d.addDays(1))
        file += d.toString(QStringLiteral("yyyy/MM/dd")).toLatin1() + "\xff" + "60\r\n";
    file += "2002/01/01\xff"
            "1\r\n2002/01/01\xff"
            "2\r\n";
    folder.write(QStringLiteral("record/体重.dat"), file);
    TGraph window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    auto *cht = test::child<GraphChart>(&window, "cht");
    test::child<QCheckBox>(&window, "chkDataRange")->setChecked(false);
    lstItems->setCurrentRow(0);
    QCOMPARE(cht->series()->count(), 733);
    const QStringList labels = cht->dateAxis()->categoriesLabels();
    QVERIFY(labels.size() <= GraphChart::MaxLabels);
    QCOMPARE(labels.first(), QStringLiteral("2000/01/01"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Shown, the labels thin out further until they fit side by side.
    const int step = cht->labelStep();
    QVERIFY(step > 733 / GraphChart::MaxLabels);
    // A round step, which a small resize leaves as it is.
    QVERIFY(QStringList({"1", "2", "5"})
                .contains(QString::number(step).remove(QRegularExpression(QStringLiteral("0+$")))));
    QCOMPARE(cht->dateAxis()->categoriesLabels().size(), (733 + step - 1) / step);
    // The last date is labelled as well as the first.
    QCOMPARE(cht->dateAxis()->endValue(cht->dateAxis()->categoriesLabels().last()), 732.0);
    window.hide();

    // A date standing twice keeps a label for each point.
    folder.write(QStringLiteral("record/体重.dat"), "2002/01/01\xff"
                                                    "1\r\n2002/01/01\xff"
                                                    "2\r\n");
    lstItems->setCurrentRow(1);
    lstItems->setCurrentRow(0);
    QCOMPARE(cht->dateAxis()->categoriesLabels().size(), 2);
}

void TestGraph::closeSavesState() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    TGraph window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    window.show();
    test::child<QCheckBox>(&window, "chkDataRange")->setChecked(false);
    test::child<QDateEdit>(&window, "dtpStart")->setDate(QDate(2002, 6, 1));
    lstItems->setCurrentRow(0);
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QCOMPARE(folder.read(QStringLiteral("setting/day.ini")),
             QByteArray("[chkDataRange]\r\nChecked=0\r\n\r\n[dtpStart]\r\nDate=37408\r\n\r\n"
                        "[dtpEnd]\r\nDate=37434\r\n\r\n"));
    // Shown again, it presents the same graph.
    window.show();
    QCOMPARE(ys(window).size(), 3);
    // Esc closes it as well.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(lstItems, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void TestGraph::printsOnePage() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    TGraph window;
    window.resize(749, 487);
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    const QString pdf = folder.path(QStringLiteral("graph.pdf"));
    prompt.answerPrinter = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    test::child<QPushButton>(&window, "btnPrint")->click();
    const QByteArray bytes = folder.read(QStringLiteral("graph.pdf"));
    QVERIFY(bytes.startsWith("%PDF"));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    QCOMPARE(QString::fromLatin1(bytes).count(page), 1);
}

void TestGraph::cancelledPrintWritesNothing() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeItems(folder);
    TGraph window;
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    prompt.answerPrinter = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.path(QStringLiteral("graph.pdf")));
        return false;
    };
    test::child<QPushButton>(&window, "btnPrint")->click();
    QVERIFY(!folder.exists(QStringLiteral("graph.pdf")));
}

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
