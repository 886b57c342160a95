// The data-folder change: refusals before anything is touched, the move with
// Yes and the switch with No, and every failure on the way leaving each entry
// in the folder the settings name, with the program going on from there.
#include "support/DocTest.h"
#include "support/RegistryProbe.h"

#include "platform/Device.h"
#include "platform/Faults.h"
#include "platform/Files.h"
#include "ui/maintenance/DataFolderMove.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace {

using plat::faults::Op;

const QString kNew = QStringLiteral(u"\\Storage Card\\家計");
const QString kCopyFailed =
    QStringLiteral(u"ファイルのコピーに失敗しました。データフォルダの設定は元に戻します。");

class DataFolderMoveTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        writeData(datafile::kLedger, bytes::CurrentLedger(3));
        writeList(datafile::kCategories, {QStringLiteral(u"食費")});
        writeList(QStringLiteral(u"\\備考\\食費.DAT"), {QStringLiteral(u"昼食")});
        doc = openDoc();
    }
    FolderOutcome Apply(int mode, const QString& path) {
        const FolderOutcome outcome = ApplyDataFolder(*doc, mode, path);
        plat::faults::Reset();
        return outcome;
    }
    // The files of a folder with their list folders, for comparing before and after.
    QStringList Files(const QString& folder) const {
        QStringList out;
        for (const QString& sub :
             {QString(), QStringLiteral(u"\\備考"), QStringLiteral(u"\\支払先")}) {
            plat::FileFind find;
            plat::FindData f;
            for (bool more = find.first(folder + sub + QStringLiteral("\\*.*"), &f); more;
                 more = find.next(&f))
                if (!f.isDirectory) out << sub + u'\\' + f.name;
        }
        return out;
    }
    QString StoredFolder() const {
        const QByteArray raw = regprobe::Setting(QStringLiteral("DataFile1Path")).data;
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()),
                                  raw.size() / 2 - 1);
    }
    std::unique_ptr<CMyTALYDoc> doc;
};

TEST_F(DataFolderMoveTest, YesMovesEveryFileAndKeepsAReplacedOneAside) {
    writeFile(kNew + QStringLiteral(u"\\分類.DAT"), "older");
    ASSERT_EQ(Apply(2, kNew), FolderOutcome::Moved);
    EXPECT_EQ(boxes.texts(),
              std::vector<QString>{QStringLiteral(u"データファイルをコピーしますか？")});
    EXPECT_EQ(boxes.shown()[0].flags, 0x34u);
    EXPECT_TRUE(Files(kFolder).isEmpty());
    QStringList moved = Files(kNew);
    ASSERT_EQ(moved.size(), 5); // ledger, templates, categories, remarks, the older file kept aside
    EXPECT_TRUE(
        moved.filter(QStringLiteral(u"\\分類.DAT.")).first().endsWith(QStringLiteral(".bak")));
    EXPECT_EQ(readFile(kNew + datafile::kCategories), bytes::ListFile({QStringLiteral(u"食費")}));
    EXPECT_EQ(StoredFolder(), kNew);
    EXPECT_EQ(categories(*doc), numberedCategories(1, 3));
    // The program goes on in the new folder.
    ASSERT_TRUE(doc->AddRecordAndSave(record(bytes::Numbered(4))));
    EXPECT_EQ(readFile(kNew + datafile::kLedger), bytes::CurrentLedger(4));
}

