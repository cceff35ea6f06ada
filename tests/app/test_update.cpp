#include "TestSupport.h"

#include "basSettings.h"
#include "basUpdate.h"

#include <QDateTime>

#include <charconv>

namespace {

using SkipRecordTest = clsAppTest;

std::string Record() {
    std::string s = "<absent>";
    GetRegistry().GetRegSetting(HKEY_CURRENT_USER, "Config", "FTPSkipFlag", s, "<absent>");
    return s;
}

void SetRecord(const std::string& sValue) {
    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Config", "FTPSkipFlag", sValue);
}

std::string SerialText(const QDateTime& dt) {
    char acBuf[64];
    const auto oResult = std::to_chars(acBuf, acBuf + sizeof acBuf, ToDateSerial(dt));
    return std::string(acBuf, oResult.ptr);
}

TEST(DateSerialTest, CountsDaysFromTheEpochWithTimeAsFraction) {
    EXPECT_DOUBLE_EQ(ToDateSerial(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(ToDateSerial(QDateTime(QDate(2000, 1, 1), QTime(18, 0))), 36526.75);
    EXPECT_DOUBLE_EQ(ToDateSerial(QDateTime(QDate(1899, 12, 29), QTime(12, 0))), -1.5);
    EXPECT_EQ(FromDateSerial(36526.75), QDateTime(QDate(2000, 1, 1), QTime(18, 0)));
    EXPECT_EQ(FromDateSerial(-1.5), QDateTime(QDate(1899, 12, 29), QTime(12, 0)));
}

TEST_F(SkipRecordTest, NoRecordMeansGoAndRecordsTheAttempt) {
    EXPECT_FALSE(IsUpdateSkipActive());
    const std::string sRecord = Record();
    ASSERT_NE(sRecord, "<absent>");
    EXPECT_EQ(sRecord.find(','), std::string::npos) << "written with a point";
    double dSerial = 0;
    std::from_chars(sRecord.data(), sRecord.data() + sRecord.size(), dSerial);
    EXPECT_NEAR(dSerial, ToDateSerial(QDateTime::currentDateTime()), 1.0 / 1440);
}

TEST_F(SkipRecordTest, RecordFromTodayOrLaterBlocks) {
    SetRecord(SerialText(QDateTime::currentDateTime()));
    EXPECT_TRUE(IsUpdateSkipActive());
    const auto asLog = LogLines();
    ASSERT_EQ(asLog.size(), 1u);
    EXPECT_EQ(asLog[0].rfind("Found skip date of ", 0), 0u);

    const std::string sFuture = SerialText(QDateTime::currentDateTime().addDays(3));
    SetRecord(sFuture);
    EXPECT_TRUE(IsUpdateSkipActive());
    EXPECT_EQ(Record(), sFuture);

    // A record written where numbers use a decimal comma still counts.
    std::string sComma = SerialText(QDateTime::currentDateTime());
    std::replace(sComma.begin(), sComma.end(), '.', ',');
    SetRecord(sComma);
    EXPECT_TRUE(IsUpdateSkipActive());
}

TEST_F(SkipRecordTest, RecordFromLateYesterdayDoesNotBlock) {
    const std::string sYesterday =
        SerialText(QDateTime(QDate::currentDate().addDays(-1), QTime(23, 59)));
    SetRecord(sYesterday);
    EXPECT_FALSE(IsUpdateSkipActive());
    EXPECT_NE(Record(), sYesterday) << "replaced by the new attempt";
    EXPECT_TRUE(IsUpdateSkipActive());
}

TEST_F(SkipRecordTest, RecordThatIsNotANumberCountsAsNone) {
    for (const char* sBad : {"yesterday", "1e999", "99999999"}) {
        SetRecord(sBad);
        EXPECT_FALSE(IsUpdateSkipActive()) << sBad;
        EXPECT_NE(Record(), sBad);
        EXPECT_TRUE(IsUpdateSkipActive());
    }
}

TEST_F(SkipRecordTest, ClearingRemovesTheRecordAndNeverWritesOne) {
    SetUpdateSkipFlag(false);
    SetUpdateSkipFlag(true);
    EXPECT_EQ(Record(), "<absent>");
    // An attempt that ran past midnight is still cleared.
    SetRecord(SerialText(QDateTime(QDate::currentDate().addDays(-1), QTime(23, 59, 59))));
    SetUpdateSkipFlag(true);
    EXPECT_EQ(Record(), "<absent>");
    SetUpdateSkipFlag(true);
    EXPECT_EQ(Record(), "<absent>");
}

} // namespace
