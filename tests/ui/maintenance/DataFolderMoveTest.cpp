// The data-folder change, walked on one document.
#include "support/DocTest.h"
#include "support/RegistryProbe.h"

#include "platform/Device.h"
#include "platform/Faults.h"
#include "ui/maintenance/DataFolderMove.h"

#include <QDir>
#include <QDirIterator>

using namespace Qt::Literals::StringLiterals;

namespace {

using plat::faults::Op;

const QString kNew = u"\\Storage Card\\家計"_s;
const QString kCopyFailed =
    u"ファイルのコピーに失敗しました。データフォルダの設定は元に戻します。"_s;
const QString kQuestion = u"データファイルをコピーしますか？"_s;

using DataFolderMoveTest = DocTest;

// A refusal or a close that cannot save changes nothing; so does a failed copy or
// settings save, undone. Yes moves every file, keeping a replaced one aside; a failed
// delete leaves files behind; the same folder spelt otherwise stores the path only;
// No switches, leaving the files where they are.
TEST_F(DataFolderMoveTest, RefusalsAndFailuresKeepTheOldFolderYesMovesAndNoSwitches) {
    writeData(datafile::kLedger, bytes::CurrentLedger(3));
    writeList(datafile::kCategories, {u"食費"_s});
    writeList(u"\\備考\\食費.DAT"_s, {u"昼食"_s});
    const auto doc = openDoc();
    // Both folders' files, the folder type in memory and stored, the entries shown.
    const auto State = [&] {
        QStringList parts;
        for (const QString& root : {host(kFolder), host(kNew)}) {
            QStringList files;
            for (QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
                files << it.next().mid(root.size()).replace(u'/', u'\\');
            files.sort();
            parts << files.join(u',');
        }
        parts << QString::number(doc->m_nDataFolderType)
              << regprobe::Setting(u"DataFile1Flag"_s).data.toHex() << categories(*doc).join(u',');
        return parts.join(u'|').toStdString();
    };
    writeFile(u"\\My Documents\\a file"_s, "x");
    ASSERT_TRUE(QDir().rmdir(host(u"\\Program Files\\Tallybook"_s))); // only mode 1 uses it
    writeFile(kNew + datafile::kCategories, "older");
    ASSERT_TRUE(doc->AddRecord(record(bytes::Numbered(4))));
    const std::string before = State();
    const std::tuple<int, QString, QString> rows[] = {
        {2, kFolder + u"\\old"_s, kCopyFailed}, // inside the old folder
        {2, QString(), u"「その他」のフォルダを指定してください。"_s},
        {2, u"\\My Documents\\a file\\x"_s, u"Error ! ID = 3"_s}, // cannot be created
        {2, kNew, u"Error ! ID = 5"_s},                           // takes no file
        {1, QString(),
         u"実行ファイルと同じフォルダには書き込めないため、データを保存できません。"_s},
    };
    for (const auto& [mode, path, message] : rows) {
        boxes.clear();
        if (path == kNew) plat::faults::FailNth(Op::Open, 1, plat::ERROR_ACCESS_DENIED);
        EXPECT_EQ(ApplyDataFolder(*doc, mode, path), FolderOutcome::Refused);
        EXPECT_EQ(boxes.texts(), std::vector{message});
        EXPECT_EQ(State(), before);
    }
    plat::faults::FailFrom(Op::Write, 2, plat::ERROR_DISK_FULL); // the first is the write test's
    ASSERT_EQ(ApplyDataFolder(*doc, 2, kNew), FolderOutcome::CloseFailed);
    plat::faults::Reset();
    EXPECT_EQ(State(), before);
    // As before the move, with the old folder's type now stored.
    const std::string kept = "\\TEIBAN.DAT,\\備考\\食費.DAT,\\分類.DAT,\\収支.DAT|\\分類.DAT|0|"
                             "00000000|分類1,分類2,分類3,分類4";
    // A folder where the registry's new version would go fails its writes for real.
    const QString registryBlock = plat::RegistryFilePath() + u".tb-new"_s;
    const std::pair<std::function<void()>, QString> failures[] = {
        {[] { plat::faults::FailNth(Op::Copy, 3, plat::ERROR_DISK_FULL); }, // 分類.DAT, after
         u"Error ! ID = 112"_s},                                            // "older" went aside
        {[&] { QDir().mkdir(registryBlock); }, u"Error ! ID = 5"_s},
    };
    for (const auto& [arm, error] : failures) {
        boxes.clear();
        arm();
        ASSERT_EQ(ApplyDataFolder(*doc, 2, kNew), FolderOutcome::MoveFailed);
        QDir().rmdir(registryBlock);
        EXPECT_EQ(boxes.texts(), (std::vector{kQuestion, error, kCopyFailed}));
        EXPECT_EQ(State(), kept);
    }
    boxes.clear();
    ASSERT_EQ(ApplyDataFolder(*doc, 2, kNew), FolderOutcome::Moved);
    EXPECT_EQ(boxes.texts(), std::vector{kQuestion});
    EXPECT_EQ(boxes.shown()[0].flags, 0x34u);
    EXPECT_EQ(State(), "|\\TEIBAN.DAT,\\備考\\食費.DAT,\\分類.DAT,\\分類.DAT.20080310-123456.bak,"
                       "\\収支.DAT|2|02000000|分類1,分類2,分類3,分類4");
    EXPECT_EQ(readFile(kNew + datafile::kCategories), bytes::ListFile({u"食費"_s}));
    ASSERT_TRUE(doc->AddRecordAndSave(record(bytes::Numbered(5))));
    EXPECT_EQ(readFile(kNew + datafile::kLedger), bytes::CurrentLedger(5));
    plat::faults::FailNth(Op::Delete, 2, plat::ERROR_ACCESS_DENIED); // likewise
    ASSERT_EQ(ApplyDataFolder(*doc, 0, QString()), FolderOutcome::MovedWithLeftovers);
    EXPECT_TRUE(boxes.shown().back().text.contains(kNew));
    boxes.clear();
    EXPECT_EQ(ApplyDataFolder(*doc, 2, u"\\my documents\\TALLYBOOK\\"_s),
              FolderOutcome::PathStored);
    EXPECT_EQ(doc->Count(), 5u); // every entry back in the old folder
    boxes.setDefaultYesNoAnswer(plat::IDNO);
    const std::string unswitched = State();
    QDir().mkdir(registryBlock); // a switch the settings cannot name does not happen
    ASSERT_EQ(ApplyDataFolder(*doc, 2, kNew), FolderOutcome::Refused);
    QDir().rmdir(registryBlock);
    EXPECT_EQ(boxes.texts(), (std::vector{kQuestion, u"Error ! ID = 5"_s})); // none for the path
    EXPECT_EQ(State(), unswitched);
    ASSERT_EQ(ApplyDataFolder(*doc, 2, kNew), FolderOutcome::Switched);
    // The folder left behind keeps its files; the switch is stored at once.
    EXPECT_EQ(State(), "\\TEIBAN.DAT,\\備考\\食費.DAT,\\分類.DAT,\\収支.DAT|\\TEIBAN.DAT,"
                       "\\分類.DAT.20080310-123456.bak,\\収支.DAT|2|02000000|");
}

} // namespace
