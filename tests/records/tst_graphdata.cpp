#include "common/csv.h"
#include "common/error.h"
#include "common/platform.h"
#include "records/graphdata.h"

#include "support/tempprogramfolder.h"

#include <QTest>

#include <cmath>

using namespace zk;

Q_DECLARE_METATYPE(zk::ValueScale)

class TestGraphData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void value_data();
    void value();
    void notANumber_data();
    void notANumber();
    void points_data();
    void points();
    void badValueStops();
    void longDateCut();
    void texts();
    void valueScale_data();
    void valueScale();
    void linesAndCsv();
};

void TestGraphData::init() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestGraphData::value_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<float>("value");
    QTest::newRow("point") << "ja_JP" << QByteArray("60.5") << 60.5f;
    QTest::newRow("trailing point") << "ja_JP" << QByteArray("60.") << 60.0f;
    QTest::newRow("leading zeros") << "ja_JP" << QByteArray("007") << 7.0f;
    QTest::newRow("point, comma locale") << "de_DE" << QByteArray("60.5") << 60.5f;
    QTest::newRow("comma, comma locale") << "de_DE" << QByteArray("60,5") << 60.5f;
}

void TestGraphData::value() {
    QFETCH(QString, locale);
    QFETCH(QByteArray, text);
    QFETCH(float, value);
    Regional::setCurrent(Regional(QLocale(locale)));
    QCOMPARE(RecordValue(text), value);
}

void TestGraphData::notANumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("two points") << QByteArray("1.2.3");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("group separator") << QByteArray("1,000");
    QTest::newRow("infinity") << QByteArray("inf");
    QTest::newRow("beyond float") << QByteArray("1e39");
    QTest::newRow("date") << QByteArray("2002/08/23");
}

void TestGraphData::notANumber() {
    QFETCH(QByteArray, text);
    try {
        RecordValue(text);
        QFAIL("accepted");
    } catch (const Error &e) {
        QCOMPARE(
            e.text(),
            QStringLiteral("'%1' は浮動小数点数ではありません").arg(QString::fromLatin1(text)));
    }
}

void TestGraphData::points_data() {
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QList<float>>("values");
    // File order is kept; a line without 0xFF is all value and has no date.
    QTest::newRow("all") << false << QByteArray() << QByteArray()
                         << QStringList{"2002/06/02", "2002/06/01", "2002/06/30", ""}
                         << QList<float>{2, 1, 30, 7};
    QTest::newRow("bounds included")
        << true << QByteArray("2002/06/01") << QByteArray("2002/06/30")
        << QStringList{"2002/06/02", "2002/06/01", "2002/06/30"} << QList<float>{2, 1, 30};
    QTest::newRow("equal bounds") << true << QByteArray("2002/06/02") << QByteArray("2002/06/02")
                                  << QStringList{"2002/06/02"} << QList<float>{2};
    QTest::newRow("reversed bounds") << true << QByteArray("2002/06/30") << QByteArray("2002/06/01")
                                     << QStringList{} << QList<float>{};
}

void TestGraphData::points() {
    QFETCH(bool, ranged);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QStringList, dates);
    QFETCH(QList<float>, values);
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), "2002/06/02\xff"
                                                 "2\r\n2002/06/01\xff"
                                                 "1.0\r\n2002/06/30\xff"
                                                 "30\r\n7\r\n");
    const QList<GraphPoint> points =
        CollectGraphPoints("w", ranged ? OptionalRange(DateRange{from, to}) : std::nullopt);
    QStringList gotDates;
    QList<float> gotValues;
    for (const GraphPoint &p : points) {
        gotDates.append(QString::fromLatin1(p.date));
        gotValues.append(p.value);
    }
    QCOMPARE(gotDates, dates);
    QCOMPARE(gotValues, values);
}

void TestGraphData::badValueStops() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), "2002/06/01\xff"
                                                 "1\r\n2002/06/02\xff"
                                                 "1.2.3\r\n");
    QVERIFY_THROWS_EXCEPTION(Error, CollectGraphPoints("w", std::nullopt));
    // Outside the range the bad value is never read.
    QCOMPARE(CollectGraphPoints("w", DateRange{"2002/06/01", "2002/06/01"}).size(), 1);
    // A missing file is created empty and gives no points.
    QVERIFY(CollectGraphPoints("new", std::nullopt).isEmpty());
    QVERIFY(folder.exists(QStringLiteral("record/new.dat")));
}

void TestGraphData::longDateCut() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), QByteArray(300, 'd') + "\xff" + "1\r\n");
    QCOMPARE(CollectGraphPoints("w", std::nullopt).value(0).date, QByteArray(255, 'd'));
}

