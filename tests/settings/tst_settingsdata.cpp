#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "settings/colortext.h"
#include "settings/energyestimate.h"
#include "settings/fontrows.h"
#include "settings/settingsdata.h"
#include "settings/standardcalorie.h"

#include "support/tempprogramfolder.h"

#include <QTest>

#include <variant>

using namespace zk;

class TestSettingsData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void colorText_data();
    void colorText();
    void colorFromText_data();
    void colorFromText();
    void badColorText();
    void fontStyle_data();
    void fontStyle();
    void fontSpecFallsBackToDesign_data();
    void fontSpecFallsBackToDesign();
    void completeFontRowKeepsCaption();
    void fontRowWithKeepsExtraCells();
    void limitEntriesWithoutFiles();
    void limitEntriesFromFiles();
    void saveWritesFilesByteForByte();
    void badColorDoesNotStopSave();
    void dailyStandardClamped();
    void energyEstimate_data();
    void energyEstimate();
};

Q_DECLARE_METATYPE(zk::EnergyInputs)

void TestSettingsData::initTestCase() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestSettingsData::colorText_data() {
    QTest::addColumn<quint32>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("red") << quint32(plainColor(255, 0, 0)) << QStringLiteral("clRed");
    QTest::newRow("orange") << quint32(plainColor(255, 128, 0)) << QStringLiteral("$000080FF");
    QTest::newRow("navy") << quint32(0x800000) << QStringLiteral("clNavy");
    QTest::newRow("none") << quint32(0x1FFFFFFF) << QStringLiteral("clNone");
    QTest::newRow("window") << quint32(0x80000005) << QStringLiteral("clWindow");
    QTest::newRow("first system") << quint32(0x80000000) << QStringLiteral("clScrollBar");
    QTest::newRow("last system") << quint32(0x80000018) << QStringLiteral("clInfoBk");
    QTest::newRow("beyond system") << quint32(0x80000019) << QStringLiteral("$80000019");
}

void TestSettingsData::colorText() {
    QFETCH(quint32, color);
    QFETCH(QString, text);
    QCOMPARE(ColorText(color), text);
    QCOMPARE(ColorFromText(text), color);
}

void TestSettingsData::colorFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("color");
    QTest::newRow("identifier any case") << QStringLiteral("CLRED") << quint32(0xFF);
    QTest::newRow("system any case") << QStringLiteral("clhighlight") << quint32(0x8000000D);
    QTest::newRow("decimal") << QStringLiteral("255") << quint32(0xFF);
    QTest::newRow("negative decimal") << QStringLiteral("-1") << quint32(0xFFFFFFFF);
    QTest::newRow("hex lower") << QStringLiteral("$000080ff") << quint32(0x80FF);
}

void TestSettingsData::colorFromText() {
    QFETCH(QString, text);
    QFETCH(quint32, color);
    QCOMPARE(ColorFromText(text), color);
}

void TestSettingsData::badColorText() {
    const QStringList bad{QStringLiteral("red"),  QStringLiteral("$"),
                          QStringLiteral(""),     QStringLiteral("$123456789"),
                          QStringLiteral("0xFF"), QStringLiteral("clBlac\u212A")};
    for (const QString &text : bad) {
        try {
            ColorFromText(text);
            QFAIL(qPrintable(text));
        } catch (const Error &e) {
            QCOMPARE(e.text(), QStringLiteral("'%1' は整数ではありません").arg(text));
        }
    }
}

void TestSettingsData::fontStyle_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::newRow("0") << 0 << false << false << false;
    QTest::newRow("5") << 5 << true << false << true;
    QTest::newRow("7") << 7 << true << true << true;
    QTest::newRow("other bits") << 10 << false << true << false;
}

void TestSettingsData::fontStyle() {
    QFETCH(int, number);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    const FontStyle style = IntToFontStyle(number);
    QCOMPARE(style, (FontStyle{bold, italic, underline}));
    QCOMPARE(FontStyleToInt(style), number & 7);
}

