// The summary screen (template 132): totals of one period by category, remark,
// payee, payment method or day, or the period's single entries; drill-down and
// back, expense or income side, period kinds and moves, change and delete of
// entries, new entries, the detail view's filter and the time series. The
// engine (Aggregation, Period, RowOrder) computes; the dialog shows.
//
//   CSummaryDlg dlg(&doc);
//   dlg.m_dwMode = SUM_CATEGORY;
//   dlg.m_keyRecord.date = plat::TimeValueToSystemTime(now);
//   dlg.DoModal();
#pragma once

#include "ledger/InOutRecord.h"
#include "platform/Time.h"
#include "ui/framework/Dialog.h"
#include "ui/summary/Aggregation.h"
#include "ui/summary/RowOrder.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CMyTALYDoc;
class QTreeView;
class SummaryListModel;

class CSummaryDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    explicit CSummaryDlg(CMyTALYDoc* doc, QWidget* parent = nullptr);
    ~CSummaryDlg() override;

    // In: one breakdown bit (SUM_CATEGORY ... SUM_DETAIL); the period bits are
    // the document's. Changes while the dialog runs.
    std::uint32_t m_dwMode = 0;
    // In: the base date in `date`; the text fields are the drill-down keys.
    InOutRecord m_keyRecord{};
    // In: opened as the detail view; the filter replaces the drill-down keys.
    bool m_bFilterMode = false;

    // The detail view's filter; off and empty in every new summary.
    std::uint32_t m_dwFilter = 0;
    QString m_strFilterText;
    std::int32_t m_nFilterMin = 0;
    std::int32_t m_nFilterMax = 0;

    SummaryListModel* listModel() const { return m_model; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnSize(int cx, int cy) override;

private:
    bool TotalsFitIn(int logicalWidth) const;
    struct SavedLevel {
        std::unique_ptr<InOutRecord> keys; // null: the slot is free
        unsigned emptyKeys = 0;
        std::uint32_t mode = 0;
        QString label;
    };

    QTreeView* list() const;
    summary::SummaryQuery Query() const;
    ListHeaderInfo* HeaderInfo() const;

    void SetupColumns();
    void SaveColumnWidths();
    void ApplyWidthsAndSort();
    void RebuildSummary();
    void ShowTotals(const summary::TotalTexts& texts);
    void ShowLabel();
    void ShowEntryButtons(bool show);
    void UpdateBackButton();
    void ApplyBaseDate(const plat::SYSTEMTIME& date);
    void ShowAgain();
    int SelectedRow() const;
    // The entry of the selected single-entry row; null (after telling the
    // user when it is gone from the ledger) when there is none.
    const LedgerNode* SelectedEntry();

    void DrillDown(int row);
    void SaveLevel();
    void SetKey(std::uint32_t dimension, const QString& text);
    void GoBack();
    void ShowSide(int side);
    void SetPeriodKind(std::uint32_t kind);
    void MovePeriod(int direction);

    // Handlers of the message map.
    void OnChangeEntry();
    void OnDeleteEntry();
    void OnPrevious() { MovePeriod(-1); }
    void OnNext() { MovePeriod(+1); }
    void OnToday();
    void OnGoToDate();
    void OnPickerClosed();
    void OnListClick(tb::ui::NotifyInfo& info);
    void OnListKey(tb::ui::NotifyInfo& info);
    void OnColumnClick(tb::ui::NotifyInfo& info);
    void OnExpense() { ShowSide(0); }
    void OnIncome() { ShowSide(1); }
    void OnDay();
    void OnWeek();
    void OnMonth();
    void OnYear();
    void OnNewEntry();
    void OnTemplateEntry();
    void OnFilter();
    void OnTimeSeries();
    void OnClose();
    void OnUpdatePeriod(tb::ui::CmdUI& ui);
    void OnUpdateSide(tb::ui::CmdUI& ui);

    CMyTALYDoc* m_pDoc;
    SummaryListModel* m_model;
    unsigned m_emptyKeys = 0; // KEY_ bits of keys that match only an empty field
    std::array<SavedLevel, 2> m_history;
    QString m_strLabel;
    QString m_strPeriodText;
    int m_nSide = 0; // 0 expense, 1 income
    plat::TimeValue m_timePicker = 0;
    plat::TimeValue m_timeApplied = 0;
    std::vector<summary::ColumnSpec> m_columns;
    int m_nColumnCount = 0;
    int m_nSortColumn = 0;
};
