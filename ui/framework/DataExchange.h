// Exchange of a window's members with its controls, in both directions, with
// validation. A window lists its bindings in DoDataExchange, one line each:
//
//   void CFilterDlg::DoDataExchange(DataExchange& dx) {
//       dx.Text(1064, m_strRemark, 15);
//       dx.Int(1097, m_nMin, 0, 2000000000);
//       dx.Check(1094, m_bUseMin);
//   }
//
// Loading (saveAndValidate false) never fails. Saving stops at the first
// control whose value is invalid: the framework's message is shown, the focus
// goes to that control and UpdateData returns false.
#pragma once

#include "platform/Time.h"

#include <QString>

class QWidget;

namespace tb::ui {

class Window;

// The framework's validation messages (also used by tests to compare).
namespace validation {
QString IntegerRequired();                    // "整数を入力してください。"
QString IntegerRange(qint64 min, qint64 max); // "%1 から %2 までの整数を入力してください。"
QString TextTooLong(int maxChars);            // "%1 文字以内で入力してください。"
QString Caption();                            // "注意！"
} // namespace validation

// Limits what can be typed or pasted into an edit (or an editable combo box's
// field) to maxUnits UTF-16 units, cut as CutText cuts: text that does not fit
// is refused from the end of what was inserted, never half of a character.
void LimitTextLength(QWidget* edit, int maxUnits);

class DataExchange {
public:
    DataExchange(Window& window, bool saveAndValidate);

    bool saving() const { return m_save; }
    bool failed() const { return m_failedId != 0; }
    int failedControl() const { return m_failedId; }

    // Edit or static: a decimal integer, optionally limited to [min, max].
    void Int(int id, int& value);
    void Int(int id, int& value, int min, int max);
    // Edit, static or editable combo: text; maxChars > 0 also limits typing.
    void Text(int id, QString& value, int maxChars = 0);
    // Check box (0 or 1; a BOOL-like int is accepted too).
    void Check(int id, bool& value);
    void Check(int id, int& value);
    // Radio group starting with firstId: index of the checked button, -1 none.
    void Radio(int firstId, int& index);
    // Combo box or list box: selected index (-1 none).
    void ComboIndex(int id, int& index);
    // Combo box: the text of the field (editable) or of the selected item;
    // loading an editable combo sets the field, a list combo selects the item.
    void ComboText(int id, QString& value, int maxChars = 0);
    // Date picker or month calendar: a local time value. The picker keeps the
    // time of day; the calendar changes the date only.
    void Date(int id, plat::TimeValue& value);

private:
    QWidget* control(int id);
    void fail(int id, const QString& message);

    Window& m_window;
    bool m_save;
    int m_failedId = 0;
};

} // namespace tb::ui
