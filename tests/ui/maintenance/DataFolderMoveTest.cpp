// The data-folder change: refusals before anything is touched, the move with
// Yes and the switch with No, and every failure on the way leaving each entry
// in the folder the settings name, with the program going on from there.
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

class DataFolderMoveTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        writeData(datafile::kLedger, bytes::CurrentLedger(3));
        writeList(datafile::kCategories, {u"食費"_s});
        writeList(u"\\備考\\食費.DAT"_s, {u"昼食"_s});
        doc = openDoc();
    }
    FolderOutcome Apply(int mode, const QString& path) {
        const FolderOutcome outcome = ApplyDataFolder(*doc, mode, path);
        plat::faults::Reset();
        return outcome;
    }
    // The files below a folder, sorted, for comparing before and after.
    QStringList Files(const QString& folder) const {
        QStringList out;
        const QString root = host(folder);
        for (QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            out << it.next().mid(root.size()).replace(u'/', u'\\');
        out.sort();
        return out;
    }
    QString StoredFolder() const {
        const QByteArray raw = regprobe::Setting(u"DataFile1Path"_s).data;
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()),
                                  raw.size() / 2 - 1);
    }
    std::unique_ptr<CMyTALYDoc> doc;
};

// A refusal keeps the document open and the setting; the same folder spelt
// otherwise stores the path only; No switches, leaving the files where they are.
TEST_F(DataFolderMoveTest, RefusalsChangeNothingSameFolderStoresThePathAndNoSwitches) {
    writeFile(u"\\My Documents\\a file"_s, "x");
    ASSERT_TRUE(QDir().rmdir(host(u"\\Program Files\\Tallybook"_s))); // only mode 1 uses it
    const struct {
        int mode;
        QString path;
        QString message; // empty: the platform's error box
    } rows[] = {
        {2, kFolder + u"\\old"_s, kCopyFailed}, // inside the old folder
        {2, QString(), u"「その他」のフォルダを指定してください。"_s},
        {2, u"\\My Documents\\a file\\x"_s, QString()}, // cannot be created
        {2, kNew, QString()},                           // takes no file
        {1, QString(),
         u"実行ファイルと同じフォルダには書き込めないため、データを保存できません。"_s},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString() + std::to_string(row.mode));
        boxes.clear();
        if (row.path == kNew) plat::faults::FailNth(Op::Open, 1, plat::ERROR_ACCESS_DENIED);
        EXPECT_EQ(Apply(row.mode, row.path), FolderOutcome::Refused);
        EXPECT_EQ(doc->Count(), 3u);
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(row.message.isEmpty() ? boxes.shown()[0].caption : boxes.shown()[0].text,
                  row.message.isEmpty() ? u"ERROR"_s : row.message);
        EXPECT_EQ(doc->m_nDataFolderType, 0);
    }
    boxes.clear();
    EXPECT_EQ(Apply(2, u"\\my documents\\TALLYBOOK\\"_s), FolderOutcome::PathStored);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(doc->Count(), 3u);
    boxes.setDefaultYesNoAnswer(plat::IDNO);
    const QStringList before = Files(kFolder);
    ASSERT_EQ(Apply(2, kNew), FolderOutcome::Switched);
    EXPECT_EQ(Files(kFolder), before);
    EXPECT_EQ(doc->Count(), 0u);
    EXPECT_EQ(doc->DataPath(QString()), kNew);
}