void TestGraphData::texts() {
    QCOMPARE(GraphTitle(QStringLiteral("体重"), std::nullopt), QStringLiteral("体重の推移グラフ"));
    QCOMPARE(GraphTitle(QStringLiteral("体重"), DateRange{"2002/06/01", "2002/06/30"}),
             QStringLiteral("体重の推移グラフ（2002/06/01～2002/06/30）"));
    QCOMPARE(ValueAxisTitle(QStringLiteral("体重"), QStringLiteral("kg")),
             QStringLiteral("体重kg"));
    QCOMPARE(ValueAxisTitle(QStringLiteral("体重"), {}), QStringLiteral("体重"));
    QCOMPARE(DateAxisTitle(), QStringLiteral("計測日時"));
    QCOMPARE(GraphStatusText(12),
             QStringLiteral("12件のデータが見つかりました！グラフへ反映します。"));
    QCOMPARE(GraphStatusText(1234),
             QStringLiteral("1234件のデータが見つかりました！グラフへ反映します。"));
    QCOMPARE(GraphStatusText(0), QStringLiteral("該当件数がありませんでした。日付の範囲指定の"
                                                "チェックを確認して見てください。"));
}

void TestGraphData::valueScale_data() {
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<ValueScale>("scale");
    QTest::addColumn<QByteArray>("target"); // kept inside the axis when it reads as a number
    QTest::newRow("no points") << QList<float>{} << ValueScale{0, 1, 0.2, 1} << QByteArray();
    QTest::newRow("narrow span") << QList<float>{60.0f, 60.2f, 60.1f}
                                 << ValueScale{59.95, 60.25, 0.05, 2} << QByteArray();
    QTest::newRow("step counts") << QList<float>{8000, 15000} << ValueScale{6000, 16000, 2000, 0}
                                 << QByteArray();
    QTest::newRow("one value") << QList<float>{60.5f} << ValueScale{60, 61, 0.5, 1} << QByteArray();
    QTest::newRow("zero") << QList<float>{0} << ValueScale{-0.5, 0.5, 0.5, 1} << QByteArray();
    QTest::newRow("target below") << QList<float>{62, 62.5f} << ValueScale{59, 63, 1, 0}
                                  << QByteArray("60");
    QTest::newRow("target not a number")
        << QList<float>{60.5f} << ValueScale{60, 61, 0.5, 1} << QByteArray("abc");
    // Values that are all positive (or all negative) never cross zero.
    QTest::newRow("positive totals")
        << QList<float>{150, 4000} << ValueScale{0, 5000, 1000, 0} << QByteArray("2500");
    QTest::newRow("zero and above")
        << QList<float>{0, 10} << ValueScale{0, 15, 5, 0} << QByteArray();
    QTest::newRow("all negative") << QList<float>{-1000, -4000} << ValueScale{-5000, 0, 1000, 0}
                                  << QByteArray();
    QTest::newRow("target below zero")
        << QList<float>{150, 4000} << ValueScale{-1000, 5000, 1000, 0} << QByteArray("-10");
}

void TestGraphData::valueScale() {
    QFETCH(QList<float>, values);
    QFETCH(ValueScale, scale);
    QList<GraphPoint> points;
    for (const float v : values)
        points.append({"d", v});
    QFETCH(QByteArray, target);
    const ValueScale got = ValueScaleFor(points, TargetValue(target));
    QCOMPARE(got.decimals, scale.decimals);
    QCOMPARE(got.step, scale.step);
    QCOMPARE(got.min, scale.min);
    QCOMPARE(got.max, scale.max);
    // A bound at zero is labelled "0", never "-0".
    QVERIFY(got.min != 0 || !std::signbit(got.min));
    QVERIFY(got.max != 0 || !std::signbit(got.max));
}

void TestGraphData::linesAndCsv() {
    QList<GraphPoint> points;
    for (const float v : {1, 2, 3, 4, 5, 6, 7, 8, 9})
        points.append({"2002/06/0" + QByteArray::number(int(v)), v});
    QCOMPARE(MovingAverage(points), (QList<double>{1, 1.5, 2, 2.5, 3, 3.5, 4, 5, 6}));
    QCOMPARE(PointDates(points)->last(), QDate(2002, 6, 9));
    points[1].date = "yesterday"; // one text that is no date: no dates at all
    QVERIFY(!PointDates(points));

    const QList<GraphPoint> shown{{"2002/06/01", 60.5f}, {"a,\"b\"", 61.3f}};
    QCOMPARE(CsvFileBytes(GraphCsvRows(shown, QStringLiteral("体重[kg]"), {60.5, 60.9})),
             QByteArray("\xEF\xBB\xBF"
                        "日付,体重[kg],移動平均\r\n"
                        "2002/06/01,60.5,60.5\r\n"
                        "\"a,\"\"b\"\"\",61.3,60.9\r\n"));
}

QTEST_GUILESS_MAIN(TestGraphData)
#include "tst_graphdata.moc"