void TestSettingsData::fontSpecFallsBackToDesign_data() {
    QTest::addColumn<ListRows>("rows");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<quint32>("background");
    const ListRow custom{"x", "IPAGothic", "12", "1", "clRed", "$00112233"};
    QTest::newRow("row used") << ListRows{custom} << 0 << QStringLiteral("IPAGothic") << 12
                              << quint32(0x112233);
    QTest::newRow("missing row") << ListRows{custom} << 3 << QStringLiteral("ＭＳ Ｐ明朝") << 10
                                 << quint32(0x800000);
    QTest::newRow("short row") << ListRows{custom, custom, {"x", "Tahoma", "9"}} << 2
                               << QStringLiteral("Tahoma") << 8 << quint32(0x80000005);
    QTest::newRow("size not a number") << ListRows{{"x", "F", "big", "x", "clBlack", "clWhite"}}
                                       << 0 << QStringLiteral("F") << 10 << quint32(0xFFFFFF);
    QTest::newRow("colour that is no colour")
        << ListRows{custom, {"x", "F", "9", "0", "clBlack", "yellow"}} << 1 << QStringLiteral("F")
        << 9 << quint32(0x80000005);
}

void TestSettingsData::fontSpecFallsBackToDesign() {
    QFETCH(ListRows, rows);
    QFETCH(int, part);
    QFETCH(QString, family);
    QFETCH(int, size);
    QFETCH(quint32, background);
    QStringList problems;
    const FontSpec partFont = fontSpecFor(rows, part, &problems);
    QCOMPARE(problems.size(),
             qsizetype(QTest::currentDataTag() == QByteArray("colour that is no colour")));
    QCOMPARE(partFont.family, family);
    QCOMPARE(partFont.pointSize, size);
    QCOMPARE(partFont.background, background);
}

void TestSettingsData::completeFontRowKeepsCaption() {
    const ListRows rows{{"a", "F", "9", "0", "clRed", "clRed"}, {"mine", "G"}};
    QCOMPARE(completeFontRow(rows, 0), rows[0]);
    QCOMPARE(completeFontRow(rows, 1),
             (ListRow{"mine", sjis::encode(u"ＭＳ Ｐ明朝"), "10", "0", "clBlack", "clWindow"}));
    QCOMPARE(completeFontRow(rows, 6).mid(1), designFontRows().at(0).mid(1));
}

void TestSettingsData::fontRowWithKeepsExtraCells() {
    FontSpec partFont{QStringLiteral("ＭＳ Ｐ明朝"), 12, {true, false, true}, 0xFF, 0x80FF};
    const ListRow row = fontRowWith({"p", "a", "b", "c", "d", "e", "extra"}, partFont);
    QCOMPARE(row, (ListRow{"p", sjis::encode(u"ＭＳ Ｐ明朝"), "12", "5", "clRed", "$000080FF",
                           "extra"}));
    // What the dialog did not change keeps its stored text, bytes that are
    // not CP932 and a colour name spelt otherwise included.
    const ListRow stored{"p", "\x80", "012", "5", "clred", "$000080FF"};
    partFont.family = QStringLiteral("\uFFFD");
    QCOMPARE(fontRowWith(stored, partFont), stored);
}

void TestSettingsData::limitEntriesWithoutFiles() {
    test::TempProgramFolder folder;
    SettingsData data;
    data.load();
    QCOMPARE(data.limitEntries(),
             (QStringList{QStringLiteral("1日の基準 : 2500 kcal"), QStringLiteral("朝 : 750 kcal"),
                          QStringLiteral("昼 : 750 kcal"), QStringLiteral("夜 : 1000 kcal")}));
    QCOMPARE(data.fonts.rowCount(), 5);
}

void TestSettingsData::limitEntriesFromFiles() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("setting/setting.ini"), "[UPDDAYCAL]\r\nposition=12000\r\n");
    folder.write(QStringLiteral("setting/standard.dat"), "\x8a\xd4\x90\x48\xff"
                                                         "200 kcal\r\n");
    SettingsData data;
    data.load();
    QCOMPARE(data.dailyStandard(), 12000);
    QCOMPARE(data.limitEntries(), (QStringList{QStringLiteral("1日の基準 : 12000 kcal"),
                                               QStringLiteral("間食 : 200 kcal")}));
}

