// The time series (template 169): expense, income and balance of the twelve
// months of a fiscal year or of the last twelve fiscal years, for the keys of
// the summary it was opened from. A chosen row ends with OK and hands back the
// key record dated at that row's start; key 0 ends with OK without a choice.
#pragma once

#include "ledger/InOutRecord.h"
#include "ui/framework/Dialog.h"
#include "ui/summary/TimeSeries.h"

#include <QString>
#include <cstdint>

class CMyTALYDoc;

class CTimeSeriesDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    explicit CTimeSeriesDlg(CMyTALYDoc* doc, QWidget* parent = nullptr);

    // In: the summary's keys and base date. Out after OK: the same keys, the
    // date of the chosen row (or the base date with the year moved).
    InOutRecord m_keyRecord{};
    unsigned m_emptyKeys = 0; // summary::KEY_ bits: keys that match only an empty field
    // PERIOD_MONTH (months of a fiscal year) or PERIOD_YEAR (twelve fiscal years).
    std::uint32_t m_nMode = PERIOD_MONTH;

    bool PreTranslateKeyDown(int virtualKey) override;

protected:
    bool OnInitDialog() override;
    void OnSize(int cx, int cy) override;

private:
    void Rebuild();
    void Choose(int row);
    void StepYear(int direction);

    void OnMonths();
    void OnYears();
    void OnPreviousYear() { StepYear(-1); }
    void OnNextYear() { StepYear(+1); }
    void OnListClick(tb::ui::NotifyInfo& info);
    void OnListKey(tb::ui::NotifyInfo& info);
    void OnEnd();
    void OnUpdateYearStep(tb::ui::CmdUI& ui);

    CMyTALYDoc* m_pDoc;
    summary::TimeSeriesRows m_rows;
    QString m_strFilter;
};
