#include "store/Dates.h"
#include "store/Pictures.h"

#include <QLocale>
#include <QTest>

using namespace store;

class TestPictures final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void dayNumbers_data();
    void dayNumbers();
    void everyDateFormat_data();
    void everyDateFormat();
    void typedDates_data();
    void typedDates();
    void times_data();
    void times();
    void typedTimes_data();
    void typedTimes();
    void longDate();
};

namespace {

constexpr int ReferenceYear = 2026; // two-digit years fall in 1946..2045

const QDate Dates[] = {QDate(1959, 10, 31), QDate(1996, 2, 29), QDate(1999, 12, 31),
                       QDate(2000, 1, 1), QDate(1801, 1, 1)};

qint64 day(const QDate &d)
{
    return dates::dayNumber(d);
}

} // namespace

void TestPictures::initTestCase()
{
    // The desktop formats d17 and d18 follow the locale; pin it.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestPictures::dayNumbers_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<qint64>("number");
    QTest::newRow("1 January 1801") << QDate(1801, 1, 1) << qint64(4);
    QTest::newRow("1 January 1900") << QDate(1900, 1, 1) << qint64(36163);
    QTest::newRow("1 January 1997") << QDate(1997, 1, 1) << qint64(71592);
    QTest::newRow("leap day 2000") << QDate(2000, 2, 29) << qint64(72746);
    QTest::newRow("before the first day") << QDate(1800, 12, 31) << qint64(0);
    QTest::newRow("no date") << QDate() << qint64(0);
}

void TestPictures::dayNumbers()
{
    QFETCH(QDate, date);
    QFETCH(qint64, number);
    QCOMPARE(dates::dayNumber(date), number);
    if (number) {
        QCOMPARE(dates::toDate(number), date);
        QCOMPARE(int(number % 7), date.dayOfWeek() % 7);
    }
}

void TestPictures::everyDateFormat_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QDate>("typedBack");

    struct Format {
        const char *code;
        const char *shown[5];
        bool day, month, twoDigitYear;
    };
    const Format formats[] = {
        {"d1", {"10/31/59", "02/29/96", "12/31/99", "01/01/00", "01/01/01"}, true, true, true},
        {"d2",
         {"10/31/1959", "02/29/1996", "12/31/1999", "01/01/2000", "01/01/1801"},
         true,
         true,
         false},
        {"d3",
         {"OCT 31,1959", "FEB 29,1996", "DEC 31,1999", "JAN 01,2000", "JAN 01,1801"},
         true,
         true,
         false},
        {"d4",
         {"October 31, 1959", "February 29, 1996", "December 31, 1999", "January 1, 2000",
          "January 1, 1801"},
         true,
         true,
         false},
        {"d5", {"31/10/59", "29/02/96", "31/12/99", "01/01/00", "01/01/01"}, true, true, true},
        {"d6",
         {"31/10/1959", "29/02/1996", "31/12/1999", "01/01/2000", "01/01/1801"},
         true,
         true,
         false},
        {"d7", {"31 OCT 59", "29 FEB 96", "31 DEC 99", "01 JAN 00", "01 JAN 01"}, true, true, true},
        {"d8",
         {"31 OCT 1959", "29 FEB 1996", "31 DEC 1999", "01 JAN 2000", "01 JAN 1801"},
         true,
         true,
         false},
        {"d13", {"10/59", "02/96", "12/99", "01/00", "01/01"}, false, true, true},
        {"d14", {"10/1959", "02/1996", "12/1999", "01/2000", "01/1801"}, false, true, false},
        {"d15", {"59/10", "96/02", "99/12", "00/01", "01/01"}, false, true, true},
        {"d16", {"1959/10", "1996/02", "1999/12", "2000/01", "1801/01"}, false, true, false},
        {"d17", {"10/31/59", "2/29/96", "12/31/99", "1/1/00", "1/1/01"}, true, true, true},
        {"d18",
         {"Saturday, October 31, 1959", "Thursday, February 29, 1996", "Friday, December 31, 1999",
          "Saturday, January 1, 2000", "Thursday, January 1, 1801"},
         true,
         true,
         false},
        {"n4b", {"1959", "1996", "1999", "2000", "1801"}, false, false, false},
        {"d10",
         {"OCT 31,1959", "FEB 29,1996", "DEC 31,1999", "JAN 01,2000", "JAN 01,1801"},
         true,
         true,
         false},
    };
    for (const Format &f : formats) {
        for (int i = 0; i < 5; ++i) {
            const QDate &d = Dates[i];
            int year = d.year();
            if (f.twoDigitYear && year < ReferenceYear - 80)
                year += 200; // 1801 shown as 01 reads back as 2001
            const QDate back(year, f.month ? d.month() : 1, f.day ? d.day() : 1);
            QTest::addRow("%s %s", f.code, qPrintable(d.toString(Qt::ISODate)))
                << QString(f.code) << d << QString(f.shown[i]) << back;
        }
    }
}