void TestSettingsData::saveWritesFilesByteForByte() {
    test::TempProgramFolder folder;
    SettingsData data;
    data.load();
    data.setDailyStandard(1800);
    data.standards.appendRow(standardRow(sjis::encode(u"間食"), 200));
    data.save();
    QCOMPARE(folder.read(QStringLiteral("setting/setting.ini")),
             QByteArray("[upddaycal]\r\nPosition=1800\r\n\r\n"));
    QCOMPARE(folder.read(QStringLiteral("setting/standard.dat")),
             QByteArray("\x92\xa9\xff"
                        "750 kcal\r\n\x92\x8b\xff"
                        "750 kcal\r\n\x96\xe9\xff"
                        "1000 kcal\r\n\x8a\xd4\x90\x48\xff"
                        "200 kcal\r\n"));
    const QByteArray mincho("\xff\x82\x6c\x82\x72\x20\x82\x6f\x96\xbe\x92\xa9\xff");
    QCOMPARE(folder.read(QStringLiteral("setting/font.dat")),
             "\xb6\xdb\xd8\xb0\xc3\xde\xb0\xc0\xcc\xa7\xb2\xd9" + mincho +
                 "10\xff"
                 "0\xff"
                 "clBlack\xff"
                 "clWindow\r\n\xb6\xdb\xd8\xb0\xd8\xbd\xc4" +
                 mincho +
                 "10\xff"
                 "0\xff"
                 "clBlack\xff"
                 "clWindow\r\n\xcf\xb2\x81\x45\xb6\xdb\xd8\xb0\xd8\xbd\xc4\xff"
                 "Tahoma\xff"
                 "8\xff"
                 "0\xff"
                 "clBlack\xff"
                 "clWindow\r\n\xb6\xc3\xba\xde\xd8\xca\xdf\xc8\xd9" +
                 mincho +
                 "10\xff"
                 "0\xff"
                 "clWhite\xff"
                 "clNavy\r\n\x91\x8d\xb6\xdb\xd8\xb0\xca\xdf\xc8\xd9\xff"
                 "Tahoma\xff"
                 "8\xff"
                 "0\xff"
                 "clBlack\xff"
                 "clWindow\r\n");
}

void TestSettingsData::badColorDoesNotStopSave() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("setting/font.dat"), "p\xff"
                                                     "F\xff"
                                                     "10\xff"
                                                     "0\xff"
                                                     "red\xff"
                                                     "clWhite\r\n");
    SettingsData data;
    data.load();
    data.setDailyStandard(100);
    QStringList problems;
    QCOMPARE(data.fontSpecs(&problems).first().color, ColorValue(0)); // the design clBlack
    QCOMPARE(problems.size(), 1);
    data.save(); // the text stays the user's to mend; nothing else waits for it
    QCOMPARE(folder.read(QStringLiteral("setting/setting.ini")),
             QByteArray("[upddaycal]\r\nPosition=100\r\n\r\n"));
    QVERIFY(folder.read(QStringLiteral("setting/font.dat")).contains("red"));
}

void TestSettingsData::dailyStandardClamped() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("setting/setting.ini"), "[upddaycal]\r\nPosition=40000\r\n");
    SettingsData data;
    int seen = -1;
    data.dailyStandardChanged = [&](int v) { seen = v; };
    data.load();
    QCOMPARE(data.dailyStandard(), 32767);
    QCOMPARE(seen, 32767);
    data.setDailyStandard(-5);
    QCOMPARE(data.dailyStandard(), 0);
}