// A failure before the sources are deleted puts everything back: a copy that
// fails, or the settings naming the new folder that cannot be saved. Then Yes
// moves every file, keeping the replaced one aside, and the program goes on.
TEST_F(DataFolderMoveTest, FailuresBeforeTheDeletesPutEverythingBackThenYesMoves) {
    writeFile(kNew + datafile::kCategories, "older");
    const QStringList before = Files(kFolder);
    // A folder where the registry's new version would go fails its writes for real.
    const QString registryBlock = plat::RegistryFilePath() + u".tb-new"_s;
    bool blockAtQuestion = false;
    plat::SetMessageBoxHandler([&, recorder = plat::SetMessageBoxHandler({})](
                                   const QString& text, const QString& caption, unsigned flags) {
        if (blockAtQuestion && (flags & plat::MB_YESNO)) QDir().mkdir(registryBlock);
        return recorder(text, caption, flags);
    });
    const std::pair<std::function<void()>, int> failures[] = {
        {[] { plat::faults::FailNth(Op::Copy, 3, plat::ERROR_DISK_FULL); }, // 分類.DAT, after
         plat::ERROR_DISK_FULL},                                            // "older" went aside
        {[&] { blockAtQuestion = true; }, plat::ERROR_ACCESS_DENIED},
    };
    for (const auto& [arm, code] : failures) {
        SCOPED_TRACE(code);
        boxes.clear();
        arm();
        ASSERT_EQ(Apply(2, kNew), FolderOutcome::MoveFailed);
        QDir().rmdir(registryBlock);
        blockAtQuestion = false;
        EXPECT_EQ(errorCodes().front(), code);
        EXPECT_EQ(boxes.shown().back().text, kCopyFailed);
        EXPECT_EQ(Files(kFolder), before);
        EXPECT_EQ(Files(kNew), QStringList{datafile::kCategories});
        EXPECT_EQ(readFile(kNew + datafile::kCategories), "older");
        EXPECT_EQ(doc->m_nDataFolderType, 0);
        EXPECT_EQ(regprobe::Setting(u"DataFile1Flag"_s).data, bytes::U32(0));
        EXPECT_EQ(categories(*doc), numberedCategories(1, 3));
    }
    boxes.clear();
    ASSERT_EQ(Apply(2, kNew), FolderOutcome::Moved);
    EXPECT_EQ(boxes.texts(), std::vector<QString>{u"データファイルをコピーしますか？"_s});
    EXPECT_EQ(boxes.shown()[0].flags, 0x34u);
    EXPECT_TRUE(Files(kFolder).isEmpty());
    const QStringList moved = Files(kNew); // ledger, templates, categories, remarks, "older"
    ASSERT_EQ(moved.size(), 5);
    EXPECT_TRUE(moved.filter(u"\\分類.DAT."_s).first().endsWith(u".bak"_s));
    EXPECT_EQ(readFile(kNew + datafile::kCategories), bytes::ListFile({u"食費"_s}));
    EXPECT_EQ(StoredFolder(), kNew);
    EXPECT_EQ(categories(*doc), numberedCategories(1, 3));
    ASSERT_TRUE(doc->AddRecordAndSave(record(bytes::Numbered(4))));
    EXPECT_EQ(readFile(kNew + datafile::kLedger), bytes::CurrentLedger(4));
}

TEST_F(DataFolderMoveTest, FailedSaveOnCloseKeepsTheOldFolderAndAFailedDeleteTheNew) {
    ASSERT_TRUE(doc->AddRecord(record(bytes::Numbered(4))));
    plat::faults::FailFrom(Op::Write, 2, plat::ERROR_DISK_FULL); // the first is the write test's
    ASSERT_EQ(Apply(2, kNew), FolderOutcome::CloseFailed);
    EXPECT_EQ(doc->DataPath(QString()), kFolder);
    EXPECT_EQ(categories(*doc), numberedCategories(1, 4));
    ASSERT_TRUE(doc->SaveAll());
    EXPECT_EQ(readData(datafile::kLedger), bytes::CurrentLedger(4));
    plat::faults::FailNth(Op::Delete, 2, plat::ERROR_ACCESS_DENIED); // likewise
    ASSERT_EQ(Apply(2, kNew), FolderOutcome::MovedWithLeftovers);
    EXPECT_TRUE(boxes.shown().back().text.contains(kFolder));
    EXPECT_EQ(Files(kFolder), QStringList{datafile::kTemplates});
    EXPECT_EQ(StoredFolder(), kNew);
    EXPECT_EQ(categories(*doc), numberedCategories(1, 4));
}

} // namespace
