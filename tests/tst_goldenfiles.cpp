// Each stored format read from tests/data/golden/<case>.in, changed as a user
// would change it and written again, byte for byte against <case>.out.
// ZENKARTA_WRITE_GOLDEN=1 writes the .out files instead, to be read by eye.
#include "app/intakereport.h"
#include "caldata/caltext.h"
#include "common/csv.h"
#include "common/inidocument.h"
#include "common/listtable.h"
#include "common/sjis.h"
#include "records/csvexport.h"
#include "records/intakediary.h"
#include "records/recordfile.h"

#include "support/tempprogramfolder.h"

#include <QFile>
#include <QTest>

#include <functional>

using namespace zk;
using Change = std::function<QByteArray(const QByteArray &)>;
Q_DECLARE_METATYPE(Change)

class TestGoldenFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void format_data();
    void format();
};

static QByteArray golden(const QString &name) {
    QFile file(QStringLiteral(ZENKARTA_TEST_DATA "/golden/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestGoldenFiles::format_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Change>("change");
    QTest::newRow("list file") << "listfile" << Change([](const QByteArray &in) {
        return listFileBytes(parseListFile(in));
    });
    QTest::newRow(".cal table") << "table.cal" << Change([](const QByteArray &in) {
        return writeCalText(readCalText(in));
    });
    QTest::newRow("INI document") << "document.ini" << Change([](const QByteArray &in) {
        IniDocument doc = IniDocument::parse(in);
        doc.setValue("FORM", "left", "12");
        doc.setValue("Form", "Width", "300");
        return doc.toBytes();
    });
    QTest::newRow("record file") << "record.dat" << Change([](const QByteArray &in) {
        test::TempProgramFolder folder;
        folder.write(QStringLiteral("record/w.dat"), in);
        RecordLines lines = LoadRecordLines("w");
        AddRecordLine("w", lines, "2026/12/08", "61.5");
        return folder.read(QStringLiteral("record/w.dat"));
    });
    QTest::newRow("CSV of a record file") << "record.csv" << Change([](const QByteArray &in) {
        test::TempProgramFolder folder;
        folder.write(QStringLiteral("record/体重.dat"), in);
        const RecordItem weight{sjis::encode(u"体重"), "kg", {}};
        return CsvFileBytes(RecordCsvRows(weight, LoadRecordLines(weight.name)));
    });
    QTest::newRow("intake day") << "intakeday.dat" << Change([](const QByteArray &in) {
        test::TempProgramFolder folder;
        folder.write(QStringLiteral("record/intake/2026-12-08.dat"), in);
        ListRows rows = LoadIntakeDay(QDate(2026, 12, 8));
        rows.append({sjis::encode(u"ご飯"), sjis::encode(u"主食"), "252 kcal"});
        SaveIntakeDay(QDate(2026, 12, 8), rows);
        return folder.read(QStringLiteral("record/intake/2026-12-08.dat"));
    });
    QTest::newRow("CSV of the food diary") << "intake.csv" << Change([](const QByteArray &in) {
        test::TempProgramFolder folder;
        folder.write(QStringLiteral("record/intake/2026-12-08.dat"), in);
        return CsvFileBytes(IntakeCsvRows(QDate(2026, 12, 8), QDate(2026, 12, 8)));
    });
    // Four days of a week of the one day file, the last without its last row.
    QTest::newRow("CSV of a week's report") << "report.csv" << Change([](const QByteArray &in) {
        test::TempProgramFolder folder;
        for (const char *day : {"07", "08", "10"})
            folder.write(QStringLiteral("record/intake/2026-12-%1.dat").arg(QLatin1String(day)),
                         in);
        folder.write(QStringLiteral("record/intake/2026-12-13.dat"),
                     in.left(in.lastIndexOf("a,b")));
        folder.write(QStringLiteral("record/") + QStringLiteral("体重.dat"),
                     "2026/12/07\xff"
                     "52.4\r\n2026/12/13\xff"
                     "52.1\r\n");
        const ReportRange week{QDate(2026, 12, 7), QDate(2026, 12, 13)};
        return CsvFileBytes(MakeIntakeReport(week, 1800, QStringLiteral("体重")).csvRows());
    });
}

void TestGoldenFiles::format() {
    QFETCH(QString, name);
    QFETCH(Change, change);
    const QByteArray out = change(golden(name + QStringLiteral(".in")));
    if (qEnvironmentVariableIntValue("ZENKARTA_WRITE_GOLDEN") == 1) {
        QFile file(QStringLiteral(ZENKARTA_TEST_DATA "/golden/") + name + QStringLiteral(".out"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(out) == out.size());
    }
    QCOMPARE(out, golden(name + QStringLiteral(".out")));
}

QTEST_GUILESS_MAIN(TestGoldenFiles)
#include "tst_goldenfiles.moc"