// Worked out by hand from the standard's tables: 基礎代謝基準値 × weight ×
// 身体活動レベル, a weekly change at 7,200 kcal/kg over 7 days, rounded to 10.
void TestSettingsData::energyEstimate_data() {
    using Sex = EnergyInputs::Sex;
    using Activity = EnergyInputs::Activity;
    QTest::addColumn<EnergyInputs>("inputs");
    QTest::addColumn<int>("target");   // 0: refused
    QTest::addColumn<QString>("said"); // the BMI line, or a part of the refusal
    const auto in = [](Sex sex, int age, double height, double weight, Activity activity,
                       double change) {
        return EnergyInputs{sex, age, height, weight, activity, change};
    };
    // 21.9 × 52 = 1,138.8; × 1.75 = 1,992.9
    QTest::newRow("woman 30, ふつう, 維持")
        << in(Sex::Female, 30, 158, 52, Activity::Moderate, 0) << 1990
        << QStringLiteral("BMI 20.8（目標とする範囲 18.5～24.9）");
    // 22.5 × 70 × 1.50 = 2,362.5; − 0.5 × 7,200 / 7 = − 514.3
    QTest::newRow("man 45, 低い, −0.5 kg")
        << in(Sex::Male, 45, 172, 70, Activity::Low, -0.5) << 1850
        << QStringLiteral("BMI 23.7（目標とする範囲 18.5～24.9）");
    // 20.7 × 50 × 1.95 = 2,018.25
    QTest::newRow("woman 70, 高い") << in(Sex::Female, 70, 150, 50, Activity::High, 0) << 2020
                                    << QStringLiteral("BMI 22.2（目標とする範囲 21.5～24.9）");
    // 21.5 × 60 × 1.65 = 2,128.5; + 257.1
    QTest::newRow("man 80, ふつう, +0.25 kg")
        << in(Sex::Male, 80, 165, 60, Activity::Moderate, 0.25) << 2390
        << QStringLiteral("BMI 22.0（目標とする範囲 21.5～24.9）");
    // 22.1 × 60 × 1.5 = 1,989 at 29, 21.9 × 60 × 1.5 = 1,971 at 30
    QTest::newRow("woman 29: 18～29歳") << in(Sex::Female, 29, 160, 60, Activity::Low, 0) << 1990
                                        << QStringLiteral("BMI 23.4（目標とする範囲 18.5～24.9）");
    QTest::newRow("woman 30: 30～49歳") << in(Sex::Female, 30, 160, 60, Activity::Low, 0) << 1970
                                        << QStringLiteral("BMI 23.4（目標とする範囲 18.5～24.9）");
    // 20.7 × 50 × 1.40 = 1,449 at the oldest age taken
    QTest::newRow("woman 100") << in(Sex::Female, 100, 145, 50, Activity::Low, 0) << 1450
                               << QStringLiteral("BMI 23.8（目標とする範囲 21.5～24.9）");
    QTest::newRow("17 years") << in(Sex::Male, 17, 170, 60, Activity::Low, 0) << 0
                              << QStringLiteral("年齢は18～100歳");
    QTest::newRow("101 years") << in(Sex::Male, 101, 170, 60, Activity::Low, 0) << 0
                               << QStringLiteral("年齢は18～100歳");
    QTest::newRow("99.9 cm") << in(Sex::Male, 40, 99.9, 60, Activity::Low, 0) << 0
                             << QStringLiteral("身長は100～250 cm");
    QTest::newRow("250.1 cm") << in(Sex::Male, 40, 250.1, 60, Activity::Low, 0) << 0
                              << QStringLiteral("身長は100～250 cm");
    QTest::newRow("19.9 kg") << in(Sex::Male, 40, 170, 19.9, Activity::Low, 0) << 0
                             << QStringLiteral("体重は20～300 kg");
    QTest::newRow("300.1 kg") << in(Sex::Male, 40, 170, 300.1, Activity::Low, 0) << 0
                              << QStringLiteral("体重は20～300 kg");
    QTest::newRow("高い from 75") << in(Sex::Male, 75, 170, 60, Activity::High, 0) << 0
                                  << QStringLiteral("75歳以上の身体活動レベル「高い」");
}

void TestSettingsData::energyEstimate() {
    QFETCH(EnergyInputs, inputs);
    QFETCH(int, target);
    QFETCH(QString, said);
    const std::variant<EnergyEstimate, QString> estimate = EstimateEnergy(inputs);
    if (target == 0) {
        QVERIFY(std::holds_alternative<QString>(estimate));
        QVERIFY2(std::get<QString>(estimate).contains(said),
                 qPrintable(std::get<QString>(estimate)));
        return;
    }
    QVERIFY(std::holds_alternative<EnergyEstimate>(estimate));
    const EnergyEstimate &e = std::get<EnergyEstimate>(estimate);
    QCOMPARE(e.target, target);
    QCOMPARE(e.bmiText(), said);
    if (QTest::currentDataTag() == QByteArray("man 45, 低い, −0.5 kg"))
        QCOMPARE(
            e.steps(inputs),
            (QStringList{"基礎代謝量 = 基礎代謝基準値 22.5 kcal/kg（男性 30～49歳）× 体重 70.0 kg "
                         "= 1,575 kcal",
                         "推定エネルギー必要量 = 1,575 kcal × 身体活動レベル 1.50 = 2,363 kcal",
                         "体重 −0.50 kg/週 × 7,200 kcal ÷ 7日 = −514 kcal/日",
                         "目標ｶﾛﾘｰ（10 kcal単位）= 1,850 kcal"}));
}

QTEST_GUILESS_MAIN(TestSettingsData)
#include "tst_settingsdata.moc"
