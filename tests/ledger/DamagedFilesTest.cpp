// Damaged and hostile files: a ledger whose size does not fit its layout (and a
// sound one of the old layout beside them), the leftovers of a cut rewrite, a
// linked ledger, and a registry file that cannot be read or written.
#include "support/DocTest.h"
#include "support/RegistryProbe.h"

#include "platform/Device.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace bytes;

namespace {

const QString kAside = QStringLiteral(".20080310-123456.bak");

QByteArray WithMagic(const char* magic) {
    QByteArray b = CurrentLedger(5);
    b.replace(0, 4, QByteArray(magic, 4));
    return b;
}

struct DamagedLedger {
    const char* name;
    QByteArray bytes;
    int kept; // records taken from the file
    bool damaged = true;
};

const DamagedLedger kDamaged[] = {
    {"SoundOldLayoutIsRewrittenInTheCurrentOne", OldLedger(3, 3), 3, false},
    {"ZeroedHeader", WithMagic("\0\0\0\0"), 0},
    {"AlteredMagic", WithMagic("TALZ"), 0},
    {"HeaderCutShort", Header(0).left(10), 0},
    {"OldLayoutLongerThanItsCount", OldLedger(2, 3), 0},
    {"CountBeyondTheRecords", Header(5) + CurrentLedger(4).mid(16, 3 * 184 + 100), 3},
    {"OldCountBeyondTheRecords", OldLedger(4, 2), 2},
    {"ZeroTail", CurrentLedger(3) + QByteArray(3 * 184, '\0'), 3},
    {"ForeignRecordAfterAnAppendedOne",
     CurrentLedger(4).replace(12, 1, "\3", 1) + Record(Numbered(9)), 4},
};

class DamagedLedgerTest : public DocTest, public ::testing::WithParamInterface<DamagedLedger> {};

// A sound file among them loads quietly and is not kept aside.
TEST_P(DamagedLedgerTest, IsReportedKeptAsideAndNeverRewrittenAsRead) {
    const QByteArray original = GetParam().bytes;
    const bool damaged = GetParam().damaged;
    writeData(datafile::kLedger, original);
    const auto doc = openDoc();
    EXPECT_EQ(errorCodes(),
              damaged ? std::vector<int>{plat::ERROR_INVALID_DATA} : std::vector<int>{});
    EXPECT_EQ(categories(*doc), numberedCategories(1, GetParam().kept));
    // Only a file read whole records its folder.
    EXPECT_EQ(regprobe::Setting(QStringLiteral("DataFile")) == regprobe::Value{}, damaged);

    ASSERT_TRUE(doc->AddRecord(record(Numbered(GetParam().kept + 1))));
    EXPECT_EQ(doc->NextLedgerSave(), CMyTALYDoc::LedgerSave::Rewrite); // never appended to
    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_EQ(readFile(ledgerPath() + kAside), damaged ? original : QByteArray());
    EXPECT_EQ(readFile(ledgerPath()), GetParam().kept ? CurrentLedger(GetParam().kept + 1)
                                                      : Header(1, 1) + Record(Numbered(1)));
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedLedgerTest, ::testing::ValuesIn(kDamaged), CaseName());

class DamagedFilesTest : public DocTest {};

TEST_F(DamagedFilesTest, LeftoversOfACutRewriteAreRemovedAtStart) {
    writeData(datafile::kLedger, CurrentLedger(2));
    writeData(datafile::kLedger + QStringLiteral(".tb-new"), CurrentLedger(2).left(200));
    const QString remarkLeftover = datafile::kRemarkFolder + QStringLiteral(u"\\食費.DAT.tb-new");
    writeData(remarkLeftover, "x");
    const auto doc = openDoc();
    EXPECT_FALSE(fileExists(inFolder(datafile::kLedger + QStringLiteral(".tb-new"))));
    EXPECT_FALSE(fileExists(inFolder(remarkLeftover)));
    EXPECT_EQ(doc->Count(), 2u);
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(2));
}

TEST_F(DamagedFilesTest, LinkedLedgerStaysLinkedAndItsTargetGetsTheSave) {
    const QString elsewhere = deviceDir() + QStringLiteral("/elsewhere.DAT");
    writeData(datafile::kLedger, QByteArray()); // makes the folder
    ASSERT_TRUE(QFile::remove(host(ledgerPath())));
    QFile target(elsewhere);
    ASSERT_TRUE(target.open(QIODevice::WriteOnly) && target.write(CurrentLedger(2)) > 0);
    target.close();
    ASSERT_TRUE(QFile::link(elsewhere, host(ledgerPath())));

    const auto doc = openDoc();
    ASSERT_TRUE(doc->DeleteRecord(1)); // a full rewrite
    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_TRUE(QFileInfo(host(ledgerPath())).isSymLink());
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    Entry second = Numbered(2);
    second.id = 1;
    EXPECT_EQ(target.readAll(), Header(1) + Record(second));
}

TEST_F(DamagedFilesTest, UnreadableRegistryIsShownLeftAloneAndDoesNotFailTheSave) {
    // A link to itself cannot be opened, whoever runs the tests.
    ASSERT_TRUE(QFile::link(QStringLiteral("registry.reg"), plat::RegistryFilePath()));
    writeData(datafile::kLedger, CurrentLedger(1)); // a full load records the data folder
    const auto doc = openDoc();
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_PATH_NOT_FOUND});
    ASSERT_TRUE(doc->AddRecord(record(Numbered(2))));
    doc->m_nYearStartMonth = 4;

    EXPECT_TRUE(doc->SaveAll());
    EXPECT_TRUE(QFileInfo(plat::RegistryFilePath()).isSymLink());
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(2));
}

TEST_F(DamagedFilesTest, FailedSettingsSaveFailsSaveAllAfterTheLedgerIsSaved) {
    const auto doc = openDoc();
    ASSERT_TRUE(doc->AddRecord(record(Numbered(1))));
    doc->m_nYearStartMonth = 4;
    // A folder where the new registry file would go makes its write fail for real.
    ASSERT_TRUE(QDir().mkdir(plat::RegistryFilePath() + QStringLiteral(".tb-new")));

    EXPECT_FALSE(doc->SaveAll());
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_ACCESS_DENIED});
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(1));
}

} // namespace
