#include "ui/maintenance/DataFolderMove.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/DataFiles.h"
#include "platform/Device.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

namespace {

const QString kChangeCaption = QStringLiteral(u"データ保存先の変更！");
const QString kWriteProbe = QStringLiteral(u"\\~TALYWRITE.TMP");

struct FolderSetting {
    int type;
    QString path;
};

FolderSetting SettingOf(const CMyTALYDoc& doc) {
    return {doc.m_nDataFolderType, doc.m_strDataFolderPath};
}

void Store(CMyTALYDoc& doc, const FolderSetting& s) {
    doc.m_nDataFolderType = s.type;
    doc.m_strDataFolderPath = s.path;
}

// The data folder a setting names (empty when it cannot be found).
QString FolderFor(CMyTALYDoc& doc, const FolderSetting& s) {
    const FolderSetting old = SettingOf(doc);
    Store(doc, s);
    const QString folder = doc.DataPath(QString());
    Store(doc, old);
    return folder;
}

// The folder's host path with every existing part spelt as the file system
// has it, so that letter case and trailing separators do not tell folders apart.
QString HostIdentity(const QString& handsetFolder) {
    QString existing = QDir::cleanPath(plat::ToHostPath(handsetFolder));
    QStringList missing;
    while (!QFileInfo::exists(existing) && existing != QDir::rootPath()) {
        missing.prepend(QFileInfo(existing).fileName());
        existing = QFileInfo(existing).absolutePath();
    }
    QString identity = QFileInfo(existing).canonicalFilePath();
    for (const QString& part : missing)
        identity += u'/' + part;
    return QDir::cleanPath(identity);
}

bool Inside(const QString& inner, const QString& outer) {
    return inner.startsWith(outer.endsWith(u'/') ? outer : outer + u'/');
}

bool CreateFolderPath(const QString& folder) {
    QString path;
    for (const QString& part : folder.split(u'\\', Qt::SkipEmptyParts)) {
        path += u'\\' + part;
        if (!plat::CreateDirectory(path) && plat::GetLastError() != plat::ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

// The folder exists afterwards and takes a new file.
bool PrepareFolder(const QString& folder) {
    if (!CreateFolderPath(folder)) return false;
    plat::File probe;
    if (!probe.open(folder + kWriteProbe, plat::GENERIC_WRITE, plat::FILE_SHARE_NONE,
                    plat::Disposition::CreateAlways))
        return false;
    const bool written = probe.write("x", 1) && probe.flush();
    probe.close();
    const plat::DWORD code = plat::GetLastError();
    plat::DeleteFile(folder + kWriteProbe);
    plat::SetLastError(code);
    return written;
}

// The ".DAT" files of the folder and its two list folders, relative to it.
bool ListDataFiles(const QString& folder, QStringList* files) {
    for (const QString& sub : {QString(), datafile::kRemarkFolder, datafile::kPayeeFolder}) {
        plat::FileFind find;
        plat::FindData found;
        bool more = find.first(folder + sub + QStringLiteral("\\*.DAT"), &found);
        for (; more; more = find.next(&found))
            if (!found.isDirectory) *files << sub + u'\\' + found.name;
        if (plat::GetLastError() != plat::ERROR_NO_MORE_FILES &&
            plat::GetLastError() != plat::ERROR_FILE_NOT_FOUND &&
            plat::GetLastError() != plat::ERROR_PATH_NOT_FOUND)
            return false; // a broken listing could leave files behind
    }
    return true;
}

struct Copy {
    QString target;
    QString keptAside; // the target's earlier file, moved aside; empty when none
};

// Copies one file; an earlier file of the name is moved aside first.
bool CopyOne(const QString& from, const QString& to, std::vector<Copy>* done) {
    Copy c{to, {}};
    if (plat::GetFileAttributes(to).exists) {
        c.keptAside = plat::FreeAsideName(to);
        if (c.keptAside.isEmpty() || !plat::MoveFile(to, c.keptAside)) return false;
    }
    if (!plat::CopyFile(from, to, false)) {
        const plat::DWORD code = plat::GetLastError();
        if (!c.keptAside.isEmpty()) plat::MoveFile(c.keptAside, to);
        plat::SetLastError(code);
        return false;
    }
    done->push_back(c);
    return true;
}

void UndoCopies(const std::vector<Copy>& done) {
    for (auto c = done.rbegin(); c != done.rend(); ++c) {
        plat::DeleteFile(c->target);
        if (!c->keptAside.isEmpty()) plat::MoveFile(c->keptAside, c->target);
    }
}

void ShowCopyFailure() {
    plat::MessageBox(
        QStringLiteral(u"ファイルのコピーに失敗しました。データフォルダの設定は元に戻します。"),
        QStringLiteral(u"エラー！"), plat::MB_ICONSTOP);
}

FolderOutcome MoveData(CMyTALYDoc& doc, const FolderSetting& old, const FolderSetting& chosen,
                       const QString& oldFolder, const QString& newFolder) {
    QStringList files;
    std::vector<Copy> done;
    bool copied = ListDataFiles(oldFolder, &files) &&
                  CreateFolderPath(newFolder + datafile::kRemarkFolder) &&
                  CreateFolderPath(newFolder + datafile::kPayeeFolder);
    for (qsizetype i = 0; copied && i < files.size(); ++i)
        copied = CopyOne(oldFolder + files[i], newFolder + files[i], &done);
    Store(doc, chosen);
    if (!copied || !doc.SaveSettings()) { // a failed settings save has shown its error
        const plat::DWORD code = plat::GetLastError();
        UndoCopies(done);
        Store(doc, old);
        if (!copied) plat::ShowError(code);
        doc.SaveSettings();
        ShowCopyFailure();
        doc.OpenData();
        return FolderOutcome::MoveFailed;
    }
    bool allDeleted = true;
    for (const QString& f : files)
        allDeleted &= plat::DeleteFile(oldFolder + f);
    doc.OpenData();
    if (allDeleted) return FolderOutcome::Moved;
    plat::MessageBox(QStringLiteral(u"データは移動しましたが、古いファイルを削除できませんでした。"
                                    u"\r\n\"%1\" に古いファイルが残っています。")
                         .arg(oldFolder),
                     kChangeCaption, plat::MB_ICONEXCLAMATION);
    return FolderOutcome::MovedWithLeftovers;
}

// A reason not to use the chosen folder, shown; false when there is none.
bool RefusedChoice(const FolderSetting& chosen) {
    QString reason;
    if (chosen.type == 2 && chosen.path.trimmed().isEmpty())
        reason = QStringLiteral(u"「その他」のフォルダを指定してください。");
    else if (chosen.type == 1 && !plat::IsProgramFolderWritable())
        reason = QStringLiteral(u"実行ファイルと同じフォルダには書き込めないため、"
                                u"データを保存できません。");
    if (reason.isEmpty()) return false;
    plat::MessageBox(reason, kChangeCaption, plat::MB_ICONEXCLAMATION);
    return true;
}

} // namespace

FolderOutcome ApplyDataFolder(CMyTALYDoc& doc, int mode, const QString& path) {
    const FolderSetting old = SettingOf(doc);
    const FolderSetting chosen{mode, path};
    if (mode == old.type && (mode != 2 || path == old.path)) {
        if (path == old.path) return FolderOutcome::Unchanged;
        doc.m_strDataFolderPath = path;
        return FolderOutcome::PathStored;
    }
    if (RefusedChoice(chosen)) return FolderOutcome::Refused;
    const QString oldFolder = doc.DataPath(QString());
    const QString newFolder = FolderFor(doc, chosen);
    if (oldFolder.isEmpty() || newFolder.isEmpty()) return FolderOutcome::Refused;
    const QString oldId = HostIdentity(oldFolder), newId = HostIdentity(newFolder);
    if (oldId == newId) {
        Store(doc, chosen);
        return FolderOutcome::PathStored;
    }
    if (Inside(newId, oldId) || Inside(oldId, newId)) {
        ShowCopyFailure();
        return FolderOutcome::Refused;
    }
    if (!PrepareFolder(newFolder)) {
        plat::ShowError(plat::GetLastError());
        return FolderOutcome::Refused;
    }
    if (!doc.CloseData()) return FolderOutcome::CloseFailed; // the save showed its error
    if (plat::MessageBox(QStringLiteral(u"データファイルをコピーしますか？"), kChangeCaption,
                         plat::MB_YESNO | plat::MB_ICONEXCLAMATION) != plat::IDYES) {
        Store(doc, chosen);
        // Stored at once: what is saved from now on goes to the folder the next start opens.
        if (!doc.SaveSettings()) { // the save has shown its error
            Store(doc, old);
            doc.OpenData();
            return FolderOutcome::Refused;
        }
        doc.OpenData();
        return FolderOutcome::Switched;
    }
    return MoveData(doc, old, chosen, oldFolder, newFolder);
}