void TestPictures::everyDateFormat()
{
    QFETCH(QString, code);
    QFETCH(QDate, date);
    QFETCH(QString, shown);
    QFETCH(QDate, typedBack);
    QCOMPARE(pictures::formatDate(day(date), code), shown);
    QCOMPARE(pictures::formatDate(day(date), "@" + code), shown);
    QCOMPARE(dates::toDate(pictures::parseDate(shown, code, ReferenceYear)), typedBack);
}

void TestPictures::typedDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QDate>("date");
    QTest::newRow("lower-case month, one-digit day") << "oct 5 1959"
                                                     << "d3" << QDate(1959, 10, 5);
    QTest::newRow("full month name in an abbreviated picture") << "31 October 1959"
                                                               << "d8" << QDate(1959, 10, 31);
    QTest::newRow("other separators") << "31-10-1959"
                                      << "d6" << QDate(1959, 10, 31);
    QTest::newRow("one-digit day and month") << "5/3/59"
                                             << "d5" << QDate(1959, 3, 5);
    QTest::newRow("four-digit year in a two-digit picture") << "10/31/1845"
                                                            << "d1" << QDate(1845, 10, 31);
    QTest::newRow("window's last year") << "12/31/45"
                                        << "d1" << QDate(2045, 12, 31);
    QTest::newRow("window's first year") << "1/1/46"
                                         << "d1" << QDate(1946, 1, 1);
    QTest::newRow("weekday named") << "Friday, December 31, 1999"
                                   << "d18" << QDate(1999, 12, 31);
    QTest::newRow("no year") << "October 31"
                             << "d4" << QDate();
    QTest::newRow("no such month") << "13/31/59"
                                   << "d1" << QDate();
    QTest::newRow("no such day") << "02/30/1996"
                                 << "d2" << QDate();
    QTest::newRow("not a leap year") << "02/29/1900"
                                     << "d2" << QDate();
    QTest::newRow("before 1801") << "12/31/1800"
                                 << "d2" << QDate();
    QTest::newRow("word that is no month") << "Foo 31,1959"
                                           << "d3" << QDate();
    QTest::newRow("a number too many") << "10/31/59 7"
                                       << "d1" << QDate();
    QTest::newRow("five-digit year") << "10/31/19590"
                                     << "d2" << QDate();
    QTest::newRow("blank") << "  "
                           << "d3" << QDate();
}

void TestPictures::typedDates()
{
    QFETCH(QString, text);
    QFETCH(QString, code);
    QFETCH(QDate, date);
    QCOMPARE(pictures::parseDate(text, code, ReferenceYear), dates::dayNumber(date));
}

void TestPictures::times_data()
{
    QTest::addColumn<qint64>("time");
    QTest::addColumn<QString>("shown");
    QTest::newRow("not set") << qint64(0) << "";
    QTest::newRow("midnight") << qint64(1) << "12:00AM";
    QTest::newRow("one in the morning") << qint64(360001) << "1:00AM";
    QTest::newRow("noon") << qint64(4320001) << "12:00PM";
    QTest::newRow("half past five") << qint64(6300001) << "5:30PM";
    QTest::newRow("end of day") << dates::EndOfDay << "11:59PM";
    QTest::newRow("past the end of day") << dates::EndOfDay + 360001 << "1:00AM";
}

void TestPictures::times()
{
    QFETCH(qint64, time);
    QFETCH(QString, shown);
    QCOMPARE(pictures::formatTime(time), shown);
}

void TestPictures::typedTimes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("time");
    QTest::newRow("as shown") << "5:30PM" << qint64(6300001);
    QTest::newRow("spaced lower case") << "5:30 pm" << qint64(6300001);
    QTest::newRow("24-hour") << "17:30" << qint64(6300001);
    QTest::newRow("with seconds") << "17:30:15" << qint64(6301501);
    QTest::newRow("hour only") << "12PM" << qint64(4320001);
    QTest::newRow("midnight") << "12:00AM" << qint64(1);
    QTest::newRow("a.m.") << "9:05 a.m." << qint64(3270001);
    QTest::newRow("13 with PM") << "13:00PM" << qint64(0);
    QTest::newRow("25 o'clock") << "25:00" << qint64(0);
    QTest::newRow("61 minutes") << "5:61" << qint64(0);
    QTest::newRow("text") << "soon" << qint64(0);
    QTest::newRow("blank") << "" << qint64(0);
}

void TestPictures::typedTimes()
{
    QFETCH(QString, text);
    QFETCH(qint64, time);
    QCOMPARE(pictures::parseTime(text), time);
}

void TestPictures::longDate()
{
    QCOMPARE(pictures::longDate(day(QDate(1959, 10, 31))), QString("Saturday, October 31, 1959"));
    QCOMPARE(pictures::longDate(0), QString());
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