TEST_F(DataFolderMoveTest, SameFolderStoresThePathOnlyAndNoSwitchesLeavingTheFiles) {
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

TEST_F(DataFolderMoveTest, RefusalsChangeNothing) {
    writeFile(u"\\My Documents\\a file"_s, "x");
    const QString noProgramFolder =
        u"実行ファイルと同じフォルダには書き込めないため、データを保存できません。"_s;
    const struct {
        const char* name;
        int mode;
        QString path;
        QString message; // empty: the platform's error box
    } rows[] = {
        {"new folder inside the old", 2, kFolder + u"\\old"_s, kCopyFailed},
        {"empty other folder", 2, QString(), u"「その他」のフォルダを指定してください。"_s},
        {"folder that cannot be created", 2, u"\\My Documents\\a file\\x"_s, QString()},
        {"folder that takes no file", 2, kNew, QString()},
        {"program folder that takes no file", 1, QString(), noProgramFolder},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        boxes.clear();
        if (row.path == kNew) plat::faults::FailNth(Op::Open, 1, plat::ERROR_ACCESS_DENIED);
        if (row.mode == 1) {
            ASSERT_TRUE(QDir().rmdir(plat::ToHostPath(u"\\Program Files\\Tallybook"_s)));
        }
        EXPECT_EQ(Apply(row.mode, row.path), FolderOutcome::Refused);
        EXPECT_EQ(doc->Count(), 3u); // still open: nothing was closed
        ASSERT_EQ(boxes.shown().size(), 1u);
        if (row.message.isEmpty())
            EXPECT_EQ(boxes.shown()[0].caption, u"ERROR"_s);
        else
            EXPECT_EQ(boxes.shown()[0].text, row.message);
        EXPECT_EQ(doc->m_nDataFolderType, 0);
    }
}

// A failure before the sources are deleted puts everything back: a copy that
// fails, or the settings naming the new folder that cannot be saved.
TEST_F(DataFolderMoveTest, FailureBeforeTheDeletesPutsEverythingBack) {
    writeFile(kNew + datafile::kCategories, "older");
    const QStringList before = Files(kFolder);
    // A folder where the registry's new version would go fails its writes for real.
    const QString registryBlock = plat::RegistryFilePath() + QStringLiteral(".tb-new");
    bool blockAtQuestion = false;
    plat::SetMessageBoxHandler([&, recorder = plat::SetMessageBoxHandler({})](
                                   const QString& text, const QString& caption, unsigned flags) {
        if (blockAtQuestion && (flags & plat::MB_YESNO)) QDir().mkdir(registryBlock);
        return recorder(text, caption, flags);
    });
    const struct {
        const char* name;
        std::function<void()> arm;
        int code;
    } rows[] = {
        {"copy", [] { plat::faults::FailNth(Op::Copy, 3, plat::ERROR_DISK_FULL); },
         plat::ERROR_DISK_FULL}, // 分類.DAT, after moving "older" aside
        {"settings save", [&] { blockAtQuestion = true; }, plat::ERROR_ACCESS_DENIED},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        boxes.clear();
        row.arm();
        ASSERT_EQ(Apply(2, kNew), FolderOutcome::MoveFailed);
        QDir().rmdir(registryBlock);
        EXPECT_EQ(errorCodes().front(), row.code);
        EXPECT_EQ(boxes.shown().back().text, kCopyFailed);
        EXPECT_EQ(Files(kFolder), before);
        EXPECT_EQ(Files(kNew), QStringList{datafile::kCategories});
        EXPECT_EQ(readFile(kNew + datafile::kCategories), "older");
        EXPECT_EQ(doc->m_nDataFolderType, 0);
        EXPECT_EQ(regprobe::Setting(QStringLiteral("DataFile1Flag")).data, bytes::U32(0));
        EXPECT_EQ(categories(*doc), numberedCategories(1, 3));
    }
}

TEST_F(DataFolderMoveTest, FailedSaveOnCloseKeepsTheOldFolderAndAFailedDeleteTheNew) {
    ASSERT_TRUE(doc->AddRecord(record(bytes::Numbered(4))));
    plat::faults::FailFrom(Op::Write, 2, plat::ERROR_DISK_FULL); // the first is the write test's
    ASSERT_EQ(Apply(2, kNew), FolderOutcome::CloseFailed);
    EXPECT_EQ(doc->DataPath(QString()), kFolder);
    EXPECT_EQ(categories(*doc), numberedCategories(1, 4));
    ASSERT_TRUE(doc->SaveAll());
    EXPECT_EQ(readData(datafile::kLedger), bytes::CurrentLedger(4));
    plat::faults::FailNth(Op::Delete, 2,
                          plat::ERROR_ACCESS_DENIED); // the first is the write test's
    ASSERT_EQ(Apply(2, kNew), FolderOutcome::MovedWithLeftovers);
    EXPECT_TRUE(boxes.shown().back().text.contains(kFolder));
    EXPECT_EQ(Files(kFolder), QStringList{datafile::kTemplates});
    EXPECT_EQ(StoredFolder(), kNew);
    EXPECT_EQ(categories(*doc), numberedCategories(1, 4));
}

} // namespace
