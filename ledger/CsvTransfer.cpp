// Period delete, CSV export and CSV import: the document's bulk operations.
#include "ledger/CMyTALYDoc.h"

#include "ledger/CsvFile.h"
#include "platform/MessageBox.h"

namespace {

const QString kImportCaption = QStringLiteral(u"インポート");

bool InPeriod(const InOutRecord& r, plat::TimeValue first, plat::TimeValue last) {
    const plat::TimeValue t = plat::SystemTimeToTimeValue(r.date);
    return first <= t && t <= last;
}

InOutRecord RecordOf(const csv::Entry& e) {
    InOutRecord r{};
    r.date.wYear = static_cast<std::uint16_t>(e.year);
    r.date.wMonth = static_cast<std::uint16_t>(e.month);
    r.date.wDay = static_cast<std::uint16_t>(e.day);
    SetFieldText(r.category, e.category);
    SetFieldText(r.remark, e.remark);
    SetFieldText(r.payee, e.payee);
    SetFieldText(r.payMethod, e.payMethod);
    r.amount = static_cast<std::int32_t>(e.amount);
    return r;
}

void ShowImportOutcome(const CMyTALYDoc::CsvImport& result) {
    QString text = QStringLiteral(u"%1個のデータを読み込みました").arg(result.added);
    if (result.skipped > 0)
        text += QStringLiteral(u"\r\n%1行は日付か金額が正しくないか改行がないため読み込みませんでした")
                    .arg(result.skipped);
    if (result.stoppedLine > 0)
        text += QStringLiteral(u"\r\n%1行目から先は読み込んでいません").arg(result.stoppedLine);
    plat::MessageBox(text, kImportCaption, plat::MB_OK);
}

} // namespace

int CMyTALYDoc::DeletePeriod(plat::TimeValue first, plat::TimeValue last) {
    int removed = 0;
    LedgerNode* kept = nullptr;
    LedgerNode** link = &m_pHead;
    while (LedgerNode* n = *link) {
        if (!InPeriod(n->record, first, last)) {
            n->record.id -= removed; // as each single delete moves later ids up by one
            kept = n;
            link = &n->next;
            continue;
        }
        *link = n->next;
        if (m_pFirstUnsaved == n) m_pFirstUnsaved = nullptr;
        m_nBalance += n->record.amount;
        plat::HeapFree(m_hHeap, n, sizeof(LedgerNode));
        ++removed;
    }
    m_pTail = kept;
    if (removed == 0) return 0;
    m_nCount -= static_cast<std::uint32_t>(removed);
    m_bDirty = true;
    m_bAppendOnly = false;
    return removed;
}

bool CMyTALYDoc::ExportCsv(const QString& path, plat::TimeValue first, plat::TimeValue last,
                           int* count) {
    *count = 0;
    csv::Writer writer;
    if (!writer.open(path)) return false;
    for (const LedgerNode* n = m_pHead; n; n = n->next) {
        const InOutRecord& r = n->record;
        if (!InPeriod(r, first, last)) continue;
        if (!writer.add(r.id, r.date, FieldText(r.category), FieldText(r.remark), r.amount,
                        FieldText(r.payee), FieldText(r.payMethod)))
            break; // commit reports it and keeps the earlier file
        ++*count;
    }
    return writer.commit();
}

CMyTALYDoc::CsvImport CMyTALYDoc::ImportCsv(const QString& path) {
    CsvImport result;
    csv::Reader reader;
    if (!reader.open(path)) {
        plat::MessageBox(QStringLiteral(u"ファイルを開くことができませんでした。"), kImportCaption,
                         plat::MB_OK);
        return result;
    }
    result.opened = true;
    csv::Entry entry;
    for (bool reading = true; reading;) {
        switch (reader.next(&entry)) {
        case csv::Reader::Next::Entry:
            // AddRecord has shown its error; one is enough for the whole file.
            if (!AddRecord(RecordOf(entry))) {
                result.stoppedLine = reader.lineNumber();
                reading = false;
                break;
            }
            ++result.added;
            break;
        case csv::Reader::Next::Skipped:
            ++result.skipped;
            break;
        case csv::Reader::Next::Unfinished:
            ++result.skipped;
            reading = false;
            break;
        case csv::Reader::Next::Stopped:
            result.stoppedLine = reader.lineNumber();
            reading = false;
            break;
        case csv::Reader::Next::ReadError:
            plat::ShowError(plat::GetLastError());
            result.stoppedLine = reader.lineNumber();
            reading = false;
            break;
        case csv::Reader::Next::End:
            reading = false;
            break;
        }
    }
    ShowImportOutcome(result);
    return result;
}
